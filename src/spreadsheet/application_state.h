#pragma once
// What the stand-in spreadsheet application holds, shared by the Application and
// the collections reached from it.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "spreadsheet/workbook_document.h"

namespace tabulo::spreadsheet {

// Reads a workbook file into the data model; throws (FileError) when it cannot.
using WorkbookReader = std::function<Workbook(const std::string& path)>;

// A new workbook as the application makes one: a single empty sheet "Sheet1".
Workbook NewWorkbook();

struct ApplicationState {
  WorkbookReader reader;
  std::vector<DocumentPtr> workbooks;  // open workbooks, in the order they were opened
  DocumentPtr active;                  // the active workbook; null when none is open
  bool visible = false;
  bool displayAlerts = true;
  bool screenUpdating = true;
  int quitCount = 0;

  // Opens `workbook` under `name` and makes it active.
  DocumentPtr open(Workbook workbook, std::string name);
  // A new workbook: empty, or made from the file at `path` when it is given, named
  // as the application names new workbooks ("Book1", "Report1").
  DocumentPtr add(const std::string* path);
  // Opens the file at `path` itself, named after the file.
  DocumentPtr openFile(const std::string& path);
  void close(const DocumentPtr& document);
  // The next name for a new workbook on `base`: "Book1", "Book2", ...
  std::string nextName(const std::string& base);

 private:
  Workbook read(const std::string& path);
  std::map<std::string, int> numbers_;  // last number given per base name
};

}  // namespace tabulo::spreadsheet
