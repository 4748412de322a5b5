#include "cli/table_references.h"

#include <cstdio>

#include "automation/error.h"

namespace tabulo::cli {

using automation::Dispatch;
using automation::Variant;

std::vector<TableReference> FindTableReferences(const automation::ObjectPtr& drawingApp) {
  std::vector<TableReference> tables;
  Dispatch modelSpace = Dispatch(drawingApp).get("activedocument").get("modelspace");
  const std::int32_t count = modelSpace.get("count").toInt32();
  for (std::int32_t i = 0; i < count; ++i) {
    Dispatch entity = modelSpace.call("item", i);
    if (entity.get("objectname").toString() != "AcDbBlockReference") continue;
    Variant codes, values;
    std::vector<Variant> args{Variant("Tabulo"), Variant::RefTo(codes), Variant::RefTo(values)};
    entity.invoke("getxdata", args);
    if (values.isEmpty()) continue;
    auto data = values.arrayPtr();
    if (data->items.size() < 3 || data->items[0].toString() != "Tabulo") continue;
    TableReference t;
    t.id = static_cast<std::uint32_t>(entity.get("ObjectID").toInt32());
    t.handle = entity.get("Handle").toString();
    t.block = entity.get("name").toString();
    t.insertionPoint = automation::ToPoint(entity.get("insertionpoint").value());
    t.scale = entity.get("xscalefactor").toDouble();
    try {
      t.rows = data->items[1].toInt32();
      t.columns = data->items[2].toInt32();
    } catch (const automation::Error&) {
      // Damaged counts: still a table reference the user may want to see.
    }
    tables.push_back(std::move(t));
  }
  return tables;
}

std::string Describe(const TableReference& t) {
  char line[512];
  std::snprintf(line, sizeof line, "%10u  %-8s  %-14s  (%g, %g, %g)  %g  %d x %d", t.id,
                t.handle.c_str(), t.block.c_str(), t.insertionPoint.x, t.insertionPoint.y,
                t.insertionPoint.z, t.scale, t.rows, t.columns);
  return line;
}

}  // namespace tabulo::cli
