#include "drawing/text_codec.h"

#include <cstdio>
#include <stdexcept>

#include "drawing/code_pages.h"

namespace tabulo::drawing {
namespace {

constexpr char32_t kRawByteBase = 0xF780;  // U+F780..U+F7FF carry undefined bytes

int HexDigit(char ch) {
  if (ch >= '0' && ch <= '9') return ch - '0';
  if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
  if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
  return -1;
}

// The UTF-16 unit of a \U+XXXX escape at text[pos], or -1 when there is none.
int EscapeAt(std::string_view text, std::size_t pos) {
  if (pos + 7 > text.size() || text[pos] != '\\' ||
      (text[pos + 1] != 'U' && text[pos + 1] != 'u') || text[pos + 2] != '+')
    return -1;
  int value = 0;
  for (std::size_t i = pos + 3; i < pos + 7; ++i) {
    int digit = HexDigit(text[i]);
    if (digit < 0) return -1;
    value = value * 16 + digit;
  }
  return value;
}

void AppendEscape(std::string& out, unsigned unit) {
  char buffer[12];
  std::snprintf(buffer, sizeof buffer, "\\U+%04X", unit);
  out += buffer;
}

}  // namespace

bool IsUtf8Version(std::string_view acadVersion) {
  // AC1021 (R2007) and later; versions compare as text of the same length.
  return acadVersion.size() == 6 && acadVersion >= "AC1021";
}

TextCodec TextCodec::For(std::string_view acadVersion, std::string_view codePage) {
  if (IsUtf8Version(acadVersion)) return Utf8();
  return TextCodec(FindCodePage(codePage), false);
}

std::string TextCodec::Decode(std::string_view bytes) const {
  std::string out;
  out.reserve(bytes.size());
  if (utf8_) {
    std::size_t pos = 0;
    while (pos < bytes.size()) {
      std::size_t start = pos;
      char32_t cp = NextCodePoint(bytes, pos);
      if (cp == kInvalidCodePoint)
        throw std::runtime_error("the text is not valid UTF-8 (byte " + std::to_string(start + 1) +
                                 " of the value), which this drawing version requires");
      out.append(bytes.substr(start, pos - start));
    }
    return out;
  }
  for (unsigned char byte : bytes) {
    if (byte < 0x80) {
      out += static_cast<char>(byte);
      continue;
    }
    char16_t unit = page_ ? (*page_)[byte - 0x80] : 0;
    AppendUtf8(out, unit ? char32_t(unit) : kRawByteBase + (byte - 0x80));
  }
  return out;
}

std::string TextCodec::Encode(std::string_view text) const {
  std::string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t start = pos;
    char32_t cp = NextCodePoint(text, pos);
    if (utf8_) {
      if (cp == kInvalidCodePoint)
        AppendUtf8(out, 0xFFFD);
      else
        out.append(text.substr(start, pos - start));
      continue;
    }
    if (cp < 0x80) {
      out += static_cast<char>(cp);
      continue;
    }
    if (cp >= kRawByteBase && cp < kRawByteBase + 0x80) {
      out += static_cast<char>(0x80 + (cp - kRawByteBase));
      continue;
    }
    bool found = false;
    if (page_ && cp <= 0xFFFF) {
      for (std::size_t i = 0; i < 128; ++i)
        if ((*page_)[i] == cp) {
          out += static_cast<char>(0x80 + i);
          found = true;
          break;
        }
    }
    if (found) continue;
    if (cp == kInvalidCodePoint) cp = 0xFFFD;
    if (cp > 0xFFFF) {
      char32_t v = cp - 0x10000;
      AppendEscape(out, 0xD800 + (v >> 10));
      AppendEscape(out, 0xDC00 + (v & 0x3FF));
    } else {
      AppendEscape(out, cp);
    }
  }
  return out;
}

std::string DecodeStoredText(std::string_view stored) {
  std::string out;
  out.reserve(stored.size());
  for (std::size_t i = 0; i < stored.size();) {
    int unit = EscapeAt(stored, i);
    if (unit >= 0) {
      i += 7;
      if (unit >= 0xD800 && unit < 0xDC00) {
        int low = EscapeAt(stored, i);
        if (low >= 0xDC00 && low < 0xE000) {
          i += 7;
          AppendUtf8(out, 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (char32_t(low) - 0xDC00));
          continue;
        }
      }
      AppendUtf8(out, unit >= 0xD800 && unit < 0xE000 ? 0xFFFD : char32_t(unit));
      continue;
    }
    if (stored[i] == '^' && i + 1 < stored.size()) {
      char next = stored[i + 1];
      if (next == ' ') {
        out += '^';
        i += 2;
        continue;
      }
      if (next >= '@' && next <= '_') {
        out += static_cast<char>(next - '@');
        i += 2;
        continue;
      }
    }
    out += stored[i++];
  }
  return out;
}

std::string EncodeStoredText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char ch : text) {
    auto byte = static_cast<unsigned char>(ch);
    if (byte < 0x20) {
      out += '^';
      out += static_cast<char>(byte + '@');
    } else if (ch == '^') {
      out += "^ ";
    } else {
      out += ch;
    }
  }
  return out;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

char32_t NextCodePoint(std::string_view text, std::size_t& pos) {
  auto byte = static_cast<unsigned char>(text[pos]);
  if (byte < 0x80) {
    ++pos;
    return byte;
  }
  int length = byte >= 0xF0 && byte < 0xF5 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC2 ? 2 : 0;
  if (byte >= 0xF5) length = 0;
  if (length == 0 || pos + length > text.size()) {
    ++pos;
    return kInvalidCodePoint;
  }
  char32_t cp = byte & (0x7F >> length);
  for (int i = 1; i < length; ++i) {
    auto next = static_cast<unsigned char>(text[pos + i]);
    if ((next & 0xC0) != 0x80) {
      ++pos;
      return kInvalidCodePoint;
    }
    cp = (cp << 6) | (next & 0x3F);
  }
  bool overlong = (length == 3 && cp < 0x800) || (length == 4 && cp < 0x10000);
  if (overlong || cp > 0x10FFFF || (cp >= 0xD800 && cp < 0xE000)) {
    ++pos;
    return kInvalidCodePoint;
  }
  pos += length;
  return cp;
}

}  // namespace tabulo::drawing
