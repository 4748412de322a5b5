#pragma once
// OpenDocument data styles (number:number-style, number:date-style ...) as the
// spreadsheet's number format codes.
#include <map>
#include <pugixml.hpp>
#include <string>

namespace tabulo::spreadsheet::ods {

// Adds the format code of every data style under `container` (office:styles or
// office:automatic-styles) to `codes`, by style name. Conditional sections
// (style:map) become the sections before the style's own; what has no equivalent
// code is left out.
void ReadNumberStyles(const pugi::xml_node& container, std::map<std::string, std::string>& codes);

}  // namespace tabulo::spreadsheet::ods
