#pragma once
#include <array>
#include <string>
#include <string_view>

namespace tabulo::drawing {

// Turns a DXF file's value bytes into UTF-8 and back. R2007 (AC1021) and later
// files are UTF-8. Older ones use $DWGCODEPAGE; characters outside it are written
// as \U+XXXX (UTF-16 units, so a character beyond U+FFFF takes a surrogate pair).
// Bytes a code page does not define, and every byte of a page not known here,
// are kept as private-use characters U+F780+byte so that they go back unchanged.
class TextCodec {
 public:
  static TextCodec Utf8() { return TextCodec(nullptr, true); }
  static TextCodec For(std::string_view acadVersion, std::string_view codePage);

  bool isUtf8() const { return utf8_; }
  // Throws std::runtime_error with the reason when a UTF-8 file holds bytes that
  // are no UTF-8.
  std::string Decode(std::string_view bytes) const;
  std::string Encode(std::string_view text) const;

 private:
  TextCodec(const std::array<char16_t, 128>* page, bool utf8) : page_(page), utf8_(utf8) {}
  const std::array<char16_t, 128>* page_;
  bool utf8_;
};

// True for versions whose files are UTF-8 (AC1021 and later).
bool IsUtf8Version(std::string_view acadVersion);

// Text as the host shows it from a stored value: \U+XXXX escapes become their
// characters (surrogate pairs joined) and caret notation (^J, ^M, "^ ") becomes
// control characters and carets.
std::string DecodeStoredText(std::string_view stored);
// The stored form of a text: control characters and carets in caret notation.
std::string EncodeStoredText(std::string_view text);

// UTF-8 helpers.
void AppendUtf8(std::string& out, char32_t codePoint);
// The code point at `pos` (advanced past it); invalid bytes come back as
// U+FFFFFFFF with pos advanced by one.
char32_t NextCodePoint(std::string_view text, std::size_t& pos);
inline constexpr char32_t kInvalidCodePoint = 0xFFFFFFFF;

}  // namespace tabulo::drawing
