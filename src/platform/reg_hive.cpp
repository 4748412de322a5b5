#include "platform/reg_hive.h"

#include <algorithm>
#include <cstdio>

#include "automation/object.h"

namespace tabulo::platform {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::string_view kHeader4 = "REGEDIT4";
constexpr std::string_view kHeader5 = "Windows Registry Editor Version 5.00";

std::string_view TrimLeft(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  return s;
}

std::string_view TrimRight(std::string_view s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

std::string_view Trim(std::string_view s) {
  return TrimRight(TrimLeft(s));
}

std::string KeyId(std::string_view key) {
  while (key.ends_with('\\')) key.remove_suffix(1);
  return automation::LowerCase(key);
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// 1..8 hex digits as a number, or nothing.
std::optional<std::uint32_t> ParseHexNumber(std::string_view text) {
  if (text.empty() || text.size() > 8) return std::nullopt;
  std::uint32_t number = 0;
  for (char c : text) {
    int digit = HexDigit(c);
    if (digit < 0) return std::nullopt;
    number = number * 16 + static_cast<std::uint32_t>(digit);
  }
  return number;
}

// A quoted string starting at text[0] == '"', with \\ and \" escapes. Returns the
// unescaped text and moves `text` past the closing quote.
std::string ParseQuoted(std::string_view& text, int line) {
  std::string out;
  std::size_t i = 1;
  for (; i < text.size(); ++i) {
    char c = text[i];
    if (c == '"') break;
    if (c == '\\') {
      if (i + 1 >= text.size() || (text[i + 1] != '\\' && text[i + 1] != '"'))
        throw RegHiveError(line, "a backslash in a quoted text must be written as \\\\");
      c = text[++i];
    }
    out += c;
  }
  if (i >= text.size()) throw RegHiveError(line, "a quoted text has no closing quotation mark");
  text.remove_prefix(i + 1);
  return out;
}

std::vector<std::uint8_t> ParseHexBytes(std::string_view list, int line) {
  std::vector<std::uint8_t> bytes;
  if (Trim(list).empty()) return bytes;
  while (true) {
    std::size_t comma = list.find(',');
    std::string_view token = Trim(list.substr(0, comma));
    if (token.empty() || token.size() > 2 || HexDigit(token[0]) < 0 ||
        (token.size() == 2 && HexDigit(token[1]) < 0))
      throw RegHiveError(line, "hex data must be bytes of two hex digits separated by commas");
    int byte = HexDigit(token[0]);
    if (token.size() == 2) byte = byte * 16 + HexDigit(token[1]);
    bytes.push_back(static_cast<std::uint8_t>(byte));
    if (comma == std::string_view::npos) break;
    list.remove_prefix(comma + 1);
  }
  return bytes;
}

std::string Quote(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  out += '"';
  return out;
}

// REG_SZ data that the quoted form can carry: one terminating NUL, no other NUL,
// no line breaks.
bool IsPlainText(const RegistryValue& value) {
  const auto& d = value.data;
  if (d.empty() || d.back() != 0) return false;
  return std::none_of(d.begin(), d.end() - 1,
                      [](std::uint8_t b) { return b == 0 || b == '\n' || b == '\r'; });
}

}  // namespace

std::vector<std::string> FormatRegValue(std::string_view name, const RegistryValue& value) {
  std::string head = name.empty() ? "@=" : Quote(name) + "=";
  if (value.type == reg::kSz && IsPlainText(value)) {
    std::string_view text(reinterpret_cast<const char*>(value.data.data()), value.data.size() - 1);
    return {head + Quote(text)};
  }
  if (value.type == reg::kDword && value.data.size() == 4) {
    std::uint32_t number = 0;
    for (int i = 0; i < 4; ++i) number |= std::uint32_t{value.data[i]} << (8 * i);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "dword:%08x", number);
    return {head + buffer};
  }
  char kind[24];
  if (value.type == reg::kBinary)
    std::snprintf(kind, sizeof kind, "hex:");
  else
    std::snprintf(kind, sizeof kind, "hex(%x):", value.type);
  std::vector<std::string> lines;
  std::string line = head + kind;
  for (std::size_t i = 0; i < value.data.size(); ++i) {
    char byte[4];
    std::snprintf(byte, sizeof byte, "%02x", value.data[i]);
    line += byte;
    if (i + 1 < value.data.size()) {
      line += ',';
      if (line.size() > 73) {  // regedit's width: continue on an indented line
        lines.push_back(line + "\\");
        line = "  ";
      }
    }
  }
  lines.push_back(line);
  return lines;
}

RegHive RegHive::Empty() {
  RegHive hive;
  hive.lines_ = {std::string(kHeader4), ""};
  return hive;
}

RegHive RegHive::Parse(std::string_view text) {
  RegHive hive;
  if (text.starts_with(kBom)) {
    hive.bom_ = true;
    text.remove_prefix(kBom.size());
  }
  if (Trim(text).find_first_not_of("\r\n") == std::string_view::npos) return Empty();

  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    std::string_view line = text.substr(start, end == std::string_view::npos ? end : end - start);
    if (line.ends_with('\r')) {
      line.remove_suffix(1);
      if (hive.lines_.empty()) hive.newline_ = "\r\n";
    }
    hive.lines_.emplace_back(line);
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  hive.Reparse();
  return hive;
}

void RegHive::Reparse() {
  sections_.clear();
  bool header = false;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const int lineNo = static_cast<int>(i) + 1;
    std::string_view line = Trim(lines_[i]);
    if (line.empty() || line.starts_with(';')) continue;
    if (!header) {
      if (line != kHeader4 && line != kHeader5)
        throw RegHiveError(lineNo, "the file must start with the line REGEDIT4");
      header = true;
      continue;
    }
    if (line.starts_with('[')) {
      if (!line.ends_with(']')) throw RegHiveError(lineNo, "a key line must end with ]");
      Section section;
      std::string_view key = line.substr(1, line.size() - 2);
      if (key.starts_with('-')) {
        section.deletion = true;
        key.remove_prefix(1);
      }
      if (Trim(key).empty()) throw RegHiveError(lineNo, "a key line names no key");
      section.key = KeyId(key);
      section.header = i;
      sections_.push_back(std::move(section));
      continue;
    }
    if (!line.starts_with('"') && !line.starts_with('@'))
      throw RegHiveError(lineNo, "expected a [key] line or a \"name\"=value line");
    if (sections_.empty()) throw RegHiveError(lineNo, "a value comes before any [key] line");
    if (sections_.back().deletion)
      throw RegHiveError(lineNo, "a value follows a [-key] deletion line");

    ValueEntry entry;
    entry.first = i;
    std::string_view rest = line;
    if (rest.starts_with('@')) {
      rest.remove_prefix(1);
    } else {
      entry.spelling = ParseQuoted(rest, lineNo);
      entry.name = automation::LowerCase(entry.spelling);
    }
    rest = TrimLeft(rest);
    if (!rest.starts_with('=')) throw RegHiveError(lineNo, "a value name must be followed by =");
    rest = Trim(rest.substr(1));

    if (rest == "-") {
      // deletion mark: entry.value stays empty
    } else if (rest.starts_with('"')) {
      std::string text = ParseQuoted(rest, lineNo);
      if (!Trim(rest).empty()) throw RegHiveError(lineNo, "unexpected text after a quoted value");
      entry.value = RegistryValue::Text(text);
    } else if (rest.starts_with("dword:")) {
      auto number = ParseHexNumber(Trim(rest.substr(6)));
      if (!number) throw RegHiveError(lineNo, "dword data must be 1 to 8 hex digits");
      entry.value = RegistryValue::Dword(*number);
    } else if (rest.starts_with("hex")) {
      std::uint32_t type = reg::kBinary;
      rest.remove_prefix(3);
      if (rest.starts_with('(')) {
        std::size_t close = rest.find(')');
        auto number = close == std::string_view::npos ? std::nullopt
                                                      : ParseHexNumber(rest.substr(1, close - 1));
        if (!number) throw RegHiveError(lineNo, "hex(N) needs a type number N in hex");
        type = *number;
        rest.remove_prefix(close + 1);
      }
      if (!rest.starts_with(':')) throw RegHiveError(lineNo, "hex data must follow a colon");
      std::string list(rest.substr(1));
      // A trailing backslash continues the bytes on the next line.
      while (TrimRight(list).ends_with('\\')) {
        list = std::string(TrimRight(list));
        list.pop_back();
        if (++i >= lines_.size())
          throw RegHiveError(lineNo, "hex data continues past the end of the file");
        list += Trim(lines_[i]);
      }
      RegistryValue value;
      value.type = type;
      value.data = ParseHexBytes(list, lineNo);
      entry.value = std::move(value);
    } else {
      throw RegHiveError(lineNo, "unknown value data (expected \"text\", dword:, hex: or hex(N):)");
    }
    entry.last = i;
    sections_.back().values.push_back(std::move(entry));
  }
  if (!header) throw RegHiveError(1, "the file must start with the line REGEDIT4");
}

