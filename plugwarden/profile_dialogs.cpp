#include "plugwarden/profile_dialogs.h"

#include "shared/language_list.h"

namespace plugwarden {
namespace {

ProfileDialogTexts Texts(shared::LanguagePack& language, const char* caption, const char* label, const char* button) {
  ProfileDialogTexts texts;
  // The reading order first, as the dialogs switch before they set their texts.
  texts.rightToLeft = shared::IsRightToLeft(language.CurrentLanguageFile());
  texts.label = language.SetCaptionfromINI(label, "");
  texts.button = language.SetCaptionfromINI(button, "");
  texts.caption = language.SetCaptionfromINI(caption, "");
  return texts;
}

}  // namespace

ProfileDialogTexts SaveDialogTexts(shared::LanguagePack& language) { return Texts(language, "8201", "8202", "8203"); }

ProfileDialogTexts LoadDialogTexts(shared::LanguagePack& language) { return Texts(language, "8301", "8302", "8303"); }

}  // namespace plugwarden
