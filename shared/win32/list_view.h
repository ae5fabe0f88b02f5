#pragma once
// ReportListView: the main windows' report list. Full-row selection, grid lines, one row
// selected at a time and always shown, no in-place editing, never sorted (rows stay in the
// order they were added). Rows come from a shared::ListModel; positions are 1-based, 0 = none.
// The list holds no texts of its own: it asks for the rows it paints (a virtual list), so ten
// thousand rows cost no copy of their texts in the control. The model shown must outlive the
// list or the next Show, and the parent lets Answer see every WM_NOTIFY first.
//
//   ReportListView list;
//   list.Create(Window(), kListView1, {120, 720, 11415, 3135}, Dpi(),
//               {{"BHO Name", 1540}, {"Status", 1039}, ...});    // widths in twips
//   list.Show(model);                 // all rows, and the model's selection
//   list.ShowRow(model, 3);           // one row after a change: never Show for that
//   // in WM_NOTIFY:
//   if (auto answer = list.Answer(reinterpret_cast<NMHDR*>(lParam))) return *answer;
//   if (auto e = list.Decode(reinterpret_cast<NMHDR*>(lParam))) switch (e->kind) { ... }
//
// A model row has six texts; columns beyond them (Bootwarden's seventh) stay empty.
#include <windows.h>

#include <commctrl.h>

#include <optional>
#include <string>
#include <vector>

#include "shared/list_model.h"
#include "shared/twips.h"

namespace shared::win32 {

struct ListColumn {
  std::string header;
  int widthTwips = 0;
};

class ReportListView {
 public:
  static constexpr DWORD kStyle =
      WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER |
      LVS_OWNERDATA;
  static constexpr DWORD kExtendedStyle = LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES;

  // Creates the control (with a sunken edge) and its columns; nullptr when it cannot be made.
  // The design rect is kept for SetRightToLeft (window_kit.h).
  HWND Create(HWND parent, int id, const TwipsRect& rect, int dpi, const std::vector<ListColumn>& columns);
  HWND Handle() const { return list_; }
  int Id() const { return id_; }

  // Shows the model's rows in place of any before, selects the model's selection (keeping it in
  // view).
  void Show(const ListModel& model);
  // Repaints one row from the model; a position just past the shown rows is added. The update
  // for a change to one row: the other rows are not touched.
  void ShowRow(const ListModel& model, int position);
  int Count() const;
  std::string Text(int position, int column) const;  // column 0 = the item text

  // 1-based column.
  void SetHeader(int column, const std::string& text);
  std::string Header(int column) const;

  int Selected() const;
  // Selects and focuses the row and scrolls it into view; 0 clears the selection.
  void Select(int position);

  enum class EventKind { Click, DoubleClick, SelectionChanged };
  struct Event {
    EventKind kind;
    int position;  // 1-based; 0 for a click beside the rows
  };
  // The list's questions, answered from the model: the text of a cell it paints, and the row
  // whose name begins with the letters typed on the list (from the focused row on, wrapping).
  // What WM_NOTIFY returns for them; none for any other notification.
  std::optional<LRESULT> Answer(NMHDR* header) const;
  // The list's NM_CLICK, NM_DBLCLK and LVN_ITEMCHANGED (a row becoming selected). Changes made
  // by Show, ShowRow and Select are not reported.
  std::optional<Event> Decode(const NMHDR* header) const;

 private:
  void GiveText(LVITEMA& item) const;
  // 0-based; -1 when no row matches.
  int FindRow(const std::string& letters, bool whole, int start, bool wrap) const;

  HWND list_ = nullptr;
  const ListModel* model_ = nullptr;
  int id_ = 0;
  int columns_ = 0;
  bool updating_ = false;
};

}  // namespace shared::win32
