#pragma once
#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"

namespace tabulo::platform {

// A .reg text that does not follow regedit's notation: what is wrong, and the
// 1-based line where it is.
class RegHiveError : public std::runtime_error {
 public:
  RegHiveError(int line, const std::string& what) : std::runtime_error(what), line_(line) {}
  int line() const { return line_; }

 private:
  int line_;
};

// The text of a registry export in regedit's notation ("REGEDIT4", then
// [HKEY_...\Path] sections of "Name"="text", dword:0000002a, hex:01,02 and
// hex(N):... values), kept line by line: writing one value replaces or adds only
// that value's lines, so every other key, value and comment stays as it was.
// Keys are full paths from the root and, like value names, compare
// case-insensitively. Where a key or value occurs more than once the last
// occurrence holds, as when regedit imports the file; "Name"=- and [-Key] mark
// deletions.
class RegHive {
 public:
  // Throws RegHiveError. A text of blanks only is an empty hive.
  static RegHive Parse(std::string_view text);
  // "REGEDIT4" and nothing else.
  static RegHive Empty();

  bool HasKey(std::string_view key) const;
  std::optional<RegistryValue> Read(std::string_view key, std::string_view name) const;
  // Adds an empty section for `key` unless it exists.
  void CreateKey(std::string_view key);
  // Creates or replaces the value (the key is created when missing).
  void Write(std::string_view key, std::string_view name, const RegistryValue& value);

  std::string Text() const;

 private:
  struct ValueEntry {
    std::string name;                    // lower case; "" is the default value (@)
    std::string spelling;                // as the file writes it
    std::optional<RegistryValue> value;  // nothing: a deletion mark
    std::size_t first = 0, last = 0;     // its lines
  };
  struct Section {
    std::string key;  // lower case, no trailing backslash
    bool deletion = false;
    std::size_t header = 0;
    std::vector<ValueEntry> values;
  };

  // The sections that currently define `key`: those after its last deletion.
  std::vector<const Section*> Live(std::string_view key) const;
  void Reparse();

  std::vector<std::string> lines_;
  std::vector<Section> sections_;
  std::string newline_ = "\n";
  bool bom_ = false;
};

// The file lines of one value in regedit's notation, the hex forms wrapped as
// regedit wraps them.
std::vector<std::string> FormatRegValue(std::string_view name, const RegistryValue& value);

}  // namespace tabulo::platform
