#pragma once
// Bootwarden's staging and store wired to a StartupMachine: the fakes natively, the real
// registry, win.ini and Startup folders under Wine.
#include <string>

#include "bootwarden/startup_files.h"
#include "bootwarden/startup_staging.h"
#include "tests/common/startup_scenario.h"

namespace testing_support {

// One run of the main window: load (enumeration, store, snapshot), what the user does, unload.
class BootwardenRun {
 public:
  BootwardenRun(StartupMachine& machine, shared::PromptPort& prompt);
  // The store that could not be read, if any.
  shared::Status Start();
  shared::Status Exit() { return staging.SaveStore(); }
  // The first row from the location with the task name, 0 when there is none; with a status,
  // the first row that also has it.
  int PositionOf(const std::string& loadFrom, const std::string& taskName, const std::string& status = "") const;
  void Toggle(int position);
  void MarkRemove(int position);

 private:
  StartupMachine& machine_;
  shared::RegistryStore store_;
  shared::RegistryComponent reg_;
  bootwarden::LocationNames names_;

 public:
  shared::ListModel list;
  bootwarden::StartupSources sources;
  bootwarden::StartupTargets targets;
  bootwarden::StartupStaging staging;
};

}  // namespace testing_support
