#pragma once
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/modal_driver.h"
#include "platform/ui.h"

namespace tabulo::platform {

// The UI backend of the tabulo command: message boxes become lines on stderr with
// their exact texts, the progress window a bar on stderr when it is a terminal,
// the file dialog is answered by the command line, and modal dialogs are driven
// by the command's own view.
class ConsoleUi : public Ui {
 public:
  explicit ConsoleUi(std::FILE* out = stderr);

  // The file the next file-open dialog answers with (none: cancelled).
  void SetFileDialogAnswer(std::optional<std::string> path) { fileAnswer_ = std::move(path); }
  // Scale of drawing the bar: forced on or off (default: only when `out` is a terminal).
  void SetProgressBarEnabled(bool enabled) { barEnabled_ = enabled; }
  // The script the next ShowModal runs on the shown form (it sets controls and
  // closes it); a form still open afterwards closes as Cancel, as without a script.
  void SetModalScript(std::function<void(ModalDriver&)> script) {
    modalScript_ = std::move(script);
  }
  void SetDecimalSeparator(char separator) { separator_ = separator; }

  // How many error boxes were shown (the command exits 1 when any was).
  int errorCount() const { return static_cast<int>(errorTexts_.size()); }
  // The error boxes' texts, in the order they were shown.
  const std::vector<std::string>& errorTexts() const { return errorTexts_; }
  int messageCount() const { return messages_; }

  void ErrorBox(std::string_view text) override;
  void MessageBox(std::string_view text) override;
  std::optional<std::string> OpenFileDialog(std::string_view filter) override;
  std::unique_ptr<ProgressView> CreateProgressWindow(std::string_view caption) override;
  void ProcessMessages() override {}
  ModalResult ShowModal(ModalForm& form) override;
  void ShellOpen(std::string_view verb, std::string_view file) override;
  void HtmlHelp(std::string_view file, std::string_view topic) override;
  char DecimalSeparator() const override { return separator_; }

 private:
  std::FILE* out_;
  std::optional<std::string> fileAnswer_;
  std::function<void(ModalDriver&)> modalScript_;
  bool barEnabled_;
  char separator_ = '.';
  std::vector<std::string> errorTexts_;
  int messages_ = 0;
};

}  // namespace tabulo::platform
