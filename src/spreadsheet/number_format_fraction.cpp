#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "spreadsheet/number_format_decimal.h"
#include "spreadsheet/number_format_render.h"

namespace tabulo::spreadsheet::numfmt {

namespace {

struct Fraction {
  double numerator = 0;
  double denominator = 1;
};

// Continued-fraction convergents of `x` (J. Kennedy's decimal-to-fraction
// method), stopping before the denominator reaches `denominatorLimit`. The
// spreadsheet picks its fractions this way: 0.456 with one digit shows 1/2,
// not the nearer 4/9.
Fraction ConvergentFraction(double x, double denominatorLimit) {
  if (x == std::floor(x)) return {x, 1};
  double z = x;
  double previousDenominator = 0, denominator = 1;
  double previousNumerator = 0, numerator = 0;
  do {
    z = 1 / (z - std::floor(z));
    const double next = denominator * std::floor(z) + previousDenominator;
    previousDenominator = denominator;
    denominator = next;
    previousNumerator = numerator;
    numerator = std::floor(x * denominator + 0.5);
    if (denominator >= denominatorLimit) {
      if (previousDenominator == 0) return {0, 1};
      return {previousNumerator, previousDenominator};
    }
  } while (std::fabs(x - numerator / denominator) >= 1e-13 && z != std::floor(z));
  return {numerator, denominator};
}

std::string Digits(double whole) {
  return whole < 1 ? "" : RoundToDecimals(DecimalDigits::Of(whole), 0).integer;
}

// Placeholders that always take room: 0 and ?.
int RequiredCount(std::string_view slots) {
  int count = 0;
  for (char c : slots) count += c != '#' ? 1 : 0;
  return count;
}

}  // namespace

std::string RenderFraction(const Section& section, double magnitude) {
  const auto& tokens = section.tokens;
  std::size_t bar = 0;
  while (tokens[bar].kind != TokenKind::kSlash) ++bar;
  // Numerator: the placeholders just before the bar (spaces may separate them).
  std::size_t numeratorEnd = bar;
  while (tokens[numeratorEnd - 1].kind != TokenKind::kDigit) --numeratorEnd;
  std::size_t numeratorStart = numeratorEnd;
  while (numeratorStart > 0 && tokens[numeratorStart - 1].kind == TokenKind::kDigit) {
    --numeratorStart;
  }
  std::size_t denominatorStart = bar + 1;
  while (tokens[denominatorStart].kind == TokenKind::kLiteral) ++denominatorStart;
  std::size_t denominatorEnd = denominatorStart;
  std::string integerSlots, numeratorSlots, denominatorSlots;
  double fixedDenominator = 0;
  if (tokens[denominatorStart].kind == TokenKind::kFixedDenominator) {
    fixedDenominator = std::strtod(tokens[denominatorStart].text.c_str(), nullptr);
    ++denominatorEnd;
  } else {
    while (denominatorEnd < tokens.size() && tokens[denominatorEnd].kind == TokenKind::kDigit) {
      denominatorSlots += tokens[denominatorEnd++].text;
    }
  }
  std::size_t integerEnd = 0;  // just after the last integer placeholder
  for (std::size_t i = 0; i < numeratorStart; ++i) {
    if (tokens[i].kind == TokenKind::kDigit) {
      integerSlots += tokens[i].text;
      integerEnd = i + 1;
    }
  }
  for (std::size_t i = numeratorStart; i < numeratorEnd; ++i) numeratorSlots += tokens[i].text;

  // Fractions are taken of the number as shown to 15 digits (0.1 + 0.2 is 0.3).
  magnitude = DecimalDigits::Of(magnitude).Value();
  const bool hasInteger = !integerSlots.empty();
  // With 0 placeholders the fraction always shows, as 0/1 for a whole number.
  const bool alwaysShown = numeratorSlots.find('0') != std::string::npos ||
                           denominatorSlots.find('0') != std::string::npos;
  const int required =
      RequiredCount(numeratorSlots) + (fixedDenominator > 0 ? 1 : RequiredCount(denominatorSlots));

  double whole = hasInteger ? std::floor(magnitude) : 0;
  const double part = magnitude - whole;
  Fraction fraction;
  if (fixedDenominator > 0) {
    fraction = {std::floor(part * fixedDenominator + 0.5), fixedDenominator};
  } else {
    const int places = std::min<int>(static_cast<int>(denominatorSlots.size()), 15);
    fraction = ConvergentFraction(part, std::pow(10.0, places));
  }
  if (hasInteger && fraction.numerator >= fraction.denominator) {
    whole += 1;
    fraction.numerator = 0;
  }
  const bool showFraction = alwaysShown || fraction.numerator != 0 || !hasInteger;
  if (!showFraction || fraction.numerator == 0) {
    fraction.denominator = fixedDenominator > 0 ? fixedDenominator : 1;
  }

  std::string integerDigits = Digits(whole);
  if (hasInteger && !showFraction && integerDigits.empty()) integerDigits = "0";
  std::string numeratorDigits = Digits(fraction.numerator);
  if (numeratorDigits.empty() && (alwaysShown || !hasInteger)) numeratorDigits = "0";
  const std::string denominatorDigits = Digits(fraction.denominator);

  const auto integerOut = FillIntegerSlots(integerDigits, integerSlots, section.grouping);
  const auto numeratorOut =
      FillIntegerSlots(showFraction ? numeratorDigits : "", numeratorSlots, false);
  // Text between the parts shows with the fraction; without one it is blanked
  // where ? placeholders keep the fraction's room, dropped otherwise.
  auto between = [&](const std::string& text, bool shown) {
    if (shown) return text;
    return required > 0 ? std::string(text.size(), ' ') : std::string();
  };
  std::string out;
  std::size_t integerIndex = 0, numeratorIndex = 0;
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    const Token& token = tokens[i];
    if (i < numeratorStart) {
      if (token.kind == TokenKind::kDigit) {
        out += integerOut[integerIndex++];
      } else if (hasInteger && i >= integerEnd) {
        // Between the whole number and the numerator.
        const bool room = showFraction || required > 0;
        if (room && (!integerDigits.empty() || RequiredCount(numeratorSlots) > 0)) {
          out += token.text;
        }
      } else {
        out += token.text;
      }
    } else if (i < numeratorEnd) {
      out += numeratorOut[numeratorIndex++];
    } else if (i < bar || (i > bar && i < denominatorStart)) {
      out += between(token.text, showFraction);
    } else if (i == bar) {
      out += between("/", showFraction);
    } else if (i < denominatorEnd) {
      if (i != denominatorStart) continue;
      if (showFraction) {
        // The denominator is aligned left: ? placeholders it leaves free are spaces.
        out += denominatorDigits;
        for (std::size_t k = denominatorDigits.size(); k < denominatorSlots.size(); ++k) {
          if (denominatorSlots[k] != '#') out += ' ';
        }
      } else if (fixedDenominator > 0) {
        out += std::string(token.text.size(), ' ');
      } else {
        for (char slot : denominatorSlots) {
          if (slot != '#') out += ' ';
        }
      }
    } else if (token.kind != TokenKind::kDecimalPoint) {
      out += token.text;
    }
  }
  return out;
}

}  // namespace tabulo::spreadsheet::numfmt
