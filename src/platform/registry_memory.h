#pragma once
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/registry.h"

namespace tabulo::platform {

// A registry held in memory: the default backend and the one tests use. Key paths
// and value names compare case-insensitively; a name keeps the spelling it was
// first written with. Tests can make opening or single writes fail, and look at
// the stored values directly.
class MemoryRegistry : public Registry {
 public:
  MemoryRegistry();

  std::unique_ptr<RegistryKey> OpenOrCreate(std::string_view path) override;

  // Direct access, bypassing handles and failures.
  std::optional<RegistryValue> Get(std::string_view path, std::string_view name) const;
  void Set(std::string_view path, std::string_view name, const RegistryValue& value);
  bool HasKey(std::string_view path) const;
  // How many values the key holds (0 when it does not exist).
  std::size_t ValueCount(std::string_view path) const;

  // Opening fails (OpenOrCreate returns nullptr), as for a user who may not write
  // below the root.
  void SetOpenFails(bool fails);
  // Writes of the value `name` throw std::runtime_error(text); an empty name
  // clears it.
  void FailWritesOf(std::string_view name, std::string text);

  // Handles opened so far, and how many of them are still open.
  int openCount() const;
  int liveHandles() const;

  struct State;

 private:
  std::shared_ptr<State> state_;
};

}  // namespace tabulo::platform
