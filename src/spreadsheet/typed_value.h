#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "spreadsheet/workbook.h"

namespace tabulo::spreadsheet {

// What a cell holds after a text is entered into it, as the spreadsheet turns
// typing into values. Deliberately narrow, so that no text is mistaken for
// something else:
//   ""                                   -> empty cell
//   'rest (leading apostrophe)           -> the text "rest", never converted
//   a plain decimal number, surrounding  -> number: [+-] digits [. digits] or . digits,
//     spaces allowed                        optional exponent e[+-]digits
//   the same followed by %               -> number / 100
//   TRUE / FALSE in any case             -> Boolean
//   anything else                        -> the text unchanged (formulas, dates,
//                                           times, fractions, currency and
//                                           thousands separators included)
struct TypedEntry {
  CellValue value;
  // Number format the entry gives a cell whose format is General: "0%" / "0.00%"
  // for percentages, "0.00E+00" for numbers with an exponent.
  std::optional<std::string> numberFormat;
};

TypedEntry ValueFromTyping(std::string_view text);

}  // namespace tabulo::spreadsheet
