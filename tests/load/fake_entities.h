#pragma once
// Small stand-ins for the load's unit tests: table-block entities with fixed
// properties, and a sheet that accepts every call so that the recording double's
// log shows exactly what the load wrote.
#include <memory>
#include <string>

#include "automation/object.h"
#include "support/recording_object.h"

namespace tabulo::load::testing {

// Accepts every member: a read returns another such object, a write succeeds.
class SinkObject : public automation::Object {
 public:
  automation::Variant invoke(std::string_view, automation::CallKind kind,
                             std::vector<automation::Variant>&) override {
    if (kind == automation::CallKind::Put) return {};
    return automation::ObjectPtr(std::make_shared<SinkObject>());
  }
};

struct FakeLine : automation::Object {
  automation::Point3 start, end;
  std::int32_t color = 256;

  FakeLine(automation::Point3 s, automation::Point3 e, std::int32_t aci = 256)
      : start(s), end(e), color(aci) {}
  automation::Variant invoke(std::string_view member, automation::CallKind kind,
                             std::vector<automation::Variant>& args) override {
    static const auto members =
        automation::MemberTable<FakeLine>()
            .add("objectname",
                 [](FakeLine&, auto, auto&) { return automation::Variant("AcDbLine"); })
            .add("startpoint",
                 [](FakeLine& l, auto, auto&) {
                   return automation::Variant(automation::MakePoint(l.start.x, l.start.y));
                 })
            .add("endpoint",
                 [](FakeLine& l, auto, auto&) {
                   return automation::Variant(automation::MakePoint(l.end.x, l.end.y));
                 })
            .add("color", [](FakeLine& l, auto, auto&) { return automation::Variant(l.color); });
    return members.invoke(*this, "FakeLine", member, kind, args);
  }
};

struct FakeMText : automation::Object {
  automation::Point3 insertion;
  std::string contents;
  double width = 0;
  automation::Variant height = 6.5;
  std::int32_t color = 256;
  std::int32_t attachmentPoint = 1;

  automation::Variant invoke(std::string_view member, automation::CallKind kind,
                             std::vector<automation::Variant>& args) override {
    using automation::Variant;
    static const auto members =
        automation::MemberTable<FakeMText>()
            .add("objectname", [](FakeMText&, auto, auto&) { return Variant("AcDbMText"); })
            .add("insertionpoint",
                 [](FakeMText& t, auto, auto&) {
                   return Variant(automation::MakePoint(t.insertion.x, t.insertion.y));
                 })
            .add("textstring", [](FakeMText& t, auto, auto&) { return Variant(t.contents); })
            .add("width", [](FakeMText& t, auto, auto&) { return Variant(t.width); })
            .add("height", [](FakeMText& t, auto, auto&) { return t.height; })
            .add("color", [](FakeMText& t, auto, auto&) { return Variant(t.color); })
            .add("attachmentpoint",
                 [](FakeMText& t, auto, auto&) { return Variant(t.attachmentPoint); });
    return members.invoke(*this, "FakeMText", member, kind, args);
  }
};

// The writes the load made through `log`, one "target = value" line each.
inline std::vector<std::string> Writes(const tabulo::testing::CallLog& log) {
  std::vector<std::string> out;
  for (const auto& call : log.calls())
    if (call.isPut()) out.push_back(call.target() + " = " + call.renderedArgs.back());
  return out;
}

}  // namespace tabulo::load::testing
