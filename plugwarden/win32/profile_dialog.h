#pragma once
// What frmSave and frmLoad share: a fixed single border with a close box only, a fixed place on
// the screen, the reading order and three texts, a bold label, one input and one button.
#include <windows.h>

#include "plugwarden/main_window.h"
#include "plugwarden/profile_dialogs.h"
#include "shared/win32/frm_about.h"
#include "shared/win32/window_kit.h"
#include "shared/win32/xp_cmd_button.h"

namespace plugwarden::win32 {

// Control IDs of both profile dialogs (1 and 2 belong to the dialog manager's Enter and Escape).
inline constexpr int kProfileLabelId = 100;
inline constexpr int kProfileInputId = 101;   // Text1 / Combo1
inline constexpr int kProfileButtonId = 102;  // cmdSave / cmdLoad

// One open at a time: T::Show(main) loads it or brings it forward (ModelessWindow).
template <typename T>
class ProfileDialog : public shared::win32::ModelessWindow<T> {
 public:
  explicit ProfileDialog(MainWindow& main) : main_(main) {}

 protected:
  using Base = shared::win32::ModelessWindow<T>;

  HWND Open(const char* className, const ProfileDialogTexts& texts, const ProfileDialogLayout& layout) {
    texts_ = texts;
    layout_ = layout;
    shared::win32::TopLevelSpec shape;
    shape.className = className;
    shape.caption = texts.caption;
    shape.client = layout.client;
    shape.placeAtClientOrigin = true;
    shape.owner = shared::win32::HiddenOwnerWindow();  // out of the task bar, like the about box
    if (Base::Create(shape) == nullptr) return nullptr;
    ::ShowWindow(Base::Window(), SW_SHOWNORMAL);
    ::UpdateWindow(Base::Window());
    return Base::Window();
  }

  // The button, Enter (IDOK from the dialog manager) and Escape; the rest is the default.
  LRESULT HandleCommonMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
      switch (LOWORD(wParam)) {
        case kProfileButtonId:
        case IDOK:
          if (LOWORD(wParam) == IDOK || HIWORD(wParam) == BN_CLICKED) static_cast<T*>(this)->Act();
          return 0;
        case IDCANCEL:
          ::DestroyWindow(Base::Window());
          return 0;
        default:
          break;
      }
    }
    return Base::DefaultProc(message, wParam, lParam);
  }

  // The label and the button; the input is the dialog's own.
  void CreateCommonParts(int labelId, int buttonId) {
    using namespace shared::win32;
    HWND window = Base::Window();
    CreateLabel(window, labelId, texts_.label, layout_.label, Base::Dpi(), LabelLook{{"Arial", 8.25, true}},
                Base::Looks());
    HWND button = CreateXPCmdButton(window, buttonId, texts_.button.c_str(), 0, 0, 0, 0);
    SetDesignRect(button, layout_.button);
    PlaceAtDesignRect(button, Base::Dpi());
    Base::Looks().SetFont(button, kProfileFont, Base::Dpi());
    if (texts_.rightToLeft) SetRightToLeft(window, true, Base::Dpi());
  }

  static inline const shared::FontSpec& kProfileFont = shared::win32::kFormFont;

  MainWindow& main_;
  ProfileDialogTexts texts_;
  ProfileDialogLayout layout_{};
};

}  // namespace plugwarden::win32
