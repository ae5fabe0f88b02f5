#include "tests/wine/ui_driver.h"

#include <commctrl.h>
#include <dlgs.h>

#include "shared/win32/window_kit.h"

namespace testing_support {

void Pump() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (shared::win32::TranslateProgramMessage(msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

bool RunUntilQuit(DWORD milliseconds) {
  const DWORD end = ::GetTickCount() + milliseconds;
  while (static_cast<LONG>(end - ::GetTickCount()) > 0) {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) return true;
      ::DispatchMessageA(&msg);
    }
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return false;
}

std::string WindowText(HWND window) {
  char text[1024] = {};
  ::GetWindowTextA(window, text, sizeof text);
  return text;
}

void Click(HWND control) {
  ::SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  ::SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  Pump();
}

void Command(HWND window, int id) {
  ::SendMessageA(window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
  Pump();
}

void SelectRow(HWND list, int position) {
  ListView_SetItemState(list, position - 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  Pump();
}

bool Choose(const shared::win32::LanguageCombo& combo, const std::string& text) {
  for (int i = 0; i < combo.Count(); ++i) {
    if (combo.ItemText(i) != text) continue;
    HWND control = combo.Handle();
    ::SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
    ::SendMessageA(::GetParent(control), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(control), CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(control));
    Pump();
    return true;
  }
  return false;
}

RECT ScreenRect(HWND window) {
  RECT r{};
  ::GetWindowRect(window, &r);
  return r;
}

RECT RectInParent(HWND control) {
  RECT r = ScreenRect(control);
  ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

Capture::Capture(HWND window) {
  RECT client{};
  ::GetClientRect(window, &client);
  width_ = client.right;
  height_ = client.bottom;
  pixels_.resize(static_cast<std::size_t>(width_) * height_);
  ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  HDC dc = ::GetDC(window);
  HDC memory = ::CreateCompatibleDC(dc);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width_, -height_, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  ::BitBlt(memory, 0, 0, width_, height_, dc, 0, 0, SRCCOPY);
  ::GdiFlush();
  const auto* p = static_cast<const std::uint32_t*>(bits);
  for (std::size_t i = 0; i < pixels_.size(); ++i) pixels_[i] = RGB((p[i] >> 16) & 0xFF, (p[i] >> 8) & 0xFF, p[i] & 0xFF);
  ::SelectObject(memory, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(window, dc);
}
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
