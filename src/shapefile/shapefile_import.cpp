#include "shapefile/shapefile_import.h"

#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

#include "model/geometry.h"
#include "model/object_storage.h"
#include "model/text.h"
#include "model/vocabulary.h"
#include "shapefile/coordinate_conversion.h"
#include "shapefile/field_text.h"
#include "shapefile/line_linking.h"
#include "shapefile/name_building.h"
#include "shapefile/value_translation.h"

namespace plotwell {

namespace {

constexpr size_t kLineNameLength = kObjectNameSize - 1;   // 41
constexpr size_t kPointNameLength = kObjectNameSize - 2;  // 40: the 42nd byte is the icon code

void log_named(ProgressSink& sink, const char* prefix, const std::string& name) {
    std::string line = prefix;
    line += name;
    line += "\r\n";
    sink.log_line(line);
}

bool in_degree_limits(Point p) {
    return p.x >= -kDegreeLongitudeLimit && p.x <= kDegreeLongitudeLimit && p.y >= -kDegreeLatitudeLimit &&
           p.y <= kDegreeLatitudeLimit;
}

// Orientation of a closed ring. A repeated vertex is a zero-length edge without a direction; the ring
// is judged without the repeats so that it still reads the way it is drawn.
int ring_orientation(const Point* points, int32_t n) {
    bool repeats = false;
    for (int32_t i = 1; i < n && !repeats; ++i) repeats = points[i] == points[i - 1];
    if (!repeats) return polygon_orientation(points, n);
    std::vector<Point> ring;
    ring.reserve(size_t(n));
    for (int32_t i = 0; i < n; ++i)
        if (ring.empty() || !(points[i] == ring.back())) ring.push_back(points[i]);
    return polygon_orientation(ring.data(), int32_t(ring.size()));
}

// The name as stored: cut to what the record holds, with a warning when something is cut.
void cut_name(std::string& name, size_t length, ProgressSink& sink) {
    if (name.size() <= length) return;
    log_named(sink, "Warning: Name truncated: ", name);
    name.resize(length);
}

struct ImportRun {
    Project& project;
    RecordSource& source;
    const ShapefileReader& layout;
    const ShapeImportSettings& settings;
    ProgressSink& sink;
    Layer& layer;
    FieldList name_list;
    FieldList link_list;
    std::unique_ptr<LinkGroupTable> groups = std::make_unique<LinkGroupTable>();
    int objects_added = 0;
    // The current record: the objects it gave (parts held for linking included) and the first reason
    // one of its parts was left out.
    int record_objects = 0;
    std::optional<SkipCause> record_skip = std::nullopt;

    bool linking() const { return link_list.count > 0; }

    void skip(SkipCause cause) {
        if (!record_skip) record_skip = cause;
    }

    int record_type() {
        int t;
        if (settings.type_translation.kind != kNoTranslation) {
            t = translate_value(layout, source.attributes(), settings.type_translation);
            // A table result outside the type list cannot name a type: it counts as no translation.
            if (t >= object_type_count(uint8_t(settings.dimension))) t = -1;
            if (t < 0 && settings.filter_untranslated == 0) t = settings.default_type;
        } else {
            t = settings.default_type;
        }
        return t;
    }

    void import_point(std::string& name, int t) {
        PointShape shape;
        if (!read_point_shape(source.shape(), shape)) return skip(SkipCause::unreadable);  // null or short
        cut_name(name, kLineNameLength, sink);
        if (t != kPntFeature) return skip(SkipCause::untranslated);
        Point p;
        if (!convert_coordinate(shape.x, settings.add_x, settings.multiply_x, p.x) ||
            !convert_coordinate(shape.y, settings.add_y, settings.multiply_y, p.y)) {
            log_named(sink, "Warning: coordinates out of range! Name: ", name);
            return skip(SkipCause::out_of_range);
        }
        int icon = settings.default_icon;
        if (settings.icon_translation.kind != kNoTranslation) {
            const int r = translate_value(layout, source.attributes(), settings.icon_translation);
            if (r >= 0) icon = r;
        }
        if (!apply_range_step(project.range, settings.filter_outside_range != 0, true, p, p))
            return skip(SkipCause::filtered);
        MapObject* o = allocate_object(record_size_for(kDimPoint, kPntFeature, 0));
        if (!o) return skip(SkipCause::unreadable);
        o->dimension = kDimPoint;
        o->type = kPntFeature;
        set_field(o->name, kPointNameLength + 1, name);
        set_object_position(o, p);
        set_icon_code(o, uint8_t(icon & 0xFF));
        push_object(layer, o);
        ++objects_added;
        ++record_objects;
    }

