#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <string_view>

#include "spreadsheet/date_serial.h"
#include "spreadsheet/number_format_render.h"

namespace tabulo::spreadsheet::numfmt {

namespace {

constexpr std::array<std::string_view, 12> kMonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};
constexpr std::array<std::string_view, 7> kDayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                       "Thursday", "Friday", "Saturday"};

std::string Padded(std::int64_t number, int width) {
  std::string digits = std::to_string(number);
  if (static_cast<int>(digits.size()) < width) digits.insert(0, width - digits.size(), '0');
  return digits;
}

// The parts of a serial number, rounded to the shown fraction of a second.
struct Moment {
  CivilDate date;
  int hour = 0, minute = 0, second = 0;
  std::int64_t totalSeconds = 0;  // since serial 0, for elapsed time
  std::int64_t subSecond = 0;     // in units of 10^-precision seconds
};

Moment Split(double serial, int precision, bool date1904, bool& inRange) {
  std::int64_t unitsPerSecond = 1;
  for (int i = 0; i < precision; ++i) unitsPerSecond *= 10;
  const std::int64_t unitsPerDay = 86400 * unitsPerSecond;
  Moment moment;
  inRange = serial < static_cast<double>(LastSerialDay(date1904) + 1);
  if (!inRange) return moment;
  auto day = static_cast<std::int64_t>(std::floor(serial));
  // Seconds are rounded; larger fields are then cut, as the spreadsheet shows
  // 10:59:59.6 as 11:00 with "h:mm" but 10:59:40 as 10:59.
  auto units =
      static_cast<std::int64_t>(std::floor((serial - std::floor(serial)) * unitsPerDay + 0.5));
  if (units >= unitsPerDay) {
    ++day;
    units -= unitsPerDay;
  }
  inRange = day <= LastSerialDay(date1904);
  if (!inRange) return moment;
  moment.date = DateFromSerial(day, date1904);
  const std::int64_t seconds = units / unitsPerSecond;
  moment.subSecond = units % unitsPerSecond;
  moment.hour = static_cast<int>(seconds / 3600);
  moment.minute = static_cast<int>(seconds / 60 % 60);
  moment.second = static_cast<int>(seconds % 60);
  moment.totalSeconds = day * 86400 + seconds;
  return moment;
}

}  // namespace

std::optional<std::string> RenderDate(const Section& section, double serial, bool date1904) {
  std::string out;
  if (serial < 0) {
    // The 1904 system shows negative dates and times with a sign; 1900 cannot.
    if (!date1904) return std::nullopt;
    out = "-";
    serial = -serial;
  }
  int precision = 0;
  bool twelveHour = false;
  for (const Token& token : section.tokens) {
    if (token.kind == TokenKind::kSubSecond) precision = std::max(precision, token.count);
    if (token.kind == TokenKind::kAmPm) twelveHour = true;
  }
  bool inRange = true;
  const Moment moment = Split(serial, precision, date1904, inRange);
  if (!inRange) return std::nullopt;

  const CivilDate& date = moment.date;
  for (const Token& token : section.tokens) {
    switch (token.kind) {
      case TokenKind::kYear:
        out += token.count <= 2 ? Padded(date.year % 100, 2) : Padded(date.year, 4);
        break;
      case TokenKind::kMonth:
        if (token.count <= 2) {
          out += Padded(date.month, token.count);
        } else if (token.count == 3) {
          out += kMonthNames[date.month - 1].substr(0, 3);
        } else if (token.count == 5) {
          out += kMonthNames[date.month - 1].substr(0, 1);
        } else {
          out += kMonthNames[date.month - 1];
        }
        break;
      case TokenKind::kDay:
        if (token.count <= 2) {
          out += Padded(date.day, token.count);
        } else if (token.count == 3) {
          out += kDayNames[date.weekday].substr(0, 3);
        } else {
          out += kDayNames[date.weekday];
        }
        break;
      case TokenKind::kHour: {
        int hour = moment.hour;
        if (twelveHour) hour = hour % 12 == 0 ? 12 : hour % 12;
        out += Padded(hour, std::min(token.count, 2));
        break;
      }
      case TokenKind::kMinute:
        out += Padded(moment.minute, std::min(token.count, 2));
        break;
      case TokenKind::kSecond:
        out += Padded(moment.second, std::min(token.count, 2));
        break;
      case TokenKind::kSubSecond:
        out += '.';
        out += Padded(moment.subSecond, precision).substr(0, token.count);
        break;
      case TokenKind::kAmPm:
        if (token.text == "AM/PM") {
          out += moment.hour < 12 ? "AM" : "PM";
        } else {
          out += moment.hour < 12 ? 'A' : 'P';
        }
        break;
      case TokenKind::kElapsedHours:
        out += Padded(moment.totalSeconds / 3600, token.count);
        break;
      case TokenKind::kElapsedMinutes:
        out += Padded(moment.totalSeconds / 60, token.count);
        break;
      case TokenKind::kElapsedSeconds:
        out += Padded(moment.totalSeconds, token.count);
        break;
      default:
        out += token.text;
        break;
    }
  }
  return out;
}

}  // namespace tabulo::spreadsheet::numfmt
