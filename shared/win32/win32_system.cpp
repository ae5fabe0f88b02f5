#include "shared/win32/win32_system.h"

#include <windows.h>

#include "shared/win32/hardening.h"

namespace shared::win32 {

bool Win32System::TopLevelWindowExists(const std::string& className) {
  return ::FindWindowA(className.c_str(), nullptr) != nullptr;
}

bool Win32System::IsNTAdmin() {
  // advpack.dll is not among the DLLs the loader always takes from the system folder.
  using IsNTAdminFn = BOOL(WINAPI*)(DWORD, DWORD*);
  static const IsNTAdminFn isNTAdmin = [] {
    HMODULE module = LoadSystemLibrary(L"advpack.dll");
    return module ? reinterpret_cast<IsNTAdminFn>(reinterpret_cast<void*>(::GetProcAddress(module, "IsNTAdmin")))
                  : nullptr;
  }();
  return isNTAdmin != nullptr && isNTAdmin(0, nullptr) != FALSE;
}

}  // namespace shared::win32
