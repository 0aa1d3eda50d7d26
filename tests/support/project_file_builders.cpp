#include "support/project_file_builders.h"

#include <cstdio>

#include "model/bytes.h"
#include "model/object_storage.h"
#include "model/text.h"
#include "model/vocabulary.h"
#include "platform/progress_sink.h"
#include "project/project_file.h"
#include "support/object_builders.h"

namespace plotwell::test {

std::vector<uint8_t> save_small_project(const std::string& base) {
    Project old_project;
    add_line(add_layer(old_project, "Old"), "old line", {{1, 1}, {2, 2}});
    NullProgressSink quiet;
    std::vector<uint8_t> bytes;
    if (!save_project(old_project, base, quiet) || !read_whole_file(base + ".mpr", bytes)) bytes.clear();
    return bytes;
}

void fill_sample_project(Project& project) {
    set_field(project.name, "Sample");
    set_field(project.parent_map_basename, "parent-map");
    project.projection = 0;
    project.coord_sys = kCoordDegrees;
    project.range = {-1000, -2000, 30000, 40000};
    project.geo = {kGeoScaleAndPos, 0, -100, 200, -300, 400};

    Layer& roads = add_layer(project, "Roads", kThemeRoads, kSngTypedObjs);
    roads.display_flags = kLayerShowAlways;
    add_line(roads, "Main Street", {{1, 2}, {3, 4}, {5, 6}}, kDimLine, kFreeway);
    MapObject* gone = add_line(roads, "Deleted", {{9, 9}, {8, 8}}, kDimLine, kRoad3);
    add_line(roads, "Ring", {{-5, -5}, {5, -5}, {5, 5}}, kDimLine, kRoad4);
    delete_object(roads, gone);

    Layer& water = add_layer(project, "Water", kThemeWater, kMiscTypedObjs);
    add_line(water, "Lake", {{0, 0}, {100, 0}, {100, 100}, {0, 100}}, kDimPolygon, kWaterArea);
    add_line(water, "", {}, kDimLine, kRiver);  // a line without points still round-trips

    Layer& places = add_layer(project, "Places", kThemePlaces, kMiscTypedObjs);
    MapObject* hotel = add_point(places, "Hotel with a forty character long name!!", {10, 20}, kPntFeature);
    set_icon_code(hotel, kIconLabelMinor);
    add_point(places, "other-map", {30, 40}, kLink);
    add_point(places, "Fuel", {50, 60}, kCatPntFeature, 3, 7);

    project.bitmaps.table_reserved = 0;
    project.bitmaps.count = 2;
    BackgroundBitmap& shown = project.bitmaps.entries[0];
    shown.x = 1;
    shown.y = 2;
    shown.width = 300;
    shown.height = 400;
    shown.flags = kBitmapLocked;
    set_field(shown.file_name, "maps/shown.bmp");
    BackgroundBitmap& hidden = project.bitmaps.entries[1];
    hidden.width = 10;
    hidden.height = 20;
    hidden.flags = kBitmapHidden;
    set_field(hidden.file_name, "/abs/hidden.bmp");
}

std::vector<std::string> layer_object_texts(const Layer& layer) {
    std::vector<std::string> texts;
    for (const MapObject* o = layer.objects; o; o = o->next) {
        if (o->dimension == kDimDeleted) continue;
        std::string t = std::to_string(o->dimension) + " " + std::to_string(o->type) + " " +
                        std::string(field_text(o->name));
        if (has_points(o)) {
            for (int32_t i = 0; i < object_point_count(o); ++i)
                t += " (" + std::to_string(object_points(o)[i].x) + "," +
                     std::to_string(object_points(o)[i].y) + ")";
        } else {
            const Point at = object_position(o);
            t += " @(" + std::to_string(at.x) + "," + std::to_string(at.y) + ")";
            if (is_category_point(o))
                t += " cat " + std::to_string(object_category(o)) + "/" + std::to_string(object_sub_type(o));
            else
                t += " icon " + std::to_string(icon_code(o));
        }
        texts.push_back(t);
    }
    return texts;
}

void RawFile::put_le32_at(size_t at, uint32_t v) {
    if (bytes.size() < at + 4) bytes.resize(at + 4);
    put_le32(bytes.data() + at, v);
}
void RawFile::put_le16_at(size_t at, uint16_t v) {
    if (bytes.size() < at + 2) bytes.resize(at + 2);
    put_le16(bytes.data() + at, v);
}
uint32_t RawFile::le32_at(size_t at) const {
    return get_le32(bytes.data() + at);
}
void RawFile::append_le32(uint32_t v) {
    put_le32_at(bytes.size(), v);
}
void RawFile::append_bytes(const void* data, size_t n) {
    const uint8_t* p = static_cast<const uint8_t*>(data);
    bytes.insert(bytes.end(), p, p + n);
}
void RawFile::append_zeros(size_t n) {
    bytes.insert(bytes.end(), n, 0);
}

RawFile raw_project_header(int32_t version, int32_t layer_count) {
    RawFile f;
    f.bytes.assign(224, 0);
    f.bytes[0] = 'm';
    f.bytes[1] = 'p';
    f.put_le32_at(4, uint32_t(version));
    f.put_le32_at(24, uint32_t(layer_count));
    return f;
}

bool write_bytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace plotwell::test
