#include <cmath>
#include <cstdlib>

#include "spreadsheet/number_format.h"
#include "spreadsheet/number_format_decimal.h"

namespace tabulo::spreadsheet {

namespace {

using numfmt::DecimalDigits;

// Width of a General number, sign not counted.
constexpr int kGeneralWidth = 11;

std::string StripTrailingZeros(std::string digits) {
  while (!digits.empty() && digits.back() == '0') digits.pop_back();
  return digits;
}

// d.dddddE+xx: six significant digits, trailing zeros dropped.
std::string ScientificGeneral(const DecimalDigits& value) {
  const numfmt::SignificantDigits rounded = numfmt::RoundToSignificant(value, 6);
  const int exponent = rounded.exponent;
  const std::string decimals = StripTrailingZeros(rounded.digits.substr(1));
  std::string out(1, rounded.digits[0]);
  if (!decimals.empty()) out += "." + decimals;
  out += exponent < 0 ? "E-" : "E+";
  const std::string exponentDigits = std::to_string(std::abs(exponent));
  if (exponentDigits.size() < 2) out += '0';
  out += exponentDigits;
  return out;
}

}  // namespace

std::string FormatGeneral(double value) {
  if (!std::isfinite(value)) return "#NUM!";
  if (value == 0) return "0";
  const std::string sign = value < 0 ? "-" : "";
  const DecimalDigits digits = DecimalDigits::Of(value);
  const int exponent = digits.Exponent();
  if (exponent >= kGeneralWidth) return sign + ScientificGeneral(digits);
  if (exponent < -4) {
    // Small numbers show in full when "0.0000ddd" fits, in scientific form otherwise:
    // they are not rounded to fit as larger ones are.
    const int width = 1 - exponent + static_cast<int>(digits.digits.size());
    if (width > kGeneralWidth) return sign + ScientificGeneral(digits);
    return sign + "0." + std::string(-exponent - 1, '0') + digits.digits;
  }
  const int decimals =
      exponent >= 0 ? std::max(0, kGeneralWidth - 2 - exponent) : kGeneralWidth - 2;
  const numfmt::FixedDigits fixed = numfmt::RoundToDecimals(digits, decimals);
  if (static_cast<int>(fixed.integer.size()) > kGeneralWidth)
    return sign + ScientificGeneral(digits);
  std::string out = sign + (fixed.integer.empty() ? "0" : fixed.integer);
  const std::string fraction = StripTrailingZeros(fixed.fraction);
  if (!fraction.empty()) out += "." + fraction;
  return out;
}

}  // namespace tabulo::spreadsheet
