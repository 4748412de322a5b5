#include "drawing/dxf_reader.h"

#include <fstream>
#include <iterator>
#include <sstream>

#include "drawing/dxf_error.h"
#include "drawing/text_codec.h"

namespace tabulo::drawing {
namespace {

// A tag as it sits in the file: code, raw value bytes, line of the code.
struct RawTag {
  int code;
  std::string_view value;
  std::size_t line;
};

enum class ValueKind { Text, Real, Integer, Handle };

ValueKind KindOf(int code) {
  if (code == 5 || code == 105) return ValueKind::Handle;
  if ((code >= 10 && code <= 59) || (code >= 110 && code <= 149) || (code >= 210 && code <= 239) ||
      (code >= 460 && code <= 469) || (code >= 1010 && code <= 1059))
    return ValueKind::Real;
  if ((code >= 60 && code <= 99) || (code >= 160 && code <= 179) || (code >= 270 && code <= 289) ||
      (code >= 370 && code <= 389) || (code >= 400 && code <= 409) ||
      (code >= 420 && code <= 429) || (code >= 440 && code <= 459) ||
      (code >= 1060 && code <= 1071))
    return ValueKind::Integer;
  return ValueKind::Text;
}

std::string Shown(std::string_view text) {
  std::string shown(text.substr(0, 40));
  for (char& ch : shown)
    if (static_cast<unsigned char>(ch) < 0x20) ch = '?';
  return "'" + shown + (text.size() > 40 ? "...'" : "'");
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

class Loader {
 public:
  Loader(std::string_view bytes, const std::filesystem::path& name) : bytes_(bytes), name_(name) {}

  std::shared_ptr<Drawing> Load() {
    if (bytes_.substr(0, 18) == "AutoCAD Binary DXF")
      Fail(0, "this is a binary DXF file; save the drawing as ASCII DXF (R2000 or later)");
    SplitTags();
    ChooseCodec();
    drawing_ = std::make_shared<Drawing>();
    std::size_t firstEnd = bytes_.find('\n');
    drawing_->lineEnd =
        firstEnd != std::string_view::npos && firstEnd > 0 && bytes_[firstEnd - 1] == '\r' ? "\r\n"
                                                                                           : "\n";
    ReadSections();
    try {
      drawing_->Index();
    } catch (const std::runtime_error& error) {
      Fail(0, error.what());
    }
    return drawing_;
  }

 private:
  [[noreturn]] void Fail(std::size_t line, const std::string& reason) const {
    if (line == 0) throw DxfError(name_, reason);
    throw DxfError(name_, line, reason);
  }

  void SplitTags() {
    std::vector<std::string_view> lines;
    std::size_t pos = 0;
    while (pos < bytes_.size()) {
      std::size_t end = bytes_.find('\n', pos);
      std::size_t next = end == std::string_view::npos ? bytes_.size() : end + 1;
      if (end == std::string_view::npos) end = bytes_.size();
      std::string_view line = bytes_.substr(pos, end - pos);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      lines.push_back(line);
      pos = next;
    }
    if (lines.empty()) Fail(0, "the file is empty");
    tags_.reserve(lines.size() / 2);
    for (std::size_t i = 0; i < lines.size(); i += 2) {
      std::size_t lineNumber = i + 1;
      std::string_view codeText = TrimBlanks(lines[i]);
      if (i + 1 == lines.size()) {
        if (codeText.empty() && i > 0) break;  // the file's last line end
        Fail(lineNumber, "the file ends after group code " + Shown(codeText) +
                             " without its value (odd number of lines; the file may be cut short)");
      }
      auto code = ParseInteger(codeText);
      if (!code || *code < -5 || *code > 1071)
        Fail(lineNumber, "group code expected, found " + Shown(lines[i]));
      tags_.push_back(RawTag{static_cast<int>(*code), lines[i + 1], lineNumber});
    }
  }

  // The version and code page come from the header before any value is decoded.
  void ChooseCodec() {
    std::string version, codePage;
    for (std::size_t i = 0; i + 1 < tags_.size(); ++i) {
      if (tags_[i].code == 0 && TrimBlanks(tags_[i].value) == "ENDSEC") break;
      if (tags_[i].code != 9) continue;
      std::string_view name = TrimBlanks(tags_[i].value);
      if (name == "$ACADVER") version = std::string(TrimBlanks(tags_[i + 1].value));
      if (name == "$DWGCODEPAGE") codePage = std::string(TrimBlanks(tags_[i + 1].value));
    }
    if (version.empty())
      Fail(0,
           "the header has no $ACADVER: DXF R12 and older are not supported; save the "
           "drawing as DXF R2000 or later");
    if (version.size() != 6 || version.compare(0, 2, "AC") != 0)
      Fail(0, "unknown drawing version " + Shown(version));
    if (version < "AC1015")
      Fail(0, "drawing version " + version +
                  " is older than R2000 (AC1015), which is not supported; save the drawing as "
                  "DXF R2000 or later");
    codec_ = TextCodec::For(version, codePage);
  }

  Tag Decode(const RawTag& raw) const {
    Tag tag{raw.code, {}};
    try {
      tag.value = codec_.Decode(raw.value);
    } catch (const std::runtime_error& error) {
      Fail(raw.line + 1, error.what());
    }
    switch (KindOf(raw.code)) {
      case ValueKind::Real:
      case ValueKind::Integer:
        if (!ParseReal(tag.value))
          Fail(raw.line + 1, "group code " + std::to_string(raw.code) + " needs a number, found " +
                                 Shown(tag.value));
        break;
      case ValueKind::Handle:
        if (!ParseHandle(tag.value))
          Fail(raw.line + 1, "group code " + std::to_string(raw.code) +
                                 " needs a hexadecimal handle, found " + Shown(tag.value));
        break;
      case ValueKind::Text:
        break;
    }
    return tag;
  }

  bool IsZero(std::size_t i, std::string_view type) const {
    return tags_[i].code == 0 && TrimBlanks(tags_[i].value) == type;
  }

  void ReadSections() {
    std::size_t i = 0;
    while (i < tags_.size() && !IsZero(i, "SECTION") && !IsZero(i, "EOF")) {
      if (tags_[i].code != 999)
        Fail(tags_[i].line, "SECTION expected, found group " + std::to_string(tags_[i].code) + " " +
                                Shown(tags_[i].value));
      drawing_->leading.push_back(Decode(tags_[i++]));
    }
    while (true) {
      if (i >= tags_.size())
        Fail(tags_.empty() ? 0 : tags_.back().line,
             "the file ends without EOF (it may be cut short)");
      if (IsZero(i, "EOF")) return;
      if (!IsZero(i, "SECTION"))
        Fail(tags_[i].line, "SECTION expected, found " + Shown(tags_[i].value));
      std::size_t sectionLine = tags_[i].line;
      if (i + 1 >= tags_.size() || tags_[i + 1].code != 2)
        Fail(sectionLine, "SECTION without its name");
      std::string name(TrimBlanks(tags_[i + 1].value));
      std::size_t end = i + 2;
      while (end < tags_.size() && !IsZero(end, "ENDSEC")) {
        if (IsZero(end, "SECTION") || IsZero(end, "EOF")) break;
        ++end;
      }
      if (end >= tags_.size() || !IsZero(end, "ENDSEC"))
        Fail(sectionLine, "section " + name + " has no ENDSEC (the file is damaged or cut short)");
      ReadSection(name, i + 1, end);
      i = end + 1;
    }
  }

  // Tags [begin, end) of a section: (2, name), head tags, records.
  void ReadSection(const std::string& name, std::size_t begin, std::size_t end) {
    Section section;
    section.name = name;
    std::size_t i = begin;
    while (i < end && tags_[i].code != 0) section.head.push_back(Decode(tags_[i++]));
    std::vector<RecordPtr> records;
    while (i < end) {
      auto record = std::make_shared<Record>();
      record->line = tags_[i].line;
      Tag head = Decode(tags_[i++]);
      head.value = std::string(TrimBlanks(head.value));
      record->tags.push_back(std::move(head));
      while (i < end && tags_[i].code != 0) record->tags.push_back(Decode(tags_[i++]));
      records.push_back(std::move(record));
    }
    if (name == "TABLES")
      ReadTables(records);
    else if (name == "BLOCKS")
      ReadBlocks(records);
    else if (name == "ENTITIES")
      drawing_->entities = GroupFollowers(records);
    else
      section.records = std::move(records);
    drawing_->sections.push_back(std::move(section));
  }

  // ATTRIB, VERTEX and SEQEND records belong to the entity before them.
  std::vector<RecordPtr> GroupFollowers(std::vector<RecordPtr>& records) const {
    std::vector<RecordPtr> grouped;
    for (RecordPtr& record : records) {
      const std::string& type = record->type();
      if ((type == "ATTRIB" || type == "VERTEX" || type == "SEQEND") && !grouped.empty()) {
        grouped.back()->followers.push_back(std::move(record->tags));
        continue;
      }
      grouped.push_back(std::move(record));
    }
    return grouped;
  }

  void ReadTables(std::vector<RecordPtr>& records) {
    Table* open = nullptr;
    for (RecordPtr& record : records) {
      const std::string& type = record->type();
      if (type == "TABLE") {
        if (open) Fail(record->line, "TABLE inside table " + open->name() + " (ENDTAB missing)");
        drawing_->tables.push_back(Table{record, {}, nullptr});
        open = &drawing_->tables.back();
      } else if (type == "ENDTAB") {
        if (!open) Fail(record->line, "ENDTAB without TABLE");
        open->end = record;
        open = nullptr;
      } else {
        if (!open) Fail(record->line, type + " outside a table");
        open->entries.push_back(record);
      }
    }
    if (open) Fail(open->head->line, "table " + open->name() + " has no ENDTAB");
  }

  void ReadBlocks(std::vector<RecordPtr>& records) {
    std::vector<RecordPtr> grouped = GroupFollowers(records);
    BlockPtr open;
    for (RecordPtr& record : grouped) {
      const std::string& type = record->type();
      if (type == "BLOCK") {
        if (open) Fail(record->line, "BLOCK inside block " + open->name() + " (ENDBLK missing)");
        open = std::make_shared<Block>();
        open->begin = record;
      } else if (type == "ENDBLK") {
        if (!open) Fail(record->line, "ENDBLK without BLOCK");
        open->end = record;
        drawing_->blocks.push_back(std::move(open));
        open = nullptr;
      } else {
        if (!open) Fail(record->line, type + " outside a block");
        open->entities.push_back(record);
      }
    }
    if (open) Fail(open->begin->line, "block " + open->name() + " has no ENDBLK");
  }

  std::string_view bytes_;
  const std::filesystem::path& name_;
  std::vector<RawTag> tags_;
  TextCodec codec_ = TextCodec::Utf8();
  std::shared_ptr<Drawing> drawing_;
};

}  // namespace

std::shared_ptr<Drawing> ParseDxf(std::string_view bytes, const std::filesystem::path& name) {
  return Loader(bytes, name).Load();
}

std::shared_ptr<Drawing> ReadDxf(const std::filesystem::path& file) {
  std::error_code ec;
  if (std::filesystem::is_directory(file, ec))
    throw DxfError(file, "it is a folder, not a drawing");
  std::ifstream in(file, std::ios::binary);
  if (!in) throw DxfError(file, "the file cannot be opened for reading");
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw DxfError(file, "the file cannot be read");
  return ParseDxf(bytes, file);
}

}  // namespace tabulo::drawing
