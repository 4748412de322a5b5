#pragma once
#include <cstdint>
#include <string>

#include "automation/dispatch.h"

namespace tabulo::load {

// The table data of a table reference as the load reads it: the values array
// returned by getxdata under "Tabulo", indexed from 0.
//   0 "Tabulo"; 1 n rows; 2 m columns; 3..n+2 row heights (points);
//   n+3..n+m+2 column widths (character units); n+m+3..n+2m+2 column widths
//   (points); n+2m+3..hb-1 merge-area addresses; hb one value not read.
class TableData {
 public:
  // Calls getxdata("Tabulo", codes, values) on the table reference. Throws
  // automation::Error when the reference carries no table data, when its first
  // value is not "Tabulo" or when the counts are negative.
  static TableData Read(const automation::Dispatch& tableReference);

  std::int32_t rowCount() const { return n_; }
  std::int32_t columnCount() const { return m_; }
  // Row i (from 1): height in points, as the drawing host returned it.
  const automation::Variant& rowHeight(std::int32_t i) const { return value(i + 2); }
  // Column j (from 1): ColumnWidth in the spreadsheet's character units.
  const automation::Variant& columnWidth(std::int32_t j) const { return value(n_ + 2 + j); }
  // Column j (from 1): width in points.
  const automation::Variant& columnPoints(std::int32_t j) const { return value(n_ + m_ + 2 + j); }
  // Merge-area addresses sit at indexes firstMerge() .. lastMerge(), in order.
  std::int32_t firstMerge() const { return n_ + 2 * m_ + 3; }
  std::int32_t lastMerge() const { return codes_.toArray().upperBound() - 1; }
  std::string mergeAddress(std::int32_t index) const { return value(index).toString(); }

 private:
  const automation::Variant& value(std::int32_t index) const;

  automation::Variant codes_;  // of the type-code array only its upper bound is used
  automation::Variant values_;
  std::int32_t n_ = 0;
  std::int32_t m_ = 0;
};

}  // namespace tabulo::load
