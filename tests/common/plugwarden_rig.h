#pragma once
// Plugwarden's staging, files and start/exit sequences wired to whatever ports a test gives:
// the fakes natively, the real registry and files under Wine. Four objects are seeded the same
// way in both worlds.
#include <string>

#include "plugwarden/bho_catalogue.h"
#include "plugwarden/bho_files.h"
#include "plugwarden/bho_staging.h"
#include "plugwarden/bho_startup.h"
#include "shared/registry_port.h"
#include "shared/settings_port.h"
#include "shared/version_port.h"

namespace testing_support {

struct PlugwardenPorts {
  shared::RegistryPort& registry;
  shared::FileSystemPort& files;
  shared::VersionPort& versions;
  shared::SystemPort& system;
  shared::PromptPort& prompt;
  shared::LanguagePack& language;
  shared::SettingsPort& settings;
  shared::WindowsFolderPort& windowsFolder;
};

// One run of the main window: load, what the user does, unload.
class PlugwardenRun {
 public:
  explicit PlugwardenRun(PlugwardenPorts ports);
  plugwarden::StartOutcome Start() {
    return plugwarden::RunStart(staging, sources, list, ports_.settings, machine);
  }
  void Exit(bool startWithWindows, const std::string& programPath = "C:\\Tools\\plugwarden.exe") {
    plugwarden::RunExit(staging, list, startWithWindows, programPath, ports_.settings, machine);
  }
  // Selects the row of the object and presses "&Disable" or "&Remove".
  void Toggle(int object);
  void MarkRemove(int object);
  int PositionOf(int object) const;

 private:
  PlugwardenPorts ports_;
  shared::RegistryStore store_;
  shared::RegistryComponent reg1_, reg2_;

 public:
  shared::ListModel list;
  plugwarden::BhoSources sources;
  plugwarden::BhoMachine machine;
  plugwarden::BhoStaging staging;
};

// Objects 1 to 4: "Object n", a server module and a ProgID below each class key.
std::string ObjectId(int n);
std::string ObjectName(int n);
std::string ObjectKey(int n);  // below HKEY_LOCAL_MACHINE
std::string ClassKey(int n);   // below HKEY_CLASSES_ROOT
void SeedObjects(shared::RegistryPort& registry, const std::string& module);
void ClearObjects(shared::RegistryPort& registry);
bool KeyThere(shared::RegistryPort& registry, shared::RegRoot root, const std::string& path);

}  // namespace testing_support
