#pragma once
// The stand-in spreadsheet application: answers the object model's members the
// engine uses, over workbooks held in memory.
#include <memory>
#include <string>

#include "automation/object.h"
#include "spreadsheet/application_state.h"

namespace tabulo::spreadsheet {

// Application members: workbooks / workbooks(i), activesheet, activeworkbook,
// worksheets / sheets (of the active workbook), DisplayAlerts, visible,
// ScreenUpdating (read, write), quit, name.
//
// An instance starts hidden, with alerts on and no workbook. quit records the
// request and leaves the workbooks in memory, so the host program can still save
// them; the application answers calls after it as before.
class Application : public automation::Object {
 public:
  // `reader` reads the files workbooks.add(file) and workbooks.open(file) name.
  explicit Application(WorkbookReader reader = {});
  // An application with `workbook` already open and active (named "Book1").
  explicit Application(Workbook workbook, WorkbookReader reader = {});

  automation::Variant invoke(std::string_view member, automation::CallKind kind,
                             std::vector<automation::Variant>& args) override;

  // Opens a workbook made in code and makes it active; returns its model.
  Workbook& addWorkbook(Workbook workbook, std::string name = "");
  bool hasActiveWorkbook() const { return state_->active != nullptr; }
  // The active workbook's model, to save or inspect; throws std::logic_error when
  // no workbook is open. Changes made through it are seen by the object model.
  Workbook& activeWorkbook();
  std::size_t workbookCount() const { return state_->workbooks.size(); }

  // State the engine sets, for the host program and tests.
  bool visible() const { return state_->visible; }
  bool displayAlerts() const { return state_->displayAlerts; }
  bool screenUpdating() const { return state_->screenUpdating; }
  bool quitCalled() const { return state_->quitCount > 0; }
  int quitCount() const { return state_->quitCount; }

  const std::shared_ptr<ApplicationState>& state() const { return state_; }

 private:
  std::shared_ptr<ApplicationState> state_;
};

}  // namespace tabulo::spreadsheet
