#include "bootwarden/startup_staging.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "bootwarden/command_line.h"
#include "bootwarden/startup_approved.h"
#include "bootwarden/startup_files.h"
#include "shared/registry_tree.h"
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
  shared::RegView view = shared::RegView::kNative;
};

// The key as the user would look it up.
std::string Where(const RunKey& run) {
  return std::string(run.rootName) + "\\" + run.path + (run.view == shared::RegView::k32 ? " (32-bit)" : "");
}

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
  for (const char* key : kKeys32) {
    if (loadFrom == Location32(key)) {
      Location location = machine(key);
      location.run.view = shared::RegView::k32;
      return location;
    }
  }
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
  reg.View = run.view;
  reg.KeyPath = run.path;
  reg.ValueName = valueName;
  return reg;
}

shared::Status WriteExpandable(shared::RegistryPort& registry, const RunKey& run, const std::string& name,
                               const std::string& command) {
  auto opened = registry.OpenKey(run.root, run.path, shared::KeyAccess::kWrite, run.view);
  if (!opened.ok()) return opened.status();
  shared::ScopedKey key(registry, opened.value());
  return registry.SetValue(key.get(), name, {shared::kRegExpandSz, shared::UpToNul(command) + '\0'});
}

// The value of that name in the Run key: through the key already open for the entry, or else
// through one opened for the look.
shared::Result<shared::RegValueData> RunValueThere(StartupTargets& targets, const RunKey& run, shared::KeyHandle open,
                                                  const std::string& name) {
  if (open != 0) return targets.registry.QueryValue(open, name);
  auto opened = targets.registry.OpenKey(run.root, run.path, shared::KeyAccess::kQueryValue, run.view);
  if (!opened.ok()) return opened.status();
  shared::ScopedKey key(targets.registry, opened.value());
  return targets.registry.QueryValue(key.get(), name);
}

constexpr char kFileNamePart[] = "file-name";
constexpr char kFileDataPart[] = "file-data";
constexpr char kIniValuePart[] = "ini-value";
// The command the row showed: a copy is put back only for that very row.
constexpr char kRowCommandPart[] = "row-command";
constexpr char kShortcutExtension[] = ".lnk";

// The entry's Run key, open for the look and the write; empty for another location or a key that
// cannot be opened so (each step then opens on its own, and says why it failed).
shared::ScopedKey OpenRunKey(StartupTargets& targets, const StartupEntry& entry) {
  const Location location = LocationOf(entry.LoadFrom);
  if (location.kind != Kind::kRegistry) return {};
  auto opened = targets.registry.OpenKey(location.run.root, location.run.path, shared::KeyAccess::kWrite,
                                         location.run.view);
  if (!opened.ok()) return {};
  return shared::ScopedKey(targets.registry, opened.value());
}

bool HasListedValue(StartupTargets& targets, const RunKey& run, const std::string& listed) {
  auto opened = targets.registry.OpenKey(run.root, run.path, shared::KeyAccess::kQueryValue, run.view);
  if (!opened.ok()) return false;
  shared::ScopedKey key(targets.registry, opened.value());
  return ListedValueIn(targets.registry, key.get(), listed).has_value();
}

// The Startup-folder file the entry stands for: its shortcut, or else the file of that very
// name (any other kind of file). The shortcut's path when neither is there.
shared::Result<std::string> StartupFileOf(StartupTargets& targets, const StartupEntry& entry, std::int32_t csidl) {
  auto shortcut = ShortcutPath(targets, entry, csidl);
  if (!shortcut.ok() || shared::FileExists(targets.files, shortcut.value())) return shortcut;
  const std::string file = shortcut.value().substr(0, shortcut.value().size() - std::strlen(kShortcutExtension));
  return shared::FileExists(targets.files, file) ? file : shortcut;
}

// win.ini values have no length limit of their own: read until the buffer was large enough.
std::string ReadWholeIniString(StartupTargets& targets, const char* key, const std::string& file) {
  std::string value;
  for (std::uint32_t size = 1024; size <= (1u << 24); size *= 8) {
    value = targets.profile.GetString(kWinIniSection, key, "", size, file);
    if (value.size() + 1 < size) break;
  }
  return value;
}

