#pragma once
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/registry.h"

namespace tabulo::host {

// The settings key below HKEY_LOCAL_MACHINE, without and with the leading backslash
// (both name the same key).
inline constexpr std::string_view kSettingsKey = "Software\\Kestrova\\VelmoraTabulo";
inline constexpr std::string_view kSettingsKeyRooted = "\\Software\\Kestrova\\VelmoraTabulo";

// Value names.
inline constexpr std::string_view kPathValue = "Path";
inline constexpr std::string_view kColorMappingValue = "Color Mapping";
inline constexpr std::string_view kOutputScaleValue = "Output Scale";
inline constexpr std::string_view kFontValue = "Font";

// A failed read or write of the settings store. what() is the store's own text
// ("Failed to set data for 'Font'"); cause() is what the backend reported, when it
// said more (empty otherwise), for a message the user can act on.
class SettingsError : public std::runtime_error {
 public:
  explicit SettingsError(const std::string& text, std::string cause = {})
      : std::runtime_error(text), cause_(std::move(cause)) {}
  const std::string& cause() const { return cause_; }

 private:
  std::string cause_;
};

// One use of the settings key: opened (created when missing) for reading and
// writing on construction, closed on destruction. The open's outcome is not
// checked; when it failed, every read and write fails. Failures throw
// std::runtime_error with the store's texts ("Invalid data type for '%s'",
// "Failed to get data for '%s'", "Failed to set data for '%s'").
class SettingsKey {
 public:
  explicit SettingsKey(std::string_view path = kSettingsKey);
  ~SettingsKey();
  SettingsKey(const SettingsKey&) = delete;
  SettingsKey& operator=(const SettingsKey&) = delete;

  std::string ReadText(std::string_view name);
  bool ReadBool(std::string_view name);
  double ReadNumber(std::string_view name);
  void WriteBool(std::string_view name, bool value);
  void WriteNumber(std::string_view name, double value);

 private:
  std::unique_ptr<platform::RegistryKey> key_;
};

// The installation folder ("Path"), always ending with a backslash when not empty
// (or, off Windows, with the '/' of a folder recorded in POSIX form). A missing
// "Path" gives the empty text; a "Path" that is not text throws SettingsError.
std::string ReadInstallPath();

struct ExportSettings {
  bool ColorByLayer = true;
  double OutputScale = 2.5;
  bool FontByLayer = true;
};

// The three export settings, each falling back to its default by itself. Never fails.
ExportSettings ReadExportSettings();

// The options dialog's save: "Color Mapping", "Output Scale" and "Font", in this
// order. The first failing write throws SettingsError and ends the save; values
// written before it stay written.
void WriteExportSettings(const ExportSettings& settings);

}  // namespace tabulo::host
