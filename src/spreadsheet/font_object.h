#pragma once
#include "automation/object.h"
#include "spreadsheet/workbook_document.h"

namespace tabulo::spreadsheet {

// The font of a range, as the object model's Font: name, size (points),
// colorindex (1..56, -4105 automatic), color (0xBBGGRR through the palette),
// bold, italic, underline (2 single, -4142 none), strikethrough. Reads answer
// for the range's first cell; writes change every cell of the range.
class FontObject : public automation::Object {
 public:
  FontObject(SheetRef sheet, RangeRef area) : sheet_(std::move(sheet)), area_(area) {}
  automation::Variant invoke(std::string_view member, automation::CallKind kind,
                             std::vector<automation::Variant>& args) override;

  const SheetRef& sheetRef() const { return sheet_; }
  const RangeRef& area() const { return area_; }

 private:
  SheetRef sheet_;
  RangeRef area_;
};

}  // namespace tabulo::spreadsheet
