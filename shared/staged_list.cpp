#include "shared/staged_list.h"

#include <algorithm>

namespace shared {

EntryStatus StatusOf(const std::string& word) {
  if (word == kStatusEnabled) return EntryStatus::kEnabled;
  if (word == kStatusDisabled) return EntryStatus::kDisabled;
  if (word == kStatusRemove) return EntryStatus::kRemove;
  if (word == kStatusError) return EntryStatus::kError;
  if (word == kStatusSwitchedOff) return EntryStatus::kSwitchedOff;
  return EntryStatus::kUnknown;
}

void AppendRow(ListModel& list, const EntryRow& row) {
  const int position = list.Add(row[0]);
  for (int column = 1; column < ListModel::kColumns; ++column) list.SetText(position, column, row[column]);
}

std::vector<EntryRow> RowsOf(const ListModel& list) {
  std::vector<EntryRow> rows;
  rows.reserve(list.Count());
  for (int position = 1; position <= list.Count(); ++position) rows.push_back(list.RowAt(position));
  return rows;
}

std::string WindowsFolderFile(WindowsFolderPort& windowsFolder, const char* fileName) {
  return GetWinDir(windowsFolder) + "\\" + fileName;
}

Status AppendEntryFileRows(FileSystemPort& files, const std::string& path, ListModel& list) {
  auto rows = ReadEntryFile(files, path);
  if (!rows.ok()) return rows.status();
  for (const auto& row : rows.value()) AppendRow(list, row);
  return Status::Ok();
}

StagedList::StagedList(ListModel& list, StagingPolicy& policy, StagingRules rules, FileSystemPort& files,
                       WindowsFolderPort& windowsFolder, const char* storeName)
    : list_(list),
      policy_(policy),
      rules_(rules),
      files_(files),
      windowsFolder_(windowsFolder),
      storeName_(storeName) {}

void StagedList::SetCaptions(std::string disableCaption, std::string enableCaption) {
  disableCaption_ = std::move(disableCaption);
  enableCaption_ = std::move(enableCaption);
  disableButtonCaption_ = disableCaption_;
}

void StagedList::Adopt() {
  records_ = RowsOf(list_);
  links_.clear();
  for (std::size_t i = 0; i < records_.size(); ++i) links_.push_back(static_cast<int>(i));
  if (rules_.resetToLoaded) loaded_ = records_;
}

int StagedList::RecordOf(int position) const {
  if (position < 1 || position > static_cast<int>(links_.size()) || position > list_.Count()) return -1;
  return links_[position - 1];
}

bool StagedList::TogglesOff(EntryStatus status) const {
  return status == EntryStatus::kEnabled || (rules_.errorTogglesLikeEnabled && status == EntryStatus::kError);
}

void StagedList::SelectRow(int position) {
  if (list_.Count() == 0) return;
  list_.Select(position);
  const EntryStatus status = StatusOf(list_.Text(list_.Selected(), kStatusField));
  disableButtonCaption_ = TogglesOff(status) ? disableCaption_ : enableCaption_;
  removeEnabled_ = !rules_.removeDisabledOnRemoveRow || status != EntryStatus::kRemove;
}

void StagedList::DisableClicked() {
  const int position = list_.Selected();
  if (position == 0) return;
  if (TogglesOff(StatusOf(list_.Text(position, kStatusField)))) {
    SetStatus(position, kStatusDisabled);
    disableButtonCaption_ = enableCaption_;
  } else {
    SetStatus(position, kStatusEnabled);
    disableButtonCaption_ = disableCaption_;
  }
  removeEnabled_ = true;
}

void StagedList::RemoveClicked() {
  const int position = list_.Selected();
  if (position == 0) return;
  SetStatus(position, kStatusRemove);
  removeEnabled_ = false;
}

void StagedList::ResetAllClicked() {
  const std::vector<EntryRow>& rows = rules_.resetToLoaded ? loaded_ : records_;
  list_.Clear();
  links_.clear();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    AppendRow(list_, rows[i]);
    links_.push_back(static_cast<int>(i));
  }
}

