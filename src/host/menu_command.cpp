#include "host/menu_command.h"

#include <exception>
#include <string>

#include "automation/activation.h"
#include "automation/dispatch.h"
#include "host/install_folder.h"
#include "host/settings_store.h"
#include "platform/ui.h"

namespace tabulo::host {

using automation::Dispatch;
using platform::CurrentUi;

namespace {

void ShowQuietly(const std::string& text) noexcept {
  try {
    CurrentUi().MessageBox(text);
  } catch (...) {
  }
}

}  // namespace

void InstallMenu() noexcept {
  try {
    const std::string installPath = ReadInstallPath();
    if (installPath.empty()) {
      ShowQuietly(NoInstallFolderText("the menu file " + std::string(kMenuFileName)));
      return;
    }
    const std::string menuFile = installPath + std::string(kMenuFileName);
    Dispatch acad(automation::GetActiveObject("AutoCAD.Application"));

    Dispatch menuGroup;
    std::string loadFailure;
    try {
      menuGroup = acad.get("menugroups").call("load", menuFile);
    } catch (const std::exception& error) {
      loadFailure = error.what();  // dropped: the insert step reports the missing group
    }

    const std::int32_t count = acad.get("menubar").get("count").toInt32();
    if (menuGroup.value().isEmpty())
      throw automation::Error("Cannot insert the menu " + std::string(kMenuName) +
                              ": the menu group of " + menuFile + " was not loaded (" +
                              loadFailure + ").");
    menuGroup.get("menus").call("insertmenuinmenubar", std::string(kMenuName), count - 1);
  } catch (const std::exception& error) {
    ShowQuietly(error.what());
  } catch (...) {
    ShowQuietly("Unexpected failure while installing the Tabulo menu.");
  }
}

void appname(const automation::ObjectPtr& app) noexcept {
  if (!app) return;
  try {
    Dispatch(app).put("caption", std::string(kNewCaption));
  } catch (...) {
  }
}

}  // namespace tabulo::host
