// plotwell-tool import-shp: imports a shapefile into one layer of a project file, as File > Import >
// from ShapeFile does in the editor, and saves the project.
#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <string>

#include "model/layer_lines.h"
#include "model/text.h"
#include "model/vocabulary.h"
#include "project/project_file.h"
#include "shapefile/import_profile.h"
#include "shapefile/shapefile_import.h"
#include "terminal_sink.h"
#include "tool_command.h"
#include "tool_project.h"

namespace plotwell::tool {
namespace {

constexpr int kExitInterrupted = 130;  // the shell's status for a command ended by Ctrl+C

const char kUsage[] =
    "usage: plotwell-tool import-shp PROJECT.mpr FILE.shp [--layer N] [--name-field F]... [--link-field "
    "F]...\n"
    "                                [--type NAME] [--icon NAME] [--no-downcase] [--filter | --no-filter]\n"
    "                                [--multiply-x N] [--multiply-y N] [--profile FILE]\n"
    "\n"
    "Imports the records of FILE.shp (with FILE.shx and FILE.dbf) as objects of one layer and saves the\n"
    "project. Settings start as the import dialog sets them, then the profile applies, then the options:\n"
    "  --layer N         destination layer (default 0)\n"
    "  --name-field F    attribute field whose text forms the object name; repeat for up to 8 fields,\n"
    "                    joined by blanks in the order given (at least one, here or in the profile)\n"
    "  --link-field F    PolyLine files: lines with the same text in these fields are joined end to end\n"
    "  --type NAME       object type of the file's dimension (default: the first), e.g. ROAD3, WATER\n"
    "  --icon NAME       icon of imported points, e.g. PI_BANK, or an icon code (default 0)\n"
    "  --no-downcase     keep names as they are (default: all but each word's first letter lowered)\n"
    "  --filter          drop objects outside the project's range (the default when the range is set)\n"
    "  --no-filter       keep everything and grow the range\n"
    "  --multiply-x N    factor from file units to map units (default 1000000: degrees to the\n"
    "  --multiply-y N    millionths of a degree of a decimal-degree project)\n"
    "  --profile FILE    import settings from a profile file (below)\n"
    "Ctrl+C stops the reading; the project file is then left untouched (exit status 130).\n"
    "An import that adds no object fails and leaves the project file untouched (exit status 1).\n"
    "\n"
    "A profile holds one setting per line, KEY = VALUE; '#' starts a comment line, keys not given keep\n"
    "their value. Fields go by name, types by name (ROAD3) or index, icons by name (PI_BANK) or code;\n"
    "texts may be quoted (\"...\" with \\\" and \\\\). Keys: name_fields, link_fields (comma-separated),\n"
    "dest_layer, default_type, default_icon, downcase, filter_outside_range, filter_untranslated (0/1),\n"
    "multiply_x, multiply_y, add_x, add_y, multipart_policy (0/1), ccw_type, substitution_mode (0/1),\n"
    "substitution = \"FROM\" \"TO\" (one line per entry), and for type_translation and icon_translation:\n"
    "  type_translation = none | strings | ranges\n"
    "  type_translation.field = FIELD\n"
    "  type_translation.match_mode = prefix | whole       type_translation.case_sensitive = 0 | 1\n"
    "  type_translation.entry = \"TEXT\" RESULT            type_translation.range = MIN MAX RESULT\n"
    "A bad line is reported with its number and nothing is imported.\n";

std::atomic<bool> g_running{true};

extern "C" void stop_import(int) {
    g_running.store(false);
}

// Ctrl+C from the start of the command until the save begins stops the import and leaves the project
// file alone: while files are opened and loaded it makes the import read nothing, during the reading
// it acts as the Stop button. The handler stays for the save so that the file is never cut short.
struct InterruptGuard {
    void (*previous)(int);
    InterruptGuard() {
        g_running.store(true);
        previous = std::signal(SIGINT, stop_import);
    }
    ~InterruptGuard() { std::signal(SIGINT, previous); }
};

// The dialog reads a factor as optional blanks, a sign and digits (at most 15 characters), 0 without digits.
int32_t dialog_number(const std::string& text) {
    const std::string s = text.substr(0, 15);
    size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    int64_t v = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9' && v <= INT32_MAX) v = v * 10 + (s[i++] - '0');
    if (negative) v = -v;
    return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

// Index of `text` among the names (ignoring case) or as a number below `count`; -1 otherwise.
int lookup(const std::string& text, const std::vector<std::string>& names) {
    int32_t number = 0;
    if (parse_int32(text, number)) return number >= 0 && number < int(names.size()) ? number : -1;
    for (size_t i = 0; i < names.size(); ++i)
        if (equal_ignoring_case(text, names[i])) return int(i);
    return -1;
}

struct Options {
    std::string project_path, shp_path, profile;
    int layer = -1;
    std::vector<std::string> name_fields, link_fields;
    std::string type, icon, multiply_x, multiply_y;
    bool no_downcase = false;
    int filter = -1;  // -1: as the range allows
};

// Fails with the usage error.
Result parse(const std::vector<std::string>& args, Options& o) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool has_value = i + 1 < args.size();
        if (a == "--layer" && has_value) {
            int32_t n;
            if (!parse_int32(args[++i], n) || n < 0 || n >= kMaxLayers)
                return failure("--layer expects a layer number 0..7");
            o.layer = n;
        } else if (a == "--name-field" && has_value) {
            o.name_fields.push_back(args[++i]);
        } else if (a == "--link-field" && has_value) {
            o.link_fields.push_back(args[++i]);
        } else if (a == "--type" && has_value) {
            o.type = args[++i];
        } else if (a == "--icon" && has_value) {
            o.icon = args[++i];
        } else if (a == "--multiply-x" && has_value) {
            o.multiply_x = args[++i];
        } else if (a == "--multiply-y" && has_value) {
            o.multiply_y = args[++i];
        } else if (a == "--profile" && has_value) {
            o.profile = args[++i];
        } else if (a == "--no-downcase") {
            o.no_downcase = true;
        } else if (a == "--filter" || a == "--no-filter") {
            const int f = a == "--filter";
            if (o.filter >= 0 && o.filter != f) return failure("--filter and --no-filter exclude each other");
            o.filter = f;
        } else if (a.rfind("--", 0) == 0) {
            return failure("unknown or incomplete option '" + a + "' (see import-shp --help)");
        } else if (o.project_path.empty()) {
            o.project_path = a;
        } else if (o.shp_path.empty()) {
            o.shp_path = a;
        } else {
            return failure("more than a project and a shapefile given");
        }
    }
    if (o.shp_path.empty())
        return failure("a project file and a shapefile are needed (see import-shp --help)");
    if (o.name_fields.size() > size_t(kMaxListedFields) || o.link_fields.size() > size_t(kMaxListedFields))
        return failure("Maximum fields reached (at most 8 name fields and 8 link fields)");
    return success();
}

// Field names to indices.
Result select_fields(const std::vector<std::string>& names, const ShapefileReader& reader,
                     const std::string& dbf, FieldSelection& out) {
    FieldSelection sel;
    for (const std::string& name : names) {
        const int i = find_field(reader, name);
        if (i < 0) return failure("no field '" + name + "' in " + dbf);
        sel.indices[sel.count++] = i;
    }
    out = sel;
    return success();
}

int run(const std::vector<std::string>& args) {
    InterruptGuard interrupt;
    Options o;
    if (const Result parsed = parse(args, o); !parsed.ok)
        return fail(kExitUsage, "import-shp: " + parsed.message);
    std::string project_base;
    if (!project_base_name(o.project_path, project_base))
        return fail(kExitUsage, "import-shp: " + o.project_path + ": the project file name must end in .mpr");

    const std::string base = cut_at_last_dot(o.shp_path);
    ShapefileReader reader;
    if (const Result opened = open_shapefile(reader, base); !opened.ok)
        return fail(kExitFailure, "import-shp: " + opened.message);
    const int dimension = shape_dimension(reader);
    if (dimension < 0)
        return fail(kExitFailure, "import-shp: " + o.shp_path + ": unsupported shape type " +
                                      std::to_string(shape_type(reader)) +
                                      " (only Point, PolyLine and Polygon files can be imported)");
    if (!o.link_fields.empty() && dimension != kDimLine)
        return fail(kExitUsage, "import-shp: --link-field applies to PolyLine files only");

    Project project;
    if (const Result loaded = load_project_for_tool(o.project_path, project); !loaded.ok)
        return fail(kExitFailure, "import-shp: " + loaded.message);
    if (project.layer_count <= 0)
        return fail(kExitFailure, "import-shp: the project has no layers to import into");

    ShapeImportSettings s = default_import_settings(project, reader, base, 0);
    if (!o.profile.empty()) {
        if (const Result loaded = load_import_profile(o.profile, reader, s); !loaded.ok)
            return fail(kExitFailure, "import-shp: " + o.profile + ": " + loaded.message);
    }
    if (o.layer >= 0) s.dest_layer = o.layer;
    if (s.dest_layer >= project.layer_count)
        return fail(kExitFailure, "import-shp: the project has no layer " + std::to_string(s.dest_layer));
    const std::string dbf = base + ".dbf";
    if (!o.name_fields.empty())
        if (const Result selected = select_fields(o.name_fields, reader, dbf, s.name_fields); !selected.ok)
            return fail(kExitFailure, "import-shp: " + selected.message);
    if (!o.link_fields.empty())
        if (const Result selected = select_fields(o.link_fields, reader, dbf, s.link_fields); !selected.ok)
            return fail(kExitFailure, "import-shp: " + selected.message);
    if (!o.type.empty()) {
        std::vector<std::string> types;
        for (int i = 0; i < object_type_count(uint8_t(dimension)); ++i)
            types.push_back(object_type_name(uint8_t(dimension), uint8_t(i)));
        const int t = lookup(o.type, types);
        if (t < 0)
            return fail(kExitUsage, "import-shp: '" + o.type + "' is not an object type of a " +
                                        kDimensionNames[dimension] + " file");
        s.default_type = t;
    }
    if (!o.icon.empty()) {
        int32_t code;
        int icon = lookup(o.icon, std::vector<std::string>(kIconNames, kIconNames + kIconCount));
        if (icon < 0 && parse_int32(o.icon, code) && code >= 0 && code <= 255)
            icon = code;  // codes above the names
        if (icon < 0) return fail(kExitUsage, "import-shp: '" + o.icon + "' is not an icon name or code");
        s.default_icon = icon;
    }
    if (o.no_downcase) s.downcase = 0;
    if (o.filter >= 0) s.filter_outside_range = o.filter;
    if (!o.multiply_x.empty()) s.multiply_x = dialog_number(o.multiply_x);
    if (!o.multiply_y.empty()) s.multiply_y = dialog_number(o.multiply_y);
    // The import dialog's checks on OK; a filter on an empty range is switched off here.
    if (const Result checked = check_import_settings(s, project); !checked.ok)
        return fail(kExitFailure, "import-shp: " + checked.message);

    ShapeImportResult result;
    {
        TerminalSink sink;
        result = run_shapefile_import(project, reader, s, sink, g_running);
        sink.close_progress(result.started && !result.stopped ? 1 : 0);
    }
    if (!result.started) return fail(kExitFailure, "import-shp: " + result.error);
    if (result.stopped || !g_running.load()) {
        std::fprintf(stderr, "plotwell-tool: import-shp: stopped; %s was not changed\n",
                     o.project_path.c_str());
        return kExitInterrupted;
    }
    if (result.objects_added == 0)
        return fail(kExitFailure, "import-shp: nothing was imported; " + o.project_path + " was not changed");
    NullProgressSink quiet;
    if (!save_project(project, project_base, quiet))
        return fail(kExitFailure, "import-shp: " + o.project_path + ": cannot write the project file");
    std::printf("%d objects imported into layer %s from %d records\n", result.objects_added,
                layer_list_line(s.dest_layer, project.layers[s.dest_layer]).c_str(), result.records_read);
    return kExitOk;
}

const CommandRegistration reg{
    {"import-shp", "import a shapefile into a layer of a project file", kUsage, run}};

}  // namespace
}  // namespace plotwell::tool
