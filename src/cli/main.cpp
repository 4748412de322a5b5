// The tabulo command: parses the subcommand, runs it, turns failures into exit codes.
#include <cstdio>
#include <exception>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/commands.h"

namespace {

struct Subcommand {
  std::function<int(const std::vector<std::string>&)> run;
  const char* usage;
};

const std::map<std::string, Subcommand>& Subcommands() {
  using namespace tabulo::cli;
  static const std::map<std::string, Subcommand> table = {
      {"export", {RunExport, kExportUsage}}, {"load", {RunLoad, kLoadUsage}},
      {"list", {RunList, kListUsage}},       {"options", {RunOptions, kOptionsUsage}},
      {"about", {RunAbout, kAboutUsage}},    {"help", {RunHelp, kHelpUsage}},
  };
  return table;
}

bool WantsHelp(const std::vector<std::string>& args) {
  for (const std::string& a : args)
    if (a == "--help" || a == "-h") return true;
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) {
    std::fputs(tabulo::cli::kUsage, stderr);
    return 2;
  }
  const std::string name = args.front();
  args.erase(args.begin());
  if (name == "--help" || name == "-h") {
    std::fputs(tabulo::cli::kUsage, stdout);
    return 0;
  }
  if (name == "--version") {
    std::printf("tabulo %s\n", TABULO_VERSION);
    return 0;
  }
  auto it = Subcommands().find(name);
  if (it == Subcommands().end()) {
    std::fprintf(stderr, "tabulo: unknown command '%s'\n\n%s", name.c_str(), tabulo::cli::kUsage);
    return 2;
  }
  if (WantsHelp(args)) {
    std::fputs(it->second.usage, stdout);
    return 0;
  }
  try {
    return it->second.run(args);
  } catch (const tabulo::cli::UsageError& e) {
    std::fprintf(stderr, "tabulo %s: %s\n\n%s", name.c_str(), e.what(), it->second.usage);
    return 2;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tabulo %s: %s\n", name.c_str(), e.what());
    return 1;
  }
}
