#pragma once
#include <cstdint>

// The spreadsheet's own constants, named once (Excel's xl* values).
namespace tabulo::spreadsheet::xl {

inline constexpr std::int32_t kColorIndexAutomatic = -4105;  // xlColorIndexAutomatic
inline constexpr std::int32_t kColorIndexNone = -4142;       // xlColorIndexNone

// Horizontal alignment.
inline constexpr std::int32_t kHAlignGeneral = 1;
inline constexpr std::int32_t kHAlignLeft = -4131;
inline constexpr std::int32_t kHAlignCenter = -4108;
inline constexpr std::int32_t kHAlignRight = -4152;
inline constexpr std::int32_t kHAlignFill = 5;
inline constexpr std::int32_t kHAlignJustify = -4130;
inline constexpr std::int32_t kHAlignCenterAcrossSelection = 7;
inline constexpr std::int32_t kHAlignDistributed = -4117;

// Vertical alignment.
inline constexpr std::int32_t kVAlignTop = -4160;
inline constexpr std::int32_t kVAlignCenter = -4108;
inline constexpr std::int32_t kVAlignBottom = -4107;
inline constexpr std::int32_t kVAlignJustify = -4130;
inline constexpr std::int32_t kVAlignDistributed = -4117;

// Border line styles (XlLineStyle).
inline constexpr std::int32_t kLineStyleNone = -4142;
inline constexpr std::int32_t kContinuous = 1;
inline constexpr std::int32_t kDash = -4115;
inline constexpr std::int32_t kDashDot = 4;
inline constexpr std::int32_t kDashDotDot = 5;
inline constexpr std::int32_t kDot = -4118;
inline constexpr std::int32_t kDouble = -4119;
inline constexpr std::int32_t kSlantDashDot = 13;

// Border weights (XlBorderWeight).
inline constexpr std::int32_t kHairline = 1;
inline constexpr std::int32_t kThin = 2;
inline constexpr std::int32_t kMedium = -4138;
inline constexpr std::int32_t kThick = 4;

// Border indexes of borders.Item (XlBordersIndex).
inline constexpr std::int32_t kDiagonalDown = 5;
inline constexpr std::int32_t kDiagonalUp = 6;
inline constexpr std::int32_t kEdgeLeft = 7;
inline constexpr std::int32_t kEdgeTop = 8;
inline constexpr std::int32_t kEdgeBottom = 9;
inline constexpr std::int32_t kEdgeRight = 10;

}  // namespace tabulo::spreadsheet::xl
