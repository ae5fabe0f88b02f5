#pragma once
#include "shared/windows_folder_port.h"

namespace shared::win32 {

class Win32WindowsFolder final : public WindowsFolderPort {
 public:
  std::string WindowsFolder() override;
};

}  // namespace shared::win32
