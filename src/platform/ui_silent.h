#pragma once
#include "platform/ui.h"

namespace tabulo::platform {

// The backend that answers until a host program installs its own: shows nothing,
// cancels the file dialog and every modal form (without showing it), '.' as the
// decimal separator.
class SilentUi : public Ui {
 public:
  void ErrorBox(std::string_view) override {}
  void MessageBox(std::string_view) override {}
  std::optional<std::string> OpenFileDialog(std::string_view) override { return std::nullopt; }
  std::unique_ptr<ProgressView> CreateProgressWindow(std::string_view caption) override;
  void ProcessMessages() override {}
  ModalResult ShowModal(ModalForm&) override { return ModalResult::Cancel; }
  void ShellOpen(std::string_view, std::string_view) override {}
  void HtmlHelp(std::string_view, std::string_view) override {}
  char DecimalSeparator() const override { return '.'; }
};

}  // namespace tabulo::platform
