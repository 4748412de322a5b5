#include "drawing/entity_object.h"

#include <cctype>
#include <cmath>
#include <numbers>

#include "drawing/text_codec.h"
#include "drawing/xdata.h"

namespace tabulo::drawing {
namespace {

using automation::CallKind;
using automation::Error;
using automation::ExpectArgs;
using automation::MemberTable;
using automation::PutValue;
using automation::Variant;

enum class EntityKind { Other, Line, MText, Insert };

EntityKind KindOf(const Record& record) {
  const std::string& type = record.type();
  if (type == "LINE") return EntityKind::Line;
  if (type == "MTEXT") return EntityKind::MText;
  if (type == "INSERT") return EntityKind::Insert;
  return EntityKind::Other;
}

const char* SubclassOf(EntityKind kind) {
  switch (kind) {
    case EntityKind::Line:
      return "AcDbLine";
    case EntityKind::MText:
      return "AcDbMText";
    case EntityKind::Insert:
      return "AcDbBlockReference";
    case EntityKind::Other:
      break;
  }
  return "";
}

constexpr std::size_t kChunk = 250;  // bytes per MTEXT text group, as the host splits them

class EntityObject : public automation::Object {
 public:
  EntityObject(std::shared_ptr<DocumentObject> document, RecordPtr record)
      : document_(std::move(document)), record_(std::move(record)), kind_(KindOf(*record_)) {}

  Variant invoke(std::string_view member, CallKind kind, std::vector<Variant>& args) override {
    if (record_->erased)
      throw Error("Object was erased: the " + record_->type() + " entity no longer exists.");
    return Members(kind_).invoke(*this, TypeName(), member, kind, args);
  }

 private:
  using Table = MemberTable<EntityObject>;

  std::string TypeName() const { return ObjectNameOf(*record_); }
  Tags& tags() { return record_->tags; }
  TagRange Data() const { return SubclassRange(record_->tags, SubclassOf(kind_)); }
  TagRange EntityData() const { return SubclassRange(record_->tags, "AcDbEntity"); }

  double Real(int code, double fallback) const {
    const std::string* value = GetValue(record_->tags, Data(), code);
    return value ? ParseReal(*value).value_or(fallback) : fallback;
  }
  void SetReal(int code, double value, std::initializer_list<int> after) {
    SetValue(tags(), Data(), code, FormatReal(value), after);
  }
  Variant Point(int code) const {
    return Variant(automation::MakePoint(Real(code, 0), Real(code + 10, 0), Real(code + 20, 0)));
  }
  void SetPoint(int code, const Variant& value) {
    automation::Point3 p = automation::ToPoint(value);
    SetReal(code, p.x, {});
    SetReal(code + 10, p.y, {code});
    SetReal(code + 20, p.z, {code + 10});
  }

  // A property with get and put handlers.
  template <class Get, class Put>
  static void Property(Table& table, std::string_view name, Get get, Put put) {
    table.add(name,
              [get, put, name](EntityObject& self, CallKind kind, std::vector<Variant>& args) {
                if (kind == CallKind::Put) {
                  put(self, PutValue(name, args));
                  return Variant();
                }
                ExpectArgs(name, args, 0, 0);
                return get(self);
              });
  }

