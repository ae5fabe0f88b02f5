#include "shared/win32/win32_shell.h"

#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "shared/win32/error_text.h"
#include "shared/win32/unique_handle.h"

namespace shared::win32 {

Status Win32Shell::OpenDocument(WindowId owner, const std::string& verb, const std::string& target, int show) {
  const auto result = reinterpret_cast<INT_PTR>(::ShellExecuteA(reinterpret_cast<HWND>(owner), verb.c_str(),
                                                                target.c_str(), nullptr, nullptr, show));
  if (result > 32) return Status::Ok();
  // The old return values up to 32 are error codes of their own; those that match a system
  // error code keep its text.
  switch (result) {
    case 0:
    case SE_ERR_OOM: return LastError(ERROR_NOT_ENOUGH_MEMORY);
    case SE_ERR_FNF: return LastError(ERROR_FILE_NOT_FOUND);
    case SE_ERR_PNF: return LastError(ERROR_PATH_NOT_FOUND);
    case SE_ERR_ACCESSDENIED: return LastError(ERROR_ACCESS_DENIED);
    case SE_ERR_NOASSOC:
    case SE_ERR_ASSOCINCOMPLETE: return LastError(ERROR_NO_ASSOCIATION);
    default: return Status::Error(static_cast<std::int32_t>(result), "The document could not be opened.");
  }
}

Status Win32Shell::RunCommandLine(const std::string& commandLine) {
  // CreateProcessA may write into the command line, so it gets a copy of its own.
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return LastError();
  // Started programs run on their own: nothing waits for them.
  UniqueKernelHandle processHandle(process.hProcess);
  UniqueKernelHandle threadHandle(process.hThread);
  return Status::Ok();
}

std::string Win32Shell::SystemFolder() {
  char path[MAX_PATH] = {};
  const UINT length = ::GetSystemDirectoryA(path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  return std::string(path, length);
}

}  // namespace shared::win32
