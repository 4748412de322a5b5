#pragma once
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace tabulo::platform {

// How a modal dialog ended (the form's ModalResult).
enum class ModalResult { None, Ok, Cancel };

// Toolkit-independent form logic that a UI backend shows modally (TfrmOptions,
// TfrmAbout). The backend's view calls these handlers; the form keeps the state of
// its controls.
class ModalForm {
 public:
  virtual ~ModalForm() = default;
  virtual std::string_view FormName() const = 0;
  // The dialog is being shown: load the controls.
  virtual void FormShow() {}
  // The dialog is closing with `result`; return false to keep it open.
  virtual bool FormClose(ModalResult result) {
    (void)result;
    return true;
  }
  // A key went down anywhere in the dialog (key preview). May set ModalResult.
  virtual void FormKeyDown(int& virtualKey) { (void)virtualKey; }

  ModalResult modalResult = ModalResult::None;
};

// The progress window's view: a stay-on-top bar 0..100. Destroying it closes the window.
class ProgressView {
 public:
  virtual ~ProgressView() = default;
  virtual void Show() = 0;
  virtual void SetPosition(int position) = 0;
};

// Everything the engine shows or asks of the user.
class Ui {
 public:
  virtual ~Ui() = default;
  // Error message box: error icon, one OK button.
  virtual void ErrorBox(std::string_view text) = 0;
  // Plain message box: the text and an OK button.
  virtual void MessageBox(std::string_view text) = 0;
  // File-open dialog with a filter such as "Excel files(*.xls)|*.xls"; empty when cancelled.
  virtual std::optional<std::string> OpenFileDialog(std::string_view filter) = 0;
  // A new progress window (not yet shown) with its caption.
  virtual std::unique_ptr<ProgressView> CreateProgressWindow(std::string_view caption) = 0;
  // Lets the calling thread's pending window messages be processed once.
  virtual void ProcessMessages() = 0;
  // Shows the form modally until it closes; returns its result.
  virtual ModalResult ShowModal(ModalForm& form) = 0;
  // The shell's open verb on a file (ShellExecute); the result is not examined.
  virtual void ShellOpen(std::string_view verb, std::string_view file) = 0;
  // HTML Help: display `topic` of the compiled help `file` (HH_DISPLAY_TOPIC).
  virtual void HtmlHelp(std::string_view file, std::string_view topic) = 0;
  // The decimal separator of the user's regional settings.
  virtual char DecimalSeparator() const = 0;
};

// The process's UI backend. The host program installs one; until then a silent
// backend answers (no dialogs, cancelled file dialog, '.' separator).
Ui& CurrentUi();
// Installs `ui` for the process (nullptr restores the silent backend); returns the
// previous one's ownership to the caller.
std::shared_ptr<Ui> SetCurrentUi(std::shared_ptr<Ui> ui);

// Installs `ui` for one scope and puts the previous backend back when it ends.
class ScopedUi {
 public:
  explicit ScopedUi(std::shared_ptr<Ui> ui) : previous_(SetCurrentUi(std::move(ui))) {}
  ~ScopedUi() { SetCurrentUi(std::move(previous_)); }
  ScopedUi(const ScopedUi&) = delete;
  ScopedUi& operator=(const ScopedUi&) = delete;

 private:
  std::shared_ptr<Ui> previous_;
};

}  // namespace tabulo::platform
