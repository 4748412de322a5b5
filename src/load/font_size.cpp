#include "load/font_size.h"

#include <cmath>
#include <limits>
#include <string>

#include "automation/error.h"

namespace tabulo::load {
namespace {

// An unsigned 128-bit integer, enough for a 64-bit mantissa shifted by a few bits.
// Written out because 32-bit targets have no __int128.
struct U128 {
  std::uint64_t hi = 0;
  std::uint64_t lo = 0;
};

int BitLength(std::uint64_t v) {
  int n = 0;
  while (v) {
    ++n;
    v >>= 1;
  }
  return n;
}

int BitLength(const U128& v) {
  return v.hi ? 64 + BitLength(v.hi) : BitLength(v.lo);
}

// v × small, for small < 2^32 and a product below 2^128.
U128 Multiply(std::uint64_t v, std::uint32_t small) {
  std::uint64_t lowPart = (v & 0xFFFFFFFFu) * small;  // < 2^64
  std::uint64_t highPart = (v >> 32) * small;         // < 2^64
  U128 r;
  r.lo = lowPart + (highPart << 32);
  r.hi = (highPart >> 32) + (r.lo < lowPart ? 1 : 0);
  return r;
}

U128 ShiftLeft(const U128& v, int bits) {  // 0 < bits < 64
  return U128{(v.hi << bits) | (v.lo >> (64 - bits)), v.lo << bits};
}

// floor(v / divisor) and the remainder, for a divisor below 2^32: long division on
// 32-bit limbs, each step's dividend staying below 2^64.
U128 Divide(const U128& v, std::uint32_t divisor, std::uint64_t& remainder) {
  const std::uint64_t limbs[4] = {v.hi >> 32, v.hi & 0xFFFFFFFFu, v.lo >> 32, v.lo & 0xFFFFFFFFu};
  std::uint64_t q[4];
  std::uint64_t r = 0;
  for (int i = 0; i < 4; ++i) {
    std::uint64_t current = (r << 32) | limbs[i];
    q[i] = current / divisor;
    r = current % divisor;
  }
  remainder = r;
  return U128{(q[0] << 32) | q[1], (q[2] << 32) | q[3]};
}

// A positive value mantissa × 2^exponent whose mantissa has exactly 64 bits (the
// top bit set), as an x87 extended register holds it.
struct Extended {
  std::uint64_t mantissa = 0;
  int exponent = 0;
};

// Rounds v, of 65 to 127 bits, to 64 significant bits: to nearest, ties to even.
Extended RoundToExtended(const U128& v, int exponent) {
  int shift = BitLength(v) - 64;  // 1..63
  std::uint64_t kept = (v.lo >> shift) | (v.hi << (64 - shift));
  std::uint64_t dropped = v.lo & ((std::uint64_t{1} << shift) - 1);
  std::uint64_t half = std::uint64_t{1} << (shift - 1);
  Extended e{kept, exponent + shift};
  if (dropped > half || (dropped == half && (kept & 1))) {
    if (++e.mantissa == 0) {  // carried out of 64 bits
      e.mantissa = std::uint64_t{1} << 63;
      ++e.exponent;
    }
  }
  return e;
}

// x × 10000 rounded to extended precision.
Extended TimesTenThousand(std::uint64_t mantissa53, int exponent) {
  return RoundToExtended(Multiply(mantissa53, 10000), exponent);
}

// x ÷ 6500 rounded to extended precision: the quotient is developed to 64 bits and
// the remainder decides the rounding.
Extended DividedBySixThousandFiveHundred(const Extended& x) {
  constexpr std::uint32_t kDivisor = 6500;
  for (int shift : {13, 12}) {  // x ≥ 2^63, so one of these gives a 64-bit quotient
    std::uint64_t remainder = 0;
    U128 q = Divide(ShiftLeft(U128{0, x.mantissa}, shift), kDivisor, remainder);
    if (q.hi != 0) continue;
    Extended e{q.lo, x.exponent - shift};
    bool up = 2 * remainder > kDivisor || (2 * remainder == kDivisor && (q.lo & 1));
    if (up && ++e.mantissa == 0) {
      e.mantissa = std::uint64_t{1} << 63;
      ++e.exponent;
    }
    return e;
  }
  throw automation::Error("Internal error: the font size quotient has no 64-bit form.");
}

// The extended value stored as a double: 64 bits rounded to 53, ties to even.
double ToDouble(const Extended& x) {
  std::uint64_t kept = x.mantissa >> 11;
  std::uint64_t dropped = x.mantissa & 0x7FF;
  int exponent = x.exponent + 11;
  if (dropped > 0x400 || (dropped == 0x400 && (kept & 1))) {
    if (++kept == (std::uint64_t{1} << 53)) {
      kept >>= 1;
      ++exponent;
    }
  }
  return std::ldexp(static_cast<double>(kept), exponent);
}

}  // namespace

double ExtendedSizeQuotient(double height) {
  if (!std::isfinite(height))
    throw automation::Error("The text height " + std::to_string(height) +
                            " is not a number; the font size cannot be restored.");
  if (height == 0.0) return 0.0;
  // |height| = mantissa × 2^exponent with a 53-bit mantissa.
  int binaryExponent = 0;
  double fraction = std::frexp(std::fabs(height), &binaryExponent);
  auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
  Extended product = TimesTenThousand(mantissa, binaryExponent - 53);
  double quotient = ToDouble(DividedBySixThousandFiveHundred(product));
  return height < 0 ? -quotient : quotient;
}

std::int32_t FontSizeForHeight(double height) {
  double size = std::nearbyint(ExtendedSizeQuotient(height));
  if (!(size >= std::numeric_limits<std::int32_t>::min() &&
        size <= std::numeric_limits<std::int32_t>::max()))
    throw automation::Error("The text height " + std::to_string(height) +
                            " gives a font size too large for the spreadsheet.");
  return static_cast<std::int32_t>(size);
}

}  // namespace tabulo::load