shared::KeptIdentity IdentityOf(const StartupEntry& entry) { return {entry.LoadFrom, entry.TaskName}; }

// Keeps the copy; the failure names the copy's file.
shared::Status Keep(shared::KeptCopies& copies, const StartupEntry& entry, shared::KeptCopy copy) {
  copy.Add(kRowCommandPart, entry.Location);
  const shared::Status kept = copies.Keep(copy);
  if (kept.ok()) return kept;
  return Failure(entry, copies.PathOf(copy.identity), kept);
}

// The entry's win.ini key written with the value; a failure names the file.
shared::Status PutWinIniValue(StartupTargets& targets, const StartupEntry& entry, const Location& location,
                              const std::string& value) {
  const std::string file = WinIniFile(targets);
  const shared::Status written = WriteIniString(targets.profile, kWinIniSection, location.iniKey, value, file);
  if (written.ok()) return written;
  return Failure(entry, file, written);
}

// What a kept copy puts back, once it is known to be this row's own (kept from a row showing the
// same command) and to fit the row's location.
struct CopyBack {
  shared::RegTreeValue value;  // a Run value: its name, type and bytes
  std::string path;            // a Startup-folder file: the one the copy names, in the entry's folder
  std::string text;            // that file's bytes, or the whole win.ini value
};

std::optional<CopyBack> CopyBackOf(StartupTargets& targets, const StartupEntry& entry, const Location& location,
                                   const shared::KeptCopy& copy) {
  const std::string* command = copy.Part(kRowCommandPart);
  if (command == nullptr || *command != entry.Location) return std::nullopt;
  switch (location.kind) {
    case Kind::kRegistry: {
      auto value = shared::ValueOfParts(copy);
      if (!value) return std::nullopt;
      return CopyBack{std::move(*value), {}, {}};
    }
    case Kind::kStartup: {
      const std::string* name = copy.Part(kFileNamePart);
      const std::string* data = copy.Part(kFileDataPart);
      // The copy names the file, but only ever the entry's own one in its folder.
      if (name == nullptr || data == nullptr || (*name != entry.TaskName && *name != entry.TaskName + kShortcutExtension))
        return std::nullopt;
      auto shortcut = ShortcutPath(targets, entry, location.csidl);
      if (!shortcut.ok()) return std::nullopt;
      return CopyBack{{}, shortcut.value().substr(0, shortcut.value().rfind('\\') + 1) + *name, *data};
    }
    case Kind::kWinIni: {
      const std::string* value = copy.Part(kIniValuePart);
      if (value == nullptr) return std::nullopt;
      return CopyBack{{}, {}, *value};
    }
    case Kind::kNone:
      break;
  }
  return std::nullopt;
}

