#include "shared/win32/frm_splash.h"

#include <new>
#include <vector>

#include "shared/win32/gdi_objects.h"

namespace shared::win32 {
namespace {

constexpr char kSplashClass[] = "WardenSplash";
constexpr char kFrameClass[] = "WardenSplashFrame";
constexpr UINT_PTR kHandOverTimer = 1;
// Fixed dialog border, no caption bar; a tool window stays out of the task bar.
constexpr DWORD kSplashStyle = WS_POPUP | WS_DLGFRAME | WS_CLIPCHILDREN;
constexpr DWORD kSplashExStyle = WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME;

bool gAdopted = false;

struct DrawnLabel {
  const SplashLabel* label;
  UniqueFont font;
  RECT place;  // auto-sized to the text, in frame pixels
};

class SplashWindow {
 public:
  SplashWindow(SplashVariant variant, std::function<HWND()> loadMain)
      : variant_(std::move(variant)), loadMain_(std::move(loadMain)) {}

  HWND Create();
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleFrameMessage(HWND frame, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void Carry(SplashAction action);
  void MeasureLabels(HWND frame);
  void PaintFrame(HWND frame);

  SplashVariant variant_;
  std::function<HWND()> loadMain_;
  SplashPresenter presenter_;
  HWND window_ = nullptr;
  int dpi_ = 96;
  std::vector<DrawnLabel> labels_;
};

template <typename Member>
LRESULT CALLBACK Trampoline(HWND window, UINT message, WPARAM wParam, LPARAM lParam, Member member) {
  auto* self = reinterpret_cast<SplashWindow*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
  if (message == WM_NCCREATE) {
    self = static_cast<SplashWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  if (self == nullptr) return ::DefWindowProcA(window, message, wParam, lParam);
  return (self->*member)(window, message, wParam, lParam);
}

LRESULT CALLBACK SplashProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) gAdopted = true;
  auto* self = reinterpret_cast<SplashWindow*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
  const LRESULT result = Trampoline(window, message, wParam, lParam, &SplashWindow::HandleMessage);
  if (message == WM_NCDESTROY && self != nullptr) delete self;
  return result;
}

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return Trampoline(window, message, wParam, lParam, &SplashWindow::HandleFrameMessage);
}

HWND SplashWindow::Create() {
  if (!RegisterClassOnce(kSplashClass, SplashProc, reinterpret_cast<HBRUSH>(COLOR_HIGHLIGHTTEXT + 1)) ||
      !RegisterClassOnce(kFrameClass, FrameProc, reinterpret_cast<HBRUSH>(COLOR_CAPTIONTEXT + 1)))
    return nullptr;
  dpi_ = WindowDpi(nullptr);
  const PixelRect client = ToPixels(kSplashClient, dpi_);
  RECT frame{0, 0, client.width, client.height};
  ::AdjustWindowRectEx(&frame, kSplashStyle, FALSE, kSplashExStyle);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  // Centred on the work area of the primary screen.
  RECT work{};
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  const int x = work.left + (work.right - work.left - width) / 2;
  const int y = work.top + (work.bottom - work.top - height) / 2;
  return ::CreateWindowExA(kSplashExStyle, kSplashClass, "", kSplashStyle, x, y, width, height, nullptr, nullptr,
                           ::GetModuleHandleA(nullptr), this);
}

void SplashWindow::Carry(SplashAction action) {
  switch (action) {
    case SplashAction::kNone:
      return;
    case SplashAction::kHandOver: {
      ::KillTimer(window_, kHandOverTimer);
      // The splash stays up while the main window loads: it goes only once that one is shown.
      HWND main = loadMain_ ? loadMain_() : nullptr;
      presenter_.HandedOver(main != nullptr);
      ::DestroyWindow(window_);
      if (main == nullptr) ::PostQuitMessage(0);
      return;
    }
    case SplashAction::kClose:
      ::KillTimer(window_, kHandOverTimer);
      ::DestroyWindow(window_);
      ::PostQuitMessage(0);
      return;
  }
}

void SplashWindow::MeasureLabels(HWND frame) {
  HDC dc = ::GetDC(frame);
  for (const SplashLabel& label : variant_.labels) {
    DrawnLabel drawn{&label, UniqueFont(CreatePointFont(label.font.face.c_str(), label.font.points, label.font.bold, dpi_)),
                     {}};
    const PixelRect design = ToPixels(label.place, dpi_);
    ScopedSelect font(dc, drawn.font ? static_cast<HGDIOBJ>(drawn.font.get()) : ::GetStockObject(DEFAULT_GUI_FONT));
    RECT extent{0, 0, 0, 0};
    ::DrawTextA(dc, label.text.c_str(), -1, &extent, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
    // Auto-sized: a left-aligned label keeps its left edge, a right-aligned one its right edge.
    const int width = extent.right - extent.left;
    const int left = label.rightAligned ? design.left + design.width - width : design.left;
    drawn.place = RECT{left, design.top, left + width, design.top + (extent.bottom - extent.top)};
    labels_.push_back(std::move(drawn));
  }
  ::ReleaseDC(frame, dc);
}

void SplashWindow::PaintFrame(HWND frame) {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(frame, &ps);
  RECT client{};
  ::GetClientRect(frame, &client);
  // The caption-text colour is white in the standard scheme; where a scheme makes it the colour
  // of the text itself (Wine's is black), the labels would vanish, so the window colour stands in.
  const int background =
      ::GetSysColor(COLOR_CAPTIONTEXT) == ::GetSysColor(COLOR_BTNTEXT) ? COLOR_HIGHLIGHTTEXT : COLOR_CAPTIONTEXT;
  ::FillRect(dc, &client, ::GetSysColorBrush(background));
  ::DrawEdge(dc, &client, EDGE_ETCHED, BF_RECT);
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
  for (DrawnLabel& drawn : labels_) {
    ScopedSelect font(dc, drawn.font ? static_cast<HGDIOBJ>(drawn.font.get()) : ::GetStockObject(DEFAULT_GUI_FONT));
    ::DrawTextA(dc, drawn.label->text.c_str(), -1, &drawn.place, DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
  }
  ::EndPaint(frame, &ps);
}

LRESULT SplashWindow::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      window_ = window;
      const PixelRect frame = ToPixels(kSplashFrame, dpi_);
      HWND frameWindow = ::CreateWindowExA(0, kFrameClass, "", WS_CHILD | WS_VISIBLE, frame.left, frame.top,
                                           frame.width, frame.height, window,
                                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(kSplashFrameId)),
                                           ::GetModuleHandleA(nullptr), this);
      if (frameWindow == nullptr) return -1;
      MeasureLabels(frameWindow);
      ::SetTimer(window, kHandOverTimer, kSplashHandOverMs, nullptr);
      return 0;
    }
    case WM_TIMER:
      if (wParam == kHandOverTimer) Carry(presenter_.TimerTick());
      return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      // Any key but a lone modifier: Shift, Ctrl or Alt on its way to a combination is no press.
      if (wParam != VK_SHIFT && wParam != VK_CONTROL && wParam != VK_MENU) Carry(presenter_.Dismiss());
      return 0;
    default:
      break;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

LRESULT SplashWindow::HandleFrameMessage(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      PaintFrame(frame);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // painted whole in WM_PAINT
    case WM_LBUTTONDOWN: {
      // A click on a label does nothing; anywhere else on the frame it closes the splash.
      const POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      for (const DrawnLabel& drawn : labels_)
        if (::PtInRect(&drawn.place, p)) return 0;
      Carry(presenter_.Dismiss());
      return 0;
    }
    default:
      break;
  }
  return ::DefWindowProcA(frame, message, wParam, lParam);
}

}  // namespace

HWND frmSplash::Show(const SplashVariant& variant, std::function<HWND()> loadMain) {
  auto* splash = new (std::nothrow) SplashWindow(variant, std::move(loadMain));
  if (splash == nullptr) return nullptr;
  gAdopted = false;
  HWND window = splash->Create();
  if (window == nullptr) {
    if (!gAdopted) delete splash;
    return nullptr;
  }
  ::ShowWindow(window, SW_SHOWNORMAL);
  ::UpdateWindow(window);
  ::SetForegroundWindow(window);
  ::SetFocus(window);
  return window;
}

}  // namespace shared::win32
