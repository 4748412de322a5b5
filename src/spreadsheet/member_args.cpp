#include "spreadsheet/member_args.h"

#include "automation/error.h"
#include "spreadsheet/range_address.h"

namespace tabulo::spreadsheet {

using automation::Error;
using automation::Variant;
using automation::VarKind;

bool Given(const std::vector<Variant>& args, std::size_t i) {
  return i < args.size() && !args[i].deref().isMissing();
}

void RefusePut(std::string_view member, automation::CallKind kind) {
  if (kind == automation::CallKind::Put) automation::ReadOnly(member);
}

void UnableTo(std::string_view verb, std::string_view property, std::string_view cls,
              std::string_view reason) {
  throw Error("Unable to " + std::string(verb) + " the " + std::string(property) +
              " property of the " + std::string(cls) + " class: " + std::string(reason));
}

void RequireUnprotected(const Worksheet& sheet) {
  if (sheet.protection.isProtected)
    throw Error(
        "The cell or chart you're trying to change is on a protected sheet. To make a change, "
        "unprotect the sheet \"" +
        sheet.name + "\". You might be requested to enter a password.");
}

std::int32_t ColumnArg(const Variant& value) {
  const Variant& v = value.deref();
  if (const auto* text = v.getIf<std::string>()) {
    if (std::int32_t column = ColumnNumber(*text)) return column;
  }
  return v.toInt32();
}

Variant CellValueToVariant(const CellValue& value) {
  if (const auto* d = std::get_if<double>(&value)) return Variant(*d);
  if (const auto* s = std::get_if<std::string>(&value)) return Variant(*s);
  if (const auto* b = std::get_if<bool>(&value)) return Variant(*b);
  if (const auto* e = std::get_if<ErrorValue>(&value)) return Variant(e->text);
  return Variant();
}

}  // namespace tabulo::spreadsheet
