#include "spreadsheet/number_format.h"

#include <cmath>

#include "spreadsheet/number_format_parse.h"
#include "spreadsheet/number_format_render.h"

namespace tabulo::spreadsheet {

namespace {

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

// The section for a number and whether it shows the value's own sign. Without
// conditions: positive (and zero); negative (drawn without a sign of its own);
// zero. With conditions the sections are tried in order, a section without a
// condition taking what the ones before it left, and values keep their sign.
struct Choice {
  const Section* section = nullptr;  // null: no section fits
  bool absolute = false;
};

Choice ChooseSection(const std::vector<const Section*>& sections, double value) {
  const Section& first = *sections[0];
  const Section* second = sections.size() > 1 ? sections[1] : nullptr;
  const Section* third = sections.size() > 2 ? sections[2] : nullptr;
  const bool conditional = first.condition || (second && second->condition);
  if (!conditional) {
    if (!second) return {&first, false};
    if (value < 0) return {second, true};
    if (value == 0 && third) return {third, false};
    return {&first, false};
  }
  const bool firstMatches =
      first.condition ? first.condition->Matches(value) : (third ? value > 0 : value >= 0);
  if (firstMatches) return {&first, false};
  if (!second) return {};
  if (!second->condition || second->condition->Matches(value)) return {second, false};
  return {third, false};
}

std::string RenderSection(const Section& section, double value, bool date1904) {
  if (section.IsEmpty()) return "";
  switch (section.kind) {
    case SectionKind::kDate: {
      auto text = numfmt::RenderDate(section, value, date1904);
      return text ? *std::move(text) : std::string(kUnshowableDate);
    }
    case SectionKind::kText:
      return FormatGeneral(value);
    default: {
      std::string text = numfmt::RenderNumber(section, std::fabs(value));
      return value < 0 ? "-" + text : text;
    }
  }
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
  if (!choice.section) return FormatGeneral(value);
  return RenderSection(*choice.section, choice.absolute ? std::fabs(value) : value, date1904);
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
