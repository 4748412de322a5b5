// The console views of the options dialog, the About box and the help.
#include <cstdio>
#include <filesystem>
#include <string>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/session.h"
#include "host/about_form.h"
#include "host/install_folder.h"
#include "host/options_form.h"
#include "host/settings_store.h"

namespace tabulo::cli {
namespace {

const char* Choice(bool byLayer) {
  return byLayer ? "By Layer" : "By XLS File";
}

// "layer" or "xls" -> By Layer?
bool ParseChoice(const std::string& text, const std::string& option) {
  if (text == "layer") return true;
  if (text == "xls") return false;
  throw UsageError(option + " takes 'layer' or 'xls', not \"" + text + "\"");
}

void PrintSettings(const host::TfrmOptions& form) {
  std::printf("Color Mapping: %s\n", Choice(form.RadioButton1.Checked));
  std::printf("Scale: 12 Point = %s ACAD Unit\n", form.Edit1.Text.c_str());
  std::printf("Font: %s\n", Choice(form.RadioButton3.Checked));
}

}  // namespace

int RunOptions(const std::vector<std::string>& args) {
  Arguments a(args, {"--color-mapping", "--scale", "--font"}, {});
  a.expectOperands(0, "no operands");
  std::optional<bool> colorByLayer, fontByLayer;
  if (auto v = a.value("--color-mapping")) colorByLayer = ParseChoice(*v, "--color-mapping");
  if (auto v = a.value("--font")) fontByLayer = ParseChoice(*v, "--font");
  const std::optional<std::string> scale = a.value("--scale");
  const bool change = colorByLayer || fontByLayer || scale;

  Session session;
  host::TfrmOptions form;
  bool saved = false;
  session.ui().SetModalScript([&](platform::ModalDriver& dialog) {
    auto& f = dialog.as<host::TfrmOptions>();
    if (!change) return;
    if (colorByLayer) f.Check(*colorByLayer ? f.RadioButton1 : f.RadioButton2);
    if (fontByLayer) f.Check(*fontByLayer ? f.RadioButton3 : f.RadioButton4);
    if (scale) f.Edit1.Text = *scale;
    saved = dialog.Close(platform::ModalResult::Ok);
  });
  session.ui().ShowModal(form);
  if (change && !saved) return 1;  // the dialog has shown why
  if (change) {
    // Show what the next dialog (and export) will find.
    host::TfrmOptions reloaded;
    reloaded.FormShow();
    PrintSettings(reloaded);
  } else {
    PrintSettings(form);
  }
  return session.exitStatus();
}

int RunAbout(const std::vector<std::string>& args) {
  Arguments a(args, {}, {});
  a.expectOperands(0, "no operands");
  std::printf("%.*s\n%.*s\n", static_cast<int>(host::TfrmAbout::Title().size()),
              host::TfrmAbout::Title().data(), static_cast<int>(host::TfrmAbout::Version().size()),
              host::TfrmAbout::Version().data());
  std::printf("Moves formatted tables between spreadsheets and CAD drawings.\n");
  return 0;
}

int RunHelp(const std::vector<std::string>& args) {
  Arguments a(args, {}, {});
  a.expectOperands(0, "no operands");
  Session session;
  std::string folder = host::ReadInstallPath();
  std::fputs(kUsage, stdout);
  if (folder.empty()) {
    std::printf("\n%s\n", host::NoInstallFolderText("the help").c_str());
    return 0;
  }
  std::printf("\nHelp: %s%.*s (topic %.*s)\n", folder.c_str(),
              static_cast<int>(host::kHelpFileName.size()), host::kHelpFileName.data(),
              static_cast<int>(host::kOptionsHelpTopic.size()), host::kOptionsHelpTopic.data());
  return 0;
}

}  // namespace tabulo::cli
