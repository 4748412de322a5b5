// Export then load on the stand-ins: the loaded sheet shows what the source sheet
// showed, cell by cell, up to what the table block cannot carry (colours modulo
// the shared colour groups, whole-point font sizes, general alignment decided
// left or right, every border a continuous line).
#include <gtest/gtest.h>

#include <cmath>

#include "automation/activation.h"
#include "color/color_mapping.h"
#include "drawing/application.h"
#include "export/export_sheet.h"
#include "host/float_text.h"
#include "host/settings_store.h"
#include "load/fill_sheet.h"
#include "platform/registry_memory.h"
#include "platform/ui_recording.h"
#include "sheet_picture.h"
#include "spreadsheet/application.h"

namespace tabulo::load {
namespace {

using automation::Dispatch;
using automation::ObjectPtr;
using testing::CellName;
using testing::Differences;
using testing::SheetPicture;

constexpr std::int32_t kGeneral = 1, kLeft = -4131, kCentre = -4108, kRight = -4152;
constexpr std::int32_t kTop = -4160, kBottom = -4107, kJustify = -4130;
constexpr std::int32_t kDiagonalDown = 5, kDiagonalUp = 6, kLeftEdge = 7, kTopEdge = 8,
                       kBottomEdge = 9, kRightEdge = 10;

// Writes a source sheet through the spreadsheet's object model, as a user would.
class SheetWriter {
 public:
  explicit SheetWriter(Dispatch sheet) : sheet_(std::move(sheet)) {}

  Dispatch Cell(std::int32_t r, std::int32_t c) const {
    return sheet_.get("cells").call("item", r, c);
  }
  const SheetWriter& Text(std::int32_t r, std::int32_t c, const std::string& text) const {
    sheet_.get("cells").put("item", r, c, text);
    return *this;
  }
  const SheetWriter& Font(std::int32_t r, std::int32_t c, const std::string& name, double size,
                          std::int32_t colorIndex) const {
    Dispatch font = Cell(r, c).get("font");
    font.put("name", name);
    font.put("size", size);
    font.put("colorindex", colorIndex);
    return *this;
  }
  const SheetWriter& Align(std::int32_t r, std::int32_t c, std::int32_t h, std::int32_t v) const {
    Cell(r, c).put("horizontalalignment", h);
    Cell(r, c).put("verticalalignment", v);
    return *this;
  }
  const SheetWriter& Wrap(std::int32_t r, std::int32_t c) const {
    Cell(r, c).put("WrapText", true);
    return *this;
  }
  const SheetWriter& Border(std::int32_t r, std::int32_t c, std::int32_t index,
                            std::int32_t colorIndex, std::int32_t lineStyle = 1) const {
    Dispatch border = Cell(r, c).get("borders").call("Item", index);
    border.put("LineStyle", lineStyle);
    border.put("colorindex", colorIndex);
    return *this;
  }
  const SheetWriter& Box(std::int32_t r, std::int32_t c, std::int32_t colorIndex) const {
    for (std::int32_t index : {kTopEdge, kLeftEdge, kBottomEdge, kRightEdge})
      Border(r, c, index, colorIndex);
    return *this;
  }
  // The outline of the merged area r1:r2 × c1:c2, drawn on its perimeter cells.
  const SheetWriter& Outline(std::int32_t r1, std::int32_t c1, std::int32_t r2, std::int32_t c2,
                             std::int32_t colorIndex) const {
    for (std::int32_t c = c1; c <= c2; ++c) {
      Border(r1, c, kTopEdge, colorIndex);
      Border(r2, c, kBottomEdge, colorIndex);
    }
    for (std::int32_t r = r1; r <= r2; ++r) {
      Border(r, c1, kLeftEdge, colorIndex);
      Border(r, c2, kRightEdge, colorIndex);
    }
    return *this;
  }
  const SheetWriter& Merge(const std::string& address) const {
    sheet_.get("range", address).put("mergecells", true);
    return *this;
  }
  const SheetWriter& RowHeight(std::int32_t r, double points) const {
    sheet_.get("rows", r).put("rowheight", points);
    return *this;
  }
  const SheetWriter& ColumnWidth(std::int32_t c, double characters) const {
    sheet_.get("Columns", c).put("ColumnWidth", characters);
    return *this;
  }

