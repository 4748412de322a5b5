// Every .xlsx of the shared corpus, read by our reader, agrees with openpyxl.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "openpyxl_agreement.h"
#include "spreadsheet/xlsx_reader.h"

namespace tabulo::spreadsheet {
namespace {

std::vector<std::string> CorpusWorkbooks() {
  std::vector<std::string> files;
  std::error_code missing;  // no corpus: no cases, rather than a crash while listing tests
  for (const auto& entry : std::filesystem::directory_iterator(TABULO_CORPUS_DIR, missing))
    if (entry.path().extension() == ".xlsx") files.push_back(entry.path().filename().string());
  std::sort(files.begin(), files.end());
  return files;
}

class XlsxCorpus : public ::testing::TestWithParam<std::string> {};

TEST_P(XlsxCorpus, AgreesWithOpenpyxl) {
  const std::filesystem::path file = std::filesystem::path(TABULO_CORPUS_DIR) / GetParam();
  testing::ExpectAgreesWithOpenpyxl(ReadXlsx(file), file);
}

GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(XlsxCorpus);
INSTANTIATE_TEST_SUITE_P(Corpus, XlsxCorpus, ::testing::ValuesIn(CorpusWorkbooks()),
                         [](const auto& info) {
                           std::string name = info.param.substr(0, info.param.rfind('.'));
                           for (char& c : name)
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });

TEST(XlsxCorpus, ProtectionAndSheetFacts) {
  const Workbook protectedBook = ReadXlsx(std::filesystem::path(TABULO_CORPUS_DIR) /
                                          "phpss_issue2301_protected_552_merged.xlsx");
  const Protection& protection = protectedBook.sheets.at(0).protection;
  EXPECT_TRUE(protection.isProtected);
  EXPECT_TRUE(protection.hasPassword);
  EXPECT_EQ(protection.passwordHash, 0xEE36);
  EXPECT_EQ(protectedBook.sheets[0].mergedAreas.size(), 552u);
  EXPECT_EQ(protectedBook.sheets[0].defaultRowHeight, 12.75);

  const Workbook wide =
      ReadXlsx(std::filesystem::path(TABULO_CORPUS_DIR) / "poi_53105_16384_columns.xlsx");
  ASSERT_EQ(wide.sheets.size(), 3u);
  EXPECT_EQ(wide.sheets[0].recordedDimensions, ParseA1("A1:XFD2"));
  EXPECT_TRUE(wide.sheets[0].cells.count({1, kMaxColumns}));
  EXPECT_EQ(wide.sheets[0].defaultColumnPixels, 64);
}

}  // namespace
}  // namespace tabulo::spreadsheet
