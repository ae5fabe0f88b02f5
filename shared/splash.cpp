#include "shared/splash.h"

#include "shared/maker.h"

namespace shared {
namespace {

const FontSpec kProductFont{"Arial", 32.25, true};
const FontSpec kVersionFont{"Arial", 12, true};
const FontSpec kSmallFont{"Arial", 8.25, false};

}  // namespace

SplashVariant PlugwardenSplash() {
  return {{
      {" Plugwarden", {2280, 720, 4470, 765}, kProductFont},
      {"Version 1.0.0", {6240, 1680, 1470, 285}, kVersionFont, true},
      {kCopyrightNotice, {5280, 4200, 2415, 255}, kSmallFont},
  }};
}

SplashVariant BootwardenSplash() {
  return {{
      {"Bootwarden", {2280, 720, 5100, 765}, kProductFont},
      {"Version 1.0.0", {6240, 1680, 1470, 285}, kVersionFont, true},
      {kCopyrightNotice, {5280, 4200, 2415, 255}, kSmallFont},
      {kMakerName, {5280, 3960, 2415, 255}, kSmallFont},
  }};
}

SplashAction SplashPresenter::TimerTick() {
  if (phase_ != SplashPhase::kShowing) return SplashAction::kNone;
  return SplashAction::kHandOver;
}

SplashAction SplashPresenter::Dismiss() {
  if (phase_ != SplashPhase::kShowing) return SplashAction::kNone;
  phase_ = SplashPhase::kEnded;
  return SplashAction::kClose;
}

}  // namespace shared
