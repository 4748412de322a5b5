#include "automation/object.h"

namespace tabulo::automation {

std::string LowerCase(std::string_view text) {
  std::string out(text);
  for (char& ch : out)
    if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
  return out;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

void ExpectArgs(std::string_view member, const std::vector<Variant>& args, std::size_t min,
                std::size_t max) {
  if (args.size() < min || args.size() > max)
    throw Error("Wrong number of arguments or invalid property assignment: " + std::string(member));
}

const Variant& PutValue(std::string_view member, const std::vector<Variant>& args) {
  if (args.empty()) throw Error("Invalid property assignment: " + std::string(member));
  return args.back().deref();
}

void ReadOnly(std::string_view member) {
  throw Error("Can't assign to read-only property: " + std::string(member));
}

void WriteOnly(std::string_view member) {
  throw Error("Property is write-only: " + std::string(member));
}

}  // namespace tabulo::automation
