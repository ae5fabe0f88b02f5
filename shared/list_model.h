#pragma once
// The rows of a main window's report list: six texts each, addressed by 1-based position. A text
// ends at its first NUL, as the list control shows it.
#include <array>
#include <string>
#include <vector>

namespace shared {

class ListModel {
 public:
  static constexpr int kColumns = 6;
  using Row = std::array<std::string, kColumns>;

  int Count() const { return static_cast<int>(rows_.size()); }
  // Appends a row with its item text (column 0) and empty sub-items; returns its position.
  int Add(std::string_view text);
  // Column 0 is the item text, 1 to 5 the sub-items. Positions outside the list are ignored.
  void SetText(int position, int column, std::string_view text);
  // "" for positions or columns outside the list.
  const std::string& Text(int position, int column) const;
  const Row& RowAt(int position) const;
  void Remove(int position);
  void Clear();

  // The selected row, 0 when none.
  int Selected() const { return selected_; }
  void Select(int position);

 private:
  bool Valid(int position) const { return position >= 1 && position <= Count(); }
  std::vector<Row> rows_;
  int selected_ = 0;
};

}  // namespace shared
