#pragma once
// Serial day numbers of the spreadsheet's two date systems.
//  1900 system: day 1 is 1 January 1900; day 60 is the 29 February 1900 that the
//  spreadsheet keeps for compatibility although that year had none, so days from
//  61 on are one more than the true count; day 0 shows as 0 January 1900.
//  1904 system: day 0 is 1 January 1904.
#include <cstdint>

namespace tabulo::spreadsheet {

struct CivilDate {
  int year = 1900;
  int month = 1;    // 1..12
  int day = 0;      // 0..31 (0 only for day 0 of the 1900 system)
  int weekday = 0;  // 0 = Sunday; day 1 of the 1900 system is a Sunday, as the spreadsheet has it
};

// Last serial day that has a date (31 December 9999).
constexpr std::int64_t LastSerialDay(bool date1904) {
  return date1904 ? 2957003 : 2958465;
}

// The date of serial day `day` (0 <= day <= LastSerialDay(date1904)).
CivilDate DateFromSerial(std::int64_t day, bool date1904);

}  // namespace tabulo::spreadsheet
