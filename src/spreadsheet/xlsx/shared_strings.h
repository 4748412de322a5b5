#pragma once
// Text of the shared-strings part and of inline strings.
#include <pugixml.hpp>
#include <string>
#include <string_view>
#include <vector>

namespace tabulo::spreadsheet::xlsx {

// The plain text of a string item (<si> or <is>): its <t>, or the <t> of every run
// concatenated; phonetic hints (<rPh>) are left out.
std::string StringItemText(const pugi::xml_node& item);

// Every <si> of the shared-strings part, in order.
std::vector<std::string> ReadSharedStrings(const pugi::xml_node& sst);

// Decodes the _xHHHH_ escapes SpreadsheetML uses for characters XML cannot hold
// (_x000D_ is a carriage return); "_x005F_" escapes a literal underscore.
std::string DecodeEscapes(std::string_view text);

}  // namespace tabulo::spreadsheet::xlsx
