#pragma once
#include <string>

#include "shared/windows_folder_port.h"

namespace fakes {

class FakeWindowsFolder final : public shared::WindowsFolderPort {
 public:
  explicit FakeWindowsFolder(std::string folder = "C:\\Windows") : folder_(std::move(folder)) {}
  std::string WindowsFolder() override { return folder_; }
  void Set(std::string folder) { folder_ = std::move(folder); }

 private:
  std::string folder_;
};

}  // namespace fakes
