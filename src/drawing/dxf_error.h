#pragma once
#include <cstddef>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace tabulo::drawing {

// A drawing file that cannot be read or written. The text names the file, the
// line (when one is to blame) and the reason, e.g.
//   "plan.dxf, line 1042: group code expected, found 'ABC'".
class DxfError : public std::runtime_error {
 public:
  DxfError(const std::filesystem::path& file, std::size_t line, const std::string& reason);
  DxfError(const std::filesystem::path& file, const std::string& reason);

  std::size_t line() const { return line_; }  // 1-based; 0 when no line is to blame
  const std::string& reason() const { return reason_; }

 private:
  std::size_t line_ = 0;
  std::string reason_;
};

}  // namespace tabulo::drawing
