#include "drawing/record.h"

#include <algorithm>

namespace tabulo::drawing {

std::optional<std::uint64_t> Record::handle() const {
  int code = type() == "DIMSTYLE" ? 105 : 5;
  std::size_t at = FindCode(tags, code, 1, XDataBegin(tags));
  if (at == npos) return std::nullopt;
  return ParseHandle(tags[at].value);
}

std::optional<std::uint64_t> Record::owner() const {
  std::size_t end = XDataBegin(tags);
  bool inGroup = false;
  for (std::size_t i = 1; i < end; ++i) {
    if (tags[i].code == 102)
      inGroup = !tags[i].value.empty() && tags[i].value.front() == '{';
    else if (tags[i].code == 330 && !inGroup)
      return ParseHandle(tags[i].value);
  }
  return std::nullopt;
}

std::size_t XDataBegin(const Tags& tags) {
  for (std::size_t i = 1; i < tags.size(); ++i)
    if (tags[i].code == 1001) return i;
  return tags.size();
}

TagRange SubclassRange(const Tags& tags, std::string_view marker) {
  std::size_t end = XDataBegin(tags);
  std::size_t begin = npos;
  bool anyMarker = false;
  for (std::size_t i = 1; i < end; ++i) {
    if (tags[i].code != 100) continue;
    anyMarker = true;
    if (tags[i].value == marker) {
      begin = i + 1;
      break;
    }
  }
  if (begin == npos) return anyMarker ? TagRange{end, end} : TagRange{1, end};
  std::size_t stop = begin;
  while (stop < end && tags[stop].code != 100 && tags[stop].code != 101) ++stop;
  return TagRange{begin, stop};
}

const std::string* GetValue(const Tags& tags, TagRange range, int code) {
  std::size_t at = FindCode(tags, code, range.begin, range.end);
  return at == npos ? nullptr : &tags[at].value;
}

void SetValue(Tags& tags, TagRange range, int code, std::string value,
              std::initializer_list<int> after) {
  std::size_t at = FindCode(tags, code, range.begin, range.end);
  if (at != npos) {
    tags[at].value = std::move(value);
    return;
  }
  std::size_t insertAt = range.end;
  for (std::size_t i = range.begin; i < range.end; ++i)
    if (std::find(after.begin(), after.end(), tags[i].code) != after.end()) insertAt = i + 1;
  tags.insert(tags.begin() + static_cast<std::ptrdiff_t>(insertAt), Tag{code, std::move(value)});
}

void RemoveCode(Tags& tags, TagRange range, int code) {
  std::size_t at = FindCode(tags, code, range.begin, range.end);
  if (at != npos) tags.erase(tags.begin() + static_cast<std::ptrdiff_t>(at));
}

}  // namespace tabulo::drawing
