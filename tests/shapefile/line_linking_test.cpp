#include "shapefile/line_linking.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <map>
#include <random>

#include "import_fixture.h"

namespace plotwell::test {
namespace {

// The joining rules written out plainly: two 4096-bucket tables keyed by the low 12 bits of x + y,
// new entries at the front, every bucket scanned front to back, whole passes until nothing joins.
struct ReferenceLinker {
    struct Line {
        std::vector<Point> points;
        bool deleted = false;
    };
    std::vector<Line> lines;
    std::map<int, std::deque<int>> tables[2];  // bucket -> entries, front first

    static int bucket(Point p) { return int((uint32_t(p.x) + uint32_t(p.y)) & 0xFFF); }
    Point end(int line, int table) const {
        const auto& p = lines[size_t(line)].points;
        return table == 0 ? p.front() : p.back();
    }
    void enter(int line, int table) { tables[table][bucket(end(line, table))].push_front(line); }
    void clear(int line, int table) {
        auto& b = tables[table][bucket(end(line, table))];
        b.erase(std::find(b.begin(), b.end(), line));
    }
    int find(int table, Point p, int self) {
        for (int line : tables[table][bucket(p)])
            if (!lines[size_t(line)].deleted && line != self && end(line, table) == p) return line;
        return -1;
    }

