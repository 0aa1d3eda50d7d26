#include "run_tool.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace plotwell::test {

namespace {
std::string shell_quoted(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}
std::string slurp(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}
}  // namespace

ToolRun run_tool(const std::vector<std::string>& args) {
    static int serial = 0;
    const auto base = std::filesystem::temp_directory_path() /
                      ("plotwell_tool_run_" + std::to_string(::getpid()) + "_" + std::to_string(serial++));
    const std::string out = base.string() + ".out", err = base.string() + ".err";
    std::string command = shell_quoted(PLOTWELL_TOOL_PATH);
    for (const std::string& a : args) command += " " + shell_quoted(a);
    command += " >" + shell_quoted(out) + " 2>" + shell_quoted(err) + " </dev/null";
    const int raw = std::system(command.c_str());
    ToolRun run;
    run.status = (raw != -1 && WIFEXITED(raw)) ? WEXITSTATUS(raw) : -1;
    run.out = slurp(out);
    run.err = slurp(err);
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    return run;
}

}  // namespace plotwell::test
