#include "editor/hit_test.h"

#include <gtest/gtest.h>

#include "support/object_builders.h"

using namespace plotwell;
using namespace plotwell::test;

TEST(VertexHit, OctagonalToleranceOfFivePixels) {
    ScreenPoint q{105, 100};
    EXPECT_TRUE(vertex_hit({100, 100}, q));
    EXPECT_EQ(q, (ScreenPoint{100, 100}));  // the probe moves onto the vertex
    q = {106, 100};
    EXPECT_FALSE(vertex_hit({100, 100}, q));
    EXPECT_EQ(q, (ScreenPoint{106, 100}));
    q = {103, 104};  // euclidean 5, octagonal 6
    EXPECT_FALSE(vertex_hit({100, 100}, q));
    q = {103, 103};  // octagonal 6 - 1 = 5
    EXPECT_TRUE(vertex_hit({100, 100}, q));
}

TEST(SegmentHit, BesideAndBeyondASegment) {
    const ScreenPoint a{0, 0}, b{100, 0};
    EXPECT_TRUE(segment_hit(a, b, {50, 0}));
    EXPECT_TRUE(segment_hit(a, b, {50, 1}));  // via the neighbour on the line
    EXPECT_TRUE(segment_hit(a, b, {50, -1}));
    EXPECT_FALSE(segment_hit(a, b, {50, 2}));
    EXPECT_FALSE(segment_hit(a, b, {150, 0}));  // on the extension beyond b
    EXPECT_FALSE(segment_hit(a, b, {-3, 0}));   // beyond a
    EXPECT_EQ(segment_test(a, b, {150, 0}), SegmentAnswer::BeyondB);
    EXPECT_EQ(segment_test(a, b, {-3, 0}), SegmentAnswer::BeyondA);
    EXPECT_TRUE(segment_hit(a, b, {100, 0}));  // the ends themselves lie between
    // A steep segment tests the neighbours left and right.
    EXPECT_TRUE(segment_hit({0, 0}, {10, 100}, {6, 50}));
    EXPECT_FALSE(segment_hit({0, 0}, {10, 100}, {7, 50}));
    // Vertices far off-screen sit at the ends of the int32 range; the test must neither overflow nor lie.
    EXPECT_TRUE(segment_hit({INT32_MIN, INT32_MIN}, {INT32_MAX, INT32_MAX}, {0, 0}));
    EXPECT_FALSE(segment_hit({INT32_MIN, INT32_MIN}, {INT32_MAX, INT32_MAX}, {0, 40}));
    EXPECT_FALSE(segment_hit({INT32_MIN, 0}, {INT32_MAX, 0}, {INT32_MAX, INT32_MAX}));
    // A segment of length 0 never answers.
    EXPECT_FALSE(segment_hit({5, 5}, {5, 5}, {5, 5}));
    // A diagonal one: exact points hit, a pixel off along x also (neighbour), two off not.
    EXPECT_TRUE(segment_hit({0, 0}, {100, 100}, {40, 40}));
    EXPECT_TRUE(segment_hit({0, 0}, {100, 100}, {41, 40}));
    EXPECT_FALSE(segment_hit({0, 0}, {100, 100}, {42, 40}));
}

namespace {

struct HitFixture : ::testing::Test {
    HitFixture() {
        project.range = {0, 0, 1000, 1000};
        view.view_rect = {0, 0, 1000, 1000};
        view.origin_x = 500;
        view.origin_y = 500;  // map point == pixel
    }
    Project project;
    ViewState view;
};

}  // namespace

TEST_F(HitFixture, ObjectsAnswerVerticesSegmentsAndTheClosingSegment) {
    Layer& layer = add_layer(project, "l");
    MapObject* poly =
        add_line(layer, "square", {{100, 100}, {200, 100}, {200, 200}, {100, 200}}, kDimPolygon);
    ObjectHit h = hit_object(view, project, poly, {202, 103});
    EXPECT_EQ(h.kind, HitKind::Vertex);
    EXPECT_EQ(h.index, 1);
    h = hit_object(view, project, poly, {150, 101});
    EXPECT_EQ(h.kind, HitKind::Segment);
    EXPECT_EQ(h.index, 1);  // a new vertex goes between 0 and 1
    h = hit_object(view, project, poly, {100, 150});
    EXPECT_EQ(h.kind, HitKind::Segment);
    EXPECT_EQ(h.index, 4);  // the closing segment appends
    EXPECT_EQ(hit_object(view, project, poly, {150, 150}).kind, HitKind::None);

    // A line has no closing segment.
    MapObject* line = add_line(layer, "hook", {{100, 300}, {200, 300}, {200, 400}});
    EXPECT_EQ(hit_object(view, project, line, {150, 350}).kind, HitKind::None);
    EXPECT_EQ(hit_object(view, project, line, {200, 350}).index, 2);

    MapObject* pt = add_point(layer, "p", {500, 500}, kCatPntFeature, 1, 2);
    h = hit_object(view, project, pt, {504, 501});
    EXPECT_EQ(h.kind, HitKind::Vertex);
    EXPECT_EQ(h.index, 0);

    delete_object(layer, pt);
    EXPECT_EQ(hit_object(view, project, pt, {500, 500}).kind, HitKind::None);
}

