#include "spreadsheet/font_object.h"

#include "automation/error.h"
#include "spreadsheet/member_args.h"
#include "spreadsheet/palette_color.h"
#include "spreadsheet/sheet_cells.h"

namespace tabulo::spreadsheet {

using automation::CallKind;
using automation::MemberTable;
using automation::Variant;

namespace {

constexpr std::string_view kClass = "Font";
constexpr std::int32_t kUnderlineSingle = 2;  // xlUnderlineStyleSingle
constexpr std::int32_t kUnderlineNone = -4142;

const Font& FirstFont(const FontObject& self) {
  return FormatAt(self.sheetRef().workbook(), self.sheetRef().sheet(), self.area().first).font;
}

void ChangeFont(const FontObject& self, const std::function<void(Font&)>& change) {
  RequireUnprotected(self.sheetRef().sheet());
  ChangeFormat(*self.sheetRef().document, self.sheetRef().sheet(), self.area(),
               [&](CellFormat& f) { change(f.font); });
}

// A read-write Boolean font property.
auto Flag(std::string_view name, bool Font::*field) {
  return [name, field](FontObject& self, CallKind kind, std::vector<Variant>& args) -> Variant {
    if (kind == CallKind::Get) return Variant(FirstFont(self).*field);
    const bool on = automation::PutValue(name, args).toBool();
    ChangeFont(self, [&](Font& f) { f.*field = on; });
    return Variant();
  };
}

const MemberTable<FontObject>& Members() {
  static const MemberTable<FontObject> table = [] {
    MemberTable<FontObject> t;
    using Args = std::vector<Variant>;
    t.add("name", [](FontObject& self, CallKind kind, Args& args) {
      if (kind == CallKind::Get) return Variant(FirstFont(self).name);
      const std::string name = automation::PutValue("Name", args).toString();
      // An empty name names no font: the font stays as it is.
      if (!name.empty()) ChangeFont(self, [&](Font& f) { f.name = name; });
      return Variant();
    });
    t.add("size", [](FontObject& self, CallKind kind, Args& args) {
      if (kind == CallKind::Get) return Variant(FirstFont(self).size);
      const double size = automation::PutValue("Size", args).toDouble();
      if (!(size >= 1.0 && size <= 409.0))
        UnableTo(
            "set", "Size", kClass,
            "a font size lies between 1 and 409 points, not " + Variant(size).toString() + ".");
      ChangeFont(self, [size](Font& f) { f.size = size; });
      return Variant();
    });
    t.add("colorindex", [](FontObject& self, CallKind kind, Args& args) {
      if (kind == CallKind::Get) {
        const std::int32_t index = FirstFont(self).colorIndex;
        return Variant(IsPaletteIndex(index) ? index : xl::kColorIndexAutomatic);
      }
      std::int32_t index = automation::PutValue("ColorIndex", args).toInt32();
      if (index == xl::kColorIndexNone) index = xl::kColorIndexAutomatic;
      if (!IsPaletteIndex(index) && index != xl::kColorIndexAutomatic)
        UnableTo(
            "set", "ColorIndex", kClass,
            "a colour index is 1 to 56 or -4105 (automatic), not " + std::to_string(index) + ".");
      ChangeFont(self, [index](Font& f) { f.colorIndex = index; });
      return Variant();
    });
    t.add("color", [](FontObject& self, CallKind kind, Args& args) {
      const Workbook& workbook = self.sheetRef().workbook();
      if (kind == CallKind::Get)
        return Variant(static_cast<double>(PaletteColor(workbook, FirstFont(self).colorIndex)));
      const std::int32_t index =
          ColorToPaletteIndex(workbook, automation::PutValue("Color", args).toInt32());
      ChangeFont(self, [index](Font& f) { f.colorIndex = index; });
      return Variant();
    });
    t.add("bold", Flag("Bold", &Font::bold));
    t.add("italic", Flag("Italic", &Font::italic));
    t.add("strikethrough", Flag("Strikethrough", &Font::strikethrough));
    t.add("underline", [](FontObject& self, CallKind kind, Args& args) {
      if (kind == CallKind::Get)
        return Variant(FirstFont(self).underline ? kUnderlineSingle : kUnderlineNone);
      const Variant& v = automation::PutValue("Underline", args);
      const std::int32_t style =
          v.getIf<bool>() ? (*v.getIf<bool>() ? kUnderlineSingle : 0) : v.toInt32();
      const bool on = style != 0 && style != kUnderlineNone;
      ChangeFont(self, [on](Font& f) { f.underline = on; });
      return Variant();
    });
    return t;
  }();
  return table;
}

}  // namespace

Variant FontObject::invoke(std::string_view member, CallKind kind, std::vector<Variant>& args) {
  return Members().invoke(*this, kClass, member, kind, args);
}

}  // namespace tabulo::spreadsheet
