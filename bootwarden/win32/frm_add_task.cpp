#include "bootwarden/win32/frm_add_task.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "shared/win32/xp_cmd_button.h"

namespace bootwarden::win32 {
namespace {

namespace kit = shared::win32;
using shared::TwipsRect;

const shared::FontSpec& kControlFont = kit::kTahomaFont;
// Closing is posted: the click that closes the dialog is still being handled by its button.
constexpr UINT kUnloadMessage = WM_APP + 1;

std::string TextOf(HWND control) {
  const int length = ::GetWindowTextLengthA(control);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextA(control, text.data(), length + 1)));
  return text;
}

int IdOf(AddTaskControl control) {
  switch (control) {
    case AddTaskControl::kWindow: return 0;
    case AddTaskControl::kLabel1: return kAddLabel1Id;
    case AddTaskControl::kLabel3: return kAddLabel3Id;
    case AddTaskControl::kLabel5: return kAddLabel5Id;
    case AddTaskControl::kCmdAdd: return kAddAddId;
    case AddTaskControl::kCmdCancel: return kAddCancelId;
    case AddTaskControl::kCommand1: return kAddCommand1Id;
  }
  return 0;
}

}  // namespace

frmAddTask::frmAddTask(HWND owner, MainWindow& main)
    : owner_(owner),
      presenter_(*this, AddTaskServices{main.Language(), main.LanguagePackFound(), main.EmptyFieldText(), main.Prompt(),
                                        dialog_, [&main](const StartupEntry& entry) { main.AppendRow(entry); },
                                        main.TaskLocations()}) {}

HWND frmAddTask::Load() {
  if (Create({.className = kAddTaskClassName,
              .caption = DesignCaption(AddTaskControl::kWindow),
              .client = kAddTaskClient,
              .owner = owner_}) == nullptr)
    return nullptr;
  ::ShowWindow(Window(), SW_SHOWNORMAL);
  return Window();
}

void frmAddTask::CreateControls() {
  HWND window = Window();
  const int dpi = Dpi();
  const struct {
    int id;
    AddTaskControl control;
    TwipsRect rect;
  } buttons[] = {{kAddCommand1Id, AddTaskControl::kCommand1, {5520, 1200, 855, 375}},
                 {kAddCancelId, AddTaskControl::kCmdCancel, {3120, 1800, 1455, 375}},
                 {kAddAddId, AddTaskControl::kCmdAdd, {1560, 1800, 1455, 375}}};
  for (const auto& button : buttons) {
    const shared::PixelRect r = shared::ToPixels(button.rect, dpi);
    HWND made = kit::CreateXPCmdButton(window, button.id, DesignCaption(button.control), r.left, r.top, r.width, r.height);
    kit::SetDesignRect(made, button.rect);
    Looks().SetFont(made, kControlFont, dpi);
  }
  // A drop-down list: only the eight locations can be chosen. The height holds the open list.
  HWND combo = kit::CreateControl(window, WC_COMBOBOXA, kAddCombo1Id, "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP,
                                  0, {1320, 720, 2175, 315 * 9}, dpi);
  kit::SetDesignRect(combo, {1320, 720, 2175, 315 * 9});
  Looks().SetFont(combo, kControlFont, dpi);
  const struct {
    int id;
    TwipsRect rect;
  } edits[] = {{kAddLocationId, {1320, 1200, 4095, 375}}, {kAddNameId, {1320, 120, 1455, 375}}};
  for (const auto& edit : edits) {
    HWND made = kit::CreateControl(window, WC_EDITA, edit.id, "", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE,
                                   edit.rect, dpi);
    Looks().SetFont(made, kControlFont, dpi);
  }
  const struct {
    int id;
    AddTaskControl control;
    TwipsRect rect;
  } labels[] = {{kAddLabel5Id, AddTaskControl::kLabel5, {120, 1200, 975, 255}},
                {kAddLabel3Id, AddTaskControl::kLabel3, {120, 720, 975, 255}},
                {kAddLabel1Id, AddTaskControl::kLabel1, {120, 240, 975, 255}}};
  for (const auto& label : labels)
    kit::CreateLabel(window, label.id, DesignCaption(label.control), label.rect, dpi, {.font = kControlFont}, Looks());
  // Tab order: name, location choice, command line, Browse, Add, Cancel.
  HWND order[] = {::GetDlgItem(window, kAddNameId), combo, ::GetDlgItem(window, kAddLocationId),
                  ::GetDlgItem(window, kAddCommand1Id), ::GetDlgItem(window, kAddAddId),
                  ::GetDlgItem(window, kAddCancelId)};
  HWND after = HWND_TOP;
  for (HWND control : order) {
    ::SetWindowPos(control, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    after = control;
  }
}

LRESULT frmAddTask::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      dialog_.SetOwner(Window());
      CreateControls();
      presenter_.Load();
      ::SetFocus(::GetDlgItem(Window(), kAddNameId));
      return 0;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case kAddCombo1Id:
          if (HIWORD(wParam) == CBN_SELCHANGE)
            presenter_.LocationChosen(static_cast<int>(::SendMessageA(reinterpret_cast<HWND>(lParam), CB_GETCURSEL, 0, 0)));
          return 0;
        case kAddCommand1Id: if (HIWORD(wParam) == BN_CLICKED) presenter_.BrowseClicked(); return 0;
        case kAddAddId: if (HIWORD(wParam) == BN_CLICKED) presenter_.AddClicked(); return 0;
        case kAddCancelId:
        case IDCANCEL:  // Escape
          if (HIWORD(wParam) == BN_CLICKED) presenter_.CancelClicked();
          return 0;
        default: return 0;
      }
    case WM_CLOSE:
      presenter_.CancelClicked();
      return 0;
    case kUnloadMessage:
      ::DestroyWindow(Window());
      return 0;
    default:
      break;
  }
  return DefaultProc(message, wParam, lParam);
}

