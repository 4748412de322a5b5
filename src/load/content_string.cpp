#include "load/content_string.h"

namespace tabulo::load {

CellContent ParseContentString(std::string_view contents) {
  CellContent result;
  // Paragraph breaks first, all of them, left to right; case-sensitive.
  std::string& s = result.text;
  s.reserve(contents.size());
  for (std::size_t i = 0; i < contents.size(); ++i) {
    if (contents[i] == '\\' && i + 1 < contents.size() && contents[i + 1] == 'P') {
      s += '\n';
      ++i;
    } else {
      s += contents[i];
    }
  }
  // Then the font code: "\f" + name + ";" at the very start.
  if (s.starts_with("\\f")) {
    std::size_t semicolon = s.find(';');
    if (semicolon == std::string::npos) {
      result.fontName = std::string();
    } else {
      result.fontName = s.substr(2, semicolon - 2);
      s.erase(0, semicolon + 1);
    }
  }
  return result;
}

}  // namespace tabulo::load
