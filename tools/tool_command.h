// plotwell-tool's subcommands register themselves here, one file per subcommand.
#pragma once

#include <string>
#include <vector>

namespace plotwell::tool {

// Exit statuses shared by every subcommand.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

struct ToolCommand {
    const char* name;
    const char* summary;  // one line for the command list
    const char* usage;    // full help text printed by "COMMAND --help"
    int (*run)(const std::vector<std::string>& args);  // args after the command name
};

// Static registration: `static const CommandRegistration reg{{"info", ...}};` in the command's file.
struct CommandRegistration {
    explicit CommandRegistration(const ToolCommand& command);
};
const std::vector<ToolCommand>& registered_commands();

// Prints "plotwell-tool: MESSAGE" on stderr and returns `status`.
int fail(int status, const std::string& message);

}  // namespace plotwell::tool
