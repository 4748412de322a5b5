#include "spreadsheet/workbook_objects.h"

#include "automation/error.h"
#include "spreadsheet/member_args.h"
#include "spreadsheet/worksheet_object.h"

namespace tabulo::spreadsheet {

using automation::CallKind;
using automation::Error;
using automation::LowerCase;
using automation::MemberTable;
using automation::ObjectPtr;
using automation::Variant;

namespace {

[[noreturn]] void NoSuchItem(const Variant& key) {
  throw Error("Subscript out of range: there is no item " +
              (key.getIf<std::string>() ? "\"" + key.toString() + "\"" : key.toString()) + ".");
}

// Position (from 0) of the item an index from 1 or a name (any case) names.
template <class NameOf>
std::size_t Find(const Variant& arg, std::size_t count, NameOf nameOf) {
  const Variant& key = arg.deref();
  if (const auto* name = key.getIf<std::string>()) {
    for (std::size_t i = 0; i < count; ++i)
      if (LowerCase(nameOf(i)) == LowerCase(*name)) return i;
    NoSuchItem(key);
  }
  const std::int32_t index = key.toInt32();
  if (index < 1 || static_cast<std::size_t>(index) > count) NoSuchItem(key);
  return static_cast<std::size_t>(index - 1);
}

Variant WorkbookItem(WorkbooksObject& self, CallKind kind, std::vector<Variant>& args) {
  RefusePut("Item", kind);
  automation::ExpectArgs("Item", args, 1, 1);
  auto& books = self.app().workbooks;
  const std::size_t i = Find(args[0], books.size(), [&](std::size_t k) { return books[k]->name; });
  return Variant(ObjectPtr(std::make_shared<WorkbookObject>(self.state(), books[i])));
}

const MemberTable<WorkbooksObject>& WorkbooksMembers() {
  static const MemberTable<WorkbooksObject> table = [] {
    MemberTable<WorkbooksObject> t;
    using Args = std::vector<Variant>;
    t.add("count", [](WorkbooksObject& self, CallKind kind, Args&) {
      RefusePut("Count", kind);
      return Variant(static_cast<std::int32_t>(self.app().workbooks.size()));
    });
    t.add("item", WorkbookItem);
    t.add("_Default", WorkbookItem);
    t.add("add", [](WorkbooksObject& self, CallKind kind, Args& args) {
      RefusePut("Add", kind);
      automation::ExpectArgs("Add", args, 0, 1);
      std::string path;
      const bool fromFile = Given(args, 0) && !args[0].deref().isEmpty();
      if (fromFile) path = args[0].toString();
      DocumentPtr added = self.app().add(fromFile ? &path : nullptr);
      return Variant(ObjectPtr(std::make_shared<WorkbookObject>(self.state(), added)));
    });
    t.add("open", [](WorkbooksObject& self, CallKind kind, Args& args) {
      RefusePut("Open", kind);
      if (!Given(args, 0)) throw Error("Argument not optional: Open needs a file name.");
      DocumentPtr opened = self.app().openFile(args[0].toString());
      return Variant(ObjectPtr(std::make_shared<WorkbookObject>(self.state(), opened)));
    });
    return t;
  }();
  return table;
}

const MemberTable<SheetsObject>& SheetsMembers() {
  static const MemberTable<SheetsObject> table = [] {
    MemberTable<SheetsObject> t;
    using Args = std::vector<Variant>;
    t.add("count", [](SheetsObject& self, CallKind kind, Args&) {
      RefusePut("Count", kind);
      return Variant(static_cast<std::int32_t>(self.document()->model.sheets.size()));
    });
    auto item = [](SheetsObject& self, CallKind kind, Args& args) -> Variant {
      RefusePut("Item", kind);
      automation::ExpectArgs("Item", args, 1, 1);
      const auto& sheets = self.document()->model.sheets;
      const std::size_t i =
          Find(args[0], sheets.size(), [&](std::size_t k) { return sheets[k].name; });
      return Variant(ObjectPtr(std::make_shared<WorksheetObject>(SheetRef{self.document(), i})));
    };
    t.add("item", item);
    t.add("_Default", item);
    return t;
  }();
  return table;
}

const MemberTable<WorkbookObject>& WorkbookMembers() {
  static const MemberTable<WorkbookObject> table = [] {
    MemberTable<WorkbookObject> t;
    using Args = std::vector<Variant>;
    t.add("name", [](WorkbookObject& self, CallKind kind, Args&) {
      RefusePut("Name", kind);
      return Variant(self.document()->name);
    });
    auto sheets = [](WorkbookObject& self, CallKind kind, Args& args) -> Variant {
      RefusePut("Worksheets", kind);
      SheetsObject collection(self.document());
      if (Given(args, 0)) return collection.invoke("item", kind, args);
      return Variant(ObjectPtr(std::make_shared<SheetsObject>(self.document())));
    };
    t.add("worksheets", sheets);
    t.add("sheets", sheets);
    t.add("activesheet", [](WorkbookObject& self, CallKind kind, Args&) {
      RefusePut("ActiveSheet", kind);
      return Variant(ActiveSheetOf(self.document()));
    });
    t.add("Activate", [](WorkbookObject& self, CallKind, Args&) {
      self.app().active = self.document();
      return Variant();
    });
    t.add("close", [](WorkbookObject& self, CallKind, Args&) {
      self.app().close(self.document());
      return Variant();
    });
    return t;
  }();
  return table;
}

}  // namespace

ObjectPtr ActiveSheetOf(const DocumentPtr& document) {
  if (!document || document->model.sheets.empty()) return nullptr;
  std::size_t index = document->model.activeSheet;
  if (index >= document->model.sheets.size()) index = 0;
  return std::make_shared<WorksheetObject>(SheetRef{document, index});
}

Variant WorkbooksObject::invoke(std::string_view member, CallKind kind,
                                std::vector<Variant>& args) {
  return WorkbooksMembers().invoke(*this, "Workbooks", member, kind, args);
}

Variant WorkbookObject::invoke(std::string_view member, CallKind kind, std::vector<Variant>& args) {
  return WorkbookMembers().invoke(*this, "Workbook", member, kind, args);
}

Variant SheetsObject::invoke(std::string_view member, CallKind kind, std::vector<Variant>& args) {
  return SheetsMembers().invoke(*this, "Sheets", member, kind, args);
}

}  // namespace tabulo::spreadsheet
