#pragma once
// Shared set-up of the export tests: sheets made in code, the stand-in
// spreadsheet and drawing host behind one recording call log, the recording UI
// and an in-memory settings key. Results are read back through the drawing's own
// object model and rendered as one line per entity.
#include <gtest/gtest.h>

#include <charconv>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "automation/activation.h"
#include "automation/dispatch.h"
#include "drawing/application.h"
#include "export/export_sheet.h"
#include "export/import_xls.h"
#include "export/progress.h"
#include "host/settings_store.h"
#include "platform/registry_memory.h"
#include "platform/ui_recording.h"
#include "spreadsheet/application.h"
#include "spreadsheet/workbook.h"
#include "support/recording_object.h"

namespace tabulo::automation {
// Points in failure messages as (x, y, z) with the shortest exact digits.
inline void PrintTo(const Point3& p, std::ostream* out) {
  auto num = [](double v) {
    char buffer[32];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
    return std::string(buffer, result.ptr);
  };
  *out << "(" << num(p.x) << ", " << num(p.y) << ", " << num(p.z) << ")";
}
}  // namespace tabulo::automation

namespace tabulo::exporting::test {

using automation::Dispatch;
using automation::ObjectPtr;
using automation::Point3;
using automation::Variant;
using spreadsheet::CellFormat;
using spreadsheet::CellRef;
using spreadsheet::RangeRef;
using spreadsheet::Workbook;
namespace xl = spreadsheet::xl;

// A one-sheet workbook made in code. Columns are 64 pixels (48 points) and rows
// 12.75 points unless set.
class SheetBuilder {
 public:
  SheetBuilder() {
    book_.sheets.resize(1);
    book_.sheets[0].name = "Sheet1";
  }

  SheetBuilder& value(std::int32_t row, std::int32_t column, spreadsheet::CellValue value,
                      const CellFormat& format = {}) {
    auto& cell = sheet().cells[{row, column}];
    cell.value = std::move(value);
    cell.format = formatIndex(format);
    return *this;
  }
  // A cell with a format and no value (it still counts for the used range).
  SheetBuilder& format(std::int32_t row, std::int32_t column, const CellFormat& format) {
    sheet().cells[{row, column}].format = formatIndex(format);
    return *this;
  }
  SheetBuilder& rowHeight(std::int32_t row, double points) {
    sheet().rowHeights[row] = points;
    return *this;
  }
  SheetBuilder& columnPixels(std::int32_t column, std::int32_t pixels) {
    sheet().columnPixels[column] = pixels;
    return *this;
  }
  SheetBuilder& merge(const std::string& area) {
    sheet().mergedAreas.push_back(spreadsheet::ParseA1(area));
    return *this;
  }
  SheetBuilder& protect(bool withPassword) {
    sheet().protection.isProtected = true;
    sheet().protection.hasPassword = withPassword;
    sheet().protection.passwordHash = withPassword ? 0xCC3D : 0;
    return *this;
  }
  Workbook build() const { return book_; }

