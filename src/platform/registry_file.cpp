#include "platform/registry_file.h"

#include "platform/file_replace.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <stdexcept>

#include "platform/reg_hive.h"

#if defined(__unix__) || defined(__APPLE__)
#include <unistd.h>
#endif

namespace tabulo::platform {
namespace fs = std::filesystem;

namespace {

std::string Describe(const fs::path& file) {
  return "the settings file " + file.string();
}

// The file's hive; nothing when it does not exist yet. Throws runtime_error with
// a text naming the file (and line, when it is malformed).
std::optional<RegHive> Load(const fs::path& file) {
  std::FILE* stream = std::fopen(file.string().c_str(), "rb");
  if (!stream) {
    if (errno == ENOENT) return std::nullopt;
    throw std::runtime_error("Cannot read " + Describe(file) + ": " + std::strerror(errno));
  }
  std::string text;
  char buffer[8192];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, stream)) > 0) text.append(buffer, n);
  const bool failed = std::ferror(stream) != 0;
  std::fclose(stream);
  if (failed) throw std::runtime_error("Cannot read " + Describe(file));
  try {
    return RegHive::Parse(text);
  } catch (const RegHiveError& error) {
    throw std::runtime_error(file.string() + ", line " + std::to_string(error.line()) + ": " +
                             error.what() +
                             ". The file is left unchanged; correct or remove it to save "
                             "settings.");
  }
}

// Writes `hive` to a new file beside `file` and renames it over `file`, so the
// file is either the old one or the new one, never half written.
void Save(const fs::path& file, const RegHive& hive) {
  std::error_code ec;
  fs::path target = fs::is_symlink(file, ec) ? fs::canonical(file, ec) : file;
  if (ec) target = file;
  if (target.has_parent_path()) {
    fs::create_directories(target.parent_path(), ec);
    if (ec)
      throw std::runtime_error("Cannot create the folder " + target.parent_path().string() +
                               " for " + Describe(file) + ": " + ec.message());
  }
  std::random_device random;
  fs::path temp = target;
  temp += ".tmp" + std::to_string(random()) + std::to_string(random());

  const std::string text = hive.Text();
  std::FILE* stream = std::fopen(temp.string().c_str(), "wb");
  if (!stream)
    throw std::runtime_error("Cannot write " + Describe(file) + ": " + std::strerror(errno));
  bool ok = std::fwrite(text.data(), 1, text.size(), stream) == text.size();
  ok = std::fflush(stream) == 0 && ok;
#if defined(__unix__) || defined(__APPLE__)
  ok = ::fsync(::fileno(stream)) == 0 && ok;
#endif
  const int savedErrno = errno;
  ok = std::fclose(stream) == 0 && ok;
  if (ok) {
    KeepPermissions(target, temp);
    fs::rename(temp, target, ec);
  }
  if (!ok || ec) {
    fs::remove(temp, ec);
    throw std::runtime_error("Cannot write " + Describe(file) + ": " +
                             (ok ? ec.message() : std::strerror(savedErrno)));
  }
}

// A key whose every read and write fails with one cause.
class FailedKey : public RegistryKey {
 public:
  explicit FailedKey(std::string cause) : cause_(std::move(cause)) {}
  std::optional<RegistryValue> Read(std::string_view) override { throw std::runtime_error(cause_); }
  void Write(std::string_view, const RegistryValue&) override { throw std::runtime_error(cause_); }

 private:
  std::string cause_;
};

class FileKey : public RegistryKey {
 public:
  FileKey(fs::path file, std::string key) : file_(std::move(file)), key_(std::move(key)) {}

  std::optional<RegistryValue> Read(std::string_view name) override {
    auto hive = Load(file_);
    if (!hive) return std::nullopt;
    return hive->Read(key_, name);
  }

  void Write(std::string_view name, const RegistryValue& value) override {
    RegHive hive = Load(file_).value_or(RegHive::Empty());
    hive.Write(key_, name, value);
    Save(file_, hive);
  }

 private:
  fs::path file_;
  std::string key_;
};

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

}  // namespace

FileRegistry::FileRegistry(fs::path file, std::string root)
    : file_(std::move(file)), root_(std::move(root)) {}

std::unique_ptr<RegistryKey> FileRegistry::OpenOrCreate(std::string_view path) {
  while (path.starts_with('\\')) path.remove_prefix(1);
  while (path.ends_with('\\')) path.remove_suffix(1);
  std::string key = root_ + "\\" + std::string(path);
  if (file_.empty())
    return std::make_unique<FailedKey>(
        "No settings file: set TABULO_SETTINGS, XDG_CONFIG_HOME or HOME.");
  try {
    std::optional<RegHive> hive = Load(file_);
    if (!hive || !hive->HasKey(key)) {
      RegHive created = hive ? std::move(*hive) : RegHive::Empty();
      created.CreateKey(key);
      Save(file_, created);
    }
  } catch (const std::exception& error) {
    return std::make_unique<FailedKey>(error.what());
  }
  return std::make_unique<FileKey>(file_, std::move(key));
}

fs::path DefaultSettingsFile() {
  if (std::string file = Env("TABULO_SETTINGS"); !file.empty()) return file;
  if (std::string config = Env("XDG_CONFIG_HOME"); !config.empty())
    return fs::path(config) / "tabulo" / "settings.reg";
  if (std::string home = Env("HOME"); !home.empty())
    return fs::path(home) / ".config" / "tabulo" / "settings.reg";
  return {};
}

}  // namespace tabulo::platform
