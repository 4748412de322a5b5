#include "export/table_block.h"

#include <exception>
#include <vector>

namespace tabulo::exporting {

using automation::Dispatch;
using automation::Variant;

std::string TableBlockName(std::int64_t number) {
  std::string digits = std::to_string(number);
  if (digits.size() < 3) digits.insert(0, 3 - digits.size(), '0');
  return std::string(kTableBlockPrefix) + digits;
}

void RemoveUnusedTableBlocks(const Dispatch& blocks) {
  std::int32_t count = blocks.get("count").toInt32();
  for (std::int32_t i = count - 1; i >= 0; --i) {
    try {
      std::string name = blocks.get("item", i).get("name").toString();
      if (name.starts_with(kTableBlockPrefix)) blocks.get("item", i).get("delete");
    } catch (const std::exception&) {
      // Still inserted somewhere, or unreadable: it stays.
    }
  }
}

namespace {

// Whether the collection holds a block of that name: a failing look-up, or one
// that yields no object, means it does not.
bool HasBlock(const Dispatch& blocks, const std::string& name) {
  try {
    Variant key(name);
    std::vector<Variant> args{Variant::RefTo(key)};
    Dispatch found = blocks.invoke("item", args);
    const auto* object = found.value().getIf<automation::ObjectPtr>();
    return object && *object;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace

std::string ChooseTableBlockName(const Dispatch& blocks) {
  for (std::int64_t i = 1;; ++i) {
    std::string name = TableBlockName(i);
    if (!HasBlock(blocks, name)) return name;
  }
}

Dispatch CreateTableBlock(const Dispatch& blocks, const std::string& name) {
  Variant blockName(name);
  std::vector<Variant> args{Variant(automation::MakePoint(0.0, 0.0, 0.0)),
                            Variant::RefTo(blockName)};
  return blocks.invoke("add", args);
}

Dispatch InsertTableReference(const Dispatch& modelSpace, const automation::Point3& at,
                              const std::string& name, double scale) {
  Variant point(automation::MakePoint(at.x, at.y, at.z));
  Variant blockName(name);
  Variant scaleFactor(scale);
  std::vector<Variant> args{Variant::RefTo(point),       Variant::RefTo(blockName),
                            Variant::RefTo(scaleFactor), Variant::RefTo(scaleFactor),
                            Variant::RefTo(scaleFactor), Variant(std::int32_t{0})};
  return modelSpace.invoke("insertblock", args);
}

}  // namespace tabulo::exporting
