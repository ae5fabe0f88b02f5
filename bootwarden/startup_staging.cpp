#include "bootwarden/startup_staging.h"

#include <algorithm>
#include <optional>

#include "bootwarden/command_line.h"
#include "bootwarden/startup_files.h"
#include "shared/text.h"

namespace bootwarden {
namespace {

constexpr char kCrLf[] = "\r\n";
constexpr char kRunServicesLocation[] = "Registry(Machine RunServices)";

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
    return Refusal(entry, targets.language.SetCaptionfromINI(
                              "450", "the task name does not name a single file in the Startup folder, so nothing was changed."));
  const std::string folder = GetShellFolder(targets.shellFolders, csidl);
  if (folder.empty())
    return Refusal(entry, targets.language.SetCaptionfromINI("451", "the Startup folder could not be found."));
  return folder + "\\" + entry.TaskName + ".lnk";
}

shared::RegistryComponent RunValue(StartupTargets& targets, const RunKey& run, const std::string& valueName) {
  shared::RegistryComponent reg(targets.registry);
  reg.RootKey = run.root;
  reg.KeyPath = run.path;
  reg.ValueName = valueName;
  return reg;
}

shared::Status WriteExpandable(shared::RegistryPort& registry, const RunKey& run, const std::string& name,
                               const std::string& command) {
  auto opened = registry.OpenKey(run.root, run.path, shared::KeyAccess::kWrite);
  if (!opened.ok()) return opened.status();
  shared::ScopedKey key(registry, opened.value());
  return registry.SetValue(key.get(), name, {shared::kRegExpandSz, shared::UpToNul(command) + '\0'});
}

}  // namespace

shared::Status ClearIniValue(shared::ProfilePort& profile, const std::string& section, const std::string& key,
                             const std::string& file) {
  return profile.WriteString(section, key, std::string(), file);
}

shared::Status WriteIniString(shared::ProfilePort& profile, const std::string& section, const std::string& key,
                              const std::string& value, const std::string& file) {
  return profile.WriteString(section, key, value, file);
}

