#include "automation/variant.h"

#include <gtest/gtest.h>

#include "automation/activation.h"
#include "automation/dispatch.h"
#include "automation/error.h"

namespace tabulo::automation {
namespace {

TEST(VariantTest, DoubleToIntegerRoundsHalfToEven) {
  struct Case {
    double in;
    std::int32_t out;
  } cases[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {12.4999, 12}, {7.5, 8}};
  for (const Case& c : cases) EXPECT_EQ(Variant(c.in).toInt32(), c.out) << c.in;
}

TEST(VariantTest, BooleanTrueIsMinusOne) {
  EXPECT_EQ(Variant(true).toInt32(), -1);
  EXPECT_EQ(Variant(false).toInt16(), 0);
  EXPECT_TRUE(Variant(std::int32_t{5}).toBool());
}

TEST(VariantTest, OverflowAndMismatchThrow) {
  EXPECT_THROW(Variant(70000.0).toInt16(), Error);
  EXPECT_THROW(Variant(256.0).toUInt8(), Error);
  EXPECT_THROW(Variant("abc").toDouble(), Error);
  EXPECT_THROW(Variant().toObject(), Error);
}

TEST(VariantTest, StringsParseInvariant) {
  EXPECT_DOUBLE_EQ(Variant(" 2.5 ").toDouble(), 2.5);
  EXPECT_EQ(Variant(2.5).toString(), "2.5");
  EXPECT_EQ(Variant(0.1 + 0.2).toString(), "0.3");
  EXPECT_EQ(Variant(Currency{65000}).toString(), "6.5");
  EXPECT_EQ(Variant(6.5).toCurrency().tenThousandths, 65000);
}

TEST(VariantTest, ByReferenceWritesThrough) {
  Variant target(std::int32_t{1});
  Variant ref = Variant::RefTo(target);
  EXPECT_TRUE(ref.isByRef());
  EXPECT_EQ(ref.toInt32(), 1);
  ref.deref() = Variant("changed");
  EXPECT_EQ(target.toString(), "changed");
}

TEST(VariantTest, PointArrays) {
  Variant p(MakePoint(1, -2));
  EXPECT_EQ(p.toArray().lowerBound, 0);
  EXPECT_EQ(ToPoint(p), (Point3{1, -2, 0}));
}

class Caption : public Object {
 public:
  Variant invoke(std::string_view member, CallKind kind, std::vector<Variant>& args) override {
    return Members().invoke(*this, "Caption", member, kind, args);
  }
  std::string caption;

 private:
  static const MemberTable<Caption>& Members() {
    static const MemberTable<Caption> table = [] {
      MemberTable<Caption> t;
      t.add("Caption", [](Caption& self, CallKind kind, std::vector<Variant>& args) -> Variant {
        if (kind == CallKind::Put) {
          self.caption = PutValue("Caption", args).toString();
          return {};
        }
        return self.caption;
      });
      return t;
    }();
    return table;
  }
};

TEST(ObjectTest, MemberNamesAreCaseInsensitive) {
  auto object = std::make_shared<Caption>();
  Dispatch(object).put("CAPTION", "new caption");
  EXPECT_EQ(Dispatch(object).get("caption").toString(), "new caption");
  EXPECT_THROW(Dispatch(object).get("Title"), Error);
}

TEST(ActivationTest, RegisteredObjectsAndFactories) {
  EXPECT_THROW(GetActiveObject("AutoCAD.Application"), Error);
  auto object = std::make_shared<Caption>();
  {
    Registration running = RegisterActiveObject("AutoCAD.Application", object);
    EXPECT_EQ(GetActiveObject("autocad.application"), object);
  }
  EXPECT_THROW(GetActiveObject("AutoCAD.Application"), Error);
  Registration factory =
      RegisterFactory("Excel.Application", [] { return std::make_shared<Caption>(); });
  EXPECT_NE(CreateObject("Excel.Application"), nullptr);
  try {
    CreateObject("Nothing.Here");
    FAIL();
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find("Nothing.Here"), std::string::npos);
  }
}

}  // namespace
}  // namespace tabulo::automation
