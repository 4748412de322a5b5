#include "spreadsheet/xlsx/builtin_number_formats.h"

#include <array>
#include <string_view>

namespace tabulo::spreadsheet::xlsx {

namespace {

// Ids 23..36 are reserved for East Asian locales and show as General here.
constexpr std::array<std::string_view, 50> kBuiltin = {
    "General",                       // 0
    "0",                             // 1
    "0.00",                          // 2
    "#,##0",                         // 3
    "#,##0.00",                      // 4
    "$#,##0_);($#,##0)",             // 5
    "$#,##0_);[Red]($#,##0)",        // 6
    "$#,##0.00_);($#,##0.00)",       // 7
    "$#,##0.00_);[Red]($#,##0.00)",  // 8
    "0%",                            // 9
    "0.00%",                         // 10
    "0.00E+00",                      // 11
    "# ?/?",                         // 12
    "# ?\?/??",                      // 13
    "m/d/yyyy",                      // 14
    "d-mmm-yy",                      // 15
    "d-mmm",                         // 16
    "mmm-yy",                        // 17
    "h:mm AM/PM",                    // 18
    "h:mm:ss AM/PM",                 // 19
    "h:mm",                          // 20
    "h:mm:ss",                       // 21
    "m/d/yyyy h:mm",                 // 22
    "General",
    "General",
    "General",
    "General",
    "General",  // 23..27
    "General",
    "General",
    "General",
    "General",
    "General",  // 28..32
    "General",
    "General",
    "General",
    "General",                                                               // 33..36
    "#,##0_);(#,##0)",                                                       // 37
    "#,##0_);[Red](#,##0)",                                                  // 38
    "#,##0.00_);(#,##0.00)",                                                 // 39
    "#,##0.00_);[Red](#,##0.00)",                                            // 40
    "_(* #,##0_);_(* \\(#,##0\\);_(* \"-\"_);_(@_)",                         // 41
    "_(\"$\"* #,##0_);_(\"$\"* \\(#,##0\\);_(\"$\"* \"-\"_);_(@_)",          // 42
    "_(* #,##0.00_);_(* \\(#,##0.00\\);_(* \"-\"??_);_(@_)",                 // 43
    "_(\"$\"* #,##0.00_);_(\"$\"* \\(#,##0.00\\);_(\"$\"* \"-\"??_);_(@_)",  // 44
    "mm:ss",                                                                 // 45
    "[h]:mm:ss",                                                             // 46
    "mm:ss.0",                                                               // 47
    "##0.0E+0",                                                              // 48
    "@",                                                                     // 49
};

}  // namespace

std::string BuiltinNumberFormat(int id) {
  if (id < 0 || id >= static_cast<int>(kBuiltin.size())) return "General";
  return std::string(kBuiltin[static_cast<std::size_t>(id)]);
}

}  // namespace tabulo::spreadsheet::xlsx
