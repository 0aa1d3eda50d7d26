// Runs plotwell-tool (the one built with the tests) and keeps its exit status and output.
#pragma once

#include <string>
#include <vector>

namespace plotwell::test {

struct ToolRun {
    int status = -1;  // exit status, -1 when it did not exit normally
    std::string out;
    std::string err;
};

ToolRun run_tool(const std::vector<std::string>& args);

}  // namespace plotwell::test
