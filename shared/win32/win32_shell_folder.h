#pragma once
#include "shared/shell_folder_port.h"

namespace shared::win32 {

// SHGetFolderPathA of shell32. shfolder.dll only forwards there on every Windows the programs
// run on, and shell32 always comes from the system folder, so it is linked directly.
class Win32ShellFolder final : public ShellFolderPort {
 public:
  ShellFolderReply GetFolderPath(std::int32_t csidl, std::uint32_t flags) override;
};

}  // namespace shared::win32
