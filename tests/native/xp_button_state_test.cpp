#include <gtest/gtest.h>

#include "shared/xp_button_state.h"

namespace {

using namespace shared;

constexpr int kW = 75;
constexpr int kH = 23;

TEST(XPButtonStateTest, HoverPressReleaseAndDragOffLooks) {
  XPButtonState b;
  EXPECT_EQ(b.ShowRestLook(), kCellNormal);
  ButtonReaction hover = b.MouseMove(0, 10, 10, kW, kH);
  EXPECT_EQ(hover.cell, kCellHot);
  EXPECT_TRUE(hover.raise);
  EXPECT_TRUE(hover.startTimer);
  EXPECT_FALSE(b.MouseMove(0, 11, 10, kW, kH).startTimer) << "the running timer is not started again";
  EXPECT_EQ(b.MouseDown().cell, kCellPressed);
  EXPECT_EQ(b.MouseMove(kButtonLeft, 12, 10, kW, kH).cell, kCellPressed);
  ButtonReaction up = b.MouseUp();
  EXPECT_EQ(up.cell, kCellNormal) << "the hot look returns only with the next move";
  EXPECT_TRUE(up.raise);
  EXPECT_TRUE(b.TimerRunning());

  XPButtonState right;
  EXPECT_EQ(right.MouseMove(kButtonRight, 5, 5, kW, kH).cell, kCellHot) << "the right button hovers";
  EXPECT_EQ(right.MouseMove(kButtonLeft | kButtonRight, 5, 5, kW, kH).cell, kCellHot) << "only the left button alone";
  EXPECT_EQ(right.MouseDown().cell, kCellPressed);

  // Dragged off with the left button: pressed until the timer finds the pointer outside.
  EXPECT_TRUE(XPButtonState().MouseMove(kButtonLeft, -1, 5, kW, kH).startTimer) << "a move outside starts the timer";
  b = XPButtonState();
  b.MouseMove(0, 5, 5, kW, kH);
  b.MouseDown();
  ButtonReaction outside = b.MouseMove(kButtonLeft, 200, 5, kW, kH);
  EXPECT_FALSE(outside.cell) << "a captured move outside repaints nothing";
  EXPECT_FALSE(outside.raise);
  ButtonReaction tick = b.TimerTick(200, 5, kW, kH);
  EXPECT_EQ(tick.cell, kCellNormal);
  EXPECT_TRUE(tick.raise) << "MouseOut";
  EXPECT_TRUE(tick.stopTimer);
  EXPECT_FALSE(b.TimerRunning());
  EXPECT_FALSE(b.TimerTick(200, 5, kW, kH).raise) << "a stopped timer raises no second MouseOut";

  // The right and bottom edges count as inside, for moves and the timer alike.
  EXPECT_TRUE(PointerInside(kW, kH, kW, kH));
  EXPECT_FALSE(PointerInside(kW + 1, 0, kW, kH));
  EXPECT_FALSE(PointerInside(0, kH + 0.5, kW, kH));
  EXPECT_FALSE(PointerInside(-0.5, 0, kW, kH));
  XPButtonState edge;
  EXPECT_EQ(edge.MouseMove(0, kW, kH, kW, kH).cell, kCellHot);
  EXPECT_FALSE(edge.TimerTick(kW, kH, kW, kH).raise);
  EXPECT_TRUE(edge.TimerTick(kW, kH + 1, kW, kH).raise);
}

TEST(XPButtonStateTest, DisabledLooksAndTheStatesRestCell) {
  XPButtonState b;
  b.SetState(1);
  EXPECT_EQ(b.SetEnabled(false), kCellDisabled);
  EXPECT_EQ(b.ShowRestLook(), kCellDisabled);
  EXPECT_EQ(b.SetState(0), kCellDisabled);
  EXPECT_EQ(b.MouseUp().cell, kCellDisabled);
  EXPECT_EQ(b.SetEnabled(true), kCellNormal);

  EXPECT_EQ(b.SetState(1), kCellEmphasised);
  EXPECT_EQ(b.RestCell(), kCellEmphasised);
  EXPECT_EQ(b.SetState(7), kCellEmphasised) << "unknown State keeps the rest cell";
  EXPECT_EQ(b.State(), 7) << "but is stored";
  EXPECT_EQ(b.SetState(-1), kCellEmphasised);
  EXPECT_EQ(b.SetState(0), kCellNormal);
  EXPECT_EQ(b.SetState(2), kCellNormal);
  b.SetState(1);
  b.MouseMove(0, 1, 1, kW, kH);
  EXPECT_EQ(b.TimerTick(-5, 1, kW, kH).cell, kCellEmphasised) << "MouseOut returns to the State look";
}

TEST(GeometryTest, TinyControlsDropEmptyCopiesAndCaptionsCentre) {
  const NineSlicePlan plan = PlanNineSlice(6, 4);
  EXPECT_EQ(plan.count, 4) << "only the corners: edges of width 0 and height -2 are left out";
  for (int i = 0; i < plan.count; ++i) {
    EXPECT_GT(plan.copies[i].dstWidth, 0);
    EXPECT_GT(plan.copies[i].dstHeight, 0);
  }
  // Centring is measured on the real button under Wine; a caption wider than it overhangs both sides.
  EXPECT_EQ(CentredOffset(10, 30), -10);
}

}  // namespace
