#include "shared/win32/frm_about.h"

#include <memory>
#include <new>

#include "shared/win32/gdi_objects.h"
#include "shared/win32/xp_cmd_button.h"

namespace shared::win32 {
namespace {

constexpr char kAboutClass[] = "WardenAbout";
constexpr char kOwnerClass[] = "WardenHiddenOwner";
constexpr DWORD kAboutStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kAboutExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

HWND gCurrentAbout = nullptr;
// Set once a window has taken ownership of its object (WM_NCCREATE); it frees it at WM_NCDESTROY.
bool gAdopted = false;

class AboutWindow {
 public:
  AboutWindow(const AboutVariant& variant, const AboutServices& services, HICON icon)
      : variant_(variant), services_(services), icon_(icon) {}

  HWND Create();
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void CreateControls();
  HWND Label(int id, const std::string& text, const PixelRect& r, const FontSpec& font, UniqueFont& owned);
  void Paint();

  AboutVariant variant_;
  AboutServices services_;
  HICON icon_;
  HWND window_ = nullptr;
  int dpi_ = 96;
  AboutLayout layout_;
  AboutCaptions captions_;
  UniqueFont baseFont_, titleFont_, versionFont_, descriptionFont_;
  UniqueBrush face_;
};

LRESULT CALLBACK AboutProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<AboutWindow*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
  if (message == WM_NCCREATE) {
    self = static_cast<AboutWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    gAdopted = true;
  }
  if (self == nullptr) return ::DefWindowProcA(window, message, wParam, lParam);
  const LRESULT result = self->HandleMessage(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    delete self;  // nothing survives the window
  }
  return result;
}

HWND AboutWindow::Create() {
  if (!RegisterClassOnce(kAboutClass, AboutProc, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1))) return nullptr;
  captions_ = LoadAboutCaptions(variant_, services_.language);
  dpi_ = WindowDpi(nullptr);
  layout_ = LayOutAbout(variant_, dpi_);
  // Mirrored before the controls exist, so their places mirror with the window.
  const DWORD exStyle = kAboutExStyle | (captions_.rightToLeft.value_or(false) ? WS_EX_LAYOUTRTL : 0);
  RECT frame{layout_.client.left, layout_.client.top, layout_.client.left + layout_.client.width,
             layout_.client.top + layout_.client.height};
  ::AdjustWindowRectEx(&frame, kAboutStyle, FALSE, exStyle);
  return ::CreateWindowExA(exStyle, kAboutClass, captions_.caption.c_str(), kAboutStyle, frame.left, frame.top,
                           frame.right - frame.left, frame.bottom - frame.top, HiddenOwnerWindow(), nullptr,
                           ::GetModuleHandleA(nullptr), this);
}

HWND AboutWindow::Label(int id, const std::string& text, const PixelRect& r, const FontSpec& font, UniqueFont& owned) {
  HWND label = ::CreateWindowExA(0, "STATIC", text.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, r.left,
                                 r.top, r.width, r.height, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 ::GetModuleHandleA(nullptr), nullptr);
  if (!font.face.empty()) owned.reset(CreatePointFont(font.face.c_str(), font.points, font.bold, dpi_));
  ::SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(owned ? owned.get() : baseFont_.get()), FALSE);
  return label;
}

void AboutWindow::CreateControls() {
  // The holder's ambient font: 8 pt, at the real DPI.
  baseFont_.reset(CreatePointFont("Tahoma", 8.25, false, dpi_));
  UniqueFont none;
  Label(kAboutTitleId, captions_.title, layout_.title, variant_.titleFont, titleFont_);
  Label(kAboutVersionId, captions_.version, layout_.version, variant_.versionFont, versionFont_);
  Label(kAboutDescriptionId, captions_.description, layout_.description, variant_.descriptionFont, descriptionFont_);
  Label(kAboutDisclaimerId, captions_.disclaimer, layout_.disclaimer, FontSpec{}, none);
  const PixelRect& ok = layout_.ok;
  const PixelRect& sys = layout_.sysInfo;
  HWND cmdOK = CreateXPCmdButton(window_, kAboutOkId, captions_.ok.c_str(), ok.left, ok.top, ok.width, ok.height,
                                 BS_DEFPUSHBUTTON);
  HWND cmdSysInfo =
      CreateXPCmdButton(window_, kAboutSysInfoId, captions_.sysInfo.c_str(), sys.left, sys.top, sys.width, sys.height);
  ::SendMessageA(cmdOK, WM_SETFONT, reinterpret_cast<WPARAM>(baseFont_.get()), FALSE);
  ::SendMessageA(cmdSysInfo, WM_SETFONT, reinterpret_cast<WPARAM>(baseFont_.get()), FALSE);
  ::SetFocus(cmdOK);
}

