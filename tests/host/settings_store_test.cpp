#include "host/settings_store.h"

#include <gtest/gtest.h>

#include <bit>
#include <filesystem>
#include <fstream>
#include <functional>

#include <unistd.h>

#include "platform/registry_file.h"
#include "platform/registry_memory.h"

namespace tabulo::host {
namespace {

using platform::MemoryRegistry;
using platform::RegistryValue;

RegistryValue Double(double value) {
  auto bits = std::bit_cast<std::uint64_t>(value);
  std::vector<std::uint8_t> bytes;
  for (int i = 0; i < 8; ++i) bytes.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
  return RegistryValue::Binary(bytes);
}

RegistryValue Typed(std::uint32_t type, std::vector<std::uint8_t> data) {
  RegistryValue value;
  value.type = type;
  value.data = std::move(data);
  return value;
}

class SettingsStoreTest : public ::testing::Test {
 protected:
  void Store(std::string_view name, const RegistryValue& value) {
    registry->Set(kSettingsKey, name, value);
  }
  std::optional<RegistryValue> Stored(std::string_view name) const {
    return registry->Get(kSettingsKey, name);
  }
  // The message of the SettingsError that `action` throws (empty when none).
  static std::string FailureOf(const std::function<void()>& action) {
    try {
      action();
    } catch (const SettingsError& error) {
      return error.what();
    }
    return {};
  }