    void run() {
        for (size_t i = 0; i < lines.size(); ++i) {
            enter(int(i), 0);
            enter(int(i), 1);
        }
        for (bool joined = true; joined;) {
            joined = false;
            for (size_t ai = 0; ai < lines.size(); ++ai) {
                const int a = int(ai);
                if (lines[ai].deleted) continue;
                std::vector<Point>& ap = lines[ai].points;
                int b;
                if ((b = find(0, ap.front(), a)) >= 0) {
                    clear(b, 0);
                    std::vector<Point> joined_points(ap.rbegin(), ap.rend());
                    auto& bp = lines[size_t(b)].points;
                    joined_points.insert(joined_points.end(), bp.begin() + 1, bp.end());
                    bp = joined_points;
                    enter(b, 0);
                } else if ((b = find(1, ap.front(), a)) >= 0) {
                    clear(b, 1);
                    auto& bp = lines[size_t(b)].points;
                    bp.insert(bp.end(), ap.begin() + 1, ap.end());
                    enter(b, 1);
                } else if ((b = find(1, ap.back(), a)) >= 0) {
                    clear(b, 1);
                    auto& bp = lines[size_t(b)].points;
                    bp.insert(bp.end(), ap.rbegin() + 1, ap.rend());
                    enter(b, 1);
                } else {
                    continue;
                }
                lines[ai].deleted = true;
                joined = true;
            }
        }
    }
};

// A list of line objects in the given order (first element at the head).
MapObject* make_list(Layer& scratch, const std::vector<std::vector<Point>>& lines) {
    for (size_t i = lines.size(); i-- > 0;) {
        ObjectHead head;
        head.dimension = kDimLine;
        head.type = uint8_t(i % 12);
        set_field(head.name, "line " + std::to_string(i));
        make_object(scratch, head, lines[i].data(), int32_t(lines[i].size()));
    }
    MapObject* list = scratch.objects;
    scratch.objects = nullptr;
    scratch.object_count = 0;
    return list;
}

struct Linked {
    std::vector<std::string> names;
    std::vector<bool> deleted;
    std::vector<std::vector<Point>> points;
};

Linked link(const std::vector<std::vector<Point>>& lines) {
    Layer scratch;
    MapObject* list = link_line_segments(make_list(scratch, lines));
    Linked out;
    while (list) {
        out.names.emplace_back(field_text(list->name));
        out.deleted.push_back(list->dimension == kDimDeleted);
        out.points.emplace_back(object_points(list), object_points(list) + object_point_count(list));
        MapObject* next = list->next;
        free_object(list);
        list = next;
    }
    return out;
}

TEST(LineLinking, MatchesThePlainAlgorithmOnRandomSegments) {
    std::mt19937 rng(20261207);
    for (int round = 0; round < 3000; ++round) {
        const int grid = 2 + int(rng() % 5);
        const int count = 1 + int(rng() % 40);
        std::vector<std::vector<Point>> lines;
        for (int i = 0; i < count; ++i) {
            const int n = 1 + int(rng() % 4);
            std::vector<Point> pts;
            for (int k = 0; k < n; ++k) pts.push_back({int32_t(rng() % grid), int32_t(rng() % grid)});
            // Some coordinates collide in the 12-bit buckets without being equal.
            if (rng() % 4 == 0) pts.front().x += 4096;
            lines.push_back(pts);
        }
        ReferenceLinker ref;
        for (const auto& l : lines) ref.lines.push_back({l, false});
        ref.run();
        const Linked got = link(lines);
        ASSERT_EQ(got.names.size(), lines.size());
        for (size_t i = 0; i < lines.size(); ++i) {
            ASSERT_EQ(got.names[i], "line " + std::to_string(i)) << "round " << round;
            ASSERT_EQ(got.deleted[i], ref.lines[i].deleted) << "round " << round << " line " << i;
            if (!ref.lines[i].deleted) {
                ASSERT_EQ(got.points[i], ref.lines[i].points) << "round " << round << " line " << i;
            }
        }
    }
}

TEST(LineLinking, ExamplesThroughTheImport) {
    ShapefileData d = named_lines({{"first", {{0, 0}, {5, 0}}}, {"second", {{0, 0}, {0, 5}}}});
    d.fields.push_back({"ROAD", 'C', 4});
    for (auto& r : d.records) r.values.push_back("7");
    ImportCase c(d);
    c.settings.default_type = 4;
    c.settings.link_fields = {{1}, 1};
    c.run();
    EXPECT_EQ(c.sink.log,
              "Reading shapefile...\r\nLinking line segments...\r\nShapefile successfully imported.\r\n");
    auto objects = c.objects();
    ASSERT_EQ(objects.size(), 1u);
    EXPECT_EQ(objects[0].name, "first");
    EXPECT_EQ(objects[0].type, 4);
    EXPECT_EQ(objects[0].points, (std::vector<Point>{{0, 5}, {0, 0}, {5, 0}}));

    ShapefileData chain =
        named_lines({{"one", {{0, 0}, {1, 1}}}, {"two", {{1, 1}, {2, 2}}}, {"three", {{3, 3}, {2, 2}}}});
    chain.fields.push_back({"ROAD", 'C', 4});
    for (auto& r : chain.records) r.values.push_back("7");
    ImportCase k(chain);
    k.settings.link_fields = {{1}, 1};
    k.run();
    objects = k.objects();
    ASSERT_EQ(objects.size(), 1u);
    EXPECT_EQ(objects[0].name, "one");
    EXPECT_EQ(objects[0].points, (std::vector<Point>{{0, 0}, {1, 1}, {2, 2}, {3, 3}}));
}

TEST(LineLinking, GroupsByKeyAndAddsGroupsInBucketOrder) {
    // Keys "b" (98) and "a" (97) hang in buckets 98 and 97: group "a" is linked and added first, so
    // its line ends up behind group "b"'s in the layer.
    ShapefileData d =
        named_lines({{"x1", {{0, 0}, {1, 0}}}, {"y1", {{1, 0}, {2, 0}}}, {"x2", {{1, 0}, {2, 0}}}});
    d.fields.push_back({"ROAD", 'C', 4});
    d.records[0].values.push_back("b");
    d.records[1].values.push_back("a");
    d.records[2].values.push_back("b");
    ImportCase c(d);
    c.settings.link_fields = {{1}, 1};
    c.run();
    const auto objects = c.objects();
    ASSERT_EQ(objects.size(), 2u);
    EXPECT_EQ(objects[0].name, "x1");
    EXPECT_EQ(objects[0].points, (std::vector<Point>{{0, 0}, {1, 0}, {2, 0}}));
    EXPECT_EQ(objects[1].name, "y1");
    EXPECT_EQ(c.sink.ranges, (std::vector<int>{3, 2}));
    EXPECT_EQ(c.sink.positions, (std::vector<int>{1, 2}));

    EXPECT_EQ(link_group_bucket("a"), 97);
    EXPECT_EQ(link_group_bucket("\xFF"), 8191);  // signed bytes: -1 wraps to the last bucket
    EXPECT_EQ(link_group_bucket(std::string(100, 'z')), 12200 % 8192);
}

TEST(LineLinking, OneGroupOf200000ShuffledSegmentsBecomesOneRoad) {
    constexpr int kSegments = 200000;
    std::vector<std::vector<Point>> lines;
    for (int i = 0; i < kSegments; ++i) {
        std::vector<Point> seg{{i * 10, (i % 3) * 7}, {(i + 1) * 10, ((i + 1) % 3) * 7}};
        if (i % 2) std::swap(seg[0], seg[1]);
        lines.push_back(seg);
    }
    std::shuffle(lines.begin(), lines.end(), std::mt19937(5));
    const Linked got = link(lines);
    const auto live = std::count(got.deleted.begin(), got.deleted.end(), false);
    ASSERT_EQ(live, 1);
    const size_t i = size_t(std::find(got.deleted.begin(), got.deleted.end(), false) - got.deleted.begin());
    std::vector<Point> road = got.points[i];
    ASSERT_EQ(road.size(), size_t(kSegments) + 1);
    if (road.front().x != 0) std::reverse(road.begin(), road.end());
    for (int k = 0; k <= kSegments; ++k) ASSERT_EQ(road[size_t(k)], (Point{k * 10, (k % 3) * 7}));
}

TEST(LineLinking, AStarOfSegmentsSharingOnePointPairsUp) {
    std::vector<std::vector<Point>> lines;
    for (int i = 0; i < 100000; ++i) lines.push_back({{0, 0}, {i + 1, 2 * i + 1}});
    const Linked got = link(lines);
    EXPECT_EQ(std::count(got.deleted.begin(), got.deleted.end(), false), 50000);
}

TEST(LineLinking, LeavesListsWithoutPartnersAlone) {
    const Linked got = link({{{0, 0}, {1, 0}}, {{5, 5}, {6, 6}}});
    EXPECT_EQ(got.deleted, (std::vector<bool>{false, false}));
    EXPECT_EQ(got.points[1], (std::vector<Point>{{5, 5}, {6, 6}}));
    EXPECT_EQ(link_line_segments(nullptr), nullptr);
}

}  // namespace
}  // namespace plotwell::test
