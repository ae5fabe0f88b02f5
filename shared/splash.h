#pragma once
// The splash window's behaviour, shared by both programs: its layout and texts, and the one
// rule of its life: the first timer tick hands over to the main window; a key or a click on the
// frame before that ends the program. The window is shared/win32/frm_splash.h.
#include <string>
#include <vector>

#include "shared/about_box.h"
#include "shared/twips.h"

namespace shared {

inline constexpr unsigned kSplashHandOverMs = 1500;

struct SplashLabel {
  std::string text;
  TwipsRect place;
  FontSpec font;
  bool rightAligned = false;
};

struct SplashVariant {
  std::vector<SplashLabel> labels;  // product name, version, copyright (and Bootwarden's maker)
};
SplashVariant PlugwardenSplash();
SplashVariant BootwardenSplash();

inline constexpr TwipsRect kSplashClient{0, 0, 8175, 4815};
inline constexpr TwipsRect kSplashFrame{150, 60, 7905, 4635};

enum class SplashPhase { kShowing, kMainWindowOpen, kEnded };

// What the window must do next.
enum class SplashAction { kNone, kHandOver, kClose };

class SplashPresenter {
 public:
  SplashPhase Phase() const { return phase_; }
  // The timer's first tick: stop the timer, load and show the main window, then close.
  SplashAction TimerTick();
  // A key press anywhere on the splash, or a click on the frame: close; nothing else opens.
  SplashAction Dismiss();
  // The window reports whether the main window could be loaded.
  void HandedOver(bool mainWindowOpen) { phase_ = mainWindowOpen ? SplashPhase::kMainWindowOpen : SplashPhase::kEnded; }

 private:
  SplashPhase phase_ = SplashPhase::kShowing;
};

}  // namespace shared
