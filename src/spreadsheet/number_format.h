#pragma once
// Number format codes rendered as the spreadsheet displays them, with invariant
// (English) conventions: '.' for decimals, ',' for thousands, English month and
// day names.
#include <string>
#include <string_view>

namespace tabulo::spreadsheet {

// The code of built-in number format `id` as the English spreadsheet shows it
// (14 is "m/d/yyyy", 5 is "$#,##0_);($#,##0)" ...). Ids without a built-in code
// (23..36 and any unknown id) give "General", which is how the spreadsheet treats
// them.
std::string_view BuiltinFormatCode(int id);

// The text of a number shown through `code`; `date1904` selects the date system
// for date and time codes. An empty code is General.
std::string FormatNumber(double value, std::string_view code, bool date1904);

// The text of a string (or of TRUE/FALSE) shown through `code`: its text section
// when it has one (the fourth section, or a last section holding @), the string
// itself otherwise.
std::string FormatText(std::string_view text, std::string_view code);

// A number in the General format: at most 11 characters besides the sign,
// rounded to fit, switching to scientific form (1.23457E+12) for numbers of 12 or
// more integer digits and for small numbers whose digits do not fit (0.000012345
// fits, 0.0000012345 shows as 1.2345E-06).
std::string FormatGeneral(double value);

// What a number that cannot be shown displays as: a date or time negative in the
// 1900 date system or past the year 9999, or a value no conditional section takes.
// (The spreadsheet fills the cell's width with #; the width is not known here.)
inline constexpr std::string_view kUnshowable = "########";

}  // namespace tabulo::spreadsheet
