#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace tabulo::load {

// A text entity's content string as the export wrote it, taken apart.
struct CellContent {
  // The font code's name, when the string starts with "\f". A code without ";"
  // gives an empty name and leaves the text whole.
  std::optional<std::string> fontName;
  // The cell's text: every "\P" turned into a line feed, the font code removed.
  // No other code is interpreted.
  std::string text;
  friend bool operator==(const CellContent&, const CellContent&) = default;
};

CellContent ParseContentString(std::string_view contents);

}  // namespace tabulo::load
