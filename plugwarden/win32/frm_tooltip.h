#pragma once
// Tooltip: the borderless module information pop-up, shown next to the pointer. A click on it,
// or the focus going elsewhere, closes it; each request builds a fresh one. Its text and places
// come from plugwarden/tooltip.h.
#include <windows.h>

#include "plugwarden/tooltip.h"

namespace plugwarden::win32 {

inline constexpr int kToolTipTextId = 100;
inline constexpr int kToolTipGlyphId = 101;
// The pictures of the pop-up in the program's resources.
inline constexpr char kToolTipGlyphResource[] = "TOOLTIPGLYPH";
inline constexpr char kToolTipSideResource[] = "TOOLTIPSIDE";
inline constexpr char kToolTipEdgeResource[] = "TOOLTIPEDGE";

inline constexpr COLORREF kToolTipBackground = RGB(240, 236, 216);
inline constexpr COLORREF kToolTipTextColour = RGB(128, 108, 24);

class frmToolTip {
 public:
  // fillToolTip's content, then ShowAtCursor; an open pop-up closes first. nullptr when the
  // window cannot be made.
  static HWND ShowAtCursor(const ToolTipContent& content);
  // The open pop-up, or nullptr.
  static HWND Current();
  static void Close();
};

}  // namespace plugwarden::win32
