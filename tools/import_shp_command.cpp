// plotwell-tool import-shp: imports a shapefile into one layer of a project file, as File > Import >
// from ShapeFile does in the editor, and saves the project.
#include <cstdio>
#include <string>

#include "model/text.h"
#include "model/vocabulary.h"
#include "project/project_file.h"
#include "shape_import_options.h"
#include "shapefile/shapefile_import.h"
#include "tool_command.h"
#include "tool_project.h"

namespace plotwell::tool {
namespace {

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

int run(const std::vector<std::string>& args) {
    InterruptGuard interrupt;
    ShapeImportOptions o;
    if (const Result parsed = parse_shape_import_options(args, o, "import-shp", false); !parsed.ok)
        return fail(kExitUsage, "import-shp: " + parsed.message);
    std::string project_base;
    if (!project_base_name(o.project_path, project_base))
        return fail(kExitUsage, "import-shp: " + o.project_path + ": the project file name must end in .mpr");

    const std::string base = cut_at_last_dot(o.source_path);
    ShapefileReader reader;
    if (const Result opened = open_shapefile(reader, base); !opened.ok)
        return fail(kExitFailure, "import-shp: " + opened.message);
    const int dimension = shape_dimension(reader);
    if (dimension < 0)
        return fail(kExitFailure, "import-shp: " + o.source_path + ": unsupported shape type " +
                                      std::to_string(shape_type(reader)) +
                                      " (only Point, PolyLine and Polygon files can be imported)");
    if (!o.link_fields.empty() && dimension != kDimLine)
        return fail(kExitUsage, "import-shp: --link-field applies to PolyLine files only");

    Project project;
    if (const Result loaded = load_project_for_tool(o.project_path, project); !loaded.ok)
        return fail(kExitFailure, "import-shp: " + loaded.message);
    if (project.layer_count <= 0)
        return fail(kExitFailure, "import-shp: the project has no layers to import into");

    ShapeImportSettings s;
    if (const int status =
            make_shape_import_settings(o, reader, base, base + ".dbf", project, "import-shp", s);
        status != kExitOk)
        return status;
    ShapefileRecordSource source(reader);
    return run_import_and_save(o, source, s, project, project_base, "import-shp");
}

const CommandRegistration reg{
    {"import-shp", "import a shapefile into a layer of a project file", kUsage, run}};

}  // namespace
}  // namespace plotwell::tool
