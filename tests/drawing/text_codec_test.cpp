#include <gtest/gtest.h>

#include "drawing/text_codec.h"

namespace tabulo::drawing {
namespace {

struct CodecCase {
  const char* version;
  const char* codePage;
  std::string bytes;  // as in the file
  std::string text;   // as the program holds it (UTF-8)
};

TEST(TextCodecTest, DecodesAndEncodesFileBytesLosslessly) {
  const CodecCase cases[] = {
      {"AC1015", "ANSI_1252", "Caf\xE9 \x80", "Café €"},
      {"AC1018", "ansi_1251", "\xCF\xF0\xE8\xE2\xE5\xF2", "Привет"},
      {"AC1015", "ANSI_1252", "undefined \x81 byte", "undefined \xEF\x9E\x81 byte"},  // U+F781
      {"AC1015", "ANSI_932", "\x93\xFA\x96\x7B", "\xEF\x9E\x93\xEF\x9F\xBA\xEF\x9E\x96{"},
      {"AC1032", "ANSI_1252", "UTF-8 \xE4\xB8\xAD", "UTF-8 中"},
  };
  for (const CodecCase& c : cases) {
    SCOPED_TRACE(c.codePage);
    TextCodec codec = TextCodec::For(c.version, c.codePage);
    EXPECT_EQ(codec.Decode(c.bytes), c.text);
    EXPECT_EQ(codec.Encode(c.text), c.bytes);
  }
}

TEST(TextCodecTest, EscapesWhatTheCodePageLacksAndReadsTheEscapesBack) {
  TextCodec codec = TextCodec::For("AC1015", "ANSI_1252");
  EXPECT_EQ(codec.Encode("é中😀"), "\xE9\\U+4E2D\\U+D83D\\U+DE00");
  EXPECT_EQ(DecodeStoredText("\\U+4E2D\\U+D83D\\U+DE00 \\U+00b0"), "中😀 °");
  EXPECT_EQ(DecodeStoredText("lone \\U+D83D"), "lone \xEF\xBF\xBD");
  EXPECT_THROW(TextCodec::Utf8().Decode("bad \xE9 byte"), std::runtime_error);
}

TEST(TextCodecTest, CaretNotationCarriesControlCharactersAndCarets) {
  const std::pair<std::string, std::string> cases[] = {
      {"a\rb", "a^Mb"}, {"tab\there", "tab^Ihere"}, {"x^y", "x^ y"}, {"\\PSum", "\\PSum"}};
  for (const auto& [text, stored] : cases) {
    EXPECT_EQ(EncodeStoredText(text), stored);
    EXPECT_EQ(DecodeStoredText(stored), text);
  }
}

}  // namespace
}  // namespace tabulo::drawing
