#include "spreadsheet/xlsx/shared_strings.h"

#include "spreadsheet/xml_part.h"

namespace tabulo::spreadsheet::xlsx {

namespace {

void AppendUtf8(std::string& out, std::uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | cp >> 6);
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | cp >> 12);
    out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string DecodeEscapes(std::string_view text) {
  if (text.find("_x") == std::string_view::npos) return std::string(text);
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '_' && i + 6 < text.size() && text[i + 1] == 'x' && text[i + 6] == '_') {
      std::uint32_t cp = 0;
      bool hex = true;
      for (std::size_t k = 2; k < 6 && hex; ++k) {
        const int d = HexDigit(text[i + k]);
        hex = d >= 0;
        cp = cp << 4 | static_cast<std::uint32_t>(d);
      }
      if (hex) {
        AppendUtf8(out, cp);
        i += 6;
        continue;
      }
    }
    out += text[i];
  }
  return out;
}

std::string StringItemText(const pugi::xml_node& item) {
  std::string text;
  for (pugi::xml_node child = item.first_child(); child; child = child.next_sibling()) {
    std::string_view name = LocalName(child.name());
    if (name == "t") {
      text += child.text().get();
    } else if (name == "r") {
      text += ChildByLocalName(child, "t").text().get();
    }
  }
  return DecodeEscapes(text);
}

std::vector<std::string> ReadSharedStrings(const pugi::xml_node& sst) {
  std::vector<std::string> strings;
  for (pugi::xml_node si = sst.first_child(); si; si = si.next_sibling())
    if (LocalName(si.name()) == "si") strings.push_back(StringItemText(si));
  return strings;
}

}  // namespace tabulo::spreadsheet::xlsx
