#include "bootwarden/main_window.h"

#include "bootwarden/startup_files.h"
#include "shared/shell_launchers.h"
#include "shared/windows_folder_port.h"

namespace bootwarden {
namespace {

constexpr char kCrLf[] = "\r\n";

struct MenuCaption {
  MainMenu menu;
  const char* key;
  const char* design;
};
// The caption routine's order.
constexpr MenuCaption kMenuCaptions[] = {
    {MainMenu::kEdit, "110", "&Edit"},
    {MainMenu::kAuto, "111", "Autoexec.bat"},
    {MainMenu::kConfig, "112", "Config.sys"},
    {MainMenu::kRegistry, "113", "Registry"},
    {MainMenu::kProfile, "120", "&Profile"},
    {MainMenu::kSaveProf, "121", "&Save to profile"},
    {MainMenu::kLoadProf, "122", "&Load from profile"},
    {MainMenu::kApply, "130", "&Apply"},
    {MainMenu::kAppRest, "131", "Apply and &Restart Windows"},
    {MainMenu::kAppLog, "132", "Apply and &LogOff"},
    {MainMenu::kAppExit, "133", "Apply and& Exit Program"},
    {MainMenu::kAppJust, "134", "&Just Apply"},
    {MainMenu::kHelp, "140", "&Help"},
    {MainMenu::kHelpIndex, "141", "Help &Index"},
    {MainMenu::kAbout, "142", "&About"},
    {MainMenu::kUpdate, "143", "&Update Bootwarden"},
    {MainMenu::kVisit, "144", nullptr},
};

struct ControlCaption {
  MainControl control;
  const char* key;
  const char* design;
};
constexpr ControlCaption kControlCaptions[] = {
    {MainControl::kLabel1, "101", "StartUp Programs"},
    {MainControl::kCmdRemove, "103", "&Remove"},
    {MainControl::kCmdReset, "104", "R&eset All"},
    {MainControl::kCmdAddTask, "105", "Add &Task"},
    {MainControl::kLabel3, "106", "Select  Language"},
};

std::string VisitCaption() { return std::string("&Visit ") + shared::kMakerWebSiteName; }

}  // namespace

const char* DesignCaption(MainMenu menu) {
  static const std::string visit = VisitCaption();
  for (const MenuCaption& caption : kMenuCaptions) {
    if (caption.menu == menu) return caption.design != nullptr ? caption.design : visit.c_str();
  }
  return "";
}

const char* DesignCaption(MainControl control) {
  if (control == MainControl::kCmdDisable) return "&Disable";
  for (const ControlCaption& caption : kControlCaptions) {
    if (caption.control == control) return caption.design;
  }
  return "";
}

MainWindow::MainWindow(MainWindowView& view, MainWindowServices services)
    : view_(view),
      services_(services),
      staging_(list_, services_.targets),
      profiles_(list_, staging_, services_.fileDialog, services_.files, services_.prompt),
      about_(shared::BootwardenAbout()) {}

bool MainWindow::Load() {
  // A second instance leaves the running one's setting and store alone.
  if (view_.AnotherInstanceRunning()) return false;
  loaded_ = true;

  if (shared::ChooseLanguageAtStart(services_.language, services_.settings, kAppTitle)) view_.SetRightToLeft(true);
  FillLanguages();
  disableText_ = "Disable";
  enableText_ = "Enable";
  staging_.SetCaptions(disableText_, enableText_);
  if (languagePackFound_) SetCaptions();

  EnumerateStartupEntries(services_.sources, list_);
  const shared::Status stored = staging_.LoadStore();
  if (!stored.ok()) {
    Tell(Text("438", "The list of disabled entries") + " " + DisabledStorePath(services_.sources.windowsFolder) + " " +
         Text("439",
              "could not be read, so its entries are not shown. It is left as it is, and nothing can be applied "
              "until the program is started again with it readable.") +
         kCrLf + Text(kReasonKey, kReasonLabel) + " " + stored.message());
  }
  staging_.TakeSnapshot();

  ShowAllRows();
  return true;
}

void MainWindow::FillLanguages() {
  languagePackFound_ = false;
  auto filled = shared::FillLanguageList(services_.files, services_.language.LanguageFolder(),
                                         services_.language.CurrentLanguageFile());
  if (!filled.ok()) {
    services_.prompt.Ask(filled.status().message(), shared::kMbOk, kAppTitle);
    return;
  }
  shared::LanguageList languages = std::move(filled).value();
  const shared::Status shown = view_.ShowLanguageList(languages, services_.language.LanguageFolder());
  if (!shown.ok()) services_.prompt.Ask(shown.message(), shared::kMbOk, kAppTitle);
  languagePackFound_ = languages.LanguagePackFound;
}

void MainWindow::SetCaptions() {
  shared::LanguagePack& pack = services_.language;
  const auto text = [&](const std::string& key) { return pack.SetCaptionfromINI(key, ""); };
  for (const MenuCaption& caption : kMenuCaptions) view_.SetMenuCaption(caption.menu, text(caption.key));
  for (const ControlCaption& caption : kControlCaptions) view_.SetControlCaption(caption.control, text(caption.key));
  std::string* const aboutTexts[] = {&about_.caption, &about_.title, &about_.version, &about_.description,
                                     &about_.disclaimer, &about_.ok, &about_.sysInfo};
  int key = 301;
  for (std::string* target : aboutTexts) *target = text(std::to_string(key++));
  for (int i = 0; i < 3; ++i) messages_[i] = pack.SetCaptionfromINI(std::to_string(410 + i), kMessageDefaults[i]);
  staging_.SetAdministratorText(pack.SetCaptionfromINI(kAdministratorKey, kAdministratorDefault));
  for (int column = 1; column <= StartupEntry::kFieldCount; ++column)
    view_.SetColumnHeader(column, text(std::to_string(150 + column)));
  enableText_ = text("107");
  disableText_ = text("102");
  staging_.SetCaptions(disableText_, enableText_);
  // The button names what it does to the selected row: "Enable" on an enabled row would disable
  // it. With no row selected, the Enable text.
  if (list_.Selected() != 0) {
    staging_.SelectRow(list_.Selected());
    ShowButtons();
  } else {
    view_.SetControlCaption(MainControl::kCmdDisable, enableText_);
  }
}

void MainWindow::ShowButtons() {
  view_.SetControlCaption(MainControl::kCmdDisable, staging_.DisableButtonCaption());
  view_.EnableRemove(staging_.RemoveEnabled());
}

void MainWindow::ItemClicked(int position) {
  if (list_.Count() == 0) return;
  staging_.SelectRow(position);
  ShowButtons();
}

void MainWindow::DisableClicked() {
  if (list_.Selected() == 0) return;
  staging_.DisableClicked();
  view_.ShowRow(list_.Selected());
  ShowButtons();
}

void MainWindow::RemoveClicked() {
  if (list_.Selected() == 0) return;
  staging_.RemoveClicked();
  view_.ShowRow(list_.Selected());
  view_.EnableRemove(staging_.RemoveEnabled());
}

void MainWindow::ResetClicked() {
  staging_.ResetAllClicked();
  ShowAllRows();
}

void MainWindow::ShowAllRows() {
  if (list_.Count() > 0 && list_.Selected() == 0) staging_.SelectRow(1);
  view_.ShowRows();
  if (list_.Count() > 0) ShowButtons();
}

bool MainWindow::ApplyAndShowRows() {
  const bool applied = staging_.ApplyNow();
  if (list_.Selected() != 0) staging_.SelectRow(list_.Selected());
  ShowAllRows();
  return applied;
}

void MainWindow::AppendRow(const StartupEntry& entry) {
  shared::AppendRow(list_, shared::ToRow(entry));
  view_.ShowRows();
}

void MainWindow::LanguageChosen(const std::string& itemText) {
  const shared::LanguageChoice choice = shared::ChooseLanguageItem(services_.language, itemText);
  if (choice.changed) SetCaptions();
  view_.SetRightToLeft(choice.rightToLeft);
}

bool MainWindow::Confirmed() {
  const std::string question = services_.language.SetCaptionfromINI(kApplyQuestionKey, kApplyQuestionDefault);
  return services_.prompt.Ask(question, kConfirmationStyle, kConfirmationTitle) == shared::kAnswerYes;
}

void MainWindow::ApplyAndEndSession(bool restart) {
  if (!ApplyAndShowRows()) return;
  // The store must hold every disabled entry before the session ends, or they are lost.
  const shared::Status stored = staging_.SaveStore();
  if (!stored.ok()) {
    return Tell(Text(kStoreNotSavedKey, kStoreNotSavedDefault) + " " +
                DisabledStorePath(services_.sources.windowsFolder) +
                (restart ? Text("440", ", so Windows was not restarted.") : Text("441", ", so Windows was not logged off.")) +
                kCrLf + Text(kReasonKey, kReasonLabel) + " " + stored.message());
  }
  const shared::Status ended = restart ? services_.session.Restart() : services_.session.LogOff();
  if (!ended.ok()) {
    Tell((restart ? Text("442", "Windows could not be restarted.") : Text("443", "Windows could not log you off.")) +
         kCrLf + Text(kReasonKey, kReasonLabel) + " " + ended.message());
  }
}

void MainWindow::MenuClicked(MainMenu menu) {
  shared::ShellPort& shell = services_.shell;
  const std::string& programFolder = services_.language.ProgramFolder();
  switch (menu) {
    case MainMenu::kAuto:
      return shared::EditDosFile(shell, services_.prompt, shared::kAutoexecBat, kAppTitle);
    case MainMenu::kConfig:
      return shared::EditDosFile(shell, services_.prompt, shared::kConfigSys, kAppTitle);
    case MainMenu::kRegistry:
      return shared::StartRegistryEditor(shell, services_.prompt, shared::GetWinDir(services_.sources.windowsFolder),
                                         RegistryWarningText());
    case MainMenu::kSaveProf:
      return profiles_.SaveProfileClicked();
    case MainMenu::kLoadProf:
      profiles_.LoadProfileClicked();
      return ShowAllRows();
    case MainMenu::kAppRest:
    case MainMenu::kAppLog:
      if (Confirmed()) ApplyAndEndSession(menu == MainMenu::kAppRest);
      return;
    case MainMenu::kAppExit:
      if (!Confirmed()) return;
      ApplyAndShowRows();
      return Unload();
    case MainMenu::kAppJust:
      if (!Confirmed()) return;
      ApplyAndShowRows();
      return;
    case MainMenu::kHelpIndex:
      return shared::OpenHelpIndex(shell, programFolder);
    case MainMenu::kUpdate:
      return shared::StartUpdaterSilently(shell, programFolder);
    case MainMenu::kVisit:
      return shared::VisitMakerSite(shell, view_.Owner());
    case MainMenu::kAbout:
      return view_.ShowAbout(about_);
    case MainMenu::kEdit:
    case MainMenu::kProfile:
    case MainMenu::kApply:
    case MainMenu::kHelp:
      return;
  }
}

void MainWindow::Unload(bool sessionEnding) {
  if (unloaded_) return;
  unloaded_ = true;
  if (loaded_) {
    const shared::Status language = shared::StoreCurrentLanguage(services_.language, services_.settings, kAppTitle);
    const shared::Status stored = staging_.SaveStore();
    // While Windows ends the session no one is there to answer a box: the error log keeps it.
    const auto report = [&](const std::string& text) {
      if (sessionEnding) services_.language.WriteErrorLog(text);
      else Tell(text);
    };
    if (!language.ok())
      report(Text("444", "The language choice could not be saved.") + kCrLf + Text(kReasonKey, kReasonLabel) + " " +
             language.message());
    if (!stored.ok()) {
      report(Text(kStoreNotSavedKey, kStoreNotSavedDefault) + " " +
             DisabledStorePath(services_.sources.windowsFolder) + "." + kCrLf + Text(kReasonKey, kReasonLabel) + " " + stored.message());
    }
  }
  view_.Close();
}

void MainWindow::Tell(const std::string& text) { services_.prompt.Ask(text, shared::kMbIconCritical, kAppTitle); }

std::string MainWindow::Text(const char* key, const std::string& english) const {
  return services_.language.SetCaptionfromINI(key, english);
}

}  // namespace bootwarden
