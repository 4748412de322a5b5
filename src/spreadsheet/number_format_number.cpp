#include <algorithm>
#include <cstdlib>
#include <tuple>

#include "spreadsheet/number_format.h"
#include "spreadsheet/number_format_decimal.h"
#include "spreadsheet/number_format_render.h"

namespace tabulo::spreadsheet::numfmt {

namespace {

// The placeholders of a number section by part.
struct Slots {
  std::string integer;
  std::string fraction;
  std::string exponent;
  bool hasExponent = false;
};

Slots CollectSlots(const Section& section) {
  Slots slots;
  std::string* part = &slots.integer;
  for (const Token& token : section.tokens) {
    if (token.kind == TokenKind::kDigit) {
      *part += token.text;
    } else if (token.kind == TokenKind::kDecimalPoint && part == &slots.integer) {
      part = &slots.fraction;
    } else if (token.kind == TokenKind::kExponent && !slots.hasExponent) {
      slots.hasExponent = true;
      part = &slots.exponent;
    }
  }
  return slots;
}

// Decimals beyond the last non-zero digit: 0 shows them, ? shows a space, # nothing.
std::vector<std::string> FillFractionSlots(std::string_view digits, std::string_view slots) {
  std::vector<std::string> out(slots.size());
  const std::size_t lastNonZero = digits.find_last_not_of('0');
  for (std::size_t i = 0; i < slots.size(); ++i) {
    if (lastNonZero != std::string_view::npos && i <= lastNonZero) {
      out[i] = digits[i];
    } else if (slots[i] == '0') {
      out[i] = "0";
    } else if (slots[i] == '?') {
      out[i] = " ";
    }
  }
  return out;
}

std::string GroupDigits(std::string_view digits, bool grouping) {
  std::string out;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    out += digits[i];
    const std::size_t position = digits.size() - 1 - i;
    if (grouping && position > 0 && position % 3 == 0) out += ',';
  }
  return out;
}

int FloorDiv(int a, int b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

// Mantissa and exponent for a scientific code. With # before the integer 0s
// ("##0.0E+0") the exponent is a multiple of the integer placeholder count;
// otherwise the mantissa fills the integer placeholders.
std::pair<FixedDigits, int> Scientific(const DecimalDigits& value, const Slots& slots) {
  const int decimals = static_cast<int>(slots.fraction.size());
  if (value.IsZero()) return {RoundToDecimals(value, decimals), 0};
  const int integerSlots = static_cast<int>(slots.integer.size());
  const bool engineering = integerSlots > 1 && slots.integer.front() == '#';
  int leading = value.Exponent();
  FixedDigits mantissa;
  int exponent = 0;
  for (int attempt = 0; attempt < 2; ++attempt, ++leading) {
    exponent = engineering        ? FloorDiv(leading, integerSlots) * integerSlots
               : integerSlots > 0 ? leading - (integerSlots - 1)
                                  : leading + 1;
    mantissa = RoundToDecimals(value.Shifted(-exponent), decimals);
    // Rounding up may add a digit (9.99 -> 10.0): then take the next exponent.
    if (static_cast<int>(mantissa.integer.size()) <= std::max(integerSlots, engineering ? 0 : 1)) {
      break;
    }
  }
  return {mantissa, exponent};
}

}  // namespace

std::vector<std::string> FillIntegerSlots(std::string_view digits, std::string_view slots,
                                          bool grouping) {
  const int count = static_cast<int>(slots.size());
  const int length = static_cast<int>(digits.size());
  std::vector<std::string> out(slots.size());
  for (int i = 0; i < count; ++i) {
    std::string& text = out[i];
    const int position = count - 1 - i;  // counted from the units digit
    if (i == 0) {
      for (int p = length - 1; p >= count; --p) {
        text += digits[length - 1 - p];
        if (grouping && p % 3 == 0) text += ',';
      }
    }
    char shown = 0;
    if (position < length) {
      shown = digits[length - 1 - position];
    } else if (slots[i] == '0') {
      shown = '0';
    } else if (slots[i] == '?') {
      shown = ' ';
    }
    if (shown == 0) continue;
    text += shown;
    if (grouping && position > 0 && position % 3 == 0) text += shown == ' ' ? ' ' : ',';
  }
  return out;
}

RenderedNumber RenderNumber(const Section& section, double magnitude) {
  if (section.kind == SectionKind::kFraction) return {RenderFraction(section, magnitude), false};
  const Slots slots = CollectSlots(section);
  const DecimalDigits value =
      DecimalDigits::Of(magnitude).Shifted(2 * section.percentCount - 3 * section.thousandsScale);

  FixedDigits number;
  int exponent = 0;
  if (slots.hasExponent) {
    std::tie(number, exponent) = Scientific(value, slots);
  } else {
    number = RoundToDecimals(value, static_cast<int>(slots.fraction.size()));
  }
  const std::string exponentDigits = std::to_string(std::abs(exponent));
  const auto integerOut =
      FillIntegerSlots(number.integer, slots.integer, section.grouping && !slots.hasExponent);
  const auto fractionOut = FillFractionSlots(number.fraction, slots.fraction);
  const auto exponentOut = FillIntegerSlots(exponentDigits, slots.exponent, false);

  enum class Part { kInteger, kFraction, kExponent } part = Part::kInteger;
  std::size_t index = 0;
  std::string out;
  // A code without integer placeholders (".00") still shows the integer digits.
  auto integerWithoutSlots = [&] {
    if (part == Part::kInteger && slots.integer.empty()) {
      out += GroupDigits(number.integer, section.grouping);
    }
  };
  for (const Token& token : section.tokens) {
    switch (token.kind) {
      case TokenKind::kDigit:
        if (part == Part::kInteger) {
          out += integerOut[index++];
        } else if (part == Part::kFraction) {
          out += fractionOut[index++];
        } else {
          out += exponentOut[index++];
        }
        break;
      case TokenKind::kDecimalPoint:
        integerWithoutSlots();
        out += '.';
        if (part == Part::kInteger) {
          part = Part::kFraction;
          index = 0;
        }
        break;
      case TokenKind::kExponent:
        if (part == Part::kExponent) {
          out += "E" + token.text;
          break;
        }
        integerWithoutSlots();
        out += 'E';
        if (exponent < 0) {
          out += '-';
        } else if (token.text == "+") {
          out += '+';
        }
        if (slots.exponent.empty()) out += exponentDigits;
        part = Part::kExponent;
        index = 0;
        break;
      case TokenKind::kGeneral:
        out += FormatGeneral(magnitude);
        break;
      default:
        out += token.text;
        break;
    }
  }
  const bool hasDigits = !slots.integer.empty() || !slots.fraction.empty();
  const bool allZero = number.integer.find_first_not_of('0') == std::string::npos &&
                       number.fraction.find_first_not_of('0') == std::string::npos;
  return {out, hasDigits && allZero};
}

}  // namespace tabulo::spreadsheet::numfmt
