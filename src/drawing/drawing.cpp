#include "drawing/drawing.h"

#include <algorithm>
#include <stdexcept>

#include "automation/error.h"
#include "drawing/drawing_template.h"
#include "drawing/dxf_reader.h"

namespace tabulo::drawing {
namespace {

using automation::Error;

std::string CodeValue(const Tags& tags, int code) {
  std::size_t at = FindCode(tags, code, 1, XDataBegin(tags));
  return at == npos ? std::string() : tags[at].value;
}

// Names the host refuses for symbol table entries.
void CheckSymbolName(std::string_view kind, std::string_view name) {
  if (name.empty()) throw Error("Invalid input: a " + std::string(kind) + " name cannot be empty.");
  if (name.size() > 255)
    throw Error("Invalid input: a " + std::string(kind) + " name is limited to 255 characters.");
  for (char ch : name) {
    if (std::string_view("<>/\\\":;?*|,=`").find(ch) != std::string_view::npos ||
        static_cast<unsigned char>(ch) < 0x20)
      throw Error("Invalid input: the " + std::string(kind) + " name \"" + std::string(name) +
                  "\" contains a character that is not allowed (< > / \\ \" : ; ? * | , = `).");
  }
}

bool IsLayoutBlockName(std::string_view name) {
  return name.size() >= 12 && (EqualsIgnoreCase(name.substr(0, 12), "*Model_Space") ||
                               EqualsIgnoreCase(name.substr(0, 12), "*Paper_Space"));
}

}  // namespace

std::string Table::name() const {
  return CodeValue(head->tags, 2);
}

std::string Block::name() const {
  std::string fromBlock = CodeValue(begin->tags, 2);
  if (!fromBlock.empty() || !record) return fromBlock;
  return CodeValue(record->tags, 2);
}

std::shared_ptr<Drawing> Drawing::New() {
  return ParseDxf(DrawingTemplate(), "new drawing");
}

void Drawing::Index() {
  handles_.clear();
  std::uint64_t highest = 0;
  auto add = [&](Record& record) {
    auto handle = record.handle();
    if (handle) {
      auto [it, fresh] = handles_.emplace(*handle, &record);
      if (!fresh)
        throw std::runtime_error("handle " + FormatHandle(*handle) +
                                 " is used twice (records at lines " +
                                 std::to_string(it->second->line) + " and " +
                                 std::to_string(record.line) + "); the file is damaged");
      highest = std::max(highest, *handle);
    }
    for (const Tags& follower : record.followers) {
      std::size_t at = FindCode(follower, 5, 1, XDataBegin(follower));
      if (at == npos) continue;
      auto followerHandle = ParseHandle(follower[at].value);
      if (!followerHandle) continue;
      auto [it, fresh] = handles_.emplace(*followerHandle, &record);
      if (!fresh)
        throw std::runtime_error("handle " + FormatHandle(*followerHandle) +
                                 " is used twice (near lines " + std::to_string(it->second->line) +
                                 " and " + std::to_string(record.line) + "); the file is damaged");
      highest = std::max(highest, *followerHandle);
    }
  };
  for (Section& section : sections)
    for (RecordPtr& record : section.records) add(*record);
  for (Table& table : tables) {
    add(*table.head);
    for (RecordPtr& entry : table.entries) add(*entry);
    if (table.end) add(*table.end);
  }
  for (BlockPtr& block : blocks) {
    add(*block->begin);
    for (RecordPtr& entity : block->entities) add(*entity);
    if (block->end) add(*block->end);
  }
  for (RecordPtr& entity : entities) add(*entity);

  // Block definitions meet their block records by name.
  if (Table* records = FindTable("BLOCK_RECORD")) {
    for (BlockPtr& block : blocks) {
      std::string name = CodeValue(block->begin->tags, 2);
      for (RecordPtr& entry : records->entries)
        if (EqualsIgnoreCase(CodeValue(entry->tags, 2), name)) block->record = entry;
    }
  }

  const std::string* seed = HeaderValue("$HANDSEED");
  std::uint64_t seedValue = seed ? ParseHandle(*seed).value_or(0) : 0;
  if (seedValue <= highest) {
    // A seed at or below a handle in use would hand out that handle again.
    seedValue = highest + 1;
    SetHeaderValue("$HANDSEED", 5, FormatHandle(seedValue));
  }
  seed_ = seedValue;
  modelSpaceValid_ = false;
}

const std::string* Drawing::HeaderValue(std::string_view name) const {
  for (const Section& section : sections) {
    if (section.name != "HEADER") continue;
    for (std::size_t i = 0; i + 1 < section.head.size(); ++i)
      if (section.head[i].code == 9 && section.head[i].value == name)
        return &section.head[i + 1].value;
  }
  return nullptr;
}

void Drawing::SetHeaderValue(std::string_view name, int code, std::string value) {
  for (Section& section : sections) {
    if (section.name != "HEADER") continue;
    for (std::size_t i = 0; i + 1 < section.head.size(); ++i)
      if (section.head[i].code == 9 && section.head[i].value == name) {
        section.head[i + 1].value = std::move(value);
        return;
      }
    section.head.push_back(Tag{9, std::string(name)});
    section.head.push_back(Tag{code, std::move(value)});
    return;
  }
  throw Error("The drawing has no HEADER section.");
}

std::string Drawing::Version() const {
  const std::string* version = HeaderValue("$ACADVER");
  return version ? *version : std::string("AC1015");
}

std::uint64_t Drawing::AllocateHandle() {
  std::uint64_t handle = seed_++;
  // The seed's tag is looked up once and checked on each use: an export
  // allocates a handle per entity.
  auto cached = [&]() -> std::string* {
    if (seedSection_ >= sections.size()) return nullptr;
    Tags& head = sections[seedSection_].head;
    if (seedTag_ == 0 || seedTag_ >= head.size() || head[seedTag_ - 1].code != 9 ||
        head[seedTag_ - 1].value != "$HANDSEED")
      return nullptr;
    return &head[seedTag_].value;
  };
  std::string* value = cached();
  if (!value) {
    SetHeaderValue("$HANDSEED", 5, FormatHandle(seed_));
    for (std::size_t s = 0; s < sections.size(); ++s)
      for (std::size_t t = 1; t < sections[s].head.size(); ++t)
        if (sections[s].head[t - 1] == Tag{9, "$HANDSEED"}) {
          seedSection_ = s;
          seedTag_ = t;
        }
  } else {
    *value = FormatHandle(seed_);
  }
  return handle;
}

Record* Drawing::FindHandle(std::uint64_t handle) const {
  auto it = handles_.find(handle);
  return it == handles_.end() ? nullptr : it->second;
}

Table* Drawing::FindTable(std::string_view name) {
  for (Table& table : tables)
    if (EqualsIgnoreCase(table.name(), name)) return &table;
  return nullptr;
}

BlockPtr Drawing::FindBlock(std::string_view name) const {
  for (const BlockPtr& block : blocks)
    if (EqualsIgnoreCase(block->name(), name)) return block;
  return nullptr;
}

std::optional<std::uint64_t> Drawing::ModelSpaceHandle() const {
  for (const BlockPtr& block : blocks)
    if (EqualsIgnoreCase(block->name(), "*Model_Space") && block->record)
      return block->record->handle();
  return std::nullopt;
}

const std::vector<RecordPtr>& Drawing::ModelSpace() {
  if (modelSpaceValid_) return modelSpace_;
  modelSpace_.clear();
  auto model = ModelSpaceHandle();
  for (const RecordPtr& entity : entities) {
    auto owner = entity->owner();
    bool inModel = owner && model ? *owner == *model
                                  : CodeValue(entity->tags, 67) != "1" &&
                                        ParseInteger(CodeValue(entity->tags, 67)).value_or(0) == 0;
    if (inModel) modelSpace_.push_back(entity);
  }
  modelSpaceValid_ = true;
  return modelSpace_;
}

void Drawing::EnsureSection(std::string_view name) {
  static const std::string_view order[] = {"HEADER", "CLASSES",  "TABLES",
                                           "BLOCKS", "ENTITIES", "OBJECTS"};
  auto rank = [](std::string_view section) {
    for (std::size_t i = 0; i < std::size(order); ++i)
      if (order[i] == section) return i;
    return std::size(order);
  };
  auto at = sections.begin();
  for (auto it = sections.begin(); it != sections.end(); ++it) {
    if (it->name == name) return;
    if (rank(it->name) < rank(name)) at = it + 1;
  }
  sections.insert(at, Section{std::string(name), Tags{{2, std::string(name)}}, {}});
}

void Drawing::IndexRecord(Record& record) {
  if (auto handle = record.handle()) handles_[*handle] = &record;
}

void Drawing::Unindex(const Record& record) {
  if (auto handle = record.handle()) handles_.erase(*handle);
  for (const Tags& follower : record.followers) {
    std::size_t at = FindCode(follower, 5, 1, XDataBegin(follower));
    if (at != npos)
      if (auto handle = ParseHandle(follower[at].value)) handles_.erase(*handle);
  }
}

void Drawing::AddTableEntry(std::string_view tableName, RecordPtr entry) {
  Table* table = FindTable(tableName);
  if (!table) throw Error("The drawing has no " + std::string(tableName) + " table.");
  auto tableHandle = table->head->handle();
  entry->tags.insert(entry->tags.begin() + 2, Tag{330, FormatHandle(tableHandle.value_or(0))});
  table->entries.push_back(entry);
  IndexRecord(*entry);
  // The TABLE's group 70 counts its entries.
  TagRange range{1, table->head->tags.size()};
  const std::string* count = GetValue(table->head->tags, range, 70);
  auto old = count ? ParseInteger(*count).value_or(0) : 0;
  auto now = static_cast<std::int64_t>(table->entries.size());
  if (!count || old < now) SetValue(table->head->tags, range, 70, std::to_string(now));
}

BlockPtr Drawing::AddBlock(std::string_view name, double x, double y, double z) {
  CheckSymbolName("block", name);
  EnsureSection("BLOCKS");
  if (name.front() == '*')
    throw Error("Invalid input: the block name \"" + std::string(name) +
                "\" starts with *, which the host keeps for anonymous blocks.");
  if (FindBlock(name))
    throw Error("Duplicate key: the drawing has a block named \"" + std::string(name) +
                "\" already.");

  std::string recordHandle = FormatHandle(AllocateHandle());
  auto record = std::make_shared<Record>();
  record->tags = {
      {0, "BLOCK_RECORD"},           {5, recordHandle},      {100, "AcDbSymbolTableRecord"},
      {100, "AcDbBlockTableRecord"}, {2, std::string(name)}, {340, "0"}};
  if (IsUtf8Version(Version())) {
    record->tags.push_back({70, "0"});
    record->tags.push_back({280, "1"});
    record->tags.push_back({281, "0"});
  }
  AddTableEntry("BLOCK_RECORD", record);

  std::string layer = "0";
  auto block = std::make_shared<Block>();
  block->record = record;
  block->begin = std::make_shared<Record>();
  block->begin->tags = {{0, "BLOCK"},
                        {5, FormatHandle(AllocateHandle())},
                        {330, recordHandle},
                        {100, "AcDbEntity"},
                        {8, layer},
                        {100, "AcDbBlockBegin"},
                        {2, std::string(name)},
                        {70, "0"},
                        {10, FormatReal(x)},
                        {20, FormatReal(y)},
                        {30, FormatReal(z)},
                        {3, std::string(name)},
                        {1, ""}};
  block->end = std::make_shared<Record>();
  block->end->tags = {{0, "ENDBLK"},       {5, FormatHandle(AllocateHandle())},
                      {330, recordHandle}, {100, "AcDbEntity"},
                      {8, layer},          {100, "AcDbBlockEnd"}};
  IndexRecord(*block->begin);
  IndexRecord(*block->end);
  blocks.push_back(block);
  return block;
}

bool Drawing::IsReferenced(const Block& block) const {
  std::string name = block.name();
  auto refers = [&](const RecordPtr& entity) {
    const std::string& type = entity->type();
    if (type != "INSERT" && type != "DIMENSION" && type != "ACAD_TABLE") return false;
    return EqualsIgnoreCase(CodeValue(entity->tags, 2), name);
  };
  for (const RecordPtr& entity : entities)
    if (refers(entity)) return true;
  for (const BlockPtr& other : blocks)
    for (const RecordPtr& entity : other->entities)
      if (refers(entity)) return true;
  return false;
}

void Drawing::DeleteBlock(const BlockPtr& block) {
  if (block->erased) throw Error("Object was erased: the block is deleted already.");
  std::string name = block->name();
  if (IsLayoutBlockName(name))
    throw Error("The block \"" + name + "\" holds a layout's entities and cannot be deleted.");
  if (IsReferenced(*block))
    throw Error("Object is referenced: the block \"" + name +
                "\" is inserted in the drawing and cannot be deleted.");
  if (block->record) {
    if (Table* table = FindTable("BLOCK_RECORD")) {
      auto& entries = table->entries;
      entries.erase(std::remove(entries.begin(), entries.end(), block->record), entries.end());
    }
    Unindex(*block->record);
    block->record->erased = true;
  }
  for (const RecordPtr& entity : block->entities) {
    Unindex(*entity);
    entity->erased = true;
  }
  Unindex(*block->begin);
  if (block->end) Unindex(*block->end);
  block->erased = true;
  blocks.erase(std::remove(blocks.begin(), blocks.end(), block), blocks.end());
}

RecordPtr Drawing::NewEntity(std::string_view type, std::string_view subclass, Block* block) {
  std::optional<std::uint64_t> owner =
      block ? (block->record ? block->record->handle() : std::nullopt) : ModelSpaceHandle();
  if (block && block->erased) throw Error("Object was erased: the block is deleted.");
  if (!block) EnsureSection("ENTITIES");
  const std::string* currentLayer = HeaderValue("$CLAYER");
  auto entity = std::make_shared<Record>();
  entity->tags = {{0, std::string(type)},
                  {5, FormatHandle(AllocateHandle())},
                  {330, FormatHandle(owner.value_or(0))},
                  {100, "AcDbEntity"},
                  {8, currentLayer && !currentLayer->empty() ? *currentLayer : std::string("0")},
                  {100, std::string(subclass)}};
  IndexRecord(*entity);
  if (block) {
    block->entities.push_back(entity);
  } else {
    entities.push_back(entity);
    if (modelSpaceValid_) modelSpace_.push_back(entity);
  }
  return entity;
}

void Drawing::EraseEntity(const RecordPtr& entity) {
  if (entity->erased) throw Error("Object was erased.");
  auto removeFrom = [&](std::vector<RecordPtr>& list) {
    auto it = std::find(list.begin(), list.end(), entity);
    if (it == list.end()) return false;
    list.erase(it);
    return true;
  };
  bool removed = removeFrom(entities);
  for (BlockPtr& block : blocks)
    if (!removed) removed = removeFrom(block->entities);
  Unindex(*entity);
  entity->erased = true;
  modelSpaceValid_ = false;
}

bool Drawing::HasAppId(std::string_view name) const {
  for (const Table& table : tables) {
    if (!EqualsIgnoreCase(table.name(), "APPID")) continue;
    for (const RecordPtr& entry : table.entries)
      if (EqualsIgnoreCase(CodeValue(entry->tags, 2), name)) return true;
  }
  return false;
}

void Drawing::AddAppId(std::string_view name) {
  CheckSymbolName("registered application", name);
  if (HasAppId(name)) return;
  auto entry = std::make_shared<Record>();
  entry->tags = {{0, "APPID"},
                 {5, FormatHandle(AllocateHandle())},
                 {100, "AcDbSymbolTableRecord"},
                 {100, "AcDbRegAppTableRecord"},
                 {2, std::string(name)},
                 {70, "0"}};
  AddTableEntry("APPID", entry);
}

}  // namespace tabulo::drawing
