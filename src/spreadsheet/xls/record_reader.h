#pragma once
// Bounds-checked little-endian reading of one record's data, across its CONTINUE
// fragments. Every read past the end throws BiffError naming the record.
#include <cstddef>
#include <cstdint>
#include <string>

#include "spreadsheet/xls/biff_records.h"

namespace tabulo::spreadsheet::xls {

class RecordReader {
 public:
  explicit RecordReader(const Record& record);

  std::uint8_t u8();
  std::uint16_t u16();
  std::uint32_t u32();
  std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
  double f64();
  void skip(std::size_t count);

  // Bytes left in this record and its fragments.
  std::size_t remaining() const;
  // Bytes left in the current fragment.
  std::size_t remainingInFragment() const;

  // `count` characters of a BIFF8 string as UTF-8, one byte each when `compressed`
  // (the low bytes of UTF-16 code units), else UTF-16LE. Where the characters
  // cross into a CONTINUE fragment, that fragment starts with a fresh option byte
  // saying whether the rest is compressed.
  std::string characters(std::size_t count, bool compressed);

  // Throws the BiffError for data that ends too soon.
  [[noreturn]] void truncated() const;
  // Throws a BiffError saying what is wrong with this record.
  [[noreturn]] void fail(const std::string& problem) const;

 private:
  // Moves to the next fragment when the current one is used up; false at the end.
  bool settle();

  const Record& record_;
  std::size_t fragment_ = 0;  // 0 = record data, k = continuations[k - 1]
  std::size_t offset_ = 0;    // within the current fragment
};

// Which count precedes a string's characters.
enum class CountWidth { kByte, kWord };

// A BIFF8 Unicode string (XLUnicodeString with a 16-bit count, ShortXLUnicodeString
// with an 8-bit one, XLUnicodeRichExtendedString in the SST) as UTF-8. Rich-text
// runs and phonetic (ext-rst) data that follow the characters are skipped.
std::string ReadUnicodeString(RecordReader& reader, CountWidth width);

// Appends a code point as UTF-8.
void AppendUtf8(std::string& out, char32_t codePoint);

}  // namespace tabulo::spreadsheet::xls
