#include "spreadsheet/number_format_parse.h"

#include "automation/object.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace tabulo::spreadsheet::numfmt {

namespace {

using automation::EqualsIgnoreCase;

// Tokens that exist only while a section is being read: commas become grouping,
// scaling or literal text once the whole section is known.
constexpr auto kComma = static_cast<TokenKind>(1000);

bool StartsWithIgnoreCase(std::string_view text, std::size_t at, std::string_view prefix) {
  return text.size() - at >= prefix.size() &&
         EqualsIgnoreCase(text.substr(at, prefix.size()), prefix);
}

// Length of the UTF-8 sequence starting at `at` (1 for a stray byte).
std::size_t CodePointLength(std::string_view text, std::size_t at) {
  std::size_t length = 1;
  while (at + length < text.size() &&
         (static_cast<unsigned char>(text[at + length]) & 0xC0) == 0x80) {
    ++length;
  }
  return length;
}

bool IsDateToken(TokenKind kind) {
  return kind >= TokenKind::kYear && kind <= TokenKind::kElapsedSeconds;
}

// The end of the code part that starts at `at`: the closing quote or bracket, or
// the character an escape, padding or fill takes.
std::size_t SkipQuotedOrEscaped(std::string_view code, std::size_t at) {
  const char c = code[at];
  if (c == '"' || c == '[') {
    const std::size_t close = code.find(c == '"' ? '"' : ']', at + 1);
    return close == std::string_view::npos ? code.size() : close + 1;
  }
  if ((c == '\\' || c == '_' || c == '*') && at + 1 < code.size()) {
    return at + 1 + CodePointLength(code, at + 1);
  }
  return at + 1;
}

std::vector<std::string_view> SplitSections(std::string_view code) {
  std::vector<std::string_view> sections;
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < code.size()) {
    if (code[i] == ';') {
      sections.push_back(code.substr(start, i - start));
      start = ++i;
    } else {
      i = SkipQuotedOrEscaped(code, i);
    }
  }
  sections.push_back(code.substr(start));
  return sections;
}

std::optional<Condition> ParseCondition(std::string_view text) {
  using Op = Condition::Op;
  static constexpr std::pair<std::string_view, Op> kOps[] = {
      {"<=", Op::kLessEqual}, {">=", Op::kGreaterEqual}, {"<>", Op::kNotEqual},
      {"<", Op::kLess},       {">", Op::kGreater},       {"=", Op::kEqual}};
  for (const auto& [symbol, op] : kOps) {
    if (text.substr(0, symbol.size()) != symbol) continue;
    std::string_view operand = text.substr(symbol.size());
    while (!operand.empty() && operand.front() == ' ') operand.remove_prefix(1);
    if (!operand.empty() && operand.front() == '+') operand.remove_prefix(1);
    double value = 0;
    const auto [end, error] =
        std::from_chars(operand.data(), operand.data() + operand.size(), value);
    if (error != std::errc{}) return std::nullopt;
    return Condition{op, value};
  }
  return std::nullopt;
}

// The system long date and time codes ([$-F800], [$-F400]) stand for the
// regional formats; these are their English forms.
constexpr std::string_view kSystemLongDate = "dddd, mmmm d, yyyy";
constexpr std::string_view kSystemTime = "h:mm:ss AM/PM";

struct BracketResult {
  std::optional<Token> token;
  std::optional<Condition> condition;
  std::optional<std::string_view> replacement;  // a system format standing for the section
};

