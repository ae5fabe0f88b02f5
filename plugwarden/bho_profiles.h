#pragma once
// Named profiles in "BHO_Config.ini" beside the program: seven lines per row, the profile name
// first and then the six fields. Not an INI file despite its name; profiles are only appended.
#include <string>
#include <vector>

#include "plugwarden/bho_staging.h"
#include "shared/file_system_port.h"
#include "shared/language_pack.h"
#include "shared/list_model.h"
#include "shared/prompt_port.h"

namespace plugwarden {

inline constexpr char kProfilesFileName[] = "BHO_Config.ini";
inline constexpr char kEnterKey = 13;

struct ProfileRecord {
  std::string profile;
  BhoEntry entry;
};

// Records up to the first one whose name line is empty; a short last record keeps what it has.
std::vector<ProfileRecord> ParseProfiles(const std::string& contents);

// The profile dialogs' work, with the file beside the program.
class BhoProfiles {
 public:
  BhoProfiles(shared::FileSystemPort& files, shared::PromptPort& prompt, shared::LanguagePack& language,
              std::string programFolder)
      : files_(files), prompt_(prompt), language_(language), programFolder_(std::move(programFolder)) {}

  std::string FilePath() const { return programFolder_ + "\\" + kProfilesFileName; }

  // What the name box takes for a typed character: its upper-case form.
  static char TypedCharacter(char typed);

  bool IsNameExist(const std::string& name);

  enum class SaveOutcome { kNothing, kNameExists, kFailed, kSaved };
  // Appends the list's rows under the name; kSaved closes the dialog. The file is replaced whole,
  // so a failed save leaves it as it was.
  SaveOutcome Save(const std::string& name, const shared::ListModel& list);

  // The load dialog's names: one per run of records that carry it. A file that cannot be read
  // gives none and says why (8601).
  std::vector<std::string> ProfileNames();

  // Replaces the rows by the profile's; true when the dialog closes. With no name to choose,
  // message 8513. A file that cannot be read keeps the rows and says why (8601).
  bool Load(const std::vector<std::string>& names, const std::string& chosen, BhoStaging& staging);

 private:
  // The file's text; "" for a missing file.
  shared::Result<std::string> ReadText();
  void Tell(const std::string& text, int style);
  void TellUnreadable(const shared::Status& why);

  shared::FileSystemPort& files_;
  shared::PromptPort& prompt_;
  shared::LanguagePack& language_;
  std::string programFolder_;
};

}  // namespace plugwarden
