#pragma once
#include <string_view>

#include "platform/ui.h"

namespace tabulo::platform {

// The toolkit-independent part of a modal loop, as the platform's form class runs
// it: a form closes when its result is set and FormClose agrees; when FormClose
// refuses, the result returns to None and the dialog stays open. Every UI backend
// that shows a ModalForm drives it through this, so the rules are the same in each.
class ModalDriver {
 public:
  explicit ModalDriver(ModalForm& form) : form_(form) {}

  ModalForm& form() { return form_; }
  // The form as its own class, for scripts that set controls or call handlers.
  template <class Form>
  Form& as() {
    return dynamic_cast<Form&>(form_);
  }

  // Shows the form: resets its result and calls FormShow.
  void Show();
  // Closes with `result` (a button with that modal result, Esc, the close box):
  // true when the form closed, false when FormClose kept it open.
  bool Close(ModalResult result);
  // A key going down (key preview): FormKeyDown, then a close attempt when the
  // handler set a result. True when the form closed.
  bool PressKey(int virtualKey);

  bool closed() const { return closed_; }
  // The result the form closed with; None while it is open.
  ModalResult result() const { return closed_ ? form_.modalResult : ModalResult::None; }

 private:
  ModalForm& form_;
  bool closed_ = false;
};

// "Ok", "Cancel" or "None", for logs and messages.
std::string_view ModalResultName(ModalResult result);

// The virtual key of Esc.
inline constexpr int kVkEscape = 27;

}  // namespace tabulo::platform
