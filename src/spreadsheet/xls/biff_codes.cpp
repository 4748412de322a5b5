#include "spreadsheet/xls/biff_codes.h"

#include <array>

namespace tabulo::spreadsheet::xls {

namespace {

constexpr std::uint16_t kFirstPaletteIndex = 8;
constexpr std::uint16_t kLastPaletteIndex = 63;

struct LineStyle {
  std::int32_t style;
  std::int32_t weight;
};

// BIFF line styles 1..13 as the spreadsheet reports them (LineStyle, Weight).
constexpr std::array<LineStyle, 14> kLineStyles = {{
    {xl::kLineStyleNone, xl::kThin},   // 0 none
    {xl::kContinuous, xl::kThin},      // 1 thin
    {xl::kContinuous, xl::kMedium},    // 2 medium
    {xl::kDash, xl::kThin},            // 3 dashed
    {xl::kDot, xl::kThin},             // 4 dotted
    {xl::kContinuous, xl::kThick},     // 5 thick
    {xl::kDouble, xl::kThick},         // 6 double
    {xl::kContinuous, xl::kHairline},  // 7 hair
    {xl::kDash, xl::kMedium},          // 8 medium dashed
    {xl::kDashDot, xl::kThin},         // 9 dash dot
    {xl::kDashDot, xl::kMedium},       // 10 medium dash dot
    {xl::kDashDotDot, xl::kThin},      // 11 dash dot dot
    {xl::kDashDotDot, xl::kMedium},    // 12 medium dash dot dot
    {xl::kSlantDashDot, xl::kMedium},  // 13 slanted dash dot
}};

constexpr std::array<std::int32_t, 8> kHorizontal = {
    xl::kHAlignGeneral,
    xl::kHAlignLeft,
    xl::kHAlignCenter,
    xl::kHAlignRight,
    xl::kHAlignFill,
    xl::kHAlignJustify,
    xl::kHAlignCenterAcrossSelection,
    xl::kHAlignDistributed,
};

constexpr std::array<std::int32_t, 5> kVertical = {
    xl::kVAlignTop,     xl::kVAlignCenter,      xl::kVAlignBottom,
    xl::kVAlignJustify, xl::kVAlignDistributed,
};

}  // namespace

std::int32_t ColorIndexFromBiff(std::uint16_t biffIndex) {
  if (biffIndex < kFirstPaletteIndex) return biffIndex + 1;
  if (biffIndex <= kLastPaletteIndex) return biffIndex - kFirstPaletteIndex + 1;
  return xl::kColorIndexAutomatic;
}

Border BorderFromBiff(std::uint8_t lineStyle, std::uint16_t biffColor) {
  if (lineStyle == 0 || lineStyle >= kLineStyles.size()) return Border{};
  Border border;
  border.lineStyle = kLineStyles[lineStyle].style;
  border.weight = kLineStyles[lineStyle].weight;
  border.colorIndex = ColorIndexFromBiff(biffColor);
  return border;
}

std::int32_t HorizontalAlignmentFromBiff(std::uint8_t code) {
  return code < kHorizontal.size() ? kHorizontal[code] : xl::kHAlignGeneral;
}

std::int32_t VerticalAlignmentFromBiff(std::uint8_t code) {
  return code < kVertical.size() ? kVertical[code] : xl::kVAlignBottom;
}

}  // namespace tabulo::spreadsheet::xls
