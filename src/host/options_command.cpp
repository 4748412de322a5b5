#include "host/options_command.h"

#include <exception>
#include <string>

#include "host/about_form.h"
#include "host/install_folder.h"
#include "host/options_form.h"
#include "host/settings_store.h"

namespace tabulo::host {

using platform::CurrentUi;

namespace {

constexpr std::uint16_t kOptionsDialog = 1;
constexpr std::uint16_t kHelpFile = 3;
constexpr std::uint16_t kAboutBox = 4;

bool IsCommand(std::uint16_t code) {
  return code == kOptionsDialog || code == kHelpFile || code == kAboutBox;
}

void Run(std::uint16_t code, const std::string& installPath) {
  switch (code) {
    case kOptionsDialog: {
      HelpFilePath = installPath.empty() ? std::string() : installPath + std::string(kHelpFileName);
      TfrmOptions frmOptions;
      CurrentUi().ShowModal(frmOptions);  // the dialog saves the settings itself
      break;
    }
    case kHelpFile:
      if (installPath.empty()) {
        CurrentUi().MessageBox(NoInstallFolderText("the help file " + std::string(kHelpFileName)));
        break;
      }
      CurrentUi().ShellOpen("open", installPath + std::string(kHelpFileName));
      break;
    case kAboutBox: {
      TfrmAbout frmAbout;
      CurrentUi().ShowModal(frmAbout);
      break;
    }
    default:
      break;
  }
}

}  // namespace

void Options(std::uint16_t code) noexcept {
  try {
    std::string installPath;
    try {
      installPath = ReadInstallPath();  // every code opens (and so creates) the key
    } catch (const std::exception& error) {
      if (IsCommand(code)) CurrentUi().MessageBox(error.what());
      return;
    }
    Run(code, installPath);
  } catch (const std::exception& error) {
    try {
      CurrentUi().ErrorBox(error.what());
    } catch (...) {
    }
  } catch (...) {
  }
}

}  // namespace tabulo::host
