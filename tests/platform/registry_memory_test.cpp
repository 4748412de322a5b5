#include "platform/registry_memory.h"

#include <gtest/gtest.h>

namespace tabulo::platform {
namespace {

TEST(RegistryValue, FactoriesKeepRawBytes) {
  EXPECT_EQ(RegistryValue::Text("ab").data, (std::vector<std::uint8_t>{'a', 'b', 0}));
  EXPECT_EQ(RegistryValue::Text("x", reg::kExpandSz).type, reg::kExpandSz);
  EXPECT_EQ(RegistryValue::Dword(0x01020304).data, (std::vector<std::uint8_t>{4, 3, 2, 1}));
  EXPECT_EQ(RegistryValue::Dword(1).type, reg::kDword);
  EXPECT_EQ(RegistryValue::Binary({1, 2}).type, reg::kBinary);
}

TEST(MemoryRegistry, KeysAndNamesAreCaseInsensitive) {
  MemoryRegistry registry;
  {
    auto key = registry.OpenOrCreate("\\Software\\Kestrova\\VelmoraTabulo");
    ASSERT_NE(key, nullptr);
    key->Write("Color Mapping", RegistryValue::Dword(1));
  }
  EXPECT_TRUE(registry.HasKey("software\\kestrova\\velmoratabulo"));
  auto key = registry.OpenOrCreate("SOFTWARE\\Kestrova\\VelmoraTabulo");
  EXPECT_EQ(key->Read("COLOR MAPPING"), RegistryValue::Dword(1));
  EXPECT_EQ(key->Read("Font"), std::nullopt);
  key->Write("color mapping", RegistryValue::Dword(0));
  EXPECT_EQ(registry.Get("Software\\Kestrova\\VelmoraTabulo", "Color Mapping"),
            RegistryValue::Dword(0));
  EXPECT_EQ(registry.ValueCount("Software\\Kestrova\\VelmoraTabulo"), 1u);
}

TEST(MemoryRegistry, OpenCreatesTheKeyAndCountsHandles) {
  MemoryRegistry registry;
  EXPECT_FALSE(registry.HasKey("A\\B"));
  {
    auto key = registry.OpenOrCreate("A\\B");
    EXPECT_EQ(registry.liveHandles(), 1);
  }
  EXPECT_TRUE(registry.HasKey("A\\B"));
  EXPECT_EQ(registry.liveHandles(), 0);
  EXPECT_EQ(registry.openCount(), 1);
}

TEST(MemoryRegistry, InjectedFailures) {
  MemoryRegistry registry;
  registry.FailWritesOf("Output Scale", "Access is denied.");
  auto key = registry.OpenOrCreate("K");
  key->Write("Font", RegistryValue::Dword(1));
  EXPECT_THROW(key->Write("output scale", RegistryValue::Binary({})), std::runtime_error);
  EXPECT_EQ(registry.Get("K", "Output Scale"), std::nullopt);
  registry.SetOpenFails(true);
  EXPECT_EQ(registry.OpenOrCreate("K"), nullptr);
}

TEST(CurrentRegistry, DefaultsToMemoryAndScopesRestore) {
  EXPECT_NE(dynamic_cast<MemoryRegistry*>(&CurrentRegistry()), nullptr);
  auto mine = std::make_shared<MemoryRegistry>();
  {
    ScopedRegistry scope(mine);
    EXPECT_EQ(&CurrentRegistry(), mine.get());
  }
  EXPECT_NE(&CurrentRegistry(), mine.get());
}

}  // namespace
}  // namespace tabulo::platform
