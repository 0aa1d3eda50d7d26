// plotwell-tool info: what a project file holds, in a few lines.
#include <cstdio>

#include "model/layer_lines.h"
#include "model/text.h"
#include "model/vocabulary.h"
#include "tool_command.h"
#include "tool_project.h"

namespace plotwell::tool {

namespace {

const char kUsage[] =
    "usage: plotwell-tool info FILE.mpr\n"
    "\n"
    "Prints the project's name, coordinate system, range and geographic position, each layer with its\n"
    "type, theme, display flags and number of live objects, and the background bitmaps.\n";

int run_info(const std::vector<std::string>& args) {
    if (args.size() != 1) return fail(kExitUsage, "info: expected one project file (see info --help)");
    Project p;
    if (const Result loaded = load_project_for_tool(args[0], p); !loaded.ok)
        return fail(kExitFailure, loaded.message);

    std::printf("name: %s\n", quoted(field_text(p.name)).c_str());
    std::printf("parent map basename: %s\n", quoted(field_text(p.parent_map_basename)).c_str());
    std::printf("projection: %d %s\n", p.projection, projection_name(p.projection));
    std::printf("coordinate system: %d %s\n", p.coord_sys, coord_sys_name(p.coord_sys));
    std::printf("range: x_min %d, y_min %d, width %d, height %d%s\n", p.range.x_min, p.range.y_min,
                p.range.width, p.range.height, empty_range(p.range) ? " <empty range>" : "");
    if (p.geo.mode == kGeoScaleAndPos)
        std::printf("position: west %d, east %d, south %d, north %d\n", p.geo.west, p.geo.east, p.geo.south,
                    p.geo.north);
    else
        std::printf("position: none\n");
    std::printf("layers: %d\n", p.layer_count);
    for (int i = 0; i < p.layer_count; ++i) {
        const Layer& l = p.layers[i];
        std::printf("  %s type %s, flags %d, objects %d\n", layer_list_line(i, l).c_str(),
                    layer_type_name(l.type), l.display_flags, l.object_count);
    }
    std::printf("bitmaps: %d\n", p.bitmaps.count);
    for (int i = 0; i < p.bitmaps.count; ++i) {
        const BackgroundBitmap& b = p.bitmaps.entries[i];
        std::printf("  %d: %s at %d,%d size %d x %d%s%s\n", i, quoted(field_text(b.file_name)).c_str(), b.x,
                    b.y, b.width, b.height, (b.flags & kBitmapLocked) ? " locked" : "",
                    (b.flags & kBitmapHidden) ? " hidden" : "");
    }
    return kExitOk;
}

const CommandRegistration reg{
    {"info", "show a project file's name, range, layers and bitmaps", kUsage, run_info}};

}  // namespace

}  // namespace plotwell::tool
