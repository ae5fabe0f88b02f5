#include "bootwarden/win32/frm_main.h"

#include "bootwarden/win32/frm_add_task.h"
#include "shared/maker.h"
#include "shared/win32/frm_about.h"
#include "shared/win32/xp_cmd_button.h"

namespace bootwarden::win32 {
namespace {

using shared::TwipsRect;
namespace kit = shared::win32;

const shared::FontSpec& kControlFont = kit::kTahomaFont;

struct ButtonPlace {
  int id;
  MainControl control;
  TwipsRect rect;
};
// In design order.
constexpr ButtonPlace kButtons[] = {
    {kCmdAddTaskId, MainControl::kCmdAddTask, {4800, 3840, 1455, 375}},
    {kCmdResetId, MainControl::kCmdReset, {3240, 3840, 1455, 375}},
    {kCmdRemoveId, MainControl::kCmdRemove, {1680, 3840, 1455, 375}},
    {kCmdDisableId, MainControl::kCmdDisable, {120, 3840, 1455, 375}},
};

int ControlId(MainControl control) {
  switch (control) {
    case MainControl::kLabel1: return kLabel1Id;
    case MainControl::kCmdRemove: return kCmdRemoveId;
    case MainControl::kCmdReset: return kCmdResetId;
    case MainControl::kCmdAddTask: return kCmdAddTaskId;
    case MainControl::kLabel3: return kLabel3Id;
    case MainControl::kCmdDisable: return kCmdDisableId;
  }
  return 0;
}

kit::MenuItemSpec Item(MainMenu menu) { return {MenuId(menu), DesignCaption(menu)}; }

std::vector<kit::MenuSpec> Menus() {
  return {
      {MenuId(MainMenu::kEdit), DesignCaption(MainMenu::kEdit),
       {Item(MainMenu::kAuto), Item(MainMenu::kConfig), Item(MainMenu::kRegistry)}},
      {MenuId(MainMenu::kProfile), DesignCaption(MainMenu::kProfile),
       {Item(MainMenu::kSaveProf), Item(MainMenu::kLoadProf)}},
      {MenuId(MainMenu::kApply), DesignCaption(MainMenu::kApply),
       {Item(MainMenu::kAppRest), Item(MainMenu::kAppLog), Item(MainMenu::kAppExit), Item(MainMenu::kAppJust)}},
      {MenuId(MainMenu::kHelp), DesignCaption(MainMenu::kHelp),
       {Item(MainMenu::kHelpIndex), Item(MainMenu::kUpdate), Item(MainMenu::kVisit), Item(MainMenu::kAbout)}},
  };
}

std::vector<kit::ListColumn> Columns() {
  std::vector<kit::ListColumn> columns;
  const int widths[] = {3245, 1833, 3597, 2009, 3245, 6773};
  for (int i = 0; i < StartupEntry::kFieldCount; ++i) columns.push_back({kColumnHeaders[i], widths[i]});
  columns.push_back({"", 776});  // no row fills it
  return columns;
}

}  // namespace

frmMain::frmMain(MainWindowServices services, FrmMainOptions options)
    : services_(services), options_(options), presenter_(*this, services_) {}

frmMain::~frmMain() = default;

HWND frmMain::CreateAndShow() {
  HWND window = Create({.className = kMainClassName,
                        .caption = kAppTitle,
                        .client = kMainClient,
                        .menu = kit::CreateMenuBar(Menus()),
                        .icon = options_.icon});
  if (window != nullptr) ::ShowWindow(window, SW_SHOWNORMAL);
  return window;
}

bool frmMain::OnCreate() {
  HWND window = Window();
  const int dpi = Dpi();
  for (const ButtonPlace& button : kButtons) {
    const shared::PixelRect r = shared::ToPixels(button.rect, dpi);
    HWND made = kit::CreateXPCmdButton(window, button.id, DesignCaption(button.control), r.left, r.top, r.width, r.height);
    kit::SetDesignRect(made, button.rect);
    Looks().SetFont(made, kControlFont, dpi);
  }
  list_.Create(window, kListView1Id, {120, 600, 9615, 3135}, dpi, Columns());
  Looks().SetFont(list_.Handle(), kControlFont, dpi);
  combo_.Create(window, kComboLangId, {2520, 4560, 1935, 330}, dpi, "");
  Looks().SetFont(combo_.Handle(), kControlFont, dpi);
  kit::CreateLabel(window, kLabel3Id, DesignCaption(MainControl::kLabel3), {120, 4560, 1410, 210}, dpi,
                   {.font = {"Arial", 8.25, true}}, Looks());
  kit::CreateLabel(window, kLabel1Id, DesignCaption(MainControl::kLabel1), {120, 120, 4335, 375}, dpi,
                   {.font = {"Arial", 9.75, true}}, Looks());
  return presenter_.Load();
}

LRESULT frmMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      // A second instance ends here: the window is never shown.
      return OnCreate() ? 0 : -1;
    case WM_COMMAND:
      OnCommand(wParam, lParam);
      return 0;
    case WM_NOTIFY:
      if (const auto answer = list_.Answer(reinterpret_cast<NMHDR*>(lParam))) return *answer;
      if (auto event = list_.Decode(reinterpret_cast<NMHDR*>(lParam))) {
        if (event->position > 0 && event->kind != kit::ReportListView::EventKind::DoubleClick)
          presenter_.ItemClicked(event->position);
      }
      break;
    case WM_CLOSE:
      presenter_.Unload();
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      // The process is ended right after this message: the store must be written now.
      if (wParam) presenter_.Unload(true);
      return 0;
    case WM_DESTROY:
      if (options_.quitOnClose) ::PostQuitMessage(0);
      break;
    default:
      break;
  }
  return DefaultProc(message, wParam, lParam);
}

