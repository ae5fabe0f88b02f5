#pragma once
// The command button's behaviour without the window: which skin cell it shows after which event,
// when its hover timer runs, where its caption goes and which copies paint a cell. The Win32
// control (shared/win32/xp_cmd_button.h) feeds it messages and carries out what it answers.
#include <array>
#include <cstdint>
#include <optional>

namespace shared {

// Cells of the skin strip.
inline constexpr int kCellNormal = 0;
inline constexpr int kCellPressed = 1;
inline constexpr int kCellDisabled = 2;
inline constexpr int kCellHot = 3;
inline constexpr int kCellEmphasised = 4;

inline constexpr int kSkinCellWidth = 18;
inline constexpr int kSkinCellHeight = 21;
inline constexpr int kSkinCellCount = 5;

// Mouse buttons and shift keys as the events report them.
inline constexpr std::int16_t kButtonLeft = 1;
inline constexpr std::int16_t kButtonRight = 2;
inline constexpr std::int16_t kButtonMiddle = 4;
inline constexpr std::int16_t kShiftShift = 1;
inline constexpr std::int16_t kShiftCtrl = 2;
inline constexpr std::int16_t kShiftAlt = 4;

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};
inline constexpr Rgb kCaptionEnabled{0, 0, 0};
inline constexpr Rgb kCaptionDisabled{161, 161, 146};

// What the control does in answer to one input.
struct ButtonReaction {
  std::optional<int> cell;  // the cell to paint, if any
  bool raise = false;       // raise the event that belongs to the input
  bool startTimer = false;
  bool stopTimer = false;
};

class XPButtonState {
 public:
  std::int32_t State() const { return state_; }
  std::int16_t RestCell() const { return restCell_; }
  bool Enabled() const { return enabled_; }
  bool TimerRunning() const { return timerRunning_; }
  Rgb CaptionColour() const { return enabled_ ? kCaptionEnabled : kCaptionDisabled; }

  // Any value is kept; only 0 and 1 choose a rest cell (ShowRestLook).
  int SetState(std::int32_t state);
  int SetEnabled(bool enabled);
  // Works out the rest cell and returns the cell to paint at rest.
  int ShowRestLook();

  ButtonReaction MouseDown();
  // Position in client pixels; both bounds inclusive.
  ButtonReaction MouseMove(std::int16_t button, double x, double y, int clientWidth, int clientHeight);
  ButtonReaction MouseUp();
  // A tick of the hover timer with the pointer's client position.
  ButtonReaction TimerTick(double x, double y, int clientWidth, int clientHeight);

 private:
  std::int32_t state_ = 0;
  std::int16_t restCell_ = kCellNormal;
  bool enabled_ = true;
  bool timerRunning_ = false;
};

// The pointer rule shared by mouse moves and the hover timer: the right and bottom edges count as
// inside.
bool PointerInside(double x, double y, int clientWidth, int clientHeight);

// One copy of the nine-slice paint: destination in client pixels, source within the cell.
struct SliceCopy {
  int dstX, dstY, dstWidth, dstHeight;
  int srcX, srcY, srcWidth, srcHeight;
  friend bool operator==(const SliceCopy&, const SliceCopy&) = default;
};

// The nine copies that paint a whole client area from one cell, in painting order: four corners,
// four edges, centre. A copy with no extent (a control narrower or lower than two corners) is left
// out rather than mirrored over the corners.
struct NineSlicePlan {
  std::array<SliceCopy, 9> copies{};
  int count = 0;
};
NineSlicePlan PlanNineSlice(int clientWidth, int clientHeight);

// Top-left position that centres an extent of `inner` in `outer` (a plain halving, floored).
int CentredOffset(int outer, int inner);

}  // namespace shared
