#pragma once
// frmSave: the modeless save-profile dialog of the Configuration menu. It saves the main
// window's list through its presenter and closes itself after a save; one is open at a time.
#include <windows.h>

#include "plugwarden/main_window.h"

namespace plugwarden::win32 {

// Control IDs of both profile dialogs (1 and 2 belong to the dialog manager's Enter and Escape).
inline constexpr int kProfileLabelId = 100;
inline constexpr int kProfileInputId = 101;   // Text1 / Combo1
inline constexpr int kProfileButtonId = 102;  // cmdSave / cmdLoad

class frmSave {
 public:
  // Loads and shows the dialog, or brings the open one forward. `main` outlives it.
  static HWND Show(MainWindow& main);
  static HWND Current();
  // Closes it without further events (the program is ending).
  static void Close();
};

}  // namespace plugwarden::win32
