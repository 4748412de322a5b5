#pragma once
// The spreadsheet's built-in number formats 0..49 (numFmtId / BIFF ifmt), as the
// English-language application shows their codes.
#include <string>

namespace tabulo::spreadsheet::xlsx {

// Format code of built-in id `id`; "General" for ids that have none in this locale.
std::string BuiltinNumberFormat(int id);

}  // namespace tabulo::spreadsheet::xlsx