 private:
  Dispatch sheet_;
};

struct Settings {
  bool colorByLayer = false;
  bool fontByLayer = false;
};

// The source sheet as the loaded sheet must show it.
SheetPicture Expected(SheetPicture picture, const Settings& settings,
                      const std::string& defaultFont) {
  auto colour = [&](std::int32_t index) {
    return settings.colorByLayer ? 1 : color::ExcelColorForAci(color::AciForExcelColor(index));
  };
  auto edge = [&](testing::EdgePicture& e) {
    if (e.set) e.color = colour(e.color);
  };
  for (testing::CellPicture& cell : picture.cells) {
    edge(cell.top);
    edge(cell.left);
    edge(cell.diagonalDown);
    edge(cell.diagonalUp);
    if (cell.fontName.empty()) continue;  // no text
    if (settings.fontByLayer) cell.fontName = defaultFont;
    cell.fontSize = std::nearbyint(cell.fontSize);  // whole points, half to even
    cell.fontColor = colour(cell.fontColor);
    // The attachment point carries the alignments; general goes left or right by
    // the displayed text, and whatever has no attachment point comes back at the
    // bottom left.
    std::int32_t h = cell.horizontal;
    if (h == kGeneral) h = host::IsFloatText(cell.text, '.') ? kRight : kLeft;
    const bool hasPoint =
        (h == kLeft || h == kCentre || h == kRight) &&
        (cell.vertical == kTop || cell.vertical == kCentre || cell.vertical == kBottom);
    cell.horizontal = hasPoint ? h : kLeft;
    cell.vertical = hasPoint ? cell.vertical : kBottom;
  }
  return picture;
}

class RoundTripTest : public ::testing::TestWithParam<Settings> {
 protected:
  RoundTripTest() {
    previousUi = platform::SetCurrentUi(ui);
    host::WriteExportSettings({GetParam().colorByLayer, 2.5, GetParam().fontByLayer});
  }
  ~RoundTripTest() override { platform::SetCurrentUi(previousUi); }

  Dispatch SourceSheet() const { return Dispatch(ObjectPtr(source)).get("activesheet"); }
  Dispatch TargetSheet() const { return Dispatch(ObjectPtr(target)).get("activesheet"); }

  // Exports the source sheet, loads the table back into the target, and compares
  // the two sheets over the source's grid (rows and columns from 1 to the end of
  // its used range).
  void RoundTrip() {
    Dispatch used = SourceSheet().get("usedrange");
    const std::int32_t rows =
        used.get("row").toInt32() + used.get("rows").get("count").toInt32() - 1;
    const std::int32_t columns =
        used.get("column").toInt32() + used.get("Columns").get("count").toInt32() - 1;
    const SheetPicture source = testing::Capture(SourceSheet(), rows, columns);
    const std::string defaultFont =
        TargetSheet().get("cells").call("item", 1, 1).get("font").get("name").toString();

    exporting::ExportSheetToDrawing(this->source, 0, 0, 0);
    Dispatch modelSpace = Dispatch(ObjectPtr(acad)).get("activedocument").get("modelspace");
    Dispatch reference = modelSpace.call("item", modelSpace.get("count").toInt32() - 1);
    FillSheet(target, static_cast<std::uint32_t>(reference.get("ObjectID").toInt32()));
    ASSERT_TRUE(ui->EntriesStartingWith("ErrorBox").empty())
        << ui->EntriesStartingWith("ErrorBox")[0];
    ASSERT_TRUE(target->visible());

    loaded = testing::Capture(TargetSheet(), rows, columns);
    expected = Expected(source, GetParam(), defaultFont);
    std::vector<std::string> differences = Differences(expected, loaded);
    for (const std::string& d : differences) ADD_FAILURE() << d;
  }

