#include "spreadsheet/date_serial.h"

namespace tabulo::spreadsheet {

namespace {

// Days since 1970-01-01 to the proleptic Gregorian date (H. Hinnant's algorithm).
CivilDate CivilFromDays(std::int64_t days) {
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const auto dayOfEra = static_cast<unsigned>(days - era * 146097);
  const unsigned yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const unsigned mp = (5 * dayOfYear + 2) / 153;
  CivilDate date;
  date.day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
  date.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  date.year = static_cast<int>(yearOfEra + era * 400 + (date.month <= 2 ? 1 : 0));
  return date;
}

// 1899-12-30 and 1904-01-01 as days since 1970-01-01.
constexpr std::int64_t kEpoch1900 = -25569;
constexpr std::int64_t kEpoch1904 = -24107;
// Serial day of the fictitious 29 February 1900.
constexpr std::int64_t kLeapBugDay = 60;

}  // namespace

CivilDate DateFromSerial(std::int64_t day, bool date1904) {
  CivilDate date;
  if (date1904) {
    date = CivilFromDays(kEpoch1904 + day);
  } else if (day == 0) {
    date = CivilDate{1900, 1, 0};
  } else if (day == kLeapBugDay) {
    date = CivilDate{1900, 2, 29};
  } else {
    date = CivilFromDays(kEpoch1900 + day - (day < kLeapBugDay ? -1 : 0));
  }
  // In 1900-system days; 1904 day 0 is 1900 day 1462.
  const std::int64_t day1900 = date1904 ? day + 1462 : day;
  date.weekday = static_cast<int>((day1900 + 6) % 7);
  return date;
}

}  // namespace tabulo::spreadsheet
