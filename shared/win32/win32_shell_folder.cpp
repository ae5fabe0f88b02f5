#include "shared/win32/win32_shell_folder.h"

#include <windows.h>
#include <shlobj.h>

#include <cstring>

namespace shared::win32 {

ShellFolderReply Win32ShellFolder::GetFolderPath(std::int32_t csidl, std::uint32_t flags) {
  char buffer[MAX_PATH] = {};
  const HRESULT result = ::SHGetFolderPathA(nullptr, csidl, nullptr, flags, buffer);
  return {static_cast<std::int32_t>(result), std::string(buffer, ::strnlen(buffer, MAX_PATH))};
}

}  // namespace shared::win32
