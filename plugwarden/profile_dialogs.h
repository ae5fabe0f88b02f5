#pragma once
// What frmSave and frmLoad show: their texts from the language pack, their reading order and
// their places. Their work is BhoProfiles, reached through the main window.
#include <string>

#include "shared/language_pack.h"
#include "shared/twips.h"

namespace plugwarden {

struct ProfileDialogTexts {
  std::string caption, label, button;
  bool rightToLeft = false;
};

// Texts 8201 to 8203 and 8301 to 8303, looked up at each load.
ProfileDialogTexts SaveDialogTexts(shared::LanguagePack& language);
ProfileDialogTexts LoadDialogTexts(shared::LanguagePack& language);

struct ProfileDialogLayout {
  shared::TwipsRect client;  // its left and top: the fixed place on the screen
  shared::TwipsRect label, input, button;
};

// frmSave: Label1, Text1, cmdSave. frmLoad: Label1, Combo1, cmdLoad.
inline constexpr ProfileDialogLayout kSaveDialogLayout{
    {5295, 4665, 5100, 1500}, {240, 120, 2055, 255}, {2280, 240, 1935, 375}, {3480, 960, 1455, 375}};
inline constexpr ProfileDialogLayout kLoadDialogLayout{
    {5475, 4470, 4920, 1785}, {120, 240, 4575, 255}, {1920, 600, 1935, 315}, {3360, 1200, 1455, 375}};

}  // namespace plugwarden
