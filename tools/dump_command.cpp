// plotwell-tool dump: every field of a project in a canonical text form that diff can compare.
#include <cstdio>
#include <string>

#include "project/project_dump.h"
#include "tool_command.h"
#include "tool_project.h"

namespace plotwell::tool {

namespace {

const char kUsage[] =
    "usage: plotwell-tool dump FILE.mpr\n"
    "\n"
    "Prints the project header, every background bitmap, every layer and every object in list order,\n"
    "one line each with all of its fields and points. Texts are quoted; bytes outside printable ASCII\n"
    "appear as \\xNN.\n";

int run_dump(const std::vector<std::string>& args) {
    if (args.size() != 1) return fail(kExitUsage, "dump: expected one project file (see dump --help)");
    Project p;
    if (const Result loaded = load_project_for_tool(args[0], p); !loaded.ok)
        return fail(kExitFailure, loaded.message);

    std::fputs(dump_project(p).c_str(), stdout);
    return std::fflush(stdout) == 0 ? kExitOk : fail(kExitFailure, "dump: cannot write the output");
}

const CommandRegistration reg{
    {"dump", "print every field and object of a project file as text", kUsage, run_dump}};

}  // namespace

}  // namespace plotwell::tool
