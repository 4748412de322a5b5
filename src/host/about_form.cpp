#include "host/about_form.h"

#include "platform/modal_driver.h"

namespace tabulo::host {

const TFormLayout TfrmAbout::kLayout = {
    .Name = "frmAbout",
    .Caption = "About",
    .ClientWidth = 396,
    .ClientHeight = 237,
    .FontName = "MS Sans Serif",
    .FontSize = 8,
    .KeyPreview = true,
};

const std::array<TControlLayout, 4> TfrmAbout::kControls = {{
    {.Name = "Image2",
     .Kind = "picture",
     .Parent = "frmAbout",
     .Left = 11,
     .Top = 11,
     .Width = kPictureWidth,
     .Height = kPictureHeight,
     .Caption = kPictureFile},
    {.Name = "Label1",
     .Kind = "label",
     .Parent = "frmAbout",
     .Left = 189,
     .Top = 18,
     .Caption = "Tabulo",
     .FontName = "Times New Roman",
     .FontHeight = 29,
     .Bold = true},
    {.Name = "Label2",
     .Kind = "label",
     .Parent = "frmAbout",
     .Left = 190,
     .Top = 61,
     .Caption = "Version 1.0"},
    {.Name = "Button1",
     .Kind = "button",
     .Parent = "frmAbout",
     .Left = 301,
     .Top = 195,
     .Width = 75,
     .Height = 26,
     .Caption = "OK",
     .TabOrder = 0,
     .Result = platform::ModalResult::Ok},
}};

void TfrmAbout::FormKeyDown(int& key) {
  if (key == platform::kVkEscape) modalResult = platform::ModalResult::Cancel;
}

std::string_view TfrmAbout::Title() {
  return kControls[1].Caption;
}

std::string_view TfrmAbout::Version() {
  return kControls[2].Caption;
}

}  // namespace tabulo::host
