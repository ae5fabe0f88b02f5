#include "shared/win32/frm_splash.h"

namespace shared::win32 {
namespace {

constexpr char kSplashClass[] = "WardenSplash";
constexpr UINT_PTR kHandOverTimer = 1;
// Fixed dialog border, no caption bar; a tool window stays out of the task bar.
constexpr DWORD kSplashStyle = WS_POPUP | WS_DLGFRAME | WS_CLIPCHILDREN;
constexpr DWORD kSplashExStyle = WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME;

}  // namespace

HWND frmSplash::Load() {
  TopLevelSpec shape;
  shape.className = kSplashClass;
  shape.client = kSplashClient;
  shape.style = kSplashStyle;
  shape.exStyle = kSplashExStyle;
  shape.background = reinterpret_cast<HBRUSH>(COLOR_HIGHLIGHTTEXT + 1);
  if (Create(shape) == nullptr) return nullptr;
  // Centred on the work area of the primary screen.
  RECT outer{}, work{};
  ::GetWindowRect(Window(), &outer);
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  const int width = outer.right - outer.left;
  const int height = outer.bottom - outer.top;
  ::SetWindowPos(Window(), nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::ShowWindow(Window(), SW_SHOWNORMAL);
  ::UpdateWindow(Window());
  ::SetForegroundWindow(Window());
  ::SetFocus(Window());
  return Window();
}

void frmSplash::Carry(SplashAction action) {
  switch (action) {
    case SplashAction::kNone:
      return;
    case SplashAction::kHandOver: {
      ::KillTimer(Window(), kHandOverTimer);
      // The splash stays up while the main window loads: it goes only once that one is shown.
      HWND main = loadMain_ ? loadMain_() : nullptr;
      presenter_.HandedOver(main != nullptr);
      ::DestroyWindow(Window());
      if (main == nullptr) ::PostQuitMessage(0);
      return;
    }
    case SplashAction::kClose:
      ::KillTimer(Window(), kHandOverTimer);
      ::DestroyWindow(Window());
      ::PostQuitMessage(0);
      return;
  }
}

void frmSplash::MeasureLabels() {
  const PixelRect frame = ToPixels(kSplashFrame, Dpi());
  frame_ = RECT{frame.left, frame.top, frame.left + frame.width, frame.top + frame.height};
  labels_.clear();
  HDC dc = ::GetDC(Window());
  for (const SplashLabel& label : variant_.labels) {
    DrawnLabel drawn{&label, UniqueFont(CreatePointFont(label.font.face.c_str(), label.font.points, label.font.bold, Dpi())),
                     {}};
    const PixelRect design = ToPixels(label.place, Dpi());
    ScopedSelect font(dc, drawn.font ? static_cast<HGDIOBJ>(drawn.font.get()) : ::GetStockObject(DEFAULT_GUI_FONT));
    RECT extent{0, 0, 0, 0};
    ::DrawTextA(dc, label.text.c_str(), -1, &extent, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
    // Auto-sized: a left-aligned label keeps its left edge, a right-aligned one its right edge.
    const int width = extent.right - extent.left;
    const int left = frame_.left + (label.rightAligned ? design.left + design.width - width : design.left);
    const int top = frame_.top + design.top;
    drawn.place = RECT{left, top, left + width, top + (extent.bottom - extent.top)};
    labels_.push_back(std::move(drawn));
  }
  ::ReleaseDC(Window(), dc);
}

void frmSplash::Paint() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(Window(), &ps);
  // The caption-text colour is white in the standard scheme; where a scheme makes it the colour
  // of the text itself (Wine's is black), the labels would vanish, so the window colour stands in.
  const int background =
      ::GetSysColor(COLOR_CAPTIONTEXT) == ::GetSysColor(COLOR_BTNTEXT) ? COLOR_HIGHLIGHTTEXT : COLOR_CAPTIONTEXT;
  RECT frame = frame_;
  ::FillRect(dc, &frame, ::GetSysColorBrush(background));
  ::DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
  for (DrawnLabel& drawn : labels_) {
    ScopedSelect font(dc, drawn.font ? static_cast<HGDIOBJ>(drawn.font.get()) : ::GetStockObject(DEFAULT_GUI_FONT));
    ::DrawTextA(dc, drawn.label->text.c_str(), -1, &drawn.place, DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
  }
  ::EndPaint(Window(), &ps);
}

LRESULT frmSplash::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      MeasureLabels();
      ::SetTimer(Window(), kHandOverTimer, kSplashHandOverMs, nullptr);
      return 0;
    case WM_DPICHANGED:
      MeasureLabels();
      return 0;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_TIMER:
      if (wParam == kHandOverTimer) Carry(presenter_.TimerTick());
      return 0;
    case WM_GETDLGCODE:
      // Key preview: every key is the splash's. The programs' loop runs the dialog manager
      // first, which would take Escape, Enter and the arrows for commands and focus moves.
      return DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      // Any key but a lone modifier: Shift, Ctrl or Alt on its way to a combination is no press.
      if (wParam != VK_SHIFT && wParam != VK_CONTROL && wParam != VK_MENU) Carry(presenter_.Dismiss());
      return 0;
    case WM_LBUTTONDOWN: {
      // A click on a label, or on the border around the frame, does nothing; anywhere else on
      // the frame it closes the splash.
      const POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      if (!::PtInRect(&frame_, p)) return 0;
      for (const DrawnLabel& drawn : labels_)
        if (::PtInRect(&drawn.place, p)) return 0;
      Carry(presenter_.Dismiss());
      return 0;
    }
    default:
      break;
  }
  return DefaultProc(message, wParam, lParam);
}

}  // namespace shared::win32
