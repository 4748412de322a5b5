#include "platform/ui.h"

#include <utility>

#include "platform/ui_silent.h"

namespace tabulo::platform {
namespace {

std::shared_ptr<Ui>& Installed() {
  static std::shared_ptr<Ui> installed;
  return installed;
}

}  // namespace

Ui& CurrentUi() {
  static SilentUi silent;
  auto& installed = Installed();
  return installed ? *installed : silent;
}

std::shared_ptr<Ui> SetCurrentUi(std::shared_ptr<Ui> ui) {
  return std::exchange(Installed(), std::move(ui));
}

}  // namespace tabulo::platform
