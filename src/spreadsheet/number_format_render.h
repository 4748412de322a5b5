#pragma once
// Renderers for one parsed section. The caller has chosen the section and
// handles the sign; number renderers get the magnitude.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "spreadsheet/number_format_parse.h"

namespace tabulo::spreadsheet::numfmt {

struct RenderedNumber {
  std::string text;
  bool onlyZeros = false;  // shows digits, all of them zero (-0.01 through "0.0")
};

// Digits, decimals, thousands, percent, scientific, fractions and literal text.
RenderedNumber RenderNumber(const Section& section, double magnitude);

// "# ?/?" and the like.
std::string RenderFraction(const Section& section, double magnitude);

// Dates and times of a serial number; nothing when the value has no date
// (negative in the 1900 system, past the year 9999).
std::optional<std::string> RenderDate(const Section& section, double serial, bool date1904);

// What each integer placeholder (0, # or ?, left to right) shows for `digits`
// (no leading zeros, empty for zero). Digits beyond the placeholders go to the
// first one; thousands separators are inserted when `grouping`.
std::vector<std::string> FillIntegerSlots(std::string_view digits, std::string_view slots,
                                          bool grouping);

}  // namespace tabulo::spreadsheet::numfmt
