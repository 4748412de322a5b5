#include "drawing/dxf_tag.h"

#include <charconv>
#include <cmath>

namespace tabulo::drawing {
namespace {

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
    text.remove_suffix(1);
  return text;
}

}  // namespace

std::string FormatReal(double value) {
  if (!std::isfinite(value)) return "0.0";
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  std::string text(buffer, result.ptr);
  if (text.find_first_of(".eEn") == std::string::npos) text += ".0";
  return text;
}

std::optional<double> ParseReal(std::string_view text) {
  text = Trim(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  double value = 0;
  auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size() || text.empty())
    return std::nullopt;
  return value;
}

std::optional<std::int64_t> ParseInteger(std::string_view text) {
  text = Trim(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  std::int64_t value = 0;
  auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size() || text.empty())
    return std::nullopt;
  return value;
}

std::string FormatHandle(std::uint64_t handle) {
  char buffer[24];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, handle, 16);
  std::string text(buffer, result.ptr);
  for (char& ch : text)
    if (ch >= 'a' && ch <= 'f') ch = static_cast<char>(ch - 'a' + 'A');
  return text;
}

std::optional<std::uint64_t> ParseHandle(std::string_view text) {
  text = Trim(text);
  if (text.empty() || text.size() > 16) return std::nullopt;
  std::uint64_t value = 0;
  auto result = std::from_chars(text.data(), text.data() + text.size(), value, 16);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
  return value;
}

std::size_t FindCode(const Tags& tags, int code, std::size_t begin, std::size_t end) {
  end = std::min(end, tags.size());
  for (std::size_t i = begin; i < end; ++i)
    if (tags[i].code == code) return i;
  return npos;
}

}  // namespace tabulo::drawing
