#pragma once
#include <array>
#include <string_view>

#include "host/form_layout.h"
#include "platform/ui.h"

namespace tabulo::host {

// The About box's logic (frmAbout): the product picture, name and version, and an
// OK button. Nothing is read or saved.
class TfrmAbout : public platform::ModalForm {
 public:
  static const TFormLayout kLayout;
  static const std::array<TControlLayout, 4> kControls;
  // Image2's picture: a 156 x 213 JPEG shipped in the installation folder (and
  // built into the Windows library).
  static constexpr std::string_view kPictureFile = "about.jpg";
  static constexpr int kPictureWidth = 156;
  static constexpr int kPictureHeight = 213;

  std::string_view FormName() const override { return kLayout.Name; }
  // Esc closes the box with the result Cancel.
  void FormKeyDown(int& key) override;
  // Button1 ("OK") closes the box with the result OK.
  void Button1Click() { modalResult = platform::ModalResult::Ok; }

  // The texts the box shows: "Tabulo" and "Version 1.0".
  static std::string_view Title();
  static std::string_view Version();
};

}  // namespace tabulo::host
