#include "shared/win32/win32_session.h"

#include <windows.h>

#include "shared/win32/error_text.h"
#include "shared/win32/unique_handle.h"

namespace shared::win32 {
namespace {

// Restarting needs SE_SHUTDOWN_NAME, which a process holds but has disabled.
Status EnableShutdownPrivilege() {
  HANDLE rawToken = nullptr;
  if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &rawToken)) return LastError();
  UniqueKernelHandle token(rawToken);
  TOKEN_PRIVILEGES privileges{};
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  if (!::LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid)) return LastError();
  // Succeeds without granting anything when the account lacks the right: ask the last error.
  ::SetLastError(ERROR_SUCCESS);
  if (!::AdjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr)) return LastError();
  const DWORD adjusted = ::GetLastError();
  if (adjusted != ERROR_SUCCESS) return LastError(adjusted);
  return Status::Ok();
}

Status EndSession(UINT flags) {
  if (!::ExitWindowsEx(flags, 0)) return LastError();
  return Status::Ok();
}

}  // namespace

Status Win32Session::LogOff() { return EndSession(EWX_LOGOFF); }

Status Win32Session::Restart() {
  Status privilege = EnableShutdownPrivilege();
  if (!privilege.ok()) return privilege;
  return EndSession(EWX_REBOOT);
}

}  // namespace shared::win32
