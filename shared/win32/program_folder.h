#pragma once
#include <string>

#include "shared/status.h"

namespace shared::win32 {

// The folder of the running executable, without a trailing backslash, in the ANSI code page
// the rest of the programs' file calls use. A folder whose long name has characters the code
// page cannot hold is given by its short (8.3) name; without one it is an error.
Result<std::string> ProgramFolder();

}  // namespace shared::win32
