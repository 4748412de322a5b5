#include "drawing/block_objects.h"

#include <cmath>
#include <numbers>

#include "drawing/entity_object.h"

namespace tabulo::drawing {
namespace {

using automation::CallKind;
using automation::Error;
using automation::ExpectArgs;
using automation::MemberTable;
using automation::ObjectPtr;
using automation::Variant;
using automation::VarKind;

std::size_t IndexArg(const Variant& arg, std::size_t count) {
  std::int32_t index = arg.toInt32();
  if (index < 0 || static_cast<std::size_t>(index) >= count)
    throw Error("Invalid index: " + std::to_string(index) + " is outside 0.." +
                std::to_string(static_cast<long long>(count) - 1) + ".");
  return static_cast<std::size_t>(index);
}

bool IsNameArg(const Variant& arg) {
  return arg.deref().kind() == VarKind::String;
}

std::string TextLayerStyle(const Drawing& drawing, std::string_view variable,
                           std::string fallback) {
  const std::string* value = drawing.HeaderValue(variable);
  return value && !value->empty() ? *value : fallback;
}

// Entities added the same way to a block definition or to model space.
ObjectPtr AddLine(const std::shared_ptr<DocumentObject>& document, Block* block,
                  std::vector<Variant>& args) {
  ExpectArgs("addline", args, 2, 2);
  automation::Point3 start = automation::ToPoint(args[0]);
  automation::Point3 end = automation::ToPoint(args[1]);
  RecordPtr line = document->drawing().NewEntity("LINE", "AcDbLine", block);
  line->tags.insert(line->tags.end(), {{10, FormatReal(start.x)},
                                       {20, FormatReal(start.y)},
                                       {30, FormatReal(start.z)},
                                       {11, FormatReal(end.x)},
                                       {21, FormatReal(end.y)},
                                       {31, FormatReal(end.z)}});
  return MakeEntityObject(document, line);
}

ObjectPtr AddMText(const std::shared_ptr<DocumentObject>& document, Block* block,
                   std::vector<Variant>& args) {
  ExpectArgs("addmtext", args, 3, 3);
  automation::Point3 at = automation::ToPoint(args[0]);
  double width = args[1].toDouble();
  if (!(width >= 0) || !std::isfinite(width))
    throw Error("Invalid input: a text width cannot be negative.");
  std::string text = args[2].toString();
  Drawing& drawing = document->drawing();
  double height = 2.5;
  if (const std::string* size = drawing.HeaderValue("$TEXTSIZE"))
    if (auto value = ParseReal(*size); value && *value > 0) height = *value;
  RecordPtr mtext = drawing.NewEntity("MTEXT", "AcDbMText", block);
  mtext->tags.insert(mtext->tags.end(), {{10, FormatReal(at.x)},
                                         {20, FormatReal(at.y)},
                                         {30, FormatReal(at.z)},
                                         {40, FormatReal(height)},
                                         {41, FormatReal(width)},
                                         {71, "1"},
                                         {72, "1"},
                                         {7, TextLayerStyle(drawing, "$TEXTSTYLE", "Standard")}});
  SetMTextContents(mtext->tags, text);
  return MakeEntityObject(document, mtext);
}

class BlocksObject : public automation::Object {
 public:
  explicit BlocksObject(std::shared_ptr<DocumentObject> document)
      : document_(std::move(document)) {}

  Variant invoke(std::string_view member, CallKind kind, std::vector<Variant>& args) override {
    static const MemberTable<BlocksObject> members = [] {
      MemberTable<BlocksObject> t;
      t.addReadOnly("count", [](BlocksObject& s) {
        return Variant(static_cast<std::int32_t>(s.drawing().blocks.size()));
      });
      t.add("item", [](BlocksObject& s, CallKind, std::vector<Variant>& args) {
        ExpectArgs("item", args, 1, 1);
        BlockPtr block;
        if (IsNameArg(args[0])) {
          std::string name = args[0].toString();
          block = s.drawing().FindBlock(name);
          if (!block)
            throw Error("Key not found: the drawing has no block named \"" + name + "\".");
        } else {
          block = s.drawing().blocks[IndexArg(args[0], s.drawing().blocks.size())];
        }
        return Variant(MakeBlockObject(s.document_, block));
      });
      t.add("add", [](BlocksObject& s, CallKind, std::vector<Variant>& args) {
        ExpectArgs("add", args, 2, 2);
        automation::Point3 origin = automation::ToPoint(args[0]);
        BlockPtr block = s.drawing().AddBlock(args[1].toString(), origin.x, origin.y, origin.z);
        return Variant(MakeBlockObject(s.document_, block));
      });
      return t;
    }();
    return members.invoke(*this, "Blocks", member, kind, args);
  }

 private:
  Drawing& drawing() { return document_->drawing(); }
  std::shared_ptr<DocumentObject> document_;
};

class BlockObject : public automation::Object {
 public:
  BlockObject(std::shared_ptr<DocumentObject> document, BlockPtr block)
      : document_(std::move(document)), block_(std::move(block)) {}

