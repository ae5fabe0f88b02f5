#pragma once
// The staging engine both main windows share. The buttons only rewrite a row's status; Apply
// carries out the difference between each row and the record of what was last applied for it,
// and keeps the disabled-entry store (the only trace of an entry taken out of its location)
// written before the first entry goes and right after. Each program supplies a StagingPolicy:
// how an entry is taken out of its location and put back, which rows are safe to act on, and
// its texts. Status is an enum here; the words exist only in rows and files.
#include <string>
#include <vector>

#include "shared/entry_file.h"
#include "shared/file_system_port.h"
#include "shared/kept_copies.h"
#include "shared/list_model.h"
#include "shared/status.h"
#include "shared/windows_folder_port.h"

namespace shared {

enum class EntryStatus { kEnabled, kDisabled, kRemove, kError, kSwitchedOff, kUnknown };

// The words rows and files carry, compared exactly.
inline constexpr char kStatusEnabled[] = "Enabled";
inline constexpr char kStatusDisabled[] = "Disabled";
inline constexpr char kStatusRemove[] = "Remove";
inline constexpr char kStatusError[] = "ERROR";
// In its location, but switched off by the system's own start-up settings, so it does not start.
inline constexpr char kStatusSwitchedOff[] = "Switched Off";

// kUnknown for any other word (files are input).
EntryStatus StatusOf(const std::string& word);

// A row of the list, a record of the applied state and a record of an entry file are one shape:
// six texts in field order, the status second.
using EntryRow = ListModel::Row;
static_assert(std::is_same_v<EntryRow, EntryFields>);
inline constexpr int kStatusField = 1;

// A program's entry: a struct of six texts, with a function beside it that names them in field
// order: constexpr std::array<std::string E::*, 6> FieldsOf(const E*).
template <typename Entry>
EntryRow ToRow(const Entry& entry) {
  constexpr auto fields = FieldsOf(static_cast<const Entry*>(nullptr));
  EntryRow row;
  for (std::size_t i = 0; i < row.size(); ++i) row[i] = entry.*fields[i];
  return row;
}

template <typename Entry>
Entry FromRow(const EntryRow& row) {
  constexpr auto fields = FieldsOf(static_cast<const Entry*>(nullptr));
  Entry entry;
  for (std::size_t i = 0; i < row.size(); ++i) entry.*fields[i] = row[i];
  return entry;
}

template <typename Entry>
std::vector<EntryRow> ToRows(const std::vector<Entry>& entries) {
  std::vector<EntryRow> rows;
  rows.reserve(entries.size());
  for (const auto& entry : entries) rows.push_back(ToRow(entry));
  return rows;
}

template <typename Entry>
std::vector<Entry> FromRows(const std::vector<EntryRow>& rows) {
  std::vector<Entry> entries;
  entries.reserve(rows.size());
  for (const auto& row : rows) entries.push_back(FromRow<Entry>(row));
  return entries;
}

void AppendRow(ListModel& list, const EntryRow& row);
std::vector<EntryRow> RowsOf(const ListModel& list);

// The Windows folder's file of that name.
std::string WindowsFolderFile(WindowsFolderPort& windowsFolder, const char* fileName);
// Appends the file's rows with the status they were written with; a missing file appends
// nothing, one that cannot be read appends nothing and says why.
Status AppendEntryFileRows(FileSystemPort& files, const std::string& path, ListModel& list);

enum class ApplyMode {
  kApply,    // the user's Apply: each row against its record
  kAtStart,  // a start-up profile shown as applied: every "Enabled" and "Disabled" row carried out
};

enum class StagedAction {
  kSkip,     // not a step of this apply
  kNone,     // nothing to change out there; the record takes the row's status
  kTakeOut,  // out of its location, into the store
  kRemove,   // out of its location for good
  kPutBack,  // back into its location
};

// What differs between the programs.
class StagingPolicy {
 public:
  virtual ~StagingPolicy() = default;
  // The step for a row whose status is now `now`; `before` is its record's, null for a row
  // without a record. Rows whose word equals their record's are no step in kApply.
  virtual StagedAction ActionFor(EntryStatus now, const EntryStatus* before, ApplyMode mode) const = 0;
  // Whether a profile's row stands for that record.
  virtual bool SameEntry(const EntryRow& row, const EntryRow& record) const = 0;
  // Why the row must not be acted on ("" when it may), asked before anything changes.
  virtual std::string Refusal(const EntryRow& row, StagedAction action) const = 0;
  // Why the whole apply must not start ("" when it may), given the rows it would change out
  // there; told once, and every row keeps its staged status.
  virtual std::string ApplyRefusal(const std::vector<EntryRow>& changing, ApplyMode mode) const {
    (void)changing, (void)mode;
    return {};
  }
  // Whose kept copy the row's entry has, if entries of its kind keep one: the copies of the
  // identities the store no longer holds are deleted whenever the store is saved.
  virtual std::optional<KeptIdentity> KeptAs(const EntryRow& row) const {
    (void)row;
    return std::nullopt;
  }
  // Carry a step out; a failure is told by the policy in its own words. True when done.
  virtual bool TakeOut(int position, const EntryRow& row, bool forGood, ApplyMode mode) = 0;
  virtual bool PutBack(int position, const EntryRow& row, ApplyMode mode) = 0;
  virtual void Tell(const std::string& text) = 0;
  // The store could not be written: before anything changed (so nothing did) or after.
  virtual void StoreNotSaved(const std::string& path, bool nothingChanged, const Status& why) = 0;
};

// Where the programs still part ways; each is a behaviour the user sees.
struct StagingRules {
  // An "ERROR" row toggles like an "Enabled" one.
  bool errorTogglesLikeEnabled = false;
  // Selecting a row staged "Remove" disables "&Remove".
  bool removeDisabledOnRemoveRow = false;
  // Reset All shows the rows as loaded rather than as last applied.
  bool resetToLoaded = false;
  // The store holds the "Disabled" rows and the disabled records no row stands for, rather than
  // the disabled records.
  bool storeFromRows = false;
  // A failed or refused step puts the row's status back to its record's.
  bool revertFailedRows = false;
  // Apply takes rows staged "Remove" out of the list with their records once it has worked;
  // otherwise the caller takes them out (DropRemovedRows) and the records stay.
  bool applyDropsRemovedRows = false;
};

class StagedList {
 public:
  StagedList(ListModel& list, StagingPolicy& policy, StagingRules rules, FileSystemPort& files,
             WindowsFolderPort& windowsFolder, const char* storeName);

