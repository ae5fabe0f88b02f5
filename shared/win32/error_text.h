#pragma once
#include <windows.h>

#include <string>

#include "shared/status.h"

namespace shared::win32 {

// The system's message for an error code, without the trailing line break.
std::string ErrorText(DWORD code);
// A failed Status for a Win32 error code (or GetLastError() by default).
Status LastError(DWORD code = ::GetLastError());

}  // namespace shared::win32
