#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace tabulo::host {

// The number test shared by the cell text (a general-aligned cell goes right when
// it shows a number) and the options dialog's scale. The text is a number when,
// read from its start, it is exactly: spaces (code 32 only), an optional + or -, a
// mantissa of digits, optionally `decimalSeparator` and more digits (either run may
// be empty, not both: "5.", ".5" and a lone separator pass), optionally E or e with
// an optional sign and digits that may be absent, spaces, the end. A value beyond
// the double range fails. Never throws.
bool IsFloatText(std::string_view text, char decimalSeparator);

// The value of a text that passes IsFloatText (a lone separator is 0, a missing
// exponent counts as 0); nothing when it does not pass.
std::optional<double> ParseFloatText(std::string_view text, char decimalSeparator);

// `value` in the general format with up to 15 significant digits and
// `decimalSeparator`: fixed notation from 0.0001 up to 15 integer digits
// ("2.5", "0.0001", "123456789012345"), otherwise scientific ("1E-5", "1.5E20");
// "NAN", "INF" and "-INF" for the values that are no numbers.
std::string FormatFloatGeneral(double value, char decimalSeparator);

}  // namespace tabulo::host
