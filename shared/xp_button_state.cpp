#include "shared/xp_button_state.h"

#include <cmath>

namespace shared {

int XPButtonState::SetState(std::int32_t state) {
  state_ = state;
  return ShowRestLook();
}

int XPButtonState::SetEnabled(bool enabled) {
  enabled_ = enabled;
  return ShowRestLook();
}

int XPButtonState::ShowRestLook() {
  if (state_ == 1) {
    restCell_ = kCellEmphasised;
  } else if (state_ == 0) {
    restCell_ = kCellNormal;
  }
  return enabled_ ? restCell_ : kCellDisabled;
}

ButtonReaction XPButtonState::MouseDown() {
  return {.cell = kCellPressed, .raise = true};
}

ButtonReaction XPButtonState::MouseMove(std::int16_t button, double x, double y, int clientWidth, int clientHeight) {
  // The timer starts with every move, even one outside (seen while the mouse is captured).
  ButtonReaction reaction;
  reaction.startTimer = !timerRunning_;
  timerRunning_ = true;
  if (PointerInside(x, y, clientWidth, clientHeight)) {
    reaction.raise = true;
    reaction.cell = button == kButtonLeft ? kCellPressed : kCellHot;
  }
  return reaction;
}

ButtonReaction XPButtonState::MouseUp() {
  return {.cell = ShowRestLook(), .raise = true};
}

ButtonReaction XPButtonState::TimerTick(double x, double y, int clientWidth, int clientHeight) {
  if (!timerRunning_ || PointerInside(x, y, clientWidth, clientHeight)) return {};
  timerRunning_ = false;
  return {.cell = ShowRestLook(), .raise = true, .stopTimer = true};
}

bool PointerInside(double x, double y, int clientWidth, int clientHeight) {
  return x >= 0 && y >= 0 && x <= clientWidth && y <= clientHeight;
}

NineSlicePlan PlanNineSlice(int clientWidth, int clientHeight) {
  const int w = clientWidth;
  const int h = clientHeight;
  const int right = w - 3;
  const int bottom = h - 3;
  const int innerW = w - 6;
  const int innerH = h - 6;
  const SliceCopy all[9] = {
      {0, 0, 3, 3, 0, 0, 3, 3},                     // top-left corner
      {right, 0, 3, 3, 15, 0, 3, 3},                // top-right corner
      {right, bottom, 3, 3, 15, 18, 3, 3},          // bottom-right corner
      {0, bottom, 3, 3, 0, 18, 3, 3},               // bottom-left corner
      {3, 0, innerW, 3, 3, 0, 12, 3},               // top edge
      {right, 3, 3, innerH, 15, 3, 3, 15},          // right edge
      {0, 3, 3, innerH, 0, 3, 3, 15},               // left edge
      {3, bottom, innerW, 3, 3, 18, 12, 3},         // bottom edge
      {3, 3, innerW, innerH, 3, 3, 12, 15},         // centre
  };
  NineSlicePlan plan;
  for (const SliceCopy& copy : all) {
    if (copy.dstWidth > 0 && copy.dstHeight > 0) plan.copies[plan.count++] = copy;
  }
  return plan;
}

int CentredOffset(int outer, int inner) {
  return static_cast<int>(std::floor((outer - inner) / 2.0));
}

}  // namespace shared
