#include <gtest/gtest.h>

#include <set>

#include "drawing/drawing_template.h"
#include "drawing/dxf_error.h"
#include "drawing/dxf_reader.h"
#include "drawing/dxf_writer.h"
#include "dxf_test_support.h"
#include "table_fixture.h"

namespace tabulo::drawing {
namespace {

using namespace testing;

std::vector<std::filesystem::path> CorpusDrawings() {
  std::vector<std::filesystem::path> files;
  std::error_code missing;  // no corpus: no cases, rather than a crash while listing tests
  for (const auto& entry : std::filesystem::directory_iterator(TABULO_CORPUS_DIR, missing))
    if (entry.path().extension() == ".dxf") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

// Fails with the first differing tag, which says more than two long lists.
void ExpectSameTags(const std::vector<RawTag>& written, const std::vector<RawTag>& original) {
  std::size_t n = std::min(written.size(), original.size());
  for (std::size_t i = 0; i < n; ++i)
    if (written[i] != original[i]) {
      ADD_FAILURE() << "tag " << i << " differs: written (" << written[i].first << ", '"
                    << written[i].second << "'), original (" << original[i].first << ", '"
                    << original[i].second << "')";
      return;
    }
  EXPECT_EQ(written.size(), original.size()) << "tag count differs";
}

// The written tags less every record with a handle at or above the old seed
// (what was added), with the values an addition legitimately changes (the seed,
// the tables' entry counts) blanked on both sides.
std::vector<RawTag> WithoutAdditions(std::vector<RawTag> tags, std::uint64_t oldSeed) {
  std::vector<RawTag> kept;
  std::size_t i = 0;
  bool tableHead = false;
  while (i < tags.size()) {
    std::size_t end = i + 1;
    while (end < tags.size() && tags[end].first != 0) ++end;
    bool added = false;
    for (std::size_t k = i + 1; k < end; ++k)
      if (tags[k].first == 5 || tags[k].first == 105) {
        added = std::stoull(tags[k].second, nullptr, 16) >= oldSeed;
        break;
      }
    if (tags[i].first == 0 && tags[i].second == "SECTION") added = false;
    tableHead = tags[i].first == 0 && tags[i].second == "TABLE";
    if (!added)
      for (std::size_t k = i; k < end; ++k) {
        RawTag tag = tags[k];
        if (tableHead && tag.first == 70) tag.second.clear();
        if (k > 0 && tags[k - 1] == RawTag{9, "$HANDSEED"}) tag.second.clear();
        kept.push_back(tag);
      }
    i = end;
  }
  return kept;
}

std::uint64_t SeedOf(const Drawing& drawing) {
  return ParseHandle(*drawing.HeaderValue("$HANDSEED")).value();
}

void CheckWithEzdxf(const std::filesystem::path& dxf, const std::vector<BuiltTable>& tables,
                    const TemporaryFolder& folder) {
  if (!HaveEzdxf()) return;
  std::filesystem::path expected = folder / "expected.json";
  WriteBytes(expected, TablesJson(tables));
  CommandResult result = RunCommand(std::string(kPython) + " " + Script("check_table.py") + " " +
                                    Quoted(dxf) + " " + Quoted(expected));
  EXPECT_EQ(result.status, 0) << dxf << ":\n" << result.output;
}

class CorpusTest : public ::testing::TestWithParam<std::filesystem::path> {};

TEST_P(CorpusTest, ReadsAndWritesBackTagForTag) {
  TemporaryFolder folder;
  std::shared_ptr<Drawing> drawing = ReadDxf(GetParam());
  std::filesystem::path out = folder / "out.dxf";
  WriteDxf(*drawing, out);
  ExpectSameTags(RawTags(out), RawTags(GetParam()));
  EXPECT_TRUE(ReadBytes(out) == ReadBytes(GetParam())) << "the bytes differ, the tags do not";
}

TEST_P(CorpusTest, AcceptsANewTableAndKeepsEverythingElse) {
  TemporaryFolder folder;
  std::shared_ptr<Drawing> drawing = ReadDxf(GetParam());
  std::uint64_t seed = SeedOf(*drawing);
  auto app = MakeApplication(drawing);
  std::vector<BuiltTable> tables = {AddTable(app, {"Item", "Qty", "Prix unitaire €"}),
                                    AddTable(app, {"second"}, -50, -50, true)};
  std::filesystem::path out = folder / "out.dxf";
  WriteDxf(*drawing, out);

  EXPECT_GT(SeedOf(*ReadDxf(out)), seed);
  ExpectSameTags(WithoutAdditions(RawTags(out), seed), WithoutAdditions(RawTags(GetParam()), seed));
  CheckWithEzdxf(out, tables, folder);
}

GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(CorpusTest);
INSTANTIATE_TEST_SUITE_P(Corpus, CorpusTest, ::testing::ValuesIn(CorpusDrawings()),
                         [](const auto& info) {
                           std::string name = info.param.stem().string();
                           for (char& ch : name)
                             if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           return name;
                         });

class EzdxfDrawingTest : public ::testing::TestWithParam<const char*> {};

TEST_P(EzdxfDrawingTest, SurvivesReadAndWriteWithATableAdded) {
  if (!HaveEzdxf()) GTEST_SKIP() << "/usr/bin/python3 with ezdxf is not available";
  TemporaryFolder folder;
  std::filesystem::path original = folder / "user.dxf";
  CommandResult made = RunCommand(std::string(kPython) + " " + Script("make_ezdxf_drawing.py") +
                                  " " + Quoted(original) + " " + GetParam());
  ASSERT_EQ(made.status, 0) << made.output;

  std::shared_ptr<Drawing> drawing = ReadDxf(original);
  std::filesystem::path unchanged = folder / "unchanged.dxf";
  WriteDxf(*drawing, unchanged);
  ExpectSameTags(RawTags(unchanged), RawTags(original));

  std::uint64_t seed = SeedOf(*drawing);
  auto app = MakeApplication(drawing);
  std::vector<BuiltTable> tables = {AddTable(app, {"A", "Größe", "中文"})};
  std::filesystem::path out = folder / "out.dxf";
  WriteDxf(*drawing, out);
  ExpectSameTags(WithoutAdditions(RawTags(out), seed), WithoutAdditions(RawTags(original), seed));
  CheckWithEzdxf(out, tables, folder);
}

INSTANTIATE_TEST_SUITE_P(Versions, EzdxfDrawingTest, ::testing::Values("R2000", "R2018"));

TEST(NewDrawingTest, StartsFromTheTemplateAndHoldsATable) {
  TemporaryFolder folder;
  auto app = MakeApplication();
  std::vector<BuiltTable> tables = {AddTable(app, {"one", "two"})};
  std::filesystem::path out = folder / "new.dxf";
  WriteDxf(app->document()->drawing(), out);
  std::shared_ptr<Drawing> back = ReadDxf(out);
  EXPECT_EQ(back->Version(), "AC1015");
  EXPECT_TRUE(back->FindBlock(tables[0].blockName));
  CheckWithEzdxf(out, tables, folder);
}

TEST(NewDrawingTest, DeletedBlockLeavesNoTraceInTheFile) {
  TemporaryFolder folder;
  auto app = MakeApplication();
  std::vector<BuiltTable> kept = {AddTable(app, {"kept"})};
  automation::Dispatch blocks = automation::Dispatch(app).get("activedocument").get("blocks");
  automation::Variant origin(automation::MakePoint(0, 0, 0)), name("TabuloBk002");
  automation::Dispatch unused = blocks.call("add", origin, automation::Variant::RefTo(name));
  automation::Variant a(automation::MakePoint(0, 0, 0)), b(automation::MakePoint(1, 1, 0));
  std::string lineHandle =
      unused.call("addline", automation::Variant::RefTo(a), automation::Variant::RefTo(b))
          .get("Handle")
          .toString();
  blocks.call("item", "TabuloBk002").call("delete");

  std::filesystem::path out = folder / "deleted.dxf";
  WriteDxf(app->document()->drawing(), out);
  for (const RawTag& tag : RawTags(out)) {
    EXPECT_NE(tag.second, "TabuloBk002");
    if (tag.first == 5) {
      EXPECT_NE(tag.second, lineHandle);
    }
  }
  CheckWithEzdxf(out, kept, folder);
}

TEST(NewDrawingTest, SectionMissingFromTheFileIsAddedWhenSomethingGoesInIt) {
  TemporaryFolder folder;
  std::string text(DrawingTemplate());
  std::string entities = "  0\nSECTION\n  2\nENTITIES\n  0\nENDSEC\n";
  text.erase(text.find(entities), entities.size());
  std::shared_ptr<Drawing> drawing = ParseDxf(text, "no-entities.dxf");
  auto app = MakeApplication(drawing);
  std::vector<BuiltTable> tables = {AddTable(app, {"x"})};
  std::filesystem::path out = folder / "out.dxf";
  WriteDxf(*drawing, out);
  EXPECT_EQ(ReadDxf(out)->ModelSpace().size(), 1u);
  CheckWithEzdxf(out, tables, folder);
}

// Texts outside the code page: R2000 writes them as \U+XXXX, R2018 as UTF-8;
// both read back to the same text.
class NonAsciiTest : public ::testing::TestWithParam<std::string> {};

TEST_P(NonAsciiTest, TextsSurviveARoundTrip) {
  TemporaryFolder folder;
  std::shared_ptr<Drawing> drawing =
      GetParam() == "new" ? Drawing::New()
                          : ReadDxf(std::filesystem::path(TABULO_CORPUS_DIR) / GetParam());
  const std::vector<std::string> texts = {"Café crème", "Ωμέγα", "中文表格", "emoji 😀 ok",
                                          "caret ^ and \\PSum"};
  auto app = MakeApplication(drawing);
  std::vector<BuiltTable> tables = {AddTable(app, texts)};
  std::filesystem::path out = folder / "text.dxf";
  WriteDxf(*drawing, out);

  std::string bytes = ReadBytes(out);
  if (drawing->Version() < "AC1021") {
    EXPECT_NE(bytes.find("\\U+4E2D"), std::string::npos);
    EXPECT_NE(bytes.find("\\U+D83D\\U+DE00"), std::string::npos);
  } else {
    EXPECT_NE(bytes.find("中文表格"), std::string::npos);
  }

  auto back = MakeApplication(ReadDxf(out));
  automation::Dispatch block = automation::Dispatch(back)
                                   .get("activedocument")
                                   .get("blocks")
                                   .call("item", tables[0].blockName);
  std::vector<std::string> found;
  for (std::int32_t i = 0; i < block.get("count").toInt32(); ++i)
    if (block.call("item", i).get("objectname").toString() == "AcDbMText")
      found.push_back(block.call("item", i).get("textstring").toString());
  EXPECT_EQ(found, texts);
  CheckWithEzdxf(out, tables, folder);
}

INSTANTIATE_TEST_SUITE_P(Drawings, NonAsciiTest,
                         ::testing::Values("new", "acadsharp_xdata_R2018_AC1032.dxf"),
                         [](const auto& info) { return info.param == "new" ? "R2000" : "R2018"; });

}  // namespace
}  // namespace tabulo::drawing
