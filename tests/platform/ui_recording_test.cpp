#include "platform/ui_recording.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/ui_silent.h"

namespace tabulo::platform {
namespace {

using ::testing::ElementsAre;

// A form whose FormClose refuses OK a given number of times, recording handlers.
class ProbeForm : public ModalForm {
 public:
  std::string_view FormName() const override { return "Probe"; }
  void FormShow() override { calls.push_back("FormShow"); }
  bool FormClose(ModalResult result) override {
    calls.push_back("FormClose " + std::string(ModalResultName(result)));
    if (result == ModalResult::Ok && refuseOk > 0) {
      --refuseOk;
      return false;
    }
    return true;
  }
  void FormKeyDown(int& key) override {
    if (key == kVkEscape) modalResult = ModalResult::Cancel;
  }

  int refuseOk = 0;
  std::vector<std::string> calls;
};

TEST(RecordingUi, RecordsCallsInOrder) {
  RecordingUi ui;
  ui.ErrorBox("Error occured when exporting to AutoCAD.");
  ui.MessageBox("hello");
  {
    auto bar = ui.CreateProgressWindow("Exporting");
    bar->Show();
    bar->SetPosition(12);
    ui.ProcessMessages();
  }
  ui.ShellOpen("open", "C:\\x\\Tabulo.chm");
  ui.HtmlHelp("C:\\x\\Tabulo.chm", "options.htm");
  EXPECT_THAT(
      ui.entries(),
      ElementsAre("ErrorBox: Error occured when exporting to AutoCAD.", "MessageBox: hello",
                  "Progress: create Exporting", "Progress: show", "Progress: position 12",
                  "ProcessMessages", "Progress: destroy", "ShellOpen: open C:\\x\\Tabulo.chm",
                  "HtmlHelp: C:\\x\\Tabulo.chm options.htm"));
  EXPECT_THAT(ui.EntriesStartingWith("Progress: p"), ElementsAre("Progress: position 12"));
}

TEST(RecordingUi, FileDialogAnswersFromQueueThenCancels) {
  RecordingUi ui;
  ui.QueueFileDialogAnswer("/tmp/a.xls");
  ui.QueueFileDialogAnswer(std::nullopt);
  EXPECT_EQ(ui.OpenFileDialog("Excel files(*.xls)|*.xls"), "/tmp/a.xls");
  EXPECT_EQ(ui.OpenFileDialog("x"), std::nullopt);
  EXPECT_EQ(ui.OpenFileDialog("x"), std::nullopt);
  EXPECT_EQ(ui.entries().front(), "OpenFileDialog: Excel files(*.xls)|*.xls");
}

TEST(RecordingUi, ModalWithoutScriptClosesAsCancel) {
  RecordingUi ui;
  ProbeForm form;
  EXPECT_EQ(ui.ShowModal(form), ModalResult::Cancel);
  EXPECT_THAT(form.calls, ElementsAre("FormShow", "FormClose Cancel"));
  EXPECT_THAT(ui.entries(), ElementsAre("ShowModal: Probe", "CloseModal: Probe Cancel"));
}

TEST(RecordingUi, RefusedCloseKeepsFormOpenUntilScriptClosesAgain) {
  RecordingUi ui;
  ProbeForm form;
  form.refuseOk = 1;
  ui.QueueModal([](ModalDriver& d) {
    EXPECT_FALSE(d.Close(ModalResult::Ok));
    EXPECT_FALSE(d.closed());
    EXPECT_EQ(d.form().modalResult, ModalResult::None);
    EXPECT_TRUE(d.Close(ModalResult::Ok));
  });
  EXPECT_EQ(ui.ShowModal(form), ModalResult::Ok);
  EXPECT_THAT(form.calls, ElementsAre("FormShow", "FormClose Ok", "FormClose Ok"));
  EXPECT_EQ(ui.entries().back(), "CloseModal: Probe Ok");
  EXPECT_EQ(ui.pendingModalScripts(), 0u);
}

TEST(RecordingUi, EscThroughKeyPreviewCloses) {
  RecordingUi ui;
  ProbeForm form;
  ui.QueueModal([](ModalDriver& d) {
    EXPECT_FALSE(d.PressKey('A'));
    EXPECT_TRUE(d.PressKey(kVkEscape));
    EXPECT_EQ(d.result(), ModalResult::Cancel);
  });
  EXPECT_EQ(ui.ShowModal(form), ModalResult::Cancel);
  EXPECT_THAT(form.calls, ElementsAre("FormShow", "FormClose Cancel"));
}

TEST(RecordingUi, DecimalSeparatorIsSettable) {
  RecordingUi ui;
  EXPECT_EQ(ui.DecimalSeparator(), '.');
  ui.SetDecimalSeparator(',');
  EXPECT_EQ(ui.DecimalSeparator(), ',');
}

TEST(CurrentUi, SilentUntilInstalledAndRestoredByScope) {
  EXPECT_NE(dynamic_cast<SilentUi*>(&CurrentUi()), nullptr);
  ProbeForm form;
  EXPECT_EQ(CurrentUi().ShowModal(form), ModalResult::Cancel);
  EXPECT_TRUE(form.calls.empty());
  EXPECT_EQ(CurrentUi().OpenFileDialog("x"), std::nullopt);
  EXPECT_EQ(CurrentUi().DecimalSeparator(), '.');
  {
    auto recording = std::make_shared<RecordingUi>();
    ScopedUi scope(recording);
    CurrentUi().ErrorBox("x");
    EXPECT_THAT(recording->entries(), ElementsAre("ErrorBox: x"));
  }
  EXPECT_NE(dynamic_cast<SilentUi*>(&CurrentUi()), nullptr);
}

}  // namespace
}  // namespace tabulo::platform
