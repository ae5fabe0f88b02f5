#include "plugwarden/win32/frm_main.h"

#include <commctrl.h>

#include "plugwarden/win32/frm_load.h"
#include "plugwarden/win32/frm_save.h"
#include "plugwarden/win32/frm_tooltip.h"
#include "shared/about_box.h"
#include "shared/win32/frm_about.h"
#include "shared/win32/xp_cmd_button.h"

namespace plugwarden::win32 {
namespace {

using namespace shared::win32;

// After the window is shown: the messages of its load.
constexpr UINT kShownMessage = WM_APP + 1;

constexpr shared::TwipsRect kClient{0, 0, 11805, 4905};
const shared::FontSpec& kButtonFont = kFormFont;

struct ButtonDesign {
  int id;
  const char* caption;
  shared::TwipsRect place;
};
constexpr ButtonDesign kButtons[] = {
    {kCommand1, "&More Info", {120, 4080, 1455, 375}},  {kCmdDisable, "&Disable", {1680, 4080, 1455, 375}},
    {kCmdRemove, "&Remove", {3240, 4080, 1455, 375}},   {kCmdReset, "Reset All", {4800, 4080, 1455, 375}},
    {kCmdApply, "&Apply", {6360, 4080, 1455, 375}},
};

int TargetId(MainText target) {
  switch (target) {
    case MainText::kLabel1: return kLabel1;
    case MainText::kLabel2: return kLabel2;
    case MainText::kLabel3: return kLabel3;
    case MainText::kCommand1: return kCommand1;
    case MainText::kCmdDisable: return kCmdDisable;
    case MainText::kCmdRemove: return kCmdRemove;
    case MainText::kCmdReset: return kCmdReset;
    case MainText::kCmdApply: return kCmdApply;
    case MainText::kFile: return kMenuFile;
    case MainText::kMnuExit: return kMnuExit;
    case MainText::kConfig: return kMenuConfig;
    case MainText::kMnuSaveProf: return kMnuSaveProf;
    case MainText::kMnuLoadProf: return kMnuLoadProf;
    case MainText::kHelp: return kMenuHelp;
    case MainText::kMnuHelpIndex: return kMnuHelpIndex;
    case MainText::kMnuAbout: return kMnuAbout;
    case MainText::kMnuUpdate: return kMnuUpdate;
  }
  return 0;
}

bool IsMenu(int id) { return id >= kMenuFile; }

HMENU DesignMenus() {
  return CreateMenuBar({
      {kMenuFile, "&File", {{kMnuExit, "E&xit"}}},
      {kMenuConfig, "&Configuration", {{kMnuSaveProf, "&Save To Profile"}, {kMnuLoadProf, "&Load From Profile"}}},
      {kMenuHelp, "&Help", {{kMnuHelpIndex, "Help &index"}, {kMnuUpdate, "Update Plugwarden"}, {kMnuAbout, "&About"}}},
  });
}

}  // namespace

frmMain::frmMain(const MainServices& services, MainWindowOptions options)
    : services_(services), options_(std::move(options)), presenter_(services_, *this) {
  if (!options_.endProgram) options_.endProgram = [] { ::PostQuitMessage(0); };
}

frmMain::~frmMain() {
  // While every member still lives: the base would destroy the window after they are gone.
  if (Window() != nullptr) ::DestroyWindow(Window());
  frmToolTip::Close();
  frmSave::Close();
  frmLoad::Close();
}

HWND frmMain::Load() {
  TopLevelSpec shape;
  shape.className = "PlugwardenMain";
  shape.caption = kMainCaption;
  shape.client = kClient;
  shape.style = kFixedSingleMinimiseStyle;
  shape.menu = DesignMenus();
  shape.icon = options_.icon;
  // The load runs in WM_CREATE; a second instance makes the creation fail.
  HWND window = Create(shape);
  if (window == nullptr) return nullptr;
  ::ShowWindow(window, SW_SHOWNORMAL);
  ::UpdateWindow(window);
  ::PostMessageA(window, kShownMessage, 0, 0);
  return window;
}

void frmMain::CreateControls() {
  HWND window = Window();
  const int dpi = Dpi();
  list_.Create(window, kListView1, {120, 720, 11415, 3135}, dpi,
               {{"BHO Name", 1540},
                {"Status", 1039},
                {"Information", 2539},
                {"Version", 1039},
                {"Path", 2540},
                {"BHO Identifier", 2050}});
  CreateLabel(window, kLabel1, "Installed Browser Helper Objects", {240, 240, 5415, 255}, dpi,
              LabelLook{{"Arial", 9.75, true}}, Looks());
  combo_.Create(window, kComboLang, {9720, 4080, 1935, 330}, dpi, "Change Interface Language");
  LabelLook blue{{"Arial", 8.25, true}, RGB(0, 0, 255)};
  blue.sizedToText = true;
  CreateLabel(window, kLabel2, "Select Language", {8040, 4080, 1365, 210}, dpi, blue, Looks());
  // The box alone: its text is Label3 beside it.
  CreateControl(window, WC_BUTTONA, kCheck1, "", WS_TABSTOP | BS_AUTOCHECKBOX, 0, {360, 4520, 255, 255}, dpi);
  CreateLabel(window, kLabel3,
              "Let Plugwarden to  start always with Windows and apply this profile(current values in this list)",
              {600, 4560, 8775, 255}, dpi, LabelLook{{"Arial", 8.25, true}}, Looks());
  for (const ButtonDesign& design : kButtons) {
    HWND button = CreateXPCmdButton(window, design.id, design.caption, 0, 0, 0, 0);
    SetDesignRect(button, design.place);
    PlaceAtDesignRect(button, dpi);
    Looks().SetFont(button, kButtonFont, dpi);
  }
  // Tab order as designed: the list first.
  ::SetFocus(list_.Handle());
}

LRESULT frmMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      instance_.emplace(options_.instanceName);
      if (instance_->AnotherIsRunning()) {
        creating_ = true;
        presenter_.Load(true);
        return -1;  // the window is not made
      }
      CreateControls();
      presenter_.Load(false);
      return 0;
    case kShownMessage:
      presenter_.Shown();
      return 0;
    case WM_COMMAND:
      Command(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_NOTIFY:
      return Notify(reinterpret_cast<NMHDR*>(lParam));
    case WM_CLOSE:
      presenter_.ExitChosen();
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      // The process is ended after this message: unload now.
      if (wParam != FALSE) presenter_.Unload(true);
      return 0;
    default:
      break;
  }
  return DefaultProc(message, wParam, lParam);
}

