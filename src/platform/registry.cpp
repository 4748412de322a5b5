#include "platform/registry.h"

#include "platform/registry_memory.h"

namespace tabulo::platform {
namespace {

std::shared_ptr<Registry>& Installed() {
  static std::shared_ptr<Registry> installed;
  return installed;
}

}  // namespace

RegistryValue RegistryValue::Text(std::string_view text, std::uint32_t type) {
  // The text's bytes and the terminating NUL, as the registry stores a string.
  RegistryValue value;
  value.type = type;
  value.data.assign(text.begin(), text.end());
  value.data.push_back(0);
  return value;
}

RegistryValue RegistryValue::Dword(std::uint32_t number) {
  RegistryValue value;
  value.type = reg::kDword;
  for (int shift = 0; shift < 32; shift += 8)
    value.data.push_back(static_cast<std::uint8_t>(number >> shift));
  return value;
}

RegistryValue RegistryValue::Binary(std::vector<std::uint8_t> bytes) {
  RegistryValue value;
  value.type = reg::kBinary;
  value.data = std::move(bytes);
  return value;
}

Registry& CurrentRegistry() {
  static MemoryRegistry fallback;
  auto& installed = Installed();
  return installed ? *installed : fallback;
}

std::shared_ptr<Registry> SetCurrentRegistry(std::shared_ptr<Registry> registry) {
  return std::exchange(Installed(), std::move(registry));
}

}  // namespace tabulo::platform
