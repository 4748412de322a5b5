#include "platform/registry_memory.h"

#include <stdexcept>

#include "automation/object.h"

namespace tabulo::platform {

namespace {

struct StoredValue {
  std::string name;  // as first written
  RegistryValue value;
};

std::string KeyOf(std::string_view path) {
  while (path.starts_with('\\')) path.remove_prefix(1);
  while (path.ends_with('\\')) path.remove_suffix(1);
  return automation::LowerCase(path);
}

}  // namespace

struct MemoryRegistry::State {
  std::map<std::string, std::map<std::string, StoredValue>> keys;
  bool openFails = false;
  std::string failingName;  // lower case
  std::string failText;
  int opened = 0;
  int live = 0;
};

namespace {

class MemoryKey : public RegistryKey {
 public:
  MemoryKey(std::shared_ptr<MemoryRegistry::State> state, std::string key)
      : state_(std::move(state)), key_(std::move(key)) {
    ++state_->opened;
    ++state_->live;
  }
  ~MemoryKey() override { --state_->live; }

  std::optional<RegistryValue> Read(std::string_view name) override {
    auto& values = state_->keys[key_];
    auto it = values.find(automation::LowerCase(name));
    if (it == values.end()) return std::nullopt;
    return it->second.value;
  }

  void Write(std::string_view name, const RegistryValue& value) override {
    std::string lower = automation::LowerCase(name);
    if (!state_->failingName.empty() && lower == state_->failingName)
      throw std::runtime_error(state_->failText);
    auto& values = state_->keys[key_];
    auto [it, inserted] = values.try_emplace(lower, StoredValue{std::string(name), value});
    if (!inserted) it->second.value = value;
  }

 private:
  std::shared_ptr<MemoryRegistry::State> state_;
  std::string key_;
};

}  // namespace

MemoryRegistry::MemoryRegistry() : state_(std::make_shared<State>()) {}

std::unique_ptr<RegistryKey> MemoryRegistry::OpenOrCreate(std::string_view path) {
  if (state_->openFails) return nullptr;
  std::string key = KeyOf(path);
  state_->keys[key];
  return std::make_unique<MemoryKey>(state_, key);
}

std::optional<RegistryValue> MemoryRegistry::Get(std::string_view path,
                                                 std::string_view name) const {
  auto key = state_->keys.find(KeyOf(path));
  if (key == state_->keys.end()) return std::nullopt;
  auto it = key->second.find(automation::LowerCase(name));
  if (it == key->second.end()) return std::nullopt;
  return it->second.value;
}

void MemoryRegistry::Set(std::string_view path, std::string_view name, const RegistryValue& value) {
  auto& values = state_->keys[KeyOf(path)];
  auto [it, inserted] =
      values.try_emplace(automation::LowerCase(name), StoredValue{std::string(name), value});
  if (!inserted) it->second.value = value;
}

bool MemoryRegistry::HasKey(std::string_view path) const {
  return state_->keys.count(KeyOf(path)) != 0;
}

std::size_t MemoryRegistry::ValueCount(std::string_view path) const {
  auto key = state_->keys.find(KeyOf(path));
  return key == state_->keys.end() ? 0 : key->second.size();
}

void MemoryRegistry::SetOpenFails(bool fails) {
  state_->openFails = fails;
}

void MemoryRegistry::FailWritesOf(std::string_view name, std::string text) {
  state_->failingName = automation::LowerCase(name);
  state_->failText = std::move(text);
}

int MemoryRegistry::openCount() const {
  return state_->opened;
}

int MemoryRegistry::liveHandles() const {
  return state_->live;
}

}  // namespace tabulo::platform
