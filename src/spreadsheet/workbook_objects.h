#pragma once
// The application's workbooks, one workbook and its sheets, as the object model's
// Workbooks, Workbook and Sheets.
#include <memory>

#include "automation/object.h"
#include "spreadsheet/application_state.h"

namespace tabulo::spreadsheet {

// Workbooks: count, item(index from 1 or name) / _Default, add([file]) (a new
// workbook, made from the file as its template when one is given, becomes the
// active workbook), open(file).
class WorkbooksObject : public automation::Object {
 public:
  explicit WorkbooksObject(std::shared_ptr<ApplicationState> app) : app_(std::move(app)) {}
  automation::Variant invoke(std::string_view member, automation::CallKind kind,
                             std::vector<automation::Variant>& args) override;
  ApplicationState& app() const { return *app_; }
  const std::shared_ptr<ApplicationState>& state() const { return app_; }

 private:
  std::shared_ptr<ApplicationState> app_;
};

// Workbook: name, worksheets / sheets, activesheet, Activate, close.
class WorkbookObject : public automation::Object {
 public:
  WorkbookObject(std::shared_ptr<ApplicationState> app, DocumentPtr document)
      : app_(std::move(app)), document_(std::move(document)) {}
  automation::Variant invoke(std::string_view member, automation::CallKind kind,
                             std::vector<automation::Variant>& args) override;
  ApplicationState& app() const { return *app_; }
  const DocumentPtr& document() const { return document_; }

 private:
  std::shared_ptr<ApplicationState> app_;
  DocumentPtr document_;
};

// Sheets / Worksheets: count, item(index from 1 or name, any case) / _Default.
class SheetsObject : public automation::Object {
 public:
  explicit SheetsObject(DocumentPtr document) : document_(std::move(document)) {}
  automation::Variant invoke(std::string_view member, automation::CallKind kind,
                             std::vector<automation::Variant>& args) override;
  const DocumentPtr& document() const { return document_; }

 private:
  DocumentPtr document_;
};

// The active sheet of a workbook as a Worksheet object; Nothing when it has none.
automation::ObjectPtr ActiveSheetOf(const DocumentPtr& document);

}  // namespace tabulo::spreadsheet
