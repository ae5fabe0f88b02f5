#pragma once
// frmAddTask's behaviour: a name, one of the locations and a command line become a new
// "Enabled" row at the end of the main list, which the next apply writes into its location.
// The Win32 dialog (bootwarden/win32/frm_add_task.h) implements AddTaskView.
#include <functional>
#include <string>
#include <vector>

#include "bootwarden/startup_sources.h"
#include "shared/file_dialog_port.h"
#include "shared/language_pack.h"
#include "shared/prompt_port.h"

namespace bootwarden {

enum class AddTaskControl { kWindow, kLabel1, kLabel3, kLabel5, kCmdAdd, kCmdCancel, kCommand1 };
const char* DesignCaption(AddTaskControl control);

inline constexpr char kAddedTaskWhen[] = "logging on";

class AddTaskView {
 public:
  virtual ~AddTaskView() = default;
  virtual void SetRightToLeft(bool rightToLeft) = 0;
  virtual void SetCaption(AddTaskControl control, const std::string& text) = 0;
  // Combo1, a drop-down list: its items, the first one chosen.
  virtual void SetLocations(const std::vector<std::string>& names) = 0;
  virtual void EnableName(bool enabled) = 0;
  virtual std::string Name() = 0;
  virtual std::string Location() = 0;
  virtual void SetLocation(const std::string& text) = 0;
  // Unloads the dialog.
  virtual void Close() = 0;
};

// What the dialog reads of the program and where its row goes.
struct AddTaskServices {
  shared::LanguagePack& language;
  bool languagePackFound;
  std::string emptyFieldText;  // message text 411
  shared::PromptPort& prompt;
  shared::FileDialogPort& fileDialog;
  std::function<void(const StartupEntry&)> appendRow;
  std::vector<std::string> locations;  // Combo1's choices: AddableLocations
};

// "Current User" for the current user's Run key and Startup folder, "All Users" otherwise.
std::string AddedTaskUser(const std::string& loadFrom);

class AddTask {
 public:
  AddTask(AddTaskView& view, AddTaskServices services) : view_(view), services_(std::move(services)) {}

  void Load();
  // Combo1 click with the chosen item's index (0 to 7, then the 32-bit view's).
  void LocationChosen(int index);
  void BrowseClicked();
  void AddClicked();
  void CancelClicked() { view_.Close(); }

  const std::string& LocationText() const { return names_[chosen_]; }

 private:
  AddTaskView& view_;
  AddTaskServices services_;
  std::vector<std::string> names_;
  int chosen_ = 0;
  bool nameEnabled_ = true;
};

}  // namespace bootwarden
