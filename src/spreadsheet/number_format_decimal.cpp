#include "spreadsheet/number_format_decimal.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tabulo::spreadsheet::numfmt {

namespace {

// Keeps the first `keep` digits, rounding half up on the next one. A carry out of
// the leading digit adds a digit in front and moves the point one place right.
void RoundDigits(std::string& digits, int& pointPos, int keep) {
  if (keep >= static_cast<int>(digits.size())) return;
  if (keep < 0) {
    digits.clear();
    return;
  }
  const bool up = digits[keep] >= '5';
  digits.resize(keep);
  if (up) {
    int i = keep - 1;
    while (i >= 0 && digits[i] == '9') digits[i--] = '0';
    if (i >= 0) {
      ++digits[i];
    } else {
      digits.insert(digits.begin(), '1');
      ++pointPos;
    }
  }
  while (!digits.empty() && digits.back() == '0') digits.pop_back();
}

}  // namespace

DecimalDigits DecimalDigits::Of(double value) {
  DecimalDigits result;
  if (value == 0 || !std::isfinite(value)) return result;
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
  // buffer: d.dddddddddddddde[+-]xx
  const char* p = buffer;
  for (; *p != 'e'; ++p) {
    if (*p != '.') result.digits.push_back(*p);
  }
  result.pointPos = std::atoi(p + 1) + 1;
  while (!result.digits.empty() && result.digits.back() == '0') result.digits.pop_back();
  return result;
}

double DecimalDigits::Value() const {
  if (IsZero()) return 0;
  const std::string text = "0." + digits + "e" + std::to_string(pointPos);
  return std::strtod(text.c_str(), nullptr);
}

DecimalDigits DecimalDigits::Shifted(int power) const {
  DecimalDigits result = *this;
  if (!result.IsZero()) result.pointPos += power;
  return result;
}

FixedDigits RoundToDecimals(const DecimalDigits& value, int decimals) {
  std::string digits = value.digits;
  int pointPos = value.pointPos;
  RoundDigits(digits, pointPos, pointPos + decimals);
  FixedDigits result;
  if (digits.empty()) {
    result.fraction.assign(decimals, '0');
    return result;
  }
  if (pointPos > 0) {
    result.integer = digits.substr(0, std::min<std::size_t>(pointPos, digits.size()));
    result.integer.append(pointPos - result.integer.size(), '0');
  }
  for (int i = 0; i < decimals; ++i) {
    const int index = pointPos + i;
    result.fraction.push_back(index >= 0 && index < static_cast<int>(digits.size()) ? digits[index]
                                                                                    : '0');
  }
  return result;
}

SignificantDigits RoundToSignificant(const DecimalDigits& value, int significant) {
  SignificantDigits result;
  if (value.IsZero()) {
    result.digits.assign(significant, '0');
    return result;
  }
  std::string digits = value.digits;
  int pointPos = value.pointPos;
  RoundDigits(digits, pointPos, significant);
  digits.resize(significant, '0');
  result.digits = digits;
  result.exponent = pointPos - 1;
  return result;
}

}  // namespace tabulo::spreadsheet::numfmt