  // The Disable and Enable texts of the button.
  void SetCaptions(std::string disableCaption, std::string enableCaption);
  const std::string& EnableCaption() const { return enableCaption_; }
  const std::string& DisableButtonCaption() const { return disableButtonCaption_; }
  bool RemoveEnabled() const { return removeEnabled_; }

  // The rows now in the list become the applied state, each linked to its own record.
  void Adopt();
  const std::vector<EntryRow>& Records() const { return records_; }
  // The record index of the row, -1 for a row without one.
  int RecordOf(int position) const;

  void SelectRow(int position);
  void DisableClicked();
  void RemoveClicked();
  void ResetAllClicked();
  // A profile load: the rows are replaced, each linked to a not yet linked record the policy
  // calls the same entry; the records stay as they are.
  void ReplaceRows(const std::vector<EntryRow>& rows);

  // False when it was stopped before anything changed (the store could not be written or read,
  // or the policy refused the apply as a whole).
  bool Apply(ApplyMode mode);
  // Rows staged "Remove" leave the list; their records stay (Reset All brings them back).
  void DropRemovedRows();

  std::string StorePath() const;
  // Appends the store's rows; with onlyUnlisted only those no row already stands for. A store
  // that cannot be read (another program holds it) is the only trace of its entries: from then
  // on nothing rewrites or deletes it, and Apply is stopped.
  Status LoadStore(bool onlyUnlisted = false);
  // The same for a store whose entries may be in a file that could not be read.
  void LeaveStoreAsIs(const Status& why) { storeUnread_ = why; }
  bool StoreUnread() const { return !storeUnread_.ok(); }
  // What the store must hold now: every entry whose applied state is "Disabled", whatever its
  // row says; with storeFromRows also the rows staged "Disabled".
  std::vector<EntryRow> StoreRows() const;
  // Rewrites the store from StoreRows, or deletes it when there is nothing to keep, then deletes
  // the kept copies of entries it no longer holds; an unread store and the copies are left as
  // they are.
  Status SaveStore() const;
  // The kept copies, in a folder beside the store.
  KeptCopies Copies() const { return KeptCopies(files_, KeptCopiesFolderOf(StorePath())); }

 private:
  struct Step {
    int position;
    int record;
    StagedAction action;
  };
  bool TogglesOff(EntryStatus status) const;
  void SetStatus(int position, const std::string& word) { list_.SetText(position, kStatusField, word); }
  // The store as it will be once every step has worked.
  std::vector<EntryRow> PlannedStore(const std::vector<Step>& steps) const;
  Status WriteStore(std::vector<EntryRow> rows) const;
  void SetApplied(int position);
  void EraseRow(int position, bool withRecord);

  ListModel& list_;
  StagingPolicy& policy_;
  StagingRules rules_;
  FileSystemPort& files_;
  WindowsFolderPort& windowsFolder_;
  const char* storeName_;
  std::vector<EntryRow> records_;
  std::vector<EntryRow> loaded_;
  std::vector<int> links_;  // per row position - 1; may be shorter than the list
  std::string disableCaption_;
  std::string enableCaption_;
  std::string disableButtonCaption_;
  bool removeEnabled_ = true;
  Status storeUnread_ = Status::Ok();
};

}  // namespace shared
