#pragma once
// frmLoad: the modeless load-profile dialog of the Configuration menu. It replaces the main
// window's rows through its presenter and closes itself after a load; one is open at a time.
#include <windows.h>

#include "plugwarden/main_window.h"
#include "plugwarden/win32/frm_save.h"

namespace plugwarden::win32 {

class frmLoad {
 public:
  static HWND Show(MainWindow& main);
  static HWND Current();
  static void Close();
};

}  // namespace plugwarden::win32
