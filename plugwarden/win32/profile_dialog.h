#pragma once
// What frmSave and frmLoad share: a fixed single border with a close box only, a fixed place on
// the screen, the reading order and three texts, a bold label, one input and one button.
#include <windows.h>

#include "plugwarden/profile_dialogs.h"
#include "shared/win32/frm_about.h"
#include "shared/win32/window_kit.h"
#include "shared/win32/xp_cmd_button.h"

namespace plugwarden::win32 {

template <typename T>
class ProfileDialog : public shared::win32::WindowBase<T> {
 protected:
  using Base = shared::win32::WindowBase<T>;

  HWND Open(const char* className, const ProfileDialogTexts& texts, const ProfileDialogLayout& layout) {
    texts_ = texts;
    layout_ = layout;
    shared::win32::TopLevelSpec windowShape;
    windowShape.className = className;
    windowShape.caption = texts.caption;
    windowShape.client = layout.client;
    windowShape.placeAtClientOrigin = true;
    windowShape.owner = shared::win32::HiddenOwnerWindow();  // out of the task bar, like the about box
    return Base::Create(windowShape);
  }

  // The label and the button; the input is the dialog's own.
  void CreateCommonParts(int labelId, int buttonId) {
    using namespace shared::win32;
    HWND window = Base::Window();
    CreateLabel(window, labelId, texts_.label, layout_.label, Base::Dpi(), LabelLook{{"Arial", 8.25, true}}, looks_);
    HWND button = CreateXPCmdButton(window, buttonId, texts_.button.c_str(), 0, 0, 0, 0);
    SetDesignRect(button, layout_.button);
    PlaceAtDesignRect(button, Base::Dpi());
    looks_.SetFont(button, {"MS Sans Serif", 8.25, false}, Base::Dpi());
    if (texts_.rightToLeft) SetRightToLeft(window, true, Base::Dpi());
  }

  std::optional<LRESULT> CtlColor(UINT message, WPARAM wParam, LPARAM lParam) {
    return looks_.OnCtlColor(message, wParam, lParam);
  }

  ProfileDialogTexts texts_;
  ProfileDialogLayout layout_{};
  shared::win32::ControlLooks looks_;
};

}  // namespace plugwarden::win32
