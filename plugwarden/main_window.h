#pragma once
// frmMain's behaviour: the load and unload sequences, the captions and every event of the main
// window, wired to the catalogue, staging, start-up and profile logic. The Win32 window
// (plugwarden/win32/frm_main.h) turns messages into these calls and implements MainView.
#include <memory>
#include <string>
#include <vector>

#include "plugwarden/bho_catalogue.h"
#include "plugwarden/bho_profiles.h"
#include "plugwarden/bho_staging.h"
#include "plugwarden/bho_startup.h"
#include "plugwarden/tooltip.h"
#include "shared/language_list.h"
#include "shared/language_pack.h"
#include "shared/list_model.h"
#include "shared/registry_port.h"
#include "shared/registry_store.h"
#include "shared/settings_port.h"
#include "shared/shell_port.h"

namespace plugwarden {

inline constexpr char kMainCaption[] = " Plugwarden";

// The window's texts that come from the language pack.
enum class MainText {
  kLabel1,
  kLabel2,
  kLabel3,
  kCommand1,
  kCmdDisable,
  kCmdRemove,
  kCmdReset,
  kCmdApply,
  kFile,
  kMnuExit,
  kConfig,
  kMnuSaveProf,
  kMnuLoadProf,
  kHelp,
  kMnuHelpIndex,
  kMnuAbout,
  kMnuUpdate,
};

class MainView {
 public:
  virtual ~MainView() = default;
  virtual void SetText(MainText target, const std::string& text) = 0;
  virtual void SetColumnHeader(int column, const std::string& text) = 0;  // 1 to 6
  virtual void SetCheck(bool on) = 0;
  virtual void EnableRemove(bool enabled) = 0;
  virtual void SetRightToLeft(bool on) = 0;
  // Loads the flags and fills ComboLang. When a picture cannot be loaded the view stops there
  // (shared::StopAtFailedPicture) and says why.
  virtual shared::Status ShowLanguages(shared::LanguageList& languages) = 0;
  // All rows anew, or one row's texts.
  virtual void ShowRows(const shared::ListModel& list) = 0;
  virtual void ShowRow(const shared::ListModel& list, int position) = 0;
  virtual void SelectRow(int position) = 0;  // 0: none
  // Fills the tooltip window and shows it at the pointer.
  virtual void ShowToolTip(const ToolTipContent& content) = 0;
  virtual void OpenSaveProfile() = 0;
  virtual void OpenLoadProfile() = 0;
  virtual void OpenAbout() = 0;
  // Ends the program: every window closes without further events.
  virtual void EndProgram() = 0;
};

// The machine as the main window sees it.
struct MainServices {
  shared::RegistryPort& registry;
  shared::FileSystemPort& files;
  shared::VersionPort& versions;
  shared::SystemPort& system;
  shared::PromptPort& prompt;
  shared::LanguagePack& language;
  shared::SettingsPort& settings;
  shared::WindowsFolderPort& windowsFolder;
  shared::ShellPort& shell;
  // The program's full path, what Windows starts at logon with the box on.
  std::string programPath;
};

class MainWindow {
 public:
  MainWindow(const MainServices& services, MainView& view);

  // The load sequence. With another instance running the window ends the program at once and
  // nothing is read or written; returns whether the window goes on.
  bool Load(bool anotherInstanceRuns);
  // Once the window is up: what went wrong while the rows were read.
  void Shown();
  void SetCaptions();

  // Events. Positions are 1-based.
  void ListClicked(int position);
  void ListDoubleClicked();
  void MoreInfoClicked() { ListDoubleClicked(); }
  void DisableClicked();
  void RemoveClicked();
  void ResetClicked();
  void ApplyClicked();
  void CheckClicked(bool on) { startWithWindows_ = on; }
  void LanguageChosen(const std::string& itemText);
  void SaveProfileChosen() { view_.OpenSaveProfile(); }
  void LoadProfileChosen() { view_.OpenLoadProfile(); }
  void HelpIndexChosen();
  void UpdateChosen();
  void AboutChosen() { view_.OpenAbout(); }
  // mnuExit and the close box: the unload sequence, then the end.
  void ExitChosen();
  // The unload sequence, at most once per run (a session end may follow a close);
  // sessionEnding keeps message boxes away.
  void Unload(bool sessionEnding = false);
  bool Unloaded() const { return unloaded_; }

  // The profile dialogs work on this window's list.
  BhoProfiles::SaveOutcome SaveProfile(const std::string& name);
  std::vector<std::string> ProfileNames();
  // True when the dialog closes.
  bool LoadProfile(const std::vector<std::string>& names, const std::string& chosen);

  const shared::ListModel& List() const { return list_; }
  const BhoStaging& Staging() const { return staging_; }
  bool StartWithWindows() const { return startWithWindows_; }
  shared::LanguagePack& Language() { return services_.language; }

 private:
  std::string Text(const std::string& key) { return services_.language.SetCaptionfromINI(key, ""); }
  // After the rows were rebuilt: show them, the first one selected as a click would select it.
  void ShowAllRows();
  void ShowButtons();

  MainServices services_;
  MainView& view_;
  shared::RegistryStore store_;
  shared::RegistryComponent reg1_, reg2_;
  shared::ListModel list_;
  BhoSources sources_;
  BhoMachine machine_;
  BhoStaging staging_;
  BhoProfiles profiles_;
  bool loaded_ = false;
  bool unloaded_ = false;
  bool startWithWindows_ = false;
  std::string startMessage_;
};

}  // namespace plugwarden
