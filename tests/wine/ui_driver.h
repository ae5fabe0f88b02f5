#pragma once
// The UI tests' driver: plays the user at real windows in process under Wine and Xvfb (the
// messages a user's clicks and keys produce) and reads back what the windows show.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "shared/win32/language_combo.h"

namespace testing_support {

// Handles the messages waiting, through the programs' own loop's translation (dialog manager).
void Pump();
// Pumps until WM_QUIT or the time is up; true when WM_QUIT came.
bool RunUntilQuit(DWORD milliseconds);

std::string WindowText(HWND window);
// A click as the mouse gives it: down and up inside the control.
void Click(HWND control);
// A menu item chosen on `window`.
void Command(HWND window, int id);
// What a user's click on row `position` (1-based) does to a list control.
void SelectRow(HWND list, int position);
// Picks the item with `text` in the image combo and tells its parent as a user's choice does;
// false when there is no such item.
bool Choose(const shared::win32::LanguageCombo& combo, const std::string& text);

// Window rect on the screen, and in the parent's client coordinates.
RECT ScreenRect(HWND window);
RECT RectInParent(HWND control);

// A window's client area, read once (GetPixel per pixel is slow under Wine); repainted first.
class Capture {
 public:
  explicit Capture(HWND window);
  COLORREF At(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  int width_ = 0, height_ = 0;
  std::vector<COLORREF> pixels_;
};

// Plays the user at the common file dialog: a helper thread waits for the next file dialog of this
// process, types a path into its file name box and presses OK, or presses Cancel. The dialog runs
// modally on the test's thread, as in the programs.
class FileDialogDriver {
 public:
  // path "" presses Cancel. The driver gives up after timeoutMs without a dialog.
  explicit FileDialogDriver(std::string path, DWORD timeoutMs = 15000);
  ~FileDialogDriver();
  FileDialogDriver(const FileDialogDriver&) = delete;
  FileDialogDriver& operator=(const FileDialogDriver&) = delete;

  // Waits for the thread; true when a dialog was found and answered.
  bool Answered();

 private:
  void Run();
  std::string path_;
  DWORD timeoutMs_;
  std::atomic<bool> answered_{false};
  std::thread thread_;
};

}  // namespace testing_support
