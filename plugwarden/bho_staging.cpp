#include "plugwarden/bho_staging.h"

#include "plugwarden/bho_files.h"
#include "shared/registry_tree.h"
#include "shared/text.h"

namespace plugwarden {
namespace {

constexpr char kCrLf[] = "\r\n";
constexpr char kHklmPrefix[] = "HKEY_LOCAL_MACHINE ";

using shared::RegView;

// The object's key below HKEY_LOCAL_MACHINE, in the view of the row.
std::string ObjectKeyPath(const BhoKey& key) { return std::string(kBhoKeyPath) + "\\" + key.identifier; }

// A deletion that left the key in place, naming the key where a registry editor shows it.
shared::Status KeyStayed(const char* root, const std::string& path, const shared::Status& failure,
                         RegView view = RegView::kNative) {
  std::string shown = path;
  // HKLM "SOFTWARE\X" is "SOFTWARE\Wow6432Node\X" there, HKCR "X" "Wow6432Node\X".
  if (view == RegView::k32) shown.insert(std::string_view(root) == "HKEY_CLASSES_ROOT" ? 0 : 9, kView32Marker);
  return shared::Status::Error(failure.code(), std::string(root) + "\\" + shown + ": " + failure.message());
}

// Identifiers compare without case, as the registry compares key names.
shared::KeptIdentity IdentityOf(const std::string& identifier) {
  return {std::string("HKEY_LOCAL_MACHINE\\") + kBhoKeyPath, shared::ToUpperAscii(identifier)};
}

}  // namespace

bool IsSafeIdentifier(const std::string& rowIdentifier) {
  const std::string identifier = KeyOfRow(rowIdentifier).identifier;
  return !identifier.empty() && identifier.find('\\') == std::string::npos && identifier != "." &&
         identifier != "..";
}

shared::Status RemoveBhoEntry(const BhoMachine& machine, const BhoEntry& entry, bool withClass) {
  if (!IsSafeIdentifier(entry.Identifier))
    return shared::Status::Error(shared::kErrorInvalidParameter, "\"" + entry.Identifier + "\" names no single key.");
  const BhoKey key = KeyOfRow(entry.Identifier);
  shared::RegistryComponent reg1(machine.registry);
  reg1.RootKey = shared::kHkeyLocalMachine;
  reg1.KeyPath = ObjectKeyPath(key);
  reg1.View = key.view;
  const shared::Status deleted = reg1.DeleteKey();
  if (!deleted.ok() && !deleted.IsNotFound()) return KeyStayed("HKEY_LOCAL_MACHINE", reg1.KeyPath, deleted, key.view);
  if (!withClass) return shared::Status::Ok();

  shared::RegistryComponent reg2(machine.registry);
  const std::string classPath = kClsidPrefix + key.identifier;
  reg2.RootKey = shared::kHkeyClassesRoot;
  reg2.View = key.view;
  reg2.KeyPath = classPath;
  // Only the direct subkeys go; a deeper tree keeps the class key, which is reported below.
  for (const auto& name : reg2.EnumKeys().value_or({})) {
    reg2.KeyPath = classPath + "\\" + name;
    reg2.DeleteKey().IgnoreError();
  }
  reg2.KeyPath = classPath;
  const shared::Status classDeleted = reg2.DeleteKey();
  if (!classDeleted.ok() && !classDeleted.IsNotFound()) return KeyStayed("HKEY_CLASSES_ROOT", classPath, classDeleted, key.view);
  return shared::Status::Ok();
}

namespace {

constexpr shared::StagingRules kBhoRules{
    .errorTogglesLikeEnabled = true,
    .resetToLoaded = true,
};

}  // namespace

BhoStaging::BhoStaging(shared::ListModel& list, BhoMachine& machine)
    : StagedList(list, *this, kBhoRules, machine.files, machine.windowsFolder, kDisabledStoreName),
      list_(list),
      machine_(machine) {}

shared::StagedAction BhoStaging::ActionFor(shared::EntryStatus now, const shared::EntryStatus* before,
                                           shared::ApplyMode mode) const {
  using shared::EntryStatus;
  using shared::StagedAction;
  // A removed object's class registration is gone: it is not brought back or stored until it is
  // registered again and listed anew.
  if (before != nullptr && *before == EntryStatus::kRemove) return StagedAction::kSkip;
  if (now == EntryStatus::kEnabled) return StagedAction::kPutBack;
  if (now == EntryStatus::kDisabled) return StagedAction::kTakeOut;
  if (now == EntryStatus::kRemove && mode == shared::ApplyMode::kApply) return StagedAction::kRemove;
  return StagedAction::kSkip;
}

bool BhoStaging::SameEntry(const shared::EntryRow& row, const shared::EntryRow& record) const {
  return shared::EqualsIgnoreCase(record[BhoEntry::kIdentifier], row[BhoEntry::kIdentifier]);
}

void BhoStaging::ApplyClicked() {
  if (list_.Count() == 0) return;
  if (machine_.prompt.Ask(Text("8518", kApplyQuestionDefault), shared::kMbYesNo | shared::kMbIconQuestion,
                          kConfirmationTitle) != shared::kAnswerYes)
    return;
  if (machine_.system.TopLevelWindowExists("IEFrame") || machine_.system.TopLevelWindowExists("ExploreWClass")) {
    machine_.prompt.Ask(Text("8516"), shared::kMbIconCritical, kAppTitle);
    return;
  }
  // Staged removals leave the list whether or not they worked (Reset All brings them back),
  // unless the apply was stopped before anything changed.
  if (Apply(shared::ApplyMode::kApply)) DropRemovedRows();
}

std::string BhoStaging::ApplyList() {
  collecting_ = true;
  collected_.clear();
  Apply(shared::ApplyMode::kAtStart);
  collecting_ = false;
  return std::move(collected_);
}

bool BhoStaging::Usable(int position, const BhoEntry& entry) {
  if (IsSafeIdentifier(entry.Identifier)) return true;
  Tell(Text("8608", "Row") + " " + std::to_string(position) + " (\"" + entry.Name + "\") " +
           Text("8609", "has no usable identifier") + " (\"" + entry.Identifier + "\")" +
           Text("8610", "; nothing was changed for it."),
       shared::kMbIconCritical);
  return false;
}

bool BhoStaging::TakeOut(int position, const shared::EntryRow& row, bool forGood, shared::ApplyMode mode) {
  const BhoEntry entry = shared::FromRow<BhoEntry>(row);
  if (!Usable(position, entry)) return false;
  if (mode == shared::ApplyMode::kApply && !machine_.system.IsNTAdmin()) {
    Tell(Text(kNoRightsKey) + kHklmPrefix, shared::kMbOk);
    return false;
  }
  // A removal keeps nothing.
  const shared::Status removed = forGood ? RemoveBhoEntry(machine_, entry, true) : DisableBhoEntry(entry);
  if (!removed.ok()) TellRegistryFailure(forGood ? "8604" : "8603", removed);
  return removed.ok();
}

bool BhoStaging::PutBack(int position, const shared::EntryRow& row, shared::ApplyMode mode) {
  const BhoEntry entry = shared::FromRow<BhoEntry>(row);
  if (!Usable(position, entry)) return false;
  // applyList shows a profile: an object whose key is there needs nothing.
  if (mode == shared::ApplyMode::kAtStart) {
    const BhoKey key = KeyOfRow(entry.Identifier);
    shared::RegistryComponent reg1(machine_.registry);
    reg1.RootKey = shared::kHkeyLocalMachine;
    reg1.KeyPath = ObjectKeyPath(key);
    reg1.View = key.view;
    if (reg1.KeyExists()) return true;
  }
  if (const auto restored = RestoreKeptCopy(entry)) return *restored;
  return RestoreBhoEntry(entry);
}

std::optional<shared::KeptIdentity> BhoStaging::KeptAs(const shared::EntryRow& row) const {
  if (!IsSafeIdentifier(row[BhoEntry::kIdentifier])) return std::nullopt;
  return IdentityOf(row[BhoEntry::kIdentifier]);
}

shared::Status BhoStaging::DisableBhoEntry(const BhoEntry& entry) {
  const BhoKey key = KeyOfRow(entry.Identifier);
  const std::string path = ObjectKeyPath(key);
  auto tree = shared::ReadRegistryTree(machine_.registry, shared::kHkeyLocalMachine, path, key.view);
  if (!tree.ok()) {
    if (tree.status().IsNotFound()) return shared::Status::Ok();
    return KeyStayed("HKEY_LOCAL_MACHINE", path, tree.status(), key.view);
  }
  shared::KeptCopies copies = Copies();
  shared::KeptCopy copy{IdentityOf(entry.Identifier), {}};
  shared::AddTreeParts(copy, tree.value());
  if (shared::Status kept = copies.Keep(copy); !kept.ok())
    return shared::Status::Error(kept.code(), copies.PathOf(copy.identity) + ": " + kept.message());
  const shared::Status deleted =
      shared::DeleteRegistryTree(machine_.registry, shared::kHkeyLocalMachine, path, key.view);
  if (deleted.ok()) return deleted;
  // Half a key would start nothing and show as "ERROR": the object stays as it was.
  shared::WriteRegistryTree(machine_.registry, shared::kHkeyLocalMachine, path, tree.value(), key.view).IgnoreError();
  return KeyStayed("HKEY_LOCAL_MACHINE", path, deleted, key.view);
}

std::optional<bool> BhoStaging::RestoreKeptCopy(const BhoEntry& entry) {
  const auto copy = Copies().Find(IdentityOf(entry.Identifier));
  if (!copy) return std::nullopt;
  const auto tree = shared::TreeOfParts(*copy);
  if (!tree || tree->empty() || !tree->front().path.empty()) return std::nullopt;
  if (!machine_.system.IsNTAdmin()) {
    Tell(Text(kNoRightsKey) + kHklmPrefix, shared::kMbIconCritical);
    return false;
  }
  const BhoKey key = KeyOfRow(entry.Identifier);
  const std::string path = ObjectKeyPath(key);
  const shared::Status written =
      shared::WriteRegistryTree(machine_.registry, shared::kHkeyLocalMachine, path, *tree, key.view);
  if (!written.ok()) {
    TellRegistryFailure(kNotEnabledAgainKey, KeyStayed("HKEY_LOCAL_MACHINE", path, written, key.view));
    return false;
  }
  return true;
}

void BhoStaging::StoreNotSaved(const std::string& path, bool nothingChanged, const shared::Status& why) {
  Tell(Text(kStoreNotSavedKey, kStoreNotSavedDefault) + " " + path +
           (nothingChanged ? Text("8606", ", so nothing was changed.") : ".") + kCrLf +
           Text(kDescriptionKey, kDescriptionLabel) + " " + why.message(),
       shared::kMbIconCritical);
}

bool BhoStaging::RestoreBhoEntry(const BhoEntry& entry) {
  const BhoKey key = KeyOfRow(entry.Identifier);
  shared::RegistryComponent reg1(machine_.registry);
  reg1.RootKey = shared::kHkeyLocalMachine;
  reg1.KeyPath = ObjectKeyPath(key);
  reg1.View = key.view;
  const shared::Status created = reg1.CreateKey();
  if (!created.ok()) {
    if (!machine_.system.IsNTAdmin()) Tell(Text(kNoRightsKey) + kHklmPrefix, shared::kMbIconCritical);
    else TellRegistryFailure(kNotEnabledAgainKey, KeyStayed("HKEY_LOCAL_MACHINE", reg1.KeyPath, created, key.view));
    return false;
  }
  // The name goes back where the catalogue reads it: the object's own key.
  return WriteAdminString(reg1, entry.Name);
}

bool BhoStaging::WriteAdminString(shared::RegistryComponent& key, const std::string& data) {
  if (!machine_.system.IsNTAdmin()) {
    Tell(Text(kNoRightsKey) + kHklmPrefix, shared::kMbIconCritical);
    return false;
  }
  key.ValueData = data;
  const shared::Status written = key.SetValue();
  if (!written.ok()) {
    TellRegistryFailure(kNotEnabledAgainKey, written);
    return false;
  }
  return true;
}

void BhoStaging::TellRegistryFailure(const char* key, const shared::Status& failure) {
  Tell(Text(key) + kCrLf + Text(kDescriptionKey, kDescriptionLabel) + " " + failure.message(), shared::kMbOk);
}

void BhoStaging::Tell(const std::string& text, int style) {
  if (collecting_) {
    if (!collected_.empty()) collected_ += std::string(kCrLf) + kCrLf;
    collected_ += text;
    return;
  }
  machine_.prompt.Ask(text, style, kAppTitle);
}

std::string BhoStaging::Text(const char* key, const std::string& defaultText) const {
  return machine_.language.SetCaptionfromINI(key, defaultText);
}

}  // namespace plugwarden
