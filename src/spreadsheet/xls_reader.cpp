#include "spreadsheet/xls_reader.h"

#include <algorithm>

#include "spreadsheet/xls/biff_error.h"
#include "spreadsheet/xls/compound_file.h"
#include "spreadsheet/xls/workbook_stream.h"

namespace tabulo::spreadsheet {

namespace {

// The workbook stream of BIFF8, and of BIFF5/BIFF7 (read only to name the version).
constexpr const char* kWorkbookStream = "Workbook";
constexpr const char* kBiff5Stream = "Book";
// An encrypted .xlsx is a compound file with these streams instead of a zip package.
constexpr const char* kEncryptedPackage = "EncryptedPackage";

Workbook ReadXlsFile(const std::filesystem::path& path) {
  const xls::CompoundFile file(path);
  auto stream = file.readStream(kWorkbookStream);
  if (!stream) stream = file.readStream(kBiff5Stream);
  if (!stream) {
    const auto names = file.names();
    if (std::find(names.begin(), names.end(), kEncryptedPackage) != names.end())
      throw xls::BiffError(
          "it is an encrypted workbook (protected with a password to open); open it in the "
          "spreadsheet application, remove the password and save it again");
    throw xls::BiffError(
        "it is not an Excel workbook (the compound file holds no workbook stream; it may be "
        "another kind of Office document)");
  }
  return xls::ReadWorkbookStream(*stream);
}

}  // namespace

Workbook ReadXls(const std::filesystem::path& path) {
  try {
    return ReadXlsFile(path);
  } catch (const xls::BiffError& error) {
    throw FileError("Cannot open workbook '" + path.string() + "': " + error.what() + ".");
  }
}

}  // namespace tabulo::spreadsheet
