#pragma once
// The window kit both main windows and their small dialogs are built on.
//
//   class frmMain : public WindowBase<frmMain> {
//    public:
//     LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);  // DefaultProc at the end
//   };
//   frmMain main;
//   main.Create({.className = "PlugwardenMain", .caption = " Plugwarden", .client = {0, 0, 11805, 4905},
//                .menu = CreateMenuBar(kMenus)});
//   // in WM_CREATE: controls at their design twips, at Dpi():
//   CreateControl(Window(), WC_BUTTONA, kCheck1, "", BS_AUTOCHECKBOX | WS_TABSTOP, 0, {360, 4520, 255, 255}, Dpi());
//   CreateLabel(Window(), kLabel1, "Installed ...", {240, 240, 5415, 255}, Dpi(), {{"Arial", 9.75, true}}, Looks());
//   SetRightToLeft(Window(), true);   // and back with false, as often as the language changes
//   return RunMessageLoop();          // in WinMain
//
// Controls remember their design rect (twips), so SetRightToLeft and a change of DPI put them
// back at it, mirrored or not. Control IDs 1 and 2 are IDOK and IDCANCEL: the message loop's dialog manager sends
// them for Enter and Escape, so give controls other IDs.
#include <windows.h>

#include <functional>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "shared/about_box.h"  // FontSpec
#include "shared/twips.h"
#include "shared/win32/gdi_objects.h"

namespace shared::win32 {

// The two fonts of the programs' controls: Plugwarden's forms keep the classic form font,
// Bootwarden's and the about box use Tahoma.
inline const FontSpec kFormFont{"MS Sans Serif", 8.25, false};
inline const FontSpec kTahomaFont{"Tahoma", 8.25, false};

// Window styles of the programs' windows.
inline constexpr DWORD kFixedSingleStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
inline constexpr DWORD kFixedSingleMinimiseStyle = kFixedSingleStyle | WS_MINIMIZEBOX;

struct TopLevelSpec {
  const char* className = nullptr;  // registered once, with `background`
  std::string caption;
  TwipsRect client;                   // width and height of the client area; left/top see below
  bool placeAtClientOrigin = false;   // client area at client.left, client.top (screen twips);
                                      // otherwise where Windows places new windows
  DWORD style = kFixedSingleStyle;
  DWORD exStyle = WS_EX_CONTROLPARENT;
  HMENU menu = nullptr;  // the window owns and destroys it
  HWND owner = nullptr;
  HICON icon = nullptr;  // not owned
  HBRUSH background = nullptr;  // the class's background; nullptr: the button face
};

// Creates a top-level window whose client area is shape.client's size at `dpi`.
// `param` reaches WM_NCCREATE/WM_CREATE as lpCreateParams. nullptr when it cannot be made.
HWND CreateTopLevelWindow(const TopLevelSpec& shape, WNDPROC proc, void* param, int dpi);

// The fonts and colours of a window's controls; the window owns one and forwards its
// WM_CTLCOLOR* messages to OnCtlColor.
class ControlLooks {
 public:
  // An owned font, made once per font and DPI; nullptr when it cannot be made.
  HFONT Font(const FontSpec& font, int dpi);
  // Gives the control the font, and again at the new DPI after ChangeDpi.
  void SetFont(HWND control, const FontSpec& font, int dpi);
  // Makes every font given through SetFont anew at `dpi` and hands it to its control.
  void ChangeDpi(int dpi);
  // Text colour, and background (nullopt: the button face, drawn transparently over it).
  void SetColours(HWND control, COLORREF text, std::optional<COLORREF> background = std::nullopt);
  // The brush for WM_CTLCOLORSTATIC / EDIT / LISTBOX / BTN of a control given colours; nullopt
  // for anything else (the window passes those on).
  std::optional<LRESULT> OnCtlColor(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  struct OwnedFont {
    FontSpec shape;
    int dpi;
    UniqueFont font;
  };
  struct FontUse {
    HWND control;
    FontSpec shape;
  };
  struct Colours {
    HWND control;
    COLORREF text;
    std::optional<COLORREF> background;
    UniqueBrush brush;
  };
  std::vector<OwnedFont> fonts_;
  std::vector<FontUse> uses_;
  std::vector<Colours> colours_;
};

// Where an exception caught at a window procedure is written; the programs give their error log.
// Without a sink it goes to the debugger's output.
void SetWindowErrorSink(std::function<void(const std::string&)> sink);

namespace detail {
// The exception barrier of every window procedure of the kit: runs call(self, ...); when it
// throws, writes the failure to the error sink and gives nullopt (the caller falls back to the
// default procedure).
std::optional<LRESULT> Guarded(UINT message, WPARAM wParam, LPARAM lParam,
                               LRESULT (*call)(void* self, UINT message, WPARAM wParam, LPARAM lParam), void* self);
// WM_DPICHANGED: the window at the suggested rect, its controls at their design rects, list
// columns scaled and its fonts made at the new DPI.
void ApplyDpiChange(HWND window, int oldDpi, int dpi, const RECT* suggested, ControlLooks& looks);
}  // namespace detail

// The one trampoline of every window of the programs. Messages go to T::HandleMessage(message,
// wParam, lParam) from WM_NCCREATE to WM_NCDESTROY (Window() is set throughout; DefaultProc at
// the end). The base answers WM_CTLCOLOR* for controls given colours through Looks(), and
// WM_DPICHANGED (controls to their design rects, fonts anew) before HandleMessage sees it. No
// exception leaves the procedure (detail::Guarded).
//
// Three ways to own the object: a member or local (Create; the destructor destroys a window still
// open), ModelessWindow<T> (one open at a time, freed with its window), or a control class
// registered with ControlProc (each window makes its own T and frees it).
template <typename T>
class WindowBase {
 public:
  WindowBase() = default;
  WindowBase(const WindowBase&) = delete;
  WindowBase& operator=(const WindowBase&) = delete;
  // A window still open is destroyed without reaching HandleMessage: the derived object and its
  // members are gone by now.
  ~WindowBase() {
    if (window_ == nullptr) return;
    ::SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    ::DestroyWindow(window_);
  }

