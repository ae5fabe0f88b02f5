#include "shared/win32/window_kit.h"

#include <commctrl.h>

#include <cstdint>
#include <cstdio>
#include <exception>
#include <string>

#include "shared/win32/frm_about.h"

namespace shared::win32 {
namespace {

// The design rect rides on the control as window properties: left/top and width/height packed
// into one pointer-sized value each, and a marker, since a rect at 0,0 packs to zero.
constexpr char kDesignMarkProp[] = "WardenDesign";
constexpr char kDesignOriginProp[] = "WardenDesignLT";
constexpr char kDesignSizeProp[] = "WardenDesignWH";
constexpr char kSizedToTextProp[] = "WardenSizedToText";
constexpr char kKeepLeftToRightProp[] = "WardenKeepLeftToRight";

HANDLE Pack(int a, int b) {
  const std::uint64_t v = static_cast<std::uint32_t>(a) | (static_cast<std::uint64_t>(static_cast<std::uint32_t>(b)) << 32);
  return reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(v));
}
std::pair<int, int> Unpack(HANDLE h) {
  const auto v = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(h));
  return {static_cast<int>(static_cast<std::uint32_t>(v)), static_cast<int>(static_cast<std::uint32_t>(v >> 32))};
}

// A child's rect in its parent's client coordinates as the parent's current layout counts them:
// from the leading edge (the right one in a mirrored parent).
RECT LogicalRect(HWND child) {
  HWND parent = ::GetParent(child);
  RECT screen{};
  ::GetWindowRect(child, &screen);
  POINT origin{0, 0};
  ::ClientToScreen(parent, &origin);
  const int width = screen.right - screen.left;
  const int left = IsRightToLeftLayout(parent) ? origin.x - screen.right : screen.left - origin.x;
  const int top = screen.top - origin.y;
  return {left, top, left + width, top + screen.bottom - screen.top};
}

SIZE TextSize(HWND control, const std::string& text) {
  HDC dc = ::GetDC(control);
  HFONT font = reinterpret_cast<HFONT>(::SendMessageA(control, WM_GETFONT, 0, 0));
  HGDIOBJ old = font != nullptr ? ::SelectObject(dc, font) : nullptr;
  RECT r{0, 0, 0, 0};
  // An empty text still has a line's height.
  ::DrawTextA(dc, text.empty() ? " " : text.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  if (old != nullptr) ::SelectObject(dc, old);
  ::ReleaseDC(control, dc);
  return {text.empty() ? 0 : r.right - r.left, r.bottom - r.top};
}

void SetLayoutStyle(HWND window, bool rightToLeft) {
  const LONG_PTR ex = ::GetWindowLongPtrA(window, GWL_EXSTYLE);
  const LONG_PTR wanted = rightToLeft ? (ex | WS_EX_LAYOUTRTL) : (ex & ~static_cast<LONG_PTR>(WS_EX_LAYOUTRTL));
  if (wanted != ex) ::SetWindowLongPtrA(window, GWL_EXSTYLE, wanted);
}

}  // namespace

HWND CreateTopLevelWindow(const TopLevelSpec& shape, WNDPROC proc, void* param, int dpi) {
  if (shape.className == nullptr ||
      !RegisterClassOnce(shape.className, proc,
                         shape.background != nullptr ? shape.background : reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)))
    return nullptr;
  const int width = TwipsToPixels(shape.client.width, dpi);
  const int height = TwipsToPixels(shape.client.height, dpi);
  RECT frame{0, 0, width, height};
  ::AdjustWindowRectEx(&frame, shape.style, shape.menu != nullptr, shape.exStyle);
  int x = CW_USEDEFAULT, y = CW_USEDEFAULT;
  if (shape.placeAtClientOrigin) {
    x = TwipsToPixels(shape.client.left, dpi) + frame.left;
    y = TwipsToPixels(shape.client.top, dpi) + frame.top;
  }
  HWND window = ::CreateWindowExA(shape.exStyle, shape.className, shape.caption.c_str(), shape.style, x,
                                  y, frame.right - frame.left, frame.bottom - frame.top,
                                  shape.owner, shape.menu, ::GetModuleHandleA(nullptr), param);
  if (window == nullptr) {
    if (shape.menu != nullptr) ::DestroyMenu(shape.menu);
    return nullptr;
  }
  // A menu bar that wraps to two lines takes client height: give it back.
  RECT client{};
  ::GetClientRect(window, &client);
  if (client.bottom != height) {
    RECT outer{};
    ::GetWindowRect(window, &outer);
    ::SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top + height - client.bottom,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (shape.icon != nullptr) {
    ::SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(shape.icon));
    ::SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(shape.icon));
  }
  return window;
}