void StagedList::ReplaceRows(const std::vector<EntryRow>& rows) {
  list_.Clear();
  links_.clear();
  std::vector<bool> taken(records_.size(), false);
  for (const auto& row : rows) {
    AppendRow(list_, row);
    int link = -1;
    for (std::size_t i = 0; i < records_.size(); ++i) {
      if (!taken[i] && policy_.SameEntry(row, records_[i])) {
        link = static_cast<int>(i);
        taken[i] = true;
        break;
      }
    }
    links_.push_back(link);
  }
}

bool StagedList::Apply(ApplyMode mode) {
  if (StoreUnread()) {
    policy_.StoreNotSaved(StorePath(), true, storeUnread_);
    return false;
  }
  std::vector<Step> steps;
  bool removals = false;
  for (int position = 1; position <= list_.Count(); ++position) {
    const std::string& word = list_.Text(position, kStatusField);
    const int record = RecordOf(position);
    if (word == kStatusRemove) removals = true;
    if (mode == ApplyMode::kApply && record >= 0 && word == records_[record][kStatusField]) continue;
    EntryStatus before = EntryStatus::kUnknown;
    if (record >= 0) before = StatusOf(records_[record][kStatusField]);
    const StagedAction action = policy_.ActionFor(StatusOf(word), record >= 0 ? &before : nullptr, mode);
    if (action != StagedAction::kSkip) steps.push_back({position, record, action});
  }
  const bool dropsRows = rules_.applyDropsRemovedRows && removals;
  if (steps.empty() && !dropsRows) return true;

  std::vector<EntryRow> changing;
  for (const Step& step : steps) {
    if (step.action != StagedAction::kNone) changing.push_back(list_.RowAt(step.position));
  }
  const std::string stopped = policy_.ApplyRefusal(changing, mode);
  if (!stopped.empty()) {
    policy_.Tell(stopped);
    return false;
  }

  // Rows from files are input: what must not be acted on is refused before anything changes.
  for (auto step = steps.begin(); step != steps.end();) {
    const std::string refusal = policy_.Refusal(list_.RowAt(step->position), step->action);
    if (refusal.empty()) {
      ++step;
      continue;
    }
    policy_.Tell(refusal);
    if (rules_.revertFailedRows && step->record >= 0) SetStatus(step->position, records_[step->record][kStatusField]);
    step = steps.erase(step);
  }

  // The store is the only trace of a disabled entry: it must know about every entry this apply
  // takes out before the first one goes.
  const bool takesOut = std::any_of(steps.begin(), steps.end(), [](const Step& step) {
    return step.action == StagedAction::kTakeOut || step.action == StagedAction::kRemove;
  });
  if (takesOut) {
    const Status saved = rules_.storeFromRows ? SaveStore() : WriteStore(PlannedStore(steps));
    if (!saved.ok()) {
      policy_.StoreNotSaved(StorePath(), true, saved);
      return false;
    }
  }

  for (const Step& step : steps) {
    const EntryRow row = list_.RowAt(step.position);
    bool done = true;
    if (step.action == StagedAction::kTakeOut || step.action == StagedAction::kRemove)
      done = policy_.TakeOut(step.position, row, step.action == StagedAction::kRemove, mode);
    else if (step.action == StagedAction::kPutBack)
      done = policy_.PutBack(step.position, row, mode);
    if (!done) {
      if (rules_.revertFailedRows && step.record >= 0) SetStatus(step.position, records_[step.record][kStatusField]);
      continue;
    }
    // A removed entry's record says so, or the store would keep it "Disabled".
    SetApplied(step.position);
  }

  if (dropsRows) {
    for (int position = list_.Count(); position >= 1; --position) {
      if (list_.Text(position, kStatusField) == kStatusRemove) EraseRow(position, true);
    }
  }

  const Status saved = SaveStore();
  if (!saved.ok()) policy_.StoreNotSaved(StorePath(), false, saved);
  return true;
}

void StagedList::DropRemovedRows() {
  for (int position = list_.Count(); position >= 1; --position) {
    if (list_.Text(position, kStatusField) == kStatusRemove) EraseRow(position, false);
  }
}

