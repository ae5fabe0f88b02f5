#include "plugwarden/win32/frm_save.h"

#include <commctrl.h>

#include "plugwarden/bho_profiles.h"

namespace plugwarden::win32 {

using namespace shared::win32;

HWND frmSave::Load() { return Open("PlugwardenSave", SaveDialogTexts(main_.Language()), kSaveDialogLayout); }

LRESULT frmSave::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) {
    text1_ = CreateControl(Window(), WC_EDITA, kProfileInputId, "", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE,
                           layout_.input, Dpi());
    Looks().SetFont(text1_, kProfileFont, Dpi());
    HookControl(text1_, &frmSave::Text1Hook, this);
    CreateCommonParts(kProfileLabelId, kProfileButtonId);
    ::SetFocus(text1_);
    return 0;
  }
  return HandleCommonMessage(message, wParam, lParam);
}

void frmSave::Act() {
  const int length = ::GetWindowTextLengthA(text1_);
  std::string name(static_cast<std::size_t>(length) + 1, '\0');
  ::GetWindowTextA(text1_, name.data(), length + 1);
  name.resize(static_cast<std::size_t>(length));
  // A failed save keeps the dialog and the name the user typed.
  if (main_.SaveProfile(name) == BhoProfiles::SaveOutcome::kSaved) ::DestroyWindow(Window());
}

// Typed characters take their upper-case form; Enter saves. Pasted text is left as it is.
LRESULT frmSave::Text1Hook(void* self, HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CHAR) {
    if (wParam == static_cast<WPARAM>(kEnterKey)) {
      static_cast<frmSave*>(self)->Act();
      return 0;
    }
    if (wParam < 256) wParam = static_cast<unsigned char>(BhoProfiles::TypedCharacter(static_cast<char>(wParam)));
  }
  return ::DefSubclassProc(edit, message, wParam, lParam);
}

}  // namespace plugwarden::win32
