// Seeds a Wine prefix with one or two demo entries in each of the nine start-up locations, through
// the same registry, win.ini and shell-link calls the program reads them with; one of them
// switched off the way Task Manager does, and one in the 32-bit view's machine Run key.
//
//   seed_bootwarden.exe <folder of startup_task.exe>
#include <cstdio>
#include <string>

#include "bootwarden/startup_approved.h"
#include "bootwarden/startup_sources.h"
#include "shared/registry_store.h"
#include "shared/windows_folder_port.h"
#include "shared/win32/win32_clock.h"
#include "shared/win32/win32_profile.h"
#include "shared/win32/win32_registry.h"
#include "shared/win32/win32_shell_folder.h"
#include "shared/win32/win32_shortcut.h"
#include "shared/win32/win32_windows_folder.h"

namespace {

int failures = 0;

void Check(const shared::Status& status, const std::string& what) {
  if (status.ok()) return;
  ++failures;
  std::fprintf(stderr, "seed_bootwarden: %s: %s\n", what.c_str(), status.message().c_str());
}

void RunValue(shared::RegistryComponent& reg, shared::RegRoot root, const char* key, const std::string& name,
              const std::string& command, shared::RegView view = shared::RegView::kNative) {
  reg.RootKey = root;
  reg.View = view;
  reg.KeyPath = std::string(bootwarden::kRunKeyBase) + key;
  reg.ValueName = name;
  reg.ValueData = command;
  Check(reg.CreateKey(), reg.KeyPath);
  Check(reg.SetValue(), reg.KeyPath + "\\" + name);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: seed_bootwarden <folder of startup_task.exe>\n");
    return 2;
  }
  const std::string task = std::string(argv[1]) + "\\startup_task.exe";
  const std::string quoted = "\"" + task + "\"";

  shared::win32::Win32Registry registry;
  shared::RegistryComponent reg(registry);
  RunValue(reg, shared::kHkeyCurrentUser, bootwarden::kKeyRun, "Contoso Tray Helper", quoted + " /tray");
  RunValue(reg, shared::kHkeyCurrentUser, bootwarden::kKeyRun, "Adatum Notes Sync", quoted + " /sync");
  RunValue(reg, shared::kHkeyLocalMachine, bootwarden::kKeyRun, "Fabrikam Update Check", quoted + " /check");
  RunValue(reg, shared::kHkeyLocalMachine, bootwarden::kKeyRun, "Litware Reader Speed Launch", quoted + " /preload");
  RunValue(reg, shared::kHkeyLocalMachine, bootwarden::kKeyRunOnce, "Northwind Setup Finish", quoted + " /finish");
  RunValue(reg, shared::kHkeyLocalMachine, bootwarden::kKeyRunOnceEx, "Title", "Installing Tailspin updates");
  RunValue(reg, shared::kHkeyLocalMachine, bootwarden::kKeyRunServices, "Woodgrove Agent", quoted + " /service");
  // A 32-bit program's entry, in the 32-bit view's own Run key.
  if (registry.HasTwoViews())
    RunValue(reg, shared::kHkeyLocalMachine, bootwarden::kKeyRun, "Tailspin Toys Updater", quoted + " /update",
             shared::RegView::k32);
  shared::win32::Win32Clock clock;
  Check(bootwarden::SwitchOff(registry, *bootwarden::ApprovalKeyOf("Registry(User Run)"), "Adatum Notes Sync",
                              clock.FileTimeNow()),
        "StartupApproved\\Run\\Adatum Notes Sync");

  shared::win32::Win32WindowsFolder windowsFolder;
  shared::win32::Win32Profile profile;
  const std::string winIni = shared::GetWinDir(windowsFolder) + "\\win.ini";
  Check(profile.WriteString(bootwarden::kWinIniSection, bootwarden::kWinIniLoad, task + " /load", winIni), "win.ini Load");
  Check(profile.WriteString(bootwarden::kWinIniSection, bootwarden::kWinIniRun, task + " /run", winIni), "win.ini Run");

  shared::win32::Win32ShellFolder shellFolders;
  shared::win32::Win32Shortcut shortcuts;
  const struct {
    std::int32_t csidl;
    const char* name;
  } links[] = {{shared::kCsidlStartup, "Proseware Clipboard"},
               {shared::kCsidlStartup, "Coho Weather"},
               {shared::kCsidlCommonStartup, "Trey Research Monitor"}};
  for (const auto& link : links) {
    const std::string folder = bootwarden::GetShellFolder(shellFolders, link.csidl);
    if (folder.empty()) {
      Check(shared::Status::Error(shared::kErrorPathNotFound, "no Startup folder"), link.name);
      continue;
    }
    Check(shortcuts.WriteShortcut(folder + "\\" + link.name + ".lnk", task, ""), link.name);
  }
  return failures == 0 ? 0 : 1;
}
