#pragma once
// Staging and apply: the buttons only rewrite a row's status; ApplyNow carries out the difference
// between each row and the snapshot record it belongs to, in the registry, win.ini and the
// Startup folders.
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "bootwarden/startup_sources.h"
#include "shared/clock_port.h"
#include "shared/file_system_port.h"
#include "shared/kept_copies.h"
#include "shared/language_pack.h"
#include "shared/list_model.h"
#include "shared/profile_port.h"
#include "shared/prompt_port.h"
#include "shared/registry_store.h"
#include "shared/shell_folder_port.h"
#include "shared/shortcut_port.h"
#include "shared/system_port.h"
#include "shared/windows_folder_port.h"

namespace bootwarden {

inline constexpr char kAppTitle[] = "Bootwarden";
inline constexpr char kAdministratorKey[] = "420";
inline constexpr char kAdministratorDefault[] =
    "Changing the start-up entries of all users needs administrator rights. Start Bootwarden as an administrator "
    "(right-click, Run as administrator) and apply again.";
// Texts more than one place looks up: their pack numbers and defaults. A lookup drops a trailing
// blank, so the blank before what follows is the code's.
inline constexpr char kReasonKey[] = "430";
inline constexpr char kReasonLabel[] = "Reason:";
inline constexpr char kStoreNotSavedKey[] = "436";
inline constexpr char kStoreNotSavedDefault[] = "The list of disabled entries could not be saved to";
inline constexpr char kNothingChangedDefault[] = ", so nothing was changed.";

// Where apply takes entries out and writes them back, and whom it tells.
struct StartupTargets {
  shared::RegistryPort& registry;
  shared::ProfilePort& profile;
  shared::FileSystemPort& files;
  shared::ShellFolderPort& shellFolders;
  shared::WindowsFolderPort& windowsFolder;
  shared::ShortcutPort& shortcuts;
  shared::PromptPort& prompt;
  // Whether the machine-wide locations may be changed.
  shared::SystemPort& system;
  shared::LanguagePack& language;  // the texts of what apply tells
  shared::ClockPort& clock;        // the time Windows' start-up switch records
};

// win.ini writes: the key kept with an empty value, or replaced whole.
shared::Status ClearIniValue(shared::ProfilePort& profile, const std::string& section, const std::string& key,
                             const std::string& file);
shared::Status WriteIniString(shared::ProfilePort& profile, const std::string& section, const std::string& key,
                              const std::string& value, const std::string& file);

// A Startup-folder task name that names exactly one file in the folder.
bool IsSafeShortcutName(const std::string& taskName);
// True for a command holding a %NAME% reference, which must stay expandable in the registry.
bool HoldsEnvironmentReference(const std::string& command);

// Take the entry out of, or write it into, the location its LoadFrom names. Taking out what is
// not there is fine, and an unknown location is left alone; anything else that fails comes back
// naming the entry and the platform's reason.
// With copies, what is taken out is kept first, whole (a value's name, type and bytes; the
// Startup-folder file itself, shortcut or not; the whole win.ini value), and nothing is taken
// out when it cannot be kept; without, it is gone for good. A value is found by its name as
// listed, which has lost any leading blanks; a Startup-folder entry is "<name>.lnk", or else the
// file "<name>" itself.
shared::Status RemoveFromSource(StartupTargets& targets, const StartupEntry& entry, shared::KeptCopies* copies);
// Given the entry's kept copy (same LoadFrom and TaskName), and when it was kept from a row
// showing the same Location, exactly that comes back; otherwise it is written from the row's
// fields. A Run key already open for the entry (query and set rights) is used for the copy's write.
shared::Status RestoreToSource(StartupTargets& targets, const StartupEntry& entry,
                               const shared::KeptCopy* copy = nullptr, shared::KeyHandle runKey = 0);

// Windows' own start-up switch of the entry, where its location has one: on clears a switch that
// keeps it from starting (none stays none), off switches it off where it stands. The switch of a
// Run value has the value's name; that of a Startup-folder entry its file's name (given the entry's
// kept copy, the name the copy puts back).
shared::Status SwitchEntry(StartupTargets& targets, const StartupEntry& entry, bool on,
                           const shared::KeptCopy* copy = nullptr);

// What stands now where the entry would be written, when it is a different entry of that name: a
// Run value with other data or type, a file in the Startup folder that is not a shortcut to the
// same command, a win.ini key holding other text; told as the user would recognise it. Nothing
// when the place is free, holds this very entry, or cannot be looked at (the write then says why).
// Given the entry's kept copy, "this very entry" is what the copy holds, byte for byte. A Run key
// already open for the entry is looked at through that handle.
std::optional<std::string> OtherEntryThere(StartupTargets& targets, const StartupEntry& entry,
                                           const shared::KeptCopy* copy = nullptr, shared::KeyHandle runKey = 0);

// The shell's folders as it answered them first, until Forget: each answer is a round trip, and
// an apply asks for a Startup folder several times per shortcut. Failures are asked again.
class ShellFolderMemo final : public shared::ShellFolderPort {
 public:
  explicit ShellFolderMemo(shared::ShellFolderPort& shell) : shell_(shell) {}
  shared::ShellFolderReply GetFolderPath(std::int32_t csidl, std::uint32_t flags) override;
  void Forget() { known_.clear(); }