  HWND Window() const { return window_; }
  int Dpi() const { return dpi_; }
  ControlLooks& Looks() { return looks_; }

  HWND Create(const TopLevelSpec& shape) {
    dpi_ = WindowDpi(nullptr);
    return CreateTopLevelWindow(shape, &WindowBase::Proc, this, dpi_);
  }

  // The procedure of a control class: each window of the class makes its own T (default
  // constructed) at WM_NCCREATE and frees it after WM_NCDESTROY.
  static LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE && ::GetWindowLongPtrA(window, GWLP_USERDATA) == 0) {
      T* made = new (std::nothrow) T();
      if (made == nullptr) return FALSE;
      made->freeWithWindow_ = [](WindowBase* self) { delete static_cast<T*>(self); };
      made->Attach(window);
    }
    return Proc(window, message, wParam, lParam);
  }

 protected:
  LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcA(window_, message, wParam, lParam);
  }
  // Frees the object after its window's last message (see ModelessWindow).
  void (*freeWithWindow_)(WindowBase* self) = nullptr;

 private:
  void Attach(HWND window) {
    ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    window_ = window;
  }

  static LRESULT Dispatch(void* object, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<WindowBase*>(object);
    if (message == WM_DPICHANGED) {
      const int oldDpi = self->dpi_;
      self->dpi_ = HIWORD(wParam);
      detail::ApplyDpiChange(self->window_, oldDpi, self->dpi_, reinterpret_cast<const RECT*>(lParam), self->looks_);
    }
    if (auto brush = self->looks_.OnCtlColor(message, wParam, lParam)) return *brush;
    return static_cast<T*>(self)->HandleMessage(message, wParam, lParam);
  }

  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<WindowBase*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_NCCREATE && self == nullptr) {
      self = static_cast<WindowBase*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
      if (self != nullptr) self->Attach(window);
    }
    if (self == nullptr) return ::DefWindowProcA(window, message, wParam, lParam);
    const std::optional<LRESULT> handled = detail::Guarded(message, wParam, lParam, &WindowBase::Dispatch, self);
    const LRESULT result = handled ? *handled : ::DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
      ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      self->window_ = nullptr;
      if (self->freeWithWindow_ != nullptr) self->freeWithWindow_(self);
    }
    return result;
  }

  HWND window_ = nullptr;
  int dpi_ = 96;
  ControlLooks looks_;
};

// A modeless window of which one is open at a time, made when it is asked for and freed with its
// window. T is constructed from Show's arguments and makes and shows its window in `HWND
// Load()` (nullptr when it cannot); T befriends ModelessWindow<T> if its constructor is private.
template <typename T>
class ModelessWindow : public WindowBase<T> {
 public:
  // Loads and shows a new one, or brings the open one to the front.
  template <typename... Args>
  static HWND Show(Args&&... args) {
    if (HWND open = Current()) {
      ::SetForegroundWindow(open);
      return open;
    }
    return Open(std::forward<Args>(args)...);
  }
  // A new one in any case: the open one closes first.
  template <typename... Args>
  static HWND Reopen(Args&&... args) {
    Close();
    return Open(std::forward<Args>(args)...);
  }
  // The open one, or nullptr.
  static HWND Current() { return current_ != nullptr ? current_->Window() : nullptr; }
  // Closes the open one, if any.
  static void Close() {
    if (HWND open = Current()) ::DestroyWindow(open);
  }

