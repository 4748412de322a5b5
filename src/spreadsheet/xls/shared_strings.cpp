#include "spreadsheet/xls/shared_strings.h"

#include <algorithm>

#include "spreadsheet/xls/record_reader.h"

namespace tabulo::spreadsheet::xls {

namespace {
// The smallest string entry: a 16-bit count and the option byte.
constexpr std::size_t kMinEntrySize = 3;
}  // namespace

void ReadSst(const Record& record, Globals& globals) {
  RecordReader reader(record);
  reader.u32();  // total references to the table
  const std::uint32_t unique = reader.u32();
  // A damaged count must not reserve more than the record could hold.
  globals.sharedStrings.clear();
  globals.sharedStrings.reserve(std::min<std::size_t>(unique, reader.remaining() / kMinEntrySize));
  // Some writers overstate the count; the table ends with the record's data.
  for (std::uint32_t i = 0; i < unique && reader.remaining() > 0; ++i)
    globals.sharedStrings.push_back(ReadUnicodeString(reader, CountWidth::kWord));
}

}  // namespace tabulo::spreadsheet::xls