  static void AddCommon(Table& t) {
    t.addReadOnly("ObjectID", [](EntityObject& s) { return Variant(ObjectIdOf(*s.record_)); });
    t.addReadOnly("Handle", [](EntityObject& s) {
      return Variant(FormatHandle(s.record_->handle().value_or(0)));
    });
    t.addReadOnly("objectname", [](EntityObject& s) { return Variant(s.TypeName()); });
    t.addReadOnly("Document",
                  [](EntityObject& s) { return Variant(automation::ObjectPtr(s.document_)); });
    Property(
        t, "color",
        [](EntityObject& s) {
          const std::string* value = GetValue(s.tags(), s.EntityData(), 62);
          return Variant(
              static_cast<std::int32_t>(value ? ParseInteger(*value).value_or(256) : 256));
        },
        [](EntityObject& s, const Variant& v) {
          std::int32_t color = v.toInt32();
          if (color < 0 || color > 256)
            throw Error(
                "Invalid input: a colour index is 0 (ByBlock), 1 to 255 or 256 (ByLayer), "
                "not " +
                std::to_string(color) + ".");
          if (color == 256)
            RemoveCode(s.tags(), s.EntityData(), 62);
          else
            SetValue(s.tags(), s.EntityData(), 62, std::to_string(color), {8, 6, 67});
        });
    Property(
        t, "Layer",
        [](EntityObject& s) {
          const std::string* value = GetValue(s.tags(), s.EntityData(), 8);
          return Variant(value ? *value : std::string("0"));
        },
        [](EntityObject& s, const Variant& v) {
          SetValue(s.tags(), s.EntityData(), 8, v.toString(), {67});
        });
    t.add("setxdata", [](EntityObject& s, CallKind, std::vector<Variant>& args) {
      ExpectArgs("setxdata", args, 2, 2);
      SetXData(s.document_->drawing(), *s.record_, args[0], args[1]);
      return Variant();
    });
    t.add("getxdata", [](EntityObject& s, CallKind, std::vector<Variant>& args) {
      ExpectArgs("getxdata", args, 3, 3);
      if (!args[1].isByRef() || !args[2].isByRef())
        throw Error("Type mismatch: getxdata needs its two output arguments by reference.");
      automation::Array codes, values;
      if (GetXData(*s.record_, args[0].toString(), codes, values)) {
        args[1].deref() = Variant(std::move(codes));
        args[2].deref() = Variant(std::move(values));
      } else {
        args[1].deref() = Variant();
        args[2].deref() = Variant();
      }
      return Variant();
    });
    t.add("update", [](EntityObject&, CallKind, std::vector<Variant>& args) {
      ExpectArgs("update", args, 0, 0);
      return Variant();
    });
    t.add("Delete", [](EntityObject& s, CallKind, std::vector<Variant>& args) {
      ExpectArgs("Delete", args, 0, 0);
      s.document_->drawing().EraseEntity(s.record_);
      return Variant();
    });
  }

  static void AddLine(Table& t) {
    Property(
        t, "startpoint", [](EntityObject& s) { return s.Point(10); },
        [](EntityObject& s, const Variant& v) { s.SetPoint(10, v); });
    Property(
        t, "endpoint", [](EntityObject& s) { return s.Point(11); },
        [](EntityObject& s, const Variant& v) { s.SetPoint(11, v); });
  }

  static void AddMText(Table& t) {
    Property(
        t, "insertionpoint", [](EntityObject& s) { return s.Point(10); },
        [](EntityObject& s, const Variant& v) { s.SetPoint(10, v); });
    Property(
        t, "height", [](EntityObject& s) { return Variant(s.Real(40, 2.5)); },
        [](EntityObject& s, const Variant& v) {
          double height = v.toDouble();
          if (!(height > 0) || !std::isfinite(height))
            throw Error("Invalid input: a text height must be greater than 0.");
          s.SetReal(40, height, {10, 20, 30});
        });
    Property(
        t, "width", [](EntityObject& s) { return Variant(s.Real(41, 0)); },
        [](EntityObject& s, const Variant& v) {
          double width = v.toDouble();
          if (!(width >= 0) || !std::isfinite(width))
            throw Error("Invalid input: a text width cannot be negative.");
          s.SetReal(41, width, {10, 20, 30, 40});
        });
    Property(
        t, "AttachmentPoint",
        [](EntityObject& s) { return Variant(static_cast<std::int32_t>(s.Real(71, 1))); },
        [](EntityObject& s, const Variant& v) {
          std::int32_t point = v.toInt32();
          if (point < 1 || point > 9)
            throw Error("Invalid input: an attachment point is 1 to 9, not " +
                        std::to_string(point) + ".");
          SetValue(s.tags(), s.Data(), 71, std::to_string(point), {10, 20, 30, 40, 41});
        });
    Property(
        t, "textstring", [](EntityObject& s) { return Variant(MTextContents(s.tags())); },
        [](EntityObject& s, const Variant& v) { SetMTextContents(s.tags(), v.toString()); });
  }

  static void AddInsert(Table& t) {
    Property(
        t, "name",
        [](EntityObject& s) {
          const std::string* name = GetValue(s.tags(), s.Data(), 2);
          return Variant(name ? *name : std::string());
        },
        [](EntityObject& s, const Variant& v) {
          std::string name = v.toString();
          BlockPtr block = s.document_->drawing().FindBlock(name);
          if (!block)
            throw Error("Key not found: the drawing has no block named \"" + name + "\".");
          SetValue(s.tags(), s.Data(), 2, block->name());
        });
    Property(
        t, "insertionpoint", [](EntityObject& s) { return s.Point(10); },
        [](EntityObject& s, const Variant& v) { s.SetPoint(10, v); });
    const std::pair<const char*, int> scales[] = {
        {"xscalefactor", 41}, {"yscalefactor", 42}, {"zscalefactor", 43}};
    for (auto [name, code] : scales) {
      int c = code;
      Property(
          t, name, [c](EntityObject& s) { return Variant(s.Real(c, 1.0)); },
          [c](EntityObject& s, const Variant& v) {
            double scale = v.toDouble();
            if (scale == 0 || !std::isfinite(scale))
              throw Error("Invalid input: a scale factor cannot be 0.");
            s.SetReal(c, scale, {10, 20, 30, 41, 42});
          });
    }
    Property(
        t, "rotation",
        [](EntityObject& s) { return Variant(s.Real(50, 0) * std::numbers::pi / 180.0); },
        [](EntityObject& s, const Variant& v) {
          s.SetReal(50, v.toDouble() * 180.0 / std::numbers::pi, {10, 20, 30, 41, 42, 43});
        });
  }