shared::Status PutCopyBack(StartupTargets& targets, const StartupEntry& entry, const Location& location,
                           const CopyBack& back, shared::KeyHandle runKey) {
  switch (location.kind) {
    case Kind::kRegistry: {
      const std::string where = Where(location.run);
      // Through the open key; should that fail (the key gone meanwhile), the key is made again.
      if (runKey != 0 && targets.registry.SetValue(runKey, back.value.name, back.value.data).ok())
        return shared::Status::Ok();
      auto created = targets.registry.CreateKey(location.run.root, location.run.path, location.run.view);
      if (!created.ok()) return Failure(entry, where, created.status());
      shared::ScopedKey key(targets.registry, created.value());
      const shared::Status written = targets.registry.SetValue(key.get(), back.value.name, back.value.data);
      if (written.ok()) return written;
      return Failure(entry, where, written);
    }
    case Kind::kStartup: {
      const shared::Status written = targets.files.WriteFileAtomic(back.path, back.text);
      if (written.ok()) return written;
      return Failure(entry, back.path, written);
    }
    case Kind::kWinIni:
      return PutWinIniValue(targets, entry, location, back.text);
    case Kind::kNone:
      break;
  }
  return shared::Status::Ok();
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

shared::Status RemoveFromSource(StartupTargets& targets, const StartupEntry& entry, shared::KeptCopies* copies) {
  const Location location = LocationOf(entry.LoadFrom);
  switch (location.kind) {
    case Kind::kRegistry: {
      const std::string where = Where(location.run);
      // One open finds the value, keeps it and deletes it.
      auto opened = targets.registry.OpenKey(location.run.root, location.run.path, shared::KeyAccess::kWrite, location.run.view);
      if (!opened.ok()) return opened.status().IsNotFound() ? shared::Status::Ok() : Failure(entry, where, opened.status());
      shared::ScopedKey key(targets.registry, opened.value());
      const std::optional<shared::RegTreeValue> value = ListedValueIn(targets.registry, key.get(), entry.TaskName);
      if (!value) return shared::Status::Ok();
      if (copies != nullptr) {
        shared::KeptCopy copy{IdentityOf(entry), {}};
        shared::AddValueParts(copy, *value);
        if (shared::Status kept = Keep(*copies, entry, copy); !kept.ok()) return kept;
      }
      const shared::Status deleted = targets.registry.DeleteValue(key.get(), value->name);
      if (deleted.ok() || deleted.IsNotFound()) return shared::Status::Ok();
      return Failure(entry, where, deleted);
    }
    case Kind::kStartup: {
      auto path = StartupFileOf(targets, entry, location.csidl);
      if (!path.ok()) return path.status();
      if (!targets.files.GetAttributes(path.value())) return shared::Status::Ok();
      if (copies != nullptr) {
        // Moved aside whole: whatever the file is, it comes back as it was.
        auto bytes = targets.files.ReadFile(path.value());
        if (!bytes.ok()) return Failure(entry, path.value(), bytes.status());
        shared::KeptCopy copy{IdentityOf(entry), {}};
        copy.Add(kFileNamePart, path.value().substr(path.value().rfind('\\') + 1));
        copy.Add(kFileDataPart, bytes.value());
        if (shared::Status kept = Keep(*copies, entry, copy); !kept.ok()) return kept;
      }
      // Not forced: a read-only file stays, and the user hears why.
      const shared::Status removed = targets.files.RemoveFile(path.value());
      if (removed.ok() || removed.IsNotFound()) return shared::Status::Ok();
      return Failure(entry, path.value(), removed);
    }
    case Kind::kWinIni: {
      const std::string file = WinIniFile(targets);
      if (copies != nullptr) {
        shared::KeptCopy copy{IdentityOf(entry), {}};
        copy.Add(kIniValuePart, ReadWholeIniString(targets, location.iniKey, file));
        if (shared::Status kept = Keep(*copies, entry, copy); !kept.ok()) return kept;
      }
      const shared::Status cleared = ClearIniValue(targets.profile, kWinIniSection, location.iniKey, file);
      if (cleared.ok()) return cleared;
      return Failure(entry, file, cleared);
    }
    case Kind::kNone:
      break;
  }
  return shared::Status::Ok();
}

shared::Status RestoreToSource(StartupTargets& targets, const StartupEntry& entry, const shared::KeptCopy* copy,
                               shared::KeyHandle runKey) {
  const Location location = LocationOf(entry.LoadFrom);
  if (copy != nullptr) {
    if (const auto back = CopyBackOf(targets, entry, location, *copy))
      return PutCopyBack(targets, entry, location, *back, runKey);
  }
  switch (location.kind) {
    case Kind::kRegistry: {
      const std::string where = Where(location.run);
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
    case Kind::kWinIni:
      return PutWinIniValue(targets, entry, location, entry.Location);
    case Kind::kNone:
      break;
  }
  return shared::Status::Ok();
}

shared::Status SwitchEntry(StartupTargets& targets, const StartupEntry& entry, bool on, const shared::KeptCopy* copy) {
  const std::optional<ApprovalKey> where = ApprovalKeyOf(entry.LoadFrom);
  if (!where) return shared::Status::Ok();
  // Windows keys the switch by the real name: a value's blank edges, a file's own extension. An
  // entry coming back from its copy is not there yet: the copy knows the name it will have.
  const Location location = LocationOf(entry.LoadFrom);
  const std::optional<CopyBack> back = copy ? CopyBackOf(targets, entry, location, *copy) : std::nullopt;
  std::string name = entry.TaskName;
  if (location.kind == Kind::kStartup) {
    auto path = back ? shared::Result<std::string>(back->path) : StartupFileOf(targets, entry, location.csidl);
    if (!path.ok()) return path.status();
    name = path.value().substr(path.value().rfind('\\') + 1);
  } else if (back) {
    name = back->value.name;
  } else if (location.kind == Kind::kRegistry) {
    auto opened = targets.registry.OpenKey(location.run.root, location.run.path, shared::KeyAccess::kQueryValue,
                                           location.run.view);
    if (opened.ok()) {
      const shared::ScopedKey key(targets.registry, opened.value());
      if (auto real = ListedValueIn(targets.registry, key.get(), entry.TaskName)) name = real->name;
    }
  }
  const std::uint64_t now = targets.clock.FileTimeNow();
  const shared::Status done =
      on ? SwitchOn(targets.registry, *where, name, now) : SwitchOff(targets.registry, *where, name, now);
  if (done.ok()) return done;
  const char* root = where->root == shared::kHkeyCurrentUser ? "HKEY_CURRENT_USER" : "HKEY_LOCAL_MACHINE";
  return Failure(entry, std::string(root) + "\\" + where->path, done);
}

namespace {

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

// A value as the user would recognise it: its text, and its type when not the one expected.
std::string DescribeValue(const shared::RegValueData& value, std::uint32_t expectedType) {
  const std::uint32_t type = value.type;
  const bool text = type == shared::kRegSz || type == shared::kRegExpandSz || type == shared::kRegMultiSz;
  const std::string command = text ? shared::UpToNul(value.bytes) : std::string();
  if (type == expectedType) return command;
  return (command.empty() ? "" : command + " ") + "(" + TypeName(type) + ")";
}

// A Startup-folder file as the user would recognise it: the command of a shortcut.
std::string DescribeStartupFile(StartupTargets& targets, const std::string& path) {
  const SplitCommand there{targets.shortcuts.ReadTargetPath(path), targets.shortcuts.ReadArguments(path)};
  if (there.target.empty()) return targets.language.SetCaptionfromINI("464", "a file that is not a shortcut");
  return there.arguments.empty() ? there.target : there.target + " " + there.arguments;
}

// What stands where the kept copy would go back, when it is not the copy's entry itself.
std::optional<std::string> OtherThanCopy(StartupTargets& targets, const Location& location, const CopyBack& back,
                                         shared::KeyHandle runKey) {
  switch (location.kind) {
    case Kind::kRegistry: {
      auto there = RunValueThere(targets, location.run, runKey, back.value.name);
      if (!there.ok() || there.value() == back.value.data) return std::nullopt;
      return DescribeValue(there.value(), back.value.data.type);
    }
    case Kind::kStartup: {
      if (!targets.files.GetAttributes(back.path)) return std::nullopt;
      auto bytes = targets.files.ReadFile(back.path);
      if (bytes.ok() && bytes.value() == back.text) return std::nullopt;
      return DescribeStartupFile(targets, back.path);
    }
    case Kind::kWinIni: {
      const std::string there = ReadWholeIniString(targets, location.iniKey, WinIniFile(targets));
      if (there.empty() || there == back.text) return std::nullopt;
      return there;
    }
    case Kind::kNone:
      break;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> OtherEntryThere(StartupTargets& targets, const StartupEntry& entry,
                                           const shared::KeptCopy* copy, shared::KeyHandle runKey) {
  const Location location = LocationOf(entry.LoadFrom);
  if (copy != nullptr) {
    if (const auto back = CopyBackOf(targets, entry, location, *copy))
      return OtherThanCopy(targets, location, *back, runKey);
  }
  switch (location.kind) {
    case Kind::kRegistry: {
      auto value = RunValueThere(targets, location.run, runKey, entry.TaskName);
      if (!value.ok()) return std::nullopt;
      // The type RestoreToSource would write.
      const std::uint32_t type = HoldsEnvironmentReference(entry.Location) ? shared::kRegExpandSz : shared::kRegSz;
      if (value.value().type == type && shared::UpToNul(value.value().bytes) == shared::UpToNul(entry.Location))
        return std::nullopt;
      return DescribeValue(value.value(), type);
    }
    case Kind::kStartup: {
      auto path = ShortcutPath(targets, entry, location.csidl);
      if (!path.ok() || !targets.files.GetAttributes(path.value())) return std::nullopt;
      const SplitCommand there{targets.shortcuts.ReadTargetPath(path.value()),
                               targets.shortcuts.ReadArguments(path.value())};
      const SplitCommand command = SplitCommandLine(targets.files, entry.Location);
      // The shell may give the target back in other letter case.
      if (!there.target.empty() && shared::EqualsIgnoreCase(there.target, command.target) &&
          there.arguments == command.arguments)
        return std::nullopt;
      return DescribeStartupFile(targets, path.value());
    }
    case Kind::kWinIni: {
      const std::string there = ReadWholeIniString(targets, location.iniKey, WinIniFile(targets));
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

shared::ShellFolderReply ShellFolderMemo::GetFolderPath(std::int32_t csidl, std::uint32_t flags) {
  if (auto known = known_.find({csidl, flags}); known != known_.end()) return known->second;
  shared::ShellFolderReply reply = shell_.GetFolderPath(csidl, flags);
  if (reply.result == shared::kSOk) known_.emplace(std::pair{csidl, flags}, reply);
  return reply;
}

StartupStaging::StartupStaging(shared::ListModel& list, StartupTargets& targets)
    : StagedList(list, *this, kStartupRules, targets.files, targets.windowsFolder, kDisabledStoreName),
      rows_(list),
      folders_(targets.shellFolders),
      targets_{targets.registry, targets.profile, targets.files, folders_, targets.windowsFolder,
               targets.shortcuts, targets.prompt, targets.system, targets.language, targets.clock} {
  SetCaptions("Disable", "Enable");
}

shared::StagedAction StartupStaging::ActionFor(shared::EntryStatus now, const shared::EntryStatus* before,
                                               shared::ApplyMode) const {
  using shared::EntryStatus;
  using shared::StagedAction;
  // Added rows are written only when "Enabled"; others wait, or leave with the removed rows.
  if (before == nullptr) return now == EntryStatus::kEnabled ? StagedAction::kPutBack : StagedAction::kSkip;
  if (now == EntryStatus::kEnabled) return StagedAction::kPutBack;
  // Switched off where it stands, as Windows does (a profile's row); an entry out of its location
  // has nothing there to switch, and stays in the store.
  if (now == EntryStatus::kSwitchedOff)
    return *before == EntryStatus::kEnabled || *before == EntryStatus::kDisabled ? StagedAction::kTakeOut
                                                                                 : StagedAction::kSkip;
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

std::optional<shared::KeptIdentity> StartupStaging::KeptAs(const shared::EntryRow& row) const {
  if (LocationOf(row[StartupEntry::kLoadFrom]).kind == Kind::kNone) return std::nullopt;
  return IdentityOf(shared::FromRow<StartupEntry>(row));
}

std::string StartupStaging::Refusal(const shared::EntryRow& row, shared::StagedAction action) const {
  const StartupEntry entry = shared::FromRow<StartupEntry>(row);
  const Location location = LocationOf(entry.LoadFrom);
  std::string refusal;
  // A task name reaching outside the Startup folder names no single shortcut.
  if (action != shared::StagedAction::kNone && location.kind == Kind::kStartup && !IsSafeShortcutName(entry.TaskName))
    refusal = Text("431", "does not name a single file in the Startup folder, so nothing was changed for it.");
  else if (action == shared::StagedAction::kTakeOut && entry.Status == shared::kStatusSwitchedOff &&
           !ApprovalKeyOf(entry.LoadFrom))
    refusal = Text("466", "is in a location Windows cannot switch off, so nothing was changed for it.");
  // What is taken out must be there, or it would keep starting while the list says "Disabled".
  else if (action == shared::StagedAction::kTakeOut && location.kind == Kind::kStartup) {
    auto path = StartupFileOf(targets_, entry, location.csidl);
    if (path.ok() && !shared::FileExists(targets_.files, path.value()))
      refusal = Text("452", "is not a file in its Startup folder, so nothing was changed for it.");
  } else if (action == shared::StagedAction::kTakeOut && location.kind == Kind::kRegistry) {
    if (!HasListedValue(targets_, location.run, entry.TaskName))
      refusal = Text("453",
                     "is not a value of that name in its key, or more than one value is listed under that name, so "
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

bool StartupStaging::TakeOut(int position, const shared::EntryRow& row, bool forGood, shared::ApplyMode) {
  const StartupEntry entry = shared::FromRow<StartupEntry>(row);
  if (entry.Status == shared::kStatusSwitchedOff) {
    // A disabled entry is out of its place: an entry of that name there now is another one, and
    // switching that off must not drop this one from the store.
    const int record = RecordOf(position);
    if (record >= 0 && Records()[record][shared::kStatusField] == shared::kStatusDisabled) {
      Tell("\"" + entry.TaskName + "\" (" + entry.LoadFrom + ") " +
           Text("467", "is disabled and kept by Bootwarden, so there is nothing in its place to switch off; it stays "
                       "disabled."));
      return false;
    }
    return Switched(entry, false);
  }
  // A removal keeps nothing.
  shared::KeptCopies copies = Copies();
  const shared::Status done = RemoveFromSource(targets_, entry, forGood ? nullptr : &copies);
  if (!done.ok())
    Tell(Text("434", "This entry could not be taken out of its start-up location; it stays as it was.") + kCrLf +
         done.message());
  return done.ok();
}

bool StartupStaging::PutBack(int position, const shared::EntryRow& row, shared::ApplyMode) {
  const StartupEntry entry = shared::FromRow<StartupEntry>(row);
  const int record = RecordOf(position);
  // Windows' switch kept it from starting where it stands: only the switch changes.
  if (record >= 0 && Records()[record][shared::kStatusField] == shared::kStatusSwitchedOff) return Switched(entry, true);
  const std::optional<shared::KeptCopy> copy = Copies().Find(IdentityOf(entry));
  // A Run key opened once serves the look at what is there and the write.
  const shared::ScopedKey runKey = OpenRunKey(targets_, entry);
  // On No the row is "Disabled" again and the step counts as done: its record takes that status,
  // so even an added row's entry is kept in the store like any disabled one.
  if (!MayReplaceWhatIsThere(position, entry, copy ? &*copy : nullptr, runKey.get())) return true;
  // A switch left off from before would keep the entry written back from starting.
  if (!Switched(entry, true, copy ? &*copy : nullptr)) return false;
  const shared::Status done = RestoreToSource(targets_, entry, copy ? &*copy : nullptr, runKey.get());
  if (!done.ok())
    Tell(Text("435", "This entry could not be written back to its start-up location; it stays as it was.") + kCrLf +
         done.message());
  return done.ok();
}

bool StartupStaging::MayReplaceWhatIsThere(int position, const StartupEntry& entry, const shared::KeptCopy* copy,
                                           shared::KeyHandle runKey) {
  const std::optional<std::string> there = OtherEntryThere(targets_, entry, copy, runKey);
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
  Tell(Text(kStoreNotSavedKey, kStoreNotSavedDefault) + " " + path +
       (nothingChanged ? Text("437", kNothingChangedDefault) : ".") + kCrLf + Text(kReasonKey, kReasonLabel) + " " + why.message());
}

bool StartupStaging::Switched(const StartupEntry& entry, bool on, const shared::KeptCopy* copy) {
  const shared::Status done = SwitchEntry(targets_, entry, on, copy);
  if (!done.ok())
    Tell(Text("465", "Windows' start-up switch of this entry could not be changed; it stays as it was.") + kCrLf +
         done.message());
  return done.ok();
}

void StartupStaging::Tell(const std::string& text) { targets_.prompt.Ask(text, shared::kMbIconCritical, kAppTitle); }

}  // namespace bootwarden
