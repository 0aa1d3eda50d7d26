// plotwell-tool: the engines of the editor from a shell.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "tool_command.h"

namespace plotwell::tool {

namespace {
std::vector<ToolCommand>& command_table() {
    static std::vector<ToolCommand> commands;
    return commands;
}

void print_overview(std::FILE* out) {
    std::fprintf(out, "usage: plotwell-tool COMMAND [ARGS...]\n\ncommands:\n");
    auto commands = registered_commands();
    std::sort(commands.begin(), commands.end(),
              [](const ToolCommand& a, const ToolCommand& b) { return std::strcmp(a.name, b.name) < 0; });
    for (const ToolCommand& c : commands) std::fprintf(out, "  %-16s %s\n", c.name, c.summary);
    std::fprintf(out, "\n\"plotwell-tool COMMAND --help\" describes one command.\n");
}
}  // namespace

CommandRegistration::CommandRegistration(const ToolCommand& command) { command_table().push_back(command); }
const std::vector<ToolCommand>& registered_commands() { return command_table(); }

int fail(int status, const std::string& message) {
    std::fprintf(stderr, "plotwell-tool: %s\n", message.c_str());
    return status;
}

}  // namespace plotwell::tool

int main(int argc, char** argv) {
    using namespace plotwell::tool;
    if (argc < 2) {
        print_overview(stderr);
        return kExitUsage;
    }
    const std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        print_overview(stdout);
        return kExitOk;
    }
    std::vector<std::string> args(argv + 2, argv + argc);
    for (const ToolCommand& c : registered_commands()) {
        if (name != c.name) continue;
        if (std::find(args.begin(), args.end(), "--help") != args.end()) {
            std::fputs(c.usage, stdout);
            return kExitOk;
        }
        return c.run(args);
    }
    return fail(kExitUsage, "unknown command '" + name + "' (see plotwell-tool --help)");
}