std::vector<EntryRow> StagedList::PlannedStore(const std::vector<Step>& steps) const {
  std::vector<EntryRow> planned = records_;
  for (const Step& step : steps) {
    const EntryRow& row = list_.RowAt(step.position);
    if (StatusOf(row[kStatusField]) == EntryStatus::kRemove) continue;
    if (step.record >= 0) planned[step.record][kStatusField] = row[kStatusField];
    else planned.push_back(row);
  }
  return planned;
}

void StagedList::SetApplied(int position) {
  const EntryRow& row = list_.RowAt(position);
  const int record = RecordOf(position);
  if (record >= 0) {
    records_[record][kStatusField] = row[kStatusField];
    return;
  }
  // A row without a record of its own gets one, so the store and the next Apply see it.
  records_.push_back(row);
  if (static_cast<int>(links_.size()) < position) links_.resize(position, -1);
  links_[position - 1] = static_cast<int>(records_.size()) - 1;
}

void StagedList::EraseRow(int position, bool withRecord) {
  const int record = RecordOf(position);
  if (withRecord && record >= 0) {
    records_.erase(records_.begin() + record);
    for (int& link : links_) {
      if (link > record) --link;
    }
  }
  if (position <= static_cast<int>(links_.size())) links_.erase(links_.begin() + (position - 1));
  list_.Remove(position);
}

std::string StagedList::StorePath() const { return WindowsFolderFile(windowsFolder_, storeName_); }

Status StagedList::LoadStore(bool onlyUnlisted) {
  auto rows = ReadEntryFile(files_, StorePath());
  if (!rows.ok()) {
    LeaveStoreAsIs(Status::Error(rows.status().code(), rows.status().message() + " (" + StorePath() +
                                                           " could not be read at start and is left as it is)"));
    return rows.status();
  }
  // Rows are compared with the list only when asked to: a long store over a long list would
  // otherwise cost a comparison per pair at every start.
  const std::vector<EntryRow> listed = onlyUnlisted ? RowsOf(list_) : std::vector<EntryRow>{};
  for (const auto& row : rows.value()) {
    const bool shown = std::any_of(listed.begin(), listed.end(),
                                   [&](const EntryRow& other) { return policy_.SameEntry(other, row); });
    if (!shown) AppendRow(list_, row);
  }
  return Status::Ok();
}

std::vector<EntryRow> StagedList::StoreRows() const {
  std::vector<EntryRow> rows = rules_.storeFromRows ? RowsOf(list_) : records_;
  std::erase_if(rows, [](const EntryRow& row) { return row[kStatusField] != kStatusDisabled; });
  if (!rules_.storeFromRows) return rows;
  // The rows say what is staged; an applied "Disabled" entry no "Disabled" row stands for (staged
  // "Enabled" or "Remove", or gone with a profile load) is still out of its location.
  std::vector<bool> shown(records_.size(), false);
  for (int position = 1; position <= list_.Count(); ++position) {
    const int record = RecordOf(position);
    if (record >= 0 && list_.Text(position, kStatusField) == kStatusDisabled) shown[record] = true;
  }
  for (std::size_t i = 0; i < records_.size(); ++i) {
    if (!shown[i] && records_[i][kStatusField] == kStatusDisabled) rows.push_back(records_[i]);
  }
  return rows;
}

Status StagedList::SaveStore() const {
  if (StoreUnread()) return Status::Ok();
  const std::vector<EntryRow> rows = StoreRows();
  const Status written = WriteStore(rows);
  // Only once the store stands without them: until then the old store may still need them.
  if (written.ok()) {
    std::vector<KeptIdentity> kept;
    for (const auto& row : rows) {
      if (auto identity = policy_.KeptAs(row)) kept.push_back(std::move(*identity));
    }
    Copies().KeepOnly(kept);
  }
  return written;
}

Status StagedList::WriteStore(std::vector<EntryRow> rows) const {
  std::erase_if(rows, [](const EntryRow& row) { return row[kStatusField] != kStatusDisabled; });
  const std::string path = StorePath();
  if (rows.empty()) return RemoveFileIfPresent(files_, path);
  return WriteEntryFile(files_, rows, path);
}

}  // namespace shared