 private:
  template <typename... Args>
  static HWND Open(Args&&... args) {
    std::unique_ptr<T> made(new (std::nothrow) T(std::forward<Args>(args)...));
    // A window that failed half-way, or went while being shown, leaves the object to us.
    if (made == nullptr || made->Load() == nullptr || made->Window() == nullptr) return nullptr;
    made->freeWithWindow_ = [](WindowBase<T>* self) {
      if (static_cast<WindowBase<T>*>(current_) == self) current_ = nullptr;
      delete static_cast<T*>(self);
    };
    current_ = made.release();
    return current_->Window();
  }

  inline static T* current_ = nullptr;
};

// Sends a control's messages to hook(owner, ...) before its own procedure (the common controls'
// SetWindowSubclass, one hook per function and control); the hook passes a message on with
// DefSubclassProc. Behind the exception barrier; undone when the control goes.
using ControlHook = LRESULT (*)(void* owner, HWND control, UINT message, WPARAM wParam, LPARAM lParam);
bool HookControl(HWND control, ControlHook hook, void* owner);

// A child control at its design rect (twips at `dpi`); `style` adds to WS_CHILD | WS_VISIBLE.
// The design rect is kept with the control for PlaceAtDesignRect and SetRightToLeft.
HWND CreateControl(HWND parent, const char* className, int id, const char* text, DWORD style, DWORD exStyle,
                   const TwipsRect& rect, int dpi);
// Keeps a design rect with a control made elsewhere (for example CreateXPCmdButton).
void SetDesignRect(HWND control, const TwipsRect& rect);
std::optional<TwipsRect> DesignRect(HWND control);
// Moves the control to its design rect in its parent's current layout (mirrored in a
// right-to-left parent). A control without one stays where it is.
void PlaceAtDesignRect(HWND control, int dpi);

struct LabelLook {
  FontSpec font;                            // face "" keeps the window's font (none set)
  COLORREF text = CLR_INVALID;              // CLR_INVALID: the system's button text colour
  std::optional<COLORREF> background = std::nullopt;  // nullopt: the button face
  bool sizedToText = false;                 // width and height follow the text (AutoSize)
};

// A static label (SS_NOPREFIX, left-aligned) at its design rect with its look.
HWND CreateLabel(HWND parent, int id, const std::string& text, const TwipsRect& rect, int dpi, const LabelLook& look,
                 ControlLooks& looks);
// Sets a label's text; a label sized to its text takes the text's size, its left/top staying.
// `dpi` places it (0: the window's DPI).
void SetLabelText(HWND label, const std::string& text, int dpi = 0);

// Switches a live window between right-to-left (mirrored: WS_EX_LAYOUTRTL on it and on all its
// descendants, so captions, list columns, combo buttons and edit texts start at the right) and
// left-to-right, any number of times. Child controls end at their design rects in the new layout (mirrored places); a
// child without a design rect keeps its place relative to the leading edge. `dpi` converts the
// design rects (0: the window's DPI).
void SetRightToLeft(HWND window, bool rightToLeft, int dpi = 0);
bool IsRightToLeftLayout(HWND window);
// A control (and everything in it) that keeps its left-to-right contents in a right-to-left
// window: SetRightToLeft still moves it to its mirrored place. The image combo uses it, as
// Wine draws the pictures of a mirrored image combo as a sliver.
void KeepContentsLeftToRight(HWND control);

// Menus from a table. Every item and every top-level popup has an ID (an item with id 0 and an
// empty caption is a separator), so a translated caption can be set later by ID.
struct MenuItemSpec {
  int id = 0;
  std::string caption;
};
struct MenuSpec {
  int id = 0;  // the top-level popup's own ID, for SetMenuCaption
  std::string caption;
  std::vector<MenuItemSpec> items;
};
HMENU CreateMenuBar(const std::vector<MenuSpec>& menus);
// Sets the caption of the top-level popup or item `id` of the window's menu bar and redraws
// the bar; false when no such ID is there.
bool SetMenuCaption(HWND window, int id, const std::string& caption);
std::string MenuCaption(HWND window, int id);

// One running instance per user session: holds a named mutex (e.g. "Local\\Plugwarden.Main")
// for its lifetime.
class SingleInstance {
 public:
  explicit SingleInstance(const std::string& name);
  // True when another instance already held the name when this one was made (or the name could
  // not be taken: a program that cannot tell must not run twice).
  bool AnotherIsRunning() const { return another_; }

 private:
  UniqueKernelHandle mutex_;
  bool another_ = false;
};

// What the programs' message loop does with one message before dispatching it: the shared
// windows' dialog manager, then IsDialogMessage of the top-level window of the program the
// message is for (Tab, access keys, Enter = IDOK, Escape = IDCANCEL). True when handled.
bool TranslateProgramMessage(MSG& message);
// Runs until WM_QUIT; returns its exit code.
int RunMessageLoop();

// The common controls the kit uses (list view, image combo); safe to call more than once.
bool InitKitControls();

}  // namespace shared::win32
