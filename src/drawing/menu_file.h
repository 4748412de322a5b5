#pragma once
#include <filesystem>
#include <string>
#include <vector>

namespace tabulo::drawing {

// What the host takes from a partial menu file (.mns): the group name from the
// ***MENUGROUP= line and, for each ***POPn section, the menu's name, the label
// of its first bracketed line ("[&TABULO]" gives "TABULO").
struct PartialMenu {
  std::string group;
  std::vector<std::string> menus;
};

// Throws automation::Error with the host's kind of text when the file cannot be
// opened or names no menu group.
PartialMenu ReadPartialMenu(const std::filesystem::path& file);

}  // namespace tabulo::drawing
