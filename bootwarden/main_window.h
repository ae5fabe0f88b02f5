#pragma once
// frmMain's behaviour: the load and unload sequences, the captions by language number, the
// buttons and the item-click rule, the language choice, the four apply items and the menus. The
// Win32 window (bootwarden/win32/frm_main.h) turns messages into these calls and implements
// MainWindowView.
#include <cstddef>
#include <string>
#include <vector>

#include "bootwarden/startup_profiles.h"
#include "bootwarden/startup_sources.h"
#include "bootwarden/startup_staging.h"
#include "shared/about_box.h"
#include "shared/file_dialog_port.h"
#include "shared/language_list.h"
#include "shared/language_pack.h"
#include "shared/list_model.h"
#include "shared/prompt_port.h"
#include "shared/session_port.h"
#include "shared/settings_port.h"
#include "shared/shell_port.h"

namespace bootwarden {

// Menus and items in the order of the caption routine.
enum class MainMenu {
  kEdit, kAuto, kConfig, kRegistry,
  kProfile, kSaveProf, kLoadProf,
  kApply, kAppRest, kAppLog, kAppExit, kAppJust,
  kHelp, kHelpIndex, kAbout, kUpdate, kVisit,
};
enum class MainControl { kLabel1, kCmdRemove, kCmdReset, kCmdAddTask, kLabel3, kCmdDisable };

inline constexpr char kConfirmationTitle[] = "Confirmation";
inline constexpr char kApplyQuestionKey[] = "413";
inline constexpr char kApplyQuestionDefault[] = "Are you sure you want to apply these changes?";
inline constexpr int kConfirmationStyle = shared::kMbYesNo | shared::kMbIconQuestion;  // 36
// Messages 410 to 412 without a pack: an empty box would tell the user nothing.
inline constexpr const char* kMessageDefaults[3] = {
    "The System Information program could not be found or started. You can open it from the Start menu instead "
    "(Accessories, System Tools).",
    "No task was added. Fill in both the task name and the location, then try again.",
    "Changing the registry wrongly can stop Windows or your programs from working. Change it only if you know what "
    "you are doing. Do you want to open the Registry Editor?"};

// The design captions of the menus, by MainMenu.
const char* DesignCaption(MainMenu menu);
const char* DesignCaption(MainControl control);

class MainWindowView {
 public:
  virtual ~MainWindowView() = default;
  // App.PrevInstance: another instance of the program runs.
  virtual bool AnotherInstanceRunning() = 0;
  virtual void SetRightToLeft(bool rightToLeft) = 0;
  // ComboLang: the flag pictures of the Lang folder into its image list, then its items and
  // selection. A picture that cannot be loaded stops the filling: the list is cut with
  // shared::StopAtFailedPicture and the failure returned.
  virtual shared::Status ShowLanguageList(shared::LanguageList& list, const std::string& languageFolder) = 0;
  virtual void SetMenuCaption(MainMenu menu, const std::string& text) = 0;
  virtual void SetControlCaption(MainControl control, const std::string& text) = 0;
  // column 1 to 6
  virtual void SetColumnHeader(int column, const std::string& text) = 0;
  virtual void EnableRemove(bool enabled) = 0;
  // The list model's rows changed: show them again with the model's selection.
  virtual void ShowRows() = 0;
  // One row's texts changed: only that row is drawn again, the scroll position stays.
  virtual void ShowRow(int position) = 0;
  virtual void ShowAddTask() = 0;
  virtual void ShowAbout(const shared::AboutVariant& about) = 0;
  virtual shared::WindowId Owner() = 0;
  // Destroys the window and ends the program.
  virtual void Close() = 0;
};

struct MainWindowServices {
  shared::LanguagePack& language;
  shared::SettingsPort& settings;
  shared::FileSystemPort& files;
  shared::PromptPort& prompt;
  shared::FileDialogPort& fileDialog;
  shared::ShellPort& shell;
  shared::SessionPort& session;
  StartupSources& sources;
  StartupTargets& targets;
};

class MainWindow {
 public:
  MainWindow(MainWindowView& view, MainWindowServices services);

  // The window's load. False: another instance runs; the window closes and nothing was read
  // or written.
  bool Load();
  // The close box, mnuApp_Exit and the end of the Windows session: the language setting and the
  // store, then the program ends. Runs once; `sessionEnding` keeps message boxes away.
  void Unload(bool sessionEnding = false);
  bool Loaded() const { return loaded_; }

  void ItemClicked(int position);
  void DisableClicked();
  void RemoveClicked();
  void ResetClicked();
  void AddTaskClicked() { view_.ShowAddTask(); }
  // The add-task dialog's row, at the end of the list; nothing else changes.
  void AppendRow(const StartupEntry& entry);
  // The add-task dialog's choices on this machine.
  std::vector<std::string> TaskLocations() const {
    return AddableLocations(services_.targets.registry.HasTwoViews());
  }

  void LanguageChosen(const std::string& itemText);
  void MenuClicked(MainMenu menu);

  // The caption routine.
  void SetCaptions();

  bool LanguagePackFound() const { return languagePackFound_; }
  // The program-wide message texts 410, 411 and 412; in English until a pack gives them.
  const std::string& SysInfoMissingText() const { return messages_[0]; }
  const std::string& EmptyFieldText() const { return messages_[1]; }
  const std::string& RegistryWarningText() const { return messages_[2]; }
  const shared::AboutVariant& About() const { return about_; }
  const std::string& DisableText() const { return disableText_; }
  const std::string& EnableText() const { return enableText_; }

  shared::ListModel& List() { return list_; }
  StartupStaging& Staging() { return staging_; }
  shared::LanguagePack& Language() { return services_.language; }
  shared::PromptPort& Prompt() { return services_.prompt; }
  shared::FileDialogPort& FileDialog() { return services_.fileDialog; }

 private:
  void FillLanguages();
  void ShowButtons();
  // After the rows were rebuilt: show them, a row selected (the first when none is) and the
  // buttons as that row wants them.
  void ShowAllRows();
  // ApplyNow, then the rows; apply may keep a row "Disabled" that was staged "Enabled", so the
  // buttons follow the selected row again.
  bool ApplyAndShowRows();
  bool Confirmed();
  // mnuApp_Log and mnuApp_Rest.
  void ApplyAndEndSession(bool restart);
  void Tell(const std::string& text);
  // The text of key in the current pack, english without one.
  std::string Text(const char* key, const std::string& english) const;

  MainWindowView& view_;
  MainWindowServices services_;
  shared::ListModel list_;
  StartupStaging staging_;
  StartupProfiles profiles_;
  shared::AboutVariant about_;
  std::string messages_[3] = {kMessageDefaults[0], kMessageDefaults[1], kMessageDefaults[2]};
  std::string disableText_ = "Disable";
  std::string enableText_ = "Enable";
  bool languagePackFound_ = false;
  bool loaded_ = false;
  bool unloaded_ = false;
};

}  // namespace bootwarden
