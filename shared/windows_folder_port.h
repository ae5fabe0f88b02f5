#pragma once
// Where Windows lives. Adapters: shared/win32/win32_windows_folder.h (GetWindowsDirectoryA) and
// tests/fakes/fake_windows_folder.h.
#include <string>

namespace shared {

class WindowsFolderPort {
 public:
  virtual ~WindowsFolderPort() = default;

  // GetWindowsDirectoryA: "C:\WINDOWS", or "C:\" when Windows lies in a drive's root; "" when the
  // platform gives nothing.
  virtual std::string WindowsFolder() = 0;
};

// The Windows folder without a trailing backslash ("C:" for a drive's root), so that
// GetWinDir + "\name" is always a well-formed path.
std::string GetWinDir(WindowsFolderPort& windowsFolder);

}  // namespace shared
