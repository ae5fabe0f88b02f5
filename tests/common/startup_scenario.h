#pragma once
// A machine with an entry in each of the nine start-up locations, seeded through the ports so the
// fakes and the real registry, win.ini and Startup folders get the same entries, and the rows the
// enumeration must make of them.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "shared/clock_port.h"
#include "shared/file_system_port.h"
#include "shared/list_model.h"
#include "shared/profile_port.h"
#include "shared/registry_port.h"
#include "shared/settings_port.h"
#include "shared/shell_folder_port.h"
#include "shared/shortcut_port.h"
#include "shared/staged_list.h"
#include "shared/system_port.h"
#include "shared/version_port.h"
#include "shared/windows_folder_port.h"

namespace testing_support {

struct StartupMachine {
  std::unique_ptr<shared::FileSystemPort> files;  // first: the other fakes refer to it
  std::unique_ptr<shared::RegistryPort> registry;
  std::unique_ptr<shared::ProfilePort> profile;
  std::unique_ptr<shared::ShellFolderPort> shellFolders;
  std::unique_ptr<shared::WindowsFolderPort> windowsFolder;
  std::unique_ptr<shared::ShortcutPort> shortcuts;
  std::unique_ptr<shared::SystemPort> system;
  std::unique_ptr<shared::VersionPort> versions;
  std::unique_ptr<shared::SettingsPort> settings;
  std::unique_ptr<shared::ClockPort> clock;
  std::function<void(const std::string& path)> hideFile;
  std::function<void(const std::string& folder)> removeEmptyFolder;
  // Holds the file open without sharing, as another program may, until the returned call.
  std::function<std::function<void()>(const std::string& path)> lockFile;
  std::string targetFolder;  // an existing folder for the shortcuts' targets
  std::string module;        // an existing module, for Plugwarden's objects' servers
};

// Every location in memory: a fake machine with C:\Windows and a target folder holding the module.
StartupMachine FakeStartupMachine();

// The Startup folder's path (created when missing); fails the test when there is none.
std::string StartupFolder(StartupMachine& machine, std::int32_t csidl);
std::string WinIniPath(StartupMachine& machine);

// Empties every location: the Run keys of both views (and HKCU RunOnce), win.ini's Load and Run,
// everything in both Startup folders (other suites rely on finding them empty), Windows' start-up
// switches.
void ClearStartupLocations(StartupMachine& machine);
void SeedStartupScenario(StartupMachine& machine);
// Windows' start-up switch of an entry: switched off as its own settings write it (first byte 3),
// or the value given (a record, or any other value of that name for a switch that is no record).
void SeedSwitch(StartupMachine& machine, shared::RegRoot root, const std::string& subkey, const std::string& name,
                const shared::RegValueData& value = {});
// The switch's value; type 0 when there is none.
shared::RegValueData SwitchOf(StartupMachine& machine, shared::RegRoot root, const std::string& subkey,
                              const std::string& name);
// In the enumeration's order, Startup-folder rows sorted by name (see SortedWithinStartupFolders).
std::vector<shared::ListModel::Row> ExpectedStartupRows(const StartupMachine& machine);

// The enumeration as the main window runs it, on an empty list.
shared::ListModel EnumerateStartup(StartupMachine& machine);
using shared::RowsOf;
// A folder's rows keep the listing order, which the real file system leaves open: sorts each run
// of rows from one Startup folder by name so two lists can be compared.
std::vector<shared::ListModel::Row> SortedWithinStartupFolders(std::vector<shared::ListModel::Row> rows);

}  // namespace testing_support