    void import_parts(std::string& name, int t) {
        PolyShape shape;
        if (!read_poly_shape(source.shape(), shape)) return skip(SkipCause::unreadable);  // null or short
        const bool polygon = settings.dimension == kDimPolygon;
        LinkGroup* group = nullptr;  // found for the record's first linked part
        for (int32_t i = 0; i < shape.part_count(); ++i) {
            SkipCause why = SkipCause::unreadable;
            ObjectPtr o(convert_part(shape, i, settings, project, name, sink, &why));
            if (!o) {
                skip(why);
                continue;
            }
            int type = t;
            if (polygon) {
                const int32_t n = object_point_count(o.get());
                const Point* ring = object_points(o.get());
                if (settings.multipart_policy == kCcwPartsGetCcwType && ring_orientation(ring, n) == 1)
                    type = settings.ccw_type;
                set_object_point_count(o.get(), n - 1);
                if (!(ring[0] == ring[n - 1])) {
                    log_named(sink, "Warning: Polygon not closed! Name: ", name);
                    skip(SkipCause::not_closed);
                    continue;
                }
            }
            o->dimension = uint8_t(settings.dimension);
            o->type = uint8_t(type);
            std::string stored = name;
            cut_name(stored, kLineNameLength, sink);
            set_field(o->name, stored);
            const Bounds b = object_bounds(o.get());
            if (!apply_range_step(project.range, settings.filter_outside_range != 0, false, b.min, b.max)) {
                skip(SkipCause::filtered);
                continue;
            }
            ++record_objects;
            if (linking() && !polygon) {
                if (!group) {
                    const std::string key =
                        joined_field_text(source.attributes(), link_list, kLinkKeyCapacity);
                    group = find_link_group(*groups, key);
                    if (!group) group = add_link_group(*groups, key);
                }
                o->next = group->objects;
                group->objects = o.release();
            } else {
                push_object(layer, o.release());
                ++objects_added;
            }
        }
    }

