#include "platform/ui_recording.h"

#include <utility>

namespace tabulo::platform {
namespace {

class RecordingProgress : public ProgressView {
 public:
  explicit RecordingProgress(std::shared_ptr<std::vector<std::string>> log)
      : log_(std::move(log)) {}
  ~RecordingProgress() override { log_->push_back("Progress: destroy"); }
  void Show() override { log_->push_back("Progress: show"); }
  void SetPosition(int position) override {
    log_->push_back("Progress: position " + std::to_string(position));
  }

 private:
  std::shared_ptr<std::vector<std::string>> log_;
};

std::string Join(std::string_view a, std::string_view b) {
  std::string text(a);
  text += b;
  return text;
}

}  // namespace

RecordingUi::RecordingUi() : log_(std::make_shared<std::vector<std::string>>()) {}

std::vector<std::string> RecordingUi::EntriesStartingWith(std::string_view prefix) const {
  std::vector<std::string> found;
  for (const std::string& entry : *log_)
    if (entry.starts_with(prefix)) found.push_back(entry);
  return found;
}

void RecordingUi::QueueFileDialogAnswer(std::optional<std::string> path) {
  fileAnswers_.push_back(std::move(path));
}

void RecordingUi::QueueModal(ModalScript script) {
  modalScripts_.push_back(std::move(script));
}

void RecordingUi::ErrorBox(std::string_view text) {
  Record(Join("ErrorBox: ", text));
}

void RecordingUi::MessageBox(std::string_view text) {
  Record(Join("MessageBox: ", text));
}

std::optional<std::string> RecordingUi::OpenFileDialog(std::string_view filter) {
  Record(Join("OpenFileDialog: ", filter));
  if (fileAnswers_.empty()) return std::nullopt;
  auto answer = std::move(fileAnswers_.front());
  fileAnswers_.pop_front();
  return answer;
}

std::unique_ptr<ProgressView> RecordingUi::CreateProgressWindow(std::string_view caption) {
  Record(Join("Progress: create ", caption));
  return std::make_unique<RecordingProgress>(log_);
}

void RecordingUi::ProcessMessages() {
  Record("ProcessMessages");
}

ModalResult RecordingUi::ShowModal(ModalForm& form) {
  const std::string name(form.FormName());
  Record("ShowModal: " + name);
  ModalScript script;
  if (!modalScripts_.empty()) {
    script = std::move(modalScripts_.front());
    modalScripts_.pop_front();
  }
  ModalDriver driver(form);
  driver.Show();
  if (script) script(driver);
  if (!driver.closed() && !driver.Close(ModalResult::Cancel))
    form.modalResult = ModalResult::Cancel;
  Record("CloseModal: " + name + " " + std::string(ModalResultName(form.modalResult)));
  return form.modalResult;
}

void RecordingUi::ShellOpen(std::string_view verb, std::string_view file) {
  Record(Join(Join("ShellOpen: ", verb), Join(" ", file)));
}

void RecordingUi::HtmlHelp(std::string_view file, std::string_view topic) {
  Record(Join(Join("HtmlHelp: ", file), Join(" ", topic)));
}

}  // namespace tabulo::platform
