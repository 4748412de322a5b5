#include "export/fixed_point.h"

#include <cmath>
#include <limits>

#include "automation/error.h"

namespace tabulo::exporting {
namespace {

[[noreturn]] void Overflow() {
  throw automation::Error("Overflow: the value does not fit in Currency.");
}

// An unsigned 128-bit integer, enough for a 53-bit mantissa times a 64-bit factor.
// Written out by hand because 32-bit targets have no native 128-bit type.
struct U128 {
  std::uint64_t hi = 0;
  std::uint64_t lo = 0;
  bool isZero() const { return hi == 0 && lo == 0; }
};

U128 Multiply(std::uint64_t a, std::uint64_t b) {
  const std::uint64_t mask = 0xFFFFFFFFu;
  std::uint64_t a0 = a & mask, a1 = a >> 32, b0 = b & mask, b1 = b >> 32;
  std::uint64_t p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0, p11 = a1 * b1;
  std::uint64_t middle = (p00 >> 32) + (p01 & mask) + (p10 & mask);
  U128 r;
  r.lo = (middle << 32) | (p00 & mask);
  r.hi = p11 + (p01 >> 32) + (p10 >> 32) + (middle >> 32);
  return r;
}

// Bit n (0..127) of v.
bool Bit(const U128& v, int n) {
  return n < 64 ? ((v.lo >> n) & 1u) != 0 : ((v.hi >> (n - 64)) & 1u) != 0;
}

// Whether any of the bits below n (0..128) of v is set.
bool AnyBitBelow(const U128& v, int n) {
  if (n <= 0) return false;
  if (n >= 128) return !v.isZero();
  if (n <= 64) return n == 64 ? v.lo != 0 : (v.lo & ((std::uint64_t{1} << n) - 1)) != 0;
  return v.lo != 0 || (v.hi & ((std::uint64_t{1} << (n - 64)) - 1)) != 0;
}

// v >> n, for n >= 1; 0 when n >= 128.
U128 ShiftRight(const U128& v, int n) {
  if (n >= 128) return {};
  if (n >= 64) return {0, v.hi >> (n - 64)};
  return {v.hi >> n, (v.lo >> n) | (v.hi << (64 - n))};
}

std::int64_t CheckedAdd(std::int64_t a, std::int64_t b) {
  if ((b > 0 && a > std::numeric_limits<std::int64_t>::max() - b) ||
      (b < 0 && a < std::numeric_limits<std::int64_t>::min() - b))
    Overflow();
  return a + b;
}

std::int64_t Negate(std::int64_t a) {
  if (a == std::numeric_limits<std::int64_t>::min()) Overflow();
  return -a;
}

// The nearest integer to value × factor + addend, computed exactly and rounded
// once, an exact half to the even neighbour.
std::int64_t RoundScaledSum(double value, std::uint64_t factor, std::int64_t addend) {
  if (!std::isfinite(value)) Overflow();
  if (value == 0.0 || factor == 0) return addend;

  // value = sign × mantissa × 2^exponent with an integer mantissa below 2^53.
  int binaryExponent = 0;
  double fraction = std::frexp(std::fabs(value), &binaryExponent);
  auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
  int exponent = binaryExponent - 53;
  bool negative = value < 0;

  U128 product = Multiply(mantissa, factor);
  const std::uint64_t maxMagnitude = std::numeric_limits<std::int64_t>::max();

  if (exponent >= 0) {
    // A whole number: product × 2^exponent must fit.
    if (product.hi != 0 || exponent >= 63 || (product.lo >> (63 - exponent)) != 0) Overflow();
    auto magnitude = static_cast<std::int64_t>(product.lo << exponent);
    return CheckedAdd(addend, negative ? -magnitude : magnitude);
  }

  int shift = -exponent;
  U128 whole = ShiftRight(product, shift);
  if (whole.hi != 0 || whole.lo > maxMagnitude) Overflow();
  auto integer = static_cast<std::int64_t>(whole.lo);
  // How the dropped fraction compares with one half.
  bool halfBit = shift <= 128 && Bit(product, shift - 1);
  bool belowHalf = AnyBitBelow(product, std::min(shift - 1, 128));
  bool fractionZero = !halfBit && !belowHalf;

  std::int64_t floor = 0;
  bool roundUp = false;
  if (!negative) {
    floor = CheckedAdd(addend, integer);
    bool aboveHalf = halfBit && belowHalf;
    bool exactHalf = halfBit && !belowHalf;
    roundUp = aboveHalf || (exactHalf && (floor & 1) != 0);
  } else {
    if (fractionZero) return CheckedAdd(addend, -integer);
    // -(integer + f) = (-integer - 1) + (1 - f): the fraction left is 1 - f.
    floor = CheckedAdd(CheckedAdd(addend, -integer), -1);
    bool fBelowHalf = !halfBit;
    bool exactHalf = halfBit && !belowHalf;
    roundUp = fBelowHalf || (exactHalf && (floor & 1) != 0);
  }
  return roundUp ? CheckedAdd(floor, 1) : floor;
}

}  // namespace

Currency FixedMul(Currency factor, double value) {
  std::int64_t ticks = factor.tenThousandths;
  if (ticks < 0)
    return Currency{RoundScaledSum(-value, static_cast<std::uint64_t>(Negate(ticks)), 0)};
  return Currency{RoundScaledSum(value, static_cast<std::uint64_t>(ticks), 0)};
}

Currency FixedAdd(double value, Currency addend) {
  return Currency{RoundScaledSum(value, 10000, addend.tenThousandths)};
}

Currency FixedSub(double value, Currency subtrahend) {
  return Currency{RoundScaledSum(value, 10000, Negate(subtrahend.tenThousandths))};
}

double ToDouble(Currency value) {
  // One correctly rounded division: exact for every count below 2^53.
  return static_cast<double>(value.tenThousandths) / 10000.0;
}

}  // namespace tabulo::exporting