bool IsSafeShortcutName(const std::string& taskName) {
  if (taskName.empty() || taskName == "." || taskName == "..") return false;
  // The separators, the drive and stream colon, and what Windows forbids in a file name.
  for (const char c : taskName) {
    if (static_cast<unsigned char>(c) < 32 || std::string_view("\\/:<>\"|?*").find(c) != std::string_view::npos)
      return false;
  }
  return true;
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
      const shared::Status deleted = RunValue(targets, location.run, entry.TaskName).DeleteValue();
      if (deleted.ok() || deleted.IsNotFound()) return shared::Status::Ok();
      return Failure(entry, std::string(location.run.rootName) + "\\" + location.run.path, deleted);
    }
    case Kind::kStartup: {
      auto path = ShortcutPath(targets, entry, location.csidl);
      if (!path.ok()) return path.status();
      if (!targets.files.GetAttributes(path.value())) return shared::Status::Ok();
      // Not forced: a read-only shortcut stays, and the user hears why.
      const shared::Status removed = targets.files.RemoveFile(path.value());
      if (removed.ok() || removed.IsNotFound()) return shared::Status::Ok();
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
      shared::RegistryComponent reg = RunValue(targets, location.run, entry.TaskName);
      // A key emptied and removed meanwhile is made again, or the entry could never come back.
      const shared::Status created = reg.CreateKey();
      if (!created.ok()) return Failure(entry, where, created);
      reg.ValueData = entry.Location;
      const shared::Status written = HoldsEnvironmentReference(entry.Location)
                                         ? WriteExpandable(targets.registry, location.run, entry.TaskName, entry.Location)
                                         : reg.SetValue();
      if (written.ok()) return written;
      return Failure(entry, where, written);
    }
    case Kind::kStartup: {
      auto path = ShortcutPath(targets, entry, location.csidl);
      if (!path.ok()) return path.status();
      // The program and its arguments apart, or the shortcut would name no file and start nothing.
      const SplitCommand command = SplitCommandLine(targets.files, entry.Location);
      const shared::Status written = targets.shortcuts.WriteShortcut(path.value(), command.target, command.arguments);
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

namespace {

// The longest value a profile string can hold: compared whole, not cut as the list shows it.
constexpr std::uint32_t kWholeIniValue = 32768;

std::string TypeName(std::uint32_t type) {
  switch (type) {
    case shared::kRegSz: return "REG_SZ";
    case shared::kRegExpandSz: return "REG_EXPAND_SZ";
    case shared::kRegBinary: return "REG_BINARY";
    case shared::kRegDword: return "REG_DWORD";
    case shared::kRegMultiSz: return "REG_MULTI_SZ";
    default: return "type " + std::to_string(type);
  }
}

}  // namespace

std::optional<std::string> OtherEntryThere(StartupTargets& targets, const StartupEntry& entry) {
  const Location location = LocationOf(entry.LoadFrom);
  switch (location.kind) {
    case Kind::kRegistry: {
      auto opened = targets.registry.OpenKey(location.run.root, location.run.path, shared::KeyAccess::kQueryValue);
      if (!opened.ok()) return std::nullopt;
      shared::ScopedKey key(targets.registry, opened.value());
      auto value = targets.registry.QueryValue(key.get(), entry.TaskName);
      if (!value.ok()) return std::nullopt;
      // The type RestoreToSource would write.
      const std::uint32_t type = HoldsEnvironmentReference(entry.Location) ? shared::kRegExpandSz : shared::kRegSz;
      const std::uint32_t there = value.value().type;
      const bool text = there == shared::kRegSz || there == shared::kRegExpandSz || there == shared::kRegMultiSz;
      const std::string command = text ? shared::UpToNul(value.value().bytes) : std::string();
      if (there == type && command == shared::UpToNul(entry.Location)) return std::nullopt;
      if (there == type) return command;
      return (command.empty() ? "" : command + " ") + "(" + TypeName(there) + ")";
    }
    case Kind::kStartup: {
      auto path = ShortcutPath(targets, entry, location.csidl);
      if (!path.ok() || !targets.files.GetAttributes(path.value())) return std::nullopt;
      const SplitCommand there{targets.shortcuts.ReadTargetPath(path.value()),
                               targets.shortcuts.ReadArguments(path.value())};
      if (there.target.empty())
        return targets.language.SetCaptionfromINI("464", "a file that is not a shortcut");
      const SplitCommand command = SplitCommandLine(targets.files, entry.Location);
      // The shell may give the target back in other letter case.
      if (shared::EqualsIgnoreCase(there.target, command.target) && there.arguments == command.arguments)
        return std::nullopt;
      return there.arguments.empty() ? there.target : there.target + " " + there.arguments;
    }
    case Kind::kWinIni: {
      const std::string there =
          targets.profile.GetString(kWinIniSection, location.iniKey, "", kWholeIniValue, WinIniFile(targets));
      if (there.empty() || there == entry.Location) return std::nullopt;
      return there;
    }
    case Kind::kNone:
      break;
  }
  return std::nullopt;
}

namespace {

constexpr shared::StagingRules kStartupRules{
    .removeDisabledOnRemoveRow = true,
    .storeFromRows = true,
    .revertFailedRows = true,
    .applyDropsRemovedRows = true,
};

}  // namespace

StartupStaging::StartupStaging(shared::ListModel& list, StartupTargets& targets)
    : StagedList(list, *this, kStartupRules, targets.files, targets.windowsFolder, kDisabledStoreName),
      rows_(list),
      targets_(targets) {
  SetCaptions("Disable", "Enable");
}

shared::StagedAction StartupStaging::ActionFor(shared::EntryStatus now, const shared::EntryStatus* before,
                                               shared::ApplyMode) const {
  using shared::EntryStatus;
  using shared::StagedAction;
  // Added rows are written only when "Enabled"; others wait, or leave with the removed rows.
  if (before == nullptr) return now == EntryStatus::kEnabled ? StagedAction::kPutBack : StagedAction::kSkip;
  if (now == EntryStatus::kEnabled) return StagedAction::kPutBack;
  // An entry already disabled is out of its location: a removal has nothing to take out, and
  // deleting by name would hit an entry of that name the user has there now.
  if ((now == EntryStatus::kDisabled || now == EntryStatus::kRemove) && *before != EntryStatus::kDisabled)
    return StagedAction::kTakeOut;
  return StagedAction::kNone;
}

bool StartupStaging::SameEntry(const shared::EntryRow& row, const shared::EntryRow& record) const {
  return record[StartupEntry::kLoadFrom] == row[StartupEntry::kLoadFrom] &&
         record[StartupEntry::kTaskName] == row[StartupEntry::kTaskName];
}

std::string StartupStaging::Refusal(const shared::EntryRow& row, shared::StagedAction action) const {
  const StartupEntry entry = shared::FromRow<StartupEntry>(row);
  const Location location = LocationOf(entry.LoadFrom);
  std::string refusal;
  // A task name reaching outside the Startup folder names no single shortcut.
  if (action != shared::StagedAction::kNone && location.kind == Kind::kStartup && !IsSafeShortcutName(entry.TaskName))
    refusal = Text("431", "does not name a single file in the Startup folder, so nothing was changed for it.");
  // What is taken out must be there under the name shown, or it would stay and keep starting
  // while the list says "Disabled": a Startup-folder file that is no ".lnk" shortcut, a value
  // whose name has blanks at either end.
  else if (action == shared::StagedAction::kTakeOut && location.kind == Kind::kStartup) {
    auto path = ShortcutPath(targets_, entry, location.csidl);
    if (path.ok() && !shared::FileExists(targets_.files, path.value()))
      refusal = Text("432", "is not a shortcut (.lnk) that Bootwarden can take out and put back, so nothing was changed for it.");
  } else if (action == shared::StagedAction::kTakeOut && location.kind == Kind::kRegistry) {
    auto opened = targets_.registry.OpenKey(location.run.root, location.run.path, shared::KeyAccess::kQueryValue);
    const bool there = opened.ok() && [&] {
      shared::ScopedKey key(targets_.registry, opened.value());
      return targets_.registry.QueryValue(key.get(), entry.TaskName).ok();
    }();
    if (!there)
      refusal = Text("433",
                     "is not a value of that name in its key (a name with blanks at either end cannot be acted on), so "
                     "nothing was changed for it.");
  }
  if (refusal.empty()) return refusal;
  return "\"" + entry.TaskName + "\" (" + entry.LoadFrom + ") " + refusal;
}

std::string StartupStaging::ApplyRefusal(const std::vector<shared::EntryRow>& changing, shared::ApplyMode) const {
  const bool machineWide = std::any_of(changing.begin(), changing.end(), [](const shared::EntryRow& row) {
    const Location location = LocationOf(row[StartupEntry::kLoadFrom]);
    return location.kind == Kind::kWinIni || location.csidl == shared::kCsidlCommonStartup ||
           (location.kind == Kind::kRegistry && location.run.root == shared::kHkeyLocalMachine);
  });
  // Refused whole: a partial apply would leave the user's and the machine's entries out of step.
  if (!machineWide || targets_.system.IsNTAdmin()) return {};
  return administratorText_;
}

bool StartupStaging::TakeOut(int, const shared::EntryRow& row, bool, shared::ApplyMode) {
  const shared::Status done = RemoveFromSource(targets_, shared::FromRow<StartupEntry>(row));
  if (!done.ok())
    Tell(Text("434", "This entry could not be taken out of its start-up location; it stays as it was.") + kCrLf +
         done.message());
  return done.ok();
}

bool StartupStaging::PutBack(int position, const shared::EntryRow& row, shared::ApplyMode) {
  const StartupEntry entry = shared::FromRow<StartupEntry>(row);
  // On No the row is "Disabled" again and the step counts as done: its record takes that status,
  // so even an added row's entry is kept in the store like any disabled one.
  if (!MayReplaceWhatIsThere(position, entry)) return true;
  const shared::Status done = RestoreToSource(targets_, entry);
  if (!done.ok())
    Tell(Text("435", "This entry could not be written back to its start-up location; it stays as it was.") + kCrLf +
         done.message());
  return done.ok();
}

bool StartupStaging::MayReplaceWhatIsThere(int position, const StartupEntry& entry) {
  const std::optional<std::string> there = OtherEntryThere(targets_, entry);
  if (!there) return true;
  const std::string question =
      Text("460", "The start-up location of this entry already holds a different entry of the same name.") + kCrLf +
      Describe(entry) + kCrLf + Text("461", "There now:") + " " + *there + kCrLf + Text("462", "This entry:") + " " +
      entry.Location + kCrLf + kCrLf +
      Text("463", "Replace what is there? No leaves it as it is and keeps this entry disabled.");
  // No is the default: the entry there may be the newer one.
  const int style = shared::kMbYesNo | shared::kMbIconQuestion | shared::kMbDefaultButton2;
  if (targets_.prompt.Ask(question, style, kAppTitle) == shared::kAnswerYes) return true;
  rows_.SetText(position, StartupEntry::kStatus, shared::kStatusDisabled);
  return false;
}

void StartupStaging::StoreNotSaved(const std::string& path, bool nothingChanged, const shared::Status& why) {
  Tell(Text("436", kStoreNotSavedDefault) + " " + path + (nothingChanged ? Text("437", kNothingChangedDefault) : ".") + kCrLf +
       Text("430", kReasonLabel) + " " + why.message());
}

void StartupStaging::Tell(const std::string& text) { targets_.prompt.Ask(text, shared::kMbIconCritical, kAppTitle); }

}  // namespace bootwarden
