#pragma once
// A temporary folder per test, removed afterwards, and fixtures made into it by the
// scripts under tests/spreadsheet/fixtures.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "python_tool.h"

namespace tabulo::spreadsheet::testing {

class TempDir {
 public:
  // Named after the running test, or after `name` outside a test (suite set-up).
  explicit TempDir(std::string name = {}) {
    if (const auto* test = ::testing::UnitTest::GetInstance()->current_test_info())
      name = std::string(test->test_suite_name()) + "-" + test->name();
    for (char& c : name)
      if (c == '/') c = '_';
    // A random suffix keeps test processes that run at the same time apart.
    path_ = std::filesystem::temp_directory_path() /
            ("tabulo-spreadsheet-" + name + "-" + std::to_string(std::random_device{}()));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempDir() { std::filesystem::remove_all(path_); }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace tabulo::spreadsheet::testing
