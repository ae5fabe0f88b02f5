#pragma once
// Staging and apply: the buttons only rewrite a row's status; Apply carries out the difference
// between each row and the record of what was last applied for it.
#include <string>
#include <vector>

#include "plugwarden/bho_catalogue.h"
#include "shared/file_system_port.h"
#include "shared/language_pack.h"
#include "shared/list_model.h"
#include "shared/prompt_port.h"
#include "shared/registry_store.h"
#include "shared/system_port.h"
#include "shared/windows_folder_port.h"

namespace plugwarden {

inline constexpr char kAppTitle[] = "Plugwarden";
inline constexpr char kConfirmationTitle[] = "Confirmation";
inline constexpr char kApplyQuestionDefault[] = "Are you sure you want to apply these changes?";
inline constexpr char kClsidPrefix[] = "CLSID\\";

// What staging and apply change and ask.
struct BhoMachine {
  shared::RegistryComponent& reg1;  // the Browser Helper Objects key
  shared::RegistryComponent& reg2;  // the class registrations
  shared::SystemPort& system;
  shared::PromptPort& prompt;
  shared::LanguagePack& language;
  shared::FileSystemPort& files;
  shared::WindowsFolderPort& windowsFolder;
};

BhoEntry RowToBhoEntry(const shared::ListModel& list, int position);
void AddBhoRow(shared::ListModel& list, const BhoEntry& entry);

// An identifier that names exactly one key below the Browser Helper Objects key and below
// CLSID: anything else could make a deletion walk a parent key.
bool IsSafeIdentifier(const std::string& identifier);

// Deletes the object's key; with withClass also the direct subkeys of its class key and then
// that key. A key that is not there is fine; one that stays is a failure naming the key. The
// class registration is left alone when the object's key could not be deleted.
shared::Status RemoveBhoEntry(const BhoMachine& machine, const BhoEntry& entry, bool withClass);

class BhoStaging {
 public:
  BhoStaging(shared::ListModel& list, BhoMachine& machine) : list_(list), machine_(machine) {}

  // DisableCaption and EnableCaption (texts 8103 and 8108), set by the window's captions.
  void SetCaptions(std::string disableCaption, std::string enableCaption);
  const std::string& DisableCaption() const { return disableCaption_; }
  const std::string& EnableCaption() const { return enableCaption_; }

  // Builds AppliedEntries and LoadedEntries from the rows now in the list, each row linked to
  // its record. Once built, rows change only through this class.
  void BuildTables();
  const std::vector<BhoEntry>& AppliedEntries() const { return applied_; }
  const std::vector<BhoEntry>& LoadedEntries() const { return loaded_; }
  // The AppliedEntries index of the row's record; -1 for a row without one.
  int RecordOf(int position) const;

  // What the "&Disable" button shows and whether "&Remove" is enabled.
  const std::string& DisableButtonCaption() const { return disableButtonCaption_; }
  bool RemoveEnabled() const { return removeEnabled_; }

  void SelectRow(int position);
  void DisableClicked();
  void RemoveClicked();
  void ResetAllClicked();
  void ApplyClicked();
  // applyList: applies every "Disabled" and "Enabled" row without asking. What went wrong comes
  // back as one text ("" when nothing did), to be shown once the window is up.
  std::string ApplyList();

  // A profile load: the rows are replaced; each new row is linked to a not yet linked record
  // of the same object, if there is one. The tables stay as they are.
  void ReplaceRows(const std::vector<BhoEntry>& rows);

  // Rewrites the disabled-entry store from AppliedEntries.
  shared::Status SaveStore() const;

 private:
  enum class Mode { kApply, kApplyList };
  struct Step {
    int position;
    std::string status;
  };

  void ApplyRows(Mode mode);
  void Tell(const std::string& text, int style);
  void TellRegistryFailure(const shared::Status& failure);
  // The store as it will be once every step has worked.
  std::vector<BhoEntry> PlannedDisabled(const std::vector<Step>& steps) const;
  void SetApplied(int position, const BhoEntry& entry, const std::string& status);
  bool RestoreBhoEntry(const BhoEntry& entry);
  bool WriteAdminString(shared::RegRoot root, const std::string& keyPath, const std::string& valueName,
                        const std::string& data);
  std::string Text(const char* key, const std::string& defaultText = {}) const;

  shared::ListModel& list_;
  BhoMachine& machine_;
  std::vector<BhoEntry> applied_;
  std::vector<BhoEntry> loaded_;
  std::vector<int> links_;  // per row position - 1
  std::string disableCaption_;
  std::string enableCaption_;
  std::string disableButtonCaption_;
  bool removeEnabled_ = true;
  bool collecting_ = false;
  std::string collected_;
};

}  // namespace plugwarden
