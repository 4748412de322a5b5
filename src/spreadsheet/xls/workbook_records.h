#pragma once
// Handlers of the workbook-level records: BOF, BOUNDSHEET, WINDOW1, CODEPAGE,
// DATEMODE and FILEPASS.
#include <cstdint>

#include "spreadsheet/xls/biff_records.h"
#include "spreadsheet/xls/workbook_globals.h"

namespace tabulo::spreadsheet::xls {

// BOF substream types.
inline constexpr std::uint16_t kBofGlobals = 0x0005;
inline constexpr std::uint16_t kBofWorksheet = 0x0010;
inline constexpr std::uint16_t kBofChart = 0x0020;
inline constexpr std::uint16_t kBofMacroSheet = 0x0040;
inline constexpr std::uint16_t kBofWorkspace = 0x0100;

struct Bof {
  std::uint16_t version = 0;  // 0x0600 for BIFF8
  std::uint16_t type = 0;     // substream type
};

// Reads a BOF record; throws BiffError for a record that is not a BOF or for a
// BIFF version other than BIFF8 (naming the version).
Bof ReadBof(const Record& record);
void ReadBoundSheet(const Record& record, Globals& globals);
void ReadWindow1(const Record& record, Globals& globals);
void ReadCodePage(const Record& record, Globals& globals);
void ReadDateMode(const Record& record, Globals& globals);
// Always throws: the workbook is encrypted.
[[noreturn]] void ReadFilePass(const Record& record);

}  // namespace tabulo::spreadsheet::xls
