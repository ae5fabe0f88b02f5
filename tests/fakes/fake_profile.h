#pragma once
// INI files kept in the fake file system, read and written by the platform's rules.
#include <string>

#include "shared/profile_port.h"
#include "tests/fakes/fake_file_system.h"

namespace fakes {

class FakeProfile final : public shared::ProfilePort {
 public:
  FakeProfile(FakeFileSystem& files, std::string windowsFolder)
      : files_(files), windowsFolder_(std::move(windowsFolder)) {}

  std::string GetString(const std::string& section, const std::string& key, const std::string& defaultText,
                        std::uint32_t bufferSize, const std::string& file) override;
  shared::Status WriteString(const std::string& section, const std::string& key,
                             const std::optional<std::string>& value, const std::string& file) override;

 private:
  std::string Resolve(const std::string& file) const;
  FakeFileSystem& files_;
  std::string windowsFolder_;
};

}  // namespace fakes
