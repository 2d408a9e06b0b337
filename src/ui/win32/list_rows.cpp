#include "ui/win32/list_rows.h"

#include "os/win32/wide_text.h"

namespace ui::win32 {

const core::Text ListRows::kNone;

int ListRows::Append() {
  rows_.emplace_back();
  return Count() - 1;
}

const core::Text& ListRows::Cell(int row, int column) const {
  if (!Has(row) || column < 0 || column > 1) return kNone;
  return rows_[static_cast<std::size_t>(row)].cells[column];
}

void ListRows::SetCell(int row, int column, const core::Text& text) {
  if (!Has(row) || column < 0 || column > 1) return;
  rows_[static_cast<std::size_t>(row)].cells[column] = text;
}

void ListRows::Erase(int row) {
  if (Has(row)) rows_.erase(rows_.begin() + row);
}

void ListRows::Clear() {
  rows_.clear();
  rows_.shrink_to_fit();
}

const wchar_t* ListRows::Display(int row, int column) {
  display_ = os::win32::Widen(Cell(row, column));
  return display_.c_str();
}

}  // namespace ui::win32
