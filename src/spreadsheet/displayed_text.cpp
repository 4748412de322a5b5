#include "spreadsheet/displayed_text.h"

#include "spreadsheet/number_format.h"

namespace tabulo::spreadsheet {

namespace {

template <class... Handlers>
struct Overloaded : Handlers... {
  using Handlers::operator()...;
};
template <class... Handlers>
Overloaded(Handlers...) -> Overloaded<Handlers...>;

}  // namespace

std::string DisplayText(const CellValue& value, std::string_view formatCode, bool date1904) {
  return std::visit(Overloaded{
                        [](std::monostate) { return std::string(); },
                        [&](double number) { return FormatNumber(number, formatCode, date1904); },
                        [&](const std::string& text) { return FormatText(text, formatCode); },
                        // Booleans show through the text section, like strings.
                        [&](bool flag) { return FormatText(flag ? "TRUE" : "FALSE", formatCode); },
                        // Errors show as they are, whatever the format.
                        [](const ErrorValue& error) { return error.text; },
                    },
                    value);
}

}  // namespace tabulo::spreadsheet
