#include "tests/common/startup_scenario.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "bootwarden/startup_approved.h"
#include "bootwarden/startup_sources.h"
#include "shared/registry_store.h"
#include "tests/common/registry_seed.h"
#include "tests/fakes/fake_clock.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_profile.h"
#include "tests/fakes/fake_registry.h"
#include "tests/fakes/fake_settings.h"
#include "tests/fakes/fake_shell_folder.h"
#include "tests/fakes/fake_shortcut.h"
#include "tests/fakes/fake_system.h"
#include "tests/fakes/fake_version.h"
#include "tests/fakes/fake_windows_folder.h"

namespace testing_support {
namespace {

using shared::kHkeyCurrentUser;
using shared::kHkeyLocalMachine;

std::string RunKey(const std::string& key) { return bootwarden::kRunKeyBase + key; }

void Shortcut(StartupMachine& machine, const std::string& path, const std::string& target) {
  ASSERT_TRUE(machine.files->WriteFileAtomic(target, "MZ").ok()) << target;
  const shared::Status written = machine.shortcuts->WriteShortcut(path, target, "");
  ASSERT_TRUE(written.ok()) << path << ": " << written.message();
}

void EmptyFolder(StartupMachine& machine, const std::string& folder) {
  auto listing = machine.files->ListDirectory(folder);
  ASSERT_TRUE(listing.ok()) << folder;
  for (const auto& entry : listing.value()) {
    const std::string path = folder + "\\" + entry.name;
    if (entry.attributes.directory) {
      EmptyFolder(machine, path);
      machine.removeEmptyFolder(path);
    } else {
      machine.files->RemoveFile(path).IgnoreError();
    }
  }
}

}  // namespace

std::string StartupFolder(StartupMachine& machine, std::int32_t csidl) {
  const std::string folder = bootwarden::GetShellFolder(*machine.shellFolders, csidl);
  EXPECT_FALSE(folder.empty()) << "Startup folder " << csidl;
  return folder;
}

std::string WinIniPath(StartupMachine& machine) { return shared::GetWinDir(*machine.windowsFolder) + "\\win.ini"; }

void ClearStartupLocations(StartupMachine& machine) {
  shared::RegistryPort& registry = *machine.registry;
  for (const char* key : {"Run", "RunOnce"}) DeleteTree(registry, kHkeyCurrentUser, RunKey(key));
  for (const char* key : {"Run", "RunOnce", "RunOnceEx", "RunServices"})
    DeleteTree(registry, kHkeyLocalMachine, RunKey(key));
  for (const char* key : bootwarden::kKeys32) DeleteTree(registry, kHkeyLocalMachine, RunKey(key), shared::RegView::k32);
  for (shared::RegRoot root : {kHkeyCurrentUser, kHkeyLocalMachine})
    for (const char* key : {"Run", "Run32", "StartupFolder"})
      DeleteTree(registry, root, bootwarden::kStartupApprovedBase + std::string(key));
  for (const char* key : {"Load", "Run"})
    machine.profile->WriteString("Windows", key, std::nullopt, WinIniPath(machine)).IgnoreError();
  for (std::int32_t csidl : {shared::kCsidlStartup, shared::kCsidlCommonStartup})
    EmptyFolder(machine, StartupFolder(machine, csidl));
}

void SeedStartupScenario(StartupMachine& machine) {
  ClearStartupLocations(machine);
  shared::RegistryPort& registry = *machine.registry;
  // Current user: the default value and a name the machine's Run key has too.
  SeedString(registry, kHkeyCurrentUser, RunKey("Run"), "", "C:\\Tools\\user-default.exe");
  SeedString(registry, kHkeyCurrentUser, RunKey("Run"), "Shared Name", "\"C:\\Tools\\user shared.exe\" /tray");
  SeedString(registry, kHkeyCurrentUser, RunKey("RunOnce"), "Never Listed", "C:\\Tools\\never.exe");
  // Machine.
  SeedString(registry, kHkeyLocalMachine, RunKey("Run"), "Shared Name", "C:\\Tools\\machine-shared.exe");
  SeedValue(registry, kHkeyLocalMachine, RunKey("Run"), "Expand Path",
            std::string("%ProgramFiles%\\Agent\\agent.exe") + '\0', shared::kRegExpandSz);
  SeedString(registry, kHkeyLocalMachine, RunKey("RunOnce"), "Finish Setup", "C:\\Setup\\finish.exe -quiet");
  SeedString(registry, kHkeyLocalMachine, RunKey("RunOnceEx"), "Title", "Installing updates");
  SeedValue(registry, kHkeyLocalMachine, RunKey("RunOnceEx"), "Flags", std::string("\x20\0\0\0", 4), shared::kRegDword);
  SeedString(registry, kHkeyLocalMachine, RunKey("RunOnceEx") + "\\0001", "Step", "C:\\Setup\\step.dll");
  SeedString(registry, kHkeyLocalMachine, RunKey("RunServices"), "Service Agent", "C:\\Tools\\service.exe");
  // win.ini.
  for (const auto& [key, value] : {std::pair{"Load", "loader.exe"}, {"Run", "first.exe second.exe"}})
    ASSERT_TRUE(machine.profile->WriteString("Windows", key, std::string(value), WinIniPath(machine)).ok());
  // Current user's Startup folder: a shortcut, a plain file, a hidden file, a shortcut whose
  // extension is in capitals, and a folder holding a shortcut of its own.
  const std::string user = StartupFolder(machine, shared::kCsidlStartup);
  Shortcut(machine, user + "\\Tool.lnk", machine.targetFolder + "\\tool.exe");
  ASSERT_TRUE(machine.files->WriteFileAtomic(user + "\\readme.txt", "Read me.\r\n").ok());
  ASSERT_TRUE(machine.files->WriteFileAtomic(user + "\\desktop.ini", "[.ShellClassInfo]\r\n").ok());
  machine.hideFile(user + "\\desktop.ini");
  Shortcut(machine, user + "\\NOTES.LNK", machine.targetFolder + "\\notes.exe");
  ASSERT_TRUE(machine.files->CreateFolder(user + "\\Sub").ok());
  Shortcut(machine, user + "\\Sub\\inner.lnk", machine.targetFolder + "\\inner.exe");
  // All users' Startup folder.
  const std::string common = StartupFolder(machine, shared::kCsidlCommonStartup);
  Shortcut(machine, common + "\\Common Tool.lnk", machine.targetFolder + "\\common.exe");
}

void SeedSwitch(StartupMachine& machine, shared::RegRoot root, const std::string& subkey, const std::string& name,
                const shared::RegValueData& value) {
  const shared::RegValueData seeded =
      value.type == shared::kRegNone ? bootwarden::SwitchRecord(false, machine.clock->FileTimeNow()) : value;
  SeedValue(*machine.registry, root, bootwarden::kStartupApprovedBase + subkey, name, seeded.bytes, seeded.type);
}

shared::RegValueData SwitchOf(StartupMachine& machine, shared::RegRoot root, const std::string& subkey,
                              const std::string& name) {
  return RawValue(*machine.registry, root, bootwarden::kStartupApprovedBase + subkey, name);
}

std::vector<shared::ListModel::Row> ExpectedStartupRows(const StartupMachine& machine) {
  const std::string target = machine.targetFolder;
  const char* user[] = {"Current User", "Current User Logs on"};
  const char* all[] = {"All Users", "Any User Logs on"};
  return SortedWithinStartupFolders({
      // Values come in the registry's order; the default value sorts first.
      {"", "Enabled", "Registry(User Run)", user[0], user[1], "C:\\Tools\\user-default.exe"},
      {"Shared Name", "Enabled", "Registry(User Run)", user[0], user[1], "\"C:\\Tools\\user shared.exe\" /tray"},
      {"Expand Path", "Enabled", "Registry(Machine Run)", all[0], all[1], "%ProgramFiles%\\Agent\\agent.exe"},
      {"Shared Name", "Enabled", "Registry(Machine Run)", all[0], all[1], "C:\\Tools\\machine-shared.exe"},
      {"Finish Setup", "Enabled", "Registry(Machine RunOnce)", all[0], all[1], "C:\\Setup\\finish.exe -quiet"},
      {"Flags", "Enabled", "Registry(Machine RunOnceEx)", all[0], all[1], "32"},
      {"Title", "Enabled", "Registry(Machine RunOnceEx)", all[0], all[1], "Installing updates"},
      {"Service Agent", "Enabled", "Registry(Machine RunServices)", all[0], all[1], "C:\\Tools\\service.exe"},
      {"Win.ini Load", "Enabled", "Win.ini Load", all[0], all[1], "loader.exe"},
      {"Win.ini Run", "Enabled", "Win.ini Run", all[0], all[1], "first.exe second.exe"},
      {"Tool", "Enabled", "StartUp (Current User)", user[0], user[1], target + "\\tool.exe"},
      {"readme.txt", "Enabled", "StartUp (Current User)", user[0], user[1], ""},
      {"NOTES.LNK", "Enabled", "StartUp (Current User)", user[0], user[1], ""},
      {"Common Tool", "Enabled", "StartUp (All Users)", all[0], all[1], target + "\\common.exe"},
  });
}

shared::ListModel EnumerateStartup(StartupMachine& machine) {
  shared::RegistryStore store(*machine.registry);
  shared::RegistryComponent reg(*machine.registry);
  bootwarden::LocationNames names;
  bootwarden::StartupSources sources{store, reg, *machine.profile, *machine.files, *machine.shellFolders,
                                     *machine.windowsFolder, *machine.shortcuts, names, *machine.registry};
  shared::ListModel list;
  bootwarden::EnumerateStartupEntries(sources, list);
  return list;
}

std::vector<shared::ListModel::Row> SortedWithinStartupFolders(std::vector<shared::ListModel::Row> rows) {
  const auto fromFolder = [](const shared::ListModel::Row& row) { return row[2].rfind("StartUp (", 0) == 0; };
  for (auto begin = rows.begin(); begin != rows.end();) {
    auto end = begin + 1;
    if (fromFolder(*begin)) while (end != rows.end() && (*end)[2] == (*begin)[2]) ++end;
    std::sort(begin, end, [](const auto& a, const auto& b) { return a[0] < b[0]; });
    begin = end;
  }
  return rows;
}

StartupMachine FakeStartupMachine() {
  StartupMachine machine;
  auto files = std::make_unique<fakes::FakeFileSystem>();
  files->AddFolder("C:\\Windows");
  files->AddFile("C:\\Program Files\\Tools\\helper.dll", "MZ");
  fakes::FakeFileSystem& fakeFiles = *files;
  machine.registry = std::make_unique<fakes::FakeRegistry>();
  machine.profile = std::make_unique<fakes::FakeProfile>(fakeFiles, "C:\\Windows");
  machine.shellFolders = std::make_unique<fakes::FakeShellFolder>(fakeFiles);
  machine.windowsFolder = std::make_unique<fakes::FakeWindowsFolder>("C:\\Windows");
  machine.shortcuts = std::make_unique<fakes::FakeShortcut>(fakeFiles);
  machine.system = std::make_unique<fakes::FakeSystem>();
  machine.versions = std::make_unique<fakes::FakeVersion>();
  machine.settings = std::make_unique<fakes::FakeSettings>();
  machine.clock = std::make_unique<fakes::FakeClock>();
  machine.hideFile = [&fakeFiles](const std::string& path) { fakeFiles.SetAttributes(path, {.hidden = true}); };
  machine.removeEmptyFolder = [&fakeFiles](const std::string& path) { fakeFiles.RemoveEmptyFolder(path); };
  machine.lockFile = [&fakeFiles](const std::string& path) {
    fakeFiles.LockFile(path);
    return std::function<void()>([&fakeFiles] { fakeFiles.LockFile(""); });
  };
  machine.targetFolder = "C:\\Program Files\\Tools";
  machine.module = machine.targetFolder + "\\helper.dll";
  machine.files = std::move(files);
  return machine;
}

}  // namespace testing_support
