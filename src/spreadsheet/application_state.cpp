#include "spreadsheet/application_state.h"

#include <algorithm>
#include <exception>

#include "automation/error.h"

namespace tabulo::spreadsheet {
namespace {

// The file name of a path written with / or \ separators.
std::string FileName(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string Stem(const std::string& path) {
  std::string name = FileName(path);
  const std::size_t dot = name.rfind('.');
  return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

}  // namespace

Workbook NewWorkbook() {
  Workbook workbook;
  workbook.sheets.push_back(Worksheet{});
  workbook.sheets.back().name = "Sheet1";
  return workbook;
}

DocumentPtr ApplicationState::open(Workbook workbook, std::string name) {
  auto document = std::make_shared<WorkbookDocument>(std::move(workbook), std::move(name));
  workbooks.push_back(document);
  active = document;
  return document;
}

Workbook ApplicationState::read(const std::string& path) {
  if (!reader)
    throw automation::Error("Cannot open \"" + path +
                            "\": this spreadsheet application has no workbook reader.");
  try {
    Workbook workbook = reader(path);
    if (workbook.sheets.empty()) throw automation::Error("\"" + path + "\" holds no worksheet.");
    if (workbook.activeSheet >= workbook.sheets.size()) workbook.activeSheet = 0;
    return workbook;
  } catch (const automation::Error&) {
    throw;
  } catch (const std::exception& e) {
    throw automation::Error(e.what());
  }
}

DocumentPtr ApplicationState::add(const std::string* path) {
  std::string base = "Book";
  Workbook workbook = NewWorkbook();
  if (path) {
    workbook = read(*path);
    base = Stem(*path);
  }
  return open(std::move(workbook), nextName(base));
}

DocumentPtr ApplicationState::openFile(const std::string& path) {
  Workbook workbook = read(path);
  return open(std::move(workbook), FileName(path));
}

std::string ApplicationState::nextName(const std::string& base) {
  return base + std::to_string(++numbers_[base]);
}

void ApplicationState::close(const DocumentPtr& document) {
  std::erase(workbooks, document);
  if (active == document) active = workbooks.empty() ? nullptr : workbooks.back();
}

}  // namespace tabulo::spreadsheet
