// plotwell-tool import-project: merges another project file into a project through a layer translation.
#include <cstdio>

#include "model/text.h"
#include "project/import_project_dialog.h"
#include "project/project_file.h"
#include "project/project_import.h"
#include "terminal_sink.h"
#include "tool_command.h"
#include "tool_project.h"

namespace plotwell::tool {

namespace {

const char kUsage[] =
    "usage: plotwell-tool import-project PROJECT.mpr SOURCE.mpr [--map SRC=DST|none]...\n"
    "\n"
    "Adds the objects of SOURCE's layers to PROJECT's layers and widens PROJECT's range to hold\n"
    "SOURCE's, then saves PROJECT. Layers are matched by theme first (an ERASE_BKG layer and a theme\n"
    "PROJECT lacks go to layer 0); each --map sets source layer SRC to project layer DST or to none.\n"
    "Prints the translation table it used on stdout and the import log on stderr. Fails when the\n"
    "import is refused (not a project file, another coordinate system, PROJECT without layers, DST\n"
    "not a layer of PROJECT).\n";

struct MapOption {
    int source;
    int destination;
};

bool parse_map(const std::string& text, MapOption& option) {
    const size_t eq = text.find('=');
    if (eq == std::string::npos) return false;
    int32_t source = 0, destination = kNoLayer;
    if (!parse_int32(std::string_view(text).substr(0, eq), source) || source < 0) return false;
    const std::string_view to = std::string_view(text).substr(eq + 1);
    if (!equal_ignoring_case(to, "none") && (!parse_int32(to, destination) || destination < 0)) return false;
    option = {source, destination};
    return true;
}

int run_import(const std::vector<std::string>& args) {
    std::vector<std::string> files;
    std::vector<MapOption> maps;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--map") {
            MapOption m;
            if (i + 1 >= args.size() || !parse_map(args[i + 1], m))
                return fail(kExitUsage, "import-project: --map expects SRC=DST or SRC=none");
            maps.push_back(m);
            ++i;
        } else if (args[i].rfind("--", 0) == 0) {
            return fail(kExitUsage,
                        "import-project: unknown option '" + args[i] + "' (see import-project --help)");
        } else {
            files.push_back(args[i]);
        }
    }
    if (files.size() != 2) return fail(kExitUsage, "import-project: expected PROJECT.mpr and SOURCE.mpr");
    std::string base, source_base;
    if (!project_base_name(files[1], source_base))
        return fail(kExitUsage, "import-project: " + files[1] + ": the file name must end in .mpr");

    Project project;
    if (const Result loaded = load_project_for_tool(files[0], project); !loaded.ok)
        return fail(kExitFailure, loaded.message);
    (void)project_base_name(files[0], base);  // the project loaded, so its name ends in .mpr

    ImportSettings settings;
    clear_import_settings(settings, files[1]);
    ImportProjectDialog dialog(project, settings);
    dialog.open();
    for (const MapOption& m : maps) {
        if (m.source >= dialog.source_layer_count())
            return fail(kExitFailure,
                        "import-project: " + files[1] + " has no layer " + std::to_string(m.source));
        settings.mapping.destination[m.source] = m.destination;
    }
    for (int i = 0; i < dialog.source_layer_count(); ++i)
        std::printf("%s\n", translation_line(i, dialog.source_layer(i), settings.mapping.destination[i],
                                             dialog.destination_choices())
                                .c_str());
    std::fflush(stdout);

    TerminalSink log;
    ImportReport report;
    const bool opened = import_project_task(project, settings.source_path, settings.mapping, log, &report);
    if (!opened || !report.imported) return fail(kExitFailure, "import-project: nothing was imported");
    NullProgressSink quiet;
    if (!save_project(project, base, quiet)) return fail(kExitFailure, files[0] + ": cannot be saved");
    return kExitOk;
}

const CommandRegistration reg{
    {"import-project", "merge another project file's objects into a project", kUsage, run_import}};

}  // namespace

}  // namespace plotwell::tool
