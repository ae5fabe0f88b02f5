#include "shared/win32/language_combo.h"

#include "shared/win32/error_text.h"
#include "shared/win32/gdi_objects.h"
#include "shared/win32/window_kit.h"

namespace shared::win32 {
namespace {

// A drop-down list's field shows no text of its own while nothing is selected, and the image
// combo draws nothing there under Wine: the inner combo box is hooked to draw the design text
// over its empty field.
LRESULT FieldHook(void* designText, HWND combo, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = ::DefSubclassProc(combo, message, wParam, lParam);
  const auto* text = static_cast<const std::string*>(designText);
  if (message == WM_PAINT && wParam == 0 && !text->empty() && ::SendMessageA(combo, CB_GETCURSEL, 0, 0) < 0) {
    RECT field{};
    ::GetClientRect(combo, &field);
    const int edge = ::GetSystemMetrics(SM_CXEDGE);
    field.left += 2 * edge + 1;
    field.right -= ::GetSystemMetrics(SM_CXVSCROLL) + edge;
    HDC dc = ::GetDC(combo);
    HFONT font = reinterpret_cast<HFONT>(::SendMessageA(combo, WM_GETFONT, 0, 0));
    HGDIOBJ oldFont = ::SelectObject(dc, font != nullptr ? static_cast<HGDIOBJ>(font) : ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(::IsWindowEnabled(combo) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    ::DrawTextA(dc, text->c_str(), -1, &field, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    ::SelectObject(dc, oldFont);
    ::ReleaseDC(combo, dc);
  }
  return result;
}

}  // namespace

HWND LanguageCombo::Create(HWND parent, int id, const TwipsRect& rect, int dpi, const std::string& designText) {
  InitKitControls();
  // The height of a combo box window is its drop-down's: room for a handful of languages.
  TwipsRect dropped = rect;
  dropped.height = rect.height * 8;
  combo_ = CreateControl(parent, WC_COMBOBOXEXA, id, "", CBS_DROPDOWNLIST | WS_TABSTOP | WS_VSCROLL, 0, dropped, dpi);
  if (combo_ == nullptr) return nullptr;
  KeepContentsLeftToRight(combo_);
  id_ = id;
  dpi_ = dpi;
  designText_ = designText;
  HWND inner = reinterpret_cast<HWND>(::SendMessageA(combo_, CBEM_GETCOMBOCONTROL, 0, 0));
  if (inner != nullptr && !designText_.empty()) HookControl(inner, &FieldHook, &designText_);
  return combo_;
}

Status LanguageCombo::Fill(LanguageList& list, const std::string& languageFolder) {
  if (combo_ == nullptr) return Status::Error(kErrorInvalidHandle, "The language list has no window.");
  ::SendMessageA(combo_, CB_RESETCONTENT, 0, 0);
  ::SendMessageA(combo_, CBEM_SETIMAGELIST, 0, 0);
  images_.reset();
  // The flags are drawn for 96 DPI; the first one's size is the list's.
  int width = 0, height = 0;
  std::size_t loaded = 0;
  Status failure;
  for (const std::string& name : list.pictureFiles) {
    ::SetLastError(0);
    const std::string path = languageFolder + "\\" + name;
    UniqueBitmap bitmap(static_cast<HBITMAP>(
        ::LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, width, height, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    if (!bitmap) {
      // A file that is no bitmap fails without an error code of its own.
      const DWORD code = ::GetLastError();
      failure = Status::Error(code != 0 ? static_cast<std::int32_t>(code) : kErrorInvalidParameter,
                              "The picture " + path + " cannot be loaded" +
                                  (code != 0 ? ": " + ErrorText(code) : std::string(".")));
      break;
    }
    if (!images_) {
      BITMAP info{};
      ::GetObjectA(bitmap.get(), sizeof info, &info);
      width = ::MulDiv(info.bmWidth, dpi_, 96);
      height = ::MulDiv(info.bmHeight, dpi_, 96);
      if (width != info.bmWidth || height != info.bmHeight)
        bitmap.reset(static_cast<HBITMAP>(::LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, width, height,
                                                       LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
      images_.reset(::ImageList_Create(width, height, ILC_COLOR24, static_cast<int>(list.pictureFiles.size()), 4));
      if (!images_ || !bitmap) {
        failure = LastError();
        break;
      }
    }
    if (::ImageList_Add(images_.get(), bitmap.get(), nullptr) < 0) {
      failure = Status::Error(kErrorInvalidParameter, "Picture " + path + " cannot be added.");
      break;
    }
    ++loaded;
  }
  if (images_) ::SendMessageA(combo_, CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_.get()));
  if (!failure.ok()) {
    StopAtFailedPicture(list, loaded);
    ::InvalidateRect(combo_, nullptr, TRUE);
    return failure;
  }
  for (const LanguageItem& language : list.items) {
    COMBOBOXEXITEMA item{};
    item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
    item.iItem = Count();  // appended
    item.pszText = const_cast<char*>(language.text.c_str());
    // A picture number past the pictures shows no picture, but keeps the text's place.
    const int image = language.picture - 1;
    item.iImage = image < PictureCount() ? image : I_IMAGENONE;
    item.iSelectedImage = item.iImage;
    item.mask |= CBEIF_LPARAM;
    item.lParam = language.picture;
    ::SendMessageA(combo_, CBEM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
  }
  if (list.selected && *list.selected < list.items.size())
    ::SendMessageA(combo_, CB_SETCURSEL, static_cast<WPARAM>(*list.selected), 0);
  return Status::Ok();
}

int LanguageCombo::Count() const {
  return combo_ == nullptr ? 0 : static_cast<int>(::SendMessageA(combo_, CB_GETCOUNT, 0, 0));
}

int LanguageCombo::SelectedIndex() const {
  return combo_ == nullptr ? -1 : static_cast<int>(::SendMessageA(combo_, CB_GETCURSEL, 0, 0));
}

std::string LanguageCombo::ItemText(int index) const {
  if (combo_ == nullptr) return {};
  char text[260] = {};
  COMBOBOXEXITEMA item{};
  item.mask = CBEIF_TEXT;
  item.iItem = index;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  if (!::SendMessageA(combo_, CBEM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return {};
  return text;
}

int LanguageCombo::ItemPicture(int index) const {
  COMBOBOXEXITEMA item{};
  item.mask = CBEIF_LPARAM;
  item.iItem = index;
  if (combo_ == nullptr || !::SendMessageA(combo_, CBEM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return 0;
  return static_cast<int>(item.lParam);
}

int LanguageCombo::PictureCount() const { return images_ ? ::ImageList_GetImageCount(images_.get()) : 0; }

std::string LanguageCombo::FieldText() const {
  const int selected = SelectedIndex();
  return selected >= 0 ? ItemText(selected) : designText_;
}

std::optional<std::string> LanguageCombo::ChosenText(WPARAM wParam, LPARAM lParam) const {
  if (combo_ == nullptr || reinterpret_cast<HWND>(lParam) != combo_ || LOWORD(wParam) != id_ ||
      HIWORD(wParam) != CBN_SELCHANGE)
    return std::nullopt;
  const int selected = SelectedIndex();
  if (selected < 0) return std::nullopt;
  return ItemText(selected);
}

}  // namespace shared::win32
