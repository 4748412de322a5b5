// Interim rendering: General only. Replaced by the full number-format renderer.
#include "spreadsheet/displayed_text.h"

#include <cstdio>

namespace tabulo::spreadsheet {

std::string DisplayText(const CellValue& value, std::string_view, bool) {
  if (const auto* s = std::get_if<std::string>(&value)) return *s;
  if (const auto* b = std::get_if<bool>(&value)) return *b ? "TRUE" : "FALSE";
  if (const auto* e = std::get_if<ErrorValue>(&value)) return e->text;
  if (const auto* d = std::get_if<double>(&value)) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.10G", *d);
    return buffer;
  }
  return "";
}

}  // namespace tabulo::spreadsheet
