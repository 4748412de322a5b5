#pragma once
// The table block (a block definition named "TabuloBk" + number holding the
// table's lines and texts, base point at the origin) and the table reference
// (its one insertion in model space).
#include <cstdint>
#include <string>
#include <string_view>

#include "automation/dispatch.h"

namespace tabulo::exporting {

// Prefix of every table block's name, compared case-sensitively.
inline constexpr std::string_view kTableBlockPrefix = "TabuloBk";

// "TabuloBk" + number, at least three digits: TabuloBk001, TabuloBk1000.
std::string TableBlockName(std::int64_t number);

// Deletes, from the last index down to 0, every block whose name begins with
// "TabuloBk"; a block the host refuses to delete (still referenced) or any other
// failure at one index is passed over silently.
void RemoveUnusedTableBlocks(const automation::Dispatch& blocks);

// The first name TabuloBk001, TabuloBk002, ... that no block of the collection has.
std::string ChooseTableBlockName(const automation::Dispatch& blocks);

// The new, empty table block with its base point at the origin.
automation::Dispatch CreateTableBlock(const automation::Dispatch& blocks, const std::string& name);

// The table reference: block `name` inserted into model space at `at`, scaled by
// `scale` on all three axes, rotation 0.
automation::Dispatch InsertTableReference(const automation::Dispatch& modelSpace,
                                          const automation::Point3& at, const std::string& name,
                                          double scale);

}  // namespace tabulo::exporting
