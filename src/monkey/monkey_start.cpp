#include "monkey/monkey_start.h"

#include <sstream>

#include "model/object_storage.h"
#include "model/text.h"
#include "model/vocabulary.h"
#include "monkey/monkey_random.h"
#include "project/project_file.h"

namespace plotwell::monkey {

namespace {

constexpr const char* kKindNames[] = {"file", "sample", "random", "empty", "no-layers"};

void add_random_layers(Project& p, Rng& rng, int count) {
    p.layer_count = count;
    for (int i = 0; i < count; ++i) {
        Layer& l = p.layers[i];
        l.type = uint8_t(rng.below(kLayerTypeCount));
        l.theme = uint8_t(rng.below(kThemeCount));
        l.display_flags = rng.chance(50) ? kLayerShowAlways : 0;
        set_field(l.name, "layer" + std::to_string(i));
    }
}

void add_random_objects(Project& p, Rng& rng) {
    const CoordRange& r = p.range;
    const auto random_point = [&]() {
        return Point{r.x_min + rng.below(r.width + 1), r.y_min + rng.below(r.height + 1)};
    };
    for (int i = 0; i < p.layer_count; ++i) {
        for (int n = rng.below(40); n > 0; --n) {
            ObjectHead head;
            head.dimension = uint8_t(rng.below(3));
            head.type = uint8_t(rng.below(object_type_count(head.dimension)));
            set_field(head.name, "obj" + std::to_string(n));
            std::vector<Point> points(
                size_t(head.dimension == kDimPoint ? 1 : rng.between(head.dimension + 1, 12)));
            // Some lines share end points so that joins and splits have something to work on.
            for (Point& pt : points) pt = rng.chance(10) ? Point{r.x_min, r.y_min} : random_point();
            if (head.dimension == kDimPoint) {
                MapObject* o = make_object(p.layers[i], head, nullptr, 0);
                if (o) set_object_position(o, points[0]);
            } else {
                make_object(p.layers[i], head, points.data(), int32_t(points.size()));
            }
        }
    }
}

}  // namespace

std::string start_line(const MonkeyStart& start) {
    std::string line = std::string("start ") + kKindNames[int(start.kind)] + " " + std::to_string(start.seed);
    if (start.kind == StartKind::File) line += " " + start.path;
    return line;
}

std::optional<MonkeyStart> parse_start_line(const std::string& line) {
    std::istringstream in(line);
    std::string word, kind;
    MonkeyStart start;
    if (!(in >> word >> kind >> start.seed) || word != "start") return std::nullopt;
    for (int i = 0; i < 5; ++i)
        if (kind == kKindNames[i]) start.kind = StartKind(i);
    if (kind != kKindNames[int(start.kind)]) return std::nullopt;
    if (start.kind == StartKind::File) {
        std::getline(in >> std::ws, start.path);
        if (start.path.empty()) return std::nullopt;
    }
    return start;
}

bool build_start_project(const MonkeyStart& start, const SampleBuilder& sample, Project& p,
                         std::string& error) {
    Rng rng(start.seed);
    set_field(p.name, "monkey");
    switch (start.kind) {
        case StartKind::File: {
            NullProgressSink sink;
            if (load_project_file(p, strip_file_extension(start.path), sink)) return true;
            error = "cannot load " + start.path;
            return false;
        }
        case StartKind::Sample:
            if (sample && sample(p)) return true;
            error = "no sample map";
            return false;
        case StartKind::Random:
            p.coord_sys = rng.chance(50) ? kCoordDegrees : kCoordArbitrary;
            p.range = {rng.between(-1000, 1000), rng.between(-1000, 1000), rng.between(1, 5000),
                       rng.between(1, 5000)};
            add_random_layers(p, rng, rng.between(1, kMaxLayers));
            add_random_objects(p, rng);
            return true;
        case StartKind::Empty:
            p.coord_sys = kCoordDegrees;
            p.range = kEmptyDegreeRange;
            add_random_layers(p, rng, 3);
            return true;
        case StartKind::NoLayers:
            p.range = {0, 0, 1000, 800};
            return true;
    }
    return false;
}

}  // namespace plotwell::monkey