void AboutWindow::Paint() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(window_, &ps);
  if (icon_ != nullptr) {
    // The icon at its 32-pixel design size, scaled with the DPI, centred in the picture box.
    const int size = ::MulDiv(32, dpi_, 96);
    const PixelRect& box = layout_.icon;
    ::DrawIconEx(dc, box.left + (box.width - size) / 2, box.top + (box.height - size) / 2, icon_, size, size, 0,
                 nullptr, DI_NORMAL);
  }
  // The etched rule: grey above, white below; one design pixel is one pixel at 96 DPI.
  const int unit = dpi_ >= 96 ? dpi_ / 96 : 1;
  UniqueBrush grey(::CreateSolidBrush(RGB(128, 128, 128)));
  RECT greyLine{layout_.greyRuleLeft, layout_.greyRuleY, layout_.ruleRight, layout_.greyRuleY + unit};
  ::FillRect(dc, &greyLine, grey.get());
  RECT whiteLine{layout_.whiteRuleLeft, layout_.greyRuleY + unit, layout_.ruleRight, layout_.greyRuleY + 3 * unit};
  ::FillRect(dc, &whiteLine, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  ::EndPaint(window_, &ps);
}

LRESULT AboutWindow::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      window_ = window;
      gCurrentAbout = window;
      CreateControls();
      return 0;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      ::SetBkMode(dc, TRANSPARENT);
      ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
      return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case kAboutOkId:
        case IDCANCEL:  // Escape, through the dialog manager
          ::DestroyWindow(window);
          return 0;
        case kAboutSysInfoId:
          if (HIWORD(wParam) == BN_CLICKED) {
            StartSysInfo(services_.registry, services_.files, services_.shell, services_.prompt, variant_.programTitle,
                         services_.unavailableText ? services_.unavailableText : [] { return std::string(); });
          }
          return 0;
        default:
          break;
      }
      break;
    case WM_DESTROY:
      if (gCurrentAbout == window) gCurrentAbout = nullptr;
      return 0;
    default:
      break;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

HWND frmAbout::Show(const AboutVariant& variant, const AboutServices& services, HICON icon) {
  if (gCurrentAbout != nullptr) {
    ::SetForegroundWindow(gCurrentAbout);
    return gCurrentAbout;
  }
  auto* about = new (std::nothrow) AboutWindow(variant, services, icon);
  if (about == nullptr) return nullptr;
  gAdopted = false;
  HWND window = about->Create();
  if (window == nullptr) {
    if (!gAdopted) delete about;
    return nullptr;
  }
  ::ShowWindow(window, SW_SHOWNORMAL);
  ::UpdateWindow(window);
  return window;
}

HWND frmAbout::Current() { return gCurrentAbout; }

bool TranslateSharedWindowMessage(MSG& message) {
  if (gCurrentAbout != nullptr && (message.hwnd == gCurrentAbout || ::IsChild(gCurrentAbout, message.hwnd)))
    return ::IsDialogMessageA(gCurrentAbout, &message) != 0;
  return false;
}

HWND HiddenOwnerWindow() {
  static HWND owner = nullptr;
  if (owner != nullptr && ::IsWindow(owner)) return owner;
  if (!RegisterClassOnce(kOwnerClass, OwnerProc, nullptr)) return nullptr;
  owner = ::CreateWindowExA(0, kOwnerClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, ::GetModuleHandleA(nullptr),
                            nullptr);
  return owner;
}

}  // namespace shared::win32
