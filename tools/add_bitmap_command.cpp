// plotwell-tool add-bitmap: adds a background picture to a project file, placed where its
// georeference says in a decimal-degree project, and saves the project.
#include <cstdio>

#include "platform/progress_sink.h"
#include "project/project_file.h"
#include "project/raster_placement.h"
#include "tool_command.h"
#include "tool_project.h"

namespace plotwell::tool {

namespace {

const char kUsage[] =
    "usage: plotwell-tool add-bitmap PROJECT.mpr PICTURE\n"
    "\n"
    "Adds PICTURE (a BMP file or any raster GDAL reads: GeoTIFF, PNG, JPEG, ...) to PROJECT's background\n"
    "bitmaps, stored under the name as given, and saves PROJECT. In a decimal-degree project a\n"
    "georeferenced picture (GeoTIFF, or a world file .tfw/.pgw/.jgw/.wld beside it) covers its corners\n"
    "transformed to WGS 84; otherwise it goes to the range's minimum corner, one map unit per pixel, and\n"
    "stderr says why it was not placed. Prints the entry's position and size.\n";

int run_add_bitmap(const std::vector<std::string>& args) {
    if (args.size() != 2) return fail(kExitUsage, "add-bitmap: expected PROJECT.mpr and PICTURE");
    std::string base;
    if (!project_base_name(args[0], base))
        return fail(kExitUsage, "add-bitmap: " + args[0] + ": the project file name must end in .mpr");
    Project project;
    if (const Result loaded = load_project_for_tool(args[0], project); !loaded.ok)
        return fail(kExitFailure, loaded.message);
    std::string note;
    if (const Result added = add_raster_bitmap(project, args[1], args[1], note); !added.ok)
        return fail(kExitFailure, "add-bitmap: " + added.message);
    if (!note.empty()) std::fprintf(stderr, "plotwell-tool: %s\n", note.c_str());
    const BackgroundBitmap& b = project.bitmaps.entries[project.bitmaps.count - 1];
    std::printf("%d: %s at %d,%d size %d x %d\n", project.bitmaps.count - 1, quoted(args[1]).c_str(), b.x,
                b.y, b.width, b.height);
    NullProgressSink quiet;
    if (!save_project(project, base, quiet)) return fail(kExitFailure, args[0] + ": cannot be saved");
    return kExitOk;
}

const CommandRegistration reg{
    {"add-bitmap", "add a background picture, placed by its georeference", kUsage, run_add_bitmap}};

}  // namespace

}  // namespace plotwell::tool
