#include "spreadsheet/xls/biff_records.h"

#include <array>
#include <cstdio>
#include <utility>

#include "spreadsheet/xls/biff_error.h"

namespace tabulo::spreadsheet::xls {

namespace {

constexpr std::array<std::pair<std::uint16_t, const char*>, 37> kRecordNames = {{
    {record::kFormula, "FORMULA"},
    {record::kEof, "EOF"},
    {record::kProtect, "PROTECT"},
    {record::kPassword, "PASSWORD"},
    {record::kDateMode, "DATEMODE"},
    {record::kFilePass, "FILEPASS"},
    {record::kFont, "FONT"},
    {record::kContinue, "CONTINUE"},
    {record::kWindow1, "WINDOW1"},
    {record::kCodePage, "CODEPAGE"},
    {record::kDefColWidth, "DEFCOLWIDTH"},
    {record::kColInfo, "COLINFO"},
    {record::kBoundSheet, "BOUNDSHEET"},
    {record::kPalette, "PALETTE"},
    {record::kStandardWidth, "STANDARDWIDTH"},
    {record::kMulRk, "MULRK"},
    {record::kMulBlank, "MULBLANK"},
    {record::kRString, "RSTRING"},
    {record::kXf, "XF"},
    {record::kMergedCells, "MERGEDCELLS"},
    {record::kSst, "SST"},
    {record::kLabelSst, "LABELSST"},
    {record::kDimensions, "DIMENSIONS"},
    {record::kBlank, "BLANK"},
    {record::kNumber, "NUMBER"},
    {record::kLabel, "LABEL"},
    {record::kBoolErr, "BOOLERR"},
    {record::kString, "STRING"},
    {record::kRow, "ROW"},
    {record::kRk, "RK"},
    {record::kFormat, "FORMAT"},
    {record::kDefaultRowHeight, "DEFAULTROWHEIGHT"},
    {record::kWindow2, "WINDOW2"},
    {record::kBof, "BOF"},
    {record::kBofBiff2, "BOF"},
    {record::kBofBiff3, "BOF"},
    {record::kBofBiff4, "BOF"},
}};

constexpr std::size_t kHeaderSize = 4;

std::uint16_t Le16(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

}  // namespace

std::string RecordName(std::uint16_t id) {
  for (const auto& [known, name] : kRecordNames)
    if (known == id) return name;
  char text[16];
  std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(id));
  return text;
}

std::size_t Record::size() const {
  std::size_t total = data.size();
  for (const auto& fragment : continuations) total += fragment.size();
  return total;
}

RecordStream::RecordStream(std::span<const std::uint8_t> stream, std::size_t offset)
    : stream_(stream), position_(offset) {}

std::optional<std::uint16_t> RecordStream::peekId() const {
  if (position_ + kHeaderSize > stream_.size()) return std::nullopt;
  return Le16(stream_, position_);
}

std::span<const std::uint8_t> RecordStream::readFrame(std::uint16_t id) {
  const std::size_t length = Le16(stream_, position_ + 2);
  const std::size_t start = position_ + kHeaderSize;
  if (length > stream_.size() - start)
    throw BiffError("the " + RecordName(id) + " record at offset " + std::to_string(position_) +
                    " runs past the end of the workbook stream (the file is truncated or "
                    "damaged)");
  position_ = start + length;
  return stream_.subspan(start, length);
}

std::optional<Record> RecordStream::next() {
  // Fewer than 4 bytes left: trailing padding, not a record.
  const auto id = peekId();
  if (!id) return std::nullopt;
  Record result;
  result.id = *id;
  result.offset = position_;
  result.data = readFrame(*id);
  while (peekId() == record::kContinue)
    result.continuations.push_back(readFrame(record::kContinue));
  return result;
}

}  // namespace tabulo::spreadsheet::xls
