#include "shared/win32/win32_windows_folder.h"

#include <windows.h>

#include <vector>

namespace shared::win32 {

std::string Win32WindowsFolder::WindowsFolder() {
  std::vector<char> buffer(MAX_PATH);
  UINT length = ::GetWindowsDirectoryA(buffer.data(), static_cast<UINT>(buffer.size()));
  if (length >= buffer.size()) {  // too small: the count is the size needed
    buffer.resize(length);
    length = ::GetWindowsDirectoryA(buffer.data(), static_cast<UINT>(buffer.size()));
    if (length >= buffer.size()) return {};
  }
  return std::string(buffer.data(), length);
}

}  // namespace shared::win32
