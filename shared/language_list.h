#pragma once
// The language choice of a main window: the list of packs and flags in the Lang folder, the
// choice read at start and stored at unload, and what choosing an item changes. The image combo
// that shows the list belongs to the windows; this is what it shows.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "shared/file_system_port.h"
#include "shared/language_pack.h"
#include "shared/settings_port.h"

namespace shared {

inline constexpr char kLanguageSettingSection[] = "Language";
inline constexpr char kLanguageSettingKey[] = "Name";
inline constexpr char kDefaultLanguageFile[] = "English.ini";
inline constexpr char kRightToLeftLanguageFile[] = "Arabic.ini";

struct LanguageItem {
  std::string text;  // the language name: the file name cut at its first ".ini"
  int picture = 0;   // 1-based number into the pictures; may exceed their count (no picture)
};

struct LanguageList {
  std::vector<std::string> pictureFiles;  // ".bmp" file names, picture n at index n - 1
  std::vector<LanguageItem> items;
  std::optional<std::size_t> selected;  // index into items
  // Bootwarden's LanguagePackFound: at least one pack was listed.
  bool LanguagePackFound = false;
};

// The list from a folder listing, in listing order. Only ordinary files count (no folders, no
// hidden or system files). Pictures pair with languages by position, not by name.
LanguageList BuildLanguageList(const std::vector<DirectoryEntry>& listing, const std::string& currentLanguageFile);

// Lists the Lang folder. A missing folder gives an empty list; other listing failures are
// returned so the window can show them.
Result<LanguageList> FillLanguageList(FileSystemPort& files, const std::string& languageFolder,
                                      const std::string& currentLanguageFile);

// The window loads the pictures first and the items after them. When picture number
// loadedPictures + 1 cannot be loaded it shows the error and stops: the pictures loaded so far
// stay, no item is added and no pack counts as found.
void StopAtFailedPicture(LanguageList& list, std::size_t loadedPictures);

// Right-to-left layout belongs to "Arabic.ini" exactly.
bool IsRightToLeft(const std::string& languageFile);

// The main window's load: the stored choice, "" meaning "English.ini", becomes current. A
// stored name that is not a plain file name (a path, a drive) cannot name a pack of the Lang
// folder and counts as nothing stored. Returns whether the window is to be laid out right to
// left.
bool ChooseLanguageAtStart(LanguagePack& pack, SettingsPort& settings, const std::string& appTitle);

struct LanguageChoice {
  bool changed = false;      // the captions are to be set again
  bool rightToLeft = false;  // the layout the window takes in every case
};

// The user picked an item: its text & ".ini" becomes current when it differs exactly.
LanguageChoice ChooseLanguageItem(LanguagePack& pack, const std::string& itemText);

// The main window's unload (both programs): keeps the choice for the next run.
Status StoreCurrentLanguage(const LanguagePack& pack, SettingsPort& settings, const std::string& appTitle);

}  // namespace shared
