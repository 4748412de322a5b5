#pragma once
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace tabulo::cli {

// A command line the user must correct; the command exits 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A failure the command reports on stderr; the command exits 1.
class CommandError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Options and operands of one subcommand. Options are declared up front so that an
// unknown option or a missing value is a usage error, not a silent surprise.
class Arguments {
 public:
  // `valued` options take a value (--at 1,2,3 or --at=1,2,3); `flags` take none.
  Arguments(const std::vector<std::string>& args, const std::vector<std::string>& valued,
            const std::vector<std::string>& flags);

  bool has(const std::string& option) const { return values_.count(option) != 0; }
  std::optional<std::string> value(const std::string& option) const;
  const std::vector<std::string>& operands() const { return operands_; }
  // Exactly `count` operands, or a usage error naming what is expected.
  void expectOperands(std::size_t count, const std::string& what) const;

 private:
  std::map<std::string, std::string> values_;
  std::vector<std::string> operands_;
};

// "1,2.5,-3" -> three doubles; a usage error otherwise.
struct Point {
  double x = 0, y = 0, z = 0;
};
Point ParsePoint(const std::string& text, const std::string& option);

}  // namespace tabulo::cli
