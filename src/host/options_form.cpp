#include "host/options_form.h"

#include "host/float_text.h"
#include "host/install_folder.h"
#include "host/settings_store.h"
#include "platform/modal_driver.h"

namespace tabulo::host {

using platform::CurrentUi;
using platform::ModalResult;

std::string HelpFilePath;

const TFormLayout TfrmOptions::kLayout = {
    .Name = "frmOptions",
    .Caption = "Options",
    .ClientWidth = 336,
    .ClientHeight = 160,
    .FontName = "MS Sans Serif",
    .FontSize = 8,
    .KeyPreview = true,
};

const std::array<TControlLayout, 17> TfrmOptions::kControls = {{
    {.Name = "PageControl1",
     .Kind = "page control",
     .Parent = "frmOptions",
     .Left = 8,
     .Top = 8,
     .Width = 321,
     .Height = 113,
     .TabOrder = 0},
    {.Name = "TabSheet1", .Kind = "page", .Parent = "PageControl1", .Caption = "Color Mapping"},
    {.Name = "RadioButton1",
     .Kind = "radio button",
     .Parent = "TabSheet1",
     .Left = 24,
     .Top = 16,
     .Width = 113,
     .Height = 17,
     .Caption = "By Layer",
     .TabOrder = 0},
    {.Name = "RadioButton2",
     .Kind = "radio button",
     .Parent = "TabSheet1",
     .Left = 24,
     .Top = 48,
     .Width = 113,
     .Height = 17,
     .Caption = "By XLS File",
     .TabOrder = 1},
    {.Name = "Button1",
     .Kind = "button",
     .Parent = "TabSheet1",
     .Left = 224,
     .Top = 40,
     .Width = 75,
     .Height = 25,
     .Caption = "Help",
     .TabOrder = 2},
    {.Name = "TabSheet2", .Kind = "page", .Parent = "PageControl1", .Caption = "Scale"},
    {.Name = "Label1",
     .Kind = "label",
     .Parent = "TabSheet2",
     .Left = 16,
     .Top = 24,
     .Caption = "Block Scale:"},
    {.Name = "Label2",
     .Kind = "label",
     .Parent = "TabSheet2",
     .Left = 16,
     .Top = 48,
     .Caption = "12 Point ="},
    {.Name = "Edit1",
     .Kind = "edit",
     .Parent = "TabSheet2",
     .Left = 71,
     .Top = 45,
     .Width = 50,
     .Height = 21,
     .Caption = "2.5",
     .TabOrder = 1},
    {.Name = "Label3",
     .Kind = "label",
     .Parent = "TabSheet2",
     .Left = 128,
     .Top = 48,
     .Caption = "ACAD Unit"},
    {.Name = "Button3",
     .Kind = "button",
     .Parent = "TabSheet2",
     .Left = 224,
     .Top = 40,
     .Width = 75,
     .Height = 25,
     .Caption = "Help",
     .TabOrder = 0},
    {.Name = "TabSheet3",
     .Kind = "page",
     .Parent = "PageControl1",
     .Caption = "Font",
     .TabHidden = true},
    {.Name = "RadioButton3",
     .Kind = "radio button",
     .Parent = "TabSheet3",
     .Left = 24,
     .Top = 16,
     .Width = 113,
     .Height = 17,
     .Caption = "By Layer",
     .TabOrder = 0},
    {.Name = "RadioButton4",
     .Kind = "radio button",
     .Parent = "TabSheet3",
     .Left = 24,
     .Top = 48,
     .Width = 113,
     .Height = 17,
     .Caption = "By XLS File",
     .TabOrder = 1},
    {.Name = "Button5",
     .Kind = "button",
     .Parent = "TabSheet3",
     .Left = 224,
     .Top = 40,
     .Width = 75,
     .Height = 25,
     .Caption = "Help",
     .TabOrder = 2},
    {.Name = "Button2",
     .Kind = "button",
     .Parent = "frmOptions",
     .Left = 148,
     .Top = 128,
     .Width = 75,
     .Height = 25,
     .Caption = "OK",
     .TabOrder = 1,
     .Result = ModalResult::Ok},
    {.Name = "Button4",
     .Kind = "button",
     .Parent = "frmOptions",
     .Left = 236,
     .Top = 128,
     .Width = 75,
     .Height = 25,
     .Caption = "Cancel",
     .TabOrder = 2,
     .Result = ModalResult::Cancel},
}};

// The designer's initial state: "By Layer" on both pages, the scale 2.5.
TfrmOptions::TfrmOptions() : Edit1{"2.5"} {
  RadioButton1.Checked = true;
  RadioButton3.Checked = true;
}

void TfrmOptions::FormShow() {
  SettingsKey key(kSettingsKeyRooted);
  try {
    bool byLayer = key.ReadBool(kColorMappingValue);
    RadioButton1.Checked = byLayer;
    RadioButton2.Checked = !byLayer;
  } catch (const std::exception&) {
    RadioButton1.Checked = true;
    RadioButton2.Checked = false;
  }
  try {
    Edit1.Text =
        FormatFloatGeneral(key.ReadNumber(kOutputScaleValue), CurrentUi().DecimalSeparator());
  } catch (const std::exception&) {
    Edit1.Text = "2.5";  // whatever the regional settings
  }
  try {
    bool byLayer = key.ReadBool(kFontValue);
    RadioButton3.Checked = byLayer;
    RadioButton4.Checked = !byLayer;
  } catch (const std::exception&) {
    RadioButton3.Checked = true;
    RadioButton4.Checked = false;
  }
  ActivePage = 0;
}

bool TfrmOptions::FormClose(ModalResult result) {
  if (result != ModalResult::Ok) return true;
  const std::string_view trimmed = TrimText(Edit1.Text);
  const auto scale = ParseFloatText(trimmed, CurrentUi().DecimalSeparator());
  if (!scale) {
    CurrentUi().ErrorBox(InvalidScaleText(trimmed));
    return false;
  }
  try {
    WriteExportSettings({RadioButton1.Checked, *scale, RadioButton3.Checked});
  } catch (const SettingsError& error) {
    // Closing as if saved would tell the user a lie: say what failed and stay open,
    // so the user can retry or cancel. Values written before the failure stay.
    std::string text = error.what();
    if (!error.cause().empty()) text += "\n" + error.cause();
    CurrentUi().ErrorBox(text);
    return false;
  }
  return true;
}

void TfrmOptions::FormKeyDown(int& key) {
  if (key == platform::kVkEscape) modalResult = ModalResult::Cancel;
}

void TfrmOptions::Check(TRadioButton& button) {
  TRadioButton* partner = nullptr;
  if (&button == &RadioButton1) partner = &RadioButton2;
  if (&button == &RadioButton2) partner = &RadioButton1;
  if (&button == &RadioButton3) partner = &RadioButton4;
  if (&button == &RadioButton4) partner = &RadioButton3;
  button.Checked = true;
  if (partner) partner->Checked = false;
}

std::string TfrmOptions::InvalidScaleText(std::string_view trimmed) {
  return "\"" + std::string(trimmed) + "\" is not a valid real value.";
}

void TfrmOptions::ShowHelp() {
  if (HelpFilePath.empty()) {
    CurrentUi().MessageBox(NoInstallFolderText("the help file " + std::string(kHelpFileName)));
    return;
  }
  CurrentUi().HtmlHelp(HelpFilePath, kOptionsHelpTopic);
}

std::string_view TrimText(std::string_view text) {
  auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace tabulo::host
