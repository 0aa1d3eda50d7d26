#include "export/scaling.h"

#include <gtest/gtest.h>

#include <cmath>

#include "export_fixture.h"
#include "support/object_builders.h"

using namespace plotwell;
using namespace plotwell::test;

namespace {
ExportState scaled(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint8_t coord_sys) {
    ExportState state;
    state.bounds[0] = x0;
    state.bounds[1] = y0;
    state.bounds[2] = x1;
    state.bounds[3] = y1;
    compute_export_scale(state, coord_sys);
    return state;
}
}  // namespace

TEST(ExportScale, PlainMapOf24000By12000Units) {
    const ExportState s = scaled(100, 200, 24100, 12200, kCoordArbitrary);
    EXPECT_EQ(s.scale_x, 0.5f);
    EXPECT_EQ(s.scale_y, 0.5f);
    EXPECT_EQ(s.flip, 0);
    EXPECT_EQ(s.output.x_min, 1);
    EXPECT_EQ(s.output.y_min, 1);
    EXPECT_EQ(s.output.x_max, 12001);
    EXPECT_EQ(s.output.y_max, 6001);
    EXPECT_EQ(scale_point(s, 100, 200), (ScaledPoint{1, 1}));
    EXPECT_EQ(scale_point(s, 24100, 12200), (ScaledPoint{12001, 6001}));
    EXPECT_EQ(scale_point(s, 103, 205), (ScaledPoint{2, 3}));  // 1.5 + 1 and 2.5 + 1, truncated
}

TEST(ExportScale, ScaleIsAFloatOf12000OverTheLongerSide) {
    const ExportState s = scaled(0, 0, 7000, 9000, kCoordArbitrary);
    EXPECT_EQ(s.scale_x, float(12000.0 / 9000.0));
    EXPECT_EQ(s.output.y_max, 12001);
    // 7000 * float(4/3) is just below or above 9333.33; the double product of the float decides.
    EXPECT_EQ(s.output.x_max, uint16_t(int64_t(7000.0 * double(float(12000.0 / 9000.0))) + 1));
}

TEST(ExportScale, DegreeMapAtSixtyNorthIsStretchedAndFlipped) {
    // 10..12 degrees east, 59.5..60.5 degrees north.
    const ExportState s = scaled(10000000, 59500000, 12000000, 60500000, kCoordDegrees);
    EXPECT_EQ(s.scale_x, float(12000.0 / 2000000.0));
    EXPECT_NEAR(double(s.scale_y) / double(s.scale_x), 2.0, 1e-4);
    EXPECT_NE(s.flip, 0);
    EXPECT_EQ(s.output.y_max, s.flip - 1);
    EXPECT_EQ(s.output.x_max, 12001);
    // North up: the north-west corner is (1, 1), the south-east corner the far end of the range.
    EXPECT_EQ(scale_point(s, 10000000, 60500000), (ScaledPoint{1, 1}));
    EXPECT_EQ(scale_point(s, 12000000, 59500000), (ScaledPoint{s.output.x_max, s.output.y_max}));
    const ScaledPoint mid = scale_point(s, 11000000, 60000000);
    EXPECT_NEAR(mid.y, s.output.y_max / 2.0, 2.0);
}

TEST(ExportScale, FarCornerOfADegreeMapAlwaysMapsToTheRangeMaximum) {
    // The range's maximum and the scaled corner come from the same double product.
    for (int32_t south = -80000000; south <= 80000000; south += 7300001) {
        for (int32_t height : {1234567, 3000000, 777}) {
            const ExportState s = scaled(-5000000, south, -5000000 + 2345678, south + height, kCoordDegrees);
            EXPECT_EQ(scale_point(s, -5000000 + 2345678, south),
                      (ScaledPoint{s.output.x_max, s.output.y_max}))
                << south << " " << height;
            EXPECT_EQ(scale_point(s, -5000000, south + height), (ScaledPoint{1, 1}));
        }
    }
}

TEST(ExportScale, PointsOutsideTheBoundsTruncateTowardZeroAndWrap) {
    const ExportState s = scaled(0, 0, 24000, 12000, kCoordArbitrary);
    EXPECT_EQ(scale_point(s, -1, 0).x, 0);      // -0.5 + 1 = 0.5 -> 0
    EXPECT_EQ(scale_point(s, -3, 0).x, 0);      // -1.5 + 1 = -0.5 -> 0 (toward zero, not -1)
    EXPECT_EQ(scale_point(s, -9, 0).x, 65533);  // -4.5 + 1 = -3.5 -> -3, as 16 bits
    EXPECT_EQ(scale_point(s, 200000, 0).x, uint16_t(100001));
    EXPECT_EQ(trunc_to_u16(std::nan("")), 0);
    EXPECT_EQ(trunc_to_u16(1e300), 0);
}

TEST(ExportScale, FlippedYWrapsIn16Bits) {
    const ExportState s = scaled(0, 0, 1000000, 1000000, kCoordDegrees);
    // Above the northern edge the subtraction from the flip goes below zero and wraps.
    const ScaledPoint p = scale_point(s, 0, 1400000);
    const uint16_t sy = trunc_to_u16(1400000.0 * double(s.scale_y) + 1.0);
    EXPECT_EQ(p.y, uint16_t(s.flip - sy));
    EXPECT_GT(p.y, 60000);
}

TEST(ScaleObjects, WorkingCopiesFollowLayerOrderAndSkipDeletedAndShortOutlines) {
    Project project;
    project.range = {0, 0, 24000, 12000};
    Layer& a = add_layer(project, "a");
    Layer& b = add_layer(project, "b");
    add_line(a, "road", {{0, 0}, {2, 2}, {4, 4}, {6, 6}});
    add_point(a, "cat", {10, 20}, kCatPntFeature, 2, 3);
    MapObject* gone = add_line(b, "gone", {{0, 0}, {2, 2}});
    gone->dimension = kDimDeleted;
    add_line(b, "one point", {{5, 5}});
    add_line(b, "no points", {});
    add_point(b, "pnt", {24000, 12000});

    ExportSettings settings = default_settings(project);
    settings.visible_layer_count = 2;
    settings.visible_layers[0] = 1;
    settings.visible_layers[1] = 0;
    ExportState state;
    state.bounds[2] = 24000;
    state.bounds[3] = 12000;
    compute_export_scale(state, kCoordArbitrary);
    RecordingSink sink;
    scale_objects(state, project, settings, sink);
    EXPECT_EQ(sink.log, "Scaling points...\r\n");
    EXPECT_EQ(sink.ranges, std::vector<int>{3});
    ASSERT_EQ(state.object_items.size(), 1u);
    const ObjectItem& road = state.object_items[0];
    EXPECT_EQ(road.layer, 1);
    EXPECT_EQ(road.middle_count, 2);
    EXPECT_EQ(road.first, (ScaledPoint{1, 1}));
    EXPECT_EQ(road.middle, (std::vector<ScaledPoint>{{2, 2}, {3, 3}}));
    EXPECT_EQ(road.last, (ScaledPoint{4, 4}));
    ASSERT_EQ(state.point_items.size(), 2u);
    EXPECT_EQ(state.point_items[0].layer, 0);  // layer b comes first
    EXPECT_EQ(state.point_items[0].position, (ScaledPoint{12001, 6001}));
    EXPECT_EQ(state.point_items[1].position, (ScaledPoint{6, 11}));  // the category point's position
}
