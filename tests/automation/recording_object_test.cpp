#include "support/recording_object.h"

#include <gtest/gtest.h>

#include "automation/dispatch.h"
#include "automation/error.h"

namespace tabulo::testing {
namespace {

using automation::Array;
using automation::CallKind;
using automation::Dispatch;
using automation::Error;
using automation::MemberTable;
using automation::Object;
using automation::ObjectPtr;
using automation::Variant;

// A small object tree: node.child(n) gives another node; value is read/write;
// fill(&codes) writes an output argument; self returns the node itself.
class Node : public Object {
 public:
  explicit Node(int id) : id_(id) {}
  Variant invoke(std::string_view member, CallKind kind, std::vector<Variant>& args) override {
    return Members().invoke(*this, "Node", member, kind, args);
  }
  int id() const { return id_; }
  Variant value;

 private:
  static const MemberTable<Node>& Members() {
    static const MemberTable<Node> table = [] {
      MemberTable<Node> t;
      t.add("child", [](Node& self, CallKind, std::vector<Variant>& args) {
        int n = args.empty() ? 0 : args[0].toInt32();
        return Variant(ObjectPtr(std::make_shared<Node>(self.id_ * 10 + n)));
      });
      t.add("value", [](Node& self, CallKind kind, std::vector<Variant>& args) {
        if (kind == CallKind::Put) self.value = automation::PutValue("value", args);
        return self.value;
      });
      t.add("id", [](Node& self, CallKind, std::vector<Variant>&) {
        return Variant(std::int32_t{self.id_});
      });
      t.add("fill", [](Node&, CallKind, std::vector<Variant>& args) {
        args.at(0).deref() =
            Variant(Array{automation::VarKind::Int16, 0, {Variant(std::int16_t{1001})}});
        return Variant();
      });
      t.add("same", [](Node&, CallKind, std::vector<Variant>& args) {
        return Variant(args.at(0).toObject() == args.at(1).toObject());
      });
      return t;
    }();
    return table;
  }
  int id_;
};

struct RecordingTest : ::testing::Test {
  std::shared_ptr<Node> node = std::make_shared<Node>(1);
  std::shared_ptr<RecordingObject> root = RecordingObject::Wrap(node, "app");
  CallLog& log = *root->log();
};

TEST_F(RecordingTest, LogsPathsMembersKindsAndArguments) {
  Dispatch(root).get("child", 2).get("Child", std::int16_t{3}).put("value", "x\ny");
  Dispatch(root).get("child", 2).get("value");

  EXPECT_EQ(log.lines(), (std::vector<std::string>{
                             "get app.child(2) -> <app.child(2)>",
                             "get app.child(2).Child(3i16) -> <app.child(2).Child(3i16)>",
                             "put app.child(2).Child(3i16).value = \"x\\ny\"",
                             "get app.child(2) -> <app.child(2)>",
                             "get app.child(2).value -> Empty",
                         }))
      << log.dump();
  EXPECT_EQ(log.countOf("CHILD"), 3u);
  EXPECT_TRUE(log.called("Value"));
  EXPECT_FALSE(log.called("id"));
  EXPECT_EQ(log.firstCallTo("value"), 3u);
  ASSERT_EQ(log.callsTo("value").size(), 2u);
  EXPECT_EQ(log.callsTo("value")[0].putValue().toString(), "x\ny");
  EXPECT_TRUE(log.callsTo("value")[0].isPut());
  EXPECT_NE(log.dump().find("#3 put app.child(2).Child(3i16).value = \"x\\ny\""), std::string::npos)
      << log.dump();
}

TEST_F(RecordingTest, RendersEachValueKind) {
  struct Case {
    Variant value;
    std::string text;
  } cases[] = {
      {Variant(), "Empty"},
      {Variant::Missing(), "<missing>"},
      {Variant(true), "True"},
      {Variant(std::int32_t{-4142}), "-4142"},
      {Variant(std::int16_t{7}), "7i16"},
      {Variant(std::uint8_t{3}), "3u8"},
      {Variant(48.0), "48.0"},
      {Variant(12.75), "12.75"},
      {Variant(0.1 + 0.2), "0.30000000000000004"},
      {Variant("say \"hi\""), "\"say \\\"hi\\\"\""},
      {Variant(automation::MakePoint(1, 2)), "[lb 0: 1.0, 2.0, 0.0]"},
  };
  for (const Case& c : cases) EXPECT_EQ(RenderValue(c.value), c.text);
  Variant target(std::int32_t{5});
  EXPECT_EQ(RenderValue(Variant::RefTo(target)), "&5");
}

TEST_F(RecordingTest, ByReferenceOutputsReachTheCaller) {
  Variant codes;
  std::vector<Variant> args{Variant::RefTo(codes)};
  Dispatch(root).invoke("fill", args);
  ASSERT_EQ(codes.toArray().items.size(), 1u);
  EXPECT_EQ(codes.toArray().items[0].toInt32(), 1001);
  EXPECT_EQ(log.lines().back(), "get app.fill(&[lb 0: 1001i16]) -> Empty");
  EXPECT_TRUE(log.calls().back().byRef);
}

TEST_F(RecordingTest, WrappedArgumentsReachTheTargetUnwrapped) {
  ObjectPtr child = Dispatch(root).get("child", 1).object();
  EXPECT_NE(std::dynamic_pointer_cast<RecordingObject>(child), nullptr);
  EXPECT_TRUE(Dispatch(root).get("same", root, ObjectPtr(node)).toBool()) << log.dump();
  EXPECT_EQ(Unwrap(child), Unwrap(child));
}

TEST_F(RecordingTest, InjectsTheKthCall) {
  log.failCall(2, "Unable to get the Text property");
  Dispatch child = Dispatch(root).get("child", 1);
  try {
    child.get("id");
    FAIL() << "call 2 should fail";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Unable to get the Text property");
  }
  EXPECT_EQ(child.get("id").toInt32(), 11);  // only the second call fails
  EXPECT_EQ(log.lines()[1],
            "get app.child(1).id FAILED (injected): Unable to get the Text property");
}

TEST_F(RecordingTest, InjectsCallsToAMemberOptionallyOnAPathAndOccurrence) {
  log.failWhen(FaultRule{"VALUE", "child(2)", CallKind::Put, 2}, "refused");
  Dispatch one = Dispatch(root).get("child", 1), two = Dispatch(root).get("child", 2);
  EXPECT_NO_THROW(one.put("value", 1));
  EXPECT_NO_THROW(one.put("value", 2));
  EXPECT_NO_THROW(two.put("value", 1));
  EXPECT_THROW(two.put("value", 2), Error);
  EXPECT_NO_THROW(two.put("value", 3));
  EXPECT_NO_THROW(two.get("value"));

  log.failMember("id", "no id");
  EXPECT_THROW(one.get("Id"), Error);
  EXPECT_THROW(two.get("id"), Error);
  log.clearFaults();
  EXPECT_NO_THROW(two.get("id"));
}

TEST_F(RecordingTest, RecordsTheObjectsOwnFailures) {
  EXPECT_THROW(Dispatch(root).get("nosuch"), Error);
  const RecordedCall& call = log.calls().back();
  ASSERT_TRUE(call.error.has_value());
  EXPECT_FALSE(call.injected);
  EXPECT_NE(call.describe().find("FAILED: Object doesn't support"), std::string::npos)
      << call.describe();
}

}  // namespace
}  // namespace tabulo::testing
