#pragma once
// The window kit both main windows and their small dialogs are built on.
//
//   class frmMain : public WindowBase<frmMain> {
//    public:
//     LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);  // DefWindowProc at the end
//   };
//   frmMain main;
//   main.Create({.className = "PlugwardenMain", .caption = " Plugwarden", .client = {0, 0, 11805, 4905},
//                .menu = CreateMenuBar(kMenus)});
//   // in WM_CREATE: controls at their design twips, at Dpi():
//   CreateControl(Window(), WC_BUTTONA, kCheck1, "", BS_AUTOCHECKBOX | WS_TABSTOP, 0, {360, 4520, 255, 255}, Dpi());
//   CreateLabel(Window(), kLabel1, "Installed ...", {240, 240, 5415, 255}, Dpi(), {{"Arial", 9.75, true}}, looks_);
//   // in HandleMessage: if (auto r = looks_.OnCtlColor(message, wParam, lParam)) return *r;
//   SetRightToLeft(Window(), true);   // and back with false, as often as the language changes
//   return RunMessageLoop();          // in WinMain
//
// Controls remember their design rect (twips), so SetRightToLeft puts them back at it, mirrored
// or not. Control IDs 1 and 2 are IDOK and IDCANCEL: the message loop's dialog manager sends
// them for Enter and Escape, so give controls other IDs.
#include <windows.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "shared/about_box.h"  // FontSpec
#include "shared/twips.h"
#include "shared/win32/gdi_objects.h"

namespace shared::win32 {

// Window styles of the programs' windows.
inline constexpr DWORD kFixedSingleStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
inline constexpr DWORD kFixedSingleMinimiseStyle = kFixedSingleStyle | WS_MINIMIZEBOX;

struct TopLevelSpec {
  const char* className = nullptr;  // registered once, with the button face as background
  std::string caption;
  TwipsRect client;                   // width and height of the client area; left/top see below
  bool placeAtClientOrigin = false;   // client area at client.left, client.top (screen twips);
                                      // otherwise where Windows places new windows
  DWORD style = kFixedSingleStyle;
  DWORD exStyle = WS_EX_CONTROLPARENT;
  HMENU menu = nullptr;  // the window owns and destroys it
  HWND owner = nullptr;
  HICON icon = nullptr;  // not owned
};

// Creates a top-level window whose client area is windowShape.client's size at the system DPI.
// `param` reaches WM_NCCREATE/WM_CREATE as lpCreateParams. nullptr when it cannot be made.
HWND CreateTopLevelWindow(const TopLevelSpec& windowShape, WNDPROC proc, void* param, int dpi);

// WM_NCCREATE trampoline: messages go to T::HandleMessage(message, wParam, lParam) from
// WM_NCCREATE on (Window() is already set there). At WM_NCDESTROY Window() is cleared before
// HandleMessage runs, so a window object may delete itself there.
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

  HWND Create(const TopLevelSpec& windowShape) {
    dpi_ = WindowDpi(nullptr);
    return CreateTopLevelWindow(windowShape, &WindowBase::Proc, this, dpi_);
  }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<WindowBase*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
      self = static_cast<WindowBase*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
      ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
      self->window_ = window;
    }
    if (self == nullptr) return ::DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
      ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      self->window_ = nullptr;
    }
    return static_cast<T*>(self)->HandleMessage(message, wParam, lParam);
  }

  HWND window_ = nullptr;
  int dpi_ = 96;
};

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

// The fonts and colours of a window's controls; the window owns one and forwards its
// WM_CTLCOLOR* messages to OnCtlColor.
class ControlLooks {
 public:
  // An owned font, made once per windowShape at `dpi`; nullptr when it cannot be made.
  HFONT Font(const FontSpec& font, int dpi);
  void SetFont(HWND control, const FontSpec& font, int dpi);
  // Text colour, and background (nullopt: the button face, drawn transparently over it).
  void SetColours(HWND control, COLORREF text, std::optional<COLORREF> background = std::nullopt);
  // The brush for WM_CTLCOLORSTATIC / EDIT / LISTBOX / BTN of a control given colours; nullopt
  // for anything else (the window passes those on).
  std::optional<LRESULT> OnCtlColor(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  struct OwnedFont {
    FontSpec windowShape;
    int dpi;
    UniqueFont font;
  };
  struct Colours {
    HWND control;
    COLORREF text;
    std::optional<COLORREF> background;
    UniqueBrush brush;
  };
  std::vector<OwnedFont> fonts_;
  std::vector<Colours> colours_;
};

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
void SetLabelText(HWND label, const std::string& text);

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
