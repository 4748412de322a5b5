#include "spreadsheet/range_object.h"

#include <limits>
#include <variant>

#include "automation/error.h"
#include "spreadsheet/border_objects.h"
#include "spreadsheet/displayed_text.h"
#include "spreadsheet/font_object.h"
#include "spreadsheet/member_args.h"
#include "spreadsheet/merged_areas.h"
#include "spreadsheet/range_address.h"
#include "spreadsheet/sheet_cells.h"
#include "spreadsheet/typed_value.h"
#include "spreadsheet/worksheet_object.h"

namespace tabulo::spreadsheet {

using automation::CallKind;
using automation::Error;
using automation::MemberTable;
using automation::ObjectPtr;
using automation::Variant;
using automation::VarKind;

namespace {

constexpr std::string_view kClass = "Range";
// A value written to more cells than this is refused rather than filling memory.
constexpr std::int64_t kMaxCellsWritten = 4 * 1024 * 1024;
constexpr double kMaxRowHeight = 409.5;    // points
constexpr double kMaxColumnWidth = 255.0;  // characters

std::int64_t Rows(const RangeRef& a) {
  return std::int64_t{a.last.row} - a.first.row + 1;
}
std::int64_t Columns(const RangeRef& a) {
  return std::int64_t{a.last.column} - a.first.column + 1;
}

CellRef CheckedCell(std::int64_t row, std::int64_t column) {
  if (row < 1 || row > kMaxRows || column < 1 || column > kMaxColumns)
    throw Error("Application-defined or object-defined error: row " + std::to_string(row) +
                ", column " + std::to_string(column) +
                " lies outside the sheet (rows 1 to 1048576, columns 1 to 16384).");
  return CellRef{static_cast<std::int32_t>(row), static_cast<std::int32_t>(column)};
}

// Arguments that index (all of them for a Get, all but the value for a Put).
std::size_t IndexCount(CallKind kind, const std::vector<Variant>& args) {
  std::size_t n = args.size();
  if (kind == CallKind::Put) {
    if (n == 0) throw Error("Invalid property assignment: a value to write is needed.");
    --n;
  }
  while (n > 0 && !Given(args, n - 1)) --n;  // trailing optional arguments left out
  return n;
}

// The cell, row or column that item(...) names, counted from the range's first
// cell; it may lie outside the range, as long as it lies on the sheet.
RangeRef ItemArea(const RangeRef& a, RangeSpan span, const std::vector<Variant>& args,
                  std::size_t n) {
  if (n == 0 || n > 2)
    throw Error("Wrong number of arguments or invalid property assignment: item");
  if (n == 2) {
    CellRef c = CheckedCell(std::int64_t{a.first.row} + args[0].toInt32() - 1,
                            std::int64_t{a.first.column} + ColumnArg(args[1]) - 1);
    return RangeRef{c, c};
  }
  const std::int64_t i = span == RangeSpan::Columns ? ColumnArg(args[0]) : args[0].toInt32();
  switch (span) {
    case RangeSpan::Rows: {
      CellRef first = CheckedCell(a.first.row + i - 1, a.first.column);
      return RangeRef{first, {first.row, a.last.column}};
    }
    case RangeSpan::Columns: {
      CellRef first = CheckedCell(a.first.row, a.first.column + i - 1);
      return RangeRef{first, {a.last.row, first.column}};
    }
    case RangeSpan::Cells:
      break;
  }
  if (i < 1)
    throw Error("Application-defined or object-defined error: item " + std::to_string(i) +
                " does not exist; items count from 1.");
  const std::int64_t width = Columns(a);
  CellRef c = CheckedCell(a.first.row + (i - 1) / width, a.first.column + (i - 1) % width);
  return RangeRef{c, c};
}

const CellFormat& FirstFormat(const RangeObject& self) {
  return FormatAt(self.sheetRef().workbook(), self.sheetRef().sheet(), self.area().first);
}

void ChangeRangeFormat(const RangeObject& self, const std::function<void(CellFormat&)>& change) {
  RequireUnprotected(self.sheetRef().sheet());
  ChangeFormat(*self.sheetRef().document, self.sheetRef().sheet(), self.area(), change);
}

// Writes a value into every cell of `area`: a text as typed (see ValueFromTyping),
// a number, a Boolean, or Empty to clear.
void WriteValue(const SheetRef& sheetRef, const RangeRef& area, const Variant& value,
                std::string_view property) {
  Worksheet& sheet = sheetRef.sheet();
  WorkbookDocument& document = *sheetRef.document;
  RequireUnprotected(sheet);
  if (Rows(area) * Columns(area) > kMaxCellsWritten)
    UnableTo("set", property, kClass, "the range has too many cells to fill one by one.");
  TypedEntry entry;
  switch (value.kind()) {
    case VarKind::Empty:
      break;
    case VarKind::Bool:
      entry.value = *value.getIf<bool>();
      break;
    case VarKind::Int16:
    case VarKind::Int32:
    case VarKind::UInt8:
    case VarKind::Double:
    case VarKind::Currency:
      entry.value = value.toDouble();
      break;
    case VarKind::String:
      entry = ValueFromTyping(*value.getIf<std::string>());
      break;
    default:
      UnableTo("set", property, kClass,
               "a cell takes a text, a number or a Boolean, not " +
                   std::string(automation::KindName(value.kind())) + ".");
  }
  for (std::int32_t r = area.first.row; r <= area.last.row; ++r) {
    for (std::int32_t c = area.first.column; c <= area.last.column; ++c) {
      SetValueAt(document, sheet, {r, c}, entry.value);
      if (entry.numberFormat && FormatAt(document.model, sheet, {r, c}).numberFormat == "General")
        ChangeFormat(document, sheet, RangeRef{{r, c}, {r, c}},
                     [&](CellFormat& f) { f.numberFormat = *entry.numberFormat; });
    }
  }
}

std::int32_t CheckedAlignment(const Variant& value, std::string_view property,
                              std::initializer_list<std::int32_t> allowed) {
  const std::int32_t v = value.toInt32();
  for (std::int32_t a : allowed)
    if (v == a) return v;
  UnableTo("set", property, kClass, std::to_string(v) + " is not an alignment constant.");
}

Variant Text(const RangeObject& self) {
  const SheetRef& s = self.sheetRef();
  return Variant(DisplayText(ValueAt(s.sheet(), self.area().first), FirstFormat(self).numberFormat,
                             s.workbook().date1904));
}

const MemberTable<RangeObject>& Members() {
  static const MemberTable<RangeObject> table = [] {
    MemberTable<RangeObject> t;
    using Args = std::vector<Variant>;

    t.add("address", [](RangeObject& self, CallKind kind, Args& args) {
      RefusePut("address", kind);
      const bool rowAbsolute = Given(args, 0) ? args[0].toBool() : true;
      const bool columnAbsolute = Given(args, 1) ? args[1].toBool() : true;
      return Variant(RangeAddress(self.area(), rowAbsolute, columnAbsolute));
    });
    t.add("row", [](RangeObject& self, CallKind kind, Args&) {
      RefusePut("row", kind);
      return Variant(self.area().first.row);
    });
    t.add("column", [](RangeObject& self, CallKind kind, Args&) {
      RefusePut("column", kind);
      return Variant(self.area().first.column);
    });
    auto count = [](const RangeObject& self) -> std::int64_t {
      switch (self.span()) {
        case RangeSpan::Rows:
          return Rows(self.area());
        case RangeSpan::Columns:
          return Columns(self.area());
        case RangeSpan::Cells:
          break;
      }
      return Rows(self.area()) * Columns(self.area());
    };
    t.add("count", [count](RangeObject& self, CallKind kind, Args&) {
      RefusePut("count", kind);
      const std::int64_t n = count(self);
      if (n > std::numeric_limits<std::int32_t>::max())
        throw Error("Overflow: the range has " + std::to_string(n) +
                    " cells, more than count can return; use CountLarge.");
      return Variant(static_cast<std::int32_t>(n));
    });
    t.add("CountLarge", [count](RangeObject& self, CallKind kind, Args&) {
      RefusePut("CountLarge", kind);
      return Variant(static_cast<double>(count(self)));
    });

    // Sub-ranges. rows / Columns / cells without an index give the range walked by
    // rows, columns or cells; with an index, that row, column or cell.
    auto subRange = [](RangeSpan span, std::string_view name) {
      return [span, name](RangeObject& self, CallKind kind, Args& args) -> Variant {
        const std::size_t n = IndexCount(kind, args);
        if (n == 0) {
          RefusePut(name, kind);
          return Variant(RangeObject::Make(self.sheetRef(), self.area(), span));
        }
        RangeRef item = ItemArea(self.area(), span, args, n);
        if (kind == CallKind::Put) {
          WriteValue(self.sheetRef(), item, args.back().deref(), "Value");
          return Variant();
        }
        return Variant(RangeObject::Make(self.sheetRef(), item, span));
      };
    };
    t.add("rows", subRange(RangeSpan::Rows, "rows"));
    t.add("Columns", subRange(RangeSpan::Columns, "Columns"));
    t.add("cells", subRange(RangeSpan::Cells, "cells"));
    auto item = [](RangeObject& self, CallKind kind, Args& args) -> Variant {
      const std::size_t n = IndexCount(kind, args);
      if (n == 0) {  // the default member without an index is the value
        if (kind == CallKind::Put) {
          WriteValue(self.sheetRef(), self.area(), args.back().deref(), "Value");
          return Variant();
        }
        return CellValueToVariant(ValueAt(self.sheetRef().sheet(), self.area().first));
      }
      RangeRef area = ItemArea(self.area(), self.span(), args, n);
      if (kind == CallKind::Put) {
        WriteValue(self.sheetRef(), area, args.back().deref(), "Value");
        return Variant();
      }
      return Variant(RangeObject::Make(self.sheetRef(), area, self.span()));
    };
    t.add("item", item);
    t.add("_Default", item);
    t.add("EntireRow", [](RangeObject& self, CallKind kind, Args&) {
      RefusePut("EntireRow", kind);
      const RangeRef& a = self.area();
      return Variant(RangeObject::Make(
          self.sheetRef(), RangeRef{{a.first.row, 1}, {a.last.row, kMaxColumns}}, RangeSpan::Rows));
    });
    t.add("EntireColumn", [](RangeObject& self, CallKind kind, Args&) {
      RefusePut("EntireColumn", kind);
      const RangeRef& a = self.area();
      return Variant(RangeObject::Make(self.sheetRef(),
                                       RangeRef{{1, a.first.column}, {kMaxRows, a.last.column}},
                                       RangeSpan::Columns));
    });
    t.add("Worksheet", [](RangeObject& self, CallKind kind, Args&) {
      RefusePut("Worksheet", kind);
      return Variant(ObjectPtr(std::make_shared<WorksheetObject>(self.sheetRef())));
    });

    // Merged areas.
    t.add("MergeArea", [](RangeObject& self, CallKind kind, Args&) {
      RefusePut("MergeArea", kind);
      return Variant(
          RangeObject::Make(self.sheetRef(), MergeAreaOf(self.sheetRef().sheet(), self.area())));
    });
    t.add("mergecells", [](RangeObject& self, CallKind kind, Args& args) {
      Worksheet& sheet = self.sheetRef().sheet();
      if (kind == CallKind::Get) return Variant(MergedAreaAt(sheet, self.area().first).has_value());
      const bool merge = automation::PutValue("mergecells", args).toBool();
      RequireUnprotected(sheet);
      if (merge)
        MergeCells(*self.sheetRef().document, sheet, self.area());
      else
        UnmergeCells(*self.sheetRef().document, sheet, self.area());
      return Variant();
    });
    t.add("Merge", [](RangeObject& self, CallKind, Args&) {
      RequireUnprotected(self.sheetRef().sheet());
      MergeCells(*self.sheetRef().document, self.sheetRef().sheet(), self.area());
      return Variant();
    });
    t.add("UnMerge", [](RangeObject& self, CallKind, Args&) {
      RequireUnprotected(self.sheetRef().sheet());
      UnmergeCells(*self.sheetRef().document, self.sheetRef().sheet(), self.area());
      return Variant();
    });

    // Sizes: points for Width and height, whole pixels underneath every width.
    t.add("Width", [](RangeObject& self, CallKind kind, Args&) {
      RefusePut("Width", kind);
      return Variant(
          ColumnsWidth(self.sheetRef().sheet(), self.area().first.column, self.area().last.column));
    });
    t.add("height", [](RangeObject& self, CallKind kind, Args&) {
      RefusePut("height", kind);
      return Variant(
          RowsHeight(self.sheetRef().sheet(), self.area().first.row, self.area().last.row));
    });
    t.add("rowheight", [](RangeObject& self, CallKind kind, Args& args) {
      Worksheet& sheet = self.sheetRef().sheet();
      if (kind == CallKind::Get) return Variant(RowHeightAt(sheet, self.area().first.row));
      const double points = automation::PutValue("rowheight", args).toDouble();
      if (!(points >= 0.0 && points <= kMaxRowHeight))
        UnableTo("set", "RowHeight", kClass,
                 "a row height lies between 0 and 409.5 points, not " +
                     automation::Variant(points).toString() + ".");
      RequireUnprotected(sheet);
      SetRowsHeight(sheet, self.area().first.row, self.area().last.row, points);
      self.sheetRef().document->touch();
      return Variant();
    });
    t.add("ColumnWidth", [](RangeObject& self, CallKind kind, Args& args) {
      Worksheet& sheet = self.sheetRef().sheet();
      const std::int32_t mdw = self.sheetRef().workbook().maxDigitWidth;
      if (kind == CallKind::Get)
        return Variant(PixelsToColumnWidth(ColumnPixelsAt(sheet, self.area().first.column), mdw));
      const double chars = automation::PutValue("ColumnWidth", args).toDouble();
      if (!(chars >= 0.0 && chars <= kMaxColumnWidth))
        UnableTo("set", "ColumnWidth", kClass,
                 "a column width lies between 0 and 255 characters, not " +
                     automation::Variant(chars).toString() + ".");
      RequireUnprotected(sheet);
      SetColumnsPixels(sheet, self.area().first.column, self.area().last.column,
                       ColumnWidthToPixels(chars, mdw));
      self.sheetRef().document->touch();
      return Variant();
    });

    // Contents.
    t.add("text", [](RangeObject& self, CallKind kind, Args&) {
      RefusePut("text", kind);
      return Text(self);
    });
    auto value = [](std::string_view name) {
      return [name](RangeObject& self, CallKind kind, Args& args) -> Variant {
        if (kind == CallKind::Put) {
          WriteValue(self.sheetRef(), self.area(), automation::PutValue(name, args), name);
          return Variant();
        }
        return CellValueToVariant(ValueAt(self.sheetRef().sheet(), self.area().first));
      };
    };
    t.add("value", value("Value"));
    t.add("Value2", value("Value2"));
    t.add("Formula", [](RangeObject& self, CallKind kind, Args& args) {
      if (kind == CallKind::Put) {
        WriteValue(self.sheetRef(), self.area(), automation::PutValue("Formula", args), "Formula");
        return Variant();
      }
      // Constants read back as the text that would enter them.
      const CellValue& v = ValueAt(self.sheetRef().sheet(), self.area().first);
      if (const auto* b = std::get_if<bool>(&v)) return Variant(*b ? "TRUE" : "FALSE");
      return Variant(CellValueToVariant(v).toString());
    });
    t.add("NumberFormat", [](RangeObject& self, CallKind kind, Args& args) {
      if (kind == CallKind::Get) return Variant(FirstFormat(self).numberFormat);
      const std::string code = automation::PutValue("NumberFormat", args).toString();
      ChangeRangeFormat(self, [&](CellFormat& f) { f.numberFormat = code; });
      return Variant();
    });

    // Format.
    t.add("WrapText", [](RangeObject& self, CallKind kind, Args& args) {
      if (kind == CallKind::Get) return Variant(FirstFormat(self).wrapText);
      const bool wrap = automation::PutValue("WrapText", args).toBool();
      ChangeRangeFormat(self, [wrap](CellFormat& f) { f.wrapText = wrap; });
      return Variant();
    });
    t.add("horizontalalignment", [](RangeObject& self, CallKind kind, Args& args) {
      if (kind == CallKind::Get) return Variant(FirstFormat(self).horizontalAlignment);
      const std::int32_t a =
          CheckedAlignment(automation::PutValue("HorizontalAlignment", args), "HorizontalAlignment",
                           {xl::kHAlignGeneral, xl::kHAlignLeft, xl::kHAlignCenter,
                            xl::kHAlignRight, xl::kHAlignFill, xl::kHAlignJustify,
                            xl::kHAlignCenterAcrossSelection, xl::kHAlignDistributed});
      ChangeRangeFormat(self, [a](CellFormat& f) { f.horizontalAlignment = a; });
      return Variant();
    });
    t.add("verticalalignment", [](RangeObject& self, CallKind kind, Args& args) {
      if (kind == CallKind::Get) return Variant(FirstFormat(self).verticalAlignment);
      const std::int32_t a =
          CheckedAlignment(automation::PutValue("VerticalAlignment", args), "VerticalAlignment",
                           {xl::kVAlignTop, xl::kVAlignCenter, xl::kVAlignBottom,
                            xl::kVAlignJustify, xl::kVAlignDistributed});
      ChangeRangeFormat(self, [a](CellFormat& f) { f.verticalAlignment = a; });
      return Variant();
    });
    t.add("font", [](RangeObject& self, CallKind kind, Args&) {
      RefusePut("Font", kind);
      return Variant(ObjectPtr(std::make_shared<FontObject>(self.sheetRef(), self.area())));
    });
    t.add("borders", [](RangeObject& self, CallKind kind, Args& args) {
      RefusePut("Borders", kind);
      if (Given(args, 0))
        return Variant(ObjectPtr(
            std::make_shared<BorderObject>(self.sheetRef(), self.area(), args[0].toInt32())));
      return Variant(ObjectPtr(std::make_shared<BordersObject>(self.sheetRef(), self.area())));
    });
    return t;
  }();
  return table;
}

}  // namespace

ObjectPtr RangeObject::Make(SheetRef sheet, RangeRef area, RangeSpan span) {
  return std::make_shared<RangeObject>(std::move(sheet), area, span);
}

Variant RangeObject::invoke(std::string_view member, CallKind kind, std::vector<Variant>& args) {
  return Members().invoke(*this, kClass, member, kind, args);
}

}  // namespace tabulo::spreadsheet