void frmMain::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam);
  if (lParam == 0 && HIWORD(wParam) == 0) {
    if (id >= kMenuIdBase && id <= MenuId(MainMenu::kVisit)) presenter_.MenuClicked(static_cast<MainMenu>(id - kMenuIdBase));
    return;
  }
  if (auto chosen = combo_.ChosenText(wParam, lParam)) return presenter_.LanguageChosen(*chosen);
  if (HIWORD(wParam) != BN_CLICKED) return;
  switch (id) {
    case kCmdDisableId: return presenter_.DisableClicked();
    case kCmdRemoveId: return presenter_.RemoveClicked();
    case kCmdResetId: return presenter_.ResetClicked();
    case kCmdAddTaskId: return presenter_.AddTaskClicked();
    default: return;
  }
}

void frmMain::SetRightToLeft(bool rightToLeft) { kit::SetRightToLeft(Window(), rightToLeft, Dpi()); }

shared::Status frmMain::ShowLanguageList(shared::LanguageList& list, const std::string& languageFolder) {
  return combo_.Fill(list, languageFolder);
}

void frmMain::SetMenuCaption(MainMenu menu, const std::string& text) { kit::SetMenuCaption(Window(), MenuId(menu), text); }

void frmMain::SetControlCaption(MainControl control, const std::string& text) {
  HWND target = ::GetDlgItem(Window(), ControlId(control));
  if (control == MainControl::kLabel1 || control == MainControl::kLabel3) return kit::SetLabelText(target, text, Dpi());
  ::SetWindowTextA(target, text.c_str());
}

void frmMain::SetColumnHeader(int column, const std::string& text) { list_.SetHeader(column, text); }

void frmMain::EnableRemove(bool enabled) { ::EnableWindow(::GetDlgItem(Window(), kCmdRemoveId), enabled); }

void frmMain::ShowRows() { list_.Show(presenter_.List()); }

void frmMain::ShowRow(int position) { list_.ShowRow(presenter_.List(), position); }

void frmMain::ShowAddTask() { frmAddTask::Show(Window(), presenter_); }

void frmMain::ShowAbout(const shared::AboutVariant& about) {
  const shared::win32::AboutServices aboutServices{services_.targets.registry, services_.files, services_.shell,
                                                   services_.prompt, &services_.language,
                                                   [this] { return presenter_.SysInfoMissingText(); }};
  shared::win32::frmAbout::Show(about, aboutServices, options_.icon);
}

void frmMain::Close() { ::DestroyWindow(Window()); }

}  // namespace bootwarden::win32
