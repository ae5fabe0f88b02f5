#pragma once
// The places Windows starts programs from, and the enumeration that turns them into list rows:
// registry Run keys, the "Load" and "Run" keys of win.ini, and the two Startup folders.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "shared/file_system_port.h"
#include "shared/list_model.h"
#include "shared/profile_port.h"
#include "shared/registry_store.h"
#include "shared/registry_tree.h"
#include "shared/shell_folder_port.h"
#include "shared/shortcut_port.h"
#include "shared/staged_list.h"
#include "shared/windows_folder_port.h"

namespace bootwarden {

inline constexpr char kRunKeyBase[] = "Software\\Microsoft\\Windows\\CurrentVersion\\";
inline constexpr char kKeyRun[] = "Run";
inline constexpr char kKeyRunOnce[] = "RunOnce";
inline constexpr char kKeyRunOnceEx[] = "RunOnceEx";
inline constexpr char kKeyRunServices[] = "RunServices";

inline constexpr char kWinIniSection[] = "Windows";
inline constexpr char kWinIniLoad[] = "Load";
inline constexpr char kWinIniRun[] = "Run";

inline constexpr char kAllUsers[] = "All Users";
inline constexpr char kCurrentUser[] = "Current User";
inline constexpr char kAnyUserLogsOn[] = "Any User Logs on";
inline constexpr char kCurrentUserLogsOn[] = "Current User Logs on";

// One list row; the field order is the column order and the order of lines in entry files.
struct StartupEntry {
  enum Field { kTaskName, kStatus, kLoadFrom, kUser, kWhen, kLocation, kFieldCount };
  std::string TaskName;
  std::string Status;
  std::string LoadFrom;
  std::string User;
  std::string When;
  std::string Location;

  friend bool operator==(const StartupEntry&, const StartupEntry&) = default;
};
inline constexpr std::array<const char*, StartupEntry::kFieldCount> kColumnHeaders = {
    "Task Name", "Status", "Load From", "User", "When?", "Location"};

// Entry-file and row order.
constexpr std::array<std::string StartupEntry::*, 6> FieldsOf(const StartupEntry*) {
  using E = StartupEntry;
  return {&E::TaskName, &E::Status, &E::LoadFrom, &E::User, &E::When, &E::Location};
}

// The row at a 1-based position as a record.
inline StartupEntry EntryAt(const shared::ListModel& list, int position) {
  return shared::FromRow<StartupEntry>(list.RowAt(position));
}

// The location texts the apply step dispatches on; never translated.
using LocationNames = std::array<std::string, 8>;
enum LocationIndex {
  kUserRun,
  kMachineRun,
  kMachineRunOnce,
  kMachineRunOnceEx,
  kStartupCurrentUser,
  kStartupAllUsers,
  kWinIniLoadLocation,
  kWinIniRunLocation,
};
void FillLocationNames(LocationNames& names);
// The machine keys of the registry's 32-bit view, where 32-bit programs write their entries on a
// 64-bit Windows, which starts them too; each a location of its own after the eight,
// "Registry(Machine Run 32-bit)" and so on, never translated either.
inline constexpr std::array<const char*, 3> kKeys32 = {kKeyRun, kKeyRunOnce, kKeyRunOnceEx};
std::string Location32(const std::string& key);
// The locations a task can be added to: the eight, then the 32-bit view's where it is one of its own.
std::vector<std::string> AddableLocations(bool twoViews);

// What the enumeration reads, and the main window's table of location texts.
struct StartupSources {
  shared::RegistryStore& store;
  shared::RegistryComponent& reg;
  shared::ProfilePort& profile;
  shared::FileSystemPort& files;
  shared::ShellFolderPort& shellFolders;
  shared::WindowsFolderPort& windowsFolder;
  shared::ShortcutPort& shortcuts;
  LocationNames& names;
  shared::RegistryPort& registry;  // the switches Windows keeps beside the Run keys and Startup folders
};

// The value a listed name stands for, read from the open key: the value of that name, or else the
// one value whose name lists as it (the listing drops leading blanks); none when two could be meant.
std::optional<shared::RegTreeValue> ListedValueIn(shared::RegistryPort& registry, shared::KeyHandle key,
                                                 const std::string& listed);
// The folder's path, created when missing; "" unless the shell answers S_OK.
std::string GetShellFolder(shared::ShellFolderPort& shellFolders, std::int32_t csidl);
// The key's value through a 127-character limit: at most 126 characters, and "" for a value of
// fewer than two characters or a missing key.
std::string ReadIniString(shared::ProfilePort& profile, const std::string& section, const std::string& key,
                          const std::string& file);

// Each appends rows with status "Enabled" in the store's own order ("Switched Off" for an entry
// Windows' own start-up switch keeps from starting); none clears the list, shows anything or
// stops at a failure.
// One row per value directly under root\kRunKeyBase + key (HKEY_CURRENT_USER or
// HKEY_LOCAL_MACHINE; "Run", "RunOnce", "RunOnceEx" or "RunServices"), in that registry view.
void SetRegRunIntoList(StartupSources& sources, shared::ListModel& list, shared::RegRoot root,
                       const std::string& key, shared::RegView view = shared::RegView::kNative);
// At most two rows: win.ini's "Load", then "Run", each value whole.
void SetWinIniIntoList(StartupSources& sources, shared::ListModel& list);
// One row per plain file of the current user's Startup folder, then of the all-users one.
void SetStartupIntoList(StartupSources& sources, shared::ListModel& list);

// The start-up enumeration of the main window's load, on an empty list: fills the location texts,
// then the current user's Run, the machine's Run, RunOnce, RunOnceEx and RunServices, those of
// the 32-bit view where it is one of its own, win.ini and the Startup folders. The disabled-entry store is appended after it by the caller.
void EnumerateStartupEntries(StartupSources& sources, shared::ListModel& list);

}  // namespace bootwarden
