// Started by the DLL-planting test from a folder that also holds a planted version.dll:
//   dll_planting_probe plain|hardened MODULE
// "hardened" first does what the programs' WinMain does. Then version.dll is loaded by name, as
// a system DLL would on the program's behalf. Exit code 3 when that gave the planted copy, else
// 0 when MODULE's version resource reads through the programs' own adapter.
#include <windows.h>

#include <string>

#include "shared/win32/hardening.h"
#include "shared/win32/win32_version.h"

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  if (std::string(argv[1]) == "hardened") shared::win32::HardenDllLoading();
  char loaded[MAX_PATH] = {}, probe[MAX_PATH] = {};
  ::GetModuleFileNameA(::LoadLibraryW(L"version.dll"), loaded, MAX_PATH);
  ::GetModuleFileNameA(nullptr, probe, MAX_PATH);
  if (std::string(loaded).substr(0, std::string(loaded).rfind('\\')) ==
      std::string(probe).substr(0, std::string(probe).rfind('\\')))
    return 3;
  return shared::win32::Win32Version().GetInfo(argv[2]) != nullptr ? 0 : 1;
}
