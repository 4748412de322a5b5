#include "spreadsheet/zip_archive.h"

#include <zip.h>

#include "spreadsheet/workbook.h"

namespace tabulo::spreadsheet {

namespace {

// Members larger than this are refused rather than inflated: no sheet part of a
// real workbook comes near it, a crafted archive could.
constexpr zip_uint64_t kMaxMemberSize = 1ull << 30;

std::string Quoted(const std::filesystem::path& file) {
  return "'" + file.string() + "'";
}

std::string OpenErrorText(int code) {
  switch (code) {
    case ZIP_ER_NOENT:
      return "the file does not exist";
    case ZIP_ER_OPEN:
    case ZIP_ER_READ:
      return "the file cannot be read";
    case ZIP_ER_NOZIP:
      return "it is not a zip archive (the workbook is damaged or of another type)";
    case ZIP_ER_INCONS:
      return "its zip structure is inconsistent (the file is damaged)";
    case ZIP_ER_MEMORY:
      return "there is not enough memory";
    default: {
      zip_error_t error;
      zip_error_init_with_code(&error, code);
      std::string text = zip_error_strerror(&error);
      zip_error_fini(&error);
      return text;
    }
  }
}

}  // namespace

void ZipArchive::Closer::operator()(zip* archive) const {
  zip_discard(archive);
}

ZipArchive::ZipArchive(const std::filesystem::path& file) : path_(file) {
  std::error_code ec;
  if (std::filesystem::is_directory(file, ec))
    throw FileError("Cannot open workbook " + Quoted(file) +
                    ": it is a folder, not a workbook file.");
  int code = 0;
  zip* archive = zip_open(file.c_str(), ZIP_RDONLY, &code);
  if (archive == nullptr)
    throw FileError("Cannot open workbook " + Quoted(file) + ": " + OpenErrorText(code) + ".");
  archive_.reset(archive);
}

bool ZipArchive::contains(const std::string& name) const {
  return zip_name_locate(archive_.get(), name.c_str(), ZIP_FL_NOCASE) >= 0;
}

std::optional<std::string> ZipArchive::readIfPresent(const std::string& name) const {
  zip_int64_t index = zip_name_locate(archive_.get(), name.c_str(), ZIP_FL_NOCASE);
  if (index < 0) return std::nullopt;
  auto fail = [&](const std::string& reason) -> FileError {
    return FileError("Cannot read workbook " + Quoted(path_) + ": its part \"" + name + "\" " +
                     reason + ".");
  };
  zip_stat_t stat;
  zip_stat_init(&stat);
  if (zip_stat_index(archive_.get(), static_cast<zip_uint64_t>(index), 0, &stat) != 0 ||
      (stat.valid & ZIP_STAT_SIZE) == 0)
    throw fail("cannot be examined (the file is damaged)");
  if (stat.size > kMaxMemberSize) throw fail("is too large to be a workbook part");

  struct FileCloser {
    void operator()(zip_file_t* f) const { zip_fclose(f); }
  };
  std::unique_ptr<zip_file_t, FileCloser> member(
      zip_fopen_index(archive_.get(), static_cast<zip_uint64_t>(index), 0));
  if (!member) throw fail(std::string("cannot be opened (") + zip_strerror(archive_.get()) + ")");

  std::string bytes(static_cast<std::size_t>(stat.size), '\0');
  zip_uint64_t done = 0;
  while (done < stat.size) {
    zip_int64_t n = zip_fread(member.get(), bytes.data() + done, stat.size - done);
    if (n < 0) throw fail(std::string("is damaged (") + zip_file_strerror(member.get()) + ")");
    if (n == 0) throw fail("is shorter than its recorded size (the file is damaged)");
    done += static_cast<zip_uint64_t>(n);
  }
  // Reading past the recorded size makes libzip verify the checksum.
  char extra;
  if (zip_fread(member.get(), &extra, 1) < 0)
    throw fail(std::string("is damaged (") + zip_file_strerror(member.get()) + ")");
  return bytes;
}

std::string ZipArchive::read(const std::string& name) const {
  auto bytes = readIfPresent(name);
  if (!bytes)
    throw FileError("Cannot read workbook " + Quoted(path_) + ": the part \"" + name +
                    "\" is missing (the workbook is damaged or of another type).");
  return *bytes;
}

bool ZipHasEntry(const std::filesystem::path& file, const std::string& name) {
  return ZipArchive(file).contains(name);
}

}  // namespace tabulo::spreadsheet
