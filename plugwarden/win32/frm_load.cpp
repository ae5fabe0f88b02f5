#include "plugwarden/win32/frm_load.h"

#include <commctrl.h>

namespace plugwarden::win32 {

using namespace shared::win32;

HWND frmLoad::Load() { return Open("PlugwardenLoad", LoadDialogTexts(main_.Language()), kLoadDialogLayout); }

LRESULT frmLoad::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) {
    CreateParts();
    return 0;
  }
  return HandleCommonMessage(message, wParam, lParam);
}

void frmLoad::CreateParts() {
  // A list of the names found: nothing to type into. The design height is the closed field's;
  // the drop-down gets room for a few names.
  shared::TwipsRect dropDown = layout_.input;
  dropDown.height *= 8;
  combo1_ = CreateControl(Window(), WC_COMBOBOXA, kProfileInputId, "", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0,
                          dropDown, Dpi());
  Looks().SetFont(combo1_, kProfileFont, Dpi());
  names_ = main_.ProfileNames();
  for (const std::string& name : names_) ::SendMessageA(combo1_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  if (!names_.empty()) ::SendMessageA(combo1_, CB_SETCURSEL, 0, 0);
  CreateCommonParts(kProfileLabelId, kProfileButtonId);
  ::SetFocus(combo1_);
}

void frmLoad::Act() {
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

}  // namespace plugwarden::win32
