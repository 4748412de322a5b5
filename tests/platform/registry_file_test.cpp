#include "platform/registry_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include <unistd.h>

namespace tabulo::platform {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

constexpr std::string_view kKey = "Software\\Kestrova\\VelmoraTabulo";

class FileRegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir = fs::temp_directory_path() /
          ("tabulo-reg-" + std::to_string(::getpid()) + "-" + info->name());
    fs::remove_all(dir);
    file = dir / "sub" / "settings.reg";
  }
  void TearDown() override { fs::remove_all(dir); }

  std::string Contents() const {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  void WriteFile(std::string_view text) const {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
  }

  fs::path dir;
  fs::path file;
};

TEST_F(FileRegistryTest, OpenCreatesFolderFileAndKey) {
  FileRegistry registry(file);
  auto key = registry.OpenOrCreate("\\Software\\Kestrova\\VelmoraTabulo");
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(Contents(), "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Kestrova\\VelmoraTabulo]\n\n");
  EXPECT_EQ(key->Read("Path"), std::nullopt);
}

TEST_F(FileRegistryTest, WritesRegeditNotationSeenByEveryLaterRead) {
  FileRegistry registry(file);
  auto key = registry.OpenOrCreate(kKey);
  key->Write("Color Mapping", RegistryValue::Dword(1));
  key->Write("Output Scale", RegistryValue::Binary({0, 0, 0, 0, 0, 0, 4, 0x40}));
  EXPECT_EQ(Contents(),
            "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Kestrova\\VelmoraTabulo]\n"
            "\"Color Mapping\"=dword:00000001\n"
            "\"Output Scale\"=hex:00,00,00,00,00,00,04,40\n\n");
  // Another process changes the file: the open key sees it (nothing cached).
  WriteFile(
      "REGEDIT4\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Kestrova\\VelmoraTabulo]\n\"FONT\"=dword:0\n");
  EXPECT_EQ(key->Read("font"), RegistryValue::Dword(0));
  EXPECT_EQ(key->Read("Color Mapping"), std::nullopt);
  // Only the settings file is left in the folder: no temporary file remains.
  int entries = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(file.parent_path())) ++entries;
  EXPECT_EQ(entries, 1);
}

TEST_F(FileRegistryTest, KeepsKeysValuesAndCommentsItDoesNotTouch) {
  const std::string original =
      "REGEDIT4\n\n; installed by setup\n[HKEY_LOCAL_MACHINE\\Software\\Kestrova\\VelmoraTabulo]\n"
      "\"Path\"=\"C:\\\\Tools\\\\Tab\"\n\"Font\"=dword:00000001\n\n"
      "[HKEY_CURRENT_USER\\Software\\Else]\n\"x\"=hex(7):61,00,00\n";
  WriteFile(original);
  FileRegistry registry(file);
  auto key = registry.OpenOrCreate(kKey);
  EXPECT_EQ(Contents(), original);  // opening an existing key writes nothing
  EXPECT_EQ(key->Read("path"), RegistryValue::Text("C:\\Tools\\Tab"));
  key->Write("Font", RegistryValue::Dword(0));
  std::string expected = original;
  expected.replace(expected.find("\"Font\"=dword:00000001"), 21, "\"Font\"=dword:00000000");
  EXPECT_EQ(Contents(), expected);
}

TEST_F(FileRegistryTest, MalformedFileIsNeverOverwritten) {
  const std::string broken =
      "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Kestrova\\VelmoraTabulo]\n\"Font\"=dword:zz\n";
  WriteFile(broken);
  FileRegistry registry(file);
  auto key = registry.OpenOrCreate(kKey);
  ASSERT_NE(key, nullptr);
  try {
    key->Write("Font", RegistryValue::Dword(1));
    FAIL() << "written";
  } catch (const std::runtime_error& error) {
    EXPECT_THAT(error.what(), HasSubstr(file.string() + ", line 4: dword data"));
  }
  EXPECT_THROW(key->Read("Font"), std::runtime_error);
  EXPECT_EQ(Contents(), broken);
}

TEST_F(FileRegistryTest, UnreadableFileFailsReadsAndWrites) {
  fs::create_directories(file);  // a folder where the file should be
  FileRegistry registry(file);
  auto key = registry.OpenOrCreate(kKey);
  ASSERT_NE(key, nullptr);
  EXPECT_THROW(key->Read("Font"), std::runtime_error);
  try {
    key->Write("Font", RegistryValue::Dword(1));
    FAIL() << "written";
  } catch (const std::runtime_error& error) {
    EXPECT_THAT(error.what(), HasSubstr(file.string()));
  }
}

TEST(DefaultSettingsFile, EnvironmentOrder) {
  struct Saved {
    const char* name;
    std::optional<std::string> value;
  };
  std::vector<Saved> saved;
  for (const char* name : {"TABULO_SETTINGS", "XDG_CONFIG_HOME", "HOME"}) {
    const char* value = std::getenv(name);
    saved.push_back({name, value ? std::optional<std::string>(value) : std::nullopt});
  }
  struct Case {
    const char* settings;
    const char* config;
    const char* home;
    const char* expected;
  };
  const std::vector<Case> cases = {
      {"/s/my.reg", "/c", "/h", "/s/my.reg"},
      {"", "/c", "/h", "/c/tabulo/settings.reg"},
      {nullptr, nullptr, "/h", "/h/.config/tabulo/settings.reg"},
      {nullptr, "", "/h", "/h/.config/tabulo/settings.reg"},
      {nullptr, nullptr, nullptr, ""},
  };
  auto set = [](const char* name, const char* value) {
    if (value)
      ::setenv(name, value, 1);
    else
      ::unsetenv(name);
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    set("TABULO_SETTINGS", c.settings);
    set("XDG_CONFIG_HOME", c.config);
    set("HOME", c.home);
    EXPECT_EQ(DefaultSettingsFile(), fs::path(c.expected));
  }
  for (const Saved& s : saved) set(s.name, s.value ? s.value->c_str() : nullptr);
}

}  // namespace
}  // namespace tabulo::platform
