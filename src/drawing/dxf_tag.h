#pragma once
#include "automation/object.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tabulo::drawing {

// One DXF group: a group code and its value as the file's text (UTF-8 inside the
// program). Values stay text so that what the stand-in does not model goes back
// to the file exactly as it came.
struct Tag {
  int code = 0;
  std::string value;
  friend bool operator==(const Tag&, const Tag&) = default;
};
using Tags = std::vector<Tag>;

// A real as DXF writes it: the shortest text that reads back to the same double,
// always with a decimal point or exponent ("1.0", "0.32051282051282054").
std::string FormatReal(double value);
// A real or integer value of a tag; nullopt when the text is no number.
std::optional<double> ParseReal(std::string_view text);
std::optional<std::int64_t> ParseInteger(std::string_view text);

// Handles are hexadecimal numbers without leading zeros, upper case.
std::string FormatHandle(std::uint64_t handle);
std::optional<std::uint64_t> ParseHandle(std::string_view text);

// Symbol names compare as the host compares them: ASCII case-insensitively.
using automation::EqualsIgnoreCase;

// First tag with `code` in tags[begin, end); npos when there is none.
inline constexpr std::size_t npos = static_cast<std::size_t>(-1);
std::size_t FindCode(const Tags& tags, int code, std::size_t begin = 0, std::size_t end = npos);

}  // namespace tabulo::drawing
