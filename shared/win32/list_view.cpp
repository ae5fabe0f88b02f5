#include "shared/win32/list_view.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "shared/win32/window_kit.h"

namespace shared::win32 {
namespace {

// Marks a stretch of the wrapper's own changes, whose notifications are not the user's.
class Updating {
 public:
  explicit Updating(bool& flag) : flag_(flag), old_(std::exchange(flag, true)) {}
  ~Updating() { flag_ = old_; }

 private:
  bool& flag_;
  bool old_;
};

}  // namespace

HWND ReportListView::Create(HWND parent, int id, const TwipsRect& rect, int dpi,
                            const std::vector<ListColumn>& columns) {
  InitKitControls();
  list_ = CreateControl(parent, WC_LISTVIEWA, id, "", kStyle & ~(WS_CHILD | WS_VISIBLE), WS_EX_CLIENTEDGE, rect, dpi);
  if (list_ == nullptr) return nullptr;
  id_ = id;
  ::SendMessageA(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, kExtendedStyle, kExtendedStyle);
  columns_ = 0;
  for (const ListColumn& column : columns) {
    LVCOLUMNA c{};
    c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM | LVCF_FMT;
    c.fmt = LVCFMT_LEFT;
    c.cx = TwipsToPixels(column.widthTwips, dpi);
    c.pszText = const_cast<char*>(column.header.c_str());
    c.iSubItem = columns_;
    ::SendMessageA(list_, LVM_INSERTCOLUMNA, columns_, reinterpret_cast<LPARAM>(&c));
    ++columns_;
  }
  return list_;
}

void ReportListView::Show(const ListModel& model) {
  if (list_ == nullptr) return;
  const Updating updating(updating_);
  model_ = &model;
  // The old rows' states go with them; the count is all the list keeps of the rows.
  ::SendMessageA(list_, LVM_DELETEALLITEMS, 0, 0);
  ::SendMessageA(list_, LVM_SETITEMCOUNT, model.Count(), 0);
  Select(model.Selected());
  ::InvalidateRect(list_, nullptr, TRUE);
}

void ReportListView::ShowRow(const ListModel& model, int position) {
  if (list_ == nullptr || position < 1 || position > model.Count()) return;
  const Updating updating(updating_);
  model_ = &model;
  if (position == Count() + 1) {
    ::SendMessageA(list_, LVM_SETITEMCOUNT, position, LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
  }
  if (position <= Count()) ::SendMessageA(list_, LVM_REDRAWITEMS, position - 1, position - 1);
}

void ReportListView::GiveText(LVITEMA& item) const {
  if (!(item.mask & LVIF_TEXT) || item.pszText == nullptr || item.cchTextMax <= 0) return;
  item.pszText[0] = '\0';
  const int position = item.iItem + 1;
  // A column beyond the model's six (Bootwarden's seventh) stays empty.
  if (model_ == nullptr || position < 1 || position > model_->Count() || item.iSubItem < 0 ||
      item.iSubItem >= ListModel::kColumns)
    return;
  const std::string& text = model_->Text(position, item.iSubItem);
  const std::size_t length = std::min(text.size(), static_cast<std::size_t>(item.cchTextMax - 1));
  std::copy_n(text.data(), length, item.pszText);
  item.pszText[length] = '\0';
}

int ReportListView::FindRow(const std::string& letters, bool whole, int start, bool wrap) const {
  const int count = model_ == nullptr ? 0 : std::min(model_->Count(), Count());
  if (letters.empty() || count == 0) return -1;
  start = std::clamp(start, 0, count);
  const int tries = wrap ? count : count - start;
  for (int i = 0; i < tries; ++i) {
    const int index = (start + i) % count;
    const std::string& name = model_->Text(index + 1, 0);
    if (whole ? name.size() != letters.size() : name.size() < letters.size()) continue;
    // As the list itself would compare: by the user's locale, case ignored.
    if (::CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, name.data(), static_cast<int>(letters.size()),
                         letters.data(), static_cast<int>(letters.size())) == CSTR_EQUAL)
      return index;
  }
  return -1;
}

std::optional<LRESULT> ReportListView::Answer(NMHDR* header) const {
  if (header == nullptr || list_ == nullptr || header->hwndFrom != list_) return std::nullopt;
  switch (header->code) {
    case LVN_GETDISPINFOA:
      GiveText(reinterpret_cast<NMLVDISPINFOA*>(header)->item);
      return 0;
    case LVN_ODFINDITEMA:
    case LVN_ODFINDITEMW: {
      // Wine asks in UTF-16 even of a parent that takes ANSI notifications.
      const auto* find = reinterpret_cast<const NMLVFINDITEMA*>(header);
      const LVFINDINFOA& info = find->lvfi;
      if (!(info.flags & (LVFI_STRING | LVFI_PARTIAL)) || info.psz == nullptr) return -1;
      std::string letters;
      if (header->code == LVN_ODFINDITEMA) {
        letters = info.psz;
      } else {
        const auto* wide = reinterpret_cast<const wchar_t*>(info.psz);
        char buffer[260] = {};
        const int length = ::WideCharToMultiByte(CP_ACP, 0, wide, -1, buffer, sizeof buffer, nullptr, nullptr);
        if (length <= 0) return -1;
        letters = buffer;
      }
      return FindRow(letters, !(info.flags & LVFI_PARTIAL), find->iStart, (info.flags & LVFI_WRAP) != 0);
    }
    default:
      return std::nullopt;
  }
}

int ReportListView::Count() const {
  return list_ == nullptr ? 0 : static_cast<int>(::SendMessageA(list_, LVM_GETITEMCOUNT, 0, 0));
}

std::string ReportListView::Text(int position, int column) const {
  if (position < 1 || position > Count() || column < 0 || column >= columns_) return {};
  char text[1024] = {};
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  ::SendMessageA(list_, LVM_GETITEMTEXTA, position - 1, reinterpret_cast<LPARAM>(&item));
  return text;
}

void ReportListView::SetHeader(int column, const std::string& text) {
  if (list_ == nullptr || column < 1 || column > columns_) return;
  LVCOLUMNA c{};
  c.mask = LVCF_TEXT;
  c.pszText = const_cast<char*>(text.c_str());
  ::SendMessageA(list_, LVM_SETCOLUMNA, column - 1, reinterpret_cast<LPARAM>(&c));
}

std::string ReportListView::Header(int column) const {
  if (list_ == nullptr || column < 1 || column > columns_) return {};
  char text[260] = {};
  LVCOLUMNA c{};
  c.mask = LVCF_TEXT;
  c.pszText = text;
  c.cchTextMax = sizeof text;
  ::SendMessageA(list_, LVM_GETCOLUMNA, column - 1, reinterpret_cast<LPARAM>(&c));
  return text;
}

int ReportListView::Selected() const {
  if (list_ == nullptr) return 0;
  return static_cast<int>(::SendMessageA(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)) + 1;
}

void ReportListView::Select(int position) {
  if (list_ == nullptr) return;
  const Updating updating(updating_);
  LVITEMA clear{};
  clear.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  ::SendMessageA(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&clear));
  if (position < 1 || position > Count()) return;
  LVITEMA item{};
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  ::SendMessageA(list_, LVM_SETITEMSTATE, position - 1, reinterpret_cast<LPARAM>(&item));
  ::SendMessageA(list_, LVM_ENSUREVISIBLE, position - 1, FALSE);
}

std::optional<ReportListView::Event> ReportListView::Decode(const NMHDR* header) const {
  if (header == nullptr || list_ == nullptr || header->hwndFrom != list_ || updating_) return std::nullopt;
  switch (header->code) {
    case NM_CLICK:
    case NM_DBLCLK: {
      const auto* activate = reinterpret_cast<const NMITEMACTIVATE*>(header);
      // Full-row selection: a click anywhere on a row counts, whatever column it falls in.
      int index = activate->iItem;
      if (index < 0) {
        LVHITTESTINFO hit{};
        hit.pt = activate->ptAction;
        index = static_cast<int>(::SendMessageA(list_, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
      }
      return Event{header->code == NM_CLICK ? EventKind::Click : EventKind::DoubleClick, index >= 0 ? index + 1 : 0};
    }
    case LVN_ITEMCHANGED: {
      const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
      if (change->iItem >= 0 && (change->uChanged & LVIF_STATE) && (change->uNewState & LVIS_SELECTED) &&
          !(change->uOldState & LVIS_SELECTED))
        return Event{EventKind::SelectionChanged, change->iItem + 1};
      return std::nullopt;
    }
    default:
      return std::nullopt;
  }
}

}  // namespace shared::win32
