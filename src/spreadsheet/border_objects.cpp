#include "spreadsheet/border_objects.h"

#include "automation/error.h"
#include "spreadsheet/member_args.h"
#include "spreadsheet/palette_color.h"
#include "spreadsheet/sheet_cells.h"

namespace tabulo::spreadsheet {

using automation::CallKind;
using automation::Error;
using automation::MemberTable;
using automation::ObjectPtr;
using automation::Variant;

namespace {

constexpr std::string_view kClass = "Border";

bool HasLine(const Border& b) {
  return b.lineStyle != xl::kLineStyleNone;
}

std::int32_t CheckedLineStyle(std::int32_t style) {
  switch (style) {
    case xl::kLineStyleNone:
    case xl::kContinuous:
    case xl::kDash:
    case xl::kDashDot:
    case xl::kDashDotDot:
    case xl::kDot:
    case xl::kDouble:
    case xl::kSlantDashDot:
      return style;
    default:
      UnableTo("set", "LineStyle", kClass,
               std::to_string(style) + " is not a line style (1 continuous, -4142 none, ...).");
  }
}

std::int32_t CheckedWeight(std::int32_t weight) {
  switch (weight) {
    case xl::kHairline:
    case xl::kThin:
    case xl::kMedium:
    case xl::kThick:
      return weight;
    default:
      UnableTo("set", "Weight", kClass,
               std::to_string(weight) + " is not a border weight (1, 2, -4138 or 4).");
  }
}

std::int32_t CheckedColorIndex(std::int32_t index) {
  if (IsPaletteIndex(index) || index == xl::kColorIndexAutomatic || index == xl::kColorIndexNone)
    return index;
  UnableTo("set", "ColorIndex", kClass,
           "a colour index is 1 to 56, -4105 (automatic) or -4142 (none), not " +
               std::to_string(index) + ".");
}

// Property changes shared by Border and Borders. A colour or weight given to a
// border without a line draws it, continuous; colour index none removes it.
void SetLineStyle(Border& b, std::int32_t style) {
  if (style == xl::kLineStyleNone) {
    b = Border{};
    return;
  }
  b.lineStyle = style;
}
void SetColorIndex(Border& b, std::int32_t index) {
  if (index == xl::kColorIndexNone) {
    b = Border{};
    return;
  }
  if (!HasLine(b)) b.lineStyle = xl::kContinuous;
  b.colorIndex = index;
}
void SetWeight(Border& b, std::int32_t weight) {
  if (!HasLine(b)) b.lineStyle = xl::kContinuous;
  b.weight = weight;
}

// The cells an edge or diagonal border of `area` belongs to.
RangeRef BorderCells(const RangeRef& a, std::int32_t index) {
  switch (index) {
    case xl::kEdgeLeft:
      return {a.first, {a.last.row, a.first.column}};
    case xl::kEdgeTop:
      return {a.first, {a.first.row, a.last.column}};
    case xl::kEdgeBottom:
      return {{a.last.row, a.first.column}, a.last};
    case xl::kEdgeRight:
      return {{a.first.row, a.last.column}, a.last};
    default:
      return a;
  }
}

void ChangeBorders(const SheetRef& s, const RangeRef& cells,
                   std::initializer_list<std::int32_t> indexes,
                   const std::function<void(Border&)>& change) {
  RequireUnprotected(s.sheet());
  ChangeFormat(*s.document, s.sheet(), cells, [&](CellFormat& f) {
    for (std::int32_t index : indexes) change(f.borders[BorderSlot(index)]);
  });
}

const Border& FirstBorder(const BorderObject& self) {
  const SheetRef& s = self.sheetRef();
  return FormatAt(s.workbook(), s.sheet(), self.cells().first).borders[BorderSlot(self.index())];
}

const MemberTable<BorderObject>& BorderMembers() {
  static const MemberTable<BorderObject> table = [] {
    MemberTable<BorderObject> t;
    using Args = std::vector<Variant>;
    auto change = [](BorderObject& self, const std::function<void(Border&)>& fn) {
      ChangeBorders(self.sheetRef(), self.cells(), {self.index()}, fn);
    };
    t.add("LineStyle", [change](BorderObject& self, CallKind kind, Args& args) {
      if (kind == CallKind::Get) return Variant(FirstBorder(self).lineStyle);
      const std::int32_t style =
          CheckedLineStyle(automation::PutValue("LineStyle", args).toInt32());
      change(self, [style](Border& b) { SetLineStyle(b, style); });
      return Variant();
    });
    t.add("colorindex", [change](BorderObject& self, CallKind kind, Args& args) {
      if (kind == CallKind::Get) {
        const Border& b = FirstBorder(self);
        if (!HasLine(b)) return Variant(xl::kColorIndexNone);
        return Variant(IsPaletteIndex(b.colorIndex) ? b.colorIndex : xl::kColorIndexAutomatic);
      }
      const std::int32_t index =
          CheckedColorIndex(automation::PutValue("ColorIndex", args).toInt32());
      change(self, [index](Border& b) { SetColorIndex(b, index); });
      return Variant();
    });
    t.add("color", [change](BorderObject& self, CallKind kind, Args& args) {
      const Workbook& workbook = self.sheetRef().workbook();
      if (kind == CallKind::Get)
        return Variant(static_cast<double>(PaletteColor(workbook, FirstBorder(self).colorIndex)));
      const std::int32_t index =
          ColorToPaletteIndex(workbook, automation::PutValue("Color", args).toInt32());
      change(self, [index](Border& b) { SetColorIndex(b, index); });
      return Variant();
    });
    t.add("Weight", [change](BorderObject& self, CallKind kind, Args& args) {
      if (kind == CallKind::Get) return Variant(FirstBorder(self).weight);
      const std::int32_t weight = CheckedWeight(automation::PutValue("Weight", args).toInt32());
      change(self, [weight](Border& b) { SetWeight(b, weight); });
      return Variant();
    });
    return t;
  }();
  return table;
}

const MemberTable<BordersObject>& BordersMembers() {
  static const MemberTable<BordersObject> table = [] {
    MemberTable<BordersObject> t;
    using Args = std::vector<Variant>;
    auto item = [](BordersObject& self, CallKind kind, Args& args) -> Variant {
      RefusePut("Item", kind);
      automation::ExpectArgs("Item", args, 1, 1);
      return Variant(ObjectPtr(
          std::make_shared<BorderObject>(self.sheetRef(), self.area(), args[0].toInt32())));
    };
    t.add("Item", item);
    t.add("_Default", item);
    t.add("count", [](BordersObject&, CallKind kind, Args&) {
      RefusePut("Count", kind);
      return Variant(std::int32_t{6});
    });
    // The whole collection: reads answer for the first cell's left border.
    auto edges = [](BordersObject& self, const std::function<void(Border&)>& fn) {
      ChangeBorders(self.sheetRef(), self.area(),
                    {xl::kEdgeLeft, xl::kEdgeTop, xl::kEdgeBottom, xl::kEdgeRight}, fn);
    };
    auto firstLeft = [](BordersObject& self) {
      return BorderObject(self.sheetRef(), self.area(), xl::kEdgeLeft);
    };
    t.add("LineStyle", [edges, firstLeft](BordersObject& self, CallKind kind, Args& args) {
      if (kind == CallKind::Get) {
        Args none;
        return firstLeft(self).invoke("LineStyle", kind, none);
      }
      const std::int32_t style =
          CheckedLineStyle(automation::PutValue("LineStyle", args).toInt32());
      edges(self, [style](Border& b) { SetLineStyle(b, style); });
      return Variant();
    });
    t.add("colorindex", [edges, firstLeft](BordersObject& self, CallKind kind, Args& args) {
      if (kind == CallKind::Get) {
        Args none;
        return firstLeft(self).invoke("colorindex", kind, none);
      }
      const std::int32_t index =
          CheckedColorIndex(automation::PutValue("ColorIndex", args).toInt32());
      edges(self, [index](Border& b) { SetColorIndex(b, index); });
      return Variant();
    });
    t.add("Weight", [edges, firstLeft](BordersObject& self, CallKind kind, Args& args) {
      if (kind == CallKind::Get) {
        Args none;
        return firstLeft(self).invoke("Weight", kind, none);
      }
      const std::int32_t weight = CheckedWeight(automation::PutValue("Weight", args).toInt32());
      edges(self, [weight](Border& b) { SetWeight(b, weight); });
      return Variant();
    });
    return t;
  }();
  return table;
}

}  // namespace

BorderObject::BorderObject(SheetRef sheet, RangeRef area, std::int32_t index)
    : sheet_(std::move(sheet)), cells_(BorderCells(area, index)), index_(index) {
  if (index < xl::kDiagonalDown || index > xl::kEdgeRight)
    throw Error("Unable to get the Item property of the Borders class: border " +
                std::to_string(index) +
                " does not exist; borders are 5 and 6 (diagonals), 7 left, 8 top, 9 bottom and "
                "10 right.");
}

Variant BorderObject::invoke(std::string_view member, CallKind kind, std::vector<Variant>& args) {
  return BorderMembers().invoke(*this, kClass, member, kind, args);
}

Variant BordersObject::invoke(std::string_view member, CallKind kind, std::vector<Variant>& args) {
  return BordersMembers().invoke(*this, "Borders", member, kind, args);
}

}  // namespace tabulo::spreadsheet
