#pragma once
#include "shared/shortcut_port.h"

namespace shared::win32 {

// Shortcuts through the shell's link object (IShellLinkA with IPersistFile). Each call enters COM
// on the calling thread first (EnsureComApartment), so it may be called from the UI thread.
class Win32Shortcut final : public ShortcutPort {
 public:
  std::string ReadTargetPath(const std::string& shortcutPath) override;
  std::string ReadArguments(const std::string& shortcutPath) override;
  Status WriteShortcut(const std::string& shortcutPath, const std::string& targetPath,
                       const std::string& arguments) override;
};

}  // namespace shared::win32