  static const Table& Members(EntityKind kind) {
    static const Table tables[4] = {
        [] {
          Table t;
          AddCommon(t);
          return t;
        }(),
        [] {
          Table t;
          AddCommon(t);
          AddLine(t);
          return t;
        }(),
        [] {
          Table t;
          AddCommon(t);
          AddMText(t);
          return t;
        }(),
        [] {
          Table t;
          AddCommon(t);
          AddInsert(t);
          return t;
        }(),
    };
    return tables[static_cast<int>(kind)];
  }

  std::shared_ptr<DocumentObject> document_;
  RecordPtr record_;
  EntityKind kind_;
};

}  // namespace

automation::ObjectPtr MakeEntityObject(std::shared_ptr<DocumentObject> document, RecordPtr record) {
  return std::make_shared<EntityObject>(std::move(document), std::move(record));
}

std::string ObjectNameOf(const Record& record) {
  EntityKind kind = KindOf(record);
  if (kind != EntityKind::Other) return SubclassOf(kind);
  std::string last;
  std::size_t end = XDataBegin(record.tags);
  for (std::size_t i = 1; i < end; ++i) {
    if (record.tags[i].code == 101) break;
    if (record.tags[i].code == 100) last = record.tags[i].value;
  }
  if (!last.empty() && last != "AcDbEntity") return last;
  std::string name = "AcDb";
  const std::string& type = record.type();
  for (std::size_t i = 0; i < type.size(); ++i)
    name += static_cast<char>(i == 0 ? type[i] : std::tolower(static_cast<unsigned char>(type[i])));
  return name;
}

std::int32_t ObjectIdOf(const Record& record) {
  auto low = static_cast<std::uint32_t>(record.handle().value_or(0));
  return static_cast<std::int32_t>(low);
}

std::string MTextContents(const Tags& tags) {
  TagRange range = SubclassRange(tags, "AcDbMText");
  std::string stored, last;
  for (std::size_t i = range.begin; i < range.end; ++i) {
    if (tags[i].code == 3)
      stored += tags[i].value;
    else if (tags[i].code == 1)
      last = tags[i].value;
  }
  return DecodeStoredText(stored + last);
}

void SetMTextContents(Tags& tags, std::string_view text) {
  std::string stored = EncodeStoredText(text);
  // Chunks end on whole characters and never between a caret and its letter.
  Tags chunks;
  std::size_t pos = 0;
  while (stored.size() - pos > kChunk) {
    std::size_t end = pos + kChunk;
    while (end > pos && (static_cast<unsigned char>(stored[end]) & 0xC0) == 0x80) --end;
    if (end > pos && stored[end - 1] == '^') --end;
    chunks.push_back({3, stored.substr(pos, end - pos)});
    pos = end;
  }
  chunks.push_back({1, stored.substr(pos)});

  TagRange range = SubclassRange(tags, "AcDbMText");
  std::size_t insertAt = range.end;
  for (std::size_t i = range.begin; i < range.end;) {
    if (tags[i].code == 1 || tags[i].code == 3) {
      insertAt = std::min(insertAt, i);
      tags.erase(tags.begin() + static_cast<std::ptrdiff_t>(i));
      --range.end;
    } else {
      ++i;
    }
  }
  if (insertAt == range.end) {
    // A new text goes after the position, height, width and alignment groups.
    insertAt = range.begin;
    for (std::size_t i = range.begin; i < range.end; ++i)
      if (tags[i].code == 10 || tags[i].code == 20 || tags[i].code == 30 || tags[i].code == 40 ||
          tags[i].code == 41 || tags[i].code == 46 || tags[i].code == 71 || tags[i].code == 72)
        insertAt = i + 1;
  }
  tags.insert(tags.begin() + static_cast<std::ptrdiff_t>(insertAt), chunks.begin(), chunks.end());
}

}  // namespace tabulo::drawing
