#pragma once
// Argument and error helpers shared by the stand-in spreadsheet's objects.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "automation/object.h"
#include "spreadsheet/workbook.h"

namespace tabulo::spreadsheet {

// True when argument i was passed and is not the missing marker.
bool Given(const std::vector<automation::Variant>& args, std::size_t i);

// Throws the read-only error when a Get-only member is written.
void RefusePut(std::string_view member, automation::CallKind kind);

// "Unable to set the <property> property of the <cls> class", with the reason
// after it, as the spreadsheet words a refused write ("get" for a refused read).
[[noreturn]] void UnableTo(std::string_view verb, std::string_view property, std::string_view cls,
                           std::string_view reason);

// Refuses changes to a protected sheet, with the spreadsheet's own text.
void RequireUnprotected(const Worksheet& sheet);

// A column argument: a number, or a column name such as "B".
std::int32_t ColumnArg(const automation::Variant& value);

// The value of a cell as the object model returns it: Empty, Double, String or
// Boolean; an error value comes back as its text ("#DIV/0!").
automation::Variant CellValueToVariant(const CellValue& value);

}  // namespace tabulo::spreadsheet
