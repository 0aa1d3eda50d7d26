// Big projects made up for the map-fitting tests and benchmarks: a world of country polygons with
// thousands of vertices each and city points in decimal degrees, and a plain project of many short
// lines. The same seed always gives the same project.
#pragma once

#include <cstdint>

#include "model/records.h"

namespace plotwell::test {

struct WorldMapShape {
    int countries = 180;
    int cities = 250;
    int min_vertices = 1500;  // per country
    int max_vertices = 6000;
    uint32_t seed = 1;
};

// Layers "countries" (polygons) and "cities" (point features) over the whole globe, in millionths of a
// degree.
void make_world_map(Project& project, const WorldMapShape& shape = {});

// `segments` line segments in lines of `points_per_line` points, in a plain project.
void make_line_field(Project& project, int segments, int points_per_line = 11, uint32_t seed = 7);

}  // namespace plotwell::test
