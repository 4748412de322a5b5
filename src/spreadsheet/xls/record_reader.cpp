#include "spreadsheet/xls/record_reader.h"

#include <bit>
#include <cstring>

#include "spreadsheet/xls/biff_error.h"

namespace tabulo::spreadsheet::xls {

namespace {

constexpr std::uint8_t kHighByte = 0x01;  // characters are UTF-16, not compressed
constexpr std::uint8_t kPhonetic = 0x04;  // ext-rst (phonetic) data follow
constexpr std::uint8_t kRichText = 0x08;  // formatting runs follow

constexpr char32_t kReplacement = 0xFFFD;

}  // namespace

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

RecordReader::RecordReader(const Record& record) : record_(record) {}

bool RecordReader::settle() {
  while (true) {
    const auto& current = fragment_ == 0 ? record_.data : record_.continuations[fragment_ - 1];
    if (offset_ < current.size()) return true;
    if (fragment_ >= record_.continuations.size()) return false;
    ++fragment_;
    offset_ = 0;
  }
}

std::size_t RecordReader::remainingInFragment() const {
  const auto& current = fragment_ == 0 ? record_.data : record_.continuations[fragment_ - 1];
  return current.size() - offset_;
}

std::size_t RecordReader::remaining() const {
  std::size_t total = remainingInFragment();
  for (std::size_t k = fragment_; k < record_.continuations.size(); ++k)
    total += record_.continuations[k].size();
  return total;
}

void RecordReader::truncated() const {
  fail("is shorter than its contents (the file is damaged)");
}

void RecordReader::fail(const std::string& problem) const {
  throw BiffError("the " + RecordName(record_.id) + " record at offset " +
                  std::to_string(record_.offset) + " " + problem);
}

std::uint8_t RecordReader::u8() {
  if (!settle()) truncated();
  const auto& current = fragment_ == 0 ? record_.data : record_.continuations[fragment_ - 1];
  return current[offset_++];
}

std::uint16_t RecordReader::u16() {
  const std::uint16_t low = u8();
  return static_cast<std::uint16_t>(low | (u8() << 8));
}

std::uint32_t RecordReader::u32() {
  const std::uint32_t low = u16();
  return low | (static_cast<std::uint32_t>(u16()) << 16);
}

double RecordReader::f64() {
  std::uint64_t bits = u32();
  bits |= static_cast<std::uint64_t>(u32()) << 32;
  return std::bit_cast<double>(bits);
}

void RecordReader::skip(std::size_t count) {
  while (count > 0) {
    if (!settle()) truncated();
    const std::size_t step = std::min(count, remainingInFragment());
    offset_ += step;
    count -= step;
  }
}

std::string RecordReader::characters(std::size_t count, bool compressed) {
  std::string text;
  text.reserve(count);
  char32_t pendingHigh = 0;  // a high surrogate waiting for its low half
  auto append = [&](char32_t unit) {
    if (pendingHigh != 0) {
      if (unit >= 0xDC00 && unit <= 0xDFFF) {
        AppendUtf8(text, 0x10000 + ((pendingHigh - 0xD800) << 10) + (unit - 0xDC00));
        pendingHigh = 0;
        return;
      }
      AppendUtf8(text, kReplacement);
      pendingHigh = 0;
    }
    if (unit >= 0xD800 && unit <= 0xDBFF)
      pendingHigh = unit;
    else if (unit >= 0xDC00 && unit <= 0xDFFF)
      AppendUtf8(text, kReplacement);
    else
      AppendUtf8(text, unit);
  };
  while (count > 0) {
    if (remainingInFragment() == 0) {
      // The characters go on in the next CONTINUE, after its own option byte.
      if (fragment_ >= record_.continuations.size()) truncated();
      ++fragment_;
      offset_ = 0;
      compressed = (u8() & kHighByte) == 0;
    }
    const std::size_t unitSize = compressed ? 1 : 2;
    std::size_t available = remainingInFragment() / unitSize;
    if (available == 0) truncated();
    available = std::min(available, count);
    for (std::size_t i = 0; i < available; ++i) append(compressed ? u8() : u16());
    count -= available;
  }
  if (pendingHigh != 0) AppendUtf8(text, kReplacement);
  return text;
}

std::string ReadUnicodeString(RecordReader& reader, CountWidth width) {
  const std::size_t count = width == CountWidth::kByte ? reader.u8() : reader.u16();
  const std::uint8_t options = reader.u8();
  const std::size_t runs = (options & kRichText) != 0 ? reader.u16() : 0;
  const std::size_t phoneticBytes = (options & kPhonetic) != 0 ? reader.u32() : 0;
  std::string text = reader.characters(count, (options & kHighByte) == 0);
  reader.skip(runs * 4);
  reader.skip(phoneticBytes);
  return text;
}

}  // namespace tabulo::spreadsheet::xls
