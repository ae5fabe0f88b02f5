#pragma once
// LanguageCombo: the main windows' ComboLang, an image combo (ComboBoxEx, drop-down list) with
// a flag picture per language from its image list ImageList1.
//
//   LanguageCombo combo;
//   combo.Create(Window(), kComboLang, {9720, 4080, 1935, 330}, Dpi(), "Change Interface Language");
//   Result<...> list = shared::FillLanguageList(files, langFolder, pack.CurrentLanguageFile());
//   Status s = combo.Fill(list, langFolder);   // a failed picture: shared::StopAtFailedPicture
//   if (!s.ok()) prompt.Show(s.message(), ...); // the window shows the error
//   // in WM_COMMAND:
//   if (auto text = combo.ChosenText(wParam, lParam)) { ChooseLanguageItem(pack, *text); ... }
//
// The design text (may be "") shows in the selection field while no item is selected. In a
// right-to-left window the combo takes its mirrored place but keeps its contents left to right
// (flag, name, button at the right): Wine cannot draw the flags of a mirrored image combo.
#include <windows.h>

#include <commctrl.h>

#include <optional>
#include <string>

#include "shared/language_list.h"
#include "shared/status.h"
#include "shared/twips.h"
#include "shared/win32/unique_handle.h"

namespace shared::win32 {

struct ImageListTraits {
  using Type = HIMAGELIST;
  static Type None() { return nullptr; }
  static void Close(Type h) { ::ImageList_Destroy(h); }
};
using UniqueImageList = UniqueHandle<ImageListTraits>;

class LanguageCombo {
 public:
  LanguageCombo() = default;
  LanguageCombo(const LanguageCombo&) = delete;  // the control keeps a pointer to the design text
  LanguageCombo& operator=(const LanguageCombo&) = delete;

  // The drop-down list is as tall as the design height allows for the field plus room for the
  // items. The design rect is kept for SetRightToLeft (window_kit.h).
  HWND Create(HWND parent, int id, const TwipsRect& rect, int dpi, const std::string& designText);
  HWND Handle() const { return combo_; }

  // Loads list.pictureFiles from `languageFolder` into ImageList1 (in order, at the flags' size
  // scaled to the DPI), then adds list.items with their picture numbers and selects
  // list.selected. When a picture cannot be loaded, `list` is cut with StopAtFailedPicture, no
  // item is added, and the failure (naming the file) is returned for the window to show.
  Status Fill(LanguageList& list, const std::string& languageFolder);

  int Count() const;
  // 0-based index of the selected item, -1 when none.
  int SelectedIndex() const;
  std::string ItemText(int index) const;
  int ItemPicture(int index) const;  // 1-based picture number, as in LanguageItem
  int PictureCount() const;
  // The text the selection field shows: the selected item's, else the design text.
  std::string FieldText() const;

  // WM_COMMAND from the combo with CBN_SELCHANGE: the chosen item's text.
  std::optional<std::string> ChosenText(WPARAM wParam, LPARAM lParam) const;

 private:
  HWND combo_ = nullptr;
  int id_ = 0;
  int dpi_ = 96;
  std::string designText_;
  UniqueImageList images_;
};

}  // namespace shared::win32
