#pragma once
#include <string>
#include <vector>

namespace tabulo::cli {

// Each subcommand takes its arguments (after the subcommand's name) and returns
// the exit status: 0 success, 1 an error was reported. Usage errors throw UsageError.
int RunExport(const std::vector<std::string>& args);
int RunLoad(const std::vector<std::string>& args);
int RunList(const std::vector<std::string>& args);
int RunOptions(const std::vector<std::string>& args);
int RunAbout(const std::vector<std::string>& args);
int RunHelp(const std::vector<std::string>& args);

// The --help text of each subcommand, and of the command as a whole.
extern const char* const kUsage;
extern const char* const kExportUsage;
extern const char* const kLoadUsage;
extern const char* const kListUsage;
extern const char* const kOptionsUsage;
extern const char* const kAboutUsage;
extern const char* const kHelpUsage;

}  // namespace tabulo::cli
