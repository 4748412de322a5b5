#include "spreadsheet/application.h"

#include <stdexcept>

#include "automation/error.h"
#include "spreadsheet/member_args.h"
#include "spreadsheet/workbook_objects.h"

namespace tabulo::spreadsheet {

using automation::CallKind;
using automation::MemberTable;
using automation::ObjectPtr;
using automation::Variant;

namespace {

// A read-write Boolean setting of the application.
auto Setting(std::string_view name, bool ApplicationState::*field) {
  return [name, field](Application& self, CallKind kind, std::vector<Variant>& args) -> Variant {
    if (kind == CallKind::Get) return Variant((*self.state()).*field);
    (*self.state()).*field = automation::PutValue(name, args).toBool();
    return Variant();
  };
}

const MemberTable<Application>& Members() {
  static const MemberTable<Application> table = [] {
    MemberTable<Application> t;
    using Args = std::vector<Variant>;
    t.add("workbooks", [](Application& self, CallKind kind, Args& args) -> Variant {
      RefusePut("Workbooks", kind);
      WorkbooksObject workbooks(self.state());
      if (Given(args, 0)) return workbooks.invoke("item", kind, args);
      return Variant(ObjectPtr(std::make_shared<WorkbooksObject>(self.state())));
    });
    t.add("activeworkbook", [](Application& self, CallKind kind, Args&) {
      RefusePut("ActiveWorkbook", kind);
      const DocumentPtr& active = self.state()->active;
      if (!active) return Variant(ObjectPtr());
      return Variant(ObjectPtr(std::make_shared<WorkbookObject>(self.state(), active)));
    });
    t.add("activesheet", [](Application& self, CallKind kind, Args&) {
      RefusePut("ActiveSheet", kind);
      return Variant(ActiveSheetOf(self.state()->active));
    });
    auto sheets = [](Application& self, CallKind kind, Args& args) -> Variant {
      RefusePut("Worksheets", kind);
      if (!self.state()->active)
        throw automation::Error("Worksheets: no workbook is open in the spreadsheet.");
      WorkbookObject workbook(self.state(), self.state()->active);
      return workbook.invoke("worksheets", kind, args);
    };
    t.add("worksheets", sheets);
    t.add("sheets", sheets);
    t.add("DisplayAlerts", Setting("DisplayAlerts", &ApplicationState::displayAlerts));
    t.add("visible", Setting("Visible", &ApplicationState::visible));
    t.add("ScreenUpdating", Setting("ScreenUpdating", &ApplicationState::screenUpdating));
    t.add("quit", [](Application& self, CallKind, Args&) {
      ++self.state()->quitCount;
      return Variant();
    });
    t.add("name", [](Application&, CallKind kind, Args&) {
      RefusePut("Name", kind);
      return Variant("Microsoft Excel");
    });
    return t;
  }();
  return table;
}

}  // namespace

Application::Application(WorkbookReader reader) : state_(std::make_shared<ApplicationState>()) {
  state_->reader = std::move(reader);
}

Application::Application(Workbook workbook, WorkbookReader reader)
    : Application(std::move(reader)) {
  addWorkbook(std::move(workbook));
}

Workbook& Application::addWorkbook(Workbook workbook, std::string name) {
  if (name.empty()) name = state_->nextName("Book");
  return state_->open(std::move(workbook), std::move(name))->model;
}

Workbook& Application::activeWorkbook() {
  if (!state_->active) throw std::logic_error("the spreadsheet application has no open workbook");
  state_->active->touch();  // the caller may change the model through the reference
  return state_->active->model;
}

Variant Application::invoke(std::string_view member, CallKind kind, std::vector<Variant>& args) {
  return Members().invoke(*this, "Application", member, kind, args);
}

}  // namespace tabulo::spreadsheet
