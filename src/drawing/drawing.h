#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "drawing/record.h"
#include "drawing/text_codec.h"

namespace tabulo::drawing {

// A section the stand-in keeps as it came: its (2, NAME) tag and, for HEADER,
// the variables (head), then its records. TABLES, BLOCKS and ENTITIES keep their
// content in Drawing::tables, blocks and entities instead.
struct Section {
  std::string name;
  Tags head;
  std::vector<RecordPtr> records;
};

// A symbol table: its TABLE record, entries and ENDTAB.
struct Table {
  RecordPtr head;
  std::vector<RecordPtr> entries;
  RecordPtr end;
  std::string name() const;
};

// A block definition: BLOCK, its entities, ENDBLK, and its BLOCK_RECORD entry
// (null only in files that lack one).
struct Block {
  RecordPtr begin;
  std::vector<RecordPtr> entities;
  RecordPtr end;
  RecordPtr record;
  bool erased = false;
  std::string name() const;
};
using BlockPtr = std::shared_ptr<Block>;

// A drawing as DXF tags, with just enough structure on top for the host's
// object model: header variables, symbol tables, blocks and entities. Whatever is
// not modelled (classes, objects, other tables, unknown entities) keeps its tags
// and is written back unchanged.
class Drawing {
 public:
  Tags leading;                     // 999 comments before the first section
  std::string lineEnd = "\r\n";     // as the file read had them; new drawings as the host writes
  std::vector<Section> sections;    // in file order
  std::vector<Table> tables;        // content of TABLES
  std::vector<BlockPtr> blocks;     // content of BLOCKS
  std::vector<RecordPtr> entities;  // content of ENTITIES

  // A new drawing from the built-in minimal R2000 template.
  static std::shared_ptr<Drawing> New();

  // Rebuilds the handle index and the handle seed after the sections were
  // filled; throws DxfError naming the handle when two records share one.
  void Index();

  // Header variable value (the first value tag after (9, name)); nullptr if absent.
  const std::string* HeaderValue(std::string_view name) const;
  void SetHeaderValue(std::string_view name, int code, std::string value);
  // $ACADVER, e.g. "AC1015".
  std::string Version() const;

  // A fresh handle from $HANDSEED, which moves on.
  std::uint64_t AllocateHandle();
  Record* FindHandle(std::uint64_t handle) const;

  Table* FindTable(std::string_view name);
  // Block by name, case-insensitively; null when there is none.
  BlockPtr FindBlock(std::string_view name) const;
  // The model space block record's handle.
  std::optional<std::uint64_t> ModelSpaceHandle() const;

  // Model-space entities in file order (not their followers, not paper space).
  const std::vector<RecordPtr>& ModelSpace();

  // A new empty block definition with its block record; throws automation::Error
  // when the name is invalid or taken.
  BlockPtr AddBlock(std::string_view name, double x, double y, double z);
  // True while an entity anywhere (model space, paper space, other blocks)
  // refers to the block by name.
  bool IsReferenced(const Block& block) const;
  // Removes the block with its record and entities; throws when it is referenced
  // or is a layout block.
  void DeleteBlock(const BlockPtr& block);

  // A new entity record of `type` with subclass `subclass`, owned by `block` (or
  // model space when null): its handle, owner, layer and subclass markers are
  // set; the caller appends the subclass data to the returned tags.
  RecordPtr NewEntity(std::string_view type, std::string_view subclass, Block* block);
  void EraseEntity(const RecordPtr& entity);

  // Registered application names (the APPID table), compared case-insensitively.
  bool HasAppId(std::string_view name) const;
  void AddAppId(std::string_view name);

 private:
  // Adds an empty section where the format wants it when the file had none, so
  // that what is added to it is written.
  void EnsureSection(std::string_view name);
  void Unindex(const Record& record);
  void IndexRecord(Record& record);
  void AddTableEntry(std::string_view tableName, RecordPtr entry);

  std::unordered_map<std::uint64_t, Record*> handles_;
  std::uint64_t seed_ = 1;
  std::size_t seedSection_ = 0, seedTag_ = 0;  // where the $HANDSEED value was last seen
  std::vector<RecordPtr> modelSpace_;
  bool modelSpaceValid_ = false;
};

}  // namespace tabulo::drawing
