#include "host/install_folder.h"

namespace tabulo::host {

std::string NoInstallFolderText(std::string_view what) {
  return "Cannot open " + std::string(what) +
         ": no installation folder is recorded. The setting \"Path\" of "
         "HKEY_LOCAL_MACHINE\\Software\\Kestrova\\VelmoraTabulo is missing or empty; set it "
         "to the folder Tabulo is installed in.";
}

}  // namespace tabulo::host
