#pragma once
// frmLoad: the modeless load-profile dialog of the Configuration menu. It replaces the main
// window's rows through its presenter and closes itself after a load; one is open at a time:
// frmLoad::Show(main), Current(), Close().
#include <windows.h>

#include <string>
#include <vector>

#include "plugwarden/main_window.h"
#include "plugwarden/win32/profile_dialog.h"

namespace plugwarden::win32 {

class frmLoad : public ProfileDialog<frmLoad> {
 public:
  using ProfileDialog::ProfileDialog;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  friend class shared::win32::ModelessWindow<frmLoad>;
  friend class ProfileDialog<frmLoad>;
  HWND Load();
  void CreateParts();
  void Act();  // Load

  HWND combo1_ = nullptr;
  std::vector<std::string> names_;
};

}  // namespace plugwarden::win32
