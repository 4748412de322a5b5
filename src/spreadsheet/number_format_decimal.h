#pragma once
// Decimal digits of a number as the spreadsheet sees it: 15 significant digits,
// rounded half away from zero at the requested place. Rounding on these digits
// rather than on the binary double is what makes 1.005 show as 1.01 with "0.00".
#include <string>

namespace tabulo::spreadsheet::numfmt {

// A non-negative number as 0.<digits> x 10^pointPos; `digits` holds no leading
// zero and is empty for zero.
struct DecimalDigits {
  std::string digits;
  int pointPos = 0;

  // The digits of |value| to 15 significant digits (trailing zeros removed).
  static DecimalDigits Of(double value);

  bool IsZero() const { return digits.empty(); }
  // Position of the leading digit: 10^Exponent() <= value < 10^(Exponent()+1).
  int Exponent() const { return pointPos - 1; }
  // These digits as a double.
  double Value() const;
  // The value multiplied by 10^power.
  DecimalDigits Shifted(int power) const;
};

// A number rounded to a fixed count of decimals.
struct FixedDigits {
  std::string integer;   // no leading zeros; empty when the integer part is zero
  std::string fraction;  // exactly the requested count of digits
};

FixedDigits RoundToDecimals(const DecimalDigits& value, int decimals);

// A number rounded to `significant` digits: value = d.ddd x 10^exponent.
struct SignificantDigits {
  std::string digits;  // exactly `significant` digits; all zeros for zero
  int exponent = 0;
};

SignificantDigits RoundToSignificant(const DecimalDigits& value, int significant);

}  // namespace tabulo::spreadsheet::numfmt
