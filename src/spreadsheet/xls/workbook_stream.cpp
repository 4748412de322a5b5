#include "spreadsheet/xls/workbook_stream.h"

#include <array>
#include <utility>

#include "spreadsheet/xls/biff_error.h"
#include "spreadsheet/xls/biff_records.h"
#include "spreadsheet/xls/format_table.h"
#include "spreadsheet/xls/shared_strings.h"
#include "spreadsheet/xls/sheet_reader.h"
#include "spreadsheet/xls/style_records.h"
#include "spreadsheet/xls/workbook_records.h"

namespace tabulo::spreadsheet::xls {

namespace {

using Handler = void (*)(const Record&, Globals&);

constexpr std::array<std::pair<std::uint16_t, Handler>, 9> kHandlers = {{
    {record::kBoundSheet, ReadBoundSheet},
    {record::kWindow1, ReadWindow1},
    {record::kCodePage, ReadCodePage},
    {record::kDateMode, ReadDateMode},
    {record::kSst, ReadSst},
    {record::kFont, ReadFont},
    {record::kFormat, ReadFormat},
    {record::kXf, ReadXf},
    {record::kPalette, ReadPalette},
}};

bool StartsWithBof(std::span<const std::uint8_t> stream) {
  const unsigned id = stream[0] | (stream[1] << 8);
  return id == record::kBof || id == record::kBofBiff2 || id == record::kBofBiff3 ||
         id == record::kBofBiff4;
}

Globals ReadGlobals(std::span<const std::uint8_t> stream, RecordStream& records) {
  // Checked before framing: a stream of something else has no sensible record lengths.
  if (stream.size() >= 2 && !StartsWithBof(stream))
    throw BiffError(
        "it is not an Excel workbook (its workbook stream does not start with a BOF "
        "record)");
  const auto first = records.next();
  if (!first) throw BiffError("its workbook stream is empty (the file is damaged)");
  const Bof bof = ReadBof(*first);
  if (bof.type == kBofWorkspace)
    throw BiffError("it is a workspace file, which lists workbooks but holds no sheet");
  if (bof.type != kBofGlobals)
    throw BiffError("it is not a workbook (its stream starts with a single sheet or chart)");
  Globals globals;
  while (auto record = records.next()) {
    if (record->id == record::kEof) return globals;
    // Everything after FILEPASS is encrypted, so it must be seen before anything else.
    if (record->id == record::kFilePass) ReadFilePass(*record);
    for (const auto& [id, handler] : kHandlers)
      if (id == record->id) handler(*record, globals);
  }
  throw BiffError(
      "its workbook globals end before their EOF record (the file is truncated or "
      "damaged)");
}

}  // namespace

Workbook ReadWorkbookStream(std::span<const std::uint8_t> stream) {
  RecordStream records(stream);
  const Globals globals = ReadGlobals(stream, records);

  Workbook workbook;
  workbook.date1904 = globals.date1904;
  workbook.palette = globals.palette;
  FormatTable formats(globals, workbook.formats);
  std::optional<std::size_t> activeSheet;
  std::optional<std::size_t> displayedSheet;
  for (std::size_t tab = 0; tab < globals.sheets.size(); ++tab) {
    const SheetEntry& entry = globals.sheets[tab];
    if (entry.type != kSheetTypeWorksheet) continue;  // charts, macro and module sheets
    Worksheet sheet;
    sheet.name = entry.name;
    SheetContext context{sheet, globals, formats, workbook.maxDigitWidth, {}, {}, {}, false};
    ReadSheet(stream, entry, context);
    if (globals.activeTab == tab) activeSheet = workbook.sheets.size();
    if (context.displayed && !displayedSheet) displayedSheet = workbook.sheets.size();
    workbook.sheets.push_back(std::move(sheet));
  }
  if (workbook.sheets.empty()) throw BiffError("it contains no worksheet");
  workbook.activeSheet = activeSheet.value_or(displayedSheet.value_or(0));
  return workbook;
}

}  // namespace tabulo::spreadsheet::xls
