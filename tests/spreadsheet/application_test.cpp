// The stand-in application: workbooks, the active sheet, settings, protection.
#include "spreadsheet/application.h"

#include <gtest/gtest.h>

#include "automation/dispatch.h"
#include "automation/error.h"
#include "spreadsheet/sheet_password.h"
#include "support/recording_object.h"

namespace tabulo::spreadsheet {
namespace {

using automation::Dispatch;
using automation::Error;
using automation::Variant;

// A reader that makes a one-sheet workbook named after the file, or fails.
Workbook FakeRead(const std::string& path) {
  if (path.find("missing") != std::string::npos)
    throw FileError("\"" + path + "\" cannot be read: no such file.");
  Workbook book = NewWorkbook();
  book.sheets[0].name = "From " + path;
  book.sheets[0].cells[{1, 1}] = Cell{std::string("hello"), 0, false};
  return book;
}

TEST(SpreadsheetApplicationTest, AddFromAFileMakesTheActiveWorkbook) {
  auto app = std::make_shared<Application>(FakeRead);
  Dispatch excel(app);
  EXPECT_FALSE(app->hasActiveWorkbook());
  std::string path = "C:\\tables\\Report.xls";
  Variant file(path);
  std::vector<Variant> args{Variant::RefTo(file)};  // by reference, as the export passes it
  excel.get("workbooks").invoke("add", args);
  EXPECT_EQ(excel.get("activesheet").get("name").toString(), "From C:\\tables\\Report.xls");
  EXPECT_EQ(excel.get("activeworkbook").get("name").toString(), "Report1");
  EXPECT_EQ(excel.get("ActiveSheet").get("cells", 1, 1).get("text").toString(), "hello");
  EXPECT_EQ(app->activeWorkbook().sheets[0].cells.size(), 1u);

  excel.get("Workbooks").call("Add");
  EXPECT_EQ(excel.get("activeworkbook").get("name").toString(), "Book1");
  EXPECT_EQ(excel.get("activesheet").get("name").toString(), "Sheet1");
  EXPECT_EQ(excel.get("workbooks").get("count").toInt32(), 2);
  EXPECT_EQ(excel.get("workbooks", 1).get("name").toString(), "Report1");
  EXPECT_EQ(excel.get("workbooks")
                .call("item", "BOOK1")
                .get("worksheets", "sheet1")
                .get("name")
                .toString(),
            "Sheet1");
}

TEST(SpreadsheetApplicationTest, AFileThatCannotBeReadFailsWithTheReadersText) {
  auto app = std::make_shared<Application>(FakeRead);
  try {
    Dispatch(app).get("workbooks").call("add", "/data/missing.xls");
    FAIL() << "add should fail";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "\"/data/missing.xls\" cannot be read: no such file.");
  }
  EXPECT_FALSE(app->hasActiveWorkbook());
  // With no workbook there is no active sheet: using it fails.
  EXPECT_THROW(Dispatch(app).get("activesheet").get("name"), Error);
  EXPECT_THROW(app->activeWorkbook(), std::logic_error);
  EXPECT_THROW(Dispatch(std::make_shared<Application>()).get("workbooks").call("add", "x.xls"),
               Error);
}

TEST(SpreadsheetApplicationTest, SettingsTheEngineWritesAreObservable) {
  auto app = std::make_shared<Application>(NewWorkbook());
  Dispatch excel(app);
  EXPECT_FALSE(app->visible());
  EXPECT_TRUE(app->displayAlerts());
  excel.put("DisplayAlerts", false);
  excel.put("Visible", true);
  excel.call("quit");
  excel.call("Quit");
  EXPECT_FALSE(app->displayAlerts());
  EXPECT_FALSE(excel.get("displayalerts").toBool());
  EXPECT_TRUE(app->visible());
  EXPECT_EQ(app->quitCount(), 2);
  // Quitting leaves the workbook to the host program.
  EXPECT_EQ(excel.get("activesheet").get("name").toString(), "Sheet1");
}

struct SheetProtectionTest : ::testing::Test {
  Workbook book = NewWorkbook();
  Dispatch sheet() {
    app = std::make_shared<Application>(book);
    return Dispatch(app).get("activesheet");
  }
  std::shared_ptr<Application> app;
};

TEST_F(SheetProtectionTest, PasswordProtectedSheetRefusesUnprotectWithoutIt) {
  book.sheets[0].protection = Protection{true, true, LegacyPasswordHash("secret")};
  Dispatch ws = sheet();
  Variant missing = Variant::Missing();
  std::vector<Variant> args{Variant::RefTo(missing)};
  try {
    ws.invoke("Unprotect", args);
    FAIL() << "unprotect without the password should fail";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()).rfind("The password you supplied is not correct.", 0), 0u);
  }
  EXPECT_THROW(ws.call("Unprotect", "Secret"), Error);
  EXPECT_THROW(ws.get("cells", 1, 1).put("value", "x"), Error);  // still protected
  ws.call("unprotect", "secret");
  EXPECT_FALSE(ws.get("ProtectContents").toBool());
  EXPECT_NO_THROW(ws.get("cells", 1, 1).put("value", "x"));
}

TEST_F(SheetProtectionTest, SheetProtectedWithoutPasswordUnprotects) {
  book.sheets[0].protection = Protection{true, false, 0};
  Dispatch ws = sheet();
  EXPECT_THROW(ws.get("rows", 1).put("rowheight", 20.0), Error);
  Variant missing = Variant::Missing();
  std::vector<Variant> args{Variant::RefTo(missing)};
  ws.invoke("Unprotect", args);
  ws.get("rows", 1).put("rowheight", 20.0);
  EXPECT_EQ(app->activeWorkbook().sheets[0].rowHeights.at(1), 20.0);
  // An unprotected sheet unprotects again without complaint.
  EXPECT_NO_THROW(ws.call("Unprotect"));
}

TEST(SheetPasswordTest, HashesAsWorkbookFilesStoreThem) {
  // Values from an independent implementation (openpyxl's hash_password).
  EXPECT_EQ(LegacyPasswordHash("password"), 0x83AF);
  EXPECT_EQ(LegacyPasswordHash("abc"), 0xCC1A);
  EXPECT_EQ(LegacyPasswordHash("Tabulo2024"), 0xC06C);
}

TEST(SpreadsheetApplicationTest, RecordedSessionReadsClearly) {
  auto app = std::make_shared<Application>(NewWorkbook());
  auto excel = tabulo::testing::RecordingObject::Wrap(app, "excel");
  Dispatch used = Dispatch(excel).get("activesheet").get("usedrange");
  const std::int32_t count = used.get("rows").get("count").toInt32();
  EXPECT_EQ(used.get("rows", count).get("row").toInt32(), 1);
  EXPECT_EQ(excel->log()->lines(),
            (std::vector<std::string>{
                "get excel.activesheet -> <excel.activesheet>",
                "get excel.activesheet.usedrange -> <excel.activesheet.usedrange>",
                "get excel.activesheet.usedrange.rows -> <excel.activesheet.usedrange.rows>",
                "get excel.activesheet.usedrange.rows.count -> 1",
                "get excel.activesheet.usedrange.rows(1) -> <excel.activesheet.usedrange.rows(1)>",
                "get excel.activesheet.usedrange.rows(1).row -> 1",
            }))
      << excel->log()->dump();
}

}  // namespace
}  // namespace tabulo::spreadsheet
