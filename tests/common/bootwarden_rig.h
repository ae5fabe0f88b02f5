#pragma once
// Bootwarden's staging and store wired to a StartupMachine: the fakes natively, the real
// registry, win.ini and Startup folders under Wine.
#include <string>

#include "bootwarden/startup_files.h"
#include "bootwarden/startup_staging.h"
#include "shared/language_pack.h"
#include "tests/common/startup_scenario.h"

namespace testing_support {

// The first row from the location with the task name (and the status, when given); 0 when none.
// Any list with Count() and Text(): the model or the window's list view.
template <class List>
int RowOf(const List& list, const std::string& loadFrom, const std::string& taskName, const std::string& status = "") {
  for (int position = 1; position <= list.Count(); ++position) {
    if (list.Text(position, bootwarden::StartupEntry::kLoadFrom) == loadFrom &&
        list.Text(position, bootwarden::StartupEntry::kTaskName) == taskName &&
        (status.empty() || list.Text(position, bootwarden::StartupEntry::kStatus) == status))
      return position;
  }
  return 0;
}
// A value below the Run keys' base ("Run", "RunOnce"...), "<none>" when it is not there.
std::string RunValue(shared::RegistryPort& registry, shared::RegRoot root, const std::string& key,
                     const std::string& name);

// One run of the main window: load (enumeration, store, snapshot), what the user does, unload.
class BootwardenRun {
 public:
  BootwardenRun(StartupMachine& machine, shared::PromptPort& prompt);
  // The store that could not be read, if any.
  shared::Status Start();
  shared::Status Exit() { return staging.SaveStore(); }
  int PositionOf(const std::string& loadFrom, const std::string& taskName, const std::string& status = "") const {
    return RowOf(list, loadFrom, taskName, status);
  }
  // Selects the row and presses "&Disable" or "&Remove".
  void Toggle(int position) { staging.SelectRow(position); staging.DisableClicked(); }
  void MarkRemove(int position) { staging.SelectRow(position); staging.RemoveClicked(); }

 private:
  StartupMachine& machine_;
  shared::RegistryStore store_;
  shared::RegistryComponent reg_;
  bootwarden::LocationNames names_;
  shared::LanguagePack language_;

 public:
  shared::ListModel list;
  bootwarden::StartupSources sources;
  bootwarden::StartupTargets targets;
  bootwarden::StartupStaging staging;
};

}  // namespace testing_support
