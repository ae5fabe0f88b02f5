#include "shared/windows_folder_port.h"

#include "shared/text.h"

namespace shared {

std::string GetWinDir(WindowsFolderPort& windowsFolder) {
  std::string folder = UpToNul(windowsFolder.WindowsFolder());
  while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
  return folder;
}

}  // namespace shared
