#include "spreadsheet/xls/cell_records.h"

#include <array>
#include <bit>
#include <utility>

#include "spreadsheet/xls/record_reader.h"

namespace tabulo::spreadsheet::xls {

namespace {

// A BIFF8 sheet has 256 columns; a cell beyond them is damage and is left out.
constexpr std::uint16_t kBiff8Columns = 256;

// FORMULA results that are not numbers have 0xFFFF in their last two bytes and a
// type in the first.
enum class FormulaResult : std::uint8_t { kString = 0, kBoolean = 1, kError = 2, kEmpty = 3 };

struct CellHeader {
  std::uint16_t row;
  std::uint16_t column;
  std::uint16_t xf;
};

CellHeader ReadCellHeader(RecordReader& reader) {
  CellHeader header;
  header.row = reader.u16();
  header.column = reader.u16();
  header.xf = reader.u16();
  return header;
}

void PutCell(SheetContext& context, std::uint16_t row, std::size_t column, std::uint16_t xf,
             CellValue value, bool formula = false) {
  context.pendingString.reset();
  if (column >= kBiff8Columns) return;
  Cell& cell = context.sheet.cells[CellRef{row + 1, static_cast<std::int32_t>(column) + 1}];
  cell.value = std::move(value);
  cell.format = context.formats.indexOf(xf);
  cell.hasFormula = formula;
}

void PutCell(SheetContext& context, const CellHeader& header, CellValue value,
             bool formula = false) {
  PutCell(context, header.row, header.column, header.xf, std::move(value), formula);
}

}  // namespace

double DecodeRk(std::uint32_t rk) {
  const bool hundredths = (rk & 0x01) != 0;
  const bool integer = (rk & 0x02) != 0;
  double value;
  if (integer) {
    value = static_cast<double>(static_cast<std::int32_t>(rk & ~0x03u) / 4);
  } else {
    value = std::bit_cast<double>(static_cast<std::uint64_t>(rk & ~0x03u) << 32);
  }
  return hundredths ? value / 100.0 : value;
}

std::string ErrorText(std::uint8_t code) {
  static constexpr std::array<std::pair<std::uint8_t, const char*>, 8> kErrors = {{
      {0x00, "#NULL!"},
      {0x07, "#DIV/0!"},
      {0x0F, "#VALUE!"},
      {0x17, "#REF!"},
      {0x1D, "#NAME?"},
      {0x24, "#NUM!"},
      {0x2A, "#N/A"},
      {0x2B, "#GETTING_DATA"},
  }};
  for (const auto& [known, text] : kErrors)
    if (known == code) return text;
  return "#N/A";
}

void ReadLabelSst(const Record& record, SheetContext& context) {
  RecordReader reader(record);
  const CellHeader header = ReadCellHeader(reader);
  const std::uint32_t index = reader.u32();
  if (index >= context.globals.sharedStrings.size())
    reader.fail("refers to shared string " + std::to_string(index) + " of only " +
                std::to_string(context.globals.sharedStrings.size()) + " (the file is damaged)");
  PutCell(context, header, context.globals.sharedStrings[index]);
}

void ReadLabel(const Record& record, SheetContext& context) {
  RecordReader reader(record);
  const CellHeader header = ReadCellHeader(reader);
  PutCell(context, header, ReadUnicodeString(reader, CountWidth::kWord));
}

void ReadRString(const Record& record, SheetContext& context) {
  // A LABEL followed by formatting runs, which are not kept.
  ReadLabel(record, context);
}

void ReadNumber(const Record& record, SheetContext& context) {
  RecordReader reader(record);
  const CellHeader header = ReadCellHeader(reader);
  PutCell(context, header, reader.f64());
}

void ReadRk(const Record& record, SheetContext& context) {
  RecordReader reader(record);
  const CellHeader header = ReadCellHeader(reader);
  PutCell(context, header, DecodeRk(reader.u32()));
}

void ReadMulRk(const Record& record, SheetContext& context) {
  // Row, first column, (XF, RK) per cell, last column.
  constexpr std::size_t kEntrySize = 6;
  RecordReader reader(record);
  const std::uint16_t row = reader.u16();
  const std::uint16_t first = reader.u16();
  if (reader.remaining() < 2) reader.truncated();
  const std::size_t count = (reader.remaining() - 2) / kEntrySize;
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint16_t xf = reader.u16();
    const double value = DecodeRk(reader.u32());
    PutCell(context, row, first + i, xf, value);
  }
}

void ReadBoolErr(const Record& record, SheetContext& context) {
  RecordReader reader(record);
  const CellHeader header = ReadCellHeader(reader);
  const std::uint8_t value = reader.u8();
  const bool isError = reader.u8() != 0;
  if (isError)
    PutCell(context, header, ErrorValue{ErrorText(value)});
  else
    PutCell(context, header, value != 0);
}

void ReadFormula(const Record& record, SheetContext& context) {
  RecordReader reader(record);
  const CellHeader header = ReadCellHeader(reader);
  std::array<std::uint8_t, 8> result{};
  for (auto& byte : result) byte = reader.u8();
  if (result[6] != 0xFF || result[7] != 0xFF) {
    std::uint64_t bits = 0;
    for (std::size_t i = 0; i < result.size(); ++i)
      bits |= static_cast<std::uint64_t>(result[i]) << (8 * i);
    PutCell(context, header, std::bit_cast<double>(bits), true);
    return;
  }
  switch (static_cast<FormulaResult>(result[0])) {
    case FormulaResult::kString:
      // The text follows in a STRING record; until then it is empty.
      PutCell(context, header, std::string(), true);
      if (header.column < kBiff8Columns)
        context.pendingString = CellRef{header.row + 1, header.column + 1};
      return;
    case FormulaResult::kBoolean:
      PutCell(context, header, result[2] != 0, true);
      return;
    case FormulaResult::kError:
      PutCell(context, header, ErrorValue{ErrorText(result[2])}, true);
      return;
    case FormulaResult::kEmpty:
      PutCell(context, header, std::string(), true);
      return;
  }
  reader.fail("has a cached result of unknown type " + std::to_string(result[0]) +
              " (the file is damaged)");
}

void ReadString(const Record& record, SheetContext& context) {
  if (!context.pendingString) return;
  const CellRef target = *context.pendingString;
  context.pendingString.reset();
  RecordReader reader(record);
  context.sheet.cells[target].value = ReadUnicodeString(reader, CountWidth::kWord);
}

void ReadBlank(const Record& record, SheetContext& context) {
  RecordReader reader(record);
  const CellHeader header = ReadCellHeader(reader);
  PutCell(context, header, std::monostate{});
}

void ReadMulBlank(const Record& record, SheetContext& context) {
  // Row, first column, an XF per cell, last column.
  RecordReader reader(record);
  const std::uint16_t row = reader.u16();
  const std::uint16_t first = reader.u16();
  if (reader.remaining() < 2) reader.truncated();
  const std::size_t count = (reader.remaining() - 2) / 2;
  for (std::size_t i = 0; i < count; ++i)
    PutCell(context, row, first + i, reader.u16(), std::monostate{});
}

}  // namespace tabulo::spreadsheet::xls
