#include "spreadsheet/number_format.h"

#include <cmath>

#include "spreadsheet/number_format_parse.h"
#include "spreadsheet/number_format_render.h"

namespace tabulo::spreadsheet {

namespace {

using numfmt::Condition;
using numfmt::ParsedFormat;
using numfmt::Section;
using numfmt::SectionKind;
using numfmt::TokenKind;

// At most four sections count; the fourth is for text.
constexpr std::size_t kMaxSections = 4;

bool IsBlank(std::string_view code) {
  return code.find_first_not_of(" \t") == std::string_view::npos;
}

// The section for text: the fourth, or a last section holding @.
const Section* TextSection(const ParsedFormat& format) {
  const std::size_t count = std::min(format.sections.size(), kMaxSections);
  if (count == kMaxSections) return &format.sections[kMaxSections - 1];
  if (format.sections[count - 1].hasText) return &format.sections[count - 1];
  return nullptr;
}

// The section that shows a number, and whether a minus sign goes in front of a
// negative number (sections for negatives bring their own sign, if any).
struct Choice {
  bool found = false;
  const Section* section = nullptr;  // null: General
  bool minus = false;
};

// A condition that only negative numbers can meet ([<0], [<=-5], [=-1]) makes
// its section one for negatives: no minus sign of its own.
bool ConditionKeepsSign(const Condition& condition) {
  using Op = Condition::Op;
  const bool onlyNegatives =
      (condition.operand < 0 && (condition.op == Op::kLess || condition.op == Op::kLessEqual ||
                                 condition.op == Op::kEqual)) ||
      (condition.operand == 0 && condition.op == Op::kLess);
  return !onlyNegatives;
}

Choice ChooseSection(const std::vector<const Section*>& sections, double value) {
  const Section* first = sections[0];
  const Section* second = sections.size() > 1 ? sections[1] : nullptr;
  const Section* third = sections.size() > 2 ? sections[2] : nullptr;
  if (!first->condition && !(second && second->condition)) {
    // Positive; negative (drawn without a sign of its own); zero.
    if (!second) return {true, first, value < 0};
    if (value < 0) return {true, second, false};
    if (value == 0 && third) return {true, third, false};
    return {true, first, false};
  }
  // Conditional: the sections are tried in order, the first without a condition
  // standing for [>0], the others taking what is left. A single section leaves
  // the rest to General.
  using Op = Condition::Op;
  const Condition firstCondition = first->condition.value_or(Condition{Op::kGreater, 0});
  if (firstCondition.Matches(value)) return {true, first, ConditionKeepsSign(firstCondition)};
  if (second && second->condition) {
    if (second->condition->Matches(value)) {
      return {true, second, ConditionKeepsSign(*second->condition)};
    }
    if (third) return {true, third, true};
    return {};
  }
  if (third) {
    // "[>100]a;b;c": b takes the values the first leaves, c is never reached.
    return {true, second, true};
  }
  // The section after a lone condition keeps the sign only when that condition
  // could take no negative number.
  const bool minus = firstCondition.op == Op::kEqual ||
                     (firstCondition.operand >= 0 && (firstCondition.op == Op::kGreater ||
                                                      firstCondition.op == Op::kGreaterEqual));
  return {true, second, minus};
}

std::string RenderSection(const Choice& choice, double value, bool date1904) {
  const double magnitude = std::fabs(value);
  const bool negative = value < 0 && choice.minus;
  if (!choice.section || choice.section->kind == SectionKind::kText) {
    return (negative ? "-" : "") + FormatGeneral(magnitude);
  }
  const Section& section = *choice.section;
  if (section.IsEmpty()) return "";
  if (section.kind == SectionKind::kDate) {
    auto text = numfmt::RenderDate(section, negative ? value : magnitude, date1904);
    return text ? *std::move(text) : std::string(kUnshowable);
  }
  numfmt::RenderedNumber rendered = numfmt::RenderNumber(section, magnitude);
  // A negative number that shows as zero ("0.0" for -0.01) gets no minus sign.
  if (!negative || rendered.onlyZeros) return std::move(rendered.text);
  return "-" + rendered.text;
}

}  // namespace

std::string FormatNumber(double value, std::string_view code, bool date1904) {
  if (!std::isfinite(value)) return "#NUM!";
  if (IsBlank(code)) return FormatGeneral(value);
  const ParsedFormat format = numfmt::ParseFormat(code);
  const Section* text = TextSection(format);
  std::vector<const Section*> sections;
  for (std::size_t i = 0; i < std::min(format.sections.size(), kMaxSections); ++i) {
    if (&format.sections[i] != text) sections.push_back(&format.sections[i]);
  }
  // "@" alone, or a text section alone: numbers show as General.
  if (sections.empty()) return FormatGeneral(value);
  const Choice choice = ChooseSection(sections, value);
  if (!choice.found) return std::string(kUnshowable);
  return RenderSection(choice, value, date1904);
}

std::string FormatText(std::string_view text, std::string_view code) {
  if (IsBlank(code)) return std::string(text);
  const ParsedFormat format = numfmt::ParseFormat(code);
  const Section* section = TextSection(format);
  if (!section) return std::string(text);
  std::string out;
  for (const numfmt::Token& token : section->tokens) {
    out += token.kind == TokenKind::kText ? std::string(text) : token.text;
  }
  return out;
}

}  // namespace tabulo::spreadsheet
