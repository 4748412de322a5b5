#pragma once
#include <string_view>

#include "platform/ui.h"

namespace tabulo::host {

// A dialog's frame, for the views that draw it (sizes in pixels).
struct TFormLayout {
  std::string_view Name = {};     // instance name, e.g. "frmOptions"
  std::string_view Caption = {};  // title bar
  int ClientWidth = 0;
  int ClientHeight = 0;
  std::string_view FontName = {};  // the form's font
  int FontSize = 0;                // points
  bool KeyPreview = false;         // the form sees every key before the focused control
};

// One control of a dialog: position and size in pixels within its parent (a size
// of 0 means sized to its content), caption or text, tab order (-1: none).
struct TControlLayout {
  std::string_view Name = {};
  std::string_view Kind = {};  // "page control", "page", "radio button", "label", "edit",
                               // "button", "picture"
  std::string_view Parent = {};
  int Left = 0, Top = 0, Width = 0, Height = 0;
  std::string_view Caption = {};
  int TabOrder = -1;
  // A button that closes the dialog with this result.
  platform::ModalResult Result = platform::ModalResult::None;
  bool TabHidden = false;  // a page whose tab is not shown
  // A font of the control's own (empty: the form's).
  std::string_view FontName = {};
  int FontHeight = 0;  // pixels
  bool Bold = false;
};

}  // namespace tabulo::host
