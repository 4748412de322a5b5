#pragma once
// Helpers shared by the .xls reader tests: temporary folders, running the Python
// fixture tools, and building BIFF8 records by hand.
#include <array>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace tabulo::spreadsheet::xls_test {

inline const std::filesystem::path kFixtureTools =
    std::filesystem::path(TABULO_SOURCE_DIR) / "tests/spreadsheet/fixtures/xls";
inline const std::filesystem::path kCorpus = TABULO_CORPUS_DIR;
inline constexpr const char* kPython = "/usr/bin/python3";

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
 public:
  TempDir() {
    std::random_device seed;
    path_ = std::filesystem::temp_directory_path() /
            ("tabulo-xls-" + std::to_string(seed()) + "-" + std::to_string(seed()));
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

inline std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// Runs a command through the shell; its standard output, or throws on failure.
inline std::string RunCommand(const std::string& command) {
  struct Closer {
    void operator()(FILE* f) const { pclose(f); }
  };
  FILE* raw = popen(command.c_str(), "r");
  if (raw == nullptr) throw std::runtime_error("cannot run: " + command);
  std::unique_ptr<FILE, Closer> pipe(raw);
  std::string output;
  std::array<char, 4096> buffer;
  while (std::size_t got = std::fread(buffer.data(), 1, buffer.size(), pipe.get()))
    output.append(buffer.data(), got);
  const int status = pclose(pipe.release());
  if (status != 0)
    throw std::runtime_error("command failed (" + std::to_string(status) + "): " + command);
  return output;
}

// Runs one of the fixture tools with /usr/bin/python3.
inline std::string RunPythonTool(const std::string& script, const std::string& argument) {
  return RunCommand(std::string(kPython) + " " + ShellQuoted((kFixtureTools / script).string()) +
                    " " + ShellQuoted(argument));
}

inline std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

// The xlwt fixtures, written once per test program into a temporary folder.
inline const std::filesystem::path& XlwtFixtures() {
  static TempDir dir;
  static const bool made = (RunPythonTool("make_fixtures.py", dir.path().string()), true);
  (void)made;
  return dir.path();
}

// Little-endian byte building for hand-made records.
class Bytes {
 public:
  Bytes& u8(std::uint8_t v) {
    data_.push_back(v);
    return *this;
  }
  Bytes& u16(std::uint16_t v) { return u8(v & 0xFF).u8(v >> 8); }
  Bytes& u32(std::uint32_t v) { return u16(v & 0xFFFF).u16(v >> 16); }
  Bytes& f64(double v) {
    const auto bits = std::bit_cast<std::uint64_t>(v);
    return u32(static_cast<std::uint32_t>(bits)).u32(static_cast<std::uint32_t>(bits >> 32));
  }
  Bytes& raw(const std::vector<std::uint8_t>& bytes) {
    data_.insert(data_.end(), bytes.begin(), bytes.end());
    return *this;
  }
  // Characters below U+0100 only, one byte each.
  Bytes& latin1(const std::string& text) {
    for (char c : text) u8(static_cast<std::uint8_t>(c));
    return *this;
  }
  // A compressed XLUnicodeString (16-bit count) of Latin-1 text.
  Bytes& string16(const std::string& text) {
    return u16(static_cast<std::uint16_t>(text.size())).u8(0).latin1(text);
  }
  // A compressed ShortXLUnicodeString (8-bit count).
  Bytes& string8(const std::string& text) {
    return u8(static_cast<std::uint8_t>(text.size())).u8(0).latin1(text);
  }
  // UTF-16LE code units.
  Bytes& utf16(const std::u16string& text) {
    for (char16_t c : text) u16(c);
    return *this;
  }
  const std::vector<std::uint8_t>& data() const { return data_; }
  std::size_t size() const { return data_.size(); }

 private:
  std::vector<std::uint8_t> data_;
};

// A record: id, length, data.
inline std::vector<std::uint8_t> Rec(std::uint16_t id, const Bytes& body) {
  Bytes record;
  record.u16(id).u16(static_cast<std::uint16_t>(body.size())).raw(body.data());
  return record.data();
}

// BOF substream types.
inline constexpr std::uint16_t kGlobalsBof = 0x0005;
inline constexpr std::uint16_t kWorksheetBof = 0x0010;
inline constexpr std::uint16_t kChartBof = 0x0020;

inline std::vector<std::uint8_t> BofRecord(std::uint16_t type, std::uint16_t version = 0x0600) {
  return Rec(0x0809, Bytes().u16(version).u16(type).u16(0x0DBB).u16(0x07CC).u32(0).u32(6));
}
inline std::vector<std::uint8_t> EofRecord() {
  return Rec(0x000A, Bytes());
}

// An XF record: font, number format, alignment byte, the two border words and the
// fill word.
inline std::vector<std::uint8_t> XfRecord(std::uint16_t font, std::uint16_t format = 0,
                                          std::uint8_t alignment = 0x20, std::uint32_t borders1 = 0,
                                          std::uint32_t borders2 = 0, std::uint16_t fill = 0x20C0) {
  return Rec(0x00E0, Bytes()
                         .u16(font)
                         .u16(format)
                         .u16(0x0001)
                         .u8(alignment)
                         .u8(0)
                         .u8(0)
                         .u8(0)
                         .u32(borders1)
                         .u32(borders2)
                         .u16(fill));
}

// A FONT record: height in twips, option bits, colour index, weight, underline.
inline std::vector<std::uint8_t> FontRecord(const std::string& name, std::uint16_t height = 200,
                                            std::uint16_t options = 0, std::uint16_t color = 0x7FFF,
                                            std::uint16_t weight = 400,
                                            std::uint8_t underline = 0) {
  return Rec(0x0031, Bytes()
                         .u16(height)
                         .u16(options)
                         .u16(color)
                         .u16(weight)
                         .u16(0)
                         .u8(underline)
                         .u8(0)
                         .u8(0)
                         .u8(0)
                         .string8(name));
}

struct SheetSpec {
  std::string name;
  std::vector<std::vector<std::uint8_t>> records;  // between the sheet's BOF and EOF
  std::uint8_t type = 0;                           // BOUNDSHEET type
  std::uint16_t bofType = kWorksheetBof;
};

// A workbook stream: globals (BOF, `globals`, one BOUNDSHEET per sheet, EOF), then
// each sheet's substream.
inline std::vector<std::uint8_t> BuildStream(const std::vector<std::vector<std::uint8_t>>& globals,
                                             const std::vector<SheetSpec>& sheets) {
  std::vector<std::uint8_t> head = BofRecord(kGlobalsBof);
  for (const auto& record : globals) head.insert(head.end(), record.begin(), record.end());
  std::size_t offset = head.size() + EofRecord().size();
  for (const auto& sheet : sheets) offset += 4 + 8 + sheet.name.size();
  std::vector<std::vector<std::uint8_t>> bodies;
  for (const auto& sheet : sheets) {
    std::vector<std::uint8_t> body = BofRecord(sheet.bofType);
    for (const auto& record : sheet.records) body.insert(body.end(), record.begin(), record.end());
    const auto eof = EofRecord();
    body.insert(body.end(), eof.begin(), eof.end());
    const auto bound = Rec(
        0x0085,
        Bytes().u32(static_cast<std::uint32_t>(offset)).u8(0).u8(sheet.type).string8(sheet.name));
    head.insert(head.end(), bound.begin(), bound.end());
    offset += body.size();
    bodies.push_back(std::move(body));
  }
  const auto eof = EofRecord();
  head.insert(head.end(), eof.begin(), eof.end());
  for (const auto& body : bodies) head.insert(head.end(), body.begin(), body.end());
  return head;
}

}  // namespace tabulo::spreadsheet::xls_test
