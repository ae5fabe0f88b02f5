#pragma once
// frmSplash: the first window of both programs. After 1500 ms it loads the main window through
// `loadMain` and closes; a key press, or a click on its frame, before that closes it and ends the
// program (WM_QUIT) without a main window. Behaviour: shared/splash.h.
#include <windows.h>

#include <functional>
#include <vector>

#include "shared/splash.h"
#include "shared/win32/gdi_objects.h"
#include "shared/win32/window_kit.h"

namespace shared::win32 {

// frmSplash::Show(variant, loadMain): `loadMain` creates and shows the main window and returns
// it, or nullptr when the program is not to go on (the program then ends). Show returns the
// splash window, or nullptr when it cannot be created.
class frmSplash : public ModelessWindow<frmSplash> {
 public:
  frmSplash(SplashVariant variant, std::function<HWND()> loadMain)
      : variant_(std::move(variant)), loadMain_(std::move(loadMain)) {}

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  friend class ModelessWindow<frmSplash>;
  struct DrawnLabel {
    const SplashLabel* label;
    UniqueFont font;
    RECT place;  // auto-sized to the text, in client pixels
  };

  HWND Load();
  void Carry(SplashAction action);
  void MeasureLabels();
  void Paint();

  SplashVariant variant_;
  std::function<HWND()> loadMain_;
  SplashPresenter presenter_;
  RECT frame_{};  // Frame1, in client pixels
  std::vector<DrawnLabel> labels_;
};

}  // namespace shared::win32