BracketResult ReadBracket(std::string_view content) {
  BracketResult result;
  if (content.empty()) return result;
  if (content.front() == '$') {
    // [$<currency>-<locale>]: the currency text is shown, the locale is ignored.
    const std::size_t dash = content.find('-');
    const std::string_view currency =
        content.substr(1, dash == std::string_view::npos ? std::string_view::npos : dash - 1);
    if (dash != std::string_view::npos) {
      const std::string_view locale = content.substr(dash + 1);
      if (EqualsIgnoreCase(locale, "F800") || EqualsIgnoreCase(locale, "x-sysdate")) {
        result.replacement = kSystemLongDate;
      } else if (EqualsIgnoreCase(locale, "F400") || EqualsIgnoreCase(locale, "x-systime")) {
        result.replacement = kSystemTime;
      }
    }
    if (!currency.empty()) result.token = Token{TokenKind::kLiteral, std::string(currency)};
    return result;
  }
  if (content.front() == '<' || content.front() == '>' || content.front() == '=') {
    result.condition = ParseCondition(content);
    return result;
  }
  const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(content.front())));
  const bool sameLetter = std::all_of(content.begin(), content.end(), [letter](char c) {
    return std::tolower(static_cast<unsigned char>(c)) == letter;
  });
  if (sameLetter && (letter == 'h' || letter == 'm' || letter == 's')) {
    const TokenKind kind = letter == 'h'   ? TokenKind::kElapsedHours
                           : letter == 'm' ? TokenKind::kElapsedMinutes
                                           : TokenKind::kElapsedSeconds;
    result.token = Token{kind, std::string(content), static_cast<int>(content.size())};
  }
  return result;  // colours, [DBNum1] and other display hints are dropped
}

Section Tokenize(std::string_view text);

// Reads the tokens of one section's text.
void ReadTokens(std::string_view text, Section& section) {
  auto& tokens = section.tokens;
  auto literal = [&tokens](std::string_view s) {
    tokens.push_back(Token{TokenKind::kLiteral, std::string(s)});
  };
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    switch (c) {
      case '"': {
        const std::size_t end = SkipQuotedOrEscaped(text, i);
        const std::size_t close = text[end - 1] == '"' && end - 1 > i ? end - 1 : end;
        literal(text.substr(i + 1, close - i - 1));
        i = end;
        continue;
      }
      case '\\':
        if (i + 1 < text.size()) literal(text.substr(i + 1, CodePointLength(text, i + 1)));
        i = SkipQuotedOrEscaped(text, i);
        continue;
      case '_':  // padding as wide as the next character: a space in text
        literal(" ");
        i = SkipQuotedOrEscaped(text, i);
        continue;
      case '*':  // fill to the column width: nothing in text
        i = SkipQuotedOrEscaped(text, i);
        continue;
      case '[': {
        const std::size_t end = SkipQuotedOrEscaped(text, i);
        const std::size_t close = text[end - 1] == ']' ? end - 1 : end;
        BracketResult bracket = ReadBracket(text.substr(i + 1, close - i - 1));
        if (bracket.replacement) {
          const Section replaced = Tokenize(*bracket.replacement);
          section.tokens = replaced.tokens;
          return;
        }
        if (bracket.token) tokens.push_back(std::move(*bracket.token));
        if (bracket.condition) section.condition = bracket.condition;
        i = end;
        continue;
      }
      case '0':
      case '#':
      case '?':
        tokens.push_back(Token{TokenKind::kDigit, std::string(1, c)});
        break;
      case '.':
        tokens.push_back(Token{TokenKind::kDecimalPoint, "."});
        break;
      case ',':
        tokens.push_back(Token{kComma, ","});
        break;
      case '%':
        tokens.push_back(Token{TokenKind::kPercent, "%"});
        break;
      case '/':
        tokens.push_back(Token{TokenKind::kSlash, "/"});
        break;
      case '@':
        tokens.push_back(Token{TokenKind::kText, "@"});
        break;
      default:
        if (lower == 'e') {
          if (i + 1 < text.size() && (text[i + 1] == '+' || text[i + 1] == '-')) {
            tokens.push_back(Token{TokenKind::kExponent, std::string(1, text[i + 1])});
            i += 2;
          } else {  // e alone is the four-digit year
            tokens.push_back(Token{TokenKind::kYear, std::string(1, c), 4});
            ++i;
          }
          continue;
        }
        if (StartsWithIgnoreCase(text, i, "General")) {
          tokens.push_back(Token{TokenKind::kGeneral, std::string(text.substr(i, 7))});
          i += 7;
          continue;
        }
        if (StartsWithIgnoreCase(text, i, "AM/PM")) {
          tokens.push_back(Token{TokenKind::kAmPm, "AM/PM"});
          i += 5;
          continue;
        }
        if (StartsWithIgnoreCase(text, i, "A/P")) {
          tokens.push_back(Token{TokenKind::kAmPm, std::string(text.substr(i, 3))});
          i += 3;
          continue;
        }
        if (lower == 'y' || lower == 'm' || lower == 'd' || lower == 'h' || lower == 's') {
          std::size_t end = i;
          while (end < text.size() &&
                 std::tolower(static_cast<unsigned char>(text[end])) == lower) {
            ++end;
          }
          const TokenKind kind = lower == 'y'   ? TokenKind::kYear
                                 : lower == 'm' ? TokenKind::kMonth
                                 : lower == 'd' ? TokenKind::kDay
                                 : lower == 'h' ? TokenKind::kHour
                                                : TokenKind::kSecond;
          tokens.push_back(
              Token{kind, std::string(text.substr(i, end - i)), static_cast<int>(end - i)});
          i = end;
          continue;
        }
        literal(text.substr(i, CodePointLength(text, i)));
        i += CodePointLength(text, i);
        continue;
    }
    ++i;
  }
}