std::vector<const RegHive::Section*> RegHive::Live(std::string_view key) const {
  const std::string id = KeyId(key);
  std::vector<const Section*> live;
  for (const Section& section : sections_) {
    if (section.key != id) continue;
    if (section.deletion)
      live.clear();
    else
      live.push_back(&section);
  }
  return live;
}

bool RegHive::HasKey(std::string_view key) const {
  return !Live(key).empty();
}

std::optional<RegistryValue> RegHive::Read(std::string_view key, std::string_view name) const {
  const std::string id = automation::LowerCase(name);
  std::optional<RegistryValue> found;
  for (const Section* section : Live(key))
    for (const ValueEntry& entry : section->values)
      if (entry.name == id) found = entry.value;
  return found;
}

void RegHive::CreateKey(std::string_view key) {
  if (HasKey(key)) return;
  while (key.ends_with('\\')) key.remove_suffix(1);
  if (!lines_.empty() && !Trim(lines_.back()).empty()) lines_.emplace_back();
  lines_.push_back("[" + std::string(key) + "]");
  lines_.emplace_back();
  Reparse();
}

void RegHive::Write(std::string_view key, std::string_view name, const RegistryValue& value) {
  CreateKey(key);
  const std::string id = automation::LowerCase(name);
  const ValueEntry* last = nullptr;
  const auto live = Live(key);
  for (const Section* section : live)
    for (const ValueEntry& entry : section->values)
      if (entry.name == id) last = &entry;
  // A replaced value keeps the spelling of its name, as the registry does.
  std::vector<std::string> formatted = FormatRegValue(last ? last->spelling : name, value);
  auto at = lines_.begin();
  if (last) {
    at = lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(last->first),
                      lines_.begin() + static_cast<std::ptrdiff_t>(last->last) + 1);
  } else {
    const Section& section = *live.back();
    std::size_t after = section.values.empty() ? section.header : section.values.back().last;
    at = lines_.begin() + static_cast<std::ptrdiff_t>(after) + 1;
  }
  lines_.insert(at, formatted.begin(), formatted.end());
  Reparse();
}

std::string RegHive::Text() const {
  std::string text = bom_ ? std::string(kBom) : std::string();
  for (const std::string& line : lines_) {
    text += line;
    text += newline_;
  }
  return text;
}

}  // namespace tabulo::platform
