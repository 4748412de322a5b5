#include "drawing/menu_file.h"

#include <cctype>
#include <fstream>

#include "automation/error.h"

namespace tabulo::drawing {
namespace {

std::string Trimmed(const std::string& line) {
  std::size_t first = line.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  std::size_t last = line.find_last_not_of(" \t\r");
  return line.substr(first, last - first + 1);
}

bool StartsWithNoCase(const std::string& text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
  return true;
}

}  // namespace

PartialMenu ReadPartialMenu(const std::filesystem::path& file) {
  std::ifstream in(file);
  if (!in)
    throw automation::Error("Error loading menu file: " + file.string() +
                            " cannot be opened (it does not exist or is not readable).");
  PartialMenu menu;
  bool inPopup = false, popupNamed = false;
  std::string line;
  while (std::getline(in, line)) {
    std::string text = Trimmed(line);
    if (StartsWithNoCase(text, "***MENUGROUP=")) {
      menu.group = Trimmed(text.substr(13));
      inPopup = false;
    } else if (StartsWithNoCase(text, "***POP")) {
      inPopup = true;
      popupNamed = false;
    } else if (StartsWithNoCase(text, "***")) {
      inPopup = false;
    } else if (inPopup && !popupNamed) {
      std::size_t open = text.find('[');
      std::size_t close = open == std::string::npos ? open : text.find(']', open);
      if (close == std::string::npos) continue;
      std::string label;
      for (char ch : text.substr(open + 1, close - open - 1))
        if (ch != '&') label += ch;
      menu.menus.push_back(Trimmed(label));
      popupNamed = true;
    }
  }
  if (menu.group.empty())
    throw automation::Error("Error loading menu file: " + file.string() +
                            " has no ***MENUGROUP= line naming its menu group.");
  return menu;
}

}  // namespace tabulo::drawing
