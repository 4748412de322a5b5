#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "automation/error.h"
#include "automation/variant.h"

namespace tabulo::automation {

// How a member is called: a read or a call whose result is used goes as Get
// (method or property get); a write goes as Put, its new value last in args.
enum class CallKind { Get, Put };

// A late-bound automation object, as IDispatch: one entry point, members by name.
// Member names are compared case-insensitively. A failing call throws Error with
// the application's own text. Arguments may be by-reference variants, through
// which the callee writes its outputs.
class Object {
 public:
  virtual ~Object() = default;
  virtual Variant invoke(std::string_view member, CallKind kind, std::vector<Variant>& args) = 0;
};

// ASCII lower case, for member-name keys.
std::string LowerCase(std::string_view text);
// ASCII case-insensitive equality, as names compare in both applications.
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

// Argument helpers for member handlers: throw Error with a clear text when a call
// has the wrong number of arguments or a put has no value.
void ExpectArgs(std::string_view member, const std::vector<Variant>& args, std::size_t min,
                std::size_t max);
// The value of a Put (its last argument), dereferenced.
const Variant& PutValue(std::string_view member, const std::vector<Variant>& args);
[[noreturn]] void ReadOnly(std::string_view member);
[[noreturn]] void WriteOnly(std::string_view member);

// Members of an in-process object class, declared once per class: a hash map from
// the lower-cased name to its handler, so a call costs one look-up.
template <class T>
class MemberTable {
 public:
  using Handler = std::function<Variant(T& self, CallKind kind, std::vector<Variant>& args)>;

  MemberTable& add(std::string_view name, Handler handler) {
    handlers_.emplace(LowerCase(name), std::move(handler));
    return *this;
  }

  // Calls the member or throws Error naming the object and the unknown member.
  Variant invoke(T& self, std::string_view typeName, std::string_view member, CallKind kind,
                 std::vector<Variant>& args) const {
    auto it = handlers_.find(LowerCase(member));
    if (it == handlers_.end())
      throw Error("Object doesn't support this property or method: " + std::string(typeName) + "." +
                  std::string(member));
    return it->second(self, kind, args);
  }

  // A read-only property without arguments: a put or an argument fails with the
  // host's text before `getter` runs.
  MemberTable& addReadOnly(std::string_view name, std::function<Variant(T& self)> getter) {
    std::string member(name);
    return add(name, [member, getter = std::move(getter)](T& self, CallKind kind,
                                                          std::vector<Variant>& args) {
      if (kind == CallKind::Put) ReadOnly(member);
      ExpectArgs(member, args, 0, 0);
      return getter(self);
    });
  }

  bool has(std::string_view member) const { return handlers_.count(LowerCase(member)) != 0; }

 private:
  std::unordered_map<std::string, Handler> handlers_;
};

}  // namespace tabulo::automation
