#pragma once
// Read-only access to the members of a zip archive (the container of .xlsx and
// .ods files), over libzip.
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

struct zip;

namespace tabulo::spreadsheet {

class ZipArchive {
 public:
  // Opens `file`; throws FileError naming the file when it is missing, unreadable
  // or not a zip archive.
  explicit ZipArchive(const std::filesystem::path& file);

  // True when the archive holds a member of that name (compared case-insensitively,
  // as package part names are).
  bool contains(const std::string& name) const;
  // The member's bytes; throws FileError naming the file and the member when it is
  // missing or damaged (bad checksum, broken compression, too large).
  std::string read(const std::string& name) const;
  // The member's bytes, or nothing when there is no such member; damaged members
  // still throw.
  std::optional<std::string> readIfPresent(const std::string& name) const;

  const std::filesystem::path& path() const { return path_; }

 private:
  struct Closer {
    void operator()(zip* archive) const;
  };
  std::filesystem::path path_;
  std::unique_ptr<zip, Closer> archive_;
};

// True when `file` is a zip archive holding a member `name` (case-insensitive);
// throws FileError when the file cannot be opened as a zip archive.
bool ZipHasEntry(const std::filesystem::path& file, const std::string& name);

}  // namespace tabulo::spreadsheet
