#pragma once
// Shell shortcuts (.lnk files): their target read and a new one written. Paths in the ANSI code
// page, ending at their first NUL. Adapters: shared/win32/win32_shortcut.h (IShellLinkA and
// IPersistFile) and tests/fakes/fake_shortcut.h.
#include <string>

#include "shared/status.h"

namespace shared {

class ShortcutPort {
 public:
  virtual ~ShortcutPort() = default;

  // The shortcut's target path; "" when the path names no readable shortcut (missing, a folder,
  // a file of another kind) or the shortcut has no file-system target.
  virtual std::string ReadTargetPath(const std::string& shortcutPath) = 0;
  // Writes a shortcut to target, replacing any file of that name; no arguments, working folder or
  // icon of its own. The folder must exist.
  virtual Status WriteShortcut(const std::string& shortcutPath, const std::string& targetPath) = 0;
};

}  // namespace shared
