#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "drawing/dxf_tag.h"

namespace tabulo::drawing {

// One DXF record: an entity, table entry or object, from its (0, TYPE) tag up to
// the next group 0. An entity's attached records (ATTRIB, VERTEX ... SEQEND)
// travel with it as followers, so counting, moving and erasing it takes them too.
struct Record {
  Tags tags;
  std::vector<Tags> followers;
  bool erased = false;
  std::size_t line = 0;  // where it began in the file read; 0 for new records

  const std::string& type() const { return tags.front().value; }
  // The record's handle (group 5, or 105 for DIMSTYLE); nullopt without one.
  std::optional<std::uint64_t> handle() const;
  // The owner handle (the first group 330 outside 102 groups); nullopt without one.
  std::optional<std::uint64_t> owner() const;
};
using RecordPtr = std::shared_ptr<Record>;

// A run of tags [begin, end) holding one subclass's data.
struct TagRange {
  std::size_t begin = 0, end = 0;
};

// Where extended data starts: the first group 1001, or tags.size().
std::size_t XDataBegin(const Tags& tags);

// The data of subclass `marker` (after its group 100 up to the next 100, 101
// embedded object or extended data). A record written without subclass markers
// (older writers) has all its data in one range, which is returned then.
TagRange SubclassRange(const Tags& tags, std::string_view marker);

// Value access inside a range. Get returns nullptr when the code is absent; Set
// replaces the first occurrence or inserts the tag after the last tag whose code
// is in `after` (at the end of the range when none is there).
const std::string* GetValue(const Tags& tags, TagRange range, int code);
void SetValue(Tags& tags, TagRange range, int code, std::string value,
              std::initializer_list<int> after = {});
void RemoveCode(Tags& tags, TagRange range, int code);

}  // namespace tabulo::drawing
