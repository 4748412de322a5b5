#pragma once
#include <filesystem>
#include <string>

#include "platform/registry.h"

namespace tabulo::platform {

// The settings where there is no Windows registry: a REGEDIT4 .reg file that
// regedit can import as it stands. Every open, read and write goes to the file
// afresh (nothing is cached), and every write replaces the file atomically (a new
// file beside it, renamed over it) keeping all keys and values it does not touch.
// A file that does not follow regedit's notation is never overwritten: reads fail
// and writes fail with a text naming the file and line.
class FileRegistry : public Registry {
 public:
  // Keys are opened below `root` ("HKEY_LOCAL_MACHINE").
  explicit FileRegistry(std::filesystem::path file, std::string root = "HKEY_LOCAL_MACHINE");

  // Creates the key (and the file and its folder) when missing. When the file is
  // malformed or cannot be written, the key returned fails every read and write
  // with that cause.
  std::unique_ptr<RegistryKey> OpenOrCreate(std::string_view path) override;

  const std::filesystem::path& file() const { return file_; }

 private:
  std::filesystem::path file_;
  std::string root_;
};

// Where the settings file lives: $TABULO_SETTINGS, else
// $XDG_CONFIG_HOME/tabulo/settings.reg, else $HOME/.config/tabulo/settings.reg
// (unset and empty variables are skipped). Empty when none of them is set.
std::filesystem::path DefaultSettingsFile();

}  // namespace tabulo::platform
