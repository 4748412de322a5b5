// ReadXls on whole files: facts of the xlwt fixtures that xlrd does not report,
// files that are not readable workbooks, and damaged copies of real ones.
#include <gsf/gsf.h>
#include <gtest/gtest.h>

#include <random>

#include "spreadsheet/xls_reader.h"
#include "xls_test_support.h"

namespace tabulo::spreadsheet {
namespace {

using namespace xls_test;

// The spreadsheet's legacy 16-bit sheet password hash.
std::uint16_t LegacyPasswordHash(const std::string& password) {
  std::uint32_t hash = 0;
  for (std::size_t i = 0; i < password.size(); ++i) {
    std::uint32_t c = static_cast<unsigned char>(password[i]) << (i + 1);
    c = (c & 0x7FFF) | (c >> 15);
    hash ^= c;
  }
  return static_cast<std::uint16_t>(hash ^ password.size() ^ 0xCE4B);
}

// Writes an OLE2 compound file holding the given streams.
void WriteCompoundFile(
    const std::filesystem::path& path,
    const std::vector<std::pair<std::string, std::vector<std::uint8_t>>>& streams) {
  GsfOutput* output = gsf_output_stdio_new(path.c_str(), nullptr);
  ASSERT_NE(output, nullptr);
  GsfOutfile* root = gsf_outfile_msole_new(output);
  for (const auto& [name, bytes] : streams) {
    GsfOutput* child = gsf_outfile_new_child(root, name.c_str(), FALSE);
    gsf_output_write(child, bytes.size(), bytes.data());
    gsf_output_close(child);
    g_object_unref(child);
  }
  gsf_output_close(GSF_OUTPUT(root));  // closes `output` too
  g_object_unref(root);
  g_object_unref(output);
}

std::string OpenError(const std::filesystem::path& path) {
  try {
    ReadXls(path);
  } catch (const FileError& error) {
    return error.what();
  }
  return "";
}

const std::filesystem::path& Fixture(const char* name) {
  static std::map<std::string, std::filesystem::path> paths;
  auto& path = paths[name];
  if (path.empty()) path = XlwtFixtures() / name;
  return path;
}

TEST(XlsReader, FactsXlrdDoesNotReport) {
  const Workbook layout = ReadXls(Fixture("layout.xls"));
  ASSERT_EQ(layout.sheets.size(), 3u);
  EXPECT_EQ(layout.activeSheet, 1u);
  const Protection& protection = layout.sheets[1].protection;
  EXPECT_TRUE(protection.isProtected);
  EXPECT_TRUE(protection.hasPassword);
  EXPECT_EQ(protection.passwordHash, LegacyPasswordHash("secret"));
  EXPECT_FALSE(layout.sheets[0].protection.isProtected);
  EXPECT_FALSE(layout.date1904);

  const Workbook strings = ReadXls(Fixture("strings.xls"));
  EXPECT_TRUE(strings.date1904);
  EXPECT_EQ(strings.sheets.at(0).name, "Strings \xC3\xA9\xC3\xA8");

  const Workbook formats = ReadXls(Fixture("formats.xls"));
  EXPECT_EQ(formats.palette[25], 0x123456u);  // BIFF 0x21 is palette index 26
  EXPECT_EQ(formats.palette[0], 0x000000u);
  const Cell& formula = formats.sheets.at(3).cells.at(CellRef{11, 4});
  EXPECT_TRUE(formula.hasFormula);
  // Each distinct format once.
  for (std::size_t i = 0; i < formats.formats.size(); ++i)
    for (std::size_t j = i + 1; j < formats.formats.size(); ++j)
      EXPECT_FALSE(formats.formats[i] == formats.formats[j]) << i << " and " << j;
}

TEST(XlsReader, FileNamesDoNotMatter) {
  TempDir dir;
  for (const char* name : {"copy.xlsx", "copy", "copy.XLS"}) {
    std::filesystem::copy_file(Fixture("formats.xls"), dir.path() / name);
    EXPECT_EQ(ReadXls(dir.path() / name).sheets.size(), 4u) << name;
  }
}

TEST(XlsReader, FilesThatAreNoReadableWorkbookSayWhy) {
  TempDir dir;
  const auto& d = dir.path();
  WriteBytes(d / "empty.xls", {});
  WriteBytes(d / "text.xls", {'h', 'e', 'l', 'l', 'o', '\n'});
  std::filesystem::create_directory(d / "folder.xls");
  WriteCompoundFile(d / "document.xls", {{"WordDocument", {1, 2, 3, 4}}});
  WriteCompoundFile(d / "encrypted.xls",
                    {{"EncryptionInfo", {4, 0, 4, 0}}, {"EncryptedPackage", {0, 0, 0, 0}}});
  WriteCompoundFile(d / "garbage.xls", {{"Workbook", std::vector<std::uint8_t>(600, 0x41)}});
  WriteCompoundFile(
      d / "lower.xls",
      {{"workbook",
        BuildStream({}, {{"Only", {Rec(0x0204, Bytes().u16(0).u16(0).u16(0).string16("x"))}}})}});

  const struct {
    std::filesystem::path path;
    const char* reason;
  } cases[] = {
      {d / "missing.xls", "the file does not exist"},
      {d / "folder.xls", "it is a folder, not a file"},
      {d / "empty.xls", "the file is empty"},
      {d / "text.xls", "it is not an Excel 97-2003 workbook (no valid OLE2 compound file"},
      {d / "document.xls", "the compound file holds no workbook stream"},
      {d / "encrypted.xls", "it is an encrypted workbook (protected with a password to open)"},
      {d / "garbage.xls",
       "it is not an Excel workbook (its workbook stream does not start with a BOF"},
      {kCorpus / "phpss_30templatebiff5_invoice_BIFF5.xls",
       "it is in the Excel 5.0/95 format (BIFF5/BIFF7), which is not supported"},
  };
  for (const auto& c : cases) {
    const std::string message = OpenError(c.path);
    EXPECT_EQ(message.rfind("Cannot open workbook '" + c.path.string() + "': ", 0), 0u) << message;
    EXPECT_NE(message.find(c.reason), std::string::npos) << message;
    EXPECT_EQ(message.back(), '.') << message;
  }
  // A workbook stream named in another case is still the workbook.
  EXPECT_EQ(ReadXls(d / "lower.xls").sheets.at(0).name, "Only");
}

// Damaged copies either read or fail with a FileError naming the file; none crashes.
void ExpectDamageHandled(const std::filesystem::path& original) {
  SCOPED_TRACE(original.string());
  const auto bytes = ReadBytes(original);
  ASSERT_GT(bytes.size(), 4096u);
  TempDir dir;
  const auto copy = dir.path() / "damaged.xls";
  std::size_t failures = 0, reads = 0;
  auto attempt = [&](const std::vector<std::uint8_t>& damaged, const std::string& what) {
    WriteBytes(copy, damaged);
    try {
      ReadXls(copy);
      ++reads;
    } catch (const FileError& error) {
      ++failures;
      EXPECT_EQ(
          std::string(error.what()).rfind("Cannot open workbook '" + copy.string() + "': ", 0), 0u)
          << what << ": " << error.what();
    }
  };
  for (std::size_t size : {std::size_t{1}, std::size_t{8}, std::size_t{511}, std::size_t{512},
                           std::size_t{1536}, bytes.size() / 2, bytes.size() - 1}) {
    attempt(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + size),
            "truncated to " + std::to_string(size));
  }
  std::mt19937 random(20240611);
  for (int round = 0; round < 300; ++round) {
    auto damaged = bytes;
    const int flips = 1 + round % 8;
    // Half the rounds hit the container's header and directory, half anywhere.
    const std::size_t range = round % 2 == 0 ? 1024 : bytes.size();
    for (int k = 0; k < flips; ++k)
      damaged[random() % range] ^= static_cast<std::uint8_t>(1 + random() % 255);
    attempt(damaged, "round " + std::to_string(round));
  }
  EXPECT_GT(failures, 0u);
  EXPECT_GT(reads, 0u);
}

TEST(XlsReader, DamagedCopiesNeverCrash) {
  ExpectDamageHandled(Fixture("formats.xls"));
  ExpectDamageHandled(kCorpus / "xlrd_xf_class_diag_align_fontcolours.xls");
}

}  // namespace
}  // namespace tabulo::spreadsheet
