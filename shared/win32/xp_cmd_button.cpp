#include "shared/win32/xp_cmd_button.h"

#include <oleacc.h>
#include <windowsx.h>

#include <memory>
#include <string>

#include "shared/win32/gdi_objects.h"
#include "shared/win32/window_kit.h"
#include "shared/xp_button_state.h"

namespace shared::win32 {
namespace {

constexpr UINT_PTR kHoverTimerId = 1;
constexpr UINT kHoverIntervalMs = 10;

COLORREF ToColorRef(Rgb c) { return RGB(c.r, c.g, c.b); }

std::int16_t ShiftState() {
  std::int16_t shift = 0;
  if (::GetKeyState(VK_SHIFT) < 0) shift |= kShiftShift;
  if (::GetKeyState(VK_CONTROL) < 0) shift |= kShiftCtrl;
  if (::GetKeyState(VK_MENU) < 0) shift |= kShiftAlt;
  return shift;
}

std::int16_t ButtonsOf(WPARAM keys) {
  std::int16_t button = 0;
  if (keys & MK_LBUTTON) button |= kButtonLeft;
  if (keys & MK_RBUTTON) button |= kButtonRight;
  if (keys & MK_MBUTTON) button |= kButtonMiddle;
  return button;
}

// The standard push-button proxy of the accessibility library, so screen readers hear a push
// button named by the caption, with "Press" as its default action (it sends BM_CLICK).
LRESULT AccessibleObject(HWND window, WPARAM wParam) {
  using CreateProxyFn = HRESULT(WINAPI*)(HWND, LPCSTR, LONG, REFIID, void**);
  using LresultFromObjectFn = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
  static HMODULE oleacc = ::LoadLibraryExW(L"oleacc.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (oleacc == nullptr) return 0;
  static const auto createProxy = reinterpret_cast<CreateProxyFn>(
      reinterpret_cast<void*>(::GetProcAddress(oleacc, "CreateStdAccessibleProxyA")));
  static const auto lresultFromObject = reinterpret_cast<LresultFromObjectFn>(
      reinterpret_cast<void*>(::GetProcAddress(oleacc, "LresultFromObject")));
  if (createProxy == nullptr || lresultFromObject == nullptr) return 0;
  IAccessible* accessible = nullptr;
  if (FAILED(createProxy(window, "Button", OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&accessible))))
    return 0;
  const LRESULT result = lresultFromObject(IID_IAccessible, wParam, accessible);
  accessible->Release();
  return result < 0 ? 0 : result;
}

class XPCmdButton : public WindowBase<XPCmdButton> {
 public:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  SIZE ClientSize() const {
    RECT r{};
    ::GetClientRect(Window(), &r);
    return {r.right, r.bottom};
  }
  // Takes the cell a reaction asks for and repaints.
  void Show(int cell) {
    cell_ = cell;
    ::InvalidateRect(Window(), nullptr, FALSE);
  }
  void Carry(const ButtonReaction& reaction) {
    if (reaction.startTimer) ::SetTimer(Window(), kHoverTimerId, kHoverIntervalMs, nullptr);
    if (reaction.stopTimer) ::KillTimer(Window(), kHoverTimerId);
    if (reaction.cell) Show(*reaction.cell);
  }
  void Notify(UINT code, std::int16_t button, std::int16_t shift, float x, float y, std::int16_t keyCode = 0,
              std::int16_t keyAscii = 0) {
    XPCmdButtonNotify n{};
    n.hdr.hwndFrom = Window();
    n.hdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(Window()));
    n.hdr.code = code;
    n.button = button;
    n.shift = shift;
    n.x = x;
    n.y = y;
    n.keyCode = keyCode;
    n.keyAscii = keyAscii;
    ::SendMessageA(::GetParent(Window()), WM_NOTIFY, n.hdr.idFrom, reinterpret_cast<LPARAM>(&n));
  }
  void Click() {
    if (!::IsWindowEnabled(Window())) return;
    ::SendMessageA(::GetParent(Window()), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(Window()), BN_CLICKED),
                   reinterpret_cast<LPARAM>(Window()));
  }
  void MouseDown(std::int16_t button, LPARAM lParam);
  void MouseUp(std::int16_t button, WPARAM keys, LPARAM lParam);
  void Paint();
  void DrawCell(HDC target, int cell, SIZE size);
  void DrawCaption(HDC target, SIZE size);

  XPButtonState state_;
  int cell_ = kCellNormal;
  HFONT font_ = nullptr;  // the holder's
  UniqueBitmap strip_;
  bool defaultButton_ = false;
  bool leftPressed_ = false;  // a left press that began on the control; its release clicks
  bool spacePressed_ = false;
};