std::string SourceText(const Token& token) {
  if (token.kind == TokenKind::kExponent) return "E" + token.text;
  return token.text;
}

// A token of a section kind it has no meaning in is shown as written.
void MakeLiteral(Token& token) {
  token.text = SourceText(token);
  token.kind = TokenKind::kLiteral;
  token.count = 0;
}

// The previous or next token that is not a literal, if any.
const Token* NeighbourToken(const std::vector<Token>& tokens, std::size_t at, int step) {
  for (std::ptrdiff_t i = static_cast<std::ptrdiff_t>(at) + step;
       i >= 0 && i < static_cast<std::ptrdiff_t>(tokens.size()); i += step) {
    if (tokens[i].kind != TokenKind::kLiteral) return &tokens[i];
  }
  return nullptr;
}

void FinishDateSection(Section& section) {
  auto& tokens = section.tokens;
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    Token& token = tokens[i];
    if (token.kind == TokenKind::kMonth && token.count <= 2) {
      // m after an hour or before a second is minutes.
      const Token* before = NeighbourToken(tokens, i, -1);
      const Token* after = NeighbourToken(tokens, i, +1);
      if ((before &&
           (before->kind == TokenKind::kHour || before->kind == TokenKind::kElapsedHours)) ||
          (after &&
           (after->kind == TokenKind::kSecond || after->kind == TokenKind::kElapsedSeconds))) {
        token.kind = TokenKind::kMinute;
      }
    } else if (token.kind == TokenKind::kDecimalPoint && i + 1 < tokens.size() &&
               tokens[i + 1].kind == TokenKind::kDigit && tokens[i + 1].text == "0") {
      // ".0", ".00", ".000": fractions of a second
      std::size_t end = i + 1;
      while (end < tokens.size() && tokens[end].kind == TokenKind::kDigit &&
             tokens[end].text == "0") {
        ++end;
      }
      token =
          Token{TokenKind::kSubSecond, "", static_cast<int>(std::min<std::size_t>(end - i - 1, 3))};
      tokens.erase(tokens.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                   tokens.begin() + static_cast<std::ptrdiff_t>(end));
    } else if (!IsDateToken(token.kind)) {
      MakeLiteral(token);
    }
  }
}

bool IsDigitLiteral(const Token& token) {
  return token.kind == TokenKind::kLiteral && token.text.size() == 1 && token.text[0] >= '1' &&
         token.text[0] <= '9';
}

bool IsSpaceLiteral(const Token& token) {
  return token.kind == TokenKind::kLiteral &&
         token.text.find_first_not_of(' ') == std::string::npos;
}

