// Table blocks: removal of the unused ones, the next free name, creation and the
// table reference.
#include "export/table_block.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "automation/error.h"
#include "export_fixture.h"

namespace tabulo::exporting::test {
namespace {

using Names = std::vector<std::string>;

class TableBlockTest : public ExportTest {
 protected:
  TableBlockTest() { acad = drawing::MakeApplication(); }

  void addBlock(const std::string& name, bool inserted) {
    Variant blockName(name);
    std::vector<Variant> args{Variant(automation::MakePoint(0, 0, 0)), Variant::RefTo(blockName)};
    document().get("blocks").invoke("add", args);
    if (inserted) InsertTableReference(document().get("modelspace"), {0, 0, 0}, name, 1.0);
  }
  std::vector<std::string> sortedBlockNames() const {
    Names names = blockNames();
    std::sort(names.begin(), names.end());
    return names;
  }
  const Workbook book = SheetBuilder().value(1, 1, "x").build();
};

TEST_F(TableBlockTest, UnusedTableBlockIsRemovedAndItsNameTakenAgain) {
  addBlock("TabuloBk001", true);
  addBlock("TabuloBk002", false);
  exportSheet(book);
  EXPECT_EQ(sortedBlockNames(),
            (Names{"*Model_Space", "*Paper_Space", "TabuloBk001", "TabuloBk002"}));
  EXPECT_EQ(lastReference().get("name").toString(), "TabuloBk002");
  EXPECT_EQ(blockEntities("TabuloBk002").size(), 1u);
  // Both were asked to go; the inserted one refused, quietly.
  auto deletes = log->callsTo("delete");
  ASSERT_EQ(deletes.size(), 2u);
  EXPECT_FALSE(deletes[0].error.has_value());
  EXPECT_TRUE(deletes[1].error.has_value());
  EXPECT_EQ(ui->EntriesStartingWith("ErrorBox"), Names{});
}

TEST_F(TableBlockTest, PrefixIsCaseSensitiveButTheHostsNamesAreNot) {
  addBlock("tabulobk001", false);
  exportSheet(book);
  EXPECT_FALSE(log->called("delete"));
  // The host finds tabulobk001 under TabuloBk001, so the next name is taken.
  EXPECT_EQ(sortedBlockNames(),
            (Names{"*Model_Space", "*Paper_Space", "TabuloBk002", "tabulobk001"}));
}

TEST_F(TableBlockTest, BlocksAreVisitedFromTheLastIndexDownAndEachFailureStaysLocal) {
  for (const char* name : {"TabuloBk001", "TabuloBk002", "TabuloBk003"}) addBlock(name, false);
  // Index 3 is TabuloBk002: its name cannot be read, so it stays.
  log->failWhen({"name", "blocks.item(3)", std::nullopt, 0}, "Unable to read the name.");
  exportSheet(book);
  Names visited;
  for (const auto& call : log->callsTo("name"))
    if (call.path.find("blocks.item(") != std::string::npos) visited.push_back(call.path);
  EXPECT_EQ(visited,
            (Names{"acad.activedocument.blocks.item(4)", "acad.activedocument.blocks.item(3)",
                   "acad.activedocument.blocks.item(2)", "acad.activedocument.blocks.item(1)",
                   "acad.activedocument.blocks.item(0)"}));
  EXPECT_EQ(sortedBlockNames(),
            (Names{"*Model_Space", "*Paper_Space", "TabuloBk001", "TabuloBk002"}));
  EXPECT_EQ(lastReference().get("name").toString(), "TabuloBk001");
}

TEST_F(TableBlockTest, SecondExportKeepsTheFirstTableUntilItsReferenceIsErased) {
  exportSheet(book);
  exportSheet(book);
  EXPECT_EQ(lastReference().get("name").toString(), "TabuloBk002");
  document().get("modelspace").get("item", 0).get("Delete");
  exportSheet(book);
  EXPECT_EQ(sortedBlockNames(),
            (Names{"*Model_Space", "*Paper_Space", "TabuloBk001", "TabuloBk002"}));
  EXPECT_EQ(lastReference().get("name").toString(), "TabuloBk001");
  EXPECT_EQ(ui->EntriesStartingWith("Progress: create").size(), 3u);
}

TEST_F(TableBlockTest, CreationAndInsertionArguments) {
  exportSheet(book, {5, 6, 7});
  auto add = log->callsTo("add");
  ASSERT_FALSE(add.empty());
  EXPECT_EQ(add[0].target(),
            "acad.activedocument.blocks.add([lb 0: 0.0, 0.0, 0.0], &\"TabuloBk001\")");
  Dispatch definition = block("TabuloBk001");
  EXPECT_EQ(automation::ToPoint(definition.get("origin").value()), (Point3{0, 0, 0}));
  auto insert = log->callsTo("insertblock");
  ASSERT_EQ(insert.size(), 1u);
  EXPECT_EQ(insert[0].renderedArgs.front(), "&[lb 0: 5.0, 6.0, 7.0]");
  EXPECT_EQ(insert[0].renderedArgs.back(), "0");
}

// A block collection that answers item(name) for the first `taken` table block
// names, and Nothing for `nothingAt`.
class FakeBlocks : public automation::Object {
 public:
  FakeBlocks(int taken, int nothingAt) : taken_(taken), nothingAt_(nothingAt) {}
  Variant invoke(std::string_view member, automation::CallKind,
                 std::vector<Variant>& args) override {
    EXPECT_EQ(member, "item");
    EXPECT_TRUE(args.at(0).isByRef());
    std::string name = args.at(0).toString();
    ++lookups;
    int number = std::stoi(name.substr(kTableBlockPrefix.size()));
    if (number == nothingAt_) return Variant(ObjectPtr());
    if (number > taken_) throw automation::Error("Key not found");
    return Variant(ObjectPtr(std::make_shared<FakeBlocks>(0, 0)));
  }
  int lookups = 0;

 private:
  int taken_, nothingAt_;
};

TEST(TableBlockNameTest, FirstNameTheCollectionDoesNotHave) {
  struct Case {
    int taken, nothingAt;
    std::string expected;
  } cases[] = {{0, 0, "TabuloBk001"},
               {1, 0, "TabuloBk002"},
               {999, 0, "TabuloBk1000"},
               {5, 3, "TabuloBk003"}};
  for (const Case& c : cases) {
    auto blocks = std::make_shared<FakeBlocks>(c.taken, c.nothingAt);
    EXPECT_EQ(ChooseTableBlockName(Dispatch(ObjectPtr(blocks))), c.expected);
  }
}

}  // namespace
}  // namespace tabulo::exporting::test
