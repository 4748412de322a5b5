#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include <unistd.h>

#include "automation/dispatch.h"
#include "automation/error.h"
#include "drawing/application.h"

namespace tabulo::drawing {
namespace {

using automation::Array;
using automation::Currency;
using automation::Dispatch;
using automation::Error;
using automation::MakePoint;
using automation::Point3;
using automation::ToPoint;
using automation::Variant;
using automation::VarKind;

class DrawingHostTest : public ::testing::Test {
 protected:
  std::shared_ptr<Application> app = MakeApplication();
  Dispatch doc = Dispatch(app).get("activedocument");
  Dispatch blocks = doc.get("blocks");
  Dispatch modelSpace = doc.get("modelspace");

  Dispatch AddBlock(const std::string& name) {
    Variant origin(MakePoint(0, 0, 0));
    Variant nameArg(name);
    return blocks.call("add", origin, Variant::RefTo(nameArg));
  }
  Dispatch Insert(const std::string& name) {
    Variant at(MakePoint(10, 20, 0)), n(name), s(0.5);
    return modelSpace.call("insertblock", Variant::RefTo(at), Variant::RefTo(n), Variant::RefTo(s),
                           Variant::RefTo(s), Variant::RefTo(s), std::int32_t{0});
  }
  Dispatch AddLine(Dispatch block, Point3 a, Point3 b) {
    Variant start(MakePoint(a.x, a.y, a.z)), end(MakePoint(b.x, b.y, b.z));
    return block.call("addline", Variant::RefTo(start), Variant::RefTo(end));
  }
  Dispatch AddText(Dispatch block, const std::string& text) {
    Variant at(MakePoint(1, -2, 0)), width(40.0), content(text);
    return block.call("addmtext", Variant::RefTo(at), Variant::RefTo(width),
                      Variant::RefTo(content));
  }
};

TEST_F(DrawingHostTest, ObjectIdsAreUniqueAndAreTheHandles) {
  Dispatch block = AddBlock("TabuloBk001");
  std::set<std::int32_t> ids;
  std::vector<Dispatch> entities;
  for (int i = 0; i < 5; ++i) entities.push_back(AddLine(block, {0, 0, 0}, {1.0 * i, 0, 0}));
  entities.push_back(AddText(block, "x"));
  entities.push_back(Insert("TabuloBk001"));
  for (Dispatch& entity : entities) {
    std::int32_t id = entity.get("ObjectID").toInt32();
    EXPECT_TRUE(ids.insert(id).second) << "duplicate id " << id;
    EXPECT_EQ(static_cast<std::uint32_t>(id),
              std::stoul(entity.get("Handle").toString(), nullptr, 16));
    EXPECT_EQ(entity.get("Document").object(), doc.object());
  }
}

TEST_F(DrawingHostTest, ObjectIdKeepsTheBitsOfHandlesAboveTwoToThe31) {
  app->document()->drawing().SetHeaderValue("$HANDSEED", 5, "FFFFFFF0");
  app->document()->drawing().Index();
  Dispatch line = AddLine(AddBlock("B"), {0, 0, 0}, {1, 1, 0});
  EXPECT_LT(line.get("ObjectID").toInt32(), 0);
  EXPECT_EQ(static_cast<std::uint32_t>(line.get("ObjectID").toInt32()),
            std::stoul(line.get("Handle").toString(), nullptr, 16));
}

TEST_F(DrawingHostTest, BlockNamesAreCaseInsensitiveAndUnknownNamesFail) {
  std::int32_t before = blocks.get("count").toInt32();
  AddBlock("TabuloBk001");
  EXPECT_EQ(blocks.get("COUNT").toInt32(), before + 1);
  Variant lower("tabulobk001");
  EXPECT_EQ(blocks.call("item", Variant::RefTo(lower)).get("name").toString(), "TabuloBk001");
  EXPECT_EQ(blocks.call("Item", before).get("Name").toString(), "TabuloBk001");
  EXPECT_THROW(blocks.call("item", "TabuloBk002"), Error);
  EXPECT_THROW(blocks.call("item", before + 1), Error);
  EXPECT_THROW(AddBlock("TABULOBK001"), Error);
  EXPECT_THROW(AddBlock("bad|name"), Error);
}

TEST_F(DrawingHostTest, ReferencedBlockRefusesDeletionUntilItsReferenceIsGone) {
  Dispatch block = AddBlock("TabuloBk001");
  AddLine(block, {0, 0, 0}, {1, 0, 0});
  Dispatch reference = Insert("tabulobk001");
  EXPECT_EQ(reference.get("name").toString(), "TabuloBk001");
  EXPECT_THROW(blocks.call("item", "TabuloBk001").call("delete"), Error);

  reference.call("Delete");
  std::int32_t count = blocks.get("count").toInt32();
  blocks.call("item", "TabuloBk001").call("delete");
  EXPECT_EQ(blocks.get("count").toInt32(), count - 1);
  EXPECT_THROW(blocks.call("item", "TabuloBk001"), Error);
  EXPECT_THROW(block.get("count"), Error);  // the old definition object is gone too
}

TEST_F(DrawingHostTest, NestedReferenceAlsoKeepsABlock) {
  AddBlock("Inner");
  Dispatch outer = AddBlock("Outer");
  auto& drawing = app->document()->drawing();
  RecordPtr insert =
      drawing.NewEntity("INSERT", "AcDbBlockReference", drawing.FindBlock("Outer").get());
  insert->tags.push_back({2, "INNER"});
  EXPECT_THROW(blocks.call("item", "Inner").call("delete"), Error);
  EXPECT_THROW(blocks.call("item", "*Model_Space").call("delete"), Error);
}

TEST_F(DrawingHostTest, LineAndTextKeepWhatWasWritten) {
  Dispatch block = AddBlock("T");
  Dispatch line = AddLine(block, {0, 0, 0}, {48, -15, 0});
  EXPECT_EQ(line.get("objectname").toString(), "AcDbLine");
  EXPECT_EQ(line.get("color").toInt32(), 256);
  EXPECT_EQ(ToPoint(line.get("startpoint").value()), (Point3{0, 0, 0}));
  EXPECT_EQ(ToPoint(line.get("endpoint").value()), (Point3{48, -15, 0}));
  Variant red(std::int32_t{1});
  line.put("color", Variant::RefTo(red));  // by reference, as the engine passes it
  EXPECT_EQ(line.get("color").toInt32(), 1);
  line.put("color", 0);
  EXPECT_EQ(line.get("color").toInt32(), 0);
  EXPECT_THROW(line.put("color", 257), Error);

  Dispatch text = AddText(block, "Total");
  EXPECT_EQ(text.get("objectname").toString(), "AcDbMText");
  EXPECT_EQ(text.get("AttachmentPoint").toInt32(), 1);
  EXPECT_EQ(text.get("width").toDouble(), 40.0);
  text.put("AttachmentPoint", 7);
  text.put("height", Currency{65000});  // 6.5 as the engine's fixed point
  text.put("insertionpoint", MakePoint(3.25, -7.5, 0));
  EXPECT_EQ(text.get("attachmentpoint").toInt32(), 7);
  EXPECT_EQ(text.get("height").toDouble(), 6.5);
  EXPECT_EQ(ToPoint(text.get("InsertionPoint").value()), (Point3{3.25, -7.5, 0}));
  EXPECT_THROW(text.put("AttachmentPoint", 10), Error);
  EXPECT_THROW(text.put("height", 0.0), Error);
  EXPECT_THROW(line.get("textstring"), Error);
  EXPECT_EQ(block.get("count").toInt32(), 2);
  EXPECT_EQ(block.call("item", 1).get("objectname").toString(), "AcDbMText");
}

TEST_F(DrawingHostTest, TextStringSurvivesWhateverTheCellShows) {
  Dispatch block = AddBlock("T");
  const std::string cases[] = {
      "\\fMS Sans Serif;Total\\PSum",
      "first\r\\Psecond",
      "caret ^ and ^J literally",
      "  two spaces each side  ",
      "Café Ω 中文 😀",
      std::string(600, 'x') + "é" + std::string(300, 'y'),
  };
  for (const std::string& text : cases) {
    Dispatch entity = AddText(block, text);
    EXPECT_EQ(entity.get("textstring").toString(), text);
    entity.put("textstring", text + "!");
    EXPECT_EQ(entity.get("textstring").toString(), text + "!");
  }
}

TEST_F(DrawingHostTest, ModelSpaceInsertsReferencesInOrder) {
  AddBlock("A");
  std::int32_t before = modelSpace.get("count").toInt32();
  Dispatch first = Insert("A");
  Variant at(MakePoint(1, 2, 3)), n("a"), s(2.0);
  Dispatch second = modelSpace.call("insertblock", Variant::RefTo(at), Variant::RefTo(n),
                                    Variant::RefTo(s), Variant::RefTo(s), Variant::RefTo(s), 0.5);
  ASSERT_EQ(modelSpace.get("count").toInt32(), before + 2);
  EXPECT_EQ(modelSpace.call("item", before).get("ObjectID").toInt32(),
            first.get("ObjectID").toInt32());
  Dispatch item = modelSpace.call("item", before + 1);
  EXPECT_EQ(item.get("objectname").toString(), "AcDbBlockReference");
  EXPECT_EQ(ToPoint(item.get("insertionpoint").value()), (Point3{1, 2, 3}));
  EXPECT_EQ(item.get("xscalefactor").toDouble(), 2.0);
  EXPECT_EQ(item.get("zscalefactor").toDouble(), 2.0);
  EXPECT_DOUBLE_EQ(item.get("rotation").toDouble(), 0.5);
  EXPECT_THROW(Insert("NoSuchBlock"), Error);
}

// The table data as the engine writes it: codes as 16-bit integers, values as
// the spreadsheet returns them.
struct XData {
  Variant codes, values;
};
XData Record(std::vector<std::pair<std::int16_t, Variant>> items) {
  Array codes{VarKind::Int16, 0, {}}, values{VarKind::Empty, 0, {}};
  for (auto& [code, value] : items) {
    codes.items.emplace_back(code);
    values.items.push_back(value);
  }
  return {Variant(std::move(codes)), Variant(std::move(values))};
}

TEST_F(DrawingHostTest, ExtendedDataComesBackPerApplication) {
  AddBlock("T");
  Dispatch reference = Insert("T");
  reference.get("Document").get("RegisteredApplications").call("Add", "Tabulo");
  reference.get("Document").get("RegisteredApplications").call("Add", "Tabulo");  // again: fine
  doc.get("RegisteredApplications").call("Add", "Other");

  XData other = Record({{1001, "Other"}, {1000, "keep me"}});
  reference.call("setxdata", Variant::RefTo(other.codes), Variant::RefTo(other.values));
  XData data = Record({{1001, "Tabulo"},
                       {1070, std::int32_t{1}},
                       {1070, std::int32_t{2}},
                       {1040, 15.0},
                       {1040, 8.43},
                       {1040, 48.0},
                       {1000, "$A$1:$B$1"},
                       {1010, MakePoint(1, 2, 3)},
                       {1071, std::int32_t{70000}},
                       {1040, 0.17}});
  reference.call("setxdata", Variant::RefTo(data.codes), Variant::RefTo(data.values));

  Variant codes, values;
  reference.call("getxdata", "tabulo", Variant::RefTo(codes), Variant::RefTo(values));
  const Array& c = codes.toArray();
  const Array& v = values.toArray();
  ASSERT_EQ(c.items.size(), 10u);
  EXPECT_EQ(c.lowerBound, 0);
  EXPECT_EQ(v.lowerBound, 0);
  EXPECT_EQ(c.items[0].kind(), VarKind::Int16);
  EXPECT_EQ(v.items[0].toString(), "Tabulo");
  EXPECT_EQ(v.items[1].kind(), VarKind::Int16);
  EXPECT_EQ(v.items[2].toInt32(), 2);
  EXPECT_EQ(v.items[4].toDouble(), 8.43);
  EXPECT_EQ(v.items[6].toString(), "$A$1:$B$1");
  EXPECT_EQ(ToPoint(v.items[7]), (Point3{1, 2, 3}));
  EXPECT_EQ(v.items[8].kind(), VarKind::Int32);
  EXPECT_EQ(v.items[8].toInt32(), 70000);
  EXPECT_EQ(v.items[9].toDouble(), 0.17);

  Variant otherCodes, otherValues;
  reference.call("getxdata", "Other", Variant::RefTo(otherCodes), Variant::RefTo(otherValues));
  EXPECT_EQ(otherValues.toArray().items[1].toString(), "keep me");

  Variant none1(std::int32_t{5}), none2(std::int32_t{5});
  AddBlock("U");
  Insert("U").call("getxdata", "Tabulo", Variant::RefTo(none1), Variant::RefTo(none2));
  EXPECT_TRUE(none1.isEmpty());
  EXPECT_TRUE(none2.isEmpty());
}

TEST_F(DrawingHostTest, ExtendedDataIsRefusedAsTheHostRefusesIt) {
  AddBlock("T");
  Dispatch reference = Insert("T");
  doc.get("RegisteredApplications").call("Add", "Tabulo");
  auto reals = [](int count, int extraShorts) {
    std::vector<std::pair<std::int16_t, Variant>> items{{1001, "Tabulo"}};
    for (int i = 0; i < count; ++i) items.push_back({1040, 1.0 * i});
    for (int i = 0; i < extraShorts; ++i) items.push_back({1070, std::int32_t{i}});
    return Record(items);
  };
  struct Case {
    const char* what;
    XData data;
    bool accepted;
  } cases[] = {
      {"unregistered application", Record({{1001, "Nobody"}, {1000, "x"}}), false},
      {"no application name first", Record({{1000, "x"}}), false},
      {"not an extended data code", Record({{1001, "Tabulo"}, {62, std::int32_t{1}}}), false},
      {"1070 out of range", Record({{1001, "Tabulo"}, {1070, std::int32_t{40000}}}), false},
      {"string over 255 bytes", Record({{1001, "Tabulo"}, {1000, std::string(256, 'a')}}), false},
      {"unbalanced brace", Record({{1001, "Tabulo"}, {1002, "{"}}), false},
      {"16383 bytes exactly", reals(1820, 1), true},  // 1820 x 9 + 3
      {"one item more", reals(1820, 2), false},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.accepted) {
      EXPECT_NO_THROW(
          reference.call("setxdata", Variant::RefTo(c.data.codes), Variant::RefTo(c.data.values)));
    } else {
      XData before = Record({{1001, "Tabulo"}, {1000, "before"}});
      reference.call("setxdata", Variant::RefTo(before.codes), Variant::RefTo(before.values));
      EXPECT_THROW(
          reference.call("setxdata", Variant::RefTo(c.data.codes), Variant::RefTo(c.data.values)),
          Error);
      Variant codes, values;
      reference.call("getxdata", "Tabulo", Variant::RefTo(codes), Variant::RefTo(values));
      EXPECT_EQ(values.toArray().items.at(1).toString(), "before");  // nothing half written
    }
  }
}

class MenuTest : public DrawingHostTest {
 protected:
  std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("tabulo_menu_" + std::to_string(::getpid()));
  std::filesystem::path file = dir / "TABULO.MNS";
  void SetUp() override {
    std::filesystem::create_directories(dir);
    std::ofstream(file)
        << "//\n//  Tabulo menu\n//\n***MENUGROUP=TABULO\n\n***POP1\n"
           "**TABULO\nID_Tabulo  [&TABULO]\nID_Export  [&Export table...]^C^Cimportxls\n"
           "\n***POP2\n**EXTRA\n[E&xtra]\n[Item]^C^C\n";
  }
  void TearDown() override { std::filesystem::remove_all(dir); }
};

TEST_F(MenuTest, LoadsAGroupOnceAndInsertsOnlyItsMenus) {
  Dispatch host(app);
  std::int32_t count = host.get("menubar").get("count").toInt32();
  Dispatch group = host.get("menugroups").call("load", file.string());
  EXPECT_EQ(group.get("name").toString(), "TABULO");
  group.get("menus").call("insertmenuinmenubar", "TABULO", count - 1);
  EXPECT_EQ(host.get("menubar").get("count").toInt32(), count + 1);
  EXPECT_EQ(app->menuBar()[count - 1], "TABULO");
  EXPECT_EQ(app->menuBar().back(), "Help");
  EXPECT_THROW(group.get("menus").call("insertmenuinmenubar", "NOSUCH", 0), Error);
  EXPECT_NO_THROW(group.get("menus").call("insertmenuinmenubar", "Extra", 0));

  EXPECT_THROW(host.get("menugroups").call("load", file.string()), Error);
  EXPECT_THROW(host.get("menugroups").call("load", (dir / "MISSING.MNS").string()), Error);
}

TEST_F(DrawingHostTest, CaptionCanBeWritten) {
  Dispatch(app).put("caption", "new caption");
  EXPECT_EQ(Dispatch(app).get("Caption").toString(), "new caption");
}

}  // namespace
}  // namespace tabulo::drawing
