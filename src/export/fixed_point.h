#pragma once
// Four-decimal fixed-point arithmetic of the cell text (wrap width, text height,
// margins, insertion points). Each operation is exact on its operands scaled by
// 10000 and rounds once to the nearest ten-thousandth, an exact half to the even
// neighbour, whatever the platform's long double is.
#include <cstdint>

#include "automation/variant.h"

namespace tabulo::exporting {

using automation::Currency;

// A fixed-point constant from its ten-thousandths: Fixed(2400) is 0.24.
constexpr Currency Fixed(std::int64_t tenThousandths) {
  return Currency{tenThousandths};
}

// factor × value, rounded once to a ten-thousandth.
Currency FixedMul(Currency factor, double value);
// value + addend, rounded once to a ten-thousandth.
Currency FixedAdd(double value, Currency addend);
// value − subtrahend, rounded once to a ten-thousandth.
Currency FixedSub(double value, Currency subtrahend);
// The double nearest to a fixed-point value.
double ToDouble(Currency value);

}  // namespace tabulo::exporting
