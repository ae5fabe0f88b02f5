#include "tests/wine/test_paths.h"

#include <windows.h>

namespace testing_support {

std::string ExecutableFolder() {
  char path[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length);
  return folder.substr(0, folder.find_last_of('\\'));
}

std::string ScratchFolder(const std::string& name) {
  char temp[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, temp);
  std::string folder = std::string(temp) + "warden-" + name;
  ::CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

}  // namespace testing_support
