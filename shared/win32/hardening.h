#pragma once
// Where the programs take their DLLs from. A program run from a download folder must never load
// a DLL that someone placed beside it under a system DLL's name.
#include <windows.h>

namespace shared::win32 {

// First thing in WinMain: DLLs loaded by name (also by system DLLs on the program's behalf)
// come from the system folder only, never from the program's or the current folder.
void HardenDllLoading();

// A system DLL by its name, from the system folder only; nullptr when it cannot be loaded.
HMODULE LoadSystemLibrary(const wchar_t* name);

}  // namespace shared::win32
