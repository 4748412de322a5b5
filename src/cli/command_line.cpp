#include "cli/command_line.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace tabulo::cli {

Arguments::Arguments(const std::vector<std::string>& args, const std::vector<std::string>& valued,
                     const std::vector<std::string>& flags) {
  auto known = [](const std::vector<std::string>& list, const std::string& name) {
    return std::find(list.begin(), list.end(), name) != list.end();
  };
  bool onlyOperands = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (onlyOperands || arg.size() < 2 || arg[0] != '-') {
      operands_.push_back(arg);
      continue;
    }
    if (arg == "--") {
      onlyOperands = true;
      continue;
    }
    std::string name = arg, inlineValue;
    bool hasInline = false;
    if (std::size_t eq = arg.find('='); arg.rfind("--", 0) == 0 && eq != std::string::npos) {
      name = arg.substr(0, eq);
      inlineValue = arg.substr(eq + 1);
      hasInline = true;
    }
    if (known(valued, name)) {
      if (hasInline) {
        values_[name] = inlineValue;
      } else if (i + 1 < args.size()) {
        values_[name] = args[++i];
      } else {
        throw UsageError("option " + name + " needs a value");
      }
    } else if (known(flags, name) && !hasInline) {
      values_[name] = "";
    } else {
      throw UsageError("unknown option " + arg);
    }
  }
}

std::optional<std::string> Arguments::value(const std::string& option) const {
  auto it = values_.find(option);
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

void Arguments::expectOperands(std::size_t count, const std::string& what) const {
  if (operands_.size() != count) throw UsageError("expected " + what);
}

Point ParsePoint(const std::string& text, const std::string& option) {
  double parts[3];
  std::size_t start = 0;
  for (int i = 0; i < 3; ++i) {
    std::size_t comma = text.find(',', start);
    if ((i < 2) != (comma != std::string::npos))
      throw UsageError(option + " takes three numbers X,Y,Z, not \"" + text + "\"");
    std::string part = text.substr(start, i < 2 ? comma - start : std::string::npos);
    char* end = nullptr;
    errno = 0;
    parts[i] = std::strtod(part.c_str(), &end);
    if (part.empty() || end != part.c_str() + part.size() || errno == ERANGE ||
        !std::isfinite(parts[i]))
      throw UsageError(option + " takes three numbers X,Y,Z, not \"" + text + "\"");
    start = comma + 1;
  }
  return Point{parts[0], parts[1], parts[2]};
}

}  // namespace tabulo::cli
