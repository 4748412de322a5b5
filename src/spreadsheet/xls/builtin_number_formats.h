#pragma once
#include <cstdint>
#include <string>

namespace tabulo::spreadsheet::xls {

// The format code of a built-in number format id (0..49) as the spreadsheet
// reports it with English (United States) settings; "General" for ids it does not
// define (the locale-specific 23..36 and anything above 49).
std::string BuiltinNumberFormat(std::uint16_t id);

}  // namespace tabulo::spreadsheet::xls
