// Generated shapefile contents for tests and benchmarks, in decimal degrees (most around 10 E 50 N).
#pragma once

#include "support/shapefile_writer.h"

namespace plotwell::test {

// `roads` roads of `segments` two-point segments each that chain end to end; records shuffled and every
// other segment reversed. Fields NAME, ROAD_ID (the road) and REGION (one value for all).
ShapefileData sample_road_segments(int roads, int segments);
// `count` closed clockwise rings of 5 to 180 vertices. Fields NAME, KIND.
ShapefileData sample_polygons(int count);
// `count` named points. Fields NAME, POP.
ShapefileData sample_points(int count);
// `count` two-point streets by Sydney harbour: record i runs east from 151 E along latitude -33.9 - i/1000.
// Fields NAME ("STREET i"), ROUTE ("R1").
ShapefileData sample_streets(int count);

}  // namespace plotwell::test
