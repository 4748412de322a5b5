#include "cli/session.h"

#include <clocale>
#include <cstdlib>

#include "cli/command_line.h"
#include "platform/registry_file.h"

namespace tabulo::cli {
namespace {

std::shared_ptr<platform::Registry> SettingsRegistry() {
  std::filesystem::path file = platform::DefaultSettingsFile();
  if (file.empty())
    throw CommandError(
        "cannot find a place for the settings: set TABULO_SETTINGS to a file path, or HOME");
  return std::make_shared<platform::FileRegistry>(file);
}

}  // namespace

Session::Session()
    : ui_(std::make_shared<platform::ConsoleUi>()),
      scopedUi_(ui_),
      scopedRegistry_(SettingsRegistry()) {}

Session::~Session() = default;

}  // namespace tabulo::cli
