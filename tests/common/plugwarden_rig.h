#pragma once
// Plugwarden's staging, files and start/exit sequences wired to a StartupMachine: the fakes
// natively, the real registry and files under Wine. Four objects are seeded the same way in both.
#include <string>

#include "plugwarden/bho_catalogue.h"
#include "plugwarden/bho_files.h"
#include "plugwarden/bho_staging.h"
#include "plugwarden/bho_startup.h"
#include "tests/common/startup_scenario.h"

namespace testing_support {

std::string ObjectId(int n);

// One run of the main window: load, what the user does, unload.
class PlugwardenRun {
 public:
  PlugwardenRun(StartupMachine& ports, shared::PromptPort& prompt, shared::LanguagePack& language);
  plugwarden::StartOutcome Start() { return plugwarden::RunStart(staging, sources, list, settings_, machine); }
  void Exit(bool startWithWindows, const std::string& programPath = "C:\\Tools\\plugwarden.exe") {
    plugwarden::RunExit(staging, list, startWithWindows, programPath, settings_, machine);
  }
  // Selects the row of the object (its number or its identifier) and presses "&Disable" or "&Remove".
  void Toggle(const std::string& id) { staging.SelectRow(PositionOf(id)); staging.DisableClicked(); }
  void Toggle(int object) { Toggle(ObjectId(object)); }
  void MarkRemove(const std::string& id) { staging.SelectRow(PositionOf(id)); staging.RemoveClicked(); }
  void MarkRemove(int object) { MarkRemove(ObjectId(object)); }
  int PositionOf(const std::string& id) const;
  int PositionOf(int object) const { return PositionOf(ObjectId(object)); }

 private:
  shared::SettingsPort& settings_;
  shared::RegistryStore store_;
  shared::RegistryComponent reg1_, reg2_;

 public:
  shared::ListModel list;
  plugwarden::BhoSources sources;
  plugwarden::BhoMachine machine;
  plugwarden::BhoStaging staging;
};

// Objects 1 to 4: "Object n", a server module and a ProgID below each class key.
std::string ObjectName(int n);
std::string ObjectKey(int n);  // below HKEY_LOCAL_MACHINE
std::string ClassKey(int n);   // below HKEY_CLASSES_ROOT
void SeedObjects(shared::RegistryPort& registry, const std::string& module);
void ClearObjects(shared::RegistryPort& registry);
bool KeyThere(shared::RegistryPort& registry, shared::RegRoot root, const std::string& path,
              shared::RegView view = shared::RegView::kNative);

}  // namespace testing_support