  std::shared_ptr<MemoryRegistry> registry = std::make_shared<MemoryRegistry>();
  platform::ScopedRegistry scope{registry};
};

TEST_F(SettingsStoreTest, EmptyKeyGivesDefaultsAndIsCreated) {
  ExportSettings settings = ReadExportSettings();
  EXPECT_TRUE(settings.ColorByLayer);
  EXPECT_EQ(settings.OutputScale, 2.5);
  EXPECT_TRUE(settings.FontByLayer);
  EXPECT_TRUE(registry->HasKey(kSettingsKey));
  EXPECT_EQ(ReadInstallPath(), "");
  EXPECT_EQ(registry->liveHandles(), 0);
}

TEST_F(SettingsStoreTest, InstallPath) {
  struct Case {
    const char* name;
    RegistryValue stored;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"without backslash", RegistryValue::Text("C:\\Tools\\Tab"), "C:\\Tools\\Tab\\"},
      {"with backslash", RegistryValue::Text("C:\\Tools\\Tab\\"), "C:\\Tools\\Tab\\"},
      {"expand sz taken literally", RegistryValue::Text("%TABULO%", platform::reg::kExpandSz),
       "%TABULO%\\"},
      {"text ends at first NUL", Typed(platform::reg::kSz, {'C', ':', 0, 'x', 0}), "C:\\"},
      {"no data", Typed(platform::reg::kSz, {}), ""},
      {"empty text", RegistryValue::Text(""), ""},
      {"posix folder", RegistryValue::Text("/opt/tabulo"), "/opt/tabulo/"},
      {"posix folder with slash", RegistryValue::Text("/opt/tabulo/"), "/opt/tabulo/"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Store(kPathValue, c.stored);
    EXPECT_EQ(ReadInstallPath(), c.expected);
  }
}

TEST_F(SettingsStoreTest, InstallPathOfAnotherTypeFails) {
  Store("path", RegistryValue::Dword(1));
  EXPECT_EQ(FailureOf([] { ReadInstallPath(); }), "Invalid data type for 'Path'");
}

TEST_F(SettingsStoreTest, TypedReadsFailWithTheStoreTexts) {
  struct Case {
    const char* value;
    std::optional<RegistryValue> stored;
    bool number;  // read as number, else as Boolean
    std::string failure;
  };
  const std::vector<Case> cases = {
      {"Output Scale", std::nullopt, true, "Failed to get data for 'Output Scale'"},
      {"Output Scale", RegistryValue::Text("2.5"), true, "Invalid data type for 'Output Scale'"},
      {"Output Scale", RegistryValue::Dword(3), true, "Invalid data type for 'Output Scale'"},
      {"Output Scale", RegistryValue::Binary({0, 0, 0x20, 0x40}), true,
       "Invalid data type for 'Output Scale'"},
      {"Output Scale", RegistryValue::Binary(std::vector<std::uint8_t>(9, 0)), true,
       "Failed to get data for 'Output Scale'"},
      {"Output Scale", RegistryValue::Text("12345678901"), true,
       "Failed to get data for 'Output Scale'"},
      {"Color Mapping", std::nullopt, false, "Failed to get data for 'Color Mapping'"},
      {"Color Mapping", RegistryValue::Text("0"), false, "Invalid data type for 'Color Mapping'"},
      {"Color Mapping", Typed(11, std::vector<std::uint8_t>(8, 0)), false,
       "Failed to get data for 'Color Mapping'"},
      {"Font", RegistryValue::Binary({1, 0, 0, 0}), false, "Invalid data type for 'Font'"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.failure + " " + std::to_string(c.stored ? c.stored->type : 99));
    registry = std::make_shared<MemoryRegistry>();
    platform::ScopedRegistry local(registry);
    if (c.stored) Store(c.value, *c.stored);
    SettingsKey key;
    EXPECT_EQ(FailureOf([&] {
                if (c.number)
                  key.ReadNumber(c.value);
                else
                  key.ReadBool(c.value);
              }),
              c.failure);
  }
}

TEST_F(SettingsStoreTest, UnreadableValuesTakeTheirOwnDefaults) {
  Store(kColorMappingValue, RegistryValue::Dword(0));
  Store(kOutputScaleValue, RegistryValue::Text("2.5"));
  Store(kFontValue, RegistryValue::Dword(0));
  ExportSettings settings = ReadExportSettings();
  EXPECT_FALSE(settings.ColorByLayer);
  EXPECT_EQ(settings.OutputScale, 2.5);
  EXPECT_FALSE(settings.FontByLayer);

  Store(kColorMappingValue, RegistryValue::Text("0"));
  Store(kOutputScaleValue, Double(4.75));
  Store(kFontValue, RegistryValue::Dword(5));
  settings = ReadExportSettings();
  EXPECT_TRUE(settings.ColorByLayer);
  EXPECT_EQ(settings.OutputScale, 4.75);
  EXPECT_TRUE(settings.FontByLayer);
}

TEST_F(SettingsStoreTest, DwordFiveReadsTrue) {
  Store(kColorMappingValue, RegistryValue::Dword(5));
  EXPECT_TRUE(SettingsKey().ReadBool(kColorMappingValue));
}

TEST_F(SettingsStoreTest, SaveWritesTypedValuesInOrderAndIsSeenAtOnce) {
  WriteExportSettings({false, 4.75, true});
  EXPECT_EQ(Stored(kColorMappingValue), RegistryValue::Dword(0));
  EXPECT_EQ(Stored(kOutputScaleValue),
            RegistryValue::Binary({0, 0, 0, 0, 0, 0, 0x13, 0x40}));  // 4.75
  EXPECT_EQ(Stored(kFontValue), RegistryValue::Dword(1));
  EXPECT_EQ(ReadExportSettings().OutputScale, 4.75);
  Store(kOutputScaleValue, Double(8));
  EXPECT_EQ(ReadExportSettings().OutputScale, 8.0);  // nothing cached
  EXPECT_EQ(registry->liveHandles(), 0);
}

TEST_F(SettingsStoreTest, FailedWriteEndsTheSaveAndKeepsEarlierValues) {
  registry->FailWritesOf(kOutputScaleValue, "Access is denied.");
  try {
    WriteExportSettings({false, 3.0, false});
    FAIL() << "no failure";
  } catch (const SettingsError& error) {
    EXPECT_STREQ(error.what(), "Failed to set data for 'Output Scale'");
    EXPECT_EQ(error.cause(), "Access is denied.");
  }
  EXPECT_EQ(Stored(kColorMappingValue), RegistryValue::Dword(0));
  EXPECT_EQ(Stored(kOutputScaleValue), std::nullopt);
  EXPECT_EQ(Stored(kFontValue), std::nullopt);
}

TEST_F(SettingsStoreTest, KeyThatCannotBeOpened) {
  Store(kPathValue, RegistryValue::Text("C:\\T"));
  Store(kColorMappingValue, RegistryValue::Dword(0));
  registry->SetOpenFails(true);
  EXPECT_EQ(ReadInstallPath(), "");
  EXPECT_TRUE(ReadExportSettings().ColorByLayer);
  EXPECT_EQ(FailureOf([] { SettingsKey().ReadBool(kColorMappingValue); }),
            "Failed to get data for 'Color Mapping'");
  EXPECT_EQ(FailureOf([] { WriteExportSettings({}); }), "Failed to set data for 'Color Mapping'");
}

TEST(SettingsStoreOnFile, MalformedHiveGivesDefaultsAndSaveNamesFileAndLine) {
  namespace fs = std::filesystem;
  const fs::path file =
      fs::temp_directory_path() / ("tabulo-settings-" + std::to_string(::getpid()) + ".reg");
  const std::string broken =
      "REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software\\Kestrova\\VelmoraTabulo]\n"
      "\"Color Mapping\"=dword:00000000\n\"Path\"=C:\\Tools\n";
  std::ofstream(file, std::ios::binary) << broken;
  platform::ScopedRegistry scope(std::make_shared<platform::FileRegistry>(file));

  EXPECT_TRUE(ReadExportSettings().ColorByLayer);  // the stored 0 is not believed
  EXPECT_EQ(ReadInstallPath(), "");
  try {
    WriteExportSettings({});
    ADD_FAILURE() << "saved";
  } catch (const SettingsError& error) {
    EXPECT_STREQ(error.what(), "Failed to set data for 'Color Mapping'");
    EXPECT_NE(error.cause().find(file.string() + ", line 4"), std::string::npos) << error.cause();
  }
  std::ifstream in(file, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), broken);
  fs::remove(file);
}

TEST(SettingsStoreOnFile, SaveThenReadBack) {
  namespace fs = std::filesystem;
  const fs::path file =
      fs::temp_directory_path() / ("tabulo-settings-ok-" + std::to_string(::getpid()) + ".reg");
  fs::remove(file);
  platform::ScopedRegistry scope(std::make_shared<platform::FileRegistry>(file));
  WriteExportSettings({false, 4.75, false});
  ExportSettings settings = ReadExportSettings();
  EXPECT_FALSE(settings.ColorByLayer);
  EXPECT_EQ(settings.OutputScale, 4.75);
  EXPECT_FALSE(settings.FontByLayer);
  fs::remove(file);
}

}  // namespace
}  // namespace tabulo::host
