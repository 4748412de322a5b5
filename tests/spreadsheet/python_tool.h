#pragma once
// Runs the Python tools under tests/spreadsheet/fixtures with the system
// interpreter (the one that has openpyxl) and returns what they print.
#include <array>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>

namespace tabulo::spreadsheet::testing {

inline std::string ShellQuote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// stdout of `/usr/bin/python3 fixtures/<script> <args...>`; throws when it fails.
inline std::string RunFixtureScript(const std::string& script,
                                    std::initializer_list<std::string> args) {
  std::string command = "/usr/bin/python3 " + ShellQuote(std::string(TABULO_SOURCE_DIR) +
                                                         "/tests/spreadsheet/fixtures/" + script);
  for (const std::string& a : args) command += " " + ShellQuote(a);
  struct Closer {
    int* status;
    void operator()(FILE* f) const { *status = pclose(f); }
  };
  int status = -1;
  std::string output;
  {
    std::unique_ptr<FILE, Closer> pipe(popen(command.c_str(), "r"), Closer{&status});
    if (!pipe) throw std::runtime_error("cannot run " + command);
    std::array<char, 65536> buffer;
    std::size_t n;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe.get())) > 0)
      output.append(buffer.data(), n);
  }
  if (status != 0)
    throw std::runtime_error(command + " failed with status " + std::to_string(status));
  return output;
}

}  // namespace tabulo::spreadsheet::testing
