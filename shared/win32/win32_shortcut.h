#pragma once
#include <memory>

#include "shared/shortcut_port.h"

namespace shared::win32 {

// Shortcuts through the shell's link object (IShellLinkA with IPersistFile). Each call enters COM
// on the calling thread first (EnsureComApartment), so it may be called from the UI thread.
class Win32Shortcut final : public ShortcutPort {
 public:
  Win32Shortcut();
  ~Win32Shortcut() override;
  Win32Shortcut(const Win32Shortcut&) = delete;
  Win32Shortcut& operator=(const Win32Shortcut&) = delete;

  std::string ReadTargetPath(const std::string& shortcutPath) override;
  std::string ReadArguments(const std::string& shortcutPath) override;
  Status WriteShortcut(const std::string& shortcutPath, const std::string& targetPath,
                       const std::string& arguments) override;

 private:
  // One link object reads every shortcut: making one costs more than a read.
  struct Link;
  // The shortcut loaded into the kept object, or into `own` on another thread; null when the
  // path names no readable shortcut.
  Link* Load(const std::string& shortcutPath, std::unique_ptr<Link>& own);
  std::unique_ptr<Link> reader_;
};

}  // namespace shared::win32
