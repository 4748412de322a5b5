#include "spreadsheet/xls/workbook_records.h"

#include <cstdio>

#include "spreadsheet/xls/biff_error.h"
#include "spreadsheet/xls/record_reader.h"

namespace tabulo::spreadsheet::xls {

namespace {

constexpr std::uint16_t kBiff8 = 0x0600;
constexpr std::uint16_t kBiff5 = 0x0500;  // BIFF5 and BIFF7 (Excel 5.0 and 95)

constexpr const char* kSaveHint =
    "; open it in the spreadsheet application and save it as an Excel 97-2003 workbook "
    "(.xls) or as .xlsx";

}  // namespace

Bof ReadBof(const Record& record) {
  switch (record.id) {
    case record::kBof:
      break;
    case record::kBofBiff2:
      throw BiffError(std::string("it is in the Excel 2.1 format (BIFF2), which is not supported") +
                      kSaveHint);
    case record::kBofBiff3:
      throw BiffError(std::string("it is in the Excel 3.0 format (BIFF3), which is not supported") +
                      kSaveHint);
    case record::kBofBiff4:
      throw BiffError(std::string("it is in the Excel 4.0 format (BIFF4), which is not supported") +
                      kSaveHint);
    default:
      throw BiffError("it is not an Excel workbook (expected a BOF record at offset " +
                      std::to_string(record.offset) + ", found " + RecordName(record.id) + ")");
  }
  RecordReader reader(record);
  Bof bof;
  bof.version = reader.u16();
  bof.type = reader.u16();
  if (bof.version == kBiff5)
    throw BiffError(
        std::string("it is in the Excel 5.0/95 format (BIFF5/BIFF7), which is not supported") +
        kSaveHint);
  if (bof.version != kBiff8) {
    char version[8];
    std::snprintf(version, sizeof version, "%04X", static_cast<unsigned>(bof.version));
    throw BiffError(std::string("it is in an unknown BIFF version (0x") + version +
                    "), not the Excel 97-2003 format (BIFF8)");
  }
  return bof;
}

void ReadBoundSheet(const Record& record, Globals& globals) {
  RecordReader reader(record);
  SheetEntry entry;
  entry.offset = reader.u32();
  reader.u8();  // visibility: hidden sheets are still sheets
  entry.type = reader.u8();
  entry.name = ReadUnicodeString(reader, CountWidth::kByte);
  globals.sheets.push_back(std::move(entry));
}

void ReadWindow1(const Record& record, Globals& globals) {
  // Only the first WINDOW1 (the first window) says which sheet is active.
  if (globals.activeTab) return;
  RecordReader reader(record);
  reader.skip(10);  // position, size, flags
  globals.activeTab = reader.u16();
}

void ReadCodePage(const Record& record, Globals& globals) {
  RecordReader reader(record);
  globals.codePage = reader.u16();
}

void ReadDateMode(const Record& record, Globals& globals) {
  RecordReader reader(record);
  globals.date1904 = reader.u16() == 1;
}

void ReadFilePass(const Record&) {
  throw BiffError(
      "it is encrypted with a password to open; open it in the spreadsheet application, "
      "remove the password and save it again");
}

}  // namespace tabulo::spreadsheet::xls
