// The rows of the file list, kept by the toolkit and shown by an owner-data
// list view: the control asks for a cell's text when it draws it. A list
// view that held the rows itself would cost milliseconds a row under Wine
// and hundreds of megabytes for a hundred thousand rows.
#pragma once

#include <string>
#include <vector>

#include "core/text.h"

namespace ui::win32 {

class ListRows {
 public:
  int Append();  // index of the new row, its cells empty
  int Count() const { return static_cast<int>(rows_.size()); }
  bool Has(int row) const { return row >= 0 && row < Count(); }
  // Cells 0 and 1; nothing for a row or column that is not there.
  const core::Text& Cell(int row, int column) const;
  void SetCell(int row, int column, const core::Text& text);
  void Erase(int row);
  void Clear();

  // The cell as the control shows it, in a buffer that stays valid until
  // the next call.
  const wchar_t* Display(int row, int column);

 private:
  struct Row {
    core::Text cells[2];
  };
  std::vector<Row> rows_;
  std::wstring display_;
  static const core::Text kNone;
};

}  // namespace ui::win32
