#pragma once
// The styles part (xl/styles.xml): the cell formats its cellXfs list defines.
#include <array>
#include <cstdint>
#include <pugixml.hpp>
#include <vector>

#include "spreadsheet/workbook.h"
#include "spreadsheet/xlsx/colors.h"

namespace tabulo::spreadsheet::xlsx {

// The file's own palette (<colors><indexedColors>) over the default one; entries
// 8..63 become palette indexes 1..56. Without one, the default palette.
std::array<std::uint32_t, 56> ReadPalette(const pugi::xml_node& styleSheet);

// One CellFormat per <xf> of cellXfs, in order (the `s` attribute of a cell indexes
// this list). An absent styles part gives the single default Calibri 11 format.
std::vector<CellFormat> ReadCellFormats(const pugi::xml_node& styleSheet,
                                        const ColorResolver& colors);

// (LineStyle, Weight) the spreadsheet reports for an xlsx border style name;
// (xlNone, xlThin) for "none" and unknown names.
std::pair<std::int32_t, std::int32_t> BorderStyleFromName(std::string_view style);

}  // namespace tabulo::spreadsheet::xlsx
