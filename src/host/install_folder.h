#pragma once
#include <string>
#include <string_view>

namespace tabulo::host {

// Names of the files the installation folder holds.
inline constexpr std::string_view kHelpFileName = "Tabulo.chm";
inline constexpr std::string_view kMenuFileName = "TABULO.MNS";

// What a command says when it needs a file of the installation folder and no
// folder is recorded. `what` names the file ("the help file Tabulo.chm"); the text
// names the missing "Path" setting and its key.
std::string NoInstallFolderText(std::string_view what);

}  // namespace tabulo::host
