// plotwell-tool dump: every field of a project in a canonical text form that diff can compare.
#include <cstdio>
#include <string>

#include "model/object_storage.h"
#include "model/text.h"
#include "model/vocabulary.h"
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

std::string type_text(const MapObject* o) {
    const char* dimension = o->dimension < kDimensionCount ? kDimensionNames[o->dimension] : nullptr;
    const char* type = object_type_name(o->dimension, o->type);
    std::string t = dimension ? dimension : "dimension" + std::to_string(o->dimension);
    return t + " " + (type ? std::string(type) : "type" + std::to_string(o->type));
}

void print_object(int layer, int index, const MapObject* o) {
    std::string line = "object " + std::to_string(layer) + "." + std::to_string(index) + " " + type_text(o);
    if (has_points(o)) {
        line += " name=" + quoted(field_text(o->name, kObjectNameSize));
        const int32_t n = object_point_count(o);
        line += " points=" + std::to_string(n);
        for (int32_t i = 0; i < n; ++i)
            line += " " + std::to_string(object_points(o)[i].x) + "," + std::to_string(object_points(o)[i].y);
    } else if (is_category_point(o)) {
        line += " name=" + quoted(field_text(o->name, kObjectNameSize));
        line += " category=" + std::to_string(object_category(o)) +
                " sub_type=" + std::to_string(object_sub_type(o));
    } else {
        // A PNTFEATURE keeps its icon code in the last name byte.
        const bool icon = o->type == kPntFeature;
        line += " name=" + quoted(field_text(o->name, kObjectNameSize - (icon ? 1 : 0)));
        if (icon) line += " icon=" + std::to_string(icon_code(o));
    }
    if (!has_points(o)) {
        const Point at = object_position(o);
        line += " at=" + std::to_string(at.x) + "," + std::to_string(at.y);
    }
    std::puts(line.c_str());
}

int run_dump(const std::vector<std::string>& args) {
    if (args.size() != 1) return fail(kExitUsage, "dump: expected one project file (see dump --help)");
    Project p;
    if (const Result loaded = load_project_for_tool(args[0], p); !loaded.ok)
        return fail(kExitFailure, loaded.message);

    std::printf("project name=%s parent=%s projection=%d coord_sys=%d\n", quoted(field_text(p.name)).c_str(),
                quoted(field_text(p.parent_map_basename)).c_str(), p.projection, p.coord_sys);
    std::printf("range x_min=%d y_min=%d width=%d height=%d\n", p.range.x_min, p.range.y_min, p.range.width,
                p.range.height);
    std::printf("geo mode=%d west=%d east=%d south=%d north=%d\n", p.geo.mode, p.geo.west, p.geo.east,
                p.geo.south, p.geo.north);
    std::printf("bitmaps table_reserved=%d count=%d\n", p.bitmaps.table_reserved, p.bitmaps.count);
    for (int i = 0; i < p.bitmaps.count; ++i) {
        const BackgroundBitmap& b = p.bitmaps.entries[i];
        std::printf("bitmap %d x=%d y=%d width=%d height=%d flags=%d reserved=%d file=%s\n", i, b.x, b.y,
                    b.width, b.height, b.flags, b.reserved, quoted(field_text(b.file_name)).c_str());
    }
    std::printf("layers count=%d\n", p.layer_count);
    for (int i = 0; i < p.layer_count; ++i) {
        const Layer& l = p.layers[i];
        std::printf("layer %d name=%s type=%d theme=%d display_flags=%d objects=%d\n", i,
                    quoted(field_text(l.name)).c_str(), l.type, l.theme, l.display_flags, l.object_count);
    }
    for (int i = 0; i < p.layer_count; ++i) {
        int index = 0;
        for (const MapObject* o = p.layers[i].objects; o; o = o->next)
            if (o->dimension != kDimDeleted) print_object(i, index++, o);
    }
    return std::fflush(stdout) == 0 ? kExitOk : fail(kExitFailure, "dump: cannot write the output");
}

const CommandRegistration reg{
    {"dump", "print every field and object of a project file as text", kUsage, run_dump}};

}  // namespace

}  // namespace plotwell::tool
