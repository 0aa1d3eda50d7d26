#include "project/project_dump.h"

#include <cstdio>

#include "model/object_storage.h"
#include "model/text.h"
#include "model/vocabulary.h"

namespace plotwell {

namespace {

std::string type_text(const MapObject* o) {
    const char* dimension = o->dimension < kDimensionCount ? kDimensionNames[o->dimension] : nullptr;
    const char* type = object_type_name(o->dimension, o->type);
    std::string t = dimension ? dimension : "dimension" + std::to_string(o->dimension);
    return t + " " + (type ? std::string(type) : "type" + std::to_string(o->type));
}

std::string object_line(int layer, int index, const MapObject* o) {
    std::string line = "object " + std::to_string(layer) + "." + std::to_string(index) + " " + type_text(o);
    if (has_points(o)) {
        line += " name=" + dump_quoted(field_text(o->name, kObjectNameSize));
        const int32_t n = object_point_count(o);
        line += " points=" + std::to_string(n);
        for (int32_t i = 0; i < n; ++i)
            line += " " + std::to_string(object_points(o)[i].x) + "," + std::to_string(object_points(o)[i].y);
    } else if (is_category_point(o)) {
        line += " name=" + dump_quoted(field_text(o->name, kObjectNameSize));
        line += " category=" + std::to_string(object_category(o)) +
                " sub_type=" + std::to_string(object_sub_type(o));
    } else {
        // A PNTFEATURE keeps its icon code in the last name byte.
        const bool icon = o->type == kPntFeature;
        line += " name=" + dump_quoted(field_text(o->name, kObjectNameSize - (icon ? 1 : 0)));
        if (icon) line += " icon=" + std::to_string(icon_code(o));
    }
    if (!has_points(o)) {
        const Point at = object_position(o);
        line += " at=" + std::to_string(at.x) + "," + std::to_string(at.y);
    }
    return line + "\n";
}

template <typename... Args>
void append(std::string& out, const char* format, Args... args) {
    char buffer[1024];  // the longest line, a bitmap with a quoted 127-byte name, is about 620
    std::snprintf(buffer, sizeof buffer, format, args...);
    out += buffer;
}

}  // namespace

std::string dump_quoted(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u > 0x7E || c == '"' || c == '\\') {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", u);
            out += hex;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string dump_project(const Project& p) {
    std::string out;
    append(out, "project name=%s parent=%s projection=%d coord_sys=%d\n",
           dump_quoted(field_text(p.name)).c_str(), dump_quoted(field_text(p.parent_map_basename)).c_str(),
           p.projection, p.coord_sys);
    append(out, "range x_min=%d y_min=%d width=%d height=%d\n", p.range.x_min, p.range.y_min, p.range.width,
           p.range.height);
    append(out, "geo mode=%d west=%d east=%d south=%d north=%d\n", p.geo.mode, p.geo.west, p.geo.east,
           p.geo.south, p.geo.north);
    append(out, "bitmaps table_reserved=%d count=%d\n", p.bitmaps.table_reserved, p.bitmaps.count);
    for (int i = 0; i < p.bitmaps.count && i < kMaxBitmaps; ++i) {
        const BackgroundBitmap& b = p.bitmaps.entries[i];
        append(out, "bitmap %d x=%d y=%d width=%d height=%d flags=%d reserved=%d file=%s\n", i, b.x, b.y,
               b.width, b.height, b.flags, b.reserved, dump_quoted(field_text(b.file_name)).c_str());
    }
    append(out, "layers count=%d\n", p.layer_count);
    for (int i = 0; i < p.layer_count && i < kMaxLayers; ++i) {
        const Layer& l = p.layers[i];
        append(out, "layer %d name=%s type=%d theme=%d display_flags=%d objects=%d\n", i,
               dump_quoted(field_text(l.name)).c_str(), l.type, l.theme, l.display_flags, l.object_count);
    }
    for (int i = 0; i < p.layer_count && i < kMaxLayers; ++i) {
        int index = 0;
        for (const MapObject* o = p.layers[i].objects; o; o = o->next)
            if (o->dimension != kDimDeleted) out += object_line(i, index++, o);
    }
    return out;
}

}  // namespace plotwell