TEST_F(HitFixture, FindAndSnapWalkTheListNewestFirst) {
    Layer& layer = add_layer(project, "l");
    MapObject* old_line = add_line(layer, "old", {{100, 100}, {300, 100}});
    MapObject* new_line = add_line(layer, "new", {{300, 100}, {300, 300}});
    FoundObject f = find_object_at(view, project, layer, {301, 99});
    EXPECT_EQ(f.object, new_line);
    EXPECT_EQ(f.hit.kind, HitKind::Vertex);
    EXPECT_EQ(f.hit.index, 0);
    f = find_object_at(view, project, layer, {200, 101});
    EXPECT_EQ(f.object, old_line);
    EXPECT_EQ(f.hit.kind, HitKind::Segment);
    EXPECT_EQ(find_object_at(view, project, layer, {600, 600}).object, nullptr);

    ScreenPoint probe{297, 302};
    EXPECT_EQ(snap_to_vertex(view, project, layer, probe), new_line);
    EXPECT_EQ(probe, (ScreenPoint{300, 300}));
    probe = {200, 101};  // on a segment but near no vertex
    EXPECT_EQ(snap_to_vertex(view, project, layer, probe), nullptr);
    EXPECT_EQ(probe, (ScreenPoint{200, 101}));
}

TEST(HandleHit, IndexesFollowTheScreenInBothCoordinateSystems) {
    // Arbitrary: the minimum corner is the top-left one on the screen.
    const ScreenPoint a{100, 100}, e{200, 300};
    struct Case {
        ScreenPoint probe;
        int index_down, index_up;
        Cursor cursor_down, cursor_up;
    };
    const Case cases[] = {
        {{100, 100}, 0, 6, Cursor::SizeNwse, Cursor::SizeNesw},
        {{150, 100}, 1, 7, Cursor::SizeNs, Cursor::SizeNs},
        {{200, 100}, 2, 8, Cursor::SizeNesw, Cursor::SizeNwse},
        {{100, 200}, 3, 3, Cursor::SizeWe, Cursor::SizeWe},
        {{200, 200}, 5, 5, Cursor::SizeWe, Cursor::SizeWe},
        {{100, 300}, 6, 0, Cursor::SizeNesw, Cursor::SizeNwse},
        {{150, 300}, 7, 1, Cursor::SizeNs, Cursor::SizeNs},
        {{200, 300}, 8, 2, Cursor::SizeNwse, Cursor::SizeNesw},
    };
    for (const Case& c : cases) {
        auto down = handle_hit(a, e, {c.probe.x + 2, c.probe.y - 3}, kCoordArbitrary);
        ASSERT_TRUE(down.has_value());
        EXPECT_EQ(down->index, c.index_down);
        EXPECT_EQ(down->cursor, c.cursor_down);
        auto up = handle_hit(a, e, c.probe, kCoordDegrees);
        ASSERT_TRUE(up.has_value());
        EXPECT_EQ(up->index, c.index_up);
        EXPECT_EQ(up->cursor, c.cursor_up);
    }
    EXPECT_FALSE(handle_hit(a, e, {150, 200}, kCoordArbitrary).has_value());  // the middle is no handle
    EXPECT_FALSE(handle_hit(a, e, {106, 100}, kCoordArbitrary).has_value());
}

TEST_F(HitFixture, BitmapsAreFoundTopmostFirstAndUnlockedBeforeLocked) {
    BitmapTable& t = project.bitmaps;
    t.count = 3;
    for (int i = 0; i < 3; ++i) {
        t.entries[i].x = 100;
        t.entries[i].y = 100;
        t.entries[i].width = 200;
        t.entries[i].height = 200;
    }
    t.entries[2].flags = kBitmapLocked;  // topmost, but locked
    t.entries[0].flags = kBitmapHidden;  // hidden is still hit
    auto h = bitmap_hit(view, project, {150, 150});
    ASSERT_TRUE(h.has_value());
    EXPECT_EQ(h->bitmap, 1);
    EXPECT_EQ(h->index, 4);
    EXPECT_EQ(h->cursor, Cursor::SizeAll);
    h = bitmap_hit(view, project, {299, 101});  // near entry 1's top-right corner
    ASSERT_TRUE(h.has_value());
    EXPECT_EQ(h->bitmap, 1);
    EXPECT_EQ(h->index, 2);
    EXPECT_EQ(h->cursor, Cursor::SizeNesw);

    t.entries[1].flags = kBitmapLocked;
    h = bitmap_hit(view, project, {150, 150});
    ASSERT_TRUE(h.has_value());
    EXPECT_EQ(h->bitmap, 0);  // the hidden unlocked one wins over the locked ones on top
    t.entries[0].flags = kBitmapLocked;
    h = bitmap_hit(view, project, {150, 150});
    ASSERT_TRUE(h.has_value());
    EXPECT_EQ(h->bitmap, 2);
    // Locked bitmaps have no handles: only their body answers, and the right edge is outside.
    h = bitmap_hit(view, project, {300, 150});
    EXPECT_FALSE(h.has_value());
    EXPECT_FALSE(bitmap_hit(view, project, {50, 50}).has_value());
}
