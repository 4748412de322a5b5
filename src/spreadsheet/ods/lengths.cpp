#include "spreadsheet/ods/lengths.h"

#include <charconv>
#include <cmath>
#include <string>

namespace tabulo::spreadsheet::ods {

std::optional<double> LengthInPoints(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  double value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || !std::isfinite(value)) return std::nullopt;
  const std::string_view unit(end, static_cast<std::size_t>(text.data() + text.size() - end));
  if (unit == "pt") return value;
  if (unit == "in") return value * 72.0;
  if (unit == "cm") return value * 72.0 / 2.54;
  if (unit == "mm") return value * 72.0 / 25.4;
  if (unit == "pc") return value * 12.0;
  if (unit == "px") return value * 0.75;
  return std::nullopt;
}

}  // namespace tabulo::spreadsheet::ods
