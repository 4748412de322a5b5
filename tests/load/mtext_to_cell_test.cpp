#include "load/mtext_to_cell.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "automation/error.h"
#include "fake_entities.h"

namespace tabulo::load {
namespace {

using load::testing::FakeMText;
using load::testing::SinkObject;
using load::testing::Writes;
using tabulo::testing::CallLog;
using tabulo::testing::RecordingObject;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::Not;

class MTextToCellTest : public ::testing::Test {
 protected:
  MTextToCellTest() {
    state.ColumnEdges = {0.0, 48.0, 112.0, 162.0};
    state.RowEdges = {0.0, 15.0, 35.0, 47.75};
    text->insertion = {120, -20};  // inside cell (2, 3)
    text->contents = "Total";
  }
  void Run() {
    auto entity = RecordingObject::Wrap(text, "mtext", log);
    MTextToCell(automation::Dispatch(automation::ObjectPtr(sheet)),
                automation::Dispatch(automation::ObjectPtr(entity)), state);
  }

  std::shared_ptr<CallLog> log = std::make_shared<CallLog>();
  std::shared_ptr<RecordingObject> sheet =
      RecordingObject::Wrap(std::make_shared<SinkObject>(), "sheet", log);
  std::shared_ptr<FakeMText> text = std::make_shared<FakeMText>();
  LoadState state;
};

TEST_F(MTextToCellTest, WritesEverythingToTheCellOfTheInsertionPoint) {
  text->contents = R"(\fArial;Total\PSum)";
  text->width = 60.5;
  text->height = 7.475;
  text->color = 1;
  text->attachmentPoint = 6;
  Run();
  EXPECT_THAT(Writes(*log), ElementsAre("sheet.cells.item(2, 3).font.name = \"Arial\"",
                                        "sheet.cells.item(2, 3) = \"Total\\nSum\"",
                                        "sheet.cells.item(2, 3).WrapText = True",
                                        "sheet.cells.item(2, 3).font.size = 12",
                                        "sheet.cells.item(2, 3).font.colorindex = 3u8",
                                        "sheet.cells(2, 3).horizontalalignment = -4152i16",
                                        "sheet.cells(2, 3).verticalalignment = -4108i16"))
      << log->dump();
}

TEST_F(MTextToCellTest, EntityReadInOrder) {
  Run();
  std::vector<std::string> reads;
  for (const auto& call : log->calls())
    if (call.path == "mtext") reads.push_back(call.member);
  EXPECT_THAT(reads, ElementsAre("InsertionPoint", "textstring", "width", "height", "color",
                                 "AttachmentPoint"));
}

TEST_F(MTextToCellTest, WithoutFontCodeNoFontNameAndWidthZeroKeepsWrapping) {
  Run();
  EXPECT_THAT(Writes(*log), ElementsAre("sheet.cells.item(2, 3) = \"Total\"",
                                        "sheet.cells.item(2, 3).font.size = 10",
                                        "sheet.cells.item(2, 3).font.colorindex = 1u8",
                                        "sheet.cells(2, 3).horizontalalignment = -4131i16",
                                        "sheet.cells(2, 3).verticalalignment = -4160i16"));
}

TEST_F(MTextToCellTest, AttachmentPointsToAlignments) {
  const struct {
    std::int32_t point;
    const char *horizontal, *vertical;
  } cases[] = {
      {1, "-4131i16", "-4160i16"}, {2, "-4108i16", "-4160i16"}, {3, "-4152i16", "-4160i16"},
      {4, "-4131i16", "-4108i16"}, {5, "-4108i16", "-4108i16"}, {6, "-4152i16", "-4108i16"},
      {7, "-4131i16", "-4107i16"}, {8, "-4108i16", "-4107i16"}, {9, "-4152i16", "-4107i16"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.point);
    log->clear();
    text->attachmentPoint = c.point;
    Run();
    std::vector<std::string> writes = Writes(*log);
    ASSERT_EQ(writes.size(), 5u);
    EXPECT_EQ(writes[3], std::string("sheet.cells(2, 3).horizontalalignment = ") + c.horizontal);
    EXPECT_EQ(writes[4], std::string("sheet.cells(2, 3).verticalalignment = ") + c.vertical);
  }
}

TEST_F(MTextToCellTest, OtherAttachmentPointsWriteNoAlignment) {
  for (std::int32_t point : {0, 10, -1}) {
    SCOPED_TRACE(point);
    log->clear();
    text->attachmentPoint = point;
    text->width = 1;
    Run();
    EXPECT_THAT(Writes(*log), ElementsAre("sheet.cells.item(2, 3) = \"Total\"",
                                          "sheet.cells.item(2, 3).WrapText = True",
                                          "sheet.cells.item(2, 3).font.size = 10",
                                          "sheet.cells.item(2, 3).font.colorindex = 1u8"));
  }
}

TEST_F(MTextToCellTest, PointsOnEdgesBelongToTheCellRightAndBelow) {
  const struct {
    const char* name;
    automation::Point3 point;
    const char* cell;
  } cases[] = {
      {"bottom-left corner of A1", {0, -15}, "sheet.cells.item(2, 1)"},
      {"top-left corner of B1", {48, 0}, "sheet.cells.item(1, 2)"},
      {"left of the table", {-1, -5}, "sheet.cells.item(1, 0)"},
      {"below the table", {5, -50}, "sheet.cells.item(0, 1)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    log->clear();
    text->insertion = c.point;
    Run();
    EXPECT_EQ(Writes(*log).front(), std::string(c.cell) + " = \"Total\"");
  }
}

TEST_F(MTextToCellTest, HeightArrivingAsCurrency) {
  text->height = automation::Currency{74750};  // 7.475
  Run();
  EXPECT_THAT(Writes(*log), Contains("sheet.cells.item(2, 3).font.size = 12"));
}

TEST_F(MTextToCellTest, AFailureKeepsTheWritesMade) {
  log->failMember("size", "Unable to set the Size property of the Font class");
  EXPECT_THROW(Run(), automation::Error);
  std::vector<std::string> writes = Writes(*log);
  EXPECT_THAT(writes, Contains("sheet.cells.item(2, 3) = \"Total\""));
  EXPECT_THAT(writes, Not(Contains("sheet.cells.item(2, 3).font.colorindex = 1u8")));
}

}  // namespace
}  // namespace tabulo::load
