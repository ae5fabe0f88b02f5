#pragma once
// Handing things over to other programs: documents and web addresses to the shell, command lines
// to a new process. Adapters: shared/win32/win32_shell.h and tests/fakes/fake_shell.h.
#include <cstdint>
#include <string>

#include "shared/status.h"

namespace shared {

// A window handle as the portable code passes it on; 0 is no window.
using WindowId = std::uintptr_t;

// Show commands (same numbers as Win32).
inline constexpr int kShowHidden = 0;
inline constexpr int kShowNormal = 1;

class ShellPort {
 public:
  virtual ~ShellPort() = default;

  // ShellExecuteA(owner, verb, target, no parameters, no working folder, show). The shell picks
  // the program; a failure carries the shell's reason.
  virtual Status OpenDocument(WindowId owner, const std::string& verb, const std::string& target, int show) = 0;
  // Starts a command line in a normal window with focus and does not wait for it. The program is
  // the first token of the command line (quoted when it holds spaces); it is never looked up on
  // the search path when the line names it by full path.
  virtual Status RunCommandLine(const std::string& commandLine) = 0;
  // The folder of the system's own programs (notepad.exe lives there), no trailing backslash.
  virtual std::string SystemFolder() = 0;
};

}  // namespace shared
