#include "spreadsheet/xls/builtin_number_formats.h"

#include <array>

namespace tabulo::spreadsheet::xls {

namespace {

constexpr const char* kGeneral = "General";

// Ids 0..49; nullptr where the id has no fixed code.
constexpr std::array<const char*, 50> kBuiltin = {
    "General",                                   // 0
    "0",                                         // 1
    "0.00",                                      // 2
    "#,##0",                                     // 3
    "#,##0.00",                                  // 4
    "\"$\"#,##0_);\\(\"$\"#,##0\\)",             // 5
    "\"$\"#,##0_);[Red]\\(\"$\"#,##0\\)",        // 6
    "\"$\"#,##0.00_);\\(\"$\"#,##0.00\\)",       // 7
    "\"$\"#,##0.00_);[Red]\\(\"$\"#,##0.00\\)",  // 8
    "0%",                                        // 9
    "0.00%",                                     // 10
    "0.00E+00",                                  // 11
    "# ?/?",                                     // 12
    "# ?\?/?\?",                                 // 13
    "m/d/yyyy",                                  // 14
    "d-mmm-yy",                                  // 15
    "d-mmm",                                     // 16
    "mmm-yy",                                    // 17
    "h:mm AM/PM",                                // 18
    "h:mm:ss AM/PM",                             // 19
    "h:mm",                                      // 20
    "h:mm:ss",                                   // 21
    "m/d/yyyy h:mm",                             // 22
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,  // 23..29
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,                                                                 // 30..36
    "#,##0 ;(#,##0)",                                                        // 37
    "#,##0 ;[Red](#,##0)",                                                   // 38
    "#,##0.00;(#,##0.00)",                                                   // 39
    "#,##0.00;[Red](#,##0.00)",                                              // 40
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

std::string BuiltinNumberFormat(std::uint16_t id) {
  if (id < kBuiltin.size() && kBuiltin[id] != nullptr) return kBuiltin[id];
  return kGeneral;
}

}  // namespace tabulo::spreadsheet::xls
