// plotwell-tool inspect: reads a map database back and checks it.
#include <cstdio>

#include "export/database_check.h"
#include "model/bytes.h"
#include "tool_command.h"

namespace plotwell::tool {

namespace {

const char kUsage[] =
    "usage: plotwell-tool inspect MAP.pdb [--dump]\n"
    "\n"
    "Decodes the whole map database: the PDB header and record list, the map header (checksum), the\n"
    "publisher, region and name index records, every layer's cell table with every Definition (type,\n"
    "fields, name with back-references resolved, vertices) and the region tree. It checks that each\n"
    "Definition lies inside one data record and in the cell its box belongs to, that list links stay in\n"
    "the data and that the name index is sorted and printable.\n"
    "  --dump   print every record and one line per Definition first\n"
    "The last line is \"OK\" or the violations, one per line; the exit status is 1 on any violation.\n";

// A Large map is about half a megabyte; anything far larger is not a map database.
constexpr size_t kMaxDatabaseSize = size_t(64) << 20;

int run_inspect(const std::vector<std::string>& args) {
    std::string path;
    bool dump = false;
    for (const std::string& a : args) {
        if (a == "--dump") {
            dump = true;
        } else if (a.rfind("--", 0) == 0) {
            return fail(kExitUsage, "inspect: unknown option '" + a + "' (see inspect --help)");
        } else if (path.empty()) {
            path = a;
        } else {
            return fail(kExitUsage, "inspect: more than one file given");
        }
    }
    if (path.empty()) return fail(kExitUsage, "inspect: no map database given (see inspect --help)");
    std::vector<uint8_t> bytes;
    if (!read_whole_file(path, bytes, kMaxDatabaseSize)) return fail(kExitFailure, path + ": cannot be read");
    const InspectReport report = inspect_database(bytes);
    const std::string text = format_inspect_report(report, dump);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return report.ok() ? kExitOk : kExitFailure;
}

const CommandRegistration reg{{"inspect", "decode and check a map database (.pdb)", kUsage, run_inspect}};

}  // namespace

}  // namespace plotwell::tool
