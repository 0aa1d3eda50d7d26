#include "support/synthetic_maps.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "model/object_storage.h"
#include "model/text.h"
#include "model/vocabulary.h"
#include "support/object_builders.h"

namespace plotwell::test {

namespace {
std::string made_up_name(std::mt19937& rng) {
    static const char* const kSyllables[] = {"ka",  "lo", "mar", "ti",  "sen", "ra", "vo", "an",
                                             "bel", "gu", "ne",  "dor", "is",  "pa", "ul", "zen"};
    std::string name;
    const int n = 2 + int(rng() % 3);
    for (int i = 0; i < n; ++i) name += kSyllables[rng() % 16];
    name[0] = char(name[0] - 'a' + 'A');
    return name;
}

// A ragged blob around (cx, cy): a few random harmonics of the radius plus fine noise, like a coast.
std::vector<Point> country_outline(std::mt19937& rng, int32_t cx, int32_t cy, double radius, int vertices) {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    double amplitude[6], phase[6];
    for (int k = 0; k < 6; ++k) {
        amplitude[k] = unit(rng) * 0.25 / (k + 1);
        phase[k] = unit(rng) * 2 * std::numbers::pi;
    }
    std::vector<Point> points;
    points.reserve(size_t(vertices));
    for (int i = 0; i < vertices; ++i) {
        const double a = 2 * std::numbers::pi * i / vertices;
        double r = 1;
        for (int k = 0; k < 6; ++k) r += amplitude[k] * std::sin((k + 2) * a + phase[k]);
        r *= radius * (1 + 0.03 * (unit(rng) - 0.5));
        points.push_back({int32_t(cx + r * std::cos(a)), int32_t(cy + r * std::sin(a))});
    }
    return points;
}
}  // namespace

void make_world_map(Project& project, const WorldMapShape& shape) {
    project.coord_sys = kCoordDegrees;
    project.range = {-180000000, -60000000, 360000000, 145000000};
    project.geo.mode = kGeoScaleAndPos;
    set_field(project.name, "World");
    Layer& countries = add_layer(project, "countries", kThemeLand, kMiscTypedObjs);
    Layer& cities = add_layer(project, "cities", kThemePlaces);
    std::mt19937 rng(shape.seed);
    std::uniform_int_distribution<int32_t> lon(-170000000, 170000000), lat(-50000000, 75000000);
    for (int i = 0; i < shape.countries; ++i) {
        const int vertices =
            shape.min_vertices + int(rng() % uint32_t(std::max(1, shape.max_vertices - shape.min_vertices)));
        const double radius = 1000000.0 + double(rng() % 9000000);  // 1 to 10 degrees
        const std::vector<Point> outline = country_outline(rng, lon(rng), lat(rng), radius, vertices);
        ObjectHead head;
        head.dimension = kDimPolygon;
        head.type = uint8_t(rng() % kPolygonTypeCount);
        set_field(head.name, made_up_name(rng));
        make_object(countries, head, outline.data(), int32_t(outline.size()));
    }
    for (int i = 0; i < shape.cities; ++i) add_point(cities, made_up_name(rng), {lon(rng), lat(rng)});
}

void make_line_field(Project& project, int segments, int points_per_line, uint32_t seed) {
    project.range = {0, 0, 4000000, 2000000};
    set_field(project.name, "Lines");
    Layer& roads = add_layer(project, "roads", kThemeRoads, kMiscTypedObjs);
    std::mt19937 rng(seed);
    std::vector<Point> points(static_cast<size_t>(points_per_line));
    for (int done = 0; done < segments; done += points_per_line - 1) {
        int32_t x = int32_t(rng() % 3900000) + 50000, y = int32_t(rng() % 1900000) + 50000;
        for (Point& p : points) {
            p = {x, y};
            x = std::clamp<int32_t>(x + int32_t(rng() % 8001) - 4000, 0, 4000000);
            y = std::clamp<int32_t>(y + int32_t(rng() % 8001) - 4000, 0, 2000000);
        }
        ObjectHead head;
        head.dimension = kDimLine;
        head.type = uint8_t(rng() % 6);
        set_field(head.name, made_up_name(rng) + " Rd");
        make_object(roads, head, points.data(), int32_t(points.size()));
    }
}

}  // namespace plotwell::test
