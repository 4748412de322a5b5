#pragma once
#include <array>
#include <string>
#include <string_view>

#include "host/form_layout.h"
#include "platform/ui.h"

namespace tabulo::host {

// The help file the options dialog's Help buttons open: empty while the library
// is loaded; Options(1) sets it to the installation folder + "Tabulo.chm" (empty
// when no folder is recorded) and it keeps that value afterwards.
extern std::string HelpFilePath;

// The topic every Help button of the options dialog opens.
inline constexpr std::string_view kOptionsHelpTopic = "options.htm";

struct TRadioButton {
  bool Checked = false;
};

struct TEdit {
  std::string Text;
};

// The options dialog's logic (frmOptions): pages "Color Mapping", "Scale" and
// "Font" (the last one's tab is not shown), their controls and handlers. A view
// shows it modally through platform::Ui::ShowModal; it loads the settings when
// shown and saves them itself when closed with OK.
class TfrmOptions : public platform::ModalForm {
 public:
  static const TFormLayout kLayout;
  static const std::array<TControlLayout, 17> kControls;

  std::string_view FormName() const override { return kLayout.Name; }

  // Loads "Color Mapping", "Output Scale" and "Font" into the controls, each
  // falling back to its default by itself; opens on the page "Color Mapping".
  void FormShow() override;
  // On OK: checks the scale text and saves the three settings. Returns false (the
  // dialog stays open) after an invalid scale or a failed save, each reported in
  // an error box. Any other result closes without saving.
  bool FormClose(platform::ModalResult result) override;
  // Esc closes as Cancel; other keys pass on unchanged.
  void FormKeyDown(int& key) override;
  // The Help buttons of the three pages: the topic options.htm of HelpFilePath.
  void Button1Click() { ShowHelp(); }
  void Button3Click() { ShowHelp(); }
  void Button5Click() { ShowHelp(); }

  // Checks `button` and clears the other button of its page, as a radio group does.
  void Check(TRadioButton& button);

  // The "is not a valid real value." message for the trimmed scale text.
  static std::string InvalidScaleText(std::string_view trimmed);

  TRadioButton RadioButton1;  // "Color Mapping": By Layer
  TRadioButton RadioButton2;  // "Color Mapping": By XLS File
  TRadioButton RadioButton3;  // "Font": By Layer
  TRadioButton RadioButton4;  // "Font": By XLS File
  TEdit Edit1;                // "Scale": 12 Point = ... ACAD Unit
  int ActivePage = 0;         // 0 "Color Mapping", 1 "Scale", 2 "Font"

  TfrmOptions();

 private:
  void ShowHelp();
};

// Blanks and control characters (codes up to 32) removed at both ends.
std::string_view TrimText(std::string_view text);

}  // namespace tabulo::host
