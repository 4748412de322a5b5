#pragma once
// Builds workbooks in code and opens them in the stand-in spreadsheet application.
#include <gtest/gtest.h>

#include <memory>

#include "automation/dispatch.h"
#include "spreadsheet/application.h"
#include "spreadsheet/workbook.h"

namespace tabulo::spreadsheet {

class ObjectModelTest : public ::testing::Test {
 protected:
  // The workbook the test builds before open(): one sheet "Sheet1".
  Workbook book = NewWorkbook();
  std::shared_ptr<Application> app;
  automation::Dispatch sheet;

  Worksheet& model() { return book.sheets[0]; }

  // Puts a value (and a format, when given) into the model before open().
  void set(std::int32_t row, std::int32_t column, CellValue value,
           const CellFormat* format = nullptr) {
    Cell cell{std::move(value), 0, false};
    if (format) {
      cell.format = static_cast<std::uint32_t>(book.formats.size());
      book.formats.push_back(*format);
    }
    model().cells[{row, column}] = cell;
  }

  void open() {
    app = std::make_shared<Application>(book);
    sheet = automation::Dispatch(app).get("activesheet");
  }

  // The model as the application holds it after open().
  Workbook& live() { return app->activeWorkbook(); }
  Worksheet& liveSheet() { return live().sheets[0]; }

  automation::Dispatch cell(std::int32_t row, std::int32_t column) {
    return sheet.get("cells").call("item", row, column);
  }
};

}  // namespace tabulo::spreadsheet
