#include "shared/win32/frm_about.h"

#include "shared/win32/gdi_objects.h"
#include "shared/win32/xp_cmd_button.h"

namespace shared::win32 {
namespace {

constexpr char kAboutClass[] = "WardenAbout";
constexpr char kOwnerClass[] = "WardenHiddenOwner";
constexpr DWORD kAboutStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kAboutExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
// The holder's ambient font, for the labels without a font of their own and the buttons.
const FontSpec& kAmbientFont = kTahomaFont;

}  // namespace

HWND frmAbout::Load() {
  captions_ = LoadAboutCaptions(variant_, services_.language);
  TopLevelSpec shape;
  shape.className = kAboutClass;
  shape.caption = captions_.caption;
  shape.client = variant_.client;
  shape.placeAtClientOrigin = true;
  shape.style = kAboutStyle;
  // Mirrored before the controls exist, so their places mirror with the window.
  shape.exStyle = kAboutExStyle | (captions_.rightToLeft.value_or(false) ? WS_EX_LAYOUTRTL : 0);
  shape.owner = HiddenOwnerWindow();
  if (Create(shape) == nullptr) return nullptr;
  ::ShowWindow(Window(), SW_SHOWNORMAL);
  ::UpdateWindow(Window());
  return Window();
}

void frmAbout::CreateControls() {
  const struct {
    int id;
    const std::string& text;
    const FontSpec& font;
  } labels[] = {{kAboutTitleId, captions_.title, variant_.titleFont},
                {kAboutVersionId, captions_.version, variant_.versionFont},
                {kAboutDescriptionId, captions_.description, variant_.descriptionFont},
                {kAboutDisclaimerId, captions_.disclaimer, FontSpec{}}};
  for (const auto& label : labels) {
    HWND made = ::CreateWindowExA(0, "STATIC", label.text.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, 0,
                                  0, 0, Window(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(label.id)),
                                  ::GetModuleHandleA(nullptr), nullptr);
    Looks().SetFont(made, label.font.face.empty() ? kAmbientFont : label.font, Dpi());
    Looks().SetColours(made, CLR_INVALID);
  }
  HWND cmdOK = CreateXPCmdButton(Window(), kAboutOkId, captions_.ok.c_str(), 0, 0, 0, 0, BS_DEFPUSHBUTTON);
  HWND cmdSysInfo = CreateXPCmdButton(Window(), kAboutSysInfoId, captions_.sysInfo.c_str(), 0, 0, 0, 0);
  Looks().SetFont(cmdOK, kAmbientFont, Dpi());
  Looks().SetFont(cmdSysInfo, kAmbientFont, Dpi());
  PlaceControls();
  ::SetFocus(cmdOK);
}

// At the layout of the current DPI: on creation and after a change of DPI.
void frmAbout::PlaceControls() {
  layout_ = LayOutAbout(variant_, Dpi());
  const struct {
    int id;
    const PixelRect& place;
  } places[] = {{kAboutTitleId, layout_.title},         {kAboutVersionId, layout_.version},
                {kAboutDescriptionId, layout_.description}, {kAboutDisclaimerId, layout_.disclaimer},
                {kAboutOkId, layout_.ok},               {kAboutSysInfoId, layout_.sysInfo}};
  for (const auto& p : places)
    ::SetWindowPos(::GetDlgItem(Window(), p.id), nullptr, p.place.left, p.place.top, p.place.width, p.place.height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

void frmAbout::Paint() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(Window(), &ps);
  const int dpi = Dpi();
  if (icon_ != nullptr) {
    // The icon at its 32-pixel design size, scaled with the DPI, centred in the picture box.
    const int size = ::MulDiv(32, dpi, 96);
    const PixelRect& box = layout_.icon;
    ::DrawIconEx(dc, box.left + (box.width - size) / 2, box.top + (box.height - size) / 2, icon_, size, size, 0,
                 nullptr, DI_NORMAL);
  }
  // The etched rule: grey above, white below; one design pixel is one pixel at 96 DPI.
  const int unit = dpi >= 96 ? dpi / 96 : 1;
  UniqueBrush grey(::CreateSolidBrush(RGB(128, 128, 128)));
  RECT greyLine{layout_.greyRuleLeft, layout_.greyRuleY, layout_.ruleRight, layout_.greyRuleY + unit};
  ::FillRect(dc, &greyLine, grey.get());
  RECT whiteLine{layout_.whiteRuleLeft, layout_.greyRuleY + unit, layout_.ruleRight, layout_.greyRuleY + 3 * unit};
  ::FillRect(dc, &whiteLine, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  ::EndPaint(Window(), &ps);
}

LRESULT frmAbout::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      CreateControls();
      return 0;
    case WM_DPICHANGED:
      PlaceControls();
      return 0;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case kAboutOkId:
        case IDCANCEL:  // Escape, through the dialog manager
          ::DestroyWindow(Window());
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
    default:
      break;
  }
  return DefaultProc(message, wParam, lParam);
}

bool TranslateSharedWindowMessage(MSG& message) {
  HWND about = frmAbout::Current();
  if (about != nullptr && (message.hwnd == about || ::IsChild(about, message.hwnd)))
    return ::IsDialogMessageA(about, &message) != 0;
  return false;
}

HWND HiddenOwnerWindow() {
  static HWND owner = nullptr;
  if (owner != nullptr && ::IsWindow(owner)) return owner;
  // It only owns: the default procedure is all it needs.
  if (!RegisterClassOnce(kOwnerClass, ::DefWindowProcA, nullptr)) return nullptr;
  owner = ::CreateWindowExA(0, kOwnerClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, ::GetModuleHandleA(nullptr),
                            nullptr);
  return owner;
}

}  // namespace shared::win32
