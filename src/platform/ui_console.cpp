#include "platform/ui_console.h"

#include <unistd.h>

#include <functional>
#include <utility>

namespace tabulo::platform {
namespace {

class ConsoleProgress : public ProgressView {
 public:
  ConsoleProgress(std::FILE* out, std::string caption, bool enabled)
      : out_(out), caption_(std::move(caption)), enabled_(enabled) {}
  ~ConsoleProgress() override {
    if (enabled_ && shown_) {
      // Clear the bar's line so later messages start clean.
      std::fprintf(out_, "\r%*s\r", static_cast<int>(caption_.size()) + 40, "");
      std::fflush(out_);
    }
  }
  void Show() override {
    shown_ = true;
    Draw();
  }
  void SetPosition(int position) override {
    if (position == position_) return;
    position_ = position;
    if (shown_) Draw();
  }

 private:
  void Draw() {
    if (!enabled_) return;
    constexpr int kWidth = 30;
    int filled = position_ * kWidth / 100;
    std::string bar(static_cast<std::size_t>(filled), '#');
    bar.append(static_cast<std::size_t>(kWidth - filled), ' ');
    std::fprintf(out_, "\r%s [%s] %3d%%", caption_.c_str(), bar.c_str(), position_);
    std::fflush(out_);
  }

  std::FILE* out_;
  std::string caption_;
  bool enabled_;
  bool shown_ = false;
  int position_ = 0;
};

}  // namespace

ConsoleUi::ConsoleUi(std::FILE* out) : out_(out), barEnabled_(isatty(fileno(out)) != 0) {}

void ConsoleUi::ErrorBox(std::string_view text) {
  errorTexts_.emplace_back(text);
  std::fprintf(out_, "%.*s\n", static_cast<int>(text.size()), text.data());
  std::fflush(out_);
}

void ConsoleUi::MessageBox(std::string_view text) {
  ++messages_;
  std::fprintf(out_, "%.*s\n", static_cast<int>(text.size()), text.data());
  std::fflush(out_);
}

std::optional<std::string> ConsoleUi::OpenFileDialog(std::string_view) {
  return std::exchange(fileAnswer_, std::nullopt);
}

std::unique_ptr<ProgressView> ConsoleUi::CreateProgressWindow(std::string_view caption) {
  return std::make_unique<ConsoleProgress>(out_, std::string(caption), barEnabled_);
}

ModalResult ConsoleUi::ShowModal(ModalForm& form) {
  auto script = std::exchange(modalScript_, nullptr);
  ModalDriver driver(form);
  driver.Show();
  if (script) script(driver);
  if (!driver.closed()) driver.Close(ModalResult::Cancel);
  return driver.result();
}

void ConsoleUi::ShellOpen(std::string_view verb, std::string_view file) {
  (void)verb;
  std::fprintf(out_, "Help file: %.*s\n", static_cast<int>(file.size()), file.data());
}

void ConsoleUi::HtmlHelp(std::string_view file, std::string_view topic) {
  std::fprintf(out_, "Help topic: %.*s::/%.*s\n", static_cast<int>(file.size()), file.data(),
               static_cast<int>(topic.size()), topic.data());
}

}  // namespace tabulo::platform
