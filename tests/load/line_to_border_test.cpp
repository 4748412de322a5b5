#include "load/line_to_border.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

#include "automation/error.h"
#include "fake_entities.h"

namespace tabulo::load {
namespace {

using automation::Point3;
using load::testing::FakeLine;
using load::testing::SinkObject;
using load::testing::Writes;
using tabulo::testing::CallLog;
using tabulo::testing::RecordingObject;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Columns 48, 64 and 50 points wide, rows 15, 20 and 12.75 points high.
LoadState Grid() {
  LoadState state;
  state.ColumnEdges = {0.0, 48.0, 112.0, 162.0};
  state.RowEdges = {0.0, 15.0, 35.0, 47.75};
  return state;
}

class LineToBorderTest : public ::testing::Test {
 protected:
  // Runs one line through LineToBorder; the log then holds the sheet's and the
  // line's calls in order.
  void Run(Point3 start, Point3 end, std::int32_t aci = 256) {
    auto line = RecordingObject::Wrap(std::make_shared<FakeLine>(start, end, aci), "line", log);
    LineToBorder(automation::Dispatch(automation::ObjectPtr(sheet)),
                 automation::Dispatch(automation::ObjectPtr(line)), state);
  }

  std::shared_ptr<CallLog> log = std::make_shared<CallLog>();
  std::shared_ptr<RecordingObject> sheet =
      RecordingObject::Wrap(std::make_shared<SinkObject>(), "sheet", log);
  LoadState state = Grid();
};

TEST_F(LineToBorderTest, TheFourLinesOfA1BecomeTopAndLeftBorders) {
  state.ColumnEdges = {0.0, 48.0};
  state.RowEdges = {0.0, 15.0};
  Run({0, 0}, {48, 0});
  Run({48, 0}, {48, -15});
  Run({48, -15}, {0, -15});
  Run({0, 0}, {0, -15});
  EXPECT_THAT(Writes(*log), ElementsAre("sheet.cells.item(1, 1).borders.Item(8).LineStyle = 1",
                                        "sheet.cells.item(1, 1).borders.Item(8).colorindex = 1u8",
                                        "sheet.cells.item(1, 2).borders.Item(7).LineStyle = 1",
                                        "sheet.cells.item(1, 2).borders.Item(7).colorindex = 1u8",
                                        "sheet.cells.item(2, 1).borders.Item(8).LineStyle = 1",
                                        "sheet.cells.item(2, 1).borders.Item(8).colorindex = 1u8",
                                        "sheet.cells.item(1, 1).borders.Item(7).LineStyle = 1",
                                        "sheet.cells.item(1, 1).borders.Item(7).colorindex = 1u8"))
      << log->dump();
}

TEST_F(LineToBorderTest, CallsInOrder) {
  Run({48, 0}, {48, -15}, 1);
  EXPECT_THAT(
      log->lines(),
      ElementsAre("get line.startpoint -> [lb 0: 48.0, 0.0, 0.0]",
                  "get line.endpoint -> [lb 0: 48.0, -15.0, 0.0]",
                  "get sheet.cells -> <sheet.cells>",
                  "get sheet.cells.item(1, 2) -> <sheet.cells.item(1, 2)>",
                  "get sheet.cells.item(1, 2).borders -> <sheet.cells.item(1, 2).borders>",
                  "get sheet.cells.item(1, 2).borders.Item(7) -> "
                  "<sheet.cells.item(1, 2).borders.Item(7)>",
                  "put sheet.cells.item(1, 2).borders.Item(7).LineStyle = 1", "get line.color -> 1",
                  "put sheet.cells.item(1, 2).borders.Item(7).colorindex = 3u8"));
}

struct EdgeCase {
  const char* name;
  Point3 start, end;
  const char* border;  // the border object written
};

TEST_F(LineToBorderTest, EdgeLinesFindTheirCell) {
  const double offGrid = -std::nextafter(15.0, 16.0);
  const EdgeCase cases[] = {
      {"top of A1", {0, 0}, {48, 0}, "sheet.cells.item(1, 1).borders.Item(8)"},
      {"vertical at the second column edge",
       {112, 0},
       {112, -15},
       "sheet.cells.item(1, 3).borders.Item(7)"},
      {"bottom of row 2 under column 3",
       {162, -35},
       {112, -35},
       "sheet.cells.item(3, 3).borders.Item(8)"},
      {"right edge of the last column",
       {162, -35},
       {162, -47.75},
       "sheet.cells.item(3, 4).borders.Item(7)"},
      {"bottom edge of the last row",
       {48, -47.75},
       {0, -47.75},
       "sheet.cells.item(4, 1).borders.Item(8)"},
      {"end points coincide: vertical",
       {48, -15},
       {48, -15},
       "sheet.cells.item(2, 2).borders.Item(7)"},
      {"horizontal one bit off its edge",
       {48, offGrid},
       {112, offGrid},
       "sheet.cells.item(1, 2).borders.Item(8)"},
      {"vertical off every edge", {50, 0}, {50, -15}, "sheet.cells.item(1, 1).borders.Item(7)"},
  };
  for (const EdgeCase& c : cases) {
    SCOPED_TRACE(c.name);
    log->clear();
    Run(c.start, c.end);
    EXPECT_THAT(Writes(*log), ElementsAre(std::string(c.border) + ".LineStyle = 1",
                                          std::string(c.border) + ".colorindex = 1u8"));
  }
}

TEST_F(LineToBorderTest, HorizontalLineOnAZeroHeightRowIsThatRowsTop) {
  state.RowEdges = {0.0, 15.0, 15.0, 30.0};  // row 2 has height 0
  Run({0, -15}, {48, -15});
  EXPECT_THAT(Writes(*log), ElementsAre("sheet.cells.item(2, 1).borders.Item(8).LineStyle = 1",
                                        "sheet.cells.item(2, 1).borders.Item(8).colorindex = 1u8"));
}

TEST_F(LineToBorderTest, ColourThroughTheLoadTable) {
  const struct {
    std::int32_t aci;
    const char* colorIndex;
  } cases[] = {{256, "1u8"}, {0, "1u8"}, {1, "3u8"}, {7, "19u8"}, {254, "35u8"}, {10, "1u8"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.aci);
    log->clear();
    Run({0, 0}, {48, 0}, c.aci);
    EXPECT_EQ(Writes(*log).back(),
              std::string("sheet.cells.item(1, 1).borders.Item(8).colorindex = ") + c.colorIndex);
  }
}

TEST_F(LineToBorderTest, DiagonalsAreRecordedNotWritten) {
  // Falling across B2:C3 from its top-left corner; rising from its top-right one.
  Run({48, -15}, {162, -47.75}, 1);
  Run({162, -15}, {48, -47.75}, 300);
  EXPECT_THAT(Writes(*log), IsEmpty());
  EXPECT_THAT(state.DiagonalDownBorders, ElementsAre(TDiagonalBorder{2, 2, 1}));
  EXPECT_THAT(state.DiagonalUpBorders, ElementsAre(TDiagonalBorder{2, 3, 44}));
}

TEST_F(LineToBorderTest, DiagonalsOffTheGrid) {
  Run({50, -16}, {100, -40});  // falling, start on no edge
  Run({50, -16}, {100, 0});    // rising, start on no edge
  EXPECT_THAT(state.DiagonalDownBorders, ElementsAre(TDiagonalBorder{1, 1, 0}));
  EXPECT_THAT(state.DiagonalUpBorders, ElementsAre(TDiagonalBorder{1, 0, 0}));
}

TEST_F(LineToBorderTest, FailuresPassUpAndKeepWhatWasDone) {
  log->failMember("colorindex", "Unable to set the ColorIndex property of the Border class");
  EXPECT_THROW(Run({0, 0}, {48, 0}), automation::Error);
  EXPECT_THAT(Writes(*log), ElementsAre("sheet.cells.item(1, 1).borders.Item(8).LineStyle = 1",
                                        "sheet.cells.item(1, 1).borders.Item(8).colorindex = 1u8"));

  log->failMember("color", "The object is erased.");
  EXPECT_THROW(Run({48, -15}, {162, -47.75}), automation::Error);
  EXPECT_THAT(state.DiagonalDownBorders, IsEmpty());
}

}  // namespace
}  // namespace tabulo::load
