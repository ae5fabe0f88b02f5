#pragma once
// Shell shortcuts (.lnk files): their target and arguments read, and a new one written. Paths in the ANSI code
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
  // What the target is started with; "" when there is nothing or no readable shortcut.
  virtual std::string ReadArguments(const std::string& shortcutPath) = 0;
  // Writes a shortcut to target with the arguments, replacing any file of that name; no working
  // folder or icon of its own. The target is a path alone: arguments in it would make a target
  // that names no file. The folder must exist.
  virtual Status WriteShortcut(const std::string& shortcutPath, const std::string& targetPath,
                               const std::string& arguments) = 0;
};

}  // namespace shared
