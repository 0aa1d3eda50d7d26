#include "support/shapefile_samples.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <string>

namespace plotwell::test {

ShapefileData sample_road_segments(int roads, int segments) {
    ShapefileData d;
    d.shape_type = 3;
    d.fields = {{"NAME", 'C', 30}, {"ROAD_ID", 'N', 6}, {"REGION", 'C', 4}};
    std::mt19937 rng(1);
    std::uniform_real_distribution<double> step(0.00005, 0.0002);
    for (int road = 0; road < roads; ++road) {
        XY at{10 + (road % 50) * 0.02, 50 + (road / 50) * 0.02};
        const std::string name = "ROAD NUMBER " + std::to_string(road);
        for (int s = 0; s < segments; ++s) {
            XY next{at.x + step(rng), at.y + step(rng) - 0.000125};
            std::vector<XY> seg{at, next};
            if (s % 2) std::reverse(seg.begin(), seg.end());
            d.records.push_back(line_record(seg, {name, std::to_string(road), "1"}));
            at = next;
        }
    }
    std::shuffle(d.records.begin(), d.records.end(), rng);
    return d;
}

ShapefileData sample_polygons(int count) {
    ShapefileData d;
    d.shape_type = 5;
    d.fields = {{"NAME", 'C', 30}, {"KIND", 'C', 10}};
    std::mt19937 rng(2);
    for (int i = 0; i < count; ++i) {
        const int n = 5 + int(rng() % 176);
        const XY c{10 + (i % 250) * 0.004, 50 + (i / 250) * 0.004};
        std::vector<XY> ring;
        for (int k = 0; k < n; ++k) {
            const double a = -2 * 3.141592653589793 * k / n;  // clockwise, as outer rings are stored
            ring.push_back({c.x + 0.0015 * std::cos(a), c.y + 0.0015 * std::sin(a)});
        }
        ring.push_back(ring.front());
        d.records.push_back(parts_record({ring}, {"PARCEL " + std::to_string(i), "land"}));
    }
    return d;
}

ShapefileData sample_points(int count) {
    ShapefileData d;
    d.shape_type = 1;
    d.fields = {{"NAME", 'C', 30}, {"POP", 'N', 8}};
    std::mt19937 rng(3);
    std::uniform_real_distribution<double> lon(10, 11), lat(50, 51);
    for (int i = 0; i < count; ++i)
        d.records.push_back(
            point_record(lon(rng), lat(rng), {"PLACE " + std::to_string(i), std::to_string(i % 5000)}));
    return d;
}

ShapefileData sample_streets(int count) {
    ShapefileData d;
    d.shape_type = 3;
    d.fields = {{"NAME", 'C', 20}, {"ROUTE", 'C', 6}};
    for (int i = 0; i < count; ++i) {
        const double y = -33.9 - i / 1000.0;
        d.records.push_back(line_record({{151.0, y}, {151.01, y}}, {"STREET " + std::to_string(i), "R1"}));
    }
    return d;
}

}  // namespace plotwell::test
