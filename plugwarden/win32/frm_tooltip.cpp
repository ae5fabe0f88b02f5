#include "plugwarden/win32/frm_tooltip.h"

namespace plugwarden::win32 {

using namespace shared::win32;

HWND frmToolTip::Load() {
  layout_ = LayOutToolTip(content_.width, content_.textHeight);
  TopLevelSpec shape;
  shape.className = "PlugwardenToolTip";
  shape.client = {0, 0, layout_.width, layout_.height};
  shape.style = WS_POPUP | WS_CLIPCHILDREN;
  // Unowned, and still out of the task bar.
  shape.exStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  HWND window = Create(shape);
  if (window == nullptr) return nullptr;

  POINT pointer{};
  ::GetCursorPos(&pointer);
  RECT frame{};
  ::GetWindowRect(window, &frame);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  ::GetMonitorInfoA(::MonitorFromPoint(pointer, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& work = monitor.rcWork;
  const ScreenPoint place = ShowAtCursorPlace({pointer.x, pointer.y}, frame.right - frame.left,
                                              frame.bottom - frame.top,
                                              {work.left, work.top, work.right - work.left, work.bottom - work.top}, Dpi());
  ::SetWindowPos(window, HWND_TOPMOST, place.x, place.y, 0, 0, SWP_NOSIZE);
  ::ShowWindow(window, SW_SHOW);
  ::SetForegroundWindow(window);
  ::UpdateWindow(window);
  return window;
}

LRESULT frmToolTip::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      CreateParts();
      return 0;
    case WM_ERASEBKGND: {
      RECT client{};
      ::GetClientRect(Window(), &client);
      ::FillRect(reinterpret_cast<HDC>(wParam), &client, background_.get());
      return 1;
    }
    case WM_PAINT:
      Paint();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      ::DestroyWindow(Window());
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) ::PostMessageA(Window(), WM_CLOSE, 0, 0);
      return 0;
    default:
      break;
  }
  return DefaultProc(message, wParam, lParam);
}

void frmToolTip::CreateParts() {
  background_.reset(::CreateSolidBrush(kToolTipBackground));
  HINSTANCE module = ::GetModuleHandleA(nullptr);
  glyph_.reset(static_cast<HBITMAP>(::LoadImageA(module, kToolTipGlyphResource, IMAGE_BITMAP, 0, 0, 0)));
  side_.reset(static_cast<HBITMAP>(::LoadImageA(module, kToolTipSideResource, IMAGE_BITMAP, 0, 0, 0)));
  edge_.reset(static_cast<HBITMAP>(::LoadImageA(module, kToolTipEdgeResource, IMAGE_BITMAP, 0, 0, 0)));
  // The text breaks at word boundaries inside its area; what lies below it is cut off. Clicks
  // go through the label to the window.
  LabelLook look;
  look.font = kFormFont;
  look.text = kToolTipTextColour;
  look.background = kToolTipBackground;
  CreateLabel(Window(), kToolTipTextId, content_.text, layout_.text, Dpi(), look, Looks());
}

void frmToolTip::Blit(HDC dc, HBITMAP bitmap, const shared::TwipsRect& place) {
  if (bitmap == nullptr) return;
  BITMAP info{};
  ::GetObjectA(bitmap, sizeof info, &info);
  UniqueMemoryDc source(::CreateCompatibleDC(dc));
  ScopedSelect selected(source.get(), bitmap);
  const shared::PixelRect r = shared::ToPixels(place, Dpi());
  ::SetStretchBltMode(dc, COLORONCOLOR);
  ::StretchBlt(dc, r.left, r.top, r.width, r.height, source.get(), 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
}

void frmToolTip::Paint() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(Window(), &ps);
  Blit(dc, glyph_.get(), layout_.image1);
  Blit(dc, edge_.get(), layout_.imgTop);
  Blit(dc, edge_.get(), layout_.imgBottom);
  Blit(dc, side_.get(), layout_.imgLeft);
  Blit(dc, side_.get(), layout_.imgRight);
  ::EndPaint(Window(), &ps);
}

}  // namespace plugwarden::win32
