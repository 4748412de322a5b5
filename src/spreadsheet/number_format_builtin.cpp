// The built-in number formats, as the English (United States) spreadsheet
// displays them. Files store only the id for these.
#include <array>

#include "spreadsheet/number_format.h"

namespace tabulo::spreadsheet {

namespace {

constexpr std::array<std::string_view, 50> kBuiltinCodes = {
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
    "m/d/yyyy",                      // 14: the short date
    "d-mmm-yy",                      // 15
    "d-mmm",                         // 16
    "mmm-yy",                        // 17
    "h:mm AM/PM",                    // 18
    "h:mm:ss AM/PM",                 // 19
    "h:mm",                          // 20
    "h:mm:ss",                       // 21
    "m/d/yyyy h:mm",                 // 22
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",                                                               // 23..36: none in English
    "#,##0_);(#,##0)",                                                // 37
    "#,##0_);[Red](#,##0)",                                           // 38
    "#,##0.00_);(#,##0.00)",                                          // 39
    "#,##0.00_);[Red](#,##0.00)",                                     // 40
    R"(_(* #,##0_);_(* \(#,##0\);_(* "-"_);_(@_))",                   // 41
    R"(_("$"* #,##0_);_("$"* \(#,##0\);_("$"* "-"_);_(@_))",          // 42
    R"(_(* #,##0.00_);_(* \(#,##0.00\);_(* "-"??_);_(@_))",           // 43
    R"(_("$"* #,##0.00_);_("$"* \(#,##0.00\);_("$"* "-"??_);_(@_))",  // 44
    "mm:ss",                                                          // 45
    "[h]:mm:ss",                                                      // 46
    "mm:ss.0",                                                        // 47
    "##0.0E+0",                                                       // 48
    "@",                                                              // 49
};

}  // namespace

std::string_view BuiltinFormatCode(int id) {
  if (id < 0 || id >= static_cast<int>(kBuiltinCodes.size()) || kBuiltinCodes[id].empty()) {
    return "General";
  }
  return kBuiltinCodes[id];
}

}  // namespace tabulo::spreadsheet