void frmAddTask::SetRightToLeft(bool rightToLeft) { kit::SetRightToLeft(Window(), rightToLeft, Dpi()); }

void frmAddTask::SetCaption(AddTaskControl control, const std::string& text) {
  if (control == AddTaskControl::kWindow) {
    ::SetWindowTextA(Window(), text.c_str());
    return;
  }
  HWND target = ::GetDlgItem(Window(), IdOf(control));
  if (control == AddTaskControl::kLabel1 || control == AddTaskControl::kLabel3 || control == AddTaskControl::kLabel5)
    return kit::SetLabelText(target, text, Dpi());
  ::SetWindowTextA(target, text.c_str());
}

void frmAddTask::SetLocations(const std::vector<std::string>& names) {
  HWND combo = ::GetDlgItem(Window(), kAddCombo1Id);
  ::SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  for (const std::string& name : names) ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  ::SendMessageA(combo, CB_SETCURSEL, 0, 0);
  // The box keeps its width; the list opens wide enough to show every location whole.
  HDC dc = ::GetDC(combo);
  if (dc == nullptr) return;
  HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageA(combo, WM_GETFONT, 0, 0)));
  LONG widest = 0;
  for (const std::string& name : names) {
    SIZE size{};
    if (::GetTextExtentPoint32A(dc, name.c_str(), static_cast<int>(name.size()), &size)) widest = std::max(widest, size.cx);
  }
  ::SelectObject(dc, old);
  ::ReleaseDC(combo, dc);
  const LONG margins = 2 * ::GetSystemMetrics(SM_CXEDGE) + ::GetSystemMetrics(SM_CXVSCROLL) + 8;
  ::SendMessageA(combo, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(widest + margins), 0);
}

void frmAddTask::EnableName(bool enabled) { ::EnableWindow(::GetDlgItem(Window(), kAddNameId), enabled); }

std::string frmAddTask::Name() { return TextOf(::GetDlgItem(Window(), kAddNameId)); }

std::string frmAddTask::Location() { return TextOf(::GetDlgItem(Window(), kAddLocationId)); }

void frmAddTask::SetLocation(const std::string& text) {
  ::SetWindowTextA(::GetDlgItem(Window(), kAddLocationId), text.c_str());
}

void frmAddTask::Close() {
  // Hidden at once, so nothing more can be typed or clicked before it goes.
  ::ShowWindow(Window(), SW_HIDE);
  ::PostMessageA(Window(), kUnloadMessage, 0, 0);
}

}  // namespace bootwarden::win32
