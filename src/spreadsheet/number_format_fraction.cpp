#include <cmath>
#include <cstdint>

#include "spreadsheet/number_format_decimal.h"
#include "spreadsheet/number_format_render.h"

namespace tabulo::spreadsheet::numfmt {

namespace {

struct Fraction {
  std::int64_t numerator = 0;
  std::int64_t denominator = 1;
};

// The fraction nearest to `x` (>= 0) with a denominator up to `maxDenominator`:
// the last continued-fraction convergent that fits, or the best semiconvergent
// beyond it.
Fraction NearestFraction(double x, std::int64_t maxDenominator) {
  std::int64_t p0 = 0, q0 = 1, p1 = 1, q1 = 0;
  double rest = x;
  for (int step = 0; step < 64; ++step) {
    const double whole = std::floor(rest);
    if (whole > 1e15) break;
    const auto a = static_cast<std::int64_t>(whole);
    const std::int64_t p2 = a * p1 + p0;
    const std::int64_t q2 = a * q1 + q0;
    if (q2 > maxDenominator) {
      const std::int64_t k = (maxDenominator - q0) / q1;
      const Fraction semi{p0 + k * p1, q0 + k * q1};
      const double semiError =
          std::fabs(x - static_cast<double>(semi.numerator) / semi.denominator);
      const double lastError = std::fabs(x - static_cast<double>(p1) / q1);
      return semiError < lastError ? semi : Fraction{p1, q1};
    }
    p0 = p1, q0 = q1, p1 = p2, q1 = q2;
    const double remainder = rest - whole;
    if (remainder < 1e-12 || std::fabs(x - static_cast<double>(p1) / q1) < 1e-15) break;
    rest = 1 / remainder;
  }
  return {p1, q1};
}

std::string WholeDigits(double whole) {
  return RoundToDecimals(DecimalDigits::Of(whole), 0).integer;
}

}  // namespace

std::string RenderFraction(const Section& section, double magnitude) {
  const auto& tokens = section.tokens;
  std::size_t bar = 0;
  while (tokens[bar].kind != TokenKind::kSlash) ++bar;
  std::size_t numeratorStart = bar;
  while (numeratorStart > 0 && tokens[numeratorStart - 1].kind == TokenKind::kDigit) {
    --numeratorStart;
  }
  std::size_t denominatorEnd = bar + 1;
  std::string integerSlots, numeratorSlots, denominatorSlots;
  std::int64_t fixedDenominator = 0;
  if (tokens[bar + 1].kind == TokenKind::kFixedDenominator) {
    fixedDenominator = std::stoll(tokens[bar + 1].text);
    ++denominatorEnd;
  } else {
    while (denominatorEnd < tokens.size() && tokens[denominatorEnd].kind == TokenKind::kDigit) {
      denominatorSlots += tokens[denominatorEnd++].text;
    }
  }
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    if (tokens[i].kind != TokenKind::kDigit) continue;
    if (i < numeratorStart) integerSlots += tokens[i].text;
    if (i >= numeratorStart && i < bar) numeratorSlots += tokens[i].text;
  }

  const bool hasInteger = !integerSlots.empty();
  double whole = hasInteger ? std::floor(magnitude) : 0;
  const double part = magnitude - whole;
  Fraction fraction;
  if (fixedDenominator > 0) {
    fraction = {static_cast<std::int64_t>(std::floor(part * fixedDenominator + 0.5)),
                fixedDenominator};
  } else {
    const int places = std::min<int>(static_cast<int>(denominatorSlots.size()), 9);
    std::int64_t maxDenominator = 1;
    for (int i = 0; i < places; ++i) maxDenominator *= 10;
    fraction = NearestFraction(part, std::max<std::int64_t>(maxDenominator - 1, 1));
  }
  if (hasInteger && fraction.numerator == fraction.denominator) {
    whole += 1;
    fraction.numerator = 0;
  }
  const bool blankFraction = hasInteger && fraction.numerator == 0;

  std::string wholeDigits = whole > 0 ? WholeDigits(whole) : "";
  if (blankFraction && wholeDigits.empty()) wholeDigits = "0";
  std::string numeratorDigits = fraction.numerator > 0 ? std::to_string(fraction.numerator) : "";
  if (!hasInteger && numeratorDigits.empty()) numeratorDigits = "0";
  const std::string denominatorDigits = std::to_string(fraction.denominator);

  const auto integerOut = FillIntegerSlots(wholeDigits, integerSlots, section.grouping);
  const auto numeratorOut = FillIntegerSlots(numeratorDigits, numeratorSlots, false);
  std::string out;
  std::size_t integerIndex = 0, numeratorIndex = 0;
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    const Token& token = tokens[i];
    if (i >= numeratorStart && i < denominatorEnd) {
      if (blankFraction) {
        // A whole number keeps the fraction's width, as spaces.
        const std::size_t width = token.kind == TokenKind::kFixedDenominator
                                      ? token.text.size()
                                      : (token.kind == TokenKind::kLiteral ? token.text.size() : 1);
        out.append(width, ' ');
      } else if (i < bar) {
        out += numeratorOut[numeratorIndex++];
      } else if (i == bar) {
        out += '/';
        // The denominator is aligned left: ? placeholders it leaves free are spaces.
        out += denominatorDigits;
        for (std::size_t k = denominatorDigits.size(); k < denominatorSlots.size(); ++k) {
          if (denominatorSlots[k] == '?') out += ' ';
        }
      }
      continue;
    }
    if (token.kind == TokenKind::kDigit) {
      out += integerOut[integerIndex++];
    } else if (token.kind != TokenKind::kDecimalPoint) {
      out += token.text;
    }
  }
  return out;
}

}  // namespace tabulo::spreadsheet::numfmt
