#pragma once
// Helpers for the DXF tests: an independent raw tag splitter, temporary folders,
// the python3-ezdxf checks, and a table built the way the export builds one.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "automation/dispatch.h"
#include "drawing/application.h"

namespace tabulo::drawing::testing {

using RawTag = std::pair<int, std::string>;

// Tags of a DXF file as plain (code, value line) pairs, with no decoding at all,
// so a comparison sees every byte of every value.
inline std::vector<RawTag> RawTags(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::vector<RawTag> tags;
  std::string code, value;
  auto chomp = [](std::string& line) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
  };
  while (std::getline(in, code) && std::getline(in, value)) {
    chomp(code);
    chomp(value);
    tags.emplace_back(std::stoi(code), value);
  }
  return tags;
}

inline std::string ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

inline void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary) << bytes;
}

// A fresh folder removed with the object.
class TemporaryFolder {
 public:
  TemporaryFolder() {
    std::random_device random;
    path_ = std::filesystem::temp_directory_path() /
            ("tabulo_drawing_" + std::to_string(random()) + std::to_string(random()));
    std::filesystem::create_directories(path_);
  }
  ~TemporaryFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

struct CommandResult {
  int status = -1;
  std::string output;
};

// Runs a shell command, collecting its standard output and error.
inline CommandResult RunCommand(const std::string& command) {
  CommandResult result;
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen((command + " 2>&1").c_str(), "r"), pclose);
  if (!pipe) return result;
  char buffer[4096];
  while (std::fgets(buffer, sizeof buffer, pipe.get())) result.output += buffer;
  int status = pclose(pipe.release());
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

inline const char* kPython = "/usr/bin/python3";

// True when /usr/bin/python3 can import ezdxf.
inline bool HaveEzdxf() {
  static const bool have = std::filesystem::exists(kPython) &&
                           RunCommand(std::string(kPython) + " -c 'import ezdxf'").status == 0;
  return have;
}

inline std::string Script(const std::string& name) {
  return std::string(TABULO_SOURCE_DIR) + "/tests/drawing/" + name;
}

inline std::string Quoted(const std::filesystem::path& path) {
  return "'" + path.string() + "'";
}

}  // namespace tabulo::drawing::testing
