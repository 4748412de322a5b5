#include "host/settings_store.h"

#include <bit>
#include <cstdint>

namespace tabulo::host {
namespace {

std::string Named(std::string_view format, std::string_view name) {
  std::string text(format);
  text.replace(text.find("%s"), 2, name);
  return text;
}

[[noreturn]] void FailGet(std::string_view name, std::string cause = {}) {
  throw SettingsError(Named("Failed to get data for '%s'", name), std::move(cause));
}

[[noreturn]] void FailType(std::string_view name) {
  throw SettingsError(Named("Invalid data type for '%s'", name));
}

[[noreturn]] void FailSet(std::string_view name, std::string cause = {}) {
  throw SettingsError(Named("Failed to set data for '%s'", name), std::move(cause));
}

}  // namespace

SettingsKey::SettingsKey(std::string_view path) {
  // The open's outcome is deliberately not checked: a key that could not be
  // opened makes each read and write fail by itself.
  try {
    key_ = platform::CurrentRegistry().OpenOrCreate(path);
  } catch (const std::exception&) {
    key_.reset();
  }
}

SettingsKey::~SettingsKey() = default;

std::string SettingsKey::ReadText(std::string_view name) {
  // A key that cannot be opened or read reads as if the value were missing.
  if (!key_) return {};
  std::optional<platform::RegistryValue> value;
  try {
    value = key_->Read(name);
  } catch (const std::exception&) {
    return {};
  }
  if (!value) return {};
  if (value->type != platform::reg::kSz && value->type != platform::reg::kExpandSz) FailType(name);
  const auto& data = value->data;
  std::string text(data.begin(), data.end());
  return text.substr(0, text.find('\0'));
}

namespace {

// The value's data, failing as the store does for a missing value, for data
// longer than `maxSize`, and for any other type than `type`.
std::vector<std::uint8_t> ReadTyped(platform::RegistryKey* key, std::string_view name,
                                    std::uint32_t type, std::size_t maxSize) {
  if (!key) FailGet(name);
  std::optional<platform::RegistryValue> value;
  try {
    value = key->Read(name);
  } catch (const std::exception& error) {
    FailGet(name, error.what());
  }
  if (!value || value->data.size() > maxSize) FailGet(name);
  if (value->type != type) FailType(name);
  return std::move(value->data);
}

void WriteValue(platform::RegistryKey* key, std::string_view name,
                const platform::RegistryValue& value) {
  if (!key) FailSet(name);
  try {
    key->Write(name, value);
  } catch (const std::exception& error) {
    FailSet(name, error.what());
  }
}

}  // namespace

bool SettingsKey::ReadBool(std::string_view name) {
  auto data = ReadTyped(key_.get(), name, platform::reg::kDword, 4);
  std::uint32_t number = 0;
  for (std::size_t i = 0; i < data.size(); ++i) number |= std::uint32_t{data[i]} << (8 * i);
  return number != 0;
}

double SettingsKey::ReadNumber(std::string_view name) {
  auto data = ReadTyped(key_.get(), name, platform::reg::kBinary, 8);
  if (data.size() != 8) FailType(name);
  std::uint64_t bits = 0;
  for (std::size_t i = 0; i < 8; ++i) bits |= std::uint64_t{data[i]} << (8 * i);
  return std::bit_cast<double>(bits);
}

void SettingsKey::WriteBool(std::string_view name, bool value) {
  WriteValue(key_.get(), name, platform::RegistryValue::Dword(value ? 1 : 0));
}

void SettingsKey::WriteNumber(std::string_view name, double value) {
  // Little-endian IEEE-754 whatever the host's byte order.
  auto bits = std::bit_cast<std::uint64_t>(value);
  std::vector<std::uint8_t> bytes(8);
  for (std::size_t i = 0; i < 8; ++i) bytes[i] = static_cast<std::uint8_t>(bits >> (8 * i));
  WriteValue(key_.get(), name, platform::RegistryValue::Binary(std::move(bytes)));
}

std::string ReadInstallPath() {
  std::string path = SettingsKey(kSettingsKey).ReadText(kPathValue);
  if (path.empty() || path.back() == '\\') return path;
#ifndef _WIN32
  // Where there is no Windows registry the folder may be recorded as a POSIX path;
  // a backslash appended to it would name no file.
  if (path.back() == '/') return path;
  if (path.find('/') != std::string::npos && path.find('\\') == std::string::npos)
    return path + '/';
#endif
  return path + '\\';
}

ExportSettings ReadExportSettings() {
  ExportSettings settings;
  SettingsKey key(kSettingsKeyRooted);
  try {
    settings.ColorByLayer = key.ReadBool(kColorMappingValue);
  } catch (const std::exception&) {
  }
  try {
    settings.OutputScale = key.ReadNumber(kOutputScaleValue);
  } catch (const std::exception&) {
  }
  try {
    settings.FontByLayer = key.ReadBool(kFontValue);
  } catch (const std::exception&) {
  }
  return settings;
}

void WriteExportSettings(const ExportSettings& settings) {
  SettingsKey key(kSettingsKeyRooted);
  key.WriteBool(kColorMappingValue, settings.ColorByLayer);
  key.WriteNumber(kOutputScaleValue, settings.OutputScale);
  key.WriteBool(kFontValue, settings.FontByLayer);
}

}  // namespace tabulo::host
