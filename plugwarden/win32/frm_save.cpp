#include "plugwarden/win32/frm_save.h"

#include <commctrl.h>

#include <memory>

#include "plugwarden/bho_profiles.h"
#include "plugwarden/win32/profile_dialog.h"

namespace plugwarden::win32 {
namespace {

using namespace shared::win32;

class SaveWindow;
SaveWindow* gSave = nullptr;

class SaveWindow : public ProfileDialog<SaveWindow> {
 public:
  explicit SaveWindow(MainWindow& main) : main_(main) {}

  bool Open() { return ProfileDialog::Open("PlugwardenSave", SaveDialogTexts(main_.Language()), kSaveDialogLayout); }

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
      case WM_CREATE: {
        text1_ = CreateControl(Window(), WC_EDITA, kProfileInputId, "", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE,
                               layout_.input, Dpi());
        looks_.SetFont(text1_, {"MS Sans Serif", 8.25, false}, Dpi());
        ::SetWindowSubclass(text1_, &SaveWindow::Text1Proc, 0, reinterpret_cast<DWORD_PTR>(this));
        CreateCommonParts(kProfileLabelId, kProfileButtonId);
        ::SetFocus(text1_);
        return 0;
      }
      case WM_CTLCOLORSTATIC:
        if (auto brush = CtlColor(message, wParam, lParam)) return *brush;
        break;
      case WM_COMMAND:
        switch (LOWORD(wParam)) {
          case kProfileButtonId:
          case IDOK:  // Enter, through the dialog manager
            if (LOWORD(wParam) == IDOK || HIWORD(wParam) == BN_CLICKED) Save();
            return 0;
          case IDCANCEL:
            ::DestroyWindow(Window());
            return 0;
          default:
            break;
        }
        break;
      case WM_NCDESTROY:
        if (gSave == this) gSave = nullptr;
        delete this;
        return 0;
      default:
        break;
    }
    HWND window = Window();
    return ::DefWindowProcA(window, message, wParam, lParam);
  }

 private:
  void Save() {
    const int length = ::GetWindowTextLengthA(text1_);
    std::string name(static_cast<std::size_t>(length) + 1, '\0');
    ::GetWindowTextA(text1_, name.data(), length + 1);
    name.resize(static_cast<std::size_t>(length));
    // A failed save keeps the dialog and the name the user typed.
    if (main_.SaveProfile(name) == BhoProfiles::SaveOutcome::kSaved) ::DestroyWindow(Window());
  }

  // Typed characters take their upper-case form; Enter saves. Pasted text is left as it is.
  static LRESULT CALLBACK Text1Proc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR data) {
    auto* self = reinterpret_cast<SaveWindow*>(data);
    if (message == WM_CHAR) {
      if (wParam == static_cast<WPARAM>(kEnterKey)) {
        self->Save();
        return 0;
      }
      if (wParam < 256) {
        wParam = static_cast<unsigned char>(BhoProfiles::TypedCharacter(static_cast<char>(wParam)));
      }
    } else if (message == WM_NCDESTROY) {
      ::RemoveWindowSubclass(edit, &SaveWindow::Text1Proc, 0);
    }
    return ::DefSubclassProc(edit, message, wParam, lParam);
  }

  MainWindow& main_;
  HWND text1_ = nullptr;
};

}  // namespace

HWND frmSave::Show(MainWindow& main) {
  if (gSave != nullptr && gSave->Window() != nullptr) {
    ::SetForegroundWindow(gSave->Window());
    return gSave->Window();
  }
  auto dialog = std::make_unique<SaveWindow>(main);
  if (!dialog->Open()) return nullptr;
  gSave = dialog.release();
  ::ShowWindow(gSave->Window(), SW_SHOWNORMAL);
  ::UpdateWindow(gSave->Window());
  return gSave->Window();
}

HWND frmSave::Current() { return gSave != nullptr ? gSave->Window() : nullptr; }

void frmSave::Close() {
  if (HWND window = Current()) ::DestroyWindow(window);
}

}  // namespace plugwarden::win32
