#include "spreadsheet/worksheet_object.h"

#include "automation/error.h"
#include "spreadsheet/member_args.h"
#include "spreadsheet/range_address.h"
#include "spreadsheet/range_object.h"
#include "spreadsheet/sheet_cells.h"
#include "spreadsheet/sheet_password.h"

namespace tabulo::spreadsheet {

using automation::CallKind;
using automation::Error;
using automation::MemberTable;
using automation::ObjectPtr;
using automation::Variant;

namespace {

constexpr std::string_view kClass = "Worksheet";
constexpr RangeRef kWholeSheet{{1, 1}, {kMaxRows, kMaxColumns}};

[[noreturn]] void RangeFailed(std::string_view what) {
  throw Error("Method 'Range' of object '_Worksheet' failed: " + std::string(what));
}

// An area named by a range argument: an address text or a range object.
RangeRef AreaArg(const Variant& arg) {
  const Variant& v = arg.deref();
  if (const auto* text = v.getIf<std::string>()) {
    if (auto area = ParseRangeAddress(*text)) return *area;
    RangeFailed("\"" + *text + "\" is not a cell reference such as B2 or $B$2:$D$3.");
  }
  if (const auto* object = v.getIf<ObjectPtr>()) {
    if (auto range = std::dynamic_pointer_cast<RangeObject>(*object)) return range->area();
  }
  RangeFailed("a range is named by an address text or a range of the same sheet.");
}

// The whole sheet walked by rows, columns or cells; forwards an index to it.
Variant WholeSheet(WorksheetObject& self, RangeSpan span, std::string_view name, CallKind kind,
                   std::vector<Variant>& args) {
  const std::size_t n = kind == CallKind::Put ? args.size() - 1 : args.size();
  // rows("2:3") and Columns("B:D") name several whole rows or columns.
  if (n == 1 && span != RangeSpan::Cells && kind == CallKind::Get) {
    if (const auto* text = args[0].deref().getIf<std::string>()) {
      if (text->find(':') != std::string::npos) {
        auto area = ParseRangeAddress(*text);
        if (!area) RangeFailed("\"" + *text + "\" names no rows or columns.");
        return Variant(RangeObject::Make(self.sheetRef(), *area, span));
      }
    }
  }
  RangeObject whole(self.sheetRef(), kWholeSheet, span);
  return whole.invoke(name, kind, args);
}

const MemberTable<WorksheetObject>& Members() {
  static const MemberTable<WorksheetObject> table = [] {
    MemberTable<WorksheetObject> t;
    using Args = std::vector<Variant>;
    t.add("name", [](WorksheetObject& self, CallKind kind, Args& args) {
      Worksheet& sheet = self.sheetRef().sheet();
      if (kind == CallKind::Get) return Variant(sheet.name);
      std::string name = automation::PutValue("Name", args).toString();
      if (name.empty() || name.size() > 31 || name.find_first_of(":\\/?*[]") != std::string::npos)
        UnableTo("set", "Name", kClass,
                 "a sheet name has 1 to 31 characters and none of : \\ / ? * [ ].");
      sheet.name = std::move(name);
      return Variant();
    });
    t.add("index", [](WorksheetObject& self, CallKind kind, Args&) {
      RefusePut("Index", kind);
      return Variant(static_cast<std::int32_t>(self.sheetRef().index + 1));
    });
    t.add("Unprotect", [](WorksheetObject& self, CallKind kind, Args& args) {
      RefusePut("Unprotect", kind);
      Protection& protection = self.sheetRef().sheet().protection;
      if (!protection.isProtected) return Variant();
      if (protection.hasPassword) {
        const std::string password = Given(args, 0) ? args[0].toString() : std::string();
        const bool right =
            !password.empty() && (protection.passwordHash == 0 ||
                                  LegacyPasswordHash(password) == protection.passwordHash);
        if (!right)
          throw Error(
              "The password you supplied is not correct. Verify that the CAPS LOCK key is off and "
              "be sure to use the correct capitalization.");
      }
      protection = Protection{};
      self.sheetRef().document->touch();
      return Variant();
    });
    t.add("Protect", [](WorksheetObject& self, CallKind kind, Args& args) {
      RefusePut("Protect", kind);
      Protection& protection = self.sheetRef().sheet().protection;
      const std::string password = Given(args, 0) ? args[0].toString() : std::string();
      protection.isProtected = true;
      protection.hasPassword = !password.empty();
      protection.passwordHash = password.empty() ? 0 : LegacyPasswordHash(password);
      return Variant();
    });
    t.add("ProtectContents", [](WorksheetObject& self, CallKind kind, Args&) {
      RefusePut("ProtectContents", kind);
      return Variant(self.sheetRef().sheet().protection.isProtected);
    });
    t.add("usedrange", [](WorksheetObject& self, CallKind kind, Args&) {
      RefusePut("UsedRange", kind);
      const SheetRef& s = self.sheetRef();
      return Variant(RangeObject::Make(s, s.document->usedRange(s.index)));
    });
    t.add("cells", [](WorksheetObject& self, CallKind kind, Args& args) {
      return WholeSheet(self, RangeSpan::Cells, "cells", kind, args);
    });
    t.add("rows", [](WorksheetObject& self, CallKind kind, Args& args) {
      return WholeSheet(self, RangeSpan::Rows, "rows", kind, args);
    });
    t.add("Columns", [](WorksheetObject& self, CallKind kind, Args& args) {
      return WholeSheet(self, RangeSpan::Columns, "Columns", kind, args);
    });
    t.add("range", [](WorksheetObject& self, CallKind kind, Args& args) {
      RefusePut("Range", kind);
      automation::ExpectArgs("Range", args, 1, 2);
      RangeRef area = AreaArg(args[0]);
      if (Given(args, 1)) {
        const RangeRef other = AreaArg(args[1]);
        area = RangeRef{{std::min(area.first.row, other.first.row),
                         std::min(area.first.column, other.first.column)},
                        {std::max(area.last.row, other.last.row),
                         std::max(area.last.column, other.last.column)}};
      }
      return Variant(RangeObject::Make(self.sheetRef(), area));
    });
    t.add("StandardWidth", [](WorksheetObject& self, CallKind kind, Args&) {
      RefusePut("StandardWidth", kind);
      return Variant(PixelsToColumnWidth(self.sheetRef().sheet().defaultColumnPixels,
                                         self.sheetRef().workbook().maxDigitWidth));
    });
    t.add("StandardHeight", [](WorksheetObject& self, CallKind kind, Args&) {
      RefusePut("StandardHeight", kind);
      return Variant(self.sheetRef().sheet().defaultRowHeight);
    });
    t.add("Activate", [](WorksheetObject& self, CallKind, Args&) {
      self.sheetRef().workbook().activeSheet = self.sheetRef().index;
      return Variant();
    });
    return t;
  }();
  return table;
}

}  // namespace

Variant WorksheetObject::invoke(std::string_view member, CallKind kind,
                                std::vector<Variant>& args) {
  return Members().invoke(*this, kClass, member, kind, args);
}

}  // namespace tabulo::spreadsheet
