#include "plugwarden/main_window.h"

#include <array>
#include <utility>

#include "shared/shell_launchers.h"

namespace plugwarden {
namespace {

struct CaptionStep {
  const char* key;
  MainText target;
};

// SetCaptions' order: labels, buttons, then the menus as they stand in the bar.
constexpr std::array<CaptionStep, 17> kCaptionSteps{{
    {"8101", MainText::kLabel1},      {"8107", MainText::kLabel2},       {"8109", MainText::kLabel3},
    {"8102", MainText::kCommand1},    {"8103", MainText::kCmdDisable},   {"8104", MainText::kCmdRemove},
    {"8105", MainText::kCmdReset},    {"8106", MainText::kCmdApply},     {"8110", MainText::kFile},
    {"8111", MainText::kMnuExit},     {"8120", MainText::kConfig},       {"8121", MainText::kMnuSaveProf},
    {"8122", MainText::kMnuLoadProf}, {"8130", MainText::kHelp},         {"8131", MainText::kMnuHelpIndex},
    {"8132", MainText::kMnuAbout},    {"8133", MainText::kMnuUpdate},
}};

}  // namespace

MainWindow::MainWindow(const MainServices& services, MainView& view)
    : services_(services),
      view_(view),
      store_(services.registry),
      reg1_(services.registry),
      reg2_(services.registry),
      sources_{reg1_, reg2_, store_, services.files, services.versions, services.windowsFolder},
      machine_{services.registry, services.system,        services.prompt,
               services.language, services.files, services.windowsFolder},
      staging_(list_, machine_),
      profiles_(services.files, services.prompt, services.language, services.language.ProgramFolder()) {}

bool MainWindow::Load(bool anotherInstanceRuns) {
  if (anotherInstanceRuns) {
    // The running copy owns the settings and files; this one must not touch them.
    view_.EndProgram();
    return false;
  }
  const bool rightToLeft = shared::ChooseLanguageAtStart(services_.language, services_.settings, kAppTitle);
  startWithWindows_ = ReadStartWithWindows(services_.settings);
  view_.SetCheck(startWithWindows_);
  if (rightToLeft) view_.SetRightToLeft(true);

  auto languages = shared::FillLanguageList(services_.files, services_.language.LanguageFolder(),
                                            services_.language.CurrentLanguageFile());
  if (languages.ok()) {
    shared::LanguageList list = std::move(languages).value();
    const shared::Status shown = view_.ShowLanguages(list);
    if (!shown.ok()) services_.prompt.Ask(shown.message(), shared::kMbOk, kAppTitle);
  } else {
    services_.prompt.Ask(languages.status().message(), shared::kMbOk, kAppTitle);
  }
  SetCaptions();

  const StartOutcome outcome = RunStart(staging_, sources_, list_, services_.settings, machine_);
  startMessage_ = outcome.message;
  ShowAllRows();
  loaded_ = true;
  return true;
}

void MainWindow::Shown() {
  if (startMessage_.empty()) return;
  services_.prompt.Ask(std::exchange(startMessage_, {}), shared::kMbIconCritical, kAppTitle);
}

void MainWindow::SetCaptions() {
  for (const CaptionStep& step : kCaptionSteps) view_.SetText(step.target, Text(step.key));
  for (int column = 1; column <= shared::ListModel::kColumns; ++column)
    view_.SetColumnHeader(column, Text("815" + std::to_string(column)));
  std::string enable = Text("8108");
  std::string disable = Text("8103");
  staging_.SetCaptions(std::move(disable), std::move(enable));
}

void MainWindow::ListClicked(int position) {
  if (list_.Count() == 0) return;
  staging_.SelectRow(position);
  ShowButtons();
}

void MainWindow::ListDoubleClicked() {
  if (list_.Count() == 0 || list_.Selected() == 0) return;
  view_.ShowToolTip(fillToolTip(list_, list_.Selected(), services_.files, services_.versions, services_.windowsFolder));
}

void MainWindow::DisableClicked() {
  staging_.DisableClicked();
  if (list_.Selected() == 0) return;
  view_.ShowRow(list_, list_.Selected());
  ShowButtons();
}

void MainWindow::RemoveClicked() {
  staging_.RemoveClicked();
  if (list_.Selected() == 0) return;
  view_.ShowRow(list_, list_.Selected());
  view_.EnableRemove(staging_.RemoveEnabled());
}

void MainWindow::ResetClicked() {
  staging_.ResetAllClicked();
  ShowAllRows();
}

void MainWindow::ApplyClicked() {
  const int count = list_.Count();
  staging_.ApplyClicked();
  if (list_.Count() != count) {
    ShowAllRows();
  } else {
    for (int position = 1; position <= count; ++position) view_.ShowRow(list_, position);
  }
}

void MainWindow::LanguageChosen(const std::string& itemText) {
  const shared::LanguageChoice choice = shared::ChooseLanguageItem(services_.language, itemText);
  if (choice.changed) SetCaptions();
  view_.SetRightToLeft(choice.rightToLeft);
}

void MainWindow::HelpIndexChosen() { shared::OpenHelpIndex(services_.shell, services_.language.ProgramFolder()); }

void MainWindow::UpdateChosen() {
  shared::StartUpdaterChecked(services_.shell, services_.files, services_.prompt, services_.language.ProgramFolder(),
                              Text("8512"), kAppTitle);
}

void MainWindow::ExitChosen() {
  Unload();
  view_.EndProgram();
}

void MainWindow::Unload(bool sessionEnding) {
  if (!loaded_ || unloaded_) return;
  unloaded_ = true;
  RunExit(staging_, list_, startWithWindows_, services_.programPath, services_.settings, machine_, sessionEnding);
  // The language chosen in the combo lasts beyond this run, as the check box does.
  shared::StoreCurrentLanguage(services_.language, services_.settings, kAppTitle).IgnoreError();
}

BhoProfiles::SaveOutcome MainWindow::SaveProfile(const std::string& name) { return profiles_.Save(name, list_); }

std::vector<std::string> MainWindow::ProfileNames() { return profiles_.ProfileNames(); }

bool MainWindow::LoadProfile(const std::vector<std::string>& names, const std::string& chosen) {
  const bool closes = profiles_.Load(names, chosen, staging_);
  if (closes) ShowAllRows();
  return closes;
}

void MainWindow::ShowAllRows() {
  view_.ShowRows(list_);
  if (list_.Count() > 0 && list_.Selected() == 0) staging_.SelectRow(1);
  view_.SelectRow(list_.Selected());
  ShowButtons();
}

void MainWindow::ShowButtons() {
  view_.SetText(MainText::kCmdDisable, staging_.DisableButtonCaption());
  view_.EnableRemove(staging_.RemoveEnabled());
}

}  // namespace plugwarden