 private:
  shared::ShellFolderPort& shell_;
  std::map<std::pair<std::int32_t, std::uint32_t>, shared::ShellFolderReply> known_;
};

class StartupStaging : private shared::StagingPolicy, public shared::StagedList {
 public:
  StartupStaging(shared::ListModel& list, StartupTargets& targets);

  // The baseline of the rows now in the list, each row linked to its own record. Afterwards
  // rows change through this class; rows appended at the end count as added rows.
  void TakeSnapshot() { Adopt(); }
  std::vector<StartupEntry> Snapshot() const { return shared::FromRows<StartupEntry>(Records()); }
  int SnapshotCount() const { return static_cast<int>(Records().size()); }

  // Carries out the staged changes; called after the user confirmed. Failures are shown, one
  // message per entry, and the row keeps the status it had before. An entry "Switched Off" by
  // Windows is switched on where it stands when enabled; one written back is switched on too. Without administrator rights
  // an apply touching a machine-wide location is refused whole, with one message.
  // False when it was stopped before anything changed.
  bool ApplyNow() {
    // A folder moved since the last apply is found where it is now.
    folders_.Forget();
    return Apply(shared::ApplyMode::kApply);
  }

  // A profile load: the rows are replaced, each linked to a not yet linked record with the same
  // LoadFrom and TaskName; the others count as added rows. The snapshot stays as it is.
  void ReplaceRows(const std::vector<StartupEntry>& rows) { StagedList::ReplaceRows(shared::ToRows(rows)); }

  // What the disabled-entry store must hold now: every "Disabled" row in list order, then any
  // "Disabled" record no row stands for (its entry is out of its location and nowhere else).
  std::vector<StartupEntry> DisabledEntries() const { return shared::FromRows<StartupEntry>(StoreRows()); }

  // The refusal shown when rights are missing, in the chosen language.
  void SetAdministratorText(std::string text) { administratorText_ = std::move(text); }
  // The text of key in the current pack, english without one.
  std::string Text(const char* key, const std::string& english) const {
    return targets_.language.SetCaptionfromINI(key, english);
  }

 private:
  shared::StagedAction ActionFor(shared::EntryStatus now, const shared::EntryStatus* before,
                                 shared::ApplyMode mode) const override;
  bool SameEntry(const shared::EntryRow& row, const shared::EntryRow& record) const override;
  std::optional<shared::KeptIdentity> KeptAs(const shared::EntryRow& row) const override;
  std::string Refusal(const shared::EntryRow& row, shared::StagedAction action) const override;
  std::string ApplyRefusal(const std::vector<shared::EntryRow>& changing, shared::ApplyMode mode) const override;
  bool TakeOut(int position, const shared::EntryRow& row, bool forGood, shared::ApplyMode mode) override;
  bool PutBack(int position, const shared::EntryRow& row, shared::ApplyMode mode) override;
  void Tell(const std::string& text) override;
  // Whether the row's entry may be written over what stands in its place now; asks when that is
  // a different entry. On No the row is "Disabled" again, so its entry waits in the store.
  bool MayReplaceWhatIsThere(int position, const StartupEntry& entry, const shared::KeptCopy* copy,
                             shared::KeyHandle runKey);
  // SwitchEntry, a failure told; true when done.
  bool Switched(const StartupEntry& entry, bool on, const shared::KeptCopy* copy = nullptr);
  void StoreNotSaved(const std::string& path, bool nothingChanged, const shared::Status& why) override;

  shared::ListModel& rows_;
  ShellFolderMemo folders_;
  // The caller's ports, the Startup folders asked through folders_. Mutable: the const questions
  // (Refusal) ask the ports too.
  mutable StartupTargets targets_;
  std::string administratorText_ = kAdministratorDefault;
};

}  // namespace bootwarden
