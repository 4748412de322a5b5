#include "platform/ui_silent.h"

namespace tabulo::platform {
namespace {

class SilentProgress : public ProgressView {
 public:
  void Show() override {}
  void SetPosition(int) override {}
};

}  // namespace

std::unique_ptr<ProgressView> SilentUi::CreateProgressWindow(std::string_view) {
  return std::make_unique<SilentProgress>();
}

}  // namespace tabulo::platform
