#pragma once
#include "automation/object.h"
#include "spreadsheet/workbook_document.h"

namespace tabulo::spreadsheet {

// What `count` counts and `item`(i) walks: cells, rows or columns (a range reached
// through `rows` or `Columns` counts its rows or columns, as in the spreadsheet).
enum class RangeSpan { Cells, Rows, Columns };

// A rectangular range of a worksheet, as the object model's Range.
//
// Members: address, row, column, count / Count, CountLarge, rows(i), Columns(j),
// cells / item / _Default (row, column) relative to the range, MergeArea,
// mergecells, Merge, UnMerge, Width, height, text, value / Value2 / Formula,
// WrapText, horizontalalignment, verticalalignment, NumberFormat, font,
// borders(i), rowheight, ColumnWidth, EntireRow, EntireColumn, Worksheet.
//
// A property of a range of several cells reads its first (top-left) cell where
// the spreadsheet would report a mixed value as Null (rowheight and ColumnWidth
// the first row or column, value the first cell rather than an array); a write
// changes every cell, row or column of the range.
class RangeObject : public automation::Object {
 public:
  RangeObject(SheetRef sheet, RangeRef area, RangeSpan span = RangeSpan::Cells)
      : sheet_(std::move(sheet)), area_(area), span_(span) {}
  static automation::ObjectPtr Make(SheetRef sheet, RangeRef area,
                                    RangeSpan span = RangeSpan::Cells);

  automation::Variant invoke(std::string_view member, automation::CallKind kind,
                             std::vector<automation::Variant>& args) override;

  const SheetRef& sheetRef() const { return sheet_; }
  const RangeRef& area() const { return area_; }
  RangeSpan span() const { return span_; }

 private:
  SheetRef sheet_;
  RangeRef area_;
  RangeSpan span_;
};

}  // namespace tabulo::spreadsheet