  Variant invoke(std::string_view member, CallKind kind, std::vector<Variant>& args) override {
    static const MemberTable<BlockObject> members = [] {
      MemberTable<BlockObject> t;
      t.addReadOnly("name", [](BlockObject& s) { return Variant(s.block_->name()); });
      t.addReadOnly("origin", [](BlockObject& s) {
        const Tags& tags = s.block_->begin->tags;
        TagRange range = SubclassRange(tags, "AcDbBlockBegin");
        auto coordinate = [&](int code) {
          const std::string* value = GetValue(tags, range, code);
          return value ? ParseReal(*value).value_or(0.0) : 0.0;
        };
        return Variant(automation::MakePoint(coordinate(10), coordinate(20), coordinate(30)));
      });
      t.addReadOnly("count", [](BlockObject& s) {
        return Variant(static_cast<std::int32_t>(s.block_->entities.size()));
      });
      t.add("item", [](BlockObject& s, CallKind, std::vector<Variant>& args) {
        ExpectArgs("item", args, 1, 1);
        auto& entities = s.block_->entities;
        return Variant(MakeEntityObject(s.document_, entities[IndexArg(args[0], entities.size())]));
      });
      t.add("addline", [](BlockObject& s, CallKind, std::vector<Variant>& args) {
        return Variant(AddLine(s.document_, s.block_.get(), args));
      });
      t.add("addmtext", [](BlockObject& s, CallKind, std::vector<Variant>& args) {
        return Variant(AddMText(s.document_, s.block_.get(), args));
      });
      t.add("delete", [](BlockObject& s, CallKind, std::vector<Variant>& args) {
        ExpectArgs("delete", args, 0, 0);
        s.document_->drawing().DeleteBlock(s.block_);
        return Variant();
      });
      return t;
    }();
    if (block_->erased)
      throw Error("Object was erased: the block \"" + block_->name() + "\" no longer exists.");
    return members.invoke(*this, "Block", member, kind, args);
  }

 private:
  std::shared_ptr<DocumentObject> document_;
  BlockPtr block_;
};

class ModelSpaceObject : public automation::Object {
 public:
  explicit ModelSpaceObject(std::shared_ptr<DocumentObject> document)
      : document_(std::move(document)) {}

  Variant invoke(std::string_view member, CallKind kind, std::vector<Variant>& args) override {
    static const MemberTable<ModelSpaceObject> members = [] {
      MemberTable<ModelSpaceObject> t;
      t.addReadOnly("count", [](ModelSpaceObject& s) {
        return Variant(static_cast<std::int32_t>(s.drawing().ModelSpace().size()));
      });
      t.add("item", [](ModelSpaceObject& s, CallKind, std::vector<Variant>& args) {
        ExpectArgs("item", args, 1, 1);
        const auto& entities = s.drawing().ModelSpace();
        return Variant(MakeEntityObject(s.document_, entities[IndexArg(args[0], entities.size())]));
      });
      t.add("addline", [](ModelSpaceObject& s, CallKind, std::vector<Variant>& args) {
        return Variant(AddLine(s.document_, nullptr, args));
      });
      t.add("addmtext", [](ModelSpaceObject& s, CallKind, std::vector<Variant>& args) {
        return Variant(AddMText(s.document_, nullptr, args));
      });
      t.add("insertblock", [](ModelSpaceObject& s, CallKind, std::vector<Variant>& args) {
        ExpectArgs("insertblock", args, 6, 6);
        automation::Point3 at = automation::ToPoint(args[0]);
        std::string name = args[1].toString();
        double scale[3] = {args[2].toDouble(), args[3].toDouble(), args[4].toDouble()};
        double rotation = args[5].toDouble();
        for (double factor : scale)
          if (factor == 0 || !std::isfinite(factor))
            throw Error("Invalid input: a scale factor cannot be 0.");
        BlockPtr block = s.drawing().FindBlock(name);
        if (!block) throw Error("Key not found: the drawing has no block named \"" + name + "\".");
        RecordPtr insert = s.drawing().NewEntity("INSERT", "AcDbBlockReference", nullptr);
        insert->tags.insert(insert->tags.end(), {{2, block->name()},
                                                 {10, FormatReal(at.x)},
                                                 {20, FormatReal(at.y)},
                                                 {30, FormatReal(at.z)},
                                                 {41, FormatReal(scale[0])},
                                                 {42, FormatReal(scale[1])},
                                                 {43, FormatReal(scale[2])}});
        if (rotation != 0)
          insert->tags.push_back({50, FormatReal(rotation * 180.0 / std::numbers::pi)});
        return Variant(MakeEntityObject(s.document_, insert));
      });
      return t;
    }();
    return members.invoke(*this, "ModelSpace", member, kind, args);
  }

 private:
  Drawing& drawing() { return document_->drawing(); }
  std::shared_ptr<DocumentObject> document_;
};

}  // namespace

ObjectPtr MakeBlocksObject(std::shared_ptr<DocumentObject> document) {
  return std::make_shared<BlocksObject>(std::move(document));
}

ObjectPtr MakeBlockObject(std::shared_ptr<DocumentObject> document, BlockPtr block) {
  return std::make_shared<BlockObject>(std::move(document), std::move(block));
}

ObjectPtr MakeModelSpaceObject(std::shared_ptr<DocumentObject> document) {
  return std::make_shared<ModelSpaceObject>(std::move(document));
}

}  // namespace tabulo::drawing
