#include "load/content_string.h"

#include <gtest/gtest.h>

namespace tabulo::load {
namespace {

struct ContentCase {
  const char* contents;
  std::optional<std::string> fontName;
  std::string text;
};

TEST(ParseContentString, FontCodeAndParagraphBreaksOnly) {
  const ContentCase cases[] = {
      {R"(\fArial;Total\PSum)", "Arial", "Total\nSum"},
      {"Total", std::nullopt, "Total"},
      {R"(\fMS Sans Serif;  two  )", "MS Sans Serif", "  two  "},
      {R"(\P\P)", std::nullopt, "\n\n"},
      {"a\r\\Pb", std::nullopt, "a\r\nb"},
      // Other codes stay in the text: lower-case \p, \F at the start, \f later on.
      {R"(a\pb)", std::nullopt, R"(a\pb)"},
      {R"(\Fxyz;abc)", std::nullopt, R"(\Fxyz;abc)"},
      {R"(x\fArial;y)", std::nullopt, R"(x\fArial;y)"},
      {R"(\P\fArial;y)", std::nullopt, "\n\\fArial;y"},
      // A font code without ";": empty name, the string stays whole.
      {R"(\fArial)", "", R"(\fArial)"},
      {R"(\f;x)", "", "x"},
      {R"(\fArial;a;b)", "Arial", "a;b"},
      // Matches are taken left to right: "\\P" is a backslash and a break.
      {R"(\\P)", std::nullopt, "\\\n"},
      {"", std::nullopt, ""},
  };
  for (const ContentCase& c : cases) {
    SCOPED_TRACE(c.contents);
    EXPECT_EQ(ParseContentString(c.contents), (CellContent{c.fontName, c.text}));
  }
}

}  // namespace
}  // namespace tabulo::load
