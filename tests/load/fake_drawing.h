#pragma once
// A drawing host reduced to what the load driver reads: model space with table
// references and other objects, the block collection and the blocks' entities.
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "automation/error.h"
#include "automation/object.h"

namespace tabulo::load::testing {

// Table data as the export writes it (record layout of the table data).
struct FakeTableData {
  std::vector<double> rowHeights;
  std::vector<double> columnWidths;  // character units
  std::vector<double> columnPoints;
  std::vector<std::string> mergedAreas;
  std::string firstValue = "Tabulo";  // what values[0] holds

  // The two arrays getxdata returns.
  void Fill(automation::Variant& codes, automation::Variant& values) const {
    using automation::Variant;
    automation::Array c{automation::VarKind::Int16, 0, {}};
    automation::Array v{automation::VarKind::Empty, 0, {}};
    auto add = [&](std::int16_t code, Variant value) {
      c.items.emplace_back(code);
      v.items.push_back(std::move(value));
    };
    add(1001, firstValue);
    add(1070, static_cast<std::int16_t>(rowHeights.size()));
    add(1070, static_cast<std::int16_t>(columnWidths.size()));
    for (double h : rowHeights) add(1040, h);
    for (double w : columnWidths) add(1040, w);
    for (double w : columnPoints) add(1040, w);
    for (const std::string& a : mergedAreas) add(1000, a);
    add(1040, columnWidths.empty() ? 0.0 : columnWidths[0] / columnPoints[0]);
    codes = Variant(std::move(c));
    values = Variant(std::move(v));
  }
};

// A model-space object: a table reference when it has a block name.
struct FakeModelSpaceItem : automation::Object {
  std::int32_t objectId = 0;
  std::string blockName;  // empty: not a block reference
  std::optional<FakeTableData> tableData;

  automation::Variant invoke(std::string_view member, automation::CallKind kind,
                             std::vector<automation::Variant>& args) override {
    using automation::Variant;
    static const auto members =
        automation::MemberTable<FakeModelSpaceItem>()
            .add("ObjectID", [](FakeModelSpaceItem& s, auto, auto&) { return Variant(s.objectId); })
            .add("objectname",
                 [](FakeModelSpaceItem& s, auto, auto&) {
                   return Variant(s.blockName.empty() ? "AcDbCircle" : "AcDbBlockReference");
                 })
            .add("name", [](FakeModelSpaceItem& s, auto, auto&) { return Variant(s.blockName); })
            .add("getxdata", [](FakeModelSpaceItem& s, auto, std::vector<Variant>& a) {
              automation::ExpectArgs("getxdata", a, 3, 3);
              if (s.tableData && a[0].toString() == "Tabulo")
                s.tableData->Fill(a[1].deref(), a[2].deref());
              return Variant();
            });
    return members.invoke(*this, "FakeModelSpaceItem", member, kind, args);
  }
};

// A list answering `count` and `item`(index from 0).
struct FakeCollection : automation::Object {
  std::vector<automation::ObjectPtr> items;

  automation::Variant invoke(std::string_view member, automation::CallKind kind,
                             std::vector<automation::Variant>& args) override {
    using automation::Variant;
    static const auto members =
        automation::MemberTable<FakeCollection>()
            .add("count", [](FakeCollection& s, auto,
                             auto&) { return Variant(static_cast<std::int32_t>(s.items.size())); })
            .add("item", [](FakeCollection& s, auto, std::vector<Variant>& a) {
              std::int32_t i = a.at(0).toInt32();
              if (i < 0 || i >= static_cast<std::int32_t>(s.items.size()))
                throw automation::Error("The parameter is incorrect.");
              return Variant(s.items[static_cast<std::size_t>(i)]);
            });
    return members.invoke(*this, "FakeCollection", member, kind, args);
  }
};

struct FakeDrawing : automation::Object {
  std::shared_ptr<FakeCollection> modelSpace = std::make_shared<FakeCollection>();
  std::map<std::string, std::shared_ptr<FakeCollection>> blocks;

  // Adds a table reference to model space and its (empty) block.
  FakeCollection& AddTable(std::int32_t objectId, std::string blockName, FakeTableData data) {
    auto reference = std::make_shared<FakeModelSpaceItem>();
    reference->objectId = objectId;
    reference->blockName = blockName;
    reference->tableData = std::move(data);
    modelSpace->items.push_back(reference);
    auto& block = blocks[blockName];
    block = std::make_shared<FakeCollection>();
    return *block;
  }
  void AddOther(std::int32_t objectId) {
    auto item = std::make_shared<FakeModelSpaceItem>();
    item->objectId = objectId;
    modelSpace->items.push_back(item);
  }

  // Application, document and block collection in one object: activedocument
  // returns itself.
  automation::Variant invoke(std::string_view member, automation::CallKind kind,
                             std::vector<automation::Variant>& args) override {
    using automation::Variant;
    static const auto members =
        automation::MemberTable<FakeDrawing>()
            .add("activedocument", [](FakeDrawing& s, auto, auto&) { return Variant(s.Self()); })
            .add("modelspace", [](FakeDrawing& s, auto,
                                  auto&) { return Variant(automation::ObjectPtr(s.modelSpace)); })
            .add("blocks", [](FakeDrawing& s, auto, auto&) { return Variant(s.Self()); })
            .add("item", [](FakeDrawing& s, auto, std::vector<Variant>& a) {
              auto it = s.blocks.find(a.at(0).toString());
              if (it == s.blocks.end()) throw automation::Error("Key not found");
              return Variant(automation::ObjectPtr(it->second));
            });
    return members.invoke(*this, "FakeDrawing", member, kind, args);
  }

  std::weak_ptr<FakeDrawing> self;
  automation::ObjectPtr Self() { return self.lock(); }
  static std::shared_ptr<FakeDrawing> Make() {
    auto d = std::make_shared<FakeDrawing>();
    d->self = d;
    return d;
  }
};

}  // namespace tabulo::load::testing
