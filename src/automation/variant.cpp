#include "automation/variant.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "automation/error.h"
#include "automation/object.h"

namespace tabulo::automation {
namespace {

[[noreturn]] void TypeMismatch(VarKind from, std::string_view to) {
  throw Error("Type mismatch: cannot convert " + std::string(KindName(from)) + " to " +
              std::string(to) + ".");
}

[[noreturn]] void Overflow(std::string_view to) {
  throw Error("Overflow: the value does not fit in " + std::string(to) + ".");
}

bool ParseInvariantNumber(const std::string& text, double& out) {
  std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return false;
  std::size_t last = text.find_last_not_of(" \t");
  std::string trimmed = text.substr(first, last - first + 1);
  char* end = nullptr;
  errno = 0;
  double value = std::strtod(trimmed.c_str(), &end);
  if (end != trimmed.c_str() + trimmed.size() || errno == ERANGE || !std::isfinite(value))
    return false;
  out = value;
  return true;
}

// The number a scalar variant stands for, as a double; Empty is 0.
double ScalarToDouble(const Variant& v, std::string_view to) {
  switch (v.kind()) {
    case VarKind::Empty:
      return 0.0;
    case VarKind::Bool:
      return *v.getIf<bool>() ? -1.0 : 0.0;
    case VarKind::Int16:
      return *v.getIf<std::int16_t>();
    case VarKind::Int32:
      return *v.getIf<std::int32_t>();
    case VarKind::UInt8:
      return *v.getIf<std::uint8_t>();
    case VarKind::Double:
      return *v.getIf<double>();
    case VarKind::Currency:
      return static_cast<double>(v.getIf<Currency>()->tenThousandths) / 10000.0;
    case VarKind::String: {
      double d = 0;
      if (ParseInvariantNumber(*v.getIf<std::string>(), d)) return d;
      const std::string& s = *v.getIf<std::string>();
      if (EqualsIgnoreCase(s, "true")) return -1.0;
      if (EqualsIgnoreCase(s, "false")) return 0.0;
      TypeMismatch(VarKind::String, to);
    }
    default:
      TypeMismatch(v.kind(), to);
  }
}

template <class Int>
Int ToInteger(const Variant& v, std::string_view to) {
  if (const auto* c = v.getIf<Currency>()) {
    // Currency rounds half to even on its own ten-thousandths.
    std::int64_t q = c->tenThousandths / 10000, r = c->tenThousandths % 10000;
    if (r > 5000 || (r == 5000 && (q & 1))) ++q;
    if (r < -5000 || (r == -5000 && (q & 1))) --q;
    if (q < std::numeric_limits<Int>::min() || q > std::numeric_limits<Int>::max()) Overflow(to);
    return static_cast<Int>(q);
  }
  double d = RoundHalfEven(ScalarToDouble(v, to));
  if (!(d >= static_cast<double>(std::numeric_limits<Int>::min()) &&
        d <= static_cast<double>(std::numeric_limits<Int>::max())))
    Overflow(to);
  return static_cast<Int>(d);
}

std::string FormatDouble(double d) {
  // Up to 15 significant digits, as a VT_R8 becomes a BSTR.
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.15G", d);
  std::string s = buffer;
  std::size_t e = s.find('E');
  if (e != std::string::npos) {
    // 1.5E+020 style exponents lose their padding zeros: 1.5E+20.
    std::string mantissa = s.substr(0, e), exponent = s.substr(e + 2);
    while (exponent.size() > 1 && exponent[0] == '0') exponent.erase(0, 1);
    s = mantissa + "E" + s[e + 1] + exponent;
  }
  return s;
}

}  // namespace

std::string_view KindName(VarKind kind) {
  switch (kind) {
    case VarKind::Empty:
      return "Empty";
    case VarKind::Missing:
      return "Missing";
    case VarKind::Bool:
      return "Boolean";
    case VarKind::Int16:
      return "Integer";
    case VarKind::Int32:
      return "Long";
    case VarKind::UInt8:
      return "Byte";
    case VarKind::Double:
      return "Double";
    case VarKind::Currency:
      return "Currency";
    case VarKind::String:
      return "String";
    case VarKind::Object:
      return "Object";
    case VarKind::Array:
      return "Array";
    case VarKind::ByRef:
      return "ByRef";
  }
  return "?";
}

Variant::Variant(Array v) : value_(std::make_shared<Array>(std::move(v))) {}

Variant Variant::RefTo(Variant& target) {
  Variant v;
  v.value_ = &target.deref();
  return v;
}

VarKind Variant::kind() const {
  return static_cast<VarKind>(value_.index());
}

const Variant& Variant::deref() const {
  if (auto* const* p = std::get_if<Variant*>(&value_)) return **p;
  return *this;
}

Variant& Variant::deref() {
  if (auto** p = std::get_if<Variant*>(&value_)) return **p;
  return *this;
}

bool Variant::toBool() const {
  const Variant& v = deref();
  if (const auto* b = v.getIf<bool>()) return *b;
  return ScalarToDouble(v, "Boolean") != 0.0;
}

std::int16_t Variant::toInt16() const {
  return ToInteger<std::int16_t>(deref(), "Integer");
}
std::int32_t Variant::toInt32() const {
  return ToInteger<std::int32_t>(deref(), "Long");
}
std::uint8_t Variant::toUInt8() const {
  return ToInteger<std::uint8_t>(deref(), "Byte");
}
double Variant::toDouble() const {
  return ScalarToDouble(deref(), "Double");
}

Currency Variant::toCurrency() const {
  const Variant& v = deref();
  if (const auto* c = v.getIf<Currency>()) return *c;
  double scaled = RoundHalfEven(ScalarToDouble(v, "Currency") * 10000.0);
  if (!(std::fabs(scaled) < 9.2e18)) Overflow("Currency");
  return Currency{static_cast<std::int64_t>(scaled)};
}

std::string Variant::toString() const {
  const Variant& v = deref();
  switch (v.kind()) {
    case VarKind::Empty:
      return "";
    case VarKind::String:
      return *v.getIf<std::string>();
    case VarKind::Bool:
      return *v.getIf<bool>() ? "True" : "False";
    case VarKind::Int16:
      return std::to_string(*v.getIf<std::int16_t>());
    case VarKind::Int32:
      return std::to_string(*v.getIf<std::int32_t>());
    case VarKind::UInt8:
      return std::to_string(*v.getIf<std::uint8_t>());
    case VarKind::Double:
      return FormatDouble(*v.getIf<double>());
    case VarKind::Currency: {
      std::int64_t t = v.getIf<Currency>()->tenThousandths;
      std::string sign = t < 0 ? "-" : "";
      std::uint64_t a = t < 0 ? 0 - static_cast<std::uint64_t>(t) : static_cast<std::uint64_t>(t);
      std::string s = sign + std::to_string(a / 10000);
      std::uint64_t frac = a % 10000;
      if (frac) {
        char buf[8];
        std::snprintf(buf, sizeof buf, "%04llu", static_cast<unsigned long long>(frac));
        std::string f = buf;
        while (!f.empty() && f.back() == '0') f.pop_back();
        s += "." + f;
      }
      return s;
    }
    default:
      TypeMismatch(v.kind(), "String");
  }
}

ObjectPtr Variant::toObject() const {
  const Variant& v = deref();
  if (const auto* o = v.getIf<ObjectPtr>()) {
    if (*o) return *o;
    throw Error("Object variable not set.");
  }
  TypeMismatch(v.kind(), "Object");
}

const Array& Variant::toArray() const {
  return *arrayPtr();
}

std::shared_ptr<const Array> Variant::arrayPtr() const {
  const Variant& v = deref();
  if (const auto* a = v.getIf<std::shared_ptr<Array>>()) {
    if (*a) return *a;
  }
  TypeMismatch(v.kind(), "Array");
}

const Variant& Array::at(std::int32_t index) const {
  if (index < lowerBound || index > upperBound())
    throw Error("Subscript out of range: index " + std::to_string(index) + " outside " +
                std::to_string(lowerBound) + ".." + std::to_string(upperBound()) + ".");
  return items[static_cast<std::size_t>(index - lowerBound)];
}

Array MakePoint(double x, double y, double z) {
  return Array{VarKind::Double, 0, {Variant(x), Variant(y), Variant(z)}};
}

Point3 ToPoint(const Variant& v) {
  const Array& a = v.toArray();
  if (a.items.size() != 3) throw Error("A point needs three coordinates.");
  return Point3{a.items[0].toDouble(), a.items[1].toDouble(), a.items[2].toDouble()};
}

double RoundHalfEven(double value) {
  return std::nearbyint(value);
}

}  // namespace tabulo::automation