HWND CreateControl(HWND parent, const char* className, int id, const char* text, DWORD style, DWORD exStyle,
                   const TwipsRect& rect, int dpi) {
  const PixelRect r = ToPixels(rect, dpi);
  HWND control = ::CreateWindowExA(exStyle, className, text != nullptr ? text : "", WS_CHILD | WS_VISIBLE | style,
                                   r.left, r.top, r.width, r.height, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleA(nullptr),
                                   nullptr);
  if (control != nullptr) SetDesignRect(control, rect);
  return control;
}

void SetDesignRect(HWND control, const TwipsRect& rect) {
  ::SetPropA(control, kDesignOriginProp, Pack(rect.left, rect.top));
  ::SetPropA(control, kDesignSizeProp, Pack(rect.width, rect.height));
  ::SetPropA(control, kDesignMarkProp, reinterpret_cast<HANDLE>(1));
}

std::optional<TwipsRect> DesignRect(HWND control) {
  if (::GetPropA(control, kDesignMarkProp) == nullptr) return std::nullopt;
  const auto [left, top] = Unpack(::GetPropA(control, kDesignOriginProp));
  const auto [width, height] = Unpack(::GetPropA(control, kDesignSizeProp));
  return TwipsRect{left, top, width, height};
}

void PlaceAtDesignRect(HWND control, int dpi) {
  const std::optional<TwipsRect> design = DesignRect(control);
  if (!design) return;
  const PixelRect r = ToPixels(*design, dpi);
  int width = r.width, height = r.height;
  if (::GetPropA(control, kSizedToTextProp) != nullptr) {
    RECT now{};
    ::GetWindowRect(control, &now);
    width = now.right - now.left;
    height = now.bottom - now.top;
  }
  ::SetWindowPos(control, nullptr, r.left, r.top, width, height, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

HFONT ControlLooks::Font(const FontSpec& font, int dpi) {
  for (const OwnedFont& f : fonts_)
    if (f.dpi == dpi && f.shape.face == font.face && f.shape.points == font.points && f.shape.bold == font.bold)
      return f.font.get();
  UniqueFont made(CreatePointFont(font.face.c_str(), font.points, font.bold, dpi));
  if (!made) return nullptr;
  fonts_.push_back({font, dpi, std::move(made)});
  return fonts_.back().font.get();
}

void ControlLooks::SetFont(HWND control, const FontSpec& font, int dpi) {
  if (font.face.empty() || control == nullptr) return;
  std::erase_if(uses_, [control](const FontUse& use) { return use.control == control; });
  uses_.push_back({control, font});
  if (HFONT f = Font(font, dpi)) ::SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(f), TRUE);
}

void ControlLooks::ChangeDpi(int dpi) {
  std::vector<OwnedFont> old = std::move(fonts_);
  fonts_.clear();
  for (const FontUse& use : uses_)
    if (HFONT f = Font(use.shape, dpi)) ::SendMessageA(use.control, WM_SETFONT, reinterpret_cast<WPARAM>(f), TRUE);
  // The old fonts go only now that no control holds them.
}

void ControlLooks::SetColours(HWND control, COLORREF text, std::optional<COLORREF> background) {
  for (auto it = colours_.begin(); it != colours_.end(); ++it)
    if (it->control == control) {
      colours_.erase(it);
      break;
    }
  Colours c{control, text, background, UniqueBrush(background ? ::CreateSolidBrush(*background) : nullptr)};
  colours_.push_back(std::move(c));
  ::InvalidateRect(control, nullptr, TRUE);
}

std::optional<LRESULT> ControlLooks::OnCtlColor(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_CTLCOLORSTATIC && message != WM_CTLCOLOREDIT && message != WM_CTLCOLORLISTBOX &&
      message != WM_CTLCOLORBTN)
    return std::nullopt;
  HWND control = reinterpret_cast<HWND>(lParam);
  for (const Colours& c : colours_) {
    if (c.control != control) continue;
    HDC dc = reinterpret_cast<HDC>(wParam);
    ::SetTextColor(dc, c.text == CLR_INVALID ? ::GetSysColor(COLOR_BTNTEXT) : c.text);
    if (c.brush) {
      ::SetBkColor(dc, *c.background);
      return reinterpret_cast<LRESULT>(c.brush.get());
    }
    ::SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
  }
  return std::nullopt;
}

