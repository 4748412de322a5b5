#include "color/color_mapping.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

namespace tabulo::color {
namespace {

// The ACI column as the palette notes give it, index 1..56 in order.
constexpr std::array<int, 56> kExpectedAci = {
    0,   7,   1,   3,   5,   2,   6,  4,  16,  96,  176, 56,  216, 136, 9,   8,   161, 237, 7,
    254, 218, 11,  152, 254, 176, 6,  2,  4,   216, 16,  136, 5,   140, 254, 254, 51,  151, 221,
    191, 31,  150, 132, 62,  40,  30, 30, 165, 252, 148, 105, 98,  48,  24,  237, 177, 250};

TEST(ExcelColorTable, RecordsAreInPaletteOrderWithTheirAci) {
  for (int k = 1; k <= 56; ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(ExcelColorTable[k - 1].ExcelIndex, k);
    EXPECT_EQ(ExcelColorTable[k - 1].Aci, kExpectedAci[k - 1]);
  }
}

TEST(ExcelColorTable, RgbSpotChecks) {
  EXPECT_EQ(ExcelColorTable[0].Rgb, 0x000000);
  EXPECT_EQ(ExcelColorTable[2].Rgb, 0xFF0000);
  EXPECT_EQ(ExcelColorTable[16].Rgb, 0x9097FF);
  EXPECT_EQ(ExcelColorTable[40].Rgb, 0x2F60FF);
  EXPECT_EQ(ExcelColorTable[55].Rgb, 0x2F302F);
}

TEST(AciToExcelTable, DerivationRuleRebuildsItExactly) {
  std::array<std::uint8_t, 256> derived;
  derived.fill(1);
  std::set<int> named;
  for (const TExcelColor& record : ExcelColorTable) {
    derived[record.Aci] = static_cast<std::uint8_t>(record.ExcelIndex);
    named.insert(record.Aci);
  }
  EXPECT_EQ(named.size(), 42u);
  for (int a = 0; a < 256; ++a) {
    SCOPED_TRACE(a);
    EXPECT_EQ(AciToExcelTable[a], derived[a]);
    EXPECT_GE(AciToExcelTable[a], 1);
    EXPECT_LE(AciToExcelTable[a], 56);
  }
}

TEST(ColorLookups, RoundTripReturnsLastMemberOfSharedGroups) {
  const std::map<int, int> sharedNotLast = {{2, 19},  {5, 32},  {6, 27},  {7, 26},  {8, 28},
                                            {9, 30},  {11, 25}, {13, 29}, {14, 31}, {18, 54},
                                            {20, 35}, {24, 35}, {34, 35}, {45, 46}};
  for (int k = 1; k <= 56; ++k) {
    SCOPED_TRACE(k);
    auto it = sharedNotLast.find(k);
    int expected = it == sharedNotLast.end() ? k : it->second;
    EXPECT_EQ(ExcelColorForAci(AciForExcelColor(k)), expected);
  }
}

TEST(AciForExcelColor, UsesLowByteAndFallsBackToRecordOne) {
  struct Case {
    std::int32_t index;
    std::int32_t aci;
  };
  const std::vector<Case> cases = {
      {1, 0},   {2, 7},   {56, 250}, {-4105, 0}, {-4142, 0},     {0, 0},        {57, 0},
      {255, 0}, {257, 0}, {300, 40}, {256, 0},   {256 + 44, 40}, {-256 + 3, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    EXPECT_EQ(AciForExcelColor(c.index), c.aci);
  }
}

TEST(ExcelColorForAci, UsesLowByteAndUnnamedAciGiveBlack) {
  struct Case {
    std::int32_t aci;
    int excel;
  };
  const std::vector<Case> cases = {
      {0, 1},    {256, 1},  {7, 19}, {10, 1},  {12, 1}, {64, 1},  {255, 1},
      {254, 35}, {250, 56}, {1, 3},  {257, 3}, {-1, 1}, {-6, 56},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.aci);
    EXPECT_EQ(ExcelColorForAci(c.aci), c.excel);
  }
}

}  // namespace
}  // namespace tabulo::color
