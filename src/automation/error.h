#pragma once
#include <stdexcept>
#include <string>

namespace tabulo::automation {

// A failed automation call. what() is the application's own error text, as the
// caller would see it in the application's error description.
class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& text) : std::runtime_error(text) {}
};

}  // namespace tabulo::automation
