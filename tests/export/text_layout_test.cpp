// The pure rules of the cell text: blank test, content string, alignment classes
// and the attachment table.
#include <gtest/gtest.h>

#include "export/cell_text.h"
#include "export/text_anchor.h"

namespace tabulo::exporting {
namespace {

using automation::Currency;

TEST(CellTextRulesTest, BlankMeansNothingAboveCode32) {
  for (std::string_view text : {std::string_view(""), std::string_view("   "),
                                std::string_view("\t\n\r "), std::string_view(" \x01\x1f", 3)})
    EXPECT_TRUE(IsBlankText(text)) << '"' << text << '"';
  for (std::string_view text : {"  word  ", "0", "\xc3\xa9", "-"})
    EXPECT_FALSE(IsBlankText(text)) << '"' << text << '"';
}

TEST(CellTextRulesTest, ContentStringWritesLineFeedsAsParagraphsAndNothingElse) {
  struct Case {
    std::string_view text;
    std::optional<std::string_view> font;
    std::string_view expected;
  } cases[] = {
      {"Total\nSum", "MS Sans Serif", "\\fMS Sans Serif;Total\\PSum"},
      {"Total\nSum", std::nullopt, "Total\\PSum"},
      {"first\r\nsecond", std::nullopt, "first\r\\Psecond"},
      {"  word  ", std::nullopt, "  word  "},
      {"a\\b{c}", "Font;Name", "\\fFont;Name;a\\b{c}"},
      {"\n\n", std::nullopt, "\\P\\P"},
  };
  for (const Case& c : cases) EXPECT_EQ(ContentString(c.text, c.font), c.expected) << c.text;
}

TEST(CellTextRulesTest, HorizontalClassOfGeneralDependsOnTheShownText) {
  struct Case {
    std::int32_t alignment;
    std::string_view text;
    char separator;
    HorizontalClass expected;
  } cases[] = {
      {align::kLeft, "12.5", '.', HorizontalClass::Left},
      {align::kCentre, "x", '.', HorizontalClass::Centre},
      {align::kRight, "x", '.', HorizontalClass::Right},
      {align::kGeneral, "12.5", '.', HorizontalClass::Right},
      {align::kGeneral, " -1.5E+3 ", '.', HorizontalClass::Right},
      {align::kGeneral, ".", '.', HorizontalClass::Right},
      {align::kGeneral, "1E", '.', HorizontalClass::Right},
      {align::kGeneral, "12,5", ',', HorizontalClass::Right},
      {align::kGeneral, "12.5", ',', HorizontalClass::Left},
      {align::kGeneral, "1,250.00", '.', HorizontalClass::Left},
      {align::kGeneral, "12%", '.', HorizontalClass::Left},
      {align::kGeneral, "12/05/2020", '.', HorizontalClass::Left},
      {align::kGeneral, "7 kg", '.', HorizontalClass::Left},
      {align::kGeneral, "\t12", '.', HorizontalClass::Left},
      {5, "12", '.', HorizontalClass::None},      // fill
      {-4130, "12", '.', HorizontalClass::None},  // justify
      {7, "12", '.', HorizontalClass::None},      // centre across selection
      {-4117, "12", '.', HorizontalClass::None},  // distributed
  };
  for (const Case& c : cases)
    EXPECT_EQ(ClassifyHorizontal(c.alignment, c.text, c.separator), c.expected)
        << c.alignment << " \"" << c.text << "\" '" << c.separator << "'";
}

TEST(CellTextRulesTest, AttachmentTableWithMarginsOfA10PointFont) {
  // Rectangle 48..144 by -15..-45; mx = 1.95, my = 2.34.
  const TextRect rect{48, -15, 144, -45};
  const Currency mx{19500}, my{23400};
  using H = HorizontalClass;
  struct Case {
    std::int32_t vertical;
    H horizontal;
    std::optional<std::int32_t> point;
    double x, y;
  } cases[] = {
      {align::kTop, H::Left, 1, 49.95, -17.34},
      {align::kTop, H::Centre, 2, 96, -17.34},
      {align::kTop, H::Right, 3, 142.05, -17.34},
      {align::kMiddle, H::Left, 4, 49.95, -30},
      {align::kMiddle, H::Centre, 5, 96, -30},
      {align::kMiddle, H::Right, 6, 142.05, -30},
      {align::kBottom, H::Left, 7, 49.95, -42.66},
      {align::kBottom, H::Centre, 8, 96, -42.66},
      {align::kBottom, H::Right, 9, 142.05, -42.66},
      // No row matches: attachment point 7 stays, the point moves inside the cell.
      {align::kBottom, H::None, std::nullopt, 49.95, -42.66},
      {align::kTop, H::None, std::nullopt, 49.95, -42.66},
      {-4130, H::Left, std::nullopt, 49.95, -42.66},   // vertical justify
      {-4117, H::Right, std::nullopt, 49.95, -42.66},  // vertical distributed
  };
  for (const Case& c : cases) {
    TextAnchor anchor = AnchorText(c.vertical, c.horizontal, rect, mx, my);
    EXPECT_EQ(anchor.attachmentPoint, c.point) << c.vertical << "/" << int(c.horizontal);
    EXPECT_EQ(anchor.insertion, (automation::Point3{c.x, c.y, 0}))
        << c.vertical << "/" << int(c.horizontal);
  }
}

TEST(CellTextRulesTest, CentreIsPlainDoubleArithmetic) {
  // (0.1 + 0.2) / 2 in doubles, not a rounded fixed-point value.
  TextAnchor anchor = AnchorText(align::kMiddle, HorizontalClass::Centre, {0.1, 0.2, 0.2, 0.1},
                                 Currency{19500}, Currency{23400});
  EXPECT_EQ(anchor.insertion.x, (0.1 + 0.2) / 2);
  EXPECT_EQ(anchor.insertion.y, (0.2 + 0.1) / 2);
}

}  // namespace
}  // namespace tabulo::exporting
