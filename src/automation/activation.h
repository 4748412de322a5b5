#pragma once
#include <functional>
#include <string>
#include <string_view>

#include "automation/variant.h"

namespace tabulo::automation {

// Reaching outside applications by ProgID ("AutoCAD.Application",
// "Excel.Application"). The engine never initialises COM and never starts the
// drawing host: it asks for the running instance.

// The running instance registered under progId (as GetActiveObject); throws Error
// when nothing is registered.
ObjectPtr GetActiveObject(std::string_view progId);
// A new instance made by the factory registered under progId (as
// CoCreateInstance); throws Error when nothing can make one.
ObjectPtr CreateObject(std::string_view progId);

// Process-wide table in which a host program (the tabulo command, tests) registers
// its running objects and factories where there is no COM. ProgIDs compare
// case-insensitively, as the registry does.
using ObjectFactory = std::function<ObjectPtr()>;

// Registration that lasts as long as this handle (RAII): the entry is removed when
// it is destroyed, if it is still the one registered.
class Registration {
 public:
  Registration() = default;
  Registration(std::string key, std::uint64_t serial) : key_(std::move(key)), serial_(serial) {}
  Registration(Registration&& other) noexcept { *this = std::move(other); }
  Registration& operator=(Registration&& other) noexcept;
  Registration(const Registration&) = delete;
  Registration& operator=(const Registration&) = delete;
  ~Registration();
  void reset();

 private:
  std::string key_;
  std::uint64_t serial_ = 0;
};

[[nodiscard]] Registration RegisterActiveObject(std::string_view progId, ObjectPtr object);
[[nodiscard]] Registration RegisterFactory(std::string_view progId, ObjectFactory factory);

}  // namespace tabulo::automation
