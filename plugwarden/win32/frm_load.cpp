#include "plugwarden/win32/frm_load.h"

#include <commctrl.h>

#include <memory>
#include <vector>

#include "plugwarden/win32/profile_dialog.h"

namespace plugwarden::win32 {
namespace {

using namespace shared::win32;

class LoadWindow;
LoadWindow* gLoad = nullptr;

class LoadWindow : public ProfileDialog<LoadWindow> {
 public:
  explicit LoadWindow(MainWindow& main) : main_(main) {}

  bool Open() { return ProfileDialog::Open("PlugwardenLoad", LoadDialogTexts(main_.Language()), kLoadDialogLayout); }

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
      case WM_CREATE:
        CreateParts();
        return 0;
      case WM_CTLCOLORSTATIC:
        if (auto brush = CtlColor(message, wParam, lParam)) return *brush;
        break;
      case WM_COMMAND:
        switch (LOWORD(wParam)) {
          case kProfileButtonId:
          case IDOK:
            if (LOWORD(wParam) == IDOK || HIWORD(wParam) == BN_CLICKED) Load();
            return 0;
          case IDCANCEL:
            ::DestroyWindow(Window());
            return 0;
          default:
            break;
        }
        break;
      case WM_NCDESTROY:
        if (gLoad == this) gLoad = nullptr;
        delete this;
        return 0;
      default:
        break;
    }
    HWND window = Window();
    return ::DefWindowProcA(window, message, wParam, lParam);
  }

 private:
  void CreateParts() {
    // A list of the names found: nothing to type into. The design height is the closed field's;
    // the drop-down gets room for a few names.
    shared::TwipsRect dropDown = layout_.input;
    dropDown.height *= 8;
    combo1_ = CreateControl(Window(), WC_COMBOBOXA, kProfileInputId, "", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                            0, dropDown, Dpi());
    looks_.SetFont(combo1_, {"MS Sans Serif", 8.25, false}, Dpi());
    names_ = main_.ProfileNames();
    for (const std::string& name : names_) ::SendMessageA(combo1_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    if (!names_.empty()) ::SendMessageA(combo1_, CB_SETCURSEL, 0, 0);
    CreateCommonParts(kProfileLabelId, kProfileButtonId);
    ::SetFocus(combo1_);
  }

  void Load() {
    std::string chosen;
    const LRESULT index = ::SendMessageA(combo1_, CB_GETCURSEL, 0, 0);
    if (index != CB_ERR) {
      const LRESULT length = ::SendMessageA(combo1_, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
      if (length != CB_ERR) {
        chosen.assign(static_cast<std::size_t>(length) + 1, '\0');
        ::SendMessageA(combo1_, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(chosen.data()));
        chosen.resize(static_cast<std::size_t>(length));
      }
    }
    if (main_.LoadProfile(names_, chosen)) ::DestroyWindow(Window());
  }

  MainWindow& main_;
  HWND combo1_ = nullptr;
  std::vector<std::string> names_;
};

}  // namespace

HWND frmLoad::Show(MainWindow& main) {
  if (gLoad != nullptr && gLoad->Window() != nullptr) {
    ::SetForegroundWindow(gLoad->Window());
    return gLoad->Window();
  }
  auto dialog = std::make_unique<LoadWindow>(main);
  if (!dialog->Open()) return nullptr;
  gLoad = dialog.release();
  ::ShowWindow(gLoad->Window(), SW_SHOWNORMAL);
  ::UpdateWindow(gLoad->Window());
  return gLoad->Window();
}

HWND frmLoad::Current() { return gLoad != nullptr ? gLoad->Window() : nullptr; }

void frmLoad::Close() {
  if (HWND window = Current()) ::DestroyWindow(window);
}

}  // namespace plugwarden::win32
