#pragma once
// Plugwarden's part of staging and apply (shared/staged_list.h does the rest): an object leaves
// by its keys being deleted and comes back by its key being written again with its name.
#include <optional>

#include "plugwarden/bho_catalogue.h"
#include "shared/language_pack.h"
#include "shared/prompt_port.h"
#include "shared/system_port.h"

namespace plugwarden {

inline constexpr char kAppTitle[] = "Plugwarden";
// Texts more than one place looks up: their pack numbers and defaults. A lookup drops a trailing
// blank, so the blank before what follows is the code's.
inline constexpr char kDescriptionKey[] = "8607";
inline constexpr char kDescriptionLabel[] = "Describition:";
inline constexpr char kStoreNotSavedKey[] = "8605";
inline constexpr char kStoreNotSavedDefault[] = "The list of disabled objects could not be saved to";
inline constexpr char kNoRightsKey[] = "8515";
inline constexpr char kNotEnabledAgainKey[] = "8514";
inline constexpr char kConfirmationTitle[] = "Confirmation";
inline constexpr char kApplyQuestionDefault[] = "Are you sure you want to apply these changes?";
inline constexpr char kClsidPrefix[] = "CLSID\\";

// What staging and apply change and ask.
struct BhoMachine {
  shared::RegistryPort& registry;
  shared::SystemPort& system;
  shared::PromptPort& prompt;
  shared::LanguagePack& language;
  shared::FileSystemPort& files;
  shared::WindowsFolderPort& windowsFolder;
};

// A row identifier that names exactly one key below the Browser Helper Objects key and below
// CLSID (of its view): anything else could make a deletion walk a parent key.
bool IsSafeIdentifier(const std::string& rowIdentifier);

// Deletes the object's key; with withClass also the direct subkeys of its class key and then
// that key. A key that is not there is fine; one that stays is a failure naming the key. The
// class registration is left alone when the object's key could not be deleted.
shared::Status RemoveBhoEntry(const BhoMachine& machine, const BhoEntry& entry, bool withClass);

class BhoStaging : private shared::StagingPolicy, public shared::StagedList {
 public:
  BhoStaging(shared::ListModel& list, BhoMachine& machine);

  // Builds AppliedEntries and the rows Reset All brings back from the rows now in the list.
  void BuildTables() { Adopt(); }
  std::vector<BhoEntry> AppliedEntries() const { return shared::FromRows<BhoEntry>(Records()); }

  void ApplyClicked();
  // applyList: applies every "Disabled" and "Enabled" row without asking. What went wrong comes
  // back as one text ("" when nothing did), to be shown once the window is up.
  std::string ApplyList();

  // A profile load: the rows are replaced; each new row is linked to a not yet linked record
  // of the same object, if there is one. The tables stay as they are.
  void ReplaceRows(const std::vector<BhoEntry>& rows) { StagedList::ReplaceRows(shared::ToRows(rows)); }

  // The start-up profile could not be read: this run must not replace it.
  void KeepStartProfile() { startProfileKept_ = true; }
  bool StartProfileKept() const { return startProfileKept_; }

 private:
  shared::StagedAction ActionFor(shared::EntryStatus now, const shared::EntryStatus* before,
                                 shared::ApplyMode mode) const override;
  bool SameEntry(const shared::EntryRow& row, const shared::EntryRow& record) const override;
  std::optional<shared::KeptIdentity> KeptAs(const shared::EntryRow& row) const override;
  std::string Refusal(const shared::EntryRow&, shared::StagedAction) const override { return {}; }
  bool TakeOut(int position, const shared::EntryRow& row, bool forGood, shared::ApplyMode mode) override;
  bool PutBack(int position, const shared::EntryRow& row, shared::ApplyMode mode) override;
  void Tell(const std::string& text) override { Tell(text, shared::kMbIconCritical); }
  void StoreNotSaved(const std::string& path, bool nothingChanged, const shared::Status& why) override;

  void Tell(const std::string& text, int style);
  // key: what could not be done (8603 disable, 8604 remove, 8514 enable again).
  void TellRegistryFailure(const char* key, const shared::Status& failure);
  bool Usable(int position, const BhoEntry& entry);
  bool RestoreBhoEntry(const BhoEntry& entry);
  // Disable: the object's key is kept whole, then deleted with everything below it; what a
  // failed deletion took is written back from the copy.
  shared::Status DisableBhoEntry(const BhoEntry& entry);
  // Enable from the kept copy: nothing when there is none that fits (the row's name is written
  // then), otherwise whether the key is back exactly as it was kept.
  std::optional<bool> RestoreKeptCopy(const BhoEntry& entry);
  // Writes data as the default value of the key the component names (ValueName "").
  bool WriteAdminString(shared::RegistryComponent& key, const std::string& data);
  std::string Text(const char* key, const std::string& defaultText = {}) const;

  shared::ListModel& list_;
  BhoMachine& machine_;
  bool collecting_ = false;
  bool startProfileKept_ = false;
  std::string collected_;
};

}  // namespace plugwarden
