#include "drawing/dxf_writer.h"
#include "platform/file_replace.h"

#include <cstdio>
#include <fstream>
#include <random>

#include "drawing/dxf_error.h"
#include "drawing/text_codec.h"

namespace tabulo::drawing {
namespace {

class TagWriter {
 public:
  TagWriter(const TextCodec& codec, std::string lineEnd)
      : codec_(codec), lineEnd_(std::move(lineEnd)) {}

  void Write(const Tag& tag) {
    char code[16];
    std::snprintf(code, sizeof code, "%3d", tag.code);
    out_ += code;
    out_ += lineEnd_;
    WriteValue(tag.value);
    out_ += lineEnd_;
  }
  void Write(const Tags& tags) {
    for (const Tag& tag : tags) Write(tag);
  }
  void Write(const Record& record) {
    Write(record.tags);
    for (const Tags& follower : record.followers) Write(follower);
  }
  void Write(int code, std::string_view value) { Write(Tag{code, std::string(value)}); }

  std::string& text() { return out_; }

 private:
  void WriteValue(const std::string& value) {
    bool plain = true;
    for (char ch : value)
      if (static_cast<unsigned char>(ch) >= 0x80 || ch == '\n' || ch == '\r') plain = false;
    if (plain) {
      out_ += value;
      return;
    }
    // A line break inside a value would break the file apart: caret notation.
    std::string safe;
    for (char ch : value) {
      if (ch == '\n')
        safe += "^J";
      else if (ch == '\r')
        safe += "^M";
      else
        safe += ch;
    }
    out_ += codec_.Encode(safe);
  }

  const TextCodec& codec_;
  std::string lineEnd_;
  std::string out_;
};

void WriteSectionContent(TagWriter& writer, const Drawing& drawing, const Section& section) {
  writer.Write(section.head);
  if (section.name == "TABLES") {
    for (const Table& table : drawing.tables) {
      writer.Write(*table.head);
      for (const RecordPtr& entry : table.entries) writer.Write(*entry);
      if (table.end)
        writer.Write(*table.end);
      else
        writer.Write(0, "ENDTAB");
    }
  } else if (section.name == "BLOCKS") {
    for (const BlockPtr& block : drawing.blocks) {
      writer.Write(*block->begin);
      for (const RecordPtr& entity : block->entities) writer.Write(*entity);
      if (block->end)
        writer.Write(*block->end);
      else
        writer.Write(0, "ENDBLK");
    }
  } else if (section.name == "ENTITIES") {
    for (const RecordPtr& entity : drawing.entities) writer.Write(*entity);
  } else {
    for (const RecordPtr& record : section.records) writer.Write(*record);
  }
}

std::filesystem::path TemporaryBeside(const std::filesystem::path& file) {
  std::random_device random;
  char suffix[16];
  std::snprintf(suffix, sizeof suffix, "%08x", static_cast<unsigned>(random()));
  std::filesystem::path name = "." + file.filename().string() + ".tmp-" + suffix;
  return file.has_parent_path() ? file.parent_path() / name : name;
}

}  // namespace

std::string SerializeDxf(const Drawing& drawing) {
  const std::string* codePage = drawing.HeaderValue("$DWGCODEPAGE");
  TextCodec codec = TextCodec::For(drawing.Version(), codePage ? *codePage : "ANSI_1252");
  TagWriter writer(codec, drawing.lineEnd);
  writer.Write(drawing.leading);
  for (const Section& section : drawing.sections) {
    writer.Write(0, "SECTION");
    WriteSectionContent(writer, drawing, section);
    writer.Write(0, "ENDSEC");
  }
  writer.Write(0, "EOF");
  return std::move(writer.text());
}

void WriteDxf(const Drawing& drawing, const std::filesystem::path& file) {
  if (auto refusal = platform::ReplaceRefusal(file))
    throw DxfError(file, "cannot replace it: " + *refusal);
  std::string text = SerializeDxf(drawing);
  std::filesystem::path temporary = TemporaryBeside(file);
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out)
      throw DxfError(file, "cannot create a temporary file in " +
                               (file.has_parent_path() ? file.parent_path().string()
                                                       : std::string("the current folder")) +
                               " (missing folder or no permission)");
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.flush();
    if (!out) {
      out.close();
      std::error_code ignored;
      std::filesystem::remove(temporary, ignored);
      throw DxfError(file, "writing the drawing failed (is the disk full?)");
    }
  }
  platform::KeepPermissions(file, temporary);
  std::error_code error;
  std::filesystem::rename(temporary, file, error);
  if (error) {
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    throw DxfError(file, "cannot replace the file: " + error.message());
  }
}

}  // namespace tabulo::drawing
