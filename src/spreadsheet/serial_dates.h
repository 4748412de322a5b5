#pragma once
// Dates and times as the spreadsheet's serial numbers (days, the fraction of a day
// for the time).
#include <optional>
#include <string_view>

namespace tabulo::spreadsheet {

// "2009-07-06", "2009-07-06T12:30:00" or "12:30:00" to a serial number: days since
// 1899-12-31 counting the spreadsheet's fictitious 1900-02-29 (so 1900-03-01 is 61),
// or since 1904-01-01 in the 1904 date system. Nothing when it is not such a date.
std::optional<double> IsoDateTimeToSerial(std::string_view text, bool date1904);

// An ISO 8601 duration ("PT12H30M15.5S", "-P1DT2H") in days.
std::optional<double> IsoDurationToDays(std::string_view text);

}  // namespace tabulo::spreadsheet
