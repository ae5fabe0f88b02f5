#include "shared/list_model.h"

#include "shared/text.h"

namespace shared {
namespace {
const std::string kEmptyText;
const ListModel::Row kEmptyRow;
}  // namespace

int ListModel::Add(std::string_view text) {
  Row row;
  row[0] = UpToNul(text);
  rows_.push_back(std::move(row));
  return Count();
}

void ListModel::SetText(int position, int column, std::string_view text) {
  if (!Valid(position) || column < 0 || column >= kColumns) return;
  rows_[position - 1][column] = UpToNul(text);
}

const std::string& ListModel::Text(int position, int column) const {
  if (!Valid(position) || column < 0 || column >= kColumns) return kEmptyText;
  return rows_[position - 1][column];
}

const ListModel::Row& ListModel::RowAt(int position) const {
  return Valid(position) ? rows_[position - 1] : kEmptyRow;
}

void ListModel::Remove(int position) {
  if (!Valid(position)) return;
  rows_.erase(rows_.begin() + (position - 1));
  if (selected_ == position) selected_ = 0;
  else if (selected_ > position) --selected_;
}

void ListModel::Clear() {
  rows_.clear();
  selected_ = 0;
}

void ListModel::Select(int position) { selected_ = Valid(position) ? position : 0; }

}  // namespace shared
