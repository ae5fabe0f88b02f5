#include "plugwarden/bho_staging.h"

#include "plugwarden/bho_files.h"
#include "shared/text.h"

namespace plugwarden {
namespace {

constexpr char kCrLf[] = "\r\n";
constexpr char kHklmPrefix[] = "HKEY_LOCAL_MACHINE ";

std::string ObjectKeyPath(const std::string& identifier) { return std::string(kBhoKeyPath) + "\\" + identifier; }

bool IsNotFound(const shared::Status& status) {
  return status.code() == shared::kErrorFileNotFound || status.code() == shared::kErrorPathNotFound;
}

// A deletion that left the key in place, naming the key.
shared::Status KeyStayed(const char* root, const std::string& path, const shared::Status& failure) {
  return shared::Status::Error(failure.code(), std::string(root) + "\\" + path + ": " + failure.message());
}

}  // namespace

BhoEntry RowToBhoEntry(const shared::ListModel& list, int position) {
  const auto& row = list.RowAt(position);
  return {row[0], row[1], row[2], row[3], row[4], row[5]};
}

void AddBhoRow(shared::ListModel& list, const BhoEntry& entry) {
  const int position = list.Add(entry.Name);
  list.SetText(position, BhoEntry::kStatus, entry.Status);
  list.SetText(position, BhoEntry::kInformation, entry.Information);
  list.SetText(position, BhoEntry::kVersion, entry.Version);
  list.SetText(position, BhoEntry::kPath, entry.Path);
  list.SetText(position, BhoEntry::kIdentifier, entry.Identifier);
}

bool IsSafeIdentifier(const std::string& identifier) {
  return !identifier.empty() && identifier.find('\\') == std::string::npos && identifier != "." &&
         identifier != "..";
}

shared::Status RemoveBhoEntry(const BhoMachine& machine, const BhoEntry& entry, bool withClass) {
  if (!IsSafeIdentifier(entry.Identifier))
    return shared::Status::Error(shared::kErrorInvalidParameter, "\"" + entry.Identifier + "\" names no single key.");
  shared::RegistryComponent& reg1 = machine.reg1;
  reg1.RootKey = shared::kHkeyLocalMachine;
  reg1.KeyPath = ObjectKeyPath(entry.Identifier);
  const shared::Status deleted = reg1.DeleteKey();
  if (!deleted.ok() && !IsNotFound(deleted)) return KeyStayed("HKEY_LOCAL_MACHINE", reg1.KeyPath, deleted);
  if (!withClass) return shared::Status::Ok();

  shared::RegistryComponent& reg2 = machine.reg2;
  const std::string classPath = kClsidPrefix + entry.Identifier;
  reg2.RootKey = shared::kHkeyClassesRoot;
  reg2.KeyPath = classPath;
  // Only the direct subkeys go; a deeper tree keeps the class key, which is reported below.
  for (const auto& name : reg2.EnumKeys().value_or({})) {
    reg2.KeyPath = classPath + "\\" + name;
    reg2.DeleteKey().IgnoreError();
  }
  reg2.KeyPath = classPath;
  const shared::Status classDeleted = reg2.DeleteKey();
  if (!classDeleted.ok() && !IsNotFound(classDeleted)) return KeyStayed("HKEY_CLASSES_ROOT", classPath, classDeleted);
  return shared::Status::Ok();
}

void BhoStaging::SetCaptions(std::string disableCaption, std::string enableCaption) {
  disableCaption_ = std::move(disableCaption);
  enableCaption_ = std::move(enableCaption);
  disableButtonCaption_ = disableCaption_;
}

void BhoStaging::BuildTables() {
  applied_.clear();
  loaded_.clear();
  links_.clear();
  for (int position = 1; position <= list_.Count(); ++position) {
    applied_.push_back(RowToBhoEntry(list_, position));
    links_.push_back(position - 1);
  }
  loaded_ = applied_;
}

int BhoStaging::RecordOf(int position) const {
  if (position < 1 || position > static_cast<int>(links_.size())) return -1;
  return links_[position - 1];
}

void BhoStaging::SelectRow(int position) {
  if (list_.Count() == 0) return;
  list_.Select(position);
  const std::string& status = list_.Text(list_.Selected(), BhoEntry::kStatus);
  disableButtonCaption_ = status == kStatusError || status == kStatusEnabled ? disableCaption_ : enableCaption_;
  removeEnabled_ = true;
}

void BhoStaging::DisableClicked() {
  const int position = list_.Selected();
  if (position == 0) return;
  const std::string status = list_.Text(position, BhoEntry::kStatus);
  if (status == kStatusError || status == kStatusEnabled) {
    list_.SetText(position, BhoEntry::kStatus, kStatusDisabled);
    disableButtonCaption_ = enableCaption_;
  } else {
    list_.SetText(position, BhoEntry::kStatus, kStatusEnabled);
    disableButtonCaption_ = disableCaption_;
  }
  removeEnabled_ = true;
}

void BhoStaging::RemoveClicked() {
  const int position = list_.Selected();
  if (position == 0) return;
  list_.SetText(position, BhoEntry::kStatus, kStatusRemove);
  removeEnabled_ = false;
}

void BhoStaging::ResetAllClicked() {
  list_.Clear();
  links_.clear();
  for (std::size_t i = 0; i < loaded_.size(); ++i) {
    AddBhoRow(list_, loaded_[i]);
    links_.push_back(static_cast<int>(i));
  }
}

void BhoStaging::ReplaceRows(const std::vector<BhoEntry>& rows) {
  list_.Clear();
  links_.clear();
  std::vector<bool> taken(applied_.size(), false);
  for (const auto& row : rows) {
    AddBhoRow(list_, row);
    int link = -1;
    for (std::size_t i = 0; i < applied_.size(); ++i) {
      if (!taken[i] && shared::EqualsIgnoreCase(applied_[i].Identifier, row.Identifier)) {
        link = static_cast<int>(i);
        taken[i] = true;
        break;
      }
    }
    links_.push_back(link);
  }
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
  ApplyRows(Mode::kApply);
  // Staged removals leave the list whether or not they worked; Reset All brings them back.
  for (int position = list_.Count(); position >= 1; --position) {
    if (list_.Text(position, BhoEntry::kStatus) != kStatusRemove) continue;
    list_.Remove(position);
    if (position <= static_cast<int>(links_.size())) links_.erase(links_.begin() + (position - 1));
  }
}

std::string BhoStaging::ApplyList() {
  collecting_ = true;
  collected_.clear();
  ApplyRows(Mode::kApplyList);
  collecting_ = false;
  return std::move(collected_);
}

shared::Status BhoStaging::SaveStore() const {
  return SaveDisabledStore(machine_.files, machine_.windowsFolder, applied_);
}

void BhoStaging::ApplyRows(Mode mode) {
  std::vector<Step> steps;
  bool deletes = false;
  for (int position = 1; position <= list_.Count(); ++position) {
    const std::string& status = list_.Text(position, BhoEntry::kStatus);
    const int record = RecordOf(position);
    if (mode == Mode::kApply) {
      if (record >= 0 && status == applied_[record].Status) continue;
      if (status != kStatusRemove && status != kStatusDisabled && status != kStatusEnabled) continue;
    } else if (status != kStatusDisabled && status != kStatusEnabled) {
      continue;
    }
    steps.push_back({position, status});
    if (status != kStatusEnabled) deletes = true;
  }
  if (steps.empty()) return;

  // The store is the only trace of a disabled object: it must know about every key this apply
  // deletes before the first one goes.
  if (deletes) {
    const shared::Status saved = SaveDisabledStore(machine_.files, machine_.windowsFolder, PlannedDisabled(steps));
    if (!saved.ok()) {
      Tell("The list of disabled objects could not be saved to " + DisabledStorePath(machine_.windowsFolder) +
               ", so nothing was changed." + kCrLf + "Describition: " + saved.message(),
           shared::kMbIconCritical);
      return;
    }
  }

  for (const Step& step : steps) {
    const BhoEntry entry = RowToBhoEntry(list_, step.position);
    if (!IsSafeIdentifier(entry.Identifier)) {
      Tell("Row " + std::to_string(step.position) + " (\"" + entry.Name + "\") has no usable identifier (\"" +
               entry.Identifier + "\"); nothing was changed for it.",
           shared::kMbIconCritical);
      continue;
    }
    if (step.status == kStatusEnabled) {
      // applyList shows a profile: an object whose key is there needs nothing.
      if (mode == Mode::kApplyList) {
        machine_.reg1.RootKey = shared::kHkeyLocalMachine;
        machine_.reg1.KeyPath = ObjectKeyPath(entry.Identifier);
        if (machine_.reg1.KeyExists()) {
          SetApplied(step.position, entry, kStatusEnabled);
          continue;
        }
      }
      if (RestoreBhoEntry(entry)) SetApplied(step.position, entry, kStatusEnabled);
      continue;
    }
    if (mode == Mode::kApply && !machine_.system.IsNTAdmin()) {
      Tell(Text("8515") + kHklmPrefix, shared::kMbOk);
      continue;
    }
    const bool withClass = step.status == kStatusRemove;
    const shared::Status removed = RemoveBhoEntry(machine_, entry, withClass);
    if (!removed.ok()) {
      TellRegistryFailure(removed);
      continue;
    }
    // A removal keeps its record as it was: Reset All then shows the object as it was at load.
    if (!withClass) SetApplied(step.position, entry, kStatusDisabled);
  }

  const shared::Status saved = SaveStore();
  if (!saved.ok()) {
    Tell("The list of disabled objects could not be saved to " + DisabledStorePath(machine_.windowsFolder) + "." +
             kCrLf + "Describition: " + saved.message(),
         shared::kMbIconCritical);
  }
}

std::vector<BhoEntry> BhoStaging::PlannedDisabled(const std::vector<Step>& steps) const {
  std::vector<BhoEntry> planned = applied_;
  for (const Step& step : steps) {
    if (step.status == kStatusRemove) continue;
    const int record = RecordOf(step.position);
    if (record >= 0) {
      planned[record].Status = step.status;
    } else {
      BhoEntry entry = RowToBhoEntry(list_, step.position);
      entry.Status = step.status;
      planned.push_back(std::move(entry));
    }
  }
  return planned;
}

void BhoStaging::SetApplied(int position, const BhoEntry& entry, const std::string& status) {
  const int record = RecordOf(position);
  if (record >= 0) {
    applied_[record].Status = status;
    return;
  }
  // A row without a record of its own gets one, so the store and the next Apply see it.
  BhoEntry added = entry;
  added.Status = status;
  applied_.push_back(std::move(added));
  if (static_cast<int>(links_.size()) < position) links_.resize(position, -1);
  links_[position - 1] = static_cast<int>(applied_.size()) - 1;
}

bool BhoStaging::RestoreBhoEntry(const BhoEntry& entry) {
  shared::RegistryComponent& reg1 = machine_.reg1;
  reg1.RootKey = shared::kHkeyLocalMachine;
  reg1.KeyPath = ObjectKeyPath(entry.Identifier);
  const shared::Status created = reg1.CreateKey();
  if (!created.ok()) {
    if (!machine_.system.IsNTAdmin()) Tell(Text("8515") + kHklmPrefix, shared::kMbIconCritical);
    else TellRegistryFailure(KeyStayed("HKEY_LOCAL_MACHINE", reg1.KeyPath, created));
    return false;
  }
  // The name goes back where the catalogue reads it: the object's own key.
  return WriteAdminString(shared::kHkeyLocalMachine, reg1.KeyPath, "", entry.Name);
}

bool BhoStaging::WriteAdminString(shared::RegRoot root, const std::string& keyPath, const std::string& valueName,
                                  const std::string& data) {
  if (!machine_.system.IsNTAdmin()) {
    Tell(Text("8515") + kHklmPrefix, shared::kMbIconCritical);
    return false;
  }
  shared::RegistryComponent& reg1 = machine_.reg1;
  reg1.RootKey = root;
  reg1.KeyPath = keyPath;
  reg1.ValueName = valueName;
  reg1.ValueData = data;
  const shared::Status written = reg1.SetValue();
  if (!written.ok()) {
    TellRegistryFailure(written);
    return false;
  }
  return true;
}

void BhoStaging::TellRegistryFailure(const shared::Status& failure) {
  Tell(Text("8514") + kCrLf + "Describition: " + failure.message(), shared::kMbOk);
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
