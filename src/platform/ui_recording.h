#pragma once
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/modal_driver.h"
#include "platform/ui.h"

namespace tabulo::platform {

// What a test makes the user do in a modal form: set controls, call handlers,
// close it (ModalDriver::Close returns false while FormClose keeps it open).
using ModalScript = std::function<void(ModalDriver&)>;

// UI backend for tests: records every call, in order, as one readable line each,
// and answers the file dialog and modal forms from queues.
//
// The log lines, exactly:
//   "ErrorBox: <text>"                 error message box
//   "MessageBox: <text>"               plain message box
//   "OpenFileDialog: <filter>"         file-open dialog (answered from the queue)
//   "Progress: create <caption>"       progress window created
//   "Progress: show"
//   "Progress: position <n>"           one line per SetPosition call
//   "Progress: destroy"                the window's view was destroyed
//   "ProcessMessages"
//   "ShowModal: <form name>"           a modal form is shown (FormShow follows)
//   "CloseModal: <form name> <Ok|Cancel>"  it closed with that result
//   "ShellOpen: <verb> <file>"
//   "HtmlHelp: <file> <topic>"
// Texts are logged as they were passed, line feeds included.
class RecordingUi : public Ui {
 public:
  RecordingUi();

  // Every call so far, oldest first.
  const std::vector<std::string>& entries() const { return *log_; }
  void Clear() { log_->clear(); }
  // Only the entries that start with `prefix` (for example "Progress: position").
  std::vector<std::string> EntriesStartingWith(std::string_view prefix) const;

  // The next file-open dialog answers with `path` (nullopt: cancelled). With an
  // empty queue the dialog is cancelled.
  void QueueFileDialogAnswer(std::optional<std::string> path);
  // The next ShowModal runs `script` after FormShow. When the script leaves the
  // form open, or the queue is empty, the form is closed as by its close box
  // (Cancel); a form that refuses even that is closed regardless.
  void QueueModal(ModalScript script);
  std::size_t pendingModalScripts() const { return modalScripts_.size(); }

  void SetDecimalSeparator(char separator) { separator_ = separator; }

  void ErrorBox(std::string_view text) override;
  void MessageBox(std::string_view text) override;
  std::optional<std::string> OpenFileDialog(std::string_view filter) override;
  std::unique_ptr<ProgressView> CreateProgressWindow(std::string_view caption) override;
  void ProcessMessages() override;
  ModalResult ShowModal(ModalForm& form) override;
  void ShellOpen(std::string_view verb, std::string_view file) override;
  void HtmlHelp(std::string_view file, std::string_view topic) override;
  char DecimalSeparator() const override { return separator_; }

 private:
  void Record(std::string entry) { log_->push_back(std::move(entry)); }

  // Shared with the progress views, which may outlive a call.
  std::shared_ptr<std::vector<std::string>> log_;
  std::deque<std::optional<std::string>> fileAnswers_;
  std::deque<ModalScript> modalScripts_;
  char separator_ = '.';
};

}  // namespace tabulo::platform
