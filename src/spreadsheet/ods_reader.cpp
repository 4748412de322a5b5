#include "spreadsheet/ods_reader.h"

namespace tabulo::spreadsheet {

Workbook ReadOds(const std::filesystem::path& file) {
  throw FileError("Cannot open workbook '" + file.string() + "': .ods files are not read yet.");
}

}  // namespace tabulo::spreadsheet
