#pragma once
// frmSave: the modeless save-profile dialog of the Configuration menu. It saves the main
// window's list through its presenter and closes itself after a save; one is open at a time:
// frmSave::Show(main) (`main` outlives it), Current(), Close().
#include <windows.h>

#include "plugwarden/main_window.h"
#include "plugwarden/win32/profile_dialog.h"

namespace plugwarden::win32 {

class frmSave : public ProfileDialog<frmSave> {
 public:
  using ProfileDialog::ProfileDialog;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  friend class shared::win32::ModelessWindow<frmSave>;
  friend class ProfileDialog<frmSave>;
  HWND Load();
  void Act();  // Save
  static LRESULT Text1Hook(void* self, HWND edit, UINT message, WPARAM wParam, LPARAM lParam);

  HWND text1_ = nullptr;
};

}  // namespace plugwarden::win32
