#pragma once
// frmSplash: the first window of both programs. After 1500 ms it loads the main window through
// `loadMain` and closes; a key press, or a click on its frame, before that closes it and ends the
// program (WM_QUIT) without a main window. Behaviour: shared/splash.h.
#include <windows.h>

#include <functional>

#include "shared/splash.h"

namespace shared::win32 {

inline constexpr int kSplashFrameId = 100;

class frmSplash {
 public:
  // `loadMain` creates and shows the main window and returns it, or nullptr when the program is
  // not to go on (the program then ends). Returns the splash window, or nullptr when it cannot
  // be created.
  static HWND Show(const SplashVariant& variant, std::function<HWND()> loadMain);
};

}  // namespace shared::win32
