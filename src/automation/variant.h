#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tabulo::automation {

class Object;
using ObjectPtr = std::shared_ptr<Object>;

// The automation currency type: a signed 64-bit count of ten-thousandths.
struct Currency {
  std::int64_t tenThousandths = 0;
  friend bool operator==(Currency, Currency) = default;
};

// What a Variant holds, named after the COM VARTYPE it stands for.
enum class VarKind {
  Empty,     // VT_EMPTY
  Missing,   // VT_ERROR DISP_E_PARAMNOTFOUND: an optional argument not passed
  Bool,      // VT_BOOL
  Int16,     // VT_I2
  Int32,     // VT_I4
  UInt8,     // VT_UI1
  Double,    // VT_R8
  Currency,  // VT_CY
  String,    // VT_BSTR (UTF-8 inside the engine)
  Object,    // VT_DISPATCH
  Array,     // VT_ARRAY | element type, one dimension
  ByRef,     // VT_BYREF: refers to a caller's Variant
};

std::string_view KindName(VarKind kind);

struct Array;
struct MissingArg {
  friend bool operator==(MissingArg, MissingArg) = default;
};

// A late-bound automation value. Conversions follow VariantChangeType where the
// engine converts: doubles become integers rounding half to even, true is -1,
// strings parse in the invariant form.
class Variant {
 public:
  Variant() = default;
  Variant(bool v) : value_(v) {}
  Variant(std::int16_t v) : value_(v) {}
  Variant(std::int32_t v) : value_(v) {}
  Variant(std::uint8_t v) : value_(v) {}
  Variant(double v) : value_(v) {}
  Variant(Currency v) : value_(v) {}
  Variant(std::string v) : value_(std::move(v)) {}
  Variant(const char* v) : value_(std::string(v)) {}
  Variant(std::string_view v) : value_(std::string(v)) {}
  Variant(ObjectPtr v) : value_(std::move(v)) {}
  Variant(Array v);
  Variant(std::shared_ptr<Array> v) : value_(std::move(v)) {}
  Variant(MissingArg v) : value_(v) {}

  // A by-reference argument to `target`, which must outlive the call.
  static Variant RefTo(Variant& target);
  static Variant Missing() { return Variant(MissingArg{}); }

  VarKind kind() const;
  bool isEmpty() const { return kind() == VarKind::Empty; }
  bool isMissing() const { return kind() == VarKind::Missing; }
  bool isByRef() const { return kind() == VarKind::ByRef; }

  // The value itself: for a by-reference variant the referred value.
  const Variant& deref() const;
  Variant& deref();

  // Conversions; each throws automation::Error when the value has no such form.
  bool toBool() const;
  std::int16_t toInt16() const;
  std::int32_t toInt32() const;
  std::uint8_t toUInt8() const;
  double toDouble() const;
  Currency toCurrency() const;
  std::string toString() const;
  ObjectPtr toObject() const;
  const Array& toArray() const;
  std::shared_ptr<const Array> arrayPtr() const;

  // Exact alternatives, no conversion.
  template <class T>
  const T* getIf() const {
    return std::get_if<T>(&deref().value_);
  }

 private:
  using Storage =
      std::variant<std::monostate, MissingArg, bool, std::int16_t, std::int32_t, std::uint8_t,
                   double, Currency, std::string, ObjectPtr, std::shared_ptr<Array>, Variant*>;
  Storage value_;
};

// A one-dimensional safe array: element type, lower bound and items.
struct Array {
  VarKind elementType = VarKind::Empty;  // Empty stands for VT_VARIANT elements
  std::int32_t lowerBound = 0;
  std::vector<Variant> items;

  std::int32_t upperBound() const {
    return lowerBound + static_cast<std::int32_t>(items.size()) - 1;
  }
  // Item by its index (lowerBound-based); throws automation::Error out of bounds.
  const Variant& at(std::int32_t index) const;
};

// A point as the drawing host takes it: three doubles, lower bound 0.
Array MakePoint(double x, double y, double z = 0.0);
// The three coordinates of a point array; throws when it is not one.
struct Point3 {
  double x = 0, y = 0, z = 0;
  friend bool operator==(const Point3&, const Point3&) = default;
};
Point3 ToPoint(const Variant& v);

// Round half to even, as COM and the engine's integer conversions do.
double RoundHalfEven(double value);

}  // namespace tabulo::automation
