#pragma once
// Format codes split into sections and tokens. The renderers in
// number_format_*.cpp walk these tokens; nothing here knows about values.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tabulo::spreadsheet::numfmt {

enum class TokenKind {
  kLiteral,  // text shown as it is (quoted text, escapes, _x padding, currency)
  kDigit,    // 0, # or ? (text holds which)
  kDecimalPoint,
  kPercent,
  kExponent,          // E+ or E- (text holds the sign character)
  kSlash,             // fraction bar
  kFixedDenominator,  // the digits after the bar of "# ?/8" (text holds them)
  kText,              // @
  kGeneral,           // the word General inside a code
  kYear,              // count: y..yyyy
  kMonth,             // count: m..mmmmm
  kMinute,            // count: m, mm after an hour or before a second
  kDay,               // count: d..dddd
  kHour,              // count: h, hh
  kSecond,            // count: s, ss
  kSubSecond,         // count: decimals of the seconds (.0 .. .000)
  kAmPm,              // text: "AM/PM" or the A/P pair as written
  kElapsedHours,      // [h]; count: minimum width
  kElapsedMinutes,    // [m]
  kElapsedSeconds,    // [s]
};

struct Token {
  TokenKind kind;
  std::string text;  // the characters to show for a literal; see TokenKind for others
  int count = 0;
};

struct Condition {
  enum class Op { kLess, kLessEqual, kGreater, kGreaterEqual, kEqual, kNotEqual };
  Op op;
  double operand;
  bool Matches(double value) const;
};

enum class SectionKind { kNumber, kFraction, kDate, kText };

struct Section {
  SectionKind kind = SectionKind::kNumber;
  std::vector<Token> tokens;
  std::optional<Condition> condition;
  bool grouping = false;   // thousands separators between integer digits
  int thousandsScale = 0;  // trailing commas: divide by 1000 each
  int percentCount = 0;    // multiply by 100 each
  bool hasText = false;    // holds @
  bool IsEmpty() const { return tokens.empty(); }
};

// The sections of a code, in order (at most four are used).
struct ParsedFormat {
  std::vector<Section> sections;
};

// Splits a code into sections and tokens. Never fails: characters without a
// meaning are shown as literals, unknown bracket codes (colours, [DBNum1]) are
// dropped, as the spreadsheet does.
ParsedFormat ParseFormat(std::string_view code);

}  // namespace tabulo::spreadsheet::numfmt
