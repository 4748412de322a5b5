#include "spreadsheet/typed_value.h"

#include "automation/object.h"

#include <cctype>
#include <charconv>
#include <cmath>

namespace tabulo::spreadsheet {
namespace {

using automation::EqualsIgnoreCase;

std::string_view TrimSpaces(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

struct NumberShape {
  bool ok = false;
  bool hasFraction = false;
  bool hasExponent = false;
};

// Checks the whole text against [+-] (digits [. digits] | . digits) [e [+-] digits].
NumberShape CheckNumber(std::string_view s) {
  NumberShape shape;
  std::size_t i = 0;
  auto digits = [&] {
    std::size_t start = i;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i;
    return i - start;
  };
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  std::size_t whole = digits(), fraction = 0;
  if (i < s.size() && s[i] == '.') {
    ++i;
    fraction = digits();
    shape.hasFraction = fraction > 0;
  }
  if (whole + fraction == 0) return shape;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    if (digits() == 0) return shape;
    shape.hasExponent = true;
  }
  shape.ok = i == s.size();
  return shape;
}

std::optional<double> ToDouble(std::string_view s) {
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  double value = 0;
  auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (error != std::errc() || end != s.data() + s.size() || !std::isfinite(value))
    return std::nullopt;
  return value == 0.0 ? 0.0 : value;  // no negative zero
}

}  // namespace

TypedEntry ValueFromTyping(std::string_view text) {
  if (text.empty()) return {};
  if (text.front() == '\'') return {std::string(text.substr(1)), std::nullopt};
  const std::string_view trimmed = TrimSpaces(text);
  if (EqualsIgnoreCase(trimmed, "TRUE")) return {true, std::nullopt};
  if (EqualsIgnoreCase(trimmed, "FALSE")) return {false, std::nullopt};

  std::string_view number = trimmed;
  const bool percent = !number.empty() && number.back() == '%';
  if (percent) number = TrimSpaces(number.substr(0, number.size() - 1));
  const NumberShape shape = CheckNumber(number);
  if (shape.ok && !(percent && shape.hasExponent)) {
    if (std::optional<double> value = ToDouble(number)) {
      if (percent) return {*value / 100.0, std::string(shape.hasFraction ? "0.00%" : "0%")};
      if (shape.hasExponent) return {*value, std::string("0.00E+00")};
      return {*value, std::nullopt};
    }
  }
  return {std::string(text), std::nullopt};
}

}  // namespace tabulo::spreadsheet
