// plotwell-tool import-pdb: merges the objects of a map database into a project through a layer
// translation.
#include <cstdio>

#include "export/database_import.h"
#include "model/text.h"
#include "project/project_file.h"
#include "terminal_sink.h"
#include "tool_command.h"
#include "tool_project.h"

namespace plotwell::tool {

namespace {

const char kUsage[] =
    "usage: plotwell-tool import-pdb PROJECT.mpr MAP.pdb [--map SRC=DST|none]...\n"
    "\n"
    "Adds the objects of MAP's layers to PROJECT's layers and widens PROJECT's range to hold MAP's,\n"
    "then saves PROJECT. Coordinates go back through the map's geographic bounds to decimal degrees\n"
    "when it has them (PROJECT must then be a decimal degree project), otherwise they stay output\n"
    "units. Layers are matched by theme; each --map sets map layer SRC to project layer DST or to\n"
    "none. Prints the translation table on stdout and what could not be read on stderr.\n";

bool parse_map(const std::string& text, int& source, int& destination) {
    const size_t eq = text.find('=');
    if (eq == std::string::npos) return false;
    int32_t s = 0, d = kNoLayer;
    if (!parse_int32(std::string_view(text).substr(0, eq), s) || s < 0 || s >= kMaxMappedLayers) return false;
    const std::string_view to = std::string_view(text).substr(eq + 1);
    if (!equal_ignoring_case(to, "none") && (!parse_int32(to, d) || d < 0)) return false;
    source = s;
    destination = d;
    return true;
}

int run_import_pdb(const std::vector<std::string>& args) {
    std::vector<std::string> files;
    std::vector<std::pair<int, int>> maps;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--map") {
            int s = 0, d = 0;
            if (i + 1 >= args.size() || !parse_map(args[i + 1], s, d))
                return fail(kExitUsage, "import-pdb: --map expects SRC=DST or SRC=none");
            maps.emplace_back(s, d);
            ++i;
        } else if (args[i].rfind("--", 0) == 0) {
            return fail(kExitUsage, "import-pdb: unknown option '" + args[i] + "' (see import-pdb --help)");
        } else {
            files.push_back(args[i]);
        }
    }
    if (files.size() != 2) return fail(kExitUsage, "import-pdb: expected PROJECT.mpr and MAP.pdb");
    std::string base;
    if (!project_base_name(files[0], base))
        return fail(kExitUsage, "import-pdb: " + files[0] + ": the file name must end in .mpr");
    Project project;
    if (const Result loaded = load_project_for_tool(files[0], project); !loaded.ok)
        return fail(kExitFailure, loaded.message);
    Project source;
    DatabaseImport imported;
    if (const Result read = read_database_project(files[1], source, imported); !read.ok)
        return fail(kExitFailure, "import-pdb: " + read.message);
    for (const std::string& p : imported.problems) std::fprintf(stderr, "warning: %s\n", p.c_str());

    LayerMapping mapping;
    match_themes(source.layers, source.layer_count, project, mapping);
    for (const auto& [s, d] : maps) {
        if (s >= source.layer_count)
            return fail(kExitFailure, "import-pdb: " + files[1] + " has no layer " + std::to_string(s));
        if (d >= project.layer_count)
            return fail(kExitFailure, "import-pdb: " + files[0] + " has no layer " + std::to_string(d));
        mapping.destination[s] = d;
    }
    const std::vector<std::string> names = destination_names(project);
    for (int i = 0; i < source.layer_count; ++i)
        std::printf("%s\n", translation_line(i, source.layers[i], mapping.destination[i], names).c_str());
    std::fflush(stdout);

    TerminalSink log;
    if (merge_database_project(project, source, mapping, log) == 0)
        return fail(kExitFailure, "import-pdb: nothing was imported");
    project.modified = 1;
    NullProgressSink quiet;
    if (!save_project(project, base, quiet)) return fail(kExitFailure, files[0] + ": cannot be saved");
    return kExitOk;
}

const CommandRegistration reg{
    {"import-pdb", "merge a map database's objects into a project", kUsage, run_import_pdb}};

}  // namespace

}  // namespace plotwell::tool
