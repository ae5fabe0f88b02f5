#include "shared/language_list.h"

#include "shared/text.h"

namespace shared {
namespace {

bool IsOrdinaryFile(const DirectoryEntry& entry) {
  return !entry.attributes.directory && !entry.attributes.hidden && !entry.attributes.system;
}

bool EndsWithIgnoreCase(const std::string& text, std::string_view suffix) {
  return text.size() >= suffix.size() &&
         EqualsIgnoreCase(std::string_view(text).substr(text.size() - suffix.size()), suffix);
}

}  // namespace

LanguageList BuildLanguageList(const std::vector<DirectoryEntry>& listing, const std::string& currentLanguageFile) {
  LanguageList list;
  for (const DirectoryEntry& entry : listing) {
    if (IsOrdinaryFile(entry) && EndsWithIgnoreCase(entry.name, ".bmp")) list.pictureFiles.push_back(entry.name);
  }
  for (const DirectoryEntry& entry : listing) {
    if (!IsOrdinaryFile(entry) || !EndsWithIgnoreCase(entry.name, ".ini")) continue;
    const std::string name = entry.name.substr(0, ToLowerAscii(entry.name).find(".ini"));
    list.LanguagePackFound = true;
    list.items.push_back({name, static_cast<int>(list.items.size()) + 1});
    if (EqualsIgnoreCase(name + ".ini", currentLanguageFile)) list.selected = list.items.size() - 1;
  }
  return list;
}

Result<LanguageList> FillLanguageList(FileSystemPort& files, const std::string& languageFolder,
                                      const std::string& currentLanguageFile) {
  Result<std::vector<DirectoryEntry>> listing = files.ListDirectory(languageFolder);
  if (!listing.ok()) {
    const std::int32_t code = listing.status().code();
    if (code == kErrorFileNotFound || code == kErrorPathNotFound) return LanguageList{};
    return listing.status();
  }
  return BuildLanguageList(listing.value(), currentLanguageFile);
}

void StopAtFailedPicture(LanguageList& list, std::size_t loadedPictures) {
  if (loadedPictures < list.pictureFiles.size()) list.pictureFiles.resize(loadedPictures);
  list.items.clear();
  list.selected.reset();
  list.LanguagePackFound = false;
}

bool IsRightToLeft(const std::string& languageFile) { return languageFile == kRightToLeftLanguageFile; }

bool ChooseLanguageAtStart(LanguagePack& pack, SettingsPort& settings, const std::string& appTitle) {
  std::string stored = settings.GetSetting(appTitle, kLanguageSettingSection, kLanguageSettingKey);
  pack.SetCurrentLanguageFile(IsPlainPackName(stored) ? std::move(stored) : std::string(kDefaultLanguageFile));
  return IsRightToLeft(pack.CurrentLanguageFile());
}

LanguageChoice ChooseLanguageItem(LanguagePack& pack, const std::string& itemText) {
  LanguageChoice choice;
  std::string chosen = itemText + ".ini";
  if (chosen != pack.CurrentLanguageFile()) {
    pack.SetCurrentLanguageFile(std::move(chosen));
    choice.changed = true;
  }
  choice.rightToLeft = IsRightToLeft(pack.CurrentLanguageFile());
  return choice;
}

Status StoreCurrentLanguage(const LanguagePack& pack, SettingsPort& settings, const std::string& appTitle) {
  return settings.SaveSetting(appTitle, kLanguageSettingSection, kLanguageSettingKey, pack.CurrentLanguageFile());
}

}  // namespace shared