void frmMain::Command(int id, int code, HWND control) {
  if (control == combo_.Handle() && control != nullptr) {
    if (auto text = combo_.ChosenText(MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control)))
      presenter_.LanguageChosen(*text);
    return;
  }
  const bool click = control == nullptr || code == BN_CLICKED;
  if (!click) return;
  switch (id) {
    case kCommand1: presenter_.MoreInfoClicked(); break;
    case kCmdDisable: presenter_.DisableClicked(); break;
    case kCmdRemove: presenter_.RemoveClicked(); break;
    case kCmdReset: presenter_.ResetClicked(); break;
    case kCmdApply: presenter_.ApplyClicked(); break;
    case kCheck1: presenter_.CheckClicked(::IsDlgButtonChecked(Window(), kCheck1) == BST_CHECKED); break;
    case kMnuExit: presenter_.ExitChosen(); break;
    case kMnuSaveProf: presenter_.SaveProfileChosen(); break;
    case kMnuLoadProf: presenter_.LoadProfileChosen(); break;
    case kMnuHelpIndex: presenter_.HelpIndexChosen(); break;
    case kMnuUpdate: presenter_.UpdateChosen(); break;
    case kMnuAbout: presenter_.AboutChosen(); break;
    default: break;
  }
}

LRESULT frmMain::Notify(NMHDR* header) {
  if (const auto answer = list_.Answer(header)) return *answer;
  const auto event = list_.Decode(header);
  if (!event) return 0;
  if (event->position == 0) {
    // A click beside the rows keeps the row the buttons work on.
    list_.Select(presenter_.List().Selected());
    return 0;
  }
  presenter_.ListClicked(event->position);
  if (event->kind == shared::win32::ReportListView::EventKind::DoubleClick) presenter_.ListDoubleClicked();
  return 0;
}

void frmMain::SetText(MainText target, const std::string& text) {
  const int id = TargetId(target);
  if (IsMenu(id)) {
    SetMenuCaption(Window(), id, text);
  } else if (id == kLabel1 || id == kLabel2 || id == kLabel3) {
    SetLabelText(::GetDlgItem(Window(), id), text, Dpi());
  } else {
    ::SetDlgItemTextA(Window(), id, text.c_str());
  }
}

void frmMain::SetColumnHeader(int column, const std::string& text) { list_.SetHeader(column, text); }

void frmMain::SetCheck(bool on) { ::CheckDlgButton(Window(), kCheck1, on ? BST_CHECKED : BST_UNCHECKED); }

void frmMain::EnableRemove(bool enabled) { ::EnableWindow(::GetDlgItem(Window(), kCmdRemove), enabled); }

void frmMain::SetRightToLeft(bool on) { shared::win32::SetRightToLeft(Window(), on, Dpi()); }

shared::Status frmMain::ShowLanguages(shared::LanguageList& languages) {
  return combo_.Fill(languages, services_.language.LanguageFolder());
}

void frmMain::ShowRows(const shared::ListModel& list) { list_.Show(list); }

void frmMain::ShowRow(const shared::ListModel& list, int position) { list_.ShowRow(list, position); }

void frmMain::SelectRow(int position) { list_.Select(position); }

void frmMain::ShowToolTip(const ToolTipContent& content) { frmToolTip::ShowAtCursor(content); }

void frmMain::OpenSaveProfile() { frmSave::Show(presenter_); }

void frmMain::OpenLoadProfile() { frmLoad::Show(presenter_); }

void frmMain::OpenAbout() {
  shared::LanguagePack& language = services_.language;
  const AboutServices about{services_.registry, services_.files, services_.shell, services_.prompt, &language,
                            [&language] { return language.SetCaptionfromINI("8510", ""); }};
  frmAbout::Show(shared::PlugwardenAbout(), about, options_.icon);
}

void frmMain::EndProgram() {
  if (ending_) return;
  ending_ = true;
  // Every other window goes without further events.
  frmToolTip::Close();
  frmSave::Close();
  frmLoad::Close();
  frmAbout::Close();
  if (Window() != nullptr && !creating_) ::DestroyWindow(Window());
  options_.endProgram();
}

}  // namespace plugwarden::win32
