#include "bootwarden/startup_sources.h"

#include "bootwarden/startup_approved.h"
#include "shared/fixed_buffers.h"
#include "shared/text.h"

namespace bootwarden {
namespace {

using shared::kHkeyCurrentUser;
using shared::kHkeyLocalMachine;

constexpr char kShortcutExtension[] = ".lnk";

void FillRow(shared::ListModel& list, int row, const std::string& loadFrom, const char* user, const char* when) {
  list.SetText(row, StartupEntry::kStatus, shared::kStatusEnabled);
  list.SetText(row, StartupEntry::kLoadFrom, loadFrom);
  list.SetText(row, StartupEntry::kUser, user);
  list.SetText(row, StartupEntry::kWhen, when);
}

void AddStartupFolder(StartupSources& sources, shared::ListModel& list, std::int32_t csidl, const std::string& loadFrom,
                      const char* user, const char* when) {
  const std::string folder = GetShellFolder(sources.shellFolders, csidl);
  if (folder.empty()) return;
  auto listing = shared::ListPlainFiles(sources.files, folder);
  if (!listing.ok()) return;
  const ApprovalSwitches switches(sources.registry, loadFrom);
  for (std::string name : listing.value()) {
    const bool off = switches.Off(name);
    // Case-sensitive and anywhere after the first character: "TOOL.LNK" keeps its whole name,
    // which then names no shortcut and gets no target.
    if (name.find(kShortcutExtension, 1) != std::string::npos) name.resize(name.size() - 4);
    const int row = list.Add(name);
    FillRow(list, row, loadFrom, user, when);
    if (off) list.SetText(row, StartupEntry::kStatus, shared::kStatusSwitchedOff);
    list.SetText(row, StartupEntry::kLocation,
                 sources.shortcuts.ReadTargetPath(folder + "\\" + name + kShortcutExtension));
  }
}

}  // namespace

void FillLocationNames(LocationNames& names) {
  names = {"Registry(User Run)",     "Registry(Machine Run)",  "Registry(Machine RunOnce)",
           "Registry(Machine RunOnceEx)", "StartUp (Current User)", "StartUp (All Users)",
           "Win.ini Load",           "Win.ini Run"};
}

std::string Location32(const std::string& key) { return "Registry(Machine " + key + " 32-bit)"; }

std::vector<std::string> AddableLocations(bool twoViews) {
  LocationNames names;
  FillLocationNames(names);
  std::vector<std::string> locations(names.begin(), names.end());
  if (twoViews) {
    for (const char* key : kKeys32) locations.push_back(Location32(key));
  }
  return locations;
}

std::optional<shared::RegTreeValue> ListedValueIn(shared::RegistryPort& registry, shared::KeyHandle key,
                                                 const std::string& listed) {
  if (auto data = registry.QueryValue(key, listed); data.ok()) return shared::RegTreeValue{listed, data.value()};
  std::optional<std::string> found;
  for (std::uint32_t index = 0;; ++index) {
    auto name = registry.EnumValueName(key, index);
    if (!name.ok()) break;
    if (shared::UpToNul(shared::TrimSpaces(name.value() + '\0')) != shared::UpToNul(listed)) continue;
    if (found) return std::nullopt;  // two candidates: which one the row means is unknown
    found = name.value();
  }
  if (!found) return std::nullopt;
  auto data = registry.QueryValue(key, *found);
  if (!data.ok()) return std::nullopt;
  return shared::RegTreeValue{*found, data.value()};
}


std::string GetShellFolder(shared::ShellFolderPort& shellFolders, std::int32_t csidl) {
  const shared::ShellFolderReply reply =
      shellFolders.GetFolderPath(csidl | shared::kCsidlFlagCreate, shared::kShgfpTypeCurrent);
  return reply.result == shared::kSOk ? shared::UpToNul(reply.path) : std::string();
}

std::string ReadIniString(shared::ProfilePort& profile, const std::string& section, const std::string& key,
                          const std::string& file) {
  std::string value = profile.GetString(section, key, "", shared::kIniValueLimit, file);
  return value.size() > 1 ? value : std::string();
}

void SetRegRunIntoList(StartupSources& sources, shared::ListModel& list, shared::RegRoot root,
                       const std::string& key, shared::RegView view) {
  const std::string path = kRunKeyBase + key;
  std::string loadFrom = root == kHkeyCurrentUser ? sources.names[kUserRun] : "Registry(Machine " + key + ")";
  if (view == shared::RegView::k32) loadFrom = Location32(key);
  const shared::ScopedKey handle = sources.store.OpenKeyForQuery(root, path, view);
  const ApprovalSwitches switches(sources.registry, loadFrom);
  const std::int32_t count = sources.store.QueryKeyCount(handle, 0);
  for (std::int32_t index = 0; index < count; ++index) {
    // A listed name carries its NUL, so even the default value's is not empty. An empty one means
    // the value went away since the count: listing it would show (and later act on) the default
    // value under a name that was never there.
    const shared::ListedValue value = sources.store.EnumValue(handle, index);
    if (value.name.empty()) continue;
    sources.reg.RootKey = root;
    sources.reg.View = view;
    sources.reg.KeyPath = path;
    sources.reg.ValueName = value.name;
    const int row = list.Add(value.name);
    if (root == kHkeyCurrentUser) {
      FillRow(list, row, loadFrom, kCurrentUser, kCurrentUserLogsOn);
    } else {
      FillRow(list, row, loadFrom, kAllUsers, kAnyUserLogsOn);
    }
    // Windows keeps the switch under the value's real name, which the listing may have trimmed.
    std::optional<shared::RegTreeValue> real;
    if (!value.text) real = ListedValueIn(sources.registry, handle.get(), value.name);
    if (switches.Off(real ? real->name : value.name)) list.SetText(row, StartupEntry::kStatus, shared::kStatusSwitchedOff);
    // The data came with the name; only a name that trimming changed is read again under it.
    list.SetText(row, StartupEntry::kLocation,
                 value.text ? *value.text : sources.reg.GetValue().value_or(""));
  }
}

void SetWinIniIntoList(StartupSources& sources, shared::ListModel& list) {
  const std::string file = shared::GetWinDir(sources.windowsFolder) + "\\win.ini";
  const std::string load = ReadIniString(sources.profile, kWinIniSection, kWinIniLoad, file);
  const std::string run = ReadIniString(sources.profile, kWinIniSection, kWinIniRun, file);
  const auto add = [&](const std::string& value, LocationIndex location) {
    if (value.empty()) return;
    const int row = list.Add(sources.names[location]);
    FillRow(list, row, sources.names[location], kAllUsers, kAnyUserLogsOn);
    list.SetText(row, StartupEntry::kLocation, value);
  };
  add(load, kWinIniLoadLocation);
  add(run, kWinIniRunLocation);
}

void SetStartupIntoList(StartupSources& sources, shared::ListModel& list) {
  AddStartupFolder(sources, list, shared::kCsidlStartup, sources.names[kStartupCurrentUser], kCurrentUser,
                   kCurrentUserLogsOn);
  AddStartupFolder(sources, list, shared::kCsidlCommonStartup, sources.names[kStartupAllUsers], kAllUsers,
                   kAnyUserLogsOn);
}

void EnumerateStartupEntries(StartupSources& sources, shared::ListModel& list) {
  FillLocationNames(sources.names);
  SetRegRunIntoList(sources, list, kHkeyCurrentUser, kKeyRun);
  for (const char* key : {kKeyRun, kKeyRunOnce, kKeyRunOnceEx, kKeyRunServices})
    SetRegRunIntoList(sources, list, kHkeyLocalMachine, key);
  if (sources.registry.HasTwoViews()) {
    for (const char* key : kKeys32) SetRegRunIntoList(sources, list, kHkeyLocalMachine, key, shared::RegView::k32);
  }
  SetWinIniIntoList(sources, list);
  SetStartupIntoList(sources, list);
}

}  // namespace bootwarden
