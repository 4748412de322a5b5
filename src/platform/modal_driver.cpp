#include "platform/modal_driver.h"

namespace tabulo::platform {

void ModalDriver::Show() {
  closed_ = false;
  form_.modalResult = ModalResult::None;
  form_.FormShow();
}

bool ModalDriver::Close(ModalResult result) {
  if (closed_) return true;
  form_.modalResult = result;
  if (form_.FormClose(result)) {
    closed_ = true;
  } else {
    form_.modalResult = ModalResult::None;
  }
  return closed_;
}

bool ModalDriver::PressKey(int virtualKey) {
  if (closed_) return true;
  int key = virtualKey;
  form_.FormKeyDown(key);
  if (form_.modalResult == ModalResult::None) return false;
  return Close(form_.modalResult);
}

std::string_view ModalResultName(ModalResult result) {
  switch (result) {
    case ModalResult::Ok:
      return "Ok";
    case ModalResult::Cancel:
      return "Cancel";
    case ModalResult::None:
      break;
  }
  return "None";
}

}  // namespace tabulo::platform
