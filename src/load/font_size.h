#pragma once
#include <cstdint>

namespace tabulo::load {

// The font size, in whole points, that a text height in block units stands for:
// the inverse of the export's height = 0.65 × size. The quotient is formed as
// (height × 10000) ÷ 6500 with every operation rounded to a 64-bit mantissa (x87
// extended precision), stored as a double, then rounded to the nearest integer, an
// exact half going to the even neighbour. 7.475 gives 12: its extended quotient
// lies just below 11.5 and becomes exactly 11.5 as a double.
// Throws automation::Error when the height is not finite or the size does not fit
// a 32-bit integer.
std::int32_t FontSizeForHeight(double height);

// The quotient (height × 10000) ÷ 6500 as described above, before the final
// rounding. Computed with integer arithmetic on the double's bits, so the result is
// the same whatever width the compiler gives long double.
double ExtendedSizeQuotient(double height);

}  // namespace tabulo::load
