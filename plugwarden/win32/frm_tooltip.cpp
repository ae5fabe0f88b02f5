#include "plugwarden/win32/frm_tooltip.h"

#include <memory>

#include "shared/win32/gdi_objects.h"
#include "shared/win32/window_kit.h"

namespace plugwarden::win32 {
namespace {

using namespace shared::win32;

class ToolTipWindow;
// The one pop-up; it owns itself and is freed when its window goes.
ToolTipWindow* gCurrent = nullptr;

class ToolTipWindow : public WindowBase<ToolTipWindow> {
 public:
  explicit ToolTipWindow(ToolTipContent content) : content_(std::move(content)) {}

  bool Open() {
    layout_ = LayOutToolTip(content_.width, content_.textHeight);
    TopLevelSpec windowShape;
    windowShape.className = "PlugwardenToolTip";
    windowShape.client = {0, 0, layout_.width, layout_.height};
    windowShape.style = WS_POPUP | WS_CLIPCHILDREN;
    // Unowned, and still out of the task bar.
    windowShape.exStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    return Create(windowShape) != nullptr;
  }

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
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
      case WM_CTLCOLORSTATIC:
        if (auto brush = looks_.OnCtlColor(message, wParam, lParam)) return *brush;
        break;
      case WM_LBUTTONDOWN:
      case WM_RBUTTONDOWN:
      case WM_MBUTTONDOWN:
        ::DestroyWindow(Window());
        return 0;
      case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) ::PostMessageA(Window(), WM_CLOSE, 0, 0);
        return 0;
      case WM_NCDESTROY:
        if (gCurrent == this) gCurrent = nullptr;
        delete this;
        return 0;
      default:
        break;
    }
    HWND window = Window();
    return ::DefWindowProcA(window, message, wParam, lParam);
  }

 private:
  void CreateParts() {
    background_.reset(::CreateSolidBrush(kToolTipBackground));
    HINSTANCE module = ::GetModuleHandleA(nullptr);
    glyph_.reset(static_cast<HBITMAP>(::LoadImageA(module, kToolTipGlyphResource, IMAGE_BITMAP, 0, 0, 0)));
    side_.reset(static_cast<HBITMAP>(::LoadImageA(module, kToolTipSideResource, IMAGE_BITMAP, 0, 0, 0)));
    edge_.reset(static_cast<HBITMAP>(::LoadImageA(module, kToolTipEdgeResource, IMAGE_BITMAP, 0, 0, 0)));
    // The text breaks at word boundaries inside its area; what lies below it is cut off. Clicks
    // go through the label to the window.
    LabelLook look;
    look.font = {"MS Sans Serif", 8.25, false};
    look.text = kToolTipTextColour;
    look.background = kToolTipBackground;
    CreateLabel(Window(), kToolTipTextId, content_.text, layout_.text, Dpi(), look, looks_);
  }

  void Blit(HDC dc, HBITMAP bitmap, const shared::TwipsRect& place) {
    if (bitmap == nullptr) return;
    BITMAP info{};
    ::GetObjectA(bitmap, sizeof info, &info);
    UniqueMemoryDc source(::CreateCompatibleDC(dc));
    ScopedSelect selected(source.get(), bitmap);
    const shared::PixelRect r = shared::ToPixels(place, Dpi());
    ::SetStretchBltMode(dc, COLORONCOLOR);
    ::StretchBlt(dc, r.left, r.top, r.width, r.height, source.get(), 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
  }

  void Paint() {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(Window(), &ps);
    Blit(dc, glyph_.get(), layout_.image1);
    Blit(dc, edge_.get(), layout_.imgTop);
    Blit(dc, edge_.get(), layout_.imgBottom);
    Blit(dc, side_.get(), layout_.imgLeft);
    Blit(dc, side_.get(), layout_.imgRight);
    ::EndPaint(Window(), &ps);
  }

  ToolTipContent content_;
  ToolTipLayout layout_;
  ControlLooks looks_;
  UniqueBrush background_;
  UniqueBitmap glyph_, side_, edge_;
};

}  // namespace

HWND frmToolTip::ShowAtCursor(const ToolTipContent& content) {
  Close();
  auto tip = std::make_unique<ToolTipWindow>(content);
  if (!tip->Open()) return nullptr;
  HWND window = tip->Window();
  gCurrent = tip.release();

  POINT pointer{};
  ::GetCursorPos(&pointer);
  RECT frame{};
  ::GetWindowRect(window, &frame);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  ::GetMonitorInfoA(::MonitorFromPoint(pointer, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& work = monitor.rcWork;
  const ScreenPoint place = ShowAtCursorPlace(
      {pointer.x, pointer.y}, frame.right - frame.left, frame.bottom - frame.top,
      {work.left, work.top, work.right - work.left, work.bottom - work.top}, WindowDpi(window));
  ::SetWindowPos(window, HWND_TOPMOST, place.x, place.y, 0, 0, SWP_NOSIZE);
  ::ShowWindow(window, SW_SHOW);
  ::SetForegroundWindow(window);
  ::UpdateWindow(window);
  return window;
}

HWND frmToolTip::Current() { return gCurrent != nullptr ? gCurrent->Window() : nullptr; }

void frmToolTip::Close() {
  if (gCurrent != nullptr && gCurrent->Window() != nullptr) ::DestroyWindow(gCurrent->Window());
}

}  // namespace plugwarden::win32
