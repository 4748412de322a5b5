#include "spreadsheet/workbook_file.h"

#include <array>
#include <fstream>
#include <system_error>

#include "spreadsheet/ods_reader.h"
#include "spreadsheet/xls_reader.h"
#include "spreadsheet/xlsx_reader.h"
#include "spreadsheet/zip_archive.h"

namespace tabulo::spreadsheet {
namespace {

constexpr std::array<unsigned char, 8> kOle2Magic = {0xD0, 0xCF, 0x11, 0xE0,
                                                     0xA1, 0xB1, 0x1A, 0xE1};

}  // namespace

Workbook ReadWorkbookFile(const std::filesystem::path& path) {
  const std::string name = path.string();
  std::error_code ec;
  if (!std::filesystem::exists(path, ec))
    throw FileError("Cannot open workbook '" + name + "': the file does not exist.");
  if (std::filesystem::is_directory(path, ec))
    throw FileError("Cannot open workbook '" + name + "': it is a folder, not a file.");
  std::ifstream in(path, std::ios::binary);
  if (!in) throw FileError("Cannot open workbook '" + name + "': the file cannot be read.");
  std::array<unsigned char, 8> head{};
  in.read(reinterpret_cast<char*>(head.data()), head.size());
  const auto got = static_cast<std::size_t>(in.gcount());
  if (got == 0) throw FileError("Cannot open workbook '" + name + "': the file is empty.");

  if (got == head.size() && head == kOle2Magic) return ReadXls(path);
  if (got >= 4 && head[0] == 'P' && head[1] == 'K' && head[2] == 3 && head[3] == 4) {
    if (ZipHasEntry(path, "xl/workbook.xml")) return ReadXlsx(path);
    if (ZipHasEntry(path, "content.xml")) return ReadOds(path);
    throw FileError("Cannot open workbook '" + name +
                    "': it is a zip package but neither an .xlsx nor an .ods workbook.");
  }
  throw FileError("Cannot open workbook '" + name +
                  "': it is not an .xls, .xlsx or .ods workbook.");
}

}  // namespace tabulo::spreadsheet
