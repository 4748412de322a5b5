#include "platform/reg_hive.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tabulo::platform {
namespace {

constexpr std::string_view kKey = "HKEY_LOCAL_MACHINE\\Software\\Kestrova\\VelmoraTabulo";

RegistryValue Typed(std::uint32_t type, std::vector<std::uint8_t> data) {
  RegistryValue value;
  value.type = type;
  value.data = std::move(data);
  return value;
}

// An export as regedit writes it, with every value form.
constexpr std::string_view kExport =
    "REGEDIT4\n"
    "\n"
    "; written by hand\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Kestrova\\VelmoraTabulo]\n"
    "\"Path\"=\"C:\\\\Tools\\\\Tab\\\\\"\n"
    "\"Quoted\"=\"say \\\"hi\\\"\"\n"
    "@=\"default\"\n"
    "\"Color Mapping\"=dword:00000005\n"
    "\"Output Scale\"=hex:00,00,00,00,00,00,04,40\n"
    "\"Expand\"=hex(2):25,41,25,00\n"
    "\"Multi\"=hex(7):61,00,00\n"
    "\"Wide\"=hex(b):01,00,00,00,\\\n"
    "  00,00,00,00\n"
    "\"Empty\"=hex:\n"
    "\n"
    "[HKEY_CURRENT_USER\\Other]\n"
    "\"Keep\"=dword:1\n";

TEST(RegHive, ReadsEveryValueForm) {
  RegHive hive = RegHive::Parse(kExport);
  struct Case {
    const char* name;
    RegistryValue value;
  };
  const std::vector<Case> cases = {
      {"Path", RegistryValue::Text("C:\\Tools\\Tab\\")},
      {"quoted", RegistryValue::Text("say \"hi\"")},
      {"", RegistryValue::Text("default")},
      {"COLOR MAPPING", RegistryValue::Dword(5)},
      {"Output Scale", RegistryValue::Binary({0, 0, 0, 0, 0, 0, 4, 0x40})},
      {"Expand", Typed(reg::kExpandSz, {'%', 'A', '%', 0})},
      {"Multi", Typed(7, {'a', 0, 0})},
      {"Wide", Typed(11, {1, 0, 0, 0, 0, 0, 0, 0})},
      {"Empty", RegistryValue::Binary({})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(hive.Read("hkey_local_machine\\software\\kestrova\\velmoratabulo", c.name), c.value);
  }
  EXPECT_EQ(hive.Read(kKey, "Missing"), std::nullopt);
  EXPECT_EQ(hive.Read("HKEY_CURRENT_USER\\Other", "keep"), RegistryValue::Dword(1));
  EXPECT_FALSE(hive.HasKey("HKEY_LOCAL_MACHINE\\Software"));
}

TEST(RegHive, WriteReplacesOnlyThatValue) {
  RegHive hive = RegHive::Parse(kExport);
  hive.Write(kKey, "output scale", RegistryValue::Binary({0, 0, 0, 0, 0, 0, 0x13, 0x40}));
  hive.Write(kKey, "Wide", RegistryValue::Dword(2));
  std::string expected(kExport);
  expected.replace(expected.find("hex:00,00,00,00,00,00,04,40"), 27, "hex:00,00,00,00,00,00,13,40");
  const auto wide = expected.find("\"Wide\"");
  expected.replace(wide, expected.find("\"Empty\"") - wide, "\"Wide\"=dword:00000002\n");
  EXPECT_EQ(hive.Text(), expected);
}

TEST(RegHive, NewValuesGoAfterTheKeysLastValueAndNewKeysAtTheEnd) {
  RegHive hive = RegHive::Parse(
      "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\A]\r\n\"x\"=dword:00000001\r\n\r\n; tail\r\n");
  hive.Write("HKEY_LOCAL_MACHINE\\a", "Font", RegistryValue::Dword(0));
  hive.Write("HKEY_LOCAL_MACHINE\\B", "Path", RegistryValue::Text("/opt"));
  EXPECT_EQ(hive.Text(),
            "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\A]\r\n\"x\"=dword:00000001\r\n"
            "\"Font\"=dword:00000000\r\n\r\n; tail\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\B]\r\n\"Path\"=\"/opt\"\r\n\r\n");
}

TEST(RegHive, LastOccurrenceAndDeletionsHold) {
  RegHive hive = RegHive::Parse(
      "REGEDIT4\n[K]\n\"a\"=dword:1\n\"b\"=dword:1\n[K]\n\"a\"=dword:2\n\"b\"=-\n"
      "[-Gone]\n[Gone2]\n\"c\"=dword:1\n[-Gone2]\n");
  EXPECT_EQ(hive.Read("K", "a"), RegistryValue::Dword(2));
  EXPECT_EQ(hive.Read("K", "b"), std::nullopt);
  EXPECT_FALSE(hive.HasKey("Gone2"));
  hive.Write("K", "b", RegistryValue::Dword(3));
  EXPECT_EQ(hive.Read("K", "b"), RegistryValue::Dword(3));
  hive.Write("Gone2", "c", RegistryValue::Dword(4));
  EXPECT_EQ(hive.Read("Gone2", "c"), RegistryValue::Dword(4));
}

TEST(RegHive, MalformedTextNamesTheLine) {
  struct Case {
    const char* text;
    int line;
  };
  const std::vector<Case> cases = {
      {"[K]\n", 1},
      {"Windows Registry Editor\n", 1},
      {"REGEDIT4\n\"a\"=dword:1\n", 2},
      {"REGEDIT4\n[K\n", 2},
      {"REGEDIT4\n[]\n", 2},
      {"REGEDIT4\n[K]\n\"a\"=dword:123456789\n", 3},
      {"REGEDIT4\n[K]\n\"a\"=dword:xyz\n", 3},
      {"REGEDIT4\n[K]\n\"a=\"x\"\n", 3},
      {"REGEDIT4\n[K]\n\"a\"=\"x\n", 3},
      {"REGEDIT4\n[K]\n\"a\"=\"x\\y\"\n", 3},
      {"REGEDIT4\n[K]\n\"a\"=hex:0g\n", 3},
      {"REGEDIT4\n[K]\n\"a\"=hex:001\n", 3},
      {"REGEDIT4\n[K]\n\"a\"=hex(z):00\n", 3},
      {"REGEDIT4\n[K]\n\n\"a\"=hex:00,\\\n", 4},
      {"REGEDIT4\n[K]\n\"a\"=42\n", 3},
      {"REGEDIT4\n[K]\nname=1\n", 3},
      {"REGEDIT4\n[-K]\n\"a\"=dword:1\n", 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    try {
      RegHive::Parse(c.text);
      ADD_FAILURE() << "parsed";
    } catch (const RegHiveError& error) {
      EXPECT_EQ(error.line(), c.line) << error.what();
    }
  }
}

TEST(RegHive, BlankTextIsAnEmptyHive) {
  RegHive hive = RegHive::Parse(" \n\n");
  EXPECT_EQ(hive.Text(), "REGEDIT4\n\n");
  hive.Write("K", "a", RegistryValue::Dword(1));
  EXPECT_EQ(hive.Text(), "REGEDIT4\n\n[K]\n\"a\"=dword:00000001\n\n");
}

TEST(FormatRegValue, RegeditNotation) {
  struct Case {
    const char* name;
    RegistryValue value;
    std::vector<std::string> lines;
  };
  const std::vector<Case> cases = {
      {"Path", RegistryValue::Text("C:\\T\\"), {"\"Path\"=\"C:\\\\T\\\\\""}},
      {"", RegistryValue::Text("d"), {"@=\"d\""}},
      {"Q\"", RegistryValue::Text(""), {"\"Q\\\"\"=\"\""}},
      {"Font", RegistryValue::Dword(1), {"\"Font\"=dword:00000001"}},
      {"Output Scale",
       RegistryValue::Binary({0, 0, 0, 0, 0, 0, 4, 0x40}),
       {"\"Output Scale\"=hex:00,00,00,00,00,00,04,40"}},
      {"E", RegistryValue::Text("%A%", reg::kExpandSz), {"\"E\"=hex(2):25,41,25,00"}},
      {"Q", Typed(11, {0xff}), {"\"Q\"=hex(b):ff"}},
      {"N", Typed(reg::kNone, {}), {"\"N\"=hex(0):"}},
      {"Lines", RegistryValue::Text("a\nb"), {"\"Lines\"=hex(1):61,0a,62,00"}},
      {"Short", Typed(reg::kDword, {1, 2}), {"\"Short\"=hex(4):01,02"}},
      {"NoNul", Typed(reg::kSz, {'a'}), {"\"NoNul\"=hex(1):61"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lines.front());
    EXPECT_EQ(FormatRegValue(c.name, c.value), c.lines);
  }
}

TEST(FormatRegValue, LongDataWrapsAndReadsBack) {
  std::vector<std::uint8_t> bytes(100);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7);
  auto lines = FormatRegValue("Blob", RegistryValue::Binary(bytes));
  ASSERT_GT(lines.size(), 1u);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_LE(lines[i].size(), 80u);
    EXPECT_EQ(lines[i].ends_with(",\\"), i + 1 < lines.size());
  }
  RegHive hive = RegHive::Empty();
  hive.Write("K", "Blob", RegistryValue::Binary(bytes));
  EXPECT_EQ(RegHive::Parse(hive.Text()).Read("K", "blob"), RegistryValue::Binary(bytes));
}

}  // namespace
}  // namespace tabulo::platform
