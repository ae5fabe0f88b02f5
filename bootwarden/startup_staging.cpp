#include "bootwarden/startup_staging.h"

#include <optional>

#include "bootwarden/startup_files.h"
#include "shared/text.h"

namespace bootwarden {
namespace {

constexpr char kCrLf[] = "\r\n";
constexpr char kRunServicesLocation[] = "Registry(Machine RunServices)";

bool IsNotFound(const shared::Status& status) {
  return status.code() == shared::kErrorFileNotFound || status.code() == shared::kErrorPathNotFound;
}

std::string Describe(const StartupEntry& entry) { return "\"" + entry.TaskName + "\" (" + entry.LoadFrom + ")"; }

shared::Status Failure(const StartupEntry& entry, const std::string& where, const shared::Status& why) {
  return shared::Status::Error(why.code(), Describe(entry) + ", " + where + ": " + why.message());
}

shared::Status Refusal(const StartupEntry& entry, const std::string& why) {
  return shared::Status::Error(shared::kErrorInvalidParameter, Describe(entry) + ": " + why);
}

struct RunKey {
  shared::RegRoot root;
  const char* rootName;
  std::string path;
};

// The dispatch on LoadFrom, by exact comparison, in the order the locations are tried.
enum class Kind { kRegistry, kStartup, kWinIni, kNone };
struct Location {
  Kind kind = Kind::kNone;
  RunKey run{};
  std::int32_t csidl = 0;
  const char* iniKey = nullptr;
};

Location LocationOf(const std::string& loadFrom) {
  LocationNames names;
  FillLocationNames(names);
  const auto machine = [](const char* key) {
    return Location{Kind::kRegistry, {shared::kHkeyLocalMachine, "HKEY_LOCAL_MACHINE", kRunKeyBase + std::string(key)}};
  };
  if (loadFrom == names[kUserRun])
    return {Kind::kRegistry, {shared::kHkeyCurrentUser, "HKEY_CURRENT_USER", kRunKeyBase + std::string(kKeyRun)}};
  if (loadFrom == names[kMachineRun]) return machine(kKeyRun);
  if (loadFrom == names[kMachineRunOnce]) return machine(kKeyRunOnce);
  if (loadFrom == names[kMachineRunOnceEx]) return machine(kKeyRunOnceEx);
  if (loadFrom == kRunServicesLocation) return machine(kKeyRunServices);
  if (loadFrom == names[kStartupCurrentUser]) return {Kind::kStartup, {}, shared::kCsidlStartup};
  if (loadFrom == names[kStartupAllUsers]) return {Kind::kStartup, {}, shared::kCsidlCommonStartup};
  if (loadFrom == names[kWinIniLoadLocation]) return {Kind::kWinIni, {}, 0, kWinIniLoad};
  if (loadFrom == names[kWinIniRunLocation]) return {Kind::kWinIni, {}, 0, kWinIniRun};
  return {};
}

std::string WinIniFile(StartupTargets& targets) { return shared::GetWinDir(targets.windowsFolder) + "\\win.ini"; }

// The shortcut's path, or why there is none to act on.
shared::Result<std::string> ShortcutPath(StartupTargets& targets, const StartupEntry& entry, std::int32_t csidl) {
  if (!IsSafeShortcutName(entry.TaskName))
    return Refusal(entry, "the task name does not name a single file in the Startup folder, so nothing was changed.");
  const std::string folder = GetShellFolder(targets.shellFolders, csidl);
  if (folder.empty()) return Refusal(entry, "the Startup folder could not be found.");
  return folder + "\\" + entry.TaskName + ".lnk";
}

void SetRegPath(StartupTargets& targets, const RunKey& run, const std::string& valueName) {
  targets.reg.RootKey = run.root;
  targets.reg.KeyPath = run.path;
  targets.reg.ValueName = valueName;
}

shared::Status WriteExpandable(shared::RegistryPort& registry, const RunKey& run, const std::string& name,
                               const std::string& command) {
  auto opened = registry.OpenKey(run.root, run.path, shared::KeyAccess::kWrite);
  if (!opened.ok()) return opened.status();
  shared::ScopedKey key(registry, opened.value());
  return registry.SetValue(key.get(), name, {shared::kRegExpandSz, shared::UpToNul(command) + '\0'});
}

}  // namespace

StartupEntry RowToEntry(const shared::ListModel& list, int position) { return EntryAt(list, position); }

std::vector<StartupEntry> ListToEntries(const shared::ListModel& list) {
  std::vector<StartupEntry> entries;
  entries.reserve(list.Count());
  for (int position = 1; position <= list.Count(); ++position) entries.push_back(RowToEntry(list, position));
  return entries;
}

void AddEntryRow(shared::ListModel& list, const StartupEntry& entry) {
  const shared::ListModel::Row row = ToRow(entry);
  const int position = list.Add(row[0]);
  for (int column = 1; column < shared::ListModel::kColumns; ++column) list.SetText(position, column, row[column]);
}

shared::Status ClearIniValue(shared::ProfilePort& profile, const std::string& section, const std::string& key,
                             const std::string& file) {
  return profile.WriteString(section, key, std::string(), file);
}

shared::Status WriteIniString(shared::ProfilePort& profile, const std::string& section, const std::string& key,
                              const std::string& value, const std::string& file) {
  return profile.WriteString(section, key, value, file);
}

bool IsSafeShortcutName(const std::string& taskName) {
  return !taskName.empty() && taskName.find_first_of("\\/") == std::string::npos &&
         taskName.find("..") == std::string::npos;
}

bool HoldsEnvironmentReference(const std::string& command) {
  const std::size_t open = command.find('%');
  if (open == std::string::npos) return false;
  const std::size_t close = command.find('%', open + 1);
  return close != std::string::npos && close > open + 1;
}

shared::Status RemoveFromSource(StartupTargets& targets, const StartupEntry& entry) {
  const Location location = LocationOf(entry.LoadFrom);
  switch (location.kind) {
    case Kind::kRegistry: {
      SetRegPath(targets, location.run, entry.TaskName);
      const shared::Status deleted = targets.reg.DeleteValue();
      if (deleted.ok() || IsNotFound(deleted)) return shared::Status::Ok();
      return Failure(entry, std::string(location.run.rootName) + "\\" + location.run.path, deleted);
    }
    case Kind::kStartup: {
      auto path = ShortcutPath(targets, entry, location.csidl);
      if (!path.ok()) return path.status();
      if (!targets.files.GetAttributes(path.value())) return shared::Status::Ok();
      // Not forced: a read-only shortcut stays, and the user hears why.
      const shared::Status removed = targets.files.RemoveFile(path.value());
      if (removed.ok() || IsNotFound(removed)) return shared::Status::Ok();
      return Failure(entry, path.value(), removed);
    }
    case Kind::kWinIni: {
      const std::string file = WinIniFile(targets);
      const shared::Status cleared = ClearIniValue(targets.profile, kWinIniSection, location.iniKey, file);
      if (cleared.ok()) return cleared;
      return Failure(entry, file, cleared);
    }
    case Kind::kNone:
      break;
  }
  return shared::Status::Ok();
}

shared::Status RestoreToSource(StartupTargets& targets, const StartupEntry& entry) {
  const Location location = LocationOf(entry.LoadFrom);
  switch (location.kind) {
    case Kind::kRegistry: {
      const std::string where = std::string(location.run.rootName) + "\\" + location.run.path;
      SetRegPath(targets, location.run, entry.TaskName);
      // A key emptied and removed meanwhile is made again, or the entry could never come back.
      const shared::Status created = targets.reg.CreateKey();
      if (!created.ok()) return Failure(entry, where, created);
      targets.reg.ValueData = entry.Location;
      const shared::Status written = HoldsEnvironmentReference(entry.Location)
                                         ? WriteExpandable(targets.registry, location.run, entry.TaskName, entry.Location)
                                         : targets.reg.SetValue();
      if (written.ok()) return written;
      return Failure(entry, where, written);
    }
    case Kind::kStartup: {
      auto path = ShortcutPath(targets, entry, location.csidl);
      if (!path.ok()) return path.status();
      const shared::Status written = targets.shortcuts.WriteShortcut(path.value(), entry.Location);
      if (written.ok()) return written;
      return Failure(entry, path.value(), written);
    }
    case Kind::kWinIni: {
      const std::string file = WinIniFile(targets);
      const shared::Status written = WriteIniString(targets.profile, kWinIniSection, location.iniKey, entry.Location, file);
      if (written.ok()) return written;
      return Failure(entry, file, written);
    }
    case Kind::kNone:
      break;
  }
  return shared::Status::Ok();
}

void StartupStaging::SetCaptions(std::string disableCaption, std::string enableCaption) {
  disableCaption_ = std::move(disableCaption);
  enableCaption_ = std::move(enableCaption);
  disableButtonCaption_ = disableCaption_;
}

void StartupStaging::TakeSnapshot() {
  snapshot_ = ListToEntries(list_);
  links_.clear();
  for (int i = 0; i < SnapshotCount(); ++i) links_.push_back(i);
}

int StartupStaging::RecordOf(int position) const {
  if (position < 1 || position > static_cast<int>(links_.size()) || position > list_.Count()) return -1;
  return links_[position - 1];
}

void StartupStaging::SelectRow(int position) {
  if (list_.Count() == 0) return;
  list_.Select(position);
  disableButtonCaption_ =
      list_.Text(list_.Selected(), StartupEntry::kStatus) == kStatusEnabled ? disableCaption_ : enableCaption_;
  removeEnabled_ = list_.Text(list_.Selected(), StartupEntry::kStatus) != kStatusRemove;
}

void StartupStaging::DisableClicked() {
  const int position = list_.Selected();
  if (position == 0) return;
  if (list_.Text(position, StartupEntry::kStatus) == kStatusEnabled) {
    list_.SetText(position, StartupEntry::kStatus, kStatusDisabled);
    disableButtonCaption_ = enableCaption_;
  } else {
    list_.SetText(position, StartupEntry::kStatus, kStatusEnabled);
    disableButtonCaption_ = disableCaption_;
  }
  removeEnabled_ = true;
}

void StartupStaging::RemoveClicked() {
  const int position = list_.Selected();
  if (position == 0) return;
  list_.SetText(position, StartupEntry::kStatus, kStatusRemove);
  removeEnabled_ = false;
}

void StartupStaging::ResetAllClicked() {
  list_.Clear();
  links_.clear();
  for (int i = 0; i < SnapshotCount(); ++i) {
    AddEntryRow(list_, snapshot_[i]);
    links_.push_back(i);
  }
}

void StartupStaging::ReplaceRows(const std::vector<StartupEntry>& rows) {
  list_.Clear();
  links_.clear();
  std::vector<bool> taken(snapshot_.size(), false);
  for (const auto& row : rows) {
    AddEntryRow(list_, row);
    int link = -1;
    for (std::size_t i = 0; i < snapshot_.size(); ++i) {
      if (!taken[i] && snapshot_[i].LoadFrom == row.LoadFrom && snapshot_[i].TaskName == row.TaskName) {
        link = static_cast<int>(i);
        taken[i] = true;
        break;
      }
    }
    links_.push_back(link);
  }
}

std::vector<StartupEntry> StartupStaging::DisabledEntries() const {
  std::vector<StartupEntry> disabled;
  std::vector<bool> linked(snapshot_.size(), false);
  for (int position = 1; position <= list_.Count(); ++position) {
    const int record = RecordOf(position);
    if (record >= 0) linked[record] = true;
    if (list_.Text(position, StartupEntry::kStatus) == kStatusDisabled) disabled.push_back(RowToEntry(list_, position));
  }
  for (std::size_t i = 0; i < snapshot_.size(); ++i) {
    if (!linked[i] && snapshot_[i].Status == kStatusDisabled) disabled.push_back(snapshot_[i]);
  }
  return disabled;
}

shared::Status StartupStaging::SaveStore() const {
  return SaveDisabledStore(targets_.files, targets_.windowsFolder, DisabledEntries());
}

void StartupStaging::ApplyNow() {
  enum class Action { kNone, kRemove, kRestore };
  struct Step {
    int position;
    int record;
    std::string before;  // the record's status; "" for an added row
    Action action;
  };
  std::vector<Step> steps;
  bool removals = false;
  for (int position = 1; position <= list_.Count(); ++position) {
    const std::string& status = list_.Text(position, StartupEntry::kStatus);
    const int record = RecordOf(position);
    if (status == kStatusRemove) removals = true;
    if (record < 0) {
      // Added rows are written only when "Enabled"; others wait, or leave with pass 3.
      if (status == kStatusEnabled) steps.push_back({position, record, "", Action::kRestore});
      continue;
    }
    const std::string& before = snapshot_[record].Status;
    if (status == before) continue;
    Action action = Action::kNone;
    if (status == kStatusEnabled) action = Action::kRestore;
    // An entry already disabled is out of its location: a removal has nothing to take out, and
    // deleting by name would hit an entry of that name the user has there now.
    else if ((status == kStatusDisabled || status == kStatusRemove) && before != kStatusDisabled)
      action = Action::kRemove;
    steps.push_back({position, record, before, action});
  }
  if (steps.empty() && !removals) return;

  // Rows from files are input: a task name reaching outside the Startup folder is refused before
  // anything is deleted or written.
  // A key's default value has an empty name, which would end the store file where it stands:
  // it can be removed or written back, but not kept disabled.
  for (auto step = steps.begin(); step != steps.end();) {
    const StartupEntry entry = RowToEntry(list_, step->position);
    const Kind kind = LocationOf(entry.LoadFrom).kind;
    std::string refusal;
    if (step->action != Action::kNone && kind == Kind::kStartup && !IsSafeShortcutName(entry.TaskName))
      refusal = "does not name a single file in the Startup folder, so nothing was changed for it.";
    else if (step->action == Action::kRemove && kind == Kind::kRegistry && entry.TaskName.empty() &&
             entry.Status == kStatusDisabled)
      refusal = "is the key's default value, which the list of disabled entries cannot keep; it stays enabled.";
    if (refusal.empty()) {
      ++step;
      continue;
    }
    Tell("\"" + entry.TaskName + "\" (" + entry.LoadFrom + ") " + refusal);
    if (step->record >= 0) list_.SetText(step->position, StartupEntry::kStatus, step->before);
    step = steps.erase(step);
  }

  // The store is the only trace of a disabled entry: it must hold every entry this apply takes
  // out before the first one goes.
  bool takesOut = false;
  for (const Step& step : steps) takesOut = takesOut || step.action == Action::kRemove;
  if (takesOut) {
    const shared::Status saved = SaveStore();
    if (!saved.ok()) {
      Tell("The list of disabled entries could not be saved to " + DisabledStorePath(targets_.windowsFolder) +
           ", so nothing was changed." + kCrLf + "Reason: " + saved.message());
      return;
    }
  }

  // Passes 1 and 2: each row against its own record; added rows join the snapshot once written.
  for (const Step& step : steps) {
    const StartupEntry entry = RowToEntry(list_, step.position);
    shared::Status done = shared::Status::Ok();
    if (step.action == Action::kRemove) done = RemoveFromSource(targets_, entry);
    if (step.action == Action::kRestore) done = RestoreToSource(targets_, entry);
    if (!done.ok()) {
      Tell(std::string(step.action == Action::kRemove ? "This entry could not be taken out of its start-up location"
                                                      : "This entry could not be written back to its start-up location") +
           "; it stays as it was." + kCrLf + done.message());
      if (step.record >= 0) list_.SetText(step.position, StartupEntry::kStatus, step.before);
      continue;
    }
    if (step.record >= 0) {
      snapshot_[step.record].Status = entry.Status;
    } else {
      snapshot_.push_back(entry);
      if (static_cast<int>(links_.size()) < step.position) links_.resize(step.position, -1);
      links_[step.position - 1] = SnapshotCount() - 1;
    }
  }

  // Pass 3: removed rows leave the list together with their records.
  for (int position = list_.Count(); position >= 1; --position) {
    if (list_.Text(position, StartupEntry::kStatus) == kStatusRemove) EraseRow(position);
  }

  const shared::Status saved = SaveStore();
  if (!saved.ok()) {
    Tell("The list of disabled entries could not be saved to " + DisabledStorePath(targets_.windowsFolder) + "." +
         kCrLf + "Reason: " + saved.message());
  }
}

void StartupStaging::EraseRow(int position) {
  const int record = RecordOf(position);
  if (record >= 0) {
    snapshot_.erase(snapshot_.begin() + record);
    for (int& link : links_) {
      if (link > record) --link;
    }
  }
  if (position <= static_cast<int>(links_.size())) links_.erase(links_.begin() + (position - 1));
  list_.Remove(position);
}

void StartupStaging::Tell(const std::string& text) { targets_.prompt.Ask(text, shared::kMbIconCritical, kAppTitle); }

}  // namespace bootwarden
