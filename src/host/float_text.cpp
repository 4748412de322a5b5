#include "host/float_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace tabulo::host {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Exponents beyond this decide over- or underflow by their sign alone.
constexpr long kExponentLimit = 100000;

}  // namespace

std::optional<double> ParseFloatText(std::string_view text, char decimalSeparator) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  auto skipSpaces = [&] {
    while (i < n && text[i] == ' ') ++i;
  };

  skipSpaces();
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';

  const std::size_t intStart = i;
  while (i < n && IsDigit(text[i])) ++i;
  std::string_view intDigits = text.substr(intStart, i - intStart);
  bool separator = false;
  std::string_view fracDigits;
  if (i < n && text[i] == decimalSeparator) {
    separator = true;
    const std::size_t fracStart = ++i;
    while (i < n && IsDigit(text[i])) ++i;
    fracDigits = text.substr(fracStart, i - fracStart);
  }
  if (intDigits.empty() && !separator) return std::nullopt;  // no mantissa at all

  long exponent = 0;
  if (i < n && (text[i] == 'E' || text[i] == 'e')) {
    ++i;
    bool negativeExponent = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negativeExponent = text[i++] == '-';
    while (i < n && IsDigit(text[i])) {
      if (exponent < kExponentLimit) exponent = exponent * 10 + (text[i] - '0');
      ++i;
    }
    if (negativeExponent) exponent = -exponent;
  }
  skipSpaces();
  if (i != n) return std::nullopt;

  // Rebuild the number in the invariant form for an exact conversion.
  std::string digits(intDigits);
  digits += fracDigits;
  const std::size_t firstNonZero = digits.find_first_not_of('0');
  const double zero = negative ? -0.0 : 0.0;
  if (firstNonZero == std::string::npos) return zero;
  // Decimal exponent of the leading significant digit, to tell overflow from underflow.
  const long magnitude =
      static_cast<long>(intDigits.size()) - static_cast<long>(firstNonZero) + exponent;
  if (magnitude > 400) return std::nullopt;
  if (magnitude < -400) return zero;

  std::string normal = negative ? "-" : "";
  normal += intDigits.empty() ? std::string_view("0") : intDigits;
  normal += '.';
  normal += fracDigits;
  normal += 'e';
  normal += std::to_string(exponent);
  double value = 0;
  auto [end, error] = std::from_chars(normal.data(), normal.data() + normal.size(), value);
  if (error == std::errc::result_out_of_range) {
    if (magnitude > 0) return std::nullopt;
    return zero;  // below the smallest double: it rounds to zero
  }
  if (error != std::errc() || end != normal.data() + normal.size() || std::isinf(value))
    return std::nullopt;
  return value;
}

bool IsFloatText(std::string_view text, char decimalSeparator) {
  return ParseFloatText(text, decimalSeparator).has_value();
}

std::string FormatFloatGeneral(double value, char decimalSeparator) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (value == 0) return "0";

  // 15 significant digits, rounded once: d.dddddddddddddde±x
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
  std::string text(buffer);
  const std::size_t e = text.find('e');
  std::string digits = text.substr(0, 1) + text.substr(2, e - 2);
  const int exponent = std::atoi(text.c_str() + e + 1);  // value = d.ddd × 10^exponent
  digits.erase(digits.find_last_not_of('0') + 1);

  std::string out = value < 0 ? "-" : "";
  if (exponent >= -4 && exponent < 15) {
    if (exponent < 0) {
      out += '0';
      out += decimalSeparator;
      out.append(static_cast<std::size_t>(-exponent - 1), '0');
      out += digits;
    } else {
      const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
      if (digits.size() <= integerDigits) {
        out += digits;
        out.append(integerDigits - digits.size(), '0');
      } else {
        out += digits.substr(0, integerDigits);
        out += decimalSeparator;
        out += digits.substr(integerDigits);
      }
    }
    return out;
  }
  out += digits.substr(0, 1);
  if (digits.size() > 1) {
    out += decimalSeparator;
    out += digits.substr(1);
  }
  out += 'E';
  out += std::to_string(exponent);
  return out;
}

}  // namespace tabulo::host
