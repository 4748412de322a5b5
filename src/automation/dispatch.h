#pragma once
#include <string_view>
#include <utility>
#include <vector>

#include "automation/object.h"

namespace tabulo::automation {

// Fluent late-bound calls, so engine code reads like the calls it makes:
//   Dispatch(sheet).get("cells").call("item", r, c).get("borders").call("Item", 8)
// Each step invokes the member on the object the previous step returned.
class Dispatch {
 public:
  Dispatch() = default;
  Dispatch(ObjectPtr object) : value_(std::move(object)) {}
  Dispatch(Variant value) : value_(std::move(value)) {}

  // Property get or method call whose result is used.
  template <class... Args>
  Dispatch get(std::string_view member, Args&&... args) const {
    std::vector<Variant> list{Variant(std::forward<Args>(args))...};
    return Dispatch(object()->invoke(member, CallKind::Get, list));
  }
  template <class... Args>
  Dispatch call(std::string_view member, Args&&... args) const {
    return get(member, std::forward<Args>(args)...);
  }
  // Call with a prepared argument list (by-reference arguments write back into it).
  Dispatch invoke(std::string_view member, std::vector<Variant>& args) const {
    return Dispatch(object()->invoke(member, CallKind::Get, args));
  }

  // Property put: put("rowheight", 15.0) or put("Item", index..., value).
  template <class... Args>
  void put(std::string_view member, Args&&... argsThenValue) const {
    std::vector<Variant> list{Variant(std::forward<Args>(argsThenValue))...};
    object()->invoke(member, CallKind::Put, list);
  }

  const Variant& value() const { return value_; }
  ObjectPtr object() const { return value_.toObject(); }
  bool toBool() const { return value_.toBool(); }
  std::int16_t toInt16() const { return value_.toInt16(); }
  std::int32_t toInt32() const { return value_.toInt32(); }
  std::uint8_t toUInt8() const { return value_.toUInt8(); }
  double toDouble() const { return value_.toDouble(); }
  std::string toString() const { return value_.toString(); }

 private:
  Variant value_;
};

}  // namespace tabulo::automation
