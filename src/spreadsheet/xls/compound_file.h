#pragma once
// An OLE2 compound file (the container of .xls workbooks), read through libgsf.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct _GsfInfile;

namespace tabulo::spreadsheet::xls {

class CompoundFile {
 public:
  // Opens the container; throws BiffError when the file cannot be read or is not
  // a compound file.
  explicit CompoundFile(const std::filesystem::path& path);
  ~CompoundFile();
  CompoundFile(const CompoundFile&) = delete;
  CompoundFile& operator=(const CompoundFile&) = delete;

  // Names of the streams and storages at the top level.
  std::vector<std::string> names() const;
  // The whole content of the top-level stream whose name matches `name` ignoring
  // ASCII case, or nothing when there is none. Throws BiffError when it cannot be read.
  std::optional<std::vector<std::uint8_t>> readStream(std::string_view name) const;

 private:
  struct Unref {
    void operator()(_GsfInfile* object) const;
  };
  std::unique_ptr<_GsfInfile, Unref> root_;
};

}  // namespace tabulo::spreadsheet::xls