 private:
  spreadsheet::Worksheet& sheet() { return book_.sheets[0]; }
  std::uint32_t formatIndex(const CellFormat& format) {
    for (std::size_t i = 0; i < book_.formats.size(); ++i)
      if (book_.formats[i] == format) return static_cast<std::uint32_t>(i);
    book_.formats.push_back(format);
    return static_cast<std::uint32_t>(book_.formats.size() - 1);
  }
  Workbook book_;
};

// A cell format with all four edges set in one colour.
inline CellFormat Boxed(std::int32_t colorIndex) {
  CellFormat format;
  for (std::int32_t index : {xl::kEdgeLeft, xl::kEdgeTop, xl::kEdgeBottom, xl::kEdgeRight})
    format.borders[spreadsheet::BorderSlot(index)] = {xl::kContinuous, xl::kThin, colorIndex};
  return format;
}

inline CellFormat WithBorder(CellFormat format, std::int32_t index, std::int32_t colorIndex,
                             std::int32_t style = xl::kContinuous) {
  format.borders[spreadsheet::BorderSlot(index)] = {style, xl::kThin, colorIndex};
  return format;
}

inline std::string Num(double value) {
  char buffer[32];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

inline std::string Pt(const Point3& p) {
  return "(" + Num(p.x) + ", " + Num(p.y) + (p.z != 0 ? ", " + Num(p.z) : "") + ")";
}

// One entity of a block, as the drawing's object model reports it:
//   LINE (0, 0) -> (48, 0) color 256
//   MTEXT ap 1 at (1.95, -2.34) height 6.5 width 0 color 256 "text"
inline std::string DescribeEntity(const Dispatch& entity) {
  std::string type = entity.get("objectname").toString();
  std::string color = " color " + std::to_string(entity.get("color").toInt32());
  if (type == "AcDbLine")
    return "LINE " + Pt(automation::ToPoint(entity.get("startpoint").value())) + " -> " +
           Pt(automation::ToPoint(entity.get("endpoint").value())) + color;
  if (type == "AcDbMText")
    return "MTEXT ap " + std::to_string(entity.get("AttachmentPoint").toInt32()) + " at " +
           Pt(automation::ToPoint(entity.get("insertionpoint").value())) + " height " +
           Num(entity.get("height").toDouble()) + " width " + Num(entity.get("width").toDouble()) +
           color + " \"" + entity.get("textstring").toString() + "\"";
  return type;
}

class ExportTest : public ::testing::Test {
 protected:
  ExportTest() : scopedUi_(ui), scopedRegistry_(registry) {}
  ~ExportTest() override { EXPECT_EQ(frmProgress, nullptr) << "progress window left behind"; }

  // Writes the three export settings as the options dialog saves them.
  void useSettings(bool colorByLayer, double outputScale, bool fontByLayer) {
    auto path = host::kSettingsKey;
    registry->Set(path, host::kColorMappingValue,
                  platform::RegistryValue::Dword(colorByLayer ? 1 : 0));
    std::vector<std::uint8_t> bytes(8);
    std::memcpy(bytes.data(), &outputScale, 8);
    registry->Set(path, host::kOutputScaleValue, platform::RegistryValue::Binary(bytes));
    registry->Set(path, host::kFontValue, platform::RegistryValue::Dword(fontByLayer ? 1 : 0));
  }
  // Colours and fonts from the workbook, scale 2.5.
  void useWorkbookFormats() { useSettings(false, 2.5, false); }

  // The drawing host as running: `acad` (a new drawing unless a test made one)
  // registered for the export to find.
  void startDrawingHost() {
    if (hostRunning_) return;
    if (!acad) acad = drawing::MakeApplication();
    acadRegistration_ = automation::RegisterActiveObject(
        kDrawingProgId, testing::RecordingObject::Wrap(acad, "acad", log));
    hostRunning_ = true;
  }

  // A fresh drawing in a newly started drawing host.
  void newDrawing() {
    acadRegistration_.reset();
    hostRunning_ = false;
    acad = drawing::MakeApplication();
    startDrawingHost();
  }

  // Runs ExportSheetToDrawing on a spreadsheet holding `book`; the drawing host
  // is started first unless noDrawingHost is set.
  void exportSheet(const Workbook& book, Point3 at = {}) {
    if (!noDrawingHost) startDrawingHost();
    excel = std::make_shared<spreadsheet::Application>(book);
    ExportSheetToDrawing(testing::RecordingObject::Wrap(excel, "excel", log), at.x, at.y, at.z);
  }

  // Runs ImportXls with the file dialog answering `file`; every spreadsheet made
  // by "Excel.Application" opens `book` whatever the path.
  void importXls(const Workbook& book, std::optional<std::string> file, Point3 at = {}) {
    if (!noDrawingHost) startDrawingHost();
    ui->QueueFileDialogAnswer(std::move(file));
    auto registration = automation::RegisterFactory(kSpreadsheetProgId, [this, book] {
      ++instancesMade;
      excel = std::make_shared<spreadsheet::Application>([this, book](const std::string& path) {
        openedPath = path;
        return book;
      });
      return ObjectPtr(testing::RecordingObject::Wrap(excel, "excel", log));
    });
    ImportXls(at.x, at.y, at.z);
  }

  Dispatch document() const { return Dispatch(ObjectPtr(acad)).get("activedocument"); }
  Dispatch block(const std::string& name = "TabuloBk001") const {
    Variant key(name);
    std::vector<Variant> args{Variant::RefTo(key)};
    return document().get("blocks").invoke("item", args);
  }
  std::vector<std::string> blockEntities(const std::string& name = "TabuloBk001") const {
    Dispatch definition = block(name);
    std::vector<std::string> lines;
    std::int32_t count = definition.get("count").toInt32();
    for (std::int32_t i = 0; i < count; ++i)
      lines.push_back(DescribeEntity(definition.get("item", i)));
    return lines;
  }
  std::vector<std::string> blockNames() const {
    Dispatch blocks = document().get("blocks");
    std::vector<std::string> names;
    std::int32_t count = blocks.get("count").toInt32();
    for (std::int32_t i = 0; i < count; ++i)
      names.push_back(blocks.get("item", i).get("name").toString());
    return names;
  }
  std::int32_t modelSpaceCount() const {
    return document().get("modelspace").get("count").toInt32();
  }
  // The last entity of model space (the table reference after an export).
  Dispatch lastReference() const {
    Dispatch modelSpace = document().get("modelspace");
    return modelSpace.get("item", modelSpace.get("count").toInt32() - 1);
  }
  // The table data of `reference` under "Tabulo": codes and values; empty when
  // it has none.
  struct XData {
    std::vector<std::int32_t> codes;
    std::vector<Variant> values;
  };
  XData tableData(const Dispatch& reference) const {
    Variant codes, values;
    std::vector<Variant> args{Variant("Tabulo"), Variant::RefTo(codes), Variant::RefTo(values)};
    reference.invoke("getxdata", args);
    XData data;
    if (codes.isEmpty()) return data;
    for (const Variant& code : codes.toArray().items) data.codes.push_back(code.toInt32());
    data.values = values.toArray().items;
    return data;
  }

  std::shared_ptr<platform::RecordingUi> ui = std::make_shared<platform::RecordingUi>();
  std::shared_ptr<platform::MemoryRegistry> registry = std::make_shared<platform::MemoryRegistry>();
  std::shared_ptr<testing::CallLog> log = std::make_shared<testing::CallLog>();
  std::shared_ptr<drawing::Application> acad;
  std::shared_ptr<spreadsheet::Application> excel;
  int instancesMade = 0;
  std::string openedPath;  // the file the spreadsheet was asked to open
  bool noDrawingHost = false;

 private:
  bool hostRunning_ = false;

  platform::ScopedUi scopedUi_;
  platform::ScopedRegistry scopedRegistry_;
  automation::Registration acadRegistration_;
};

}  // namespace tabulo::exporting::test