void XPCmdButton::MouseDown(std::int16_t button, LPARAM lParam) {
  ::SetFocus(Window());
  ::SetCapture(Window());
  if (button == kButtonLeft) leftPressed_ = true;
  Notify(kXpnMouseDown, button, ShiftState(), static_cast<float>(GET_X_LPARAM(lParam)),
         static_cast<float>(GET_Y_LPARAM(lParam)));
  Carry(state_.MouseDown());
}

void XPCmdButton::MouseUp(std::int16_t button, WPARAM keys, LPARAM lParam) {
  const int x = GET_X_LPARAM(lParam);
  const int y = GET_Y_LPARAM(lParam);
  const bool click = button == kButtonLeft && leftPressed_;
  if (button == kButtonLeft) leftPressed_ = false;
  if ((keys & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0 && ::GetCapture() == Window()) ::ReleaseCapture();
  Notify(kXpnMouseUp, button, ShiftState(), static_cast<float>(x), static_cast<float>(y));
  Carry(state_.MouseUp());
  // Like any push button: a release away from the control is no click.
  const SIZE size = ClientSize();
  if (click && x >= 0 && y >= 0 && x < size.cx && y < size.cy) Click();
}

void XPCmdButton::DrawCell(HDC target, int cell, SIZE size) {
  UniqueMemoryDc source(::CreateCompatibleDC(target));
  if (!source || !strip_) return;
  ScopedSelect selected(source.get(), strip_.get());
  const int cellLeft = cell * kSkinCellWidth;
  const NineSlicePlan plan = PlanNineSlice(size.cx, size.cy);
  ::SetStretchBltMode(target, COLORONCOLOR);
  for (int i = 0; i < plan.count; ++i) {
    const SliceCopy& c = plan.copies[i];
    ::StretchBlt(target, c.dstX, c.dstY, c.dstWidth, c.dstHeight, source.get(), cellLeft + c.srcX, c.srcY,
                 c.srcWidth, c.srcHeight, SRCCOPY);
  }
}

void XPCmdButton::DrawCaption(HDC target, SIZE size) {
  char text[512] = {};
  const int length = ::GetWindowTextA(Window(), text, static_cast<int>(sizeof text));
  if (length <= 0) return;
  ScopedSelect font(target, font_ != nullptr ? static_cast<HGDIOBJ>(font_) : ::GetStockObject(DEFAULT_GUI_FONT));
  // The caption is laid out as an auto-sized label: measured, then centred by halving.
  RECT extent{0, 0, 0, 0};
  ::DrawTextA(target, text, length, &extent, DT_SINGLELINE | DT_CALCRECT);
  const int width = extent.right - extent.left;
  const int height = extent.bottom - extent.top;
  RECT place{CentredOffset(size.cx, width), CentredOffset(size.cy, height), 0, 0};
  place.right = place.left + width;
  place.bottom = place.top + height;
  ::SetBkMode(target, TRANSPARENT);
  ::SetTextColor(target, ToColorRef(state_.CaptionColour()));
  ::DrawTextA(target, text, length, &place, DT_SINGLELINE | DT_NOCLIP);
}

void XPCmdButton::Paint() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(Window(), &ps);
  const SIZE size = ClientSize();
  // Painted off screen first, so the nine copies and the caption never flicker.
  UniqueMemoryDc buffer(::CreateCompatibleDC(dc));
  UniqueBitmap image(::CreateCompatibleBitmap(dc, size.cx > 0 ? size.cx : 1, size.cy > 0 ? size.cy : 1));
  if (buffer && image) {
    ScopedSelect selected(buffer.get(), image.get());
    // In a right-to-left window the paint DC is mirrored, and a mirrored copy would show the
    // caption's letters backwards: the skin is symmetric, so the picture is copied unmirrored.
    ::SetLayout(buffer.get(), 0);
    DrawCell(buffer.get(), cell_, size);
    DrawCaption(buffer.get(), size);
    ::SetLayout(dc, 0);
    ::BitBlt(dc, 0, 0, size.cx, size.cy, buffer.get(), 0, 0, SRCCOPY);
  } else {
    DrawCell(dc, cell_, size);
    DrawCaption(dc, size);
  }
  ::EndPaint(Window(), &ps);
}

