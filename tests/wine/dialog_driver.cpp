#include "tests/wine/dialog_driver.h"

#include <dlgs.h>

namespace testing_support {
namespace {

struct Search {
  DWORD process = 0;
  HWND found = nullptr;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<Search*>(lParam);
  DWORD process = 0;
  ::GetWindowThreadProcessId(window, &process);
  char className[32] = {};
  ::GetClassNameA(window, className, sizeof(className));
  // A file dialog has a file name box; message boxes are dialogs too.
  if (process == search->process && ::IsWindowVisible(window) && std::string(className) == "#32770" &&
      (::GetDlgItem(window, cmb13) != nullptr || ::GetDlgItem(window, edt1) != nullptr)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

FileDialogDriver::FileDialogDriver(std::string path, DWORD timeoutMs)
    : path_(std::move(path)), timeoutMs_(timeoutMs), thread_([this] { Run(); }) {}

FileDialogDriver::~FileDialogDriver() {
  if (thread_.joinable()) thread_.join();
}

bool FileDialogDriver::Answered() {
  if (thread_.joinable()) thread_.join();
  return answered_;
}

void FileDialogDriver::Run() {
  const DWORD start = ::GetTickCount();
  Search search{::GetCurrentProcessId(), nullptr};
  while (search.found == nullptr && ::GetTickCount() - start < timeoutMs_) {
    ::Sleep(50);
    ::EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
  }
  if (search.found == nullptr) return;
  HWND dialog = search.found;
  char caption[128] = {};
  ::GetWindowTextA(dialog, caption, sizeof(caption));
  caption_ = caption;
  // Let the dialog finish its own start-up (it fills the name box and folders after showing).
  ::Sleep(300);
  if (path_.empty()) {
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  } else {
    HWND name = ::GetDlgItem(dialog, cmb13);
    if (name == nullptr) name = ::GetDlgItem(dialog, edt1);
    ::SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path_.c_str()));
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
  }
  answered_ = true;
}

}  // namespace testing_support