  platform::ScopedRegistry registry{std::make_shared<platform::MemoryRegistry>()};
  std::shared_ptr<platform::RecordingUi> ui = std::make_shared<platform::RecordingUi>();
  std::shared_ptr<platform::Ui> previousUi;
  std::shared_ptr<drawing::Application> acad = drawing::MakeApplication();
  automation::Registration running = automation::RegisterActiveObject("AutoCAD.Application", acad);
  std::shared_ptr<spreadsheet::Application> source =
      std::make_shared<spreadsheet::Application>(spreadsheet::NewWorkbook());
  std::shared_ptr<spreadsheet::Application> target =
      std::make_shared<spreadsheet::Application>(spreadsheet::NewWorkbook());
  SheetWriter write{SourceSheet()};
  SheetPicture expected, loaded;
};

TEST_P(RoundTripTest, FormattedSheet) {
  write.RowHeight(1, 20).RowHeight(2, 15).RowHeight(3, 30).RowHeight(5, 18).RowHeight(6, 25);
  write.ColumnWidth(1, 12).ColumnWidth(3, 20).ColumnWidth(4, 10).ColumnWidth(5, 15);

  write.Text(1, 1, "Name").Font(1, 1, "Arial", 10, 3).Align(1, 1, kCentre, kCentre).Box(1, 1, 3);
  write.Text(1, 2, "12.5").Font(1, 2, "Times New Roman", 11.5, 1).Align(1, 2, kGeneral, kTop);
  write.Border(1, 2, kBottomEdge, 5);
  write.Text(1, 3, "Total\nSum").Font(1, 3, "Arial", 14, 5).Align(1, 3, kLeft, kTop).Wrap(1, 3);
  write.Border(1, 3, kRightEdge, 10).Border(1, 4, kLeftEdge, 12);  // the left cell's edge wins
  write.Text(1, 4, "x").Font(1, 4, "Courier New", 8, 53).Align(1, 4, kRight, kBottom);
  write.Text(1, 5, "10.5pt").Font(1, 5, "Arial", 10.5, 10);

  write.Text(2, 1, "Merged").Font(2, 1, "Verdana", 16, 46).Align(2, 1, kCentre, kCentre);
  write.Merge("A2:B3").Outline(2, 1, 3, 2, 46).Border(2, 1, kDiagonalDown, 10);
  write.Text(2, 3, "  spaced  ").Font(2, 3, "Arial", 20, 2);
  write.Border(2, 4, kTopEdge, -4105, -4115);  // dashed, automatic colour
  write.Text(3, 3, "justified").Align(3, 3, kJustify, kTop);
  write.Text(3, 4, "-325").Align(3, 4, kGeneral, kCentre);
  write.Border(3, 5, kRightEdge, 3);

  write.Text(4, 1, "a").Box(4, 1, 1).Border(4, 2, kLeftEdge, 3);  // A4's right edge wins
  write.Text(4, 5, "top right").Font(4, 5, "Arial", 9, 55).Align(4, 5, kRight, kTop);
  write.Text(5, 2, "7").Align(5, 2, kGeneral, kCentre);

  write.Text(5, 4, "diag").Align(5, 4, kRight, kBottom);
  write.Merge("D5:E6").Outline(5, 4, 6, 5, 3).Border(5, 4, kDiagonalUp, 3);
  write.Text(6, 1, "last").Align(6, 1, kCentre, kBottom).Border(6, 1, kBottomEdge, 3);

  RoundTrip();
}

TEST_P(RoundTripTest, UsedRangeStartingAtC5) {
  write.RowHeight(5, 22).RowHeight(6, 16).ColumnWidth(3, 14).ColumnWidth(4, 9);
  write.Text(5, 3, "left").Font(5, 3, "Arial", 12, 3).Box(5, 3, 3);
  write.Text(5, 4, "12").Border(5, 4, kDiagonalDown, 5);
  write.Text(6, 3, "wide").Align(6, 3, kCentre, kCentre).Font(6, 3, "Arial", 11.5, 12);
  write.Merge("C6:D6").Outline(6, 3, 6, 4, 46).Border(6, 3, kDiagonalUp, 46);
  RoundTrip();
}

// The comparison itself: one border lost or one font size off by one in the
// loaded sheet shows up as a difference in exactly that cell.
TEST_P(RoundTripTest, ComparisonCatchesASingleLostBorderOrSizeOffByOne) {
  write.Text(1, 1, "a").Font(1, 1, "Arial", 11.5, 1).Box(1, 1, 3);
  write.Text(2, 2, "b").Box(2, 2, 3);
  RoundTrip();
  if (HasFailure()) return;

  const Dispatch border =
      TargetSheet().get("cells").call("item", 3, 2).get("borders").call("Item", kTopEdge);
  border.put("LineStyle", -4142);  // B2's bottom edge, as loaded
  std::vector<std::string> differences =
      Differences(expected, testing::Capture(TargetSheet(), 2, 2));
  ASSERT_EQ(differences.size(), 1u) << ::testing::PrintToString(differences);
  EXPECT_TRUE(differences[0].starts_with("B3:")) << differences[0];

  border.put("LineStyle", 1);
  border.put("colorindex", expected.at(3, 2).top.color);
  TargetSheet().get("cells").call("item", 1, 1).get("font").put("size", 11);
  differences = Differences(expected, testing::Capture(TargetSheet(), 2, 2));
  ASSERT_EQ(differences.size(), 1u) << ::testing::PrintToString(differences);
  EXPECT_TRUE(differences[0].starts_with("A1:")) << differences[0];
}

INSTANTIATE_TEST_SUITE_P(Settings, RoundTripTest,
                         ::testing::Values(Settings{false, false}, Settings{true, true}),
                         [](const auto& info) {
                           return std::string(info.param.colorByLayer ? "ColorByLayer"
                                                                      : "XlsColors") +
                                  (info.param.fontByLayer ? "FontByLayer" : "XlsFonts");
                         });

}  // namespace
}  // namespace tabulo::load
