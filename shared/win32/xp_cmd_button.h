#pragma once
// XPCmdButton: the one push button of both programs, a window class of its own that paints
// itself from the skin strip. Its looks follow shared::XPButtonState.
//
// To its holder (the parent window) it speaks like a push button: a click is WM_COMMAND with
// BN_CLICKED; mouse, key and MouseOut events come as WM_NOTIFY with an XPCmdButtonNotify. The
// caption is the window text ("&" marks the access key, drawn underlined); the font comes with
// WM_SETFONT; enabling is EnableWindow. It answers WM_GETDLGCODE as a push button, so the dialog
// manager (IsDialogMessage) handles its access key, Tab, Space and Enter. Accessibility tools see
// a push button named by its caption (WM_GETOBJECT).
#include <windows.h>

#include <cstdint>

namespace shared::win32 {

inline constexpr char kXPCmdButtonClass[] = "XPCmdButton";

// WM_NOTIFY codes (positive: the common controls' codes are all negative).
inline constexpr UINT kXpnMouseDown = 1;
inline constexpr UINT kXpnMouseMove = 2;
inline constexpr UINT kXpnMouseUp = 3;
inline constexpr UINT kXpnMouseOut = 4;
inline constexpr UINT kXpnKeyDown = 5;
inline constexpr UINT kXpnKeyPress = 6;
inline constexpr UINT kXpnKeyUp = 7;

struct XPCmdButtonNotify {
  NMHDR hdr;
  std::int16_t button;    // mouse events: 1 left, 2 right, 4 middle (or-ed for moves)
  std::int16_t shift;     // mouse and key events: 1 Shift, 2 Ctrl, 4 Alt
  float x;                // mouse events: client pixels
  float y;
  std::int16_t keyCode;   // KeyDown, KeyUp: the virtual-key code
  std::int16_t keyAscii;  // KeyPress: the character
};

// Control messages.
inline constexpr UINT kXpbmSetState = WM_USER + 1;    // wParam: the State value; repaints at rest
inline constexpr UINT kXpbmGetState = WM_USER + 2;    // returns State
inline constexpr UINT kXpbmGetRestCell = WM_USER + 3; // returns RestCell
inline constexpr UINT kXpbmGetCell = WM_USER + 4;     // returns the cell the control shows now
inline constexpr UINT kXpbmIsHoverTimerOn = WM_USER + 5;  // returns 1 while the hover timer runs

// The skin strip's resource name (a BITMAP in shared/win32/warden_ui.rc).
inline constexpr char kSkinStripResource[] = "XPSKINSTRIP";

// Registers the class once for this module; false when registration failed.
bool RegisterXPCmdButton();

// A child button of `parent` with the control ID `id`. `style` adds to WS_CHILD | WS_VISIBLE |
// WS_TABSTOP (for example BS_DEFPUSHBUTTON or WS_DISABLED). The holder sends its font.
HWND CreateXPCmdButton(HWND parent, int id, const char* caption, int x, int y, int width, int height,
                       DWORD style = 0);

}  // namespace shared::win32
