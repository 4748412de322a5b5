#pragma once
// BIFF8 record framing: a workbook stream is a sequence of records, each a 16-bit
// id, a 16-bit length and that many bytes. A record too long for one frame goes on
// in CONTINUE records, which are gathered here as further fragments of it.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tabulo::spreadsheet::xls {

// Record ids (BIFF8).
namespace record {
inline constexpr std::uint16_t kFormula = 0x0006;
inline constexpr std::uint16_t kEof = 0x000A;
inline constexpr std::uint16_t kProtect = 0x0012;
inline constexpr std::uint16_t kPassword = 0x0013;
inline constexpr std::uint16_t kDateMode = 0x0022;
inline constexpr std::uint16_t kFilePass = 0x002F;
inline constexpr std::uint16_t kFont = 0x0031;
inline constexpr std::uint16_t kContinue = 0x003C;
inline constexpr std::uint16_t kWindow1 = 0x003D;
inline constexpr std::uint16_t kCodePage = 0x0042;
inline constexpr std::uint16_t kDefColWidth = 0x0055;
inline constexpr std::uint16_t kColInfo = 0x007D;
inline constexpr std::uint16_t kBoundSheet = 0x0085;
inline constexpr std::uint16_t kPalette = 0x0092;
inline constexpr std::uint16_t kStandardWidth = 0x0099;
inline constexpr std::uint16_t kMulRk = 0x00BD;
inline constexpr std::uint16_t kMulBlank = 0x00BE;
inline constexpr std::uint16_t kRString = 0x00D6;
inline constexpr std::uint16_t kXf = 0x00E0;
inline constexpr std::uint16_t kMergedCells = 0x00E5;
inline constexpr std::uint16_t kSst = 0x00FC;
inline constexpr std::uint16_t kLabelSst = 0x00FD;
inline constexpr std::uint16_t kDimensions = 0x0200;
inline constexpr std::uint16_t kBlank = 0x0201;
inline constexpr std::uint16_t kNumber = 0x0203;
inline constexpr std::uint16_t kLabel = 0x0204;
inline constexpr std::uint16_t kBoolErr = 0x0205;
inline constexpr std::uint16_t kString = 0x0207;
inline constexpr std::uint16_t kRow = 0x0208;
inline constexpr std::uint16_t kRk = 0x027E;
inline constexpr std::uint16_t kFormat = 0x041E;
inline constexpr std::uint16_t kDefaultRowHeight = 0x0225;
inline constexpr std::uint16_t kWindow2 = 0x023E;
inline constexpr std::uint16_t kBof = 0x0809;
// BOF ids of the BIFF versions before BIFF5, recognised only to name them.
inline constexpr std::uint16_t kBofBiff2 = 0x0009;
inline constexpr std::uint16_t kBofBiff3 = 0x0209;
inline constexpr std::uint16_t kBofBiff4 = 0x0409;
}  // namespace record

// The record's name as the file format documents it ("XF", "SST"), or its id in hex.
std::string RecordName(std::uint16_t id);

struct Record {
  std::uint16_t id = 0;
  std::size_t offset = 0;  // of the record's header in the stream
  std::span<const std::uint8_t> data;
  // Data of the CONTINUE records that directly follow, in order.
  std::vector<std::span<const std::uint8_t>> continuations;

  // Bytes of data in all fragments.
  std::size_t size() const;
};

// Walks the records of a workbook stream from a given offset.
class RecordStream {
 public:
  explicit RecordStream(std::span<const std::uint8_t> stream, std::size_t offset = 0);

  // The next record with its CONTINUE fragments, or nothing at the end of the
  // stream. Throws BiffError when a record runs past the end of the stream.
  std::optional<Record> next();
  // Offset of the next record's header.
  std::size_t position() const { return position_; }

 private:
  std::optional<std::uint16_t> peekId() const;
  std::span<const std::uint8_t> readFrame(std::uint16_t id);

  std::span<const std::uint8_t> stream_;
  std::size_t position_;
};

}  // namespace tabulo::spreadsheet::xls
