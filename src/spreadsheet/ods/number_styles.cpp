#include "spreadsheet/ods/number_styles.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace tabulo::spreadsheet::ods {

namespace {

bool IsLong(const pugi::xml_node& node) {
  return std::string_view(node.attribute("number:style").value()) == "long";
}

// Literal text in a format code: characters the code shows as they are stay bare,
// anything else is quoted.
std::string Literal(std::string_view text) {
  if (text.empty()) return "";
  if (text.find_first_not_of(" -/:.,()$+%") == std::string_view::npos) return std::string(text);
  std::string quoted = "\"";
  for (char c : text) quoted += c == '"' ? std::string("\\\"") : std::string(1, c);
  return quoted + "\"";
}

std::string NumberPart(const pugi::xml_node& number) {
  const int decimals = number.attribute("number:decimal-places").as_int(0);
  const int minDecimals = number.attribute("number:min-decimal-places").as_int(decimals);
  const int integers = number.attribute("number:min-integer-digits").as_int(1);
  const bool grouping = number.attribute("number:grouping").as_bool();
  // Integer digits from the right: '0' for the required ones, '#' up to a group.
  const int width = grouping ? std::max(integers, 4) : std::max(integers, 1);
  std::string code;
  for (int i = 0; i < width; ++i) {
    if (grouping && i > 0 && i % 3 == 0) code.insert(code.begin(), ',');
    code.insert(code.begin(), i < integers ? '0' : '#');
  }
  if (decimals > 0)
    code += "." + std::string(static_cast<std::size_t>(minDecimals), '0') +
            std::string(static_cast<std::size_t>(std::max(decimals - minDecimals, 0)), '#');
  return code;
}

std::string Section(const pugi::xml_node& style) {
  const std::string_view kind = style.name();
  std::string code;
  for (pugi::xml_node part : style.children()) {
    const std::string_view name = part.name();
    if (name == "number:number") {
      code += NumberPart(part);
    } else if (name == "number:scientific-number") {
      code += NumberPart(part) + "E+" +
              std::string(static_cast<std::size_t>(
                              std::max(part.attribute("number:min-exponent-digits").as_int(2), 1)),
                          '0');
    } else if (name == "number:fraction") {
      const int digits = std::max(part.attribute("number:min-denominator-digits").as_int(1), 1);
      code += "# " + std::string(static_cast<std::size_t>(digits), '?') + "/" +
              std::string(static_cast<std::size_t>(digits), '?');
    } else if (name == "number:text") {
      code += Literal(part.text().get());
    } else if (name == "number:currency-symbol") {
      code += Literal(part.text().get());
    } else if (name == "number:text-content") {
      code += "@";
    } else if (name == "number:year") {
      code += IsLong(part) ? "yyyy" : "yy";
    } else if (name == "number:month") {
      const bool textual = part.attribute("number:textual").as_bool();
      code += textual ? (IsLong(part) ? "mmmm" : "mmm") : (IsLong(part) ? "mm" : "m");
    } else if (name == "number:day") {
      code += IsLong(part) ? "dd" : "d";
    } else if (name == "number:day-of-week") {
      code += IsLong(part) ? "dddd" : "ddd";
    } else if (name == "number:hours") {
      const bool elapsed = kind == "number:time-style" &&
                           !style.attribute("number:truncate-on-overflow").as_bool(true);
      code += elapsed ? (IsLong(part) ? "[hh]" : "[h]") : (IsLong(part) ? "hh" : "h");
    } else if (name == "number:minutes") {
      code += IsLong(part) ? "mm" : "m";
    } else if (name == "number:seconds") {
      code += IsLong(part) ? "ss" : "s";
      const int decimals = part.attribute("number:decimal-places").as_int(0);
      if (decimals > 0) code += "." + std::string(static_cast<std::size_t>(decimals), '0');
    } else if (name == "number:am-pm") {
      code += "AM/PM";
    } else if (name == "number:boolean") {
      return "General";
    }
  }
  if (kind == "number:text-style" && code.find('@') == std::string::npos) code += "@";
  return code.empty() ? "General" : code;
}

}  // namespace

void ReadNumberStyles(const pugi::xml_node& container, std::map<std::string, std::string>& codes) {
  static constexpr std::string_view kKinds[] = {
      "number:number-style",  "number:percentage-style", "number:currency-style",
      "number:date-style",    "number:time-style",       "number:text-style",
      "number:boolean-style",
  };
  std::map<std::string, std::pair<std::string, std::vector<std::string>>> sections;
  for (pugi::xml_node style : container.children()) {
    const std::string_view kind = style.name();
    bool known = false;
    for (std::string_view k : kKinds) known |= k == kind;
    if (!known) continue;
    auto& entry = sections[style.attribute("style:name").value()];
    entry.first = Section(style);
    for (pugi::xml_node map : style.children("style:map"))
      entry.second.push_back(map.attribute("style:apply-style-name").value());
  }
  for (const auto& [name, entry] : sections) {
    std::string code;
    for (const std::string& mapped : entry.second) {
      auto it = sections.find(mapped);
      if (it != sections.end()) code += it->second.first + ";";
    }
    codes[name] = code + entry.first;
  }
}

}  // namespace tabulo::spreadsheet::ods