HWND CreateLabel(HWND parent, int id, const std::string& text, const TwipsRect& rect, int dpi, const LabelLook& look,
                 ControlLooks& looks) {
  HWND label = CreateControl(parent, "STATIC", id, text.c_str(), SS_LEFT | SS_NOPREFIX, 0, rect, dpi);
  if (label == nullptr) return nullptr;
  looks.SetFont(label, look.font, dpi);
  if (look.text != CLR_INVALID || look.background) looks.SetColours(label, look.text, look.background);
  if (look.sizedToText) {
    ::SetPropA(label, kSizedToTextProp, reinterpret_cast<HANDLE>(1));
    SetLabelText(label, text, dpi);
  }
  return label;
}

void SetLabelText(HWND label, const std::string& text, int dpi) {
  ::SetWindowTextA(label, text.c_str());
  if (::GetPropA(label, kSizedToTextProp) == nullptr) return;
  const SIZE size = TextSize(label, text);
  const std::optional<TwipsRect> design = DesignRect(label);
  if (dpi <= 0) dpi = WindowDpi(label);
  // Placed from its design origin, so it grows from its leading edge in either layout.
  const RECT now = LogicalRect(label);
  const int left = design ? TwipsToPixels(design->left, dpi) : now.left;
  const int top = design ? TwipsToPixels(design->top, dpi) : now.top;
  ::SetWindowPos(label, nullptr, left, top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  ::InvalidateRect(label, nullptr, TRUE);
}

namespace {

std::function<void(const std::string&)>& ErrorSink() {
  static std::function<void(const std::string&)> sink;
  return sink;
}

void ReportWindowFailure(UINT message, const char* what) {
  char text[160];
  std::snprintf(text, sizeof text, "Window message 0x%04X failed: ", message);
  const std::string record = text + std::string(what);
  // The barrier must not throw itself: a failing sink leaves the record to the debugger.
  try {
    if (ErrorSink()) return ErrorSink()(record);
  } catch (...) {
  }
  ::OutputDebugStringA(record.c_str());
}

}  // namespace

void SetWindowErrorSink(std::function<void(const std::string&)> sink) { ErrorSink() = std::move(sink); }

namespace detail {

std::optional<LRESULT> Guarded(UINT message, WPARAM wParam, LPARAM lParam,
                               LRESULT (*call)(void* self, UINT message, WPARAM wParam, LPARAM lParam), void* self) {
  try {
    return call(self, message, wParam, lParam);
  } catch (const std::exception& e) {
    ReportWindowFailure(message, e.what());
  } catch (...) {
    ReportWindowFailure(message, "unknown exception");
  }
  return std::nullopt;
}

void ApplyDpiChange(HWND window, int oldDpi, int dpi, const RECT* suggested, ControlLooks& looks) {
  if (window == nullptr || dpi <= 0 || oldDpi <= 0) return;
  if (suggested != nullptr)
    ::SetWindowPos(window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                   suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
  looks.ChangeDpi(dpi);
  for (HWND child = ::GetWindow(window, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
    PlaceAtDesignRect(child, dpi);
    // A report list's columns keep their share of it.
    char className[32] = {};
    ::GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, WC_LISTVIEWA) == 0) {
      HWND header = reinterpret_cast<HWND>(::SendMessageA(child, LVM_GETHEADER, 0, 0));
      const int columns = header != nullptr ? static_cast<int>(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
      for (int column = 0; column < columns; ++column) {
        const int width = static_cast<int>(::SendMessageA(child, LVM_GETCOLUMNWIDTH, column, 0));
        ::SendMessageA(child, LVM_SETCOLUMNWIDTH, column, MAKELPARAM(::MulDiv(width, dpi, oldDpi), 0));
      }
    }
    // A label sized to its text takes the size of the text in its new font.
    if (::GetPropA(child, kSizedToTextProp) != nullptr) {
      const int length = ::GetWindowTextLengthA(child);
      std::string text(static_cast<std::size_t>(length) + 1, '\0');
      text.resize(static_cast<std::size_t>(::GetWindowTextA(child, text.data(), length + 1)));
      SetLabelText(child, text, dpi);
    }
  }
  ::RedrawWindow(window, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
}

}  // namespace detail

namespace {

struct HookCall {
  ControlHook hook;
  void* owner;
  HWND control;
};

LRESULT CALLBACK HookProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR owner) {
  const auto hook = reinterpret_cast<ControlHook>(id);
  if (message == WM_NCDESTROY) {
    ::RemoveWindowSubclass(control, &HookProc, id);
    return ::DefSubclassProc(control, message, wParam, lParam);
  }
  HookCall call{hook, reinterpret_cast<void*>(owner), control};
  const auto invoke = [](void* c, UINT m, WPARAM w, LPARAM l) -> LRESULT {
    const auto* h = static_cast<HookCall*>(c);
    return h->hook(h->owner, h->control, m, w, l);
  };
  if (const std::optional<LRESULT> handled = detail::Guarded(message, wParam, lParam, invoke, &call)) return *handled;
  return ::DefSubclassProc(control, message, wParam, lParam);
}

}  // namespace

bool HookControl(HWND control, ControlHook hook, void* owner) {
  return control != nullptr && hook != nullptr &&
         ::SetWindowSubclass(control, &HookProc, reinterpret_cast<UINT_PTR>(hook), reinterpret_cast<DWORD_PTR>(owner));
}

bool IsRightToLeftLayout(HWND window) {
  return window != nullptr && (::GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
}

namespace {

bool KeepsLeftToRight(HWND control, HWND top) {
  for (HWND w = control; w != nullptr && w != top; w = ::GetParent(w))
    if (::GetPropA(w, kKeepLeftToRightProp) != nullptr) return true;
  return false;
}

}  // namespace

void KeepContentsLeftToRight(HWND control) {
  if (control == nullptr) return;
  ::SetPropA(control, kKeepLeftToRightProp, reinterpret_cast<HANDLE>(1));
  // Made inside a mirrored window it inherited the mirroring; its parts are full-width, so
  // nothing moves.
  SetLayoutStyle(control, false);
  ::EnumChildWindows(
      control,
      [](HWND child, LPARAM) -> BOOL {
        SetLayoutStyle(child, false);
        return TRUE;
      },
      0);
}

void SetRightToLeft(HWND window, bool rightToLeft, int dpi) {
  if (window == nullptr) return;
  if (dpi <= 0) dpi = WindowDpi(window);
  // Every descendant with its place counted from its parent's leading edge, taken before any
  // style changes, since the flip may move children on screen by itself.
  struct Placed {
    HWND control;
    RECT logical;
  };
  std::vector<Placed> placed;
  ::EnumChildWindows(
      window,
      [](HWND child, LPARAM param) -> BOOL {
        reinterpret_cast<std::vector<Placed>*>(param)->push_back({child, LogicalRect(child)});
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&placed));
  SetLayoutStyle(window, rightToLeft);
  for (const Placed& p : placed)
    if (!KeepsLeftToRight(p.control, window)) SetLayoutStyle(p.control, rightToLeft);
  ::SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  // Parents before children (the enumeration's order), each at the same numbers in the new
  // layout: that is the mirrored place.
  for (const Placed& p : placed) {
    if (DesignRect(p.control) && ::GetParent(p.control) == window) {
      PlaceAtDesignRect(p.control, dpi);
    } else {
      const RECT& r = p.logical;
      ::SetWindowPos(p.control, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
  }
  ::RedrawWindow(window, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
}

HMENU CreateMenuBar(const std::vector<MenuSpec>& menus) {
  HMENU bar = ::CreateMenu();
  if (bar == nullptr) return nullptr;
  for (const MenuSpec& menu : menus) {
    HMENU popup = ::CreatePopupMenu();
    for (const MenuItemSpec& item : menu.items) {
      if (item.id == 0 && item.caption.empty())
        ::AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
      else
        ::AppendMenuA(popup, MF_STRING, static_cast<UINT_PTR>(item.id), item.caption.c_str());
    }
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_SUBMENU | MIIM_STRING | MIIM_DATA;
    info.hSubMenu = popup;
    info.dwItemData = static_cast<ULONG_PTR>(menu.id);
    info.dwTypeData = const_cast<char*>(menu.caption.c_str());
    ::InsertMenuItemA(bar, ::GetMenuItemCount(bar), TRUE, &info);
  }
  return bar;
}

namespace {

// The menu holding `id` and the item's place in it: a top-level popup by its own ID, or an item.
bool FindMenuItem(HMENU bar, int id, HMENU& menu, UINT& position) {
  const int count = ::GetMenuItemCount(bar);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_SUBMENU | MIIM_DATA;
    if (!::GetMenuItemInfoA(bar, static_cast<UINT>(i), TRUE, &info)) continue;
    if (info.hSubMenu != nullptr && info.dwItemData == static_cast<ULONG_PTR>(id)) {
      menu = bar;
      position = static_cast<UINT>(i);
      return true;
    }
  }
  for (int i = 0; i < count; ++i) {
    HMENU popup = ::GetSubMenu(bar, i);
    if (popup == nullptr) continue;
    const int items = ::GetMenuItemCount(popup);
    for (int j = 0; j < items; ++j)
      if (::GetMenuItemID(popup, j) == static_cast<UINT>(id)) {
        menu = popup;
        position = static_cast<UINT>(j);
        return true;
      }
  }
  return false;
}

}  // namespace

bool SetMenuCaption(HWND window, int id, const std::string& caption) {
  HMENU menu = nullptr;
  UINT position = 0;
  if (id == 0 || !FindMenuItem(::GetMenu(window), id, menu, position)) return false;
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  info.dwTypeData = const_cast<char*>(caption.c_str());
  const bool set = ::SetMenuItemInfoA(menu, position, TRUE, &info) != 0;
  ::DrawMenuBar(window);
  return set;
}

std::string MenuCaption(HWND window, int id) {
  HMENU menu = nullptr;
  UINT position = 0;
  if (id == 0 || !FindMenuItem(::GetMenu(window), id, menu, position)) return {};
  char text[256] = {};
  ::GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
  return text;
}

SingleInstance::SingleInstance(const std::string& name) : mutex_(::CreateMutexA(nullptr, FALSE, name.c_str())) {
  // Read at once: nothing in between may change the last error.
  const DWORD error = ::GetLastError();
  another_ = !mutex_ || error == ERROR_ALREADY_EXISTS;
}

bool TranslateProgramMessage(MSG& message) {
  if (TranslateSharedWindowMessage(message)) return true;
  HWND active = ::GetActiveWindow();
  if (active == nullptr || message.hwnd == nullptr) return false;
  if (message.hwnd != active && !::IsChild(active, message.hwnd)) return false;
  return ::IsDialogMessageA(active, &message) != 0;
}

int RunMessageLoop() {
  MSG message;
  BOOL got;
  while ((got = ::GetMessageA(&message, nullptr, 0, 0)) != 0) {
    if (got == -1) return -1;
    if (TranslateProgramMessage(message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

bool InitKitControls() {
  INITCOMMONCONTROLSEX init{sizeof init, ICC_LISTVIEW_CLASSES | ICC_USEREX_CLASSES | ICC_STANDARD_CLASSES};
  return ::InitCommonControlsEx(&init) != 0;
}

}  // namespace shared::win32
