#pragma once
#include <cstdint>

#include "automation/object.h"
#include "spreadsheet/workbook_document.h"

namespace tabulo::spreadsheet {

// The borders of a range, as the object model's Borders: Item(index) / item /
// _Default give one border (5 falling and 6 rising diagonal, 7 left, 8 top,
// 9 bottom, 10 right); count is 6; LineStyle, colorindex and Weight written here
// change the left, top, bottom and right borders of every cell of the range.
class BordersObject : public automation::Object {
 public:
  BordersObject(SheetRef sheet, RangeRef area) : sheet_(std::move(sheet)), area_(area) {}
  automation::Variant invoke(std::string_view member, automation::CallKind kind,
                             std::vector<automation::Variant>& args) override;

  const SheetRef& sheetRef() const { return sheet_; }
  const RangeRef& area() const { return area_; }

 private:
  SheetRef sheet_;
  RangeRef area_;
};

// One border of a range, as the object model's Border: LineStyle, colorindex,
// color, Weight. Every cell keeps its own borders, as workbook files store them:
// border 7 of a cell is that cell's own left border, whatever its left neighbour's
// right border is. For a range of several cells, an edge border means the cells
// along that edge (border 7 the cells of the first column, ...), a diagonal every
// cell; reads answer for the first of those cells. A border without a line reads
// LineStyle -4142 and colorindex -4142; giving it a colour or weight draws it as a
// continuous line, as in the spreadsheet.
class BorderObject : public automation::Object {
 public:
  // Throws automation::Error for an index outside 5..10.
  BorderObject(SheetRef sheet, RangeRef area, std::int32_t index);
  automation::Variant invoke(std::string_view member, automation::CallKind kind,
                             std::vector<automation::Variant>& args) override;

  const SheetRef& sheetRef() const { return sheet_; }
  // The cells this border belongs to.
  const RangeRef& cells() const { return cells_; }
  std::int32_t index() const { return index_; }

 private:
  SheetRef sheet_;
  RangeRef cells_;
  std::int32_t index_;
};

}  // namespace tabulo::spreadsheet
