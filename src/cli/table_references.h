#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "automation/dispatch.h"

namespace tabulo::cli {

// A block reference in model space that carries table data under "Tabulo".
struct TableReference {
  std::uint32_t id = 0;  // ObjectID: the handle as an unsigned 32-bit number
  std::string handle;    // hexadecimal, as the drawing stores it
  std::string block;     // the table block's name
  automation::Point3 insertionPoint;
  double scale = 1.0;     // x scale factor (the export scales all three alike)
  std::int32_t rows = 0;  // from the table data
  std::int32_t columns = 0;
};

// Every table reference of the drawing host's active document, in model-space order.
std::vector<TableReference> FindTableReferences(const automation::ObjectPtr& drawingApp);

// One line per table for listings and error messages.
std::string Describe(const TableReference& table);

}  // namespace tabulo::cli
