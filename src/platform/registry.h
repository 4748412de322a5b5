#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tabulo::platform {

// Registry value type numbers, as Windows defines them; any other number is kept.
namespace reg {
inline constexpr std::uint32_t kNone = 0;
inline constexpr std::uint32_t kSz = 1;
inline constexpr std::uint32_t kExpandSz = 2;
inline constexpr std::uint32_t kBinary = 3;
inline constexpr std::uint32_t kDword = 4;
}  // namespace reg

// A typed value with its raw bytes (REG_SZ data is UTF-16LE on Windows; the
// backends here keep the text's bytes as the file or system gives them, see
// RegistryValue::Text).
struct RegistryValue {
  std::uint32_t type = reg::kNone;
  std::vector<std::uint8_t> data;

  static RegistryValue Text(std::string_view text, std::uint32_t type = reg::kSz);
  static RegistryValue Dword(std::uint32_t value);
  static RegistryValue Binary(std::vector<std::uint8_t> bytes);
  friend bool operator==(const RegistryValue&, const RegistryValue&) = default;
};

// One open key. Closing is destruction.
class RegistryKey {
 public:
  virtual ~RegistryKey() = default;
  // The value, or nothing when it does not exist. Throws std::runtime_error when
  // the store itself cannot be read.
  virtual std::optional<RegistryValue> Read(std::string_view name) = 0;
  // Creates or replaces the value. Throws std::runtime_error with a text naming
  // the cause when it cannot be written.
  virtual void Write(std::string_view name, const RegistryValue& value) = 0;
};

// A registry root (HKEY_LOCAL_MACHINE). Key paths are given without the root,
// with or without a leading backslash ("Software\Kestrova\VelmoraTabulo").
class Registry {
 public:
  virtual ~Registry() = default;
  // Opens the key for reading and writing, creating it when missing; nullptr
  // when it cannot be opened.
  virtual std::unique_ptr<RegistryKey> OpenOrCreate(std::string_view path) = 0;
};

// The process's registry backend; the host program installs one. Until then: an
// in-memory registry.
Registry& CurrentRegistry();
// Installs `registry` for the process (nullptr restores the default in-memory one);
// returns the previously installed backend.
std::shared_ptr<Registry> SetCurrentRegistry(std::shared_ptr<Registry> registry);

// Installs `registry` for one scope and puts the previous backend back when it ends.
class ScopedRegistry {
 public:
  explicit ScopedRegistry(std::shared_ptr<Registry> registry)
      : previous_(SetCurrentRegistry(std::move(registry))) {}
  ~ScopedRegistry() { SetCurrentRegistry(std::move(previous_)); }
  ScopedRegistry(const ScopedRegistry&) = delete;
  ScopedRegistry& operator=(const ScopedRegistry&) = delete;

 private:
  std::shared_ptr<Registry> previous_;
};

}  // namespace tabulo::platform
