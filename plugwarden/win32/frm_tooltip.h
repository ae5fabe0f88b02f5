#pragma once
// Tooltip: the borderless module information pop-up, shown next to the pointer. A click on it,
// or the focus going elsewhere, closes it; each request builds a fresh one. Its text and places
// come from plugwarden/tooltip.h.
#include <windows.h>

#include "plugwarden/tooltip.h"
#include "shared/win32/gdi_objects.h"
#include "shared/win32/window_kit.h"

namespace plugwarden::win32 {

inline constexpr int kToolTipTextId = 100;
inline constexpr int kToolTipGlyphId = 101;
// The pictures of the pop-up in the program's resources.
inline constexpr char kToolTipGlyphResource[] = "TOOLTIPGLYPH";
inline constexpr char kToolTipSideResource[] = "TOOLTIPSIDE";
inline constexpr char kToolTipEdgeResource[] = "TOOLTIPEDGE";

inline constexpr COLORREF kToolTipBackground = RGB(240, 236, 216);
inline constexpr COLORREF kToolTipTextColour = RGB(128, 108, 24);

// frmToolTip::ShowAtCursor(content): fillToolTip's content, then ShowAtCursor; an open pop-up
// closes first. nullptr when the window cannot be made. Current() and Close() as for every
// ModelessWindow.
class frmToolTip : public shared::win32::ModelessWindow<frmToolTip> {
 public:
  explicit frmToolTip(ToolTipContent content) : content_(std::move(content)) {}
  static HWND ShowAtCursor(const ToolTipContent& content) { return Reopen(content); }

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  friend class shared::win32::ModelessWindow<frmToolTip>;
  HWND Load();
  void CreateParts();
  void Blit(HDC dc, HBITMAP bitmap, const shared::TwipsRect& place);
  void Paint();

  ToolTipContent content_;
  ToolTipLayout layout_;
  shared::win32::UniqueBrush background_;
  shared::win32::UniqueBitmap glyph_, side_, edge_;
};

}  // namespace plugwarden::win32
