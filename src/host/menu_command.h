#pragma once
#include "automation/variant.h"

namespace tabulo::host {

// The menu file's menu that goes into the drawing host's menu bar.
inline constexpr std::string_view kMenuName = "TABULO";
// The fixed text appname writes.
inline constexpr std::string_view kNewCaption = "new caption";

// The body of the export SetMenu (named apart from the Win32 SetMenu): makes the
// running drawing host load TABULO.MNS from the installation folder as a menu
// group and inserts its menu "TABULO" before the last menu of the menu bar. A
// failure to load the group is dropped by itself (the insert step then fails);
// any other failure ends the command with its own text in a plain message box.
// Without a recorded installation folder it says so and does nothing else.
void InstallMenu() noexcept;

// The body of the export appname: `caption` := "new caption" on `app`; every
// failure is dropped.
void appname(const automation::ObjectPtr& app) noexcept;

}  // namespace tabulo::host
