#include "spreadsheet/serial_dates.h"

#include <charconv>
#include <cmath>

namespace tabulo::spreadsheet {

namespace {

// Days from 1970-01-01 in the proleptic Gregorian calendar.
long DaysFromCivil(long year, long month, long day) {
  year -= month <= 2;
  const long era = (year >= 0 ? year : year - 399) / 400;
  const long yoe = year - era * 400;
  const long doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

// Reads a number at the front of `text` and drops it from there.
std::optional<double> TakeNumber(std::string_view& text) {
  double value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || !std::isfinite(value)) return std::nullopt;
  text.remove_prefix(static_cast<std::size_t>(end - text.data()));
  return value;
}

bool Take(std::string_view& text, char c) {
  if (text.empty() || text.front() != c) return false;
  text.remove_prefix(1);
  return true;
}

// "hh:mm[:ss[.fff]]" as a fraction of a day.
std::optional<double> TimeOfDay(std::string_view text) {
  auto h = TakeNumber(text);
  if (!h || !Take(text, ':')) return std::nullopt;
  auto m = TakeNumber(text);
  if (!m) return std::nullopt;
  double s = 0;
  if (Take(text, ':')) {
    auto sec = TakeNumber(text);
    if (!sec) return std::nullopt;
    s = *sec;
  }
  // A time zone suffix ("Z", "+01:00") does not move the local time shown.
  return (*h * 3600 + *m * 60 + s) / 86400.0;
}

}  // namespace

std::optional<double> IsoDateTimeToSerial(std::string_view text, bool date1904) {
  if (text.size() >= 3 && text[2] == ':') return TimeOfDay(text);
  std::string_view rest = text;
  auto y = TakeNumber(rest);
  if (!y || !Take(rest, '-')) return std::nullopt;
  auto mo = TakeNumber(rest);
  if (!mo || !Take(rest, '-')) return std::nullopt;
  auto d = TakeNumber(rest);
  if (!d || *mo < 1 || *mo > 12 || *d < 1 || *d > 31) return std::nullopt;
  const long days =
      DaysFromCivil(static_cast<long>(*y), static_cast<long>(*mo), static_cast<long>(*d));
  double serial = date1904 ? days - DaysFromCivil(1904, 1, 1) : days - DaysFromCivil(1899, 12, 30);
  if (!date1904 && serial < 61) serial -= 1;  // before the fictitious 1900-02-29
  if (Take(rest, 'T')) {
    auto time = TimeOfDay(rest);
    if (!time) return std::nullopt;
    serial += *time;
  }
  return serial;
}

std::optional<double> IsoDurationToDays(std::string_view text) {
  const bool negative = Take(text, '-');
  if (!Take(text, 'P')) return std::nullopt;
  double days = 0;
  bool inTime = false;
  while (!text.empty()) {
    if (Take(text, 'T')) {
      inTime = true;
      continue;
    }
    auto n = TakeNumber(text);
    if (!n || text.empty()) return std::nullopt;
    const char unit = text.front();
    text.remove_prefix(1);
    if (unit == 'D' && !inTime)
      days += *n;
    else if (unit == 'H' && inTime)
      days += *n / 24;
    else if (unit == 'M' && inTime)
      days += *n / 1440;
    else if (unit == 'S' && inTime)
      days += *n / 86400;
    else
      return std::nullopt;
  }
  return negative ? -days : days;
}

}  // namespace tabulo::spreadsheet