LRESULT XPCmdButton::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
      strip_.reset(static_cast<HBITMAP>(
          ::LoadImageA(create->hInstance, kSkinStripResource, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
      if (!strip_) {
        strip_.reset(static_cast<HBITMAP>(::LoadImageA(::GetModuleHandleA(nullptr), kSkinStripResource, IMAGE_BITMAP,
                                                       0, 0, LR_CREATEDIBSECTION)));
      }
      defaultButton_ = (create->style & BS_DEFPUSHBUTTON) == BS_DEFPUSHBUTTON;
      Show(state_.SetEnabled((create->style & WS_DISABLED) == 0));
      return 0;
    }
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SIZE:
    case WM_SHOWWINDOW:
      Show(state_.ShowRestLook());
      break;
    case WM_ENABLE:
      Show(state_.SetEnabled(wParam != 0));
      return 0;
    case WM_SETTEXT: {
      const LRESULT result = DefaultProc(message, wParam, lParam);
      Show(state_.ShowRestLook());
      return result;
    }
    case WM_SETFONT:
      font_ = reinterpret_cast<HFONT>(wParam);
      Show(state_.ShowRestLook());
      if (LOWORD(lParam) != 0) ::UpdateWindow(Window());
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font_);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      MouseDown(kButtonLeft, lParam);
      return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      MouseDown(kButtonRight, lParam);
      return 0;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      MouseDown(kButtonMiddle, lParam);
      return 0;
    case WM_LBUTTONUP:
      MouseUp(kButtonLeft, wParam, lParam);
      return 0;
    case WM_RBUTTONUP:
      MouseUp(kButtonRight, wParam, lParam);
      return 0;
    case WM_MBUTTONUP:
      MouseUp(kButtonMiddle, wParam, lParam);
      return 0;
    case WM_MOUSEMOVE: {
      const int x = GET_X_LPARAM(lParam);
      const int y = GET_Y_LPARAM(lParam);
      const SIZE size = ClientSize();
      const std::int16_t button = ButtonsOf(wParam);
      const ButtonReaction reaction = state_.MouseMove(button, x, y, size.cx, size.cy);
      if (reaction.raise) Notify(kXpnMouseMove, button, ShiftState(), static_cast<float>(x), static_cast<float>(y));
      Carry(reaction);
      return 0;
    }
    case WM_TIMER: {
      if (wParam != kHoverTimerId) break;
      POINT p{};
      ::GetCursorPos(&p);
      ::ScreenToClient(Window(), &p);
      const SIZE size = ClientSize();
      const ButtonReaction reaction = state_.TimerTick(p.x, p.y, size.cx, size.cy);
      if (reaction.stopTimer) ::KillTimer(Window(), kHoverTimerId);
      if (reaction.raise) Notify(kXpnMouseOut, 0, 0, 0, 0);
      if (reaction.cell) Show(*reaction.cell);
      return 0;
    }
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != Window()) leftPressed_ = false;
      return 0;
    case WM_KEYDOWN:
      Notify(kXpnKeyDown, 0, ShiftState(), 0, 0, static_cast<std::int16_t>(wParam));
      if (wParam == VK_SPACE && (lParam & (1 << 30)) == 0) spacePressed_ = true;
      if (wParam == VK_RETURN && (lParam & (1 << 30)) == 0) Click();
      return 0;
    case WM_KEYUP:
      Notify(kXpnKeyUp, 0, ShiftState(), 0, 0, static_cast<std::int16_t>(wParam));
      if (wParam == VK_SPACE && spacePressed_) {
        spacePressed_ = false;
        Click();
      }
      return 0;
    case WM_CHAR:
      Notify(kXpnKeyPress, 0, 0, 0, 0, 0, static_cast<std::int16_t>(wParam));
      return 0;
    case WM_KILLFOCUS:
      spacePressed_ = false;
      return 0;
    case WM_SETFOCUS:
      return 0;  // no focus look
    case WM_GETDLGCODE:
      // A push button to the dialog manager: it then gives access keys to BM_CLICK and, while
      // the button has the focus, Enter to it as the default button.
      return DLGC_BUTTON | ((defaultButton_ || ::GetFocus() == Window()) ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    case BM_CLICK:
      Click();
      return 0;
    case BM_SETSTYLE:
      defaultButton_ = (wParam & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
      return 0;
    case BM_GETSTATE:
      return (cell_ == kCellPressed ? BST_PUSHED : 0) | (::GetFocus() == Window() ? BST_FOCUS : 0);
    case WM_GETOBJECT:
      if (static_cast<LONG>(lParam) == static_cast<LONG>(OBJID_CLIENT)) {
        if (const LRESULT result = AccessibleObject(Window(), wParam); result != 0) return result;
      }
      break;
    case kXpbmSetState:
      Show(state_.SetState(static_cast<std::int32_t>(wParam)));
      return 0;
    case kXpbmGetState:
      return state_.State();
    case kXpbmGetRestCell:
      return state_.RestCell();
    case kXpbmGetCell:
      return cell_;
    case kXpbmIsHoverTimerOn:
      return state_.TimerRunning() ? 1 : 0;
    default:
      break;
  }
  return DefaultProc(message, wParam, lParam);
}

}  // namespace

bool RegisterXPCmdButton() {
  return RegisterClassOnce(kXPCmdButtonClass, &WindowBase<XPCmdButton>::ControlProc, nullptr);
}

HWND CreateXPCmdButton(HWND parent, int id, const char* caption, int x, int y, int width, int height, DWORD style) {
  if (!RegisterXPCmdButton()) return nullptr;
  return ::CreateWindowExA(0, kXPCmdButtonClass, caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, x, y, width,
                           height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           ::GetModuleHandleA(nullptr), nullptr);
}

}  // namespace shared::win32