// The first "digits / digits" (spaces allowed around the bar) is a fraction; a
// written denominator ("?/8") becomes one token. Returns the bar's index.
std::optional<std::size_t> FindFractionBar(Section& section) {
  auto& tokens = section.tokens;
  for (std::size_t i = 1; i + 1 < tokens.size(); ++i) {
    if (tokens[i].kind != TokenKind::kSlash) continue;
    std::size_t before = i - 1;
    while (before > 0 && IsSpaceLiteral(tokens[before])) --before;
    std::size_t after = i + 1;
    while (after + 1 < tokens.size() && IsSpaceLiteral(tokens[after])) ++after;
    if (tokens[before].kind != TokenKind::kDigit) continue;
    if (tokens[after].kind == TokenKind::kDigit) return i;
    if (!IsDigitLiteral(tokens[after])) continue;
    std::string digits;
    std::size_t end = after;
    while (end < tokens.size() &&
           (IsDigitLiteral(tokens[end]) ||
            (tokens[end].kind == TokenKind::kDigit && tokens[end].text == "0"))) {
      digits += tokens[end].text;
      ++end;
    }
    tokens[after] = Token{TokenKind::kFixedDenominator, digits};
    tokens.erase(tokens.begin() + static_cast<std::ptrdiff_t>(after) + 1,
                 tokens.begin() + static_cast<std::ptrdiff_t>(end));
    return i;
  }
  return std::nullopt;
}

// Marks a section holding a fraction; every other slash is text.
void FindFraction(Section& section) {
  const std::optional<std::size_t> bar = FindFractionBar(section);
  if (bar) section.kind = SectionKind::kFraction;
  for (std::size_t i = 0; i < section.tokens.size(); ++i) {
    if (section.tokens[i].kind == TokenKind::kSlash && (!bar || i != *bar)) {
      MakeLiteral(section.tokens[i]);
    }
  }
}

void FinishNumberSection(Section& section) {
  auto& tokens = section.tokens;
  bool inInteger = true;
  std::vector<Token> kept;
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    Token& token = tokens[i];
    switch (token.kind) {
      case TokenKind::kDecimalPoint:
      case TokenKind::kExponent:
        inInteger = false;
        break;
      case TokenKind::kPercent:
        ++section.percentCount;
        break;
      default:
        if (token.kind == kComma) {
          std::size_t end = i;
          while (end < tokens.size() && tokens[end].kind == kComma) ++end;
          const bool digitBefore = i > 0 && tokens[i - 1].kind == TokenKind::kDigit;
          const bool digitAfter = end < tokens.size() && tokens[end].kind == TokenKind::kDigit;
          if (digitBefore && digitAfter && inInteger) {
            section.grouping = true;
          } else if (digitBefore && !digitAfter) {
            section.thousandsScale += static_cast<int>(end - i);
          } else {
            for (std::size_t k = i; k < end; ++k) kept.push_back(Token{TokenKind::kLiteral, ","});
          }
          i = end - 1;
          continue;
        }
        break;
    }
    kept.push_back(std::move(token));
  }
  tokens = std::move(kept);
}

Section Tokenize(std::string_view text) {
  Section section;
  ReadTokens(text, section);
  auto has = [&section](auto predicate) {
    return std::any_of(section.tokens.begin(), section.tokens.end(), predicate);
  };
  section.hasText = has([](const Token& t) { return t.kind == TokenKind::kText; });
  if (section.hasText) {
    section.kind = SectionKind::kText;
  } else if (has([](const Token& t) { return IsDateToken(t.kind); })) {
    section.kind = SectionKind::kDate;
    FinishDateSection(section);
  } else {
    FindFraction(section);
    FinishNumberSection(section);
  }
  if (section.kind == SectionKind::kText) {
    for (Token& token : section.tokens) {
      if (token.kind != TokenKind::kText && token.kind != TokenKind::kLiteral) MakeLiteral(token);
    }
  }
  return section;
}

}  // namespace

bool Condition::Matches(double value) const {
  switch (op) {
    case Op::kLess:
      return value < operand;
    case Op::kLessEqual:
      return value <= operand;
    case Op::kGreater:
      return value > operand;
    case Op::kGreaterEqual:
      return value >= operand;
    case Op::kEqual:
      return value == operand;
    case Op::kNotEqual:
      return value != operand;
  }
  return false;
}

ParsedFormat ParseFormat(std::string_view code) {
  ParsedFormat format;
  for (std::string_view text : SplitSections(code)) format.sections.push_back(Tokenize(text));
  return format;
}

}  // namespace tabulo::spreadsheet::numfmt
