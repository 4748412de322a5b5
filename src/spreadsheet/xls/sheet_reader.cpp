#include "spreadsheet/xls/sheet_reader.h"

#include <array>
#include <utility>

#include "spreadsheet/xls/biff_error.h"
#include "spreadsheet/xls/cell_records.h"
#include "spreadsheet/xls/sheet_layout_records.h"
#include "spreadsheet/xls/workbook_records.h"

namespace tabulo::spreadsheet::xls {

namespace {

using Handler = void (*)(const Record&, SheetContext&);

constexpr std::array<std::pair<std::uint16_t, Handler>, 21> kHandlers = {{
    {record::kLabelSst, ReadLabelSst},
    {record::kLabel, ReadLabel},
    {record::kRString, ReadRString},
    {record::kNumber, ReadNumber},
    {record::kRk, ReadRk},
    {record::kMulRk, ReadMulRk},
    {record::kBoolErr, ReadBoolErr},
    {record::kFormula, ReadFormula},
    {record::kString, ReadString},
    {record::kBlank, ReadBlank},
    {record::kMulBlank, ReadMulBlank},
    {record::kRow, ReadRow},
    {record::kColInfo, ReadColInfo},
    {record::kDefColWidth, ReadDefColWidth},
    {record::kStandardWidth, ReadStandardWidth},
    {record::kDefaultRowHeight, ReadDefaultRowHeight},
    {record::kMergedCells, ReadMergedCells},
    {record::kDimensions, ReadDimensions},
    {record::kProtect, ReadProtect},
    {record::kPassword, ReadPassword},
    {record::kWindow2, ReadWindow2},
}};

Handler HandlerFor(std::uint16_t id) {
  for (const auto& [known, handler] : kHandlers)
    if (known == id) return handler;
  return nullptr;
}

bool IsBof(std::uint16_t id) {
  return id == record::kBof || id == record::kBofBiff2 || id == record::kBofBiff3 ||
         id == record::kBofBiff4;
}

}  // namespace

void ReadSheet(std::span<const std::uint8_t> stream, const SheetEntry& entry,
               SheetContext& context) {
  const std::string sheet = "the sheet \"" + entry.name + "\"";
  if (entry.offset >= stream.size())
    throw BiffError(sheet +
                    " starts beyond the end of the workbook stream (the file is "
                    "truncated or damaged)");
  RecordStream records(stream, entry.offset);
  const auto bof = records.next();
  if (!bof || !IsBof(bof->id))
    throw BiffError(sheet + " does not start where the workbook says (the file is damaged)");
  ReadBof(*bof);
  int embedded = 0;  // depth of charts and other substreams inside the sheet
  while (auto record = records.next()) {
    if (IsBof(record->id)) {
      ++embedded;
    } else if (record->id == record::kEof) {
      if (embedded == 0) {
        SetDefaultColumnWidth(context);
        return;
      }
      --embedded;
    } else if (embedded == 0) {
      if (const Handler handler = HandlerFor(record->id)) handler(*record, context);
    }
  }
  throw BiffError(sheet + " ends before its EOF record (the file is truncated or damaged)");
}

}  // namespace tabulo::spreadsheet::xls