    void link_groups() {
        const std::vector<LinkGroup*> order = link_groups_in_order(*groups);
        sink.set_progress_range(int(order.size()));
        sink.log_line("Linking line segments...\r\n");
        int k = 0;
        for (LinkGroup* g : order) {
            sink.set_progress_pos(++k);
            MapObject* o = link_line_segments(g->objects);
            g->objects = nullptr;
            while (o) {
                MapObject* next = o->next;
                if (o->dimension == kDimDeleted) {
                    free_object(o);
                } else {
                    push_object(layer, o);
                    ++objects_added;
                }
                o = next;
            }
        }
        clear_link_groups(*groups);
    }
};

void count_skip(SkippedRecords& counts, SkipCause cause) {
    switch (cause) {
        case SkipCause::out_of_range:
            ++counts.out_of_range;
            break;
        case SkipCause::too_many_points:
            ++counts.too_many_points;
            break;
        case SkipCause::not_closed:
            ++counts.not_closed;
            break;
        case SkipCause::unreadable:
            ++counts.unreadable;
            break;
        case SkipCause::filtered:
            ++counts.filtered;
            break;
        case SkipCause::untranslated:
            ++counts.untranslated;
            break;
    }
}

// The closing lines: what did not come in, then success or, when nothing came in at all, the error.
void log_outcome(const ShapeImportResult& result, ProgressSink& sink) {
    if (result.records_skipped > 0) {
        char line[128];
        std::snprintf(line, sizeof line, "%d objects imported from %d records; %d records not imported\r\n",
                      result.objects_added, result.records_read, result.records_skipped);
        sink.log_line(line);
    }
    sink.log_line(result.objects_added > 0 ? "Shapefile successfully imported.\r\n"
                                           : "Error: nothing was imported!\r\n");
}

}  // namespace

void extend_range(CoordRange& range, Point min, Point max) {
    if (range.width < 0 || range.height < 0) {
        range.x_min = min.x;
        range.y_min = min.y;
        range.width = clamp_to_int32(int64_t(max.x) - min.x);
        range.height = clamp_to_int32(int64_t(max.y) - min.y);
        return;
    }
    // 64-bit sums: a range near the ends of the 32-bit space must not wrap.
    int64_t x_min = range.x_min, y_min = range.y_min, width = range.width, height = range.height;
    if (min.x < x_min) {
        width += x_min - min.x;
        x_min = min.x;
    }
    if (min.y < y_min) {
        height += y_min - min.y;
        y_min = min.y;
    }
    if (max.x > x_min + width) width = max.x - x_min;
    if (max.y > y_min + height) height = max.y - y_min;
    range.x_min = int32_t(x_min);
    range.y_min = int32_t(y_min);
    range.width = clamp_to_int32(width);
    range.height = clamp_to_int32(height);
}

bool apply_range_step(CoordRange& range, bool filter, bool is_point, Point min, Point max) {
    if (!filter) {
        extend_range(range, min, max);
        return true;
    }
    const int64_t x_max = int64_t(range.x_min) + range.width;
    const int64_t y_max = int64_t(range.y_min) + range.height;
    if (is_point) return range.x_min <= min.x && min.x <= x_max && range.y_min <= min.y && min.y <= y_max;
    return !(min.x > x_max || min.y > y_max || max.x < range.x_min || max.y < range.y_min);
}

MapObject* convert_part(const PolyShape& shape, int32_t part, const ShapeImportSettings& settings,
                        const Project& project, const std::string& name, ProgressSink& sink, SkipCause* why) {
    SkipCause unused;
    SkipCause& cause = why ? *why : unused;
    cause = SkipCause::unreadable;
    const int32_t first = shape.part_start(part);
    const int32_t end = part + 1 < shape.part_count() ? shape.part_start(part + 1) : shape.point_count();
    // Part indices come from the file: a part must lie inside the record's points.
    if (first < 0 || end > shape.point_count() || end <= first) return nullptr;
    const int32_t n = end - first;
    // The record's own type decides, and so does the file's: a polygon file whose record claims another
    // type would otherwise yield rings of one or two points, or none at all.
    const bool polygon = shape.shape_type() == kShapePolygon || settings.dimension == kDimPolygon;
    if (polygon && n < kMinPolygonPartPoints) return nullptr;
    if (n > kMaxPartPoints) {
        log_named(sink, "Warning: too many points in object! Name: ", name);
        cause = SkipCause::too_many_points;
        return nullptr;
    }
    ObjectPtr o(allocate_object(record_size_for(kDimLine, 0, n)));
    if (!o) return nullptr;
    set_object_point_count(o.get(), n);
    Point* pts = object_points(o.get());
    bool fits = true;
    for (int32_t j = 0; j < n && fits; ++j) {
        const PointShape p = shape.point(first + j);
        fits = convert_coordinate(p.x, settings.add_x, settings.multiply_x, pts[j].x) &&
               convert_coordinate(p.y, settings.add_y, settings.multiply_y, pts[j].y);
    }
    cause = SkipCause::out_of_range;
    if (!fits) {
        log_named(sink, "Warning: coordinates out of range! Name: ", name);
        return nullptr;
    }
    if (project.coord_sys == kCoordDegrees) {
        for (int32_t j = 0; j < n; ++j)
            if (!in_degree_limits(pts[j])) return nullptr;
    }
    return o.release();
}

ShapeImportResult run_shapefile_import(Project& project, ShapefileReader& reader,
                                       const ShapeImportSettings& settings, ProgressSink& sink,
                                       const std::atomic<bool>& running) {
    ShapefileRecordSource source(reader);
    return run_record_import(project, source, settings, sink, running);
}

ShapeImportResult run_record_import(Project& project, RecordSource& source,
                                    const ShapeImportSettings& settings, ProgressSink& sink,
                                    const std::atomic<bool>& running) {
    ShapeImportResult result;
    const ShapefileReader& layout = source.layout();
    const Result allowed = import_refusal(project, layout, settings);
    result.error = allowed.message;
    if (!allowed.ok) return result;
    result.started = true;

    const CoordRange range_before = project.range;
    ImportRun run{project, source, layout, settings, sink, project.layers[settings.dest_layer], {}, {}};
    sink.log_line("Reading shapefile...\r\n");
    sink.set_progress_range(source.record_count());
    run.name_list = make_field_list(layout, settings.name_fields.indices, settings.name_fields.count);
    if (settings.link_fields.count > 0)
        run.link_list = make_field_list(layout, settings.link_fields.indices, settings.link_fields.count);
    source.rewind();

    if (running.load(std::memory_order_relaxed)) {
        while (source.next_record()) {
            ++result.records_read;
            if (result.records_read % kProgressEvery == 0) sink.set_progress_pos(result.records_read);
            std::string name = joined_field_text(source.attributes(), run.name_list, kNameCapacity);
            if (settings.substitution_mode == 1)
                apply_substitutions(name, settings.substitutions, settings.substitution_count);
            if (settings.downcase) downcase_name(name);
            const int t = run.record_type();
            run.record_objects = 0;
            run.record_skip.reset();
            if (t < 0)
                run.skip(SkipCause::untranslated);
            else if (settings.dimension == kDimPoint)
                run.import_point(name, t);
            else
                run.import_parts(name, t);
            if (run.record_objects == 0) {
                ++result.records_skipped;
                count_skip(result.skipped, run.record_skip.value_or(SkipCause::unreadable));
            }
            if (!running.load(std::memory_order_relaxed)) break;
        }
    }
    if (run.linking()) run.link_groups();

    result.read_error = source.read_error();
    if (!result.read_error.empty()) sink.log_line("Error: " + result.read_error + "\r\n");
    result.stopped = !running.load(std::memory_order_relaxed);
    result.objects_added = run.objects_added;
    if (!result.stopped) log_outcome(result, sink);
    if (result.objects_added > 0)
        project.modified = 1;
    else
        project.range = range_before;
    if (!result.stopped) sink.show_ok_button();
    return result;
}

}  // namespace plotwell
