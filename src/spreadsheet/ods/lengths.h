#pragma once
// OpenDocument lengths ("2.5cm", "0.178in", "10pt") in the units the model keeps.
#include <optional>
#include <string_view>

namespace tabulo::spreadsheet::ods {

// The length in points (1/72 inch); nothing when it is not a length.
std::optional<double> LengthInPoints(std::string_view text);

}  // namespace tabulo::spreadsheet::ods
