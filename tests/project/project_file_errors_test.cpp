// Hostile project files from tests/data/errors/: loading, reading the layers and importing each one
// stays inside the file and takes no more work or memory than the file can back.
#include <gtest/gtest.h>

#include <cstring>

#include "model/bytes.h"
#include "model/object_storage.h"
#include "project/project_file.h"
#include "project/project_import.h"
#include "support/error_cases.h"
#include "support/object_builders.h"
#include "support/recording_sink.h"

using namespace plotwell;
using namespace plotwell::test;

namespace {

int64_t record_bytes(const Project& p) {
    int64_t n = 0;
    for (int i = 0; i < p.layer_count; ++i)
        for (const MapObject* o = p.layers[i].objects; o; o = o->next) n += object_record_size(o);
    return n;
}

void expect_sound(const Project& p, size_t file_size) {
    ASSERT_GE(p.layer_count, 0);
    ASSERT_LE(p.layer_count, kMaxLayers);
    for (int i = 0; i < p.layer_count; ++i) {
        int n = 0;
        for (const MapObject* o = p.layers[i].objects; o; o = o->next, ++n) {
            if (has_points(o)) {
                EXPECT_GE(object_point_count(o), 0);
            }
        }
        EXPECT_EQ(n, p.layers[i].object_count);
        EXPECT_LT(std::strlen(p.layers[i].name), size_t(kLayerNameSize));
    }
    EXPECT_LE(record_bytes(p), int64_t(file_size)) << "records take more than the file holds";
}

// Progress ranges count slots; a slot takes 4 bytes of the file.
void expect_bounded_progress(const RecordingSink& sink, size_t file_size) {
    for (int range : sink.ranges) EXPECT_LE(int64_t(range), int64_t(file_size / 4));
}

}  // namespace

TEST(ProjectFileErrors, EveryKnownBadFileIsRefusedOrReadSoundly) {
    const std::vector<ErrorCase> cases = error_cases("project_file");
    ASSERT_GE(cases.size(), 8u);
    for (const ErrorCase& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingSink sink;
        Project p;
        add_layer(p, "kept");
        ProjectFileReport report;
        if (load_project_from_bytes(p, c.bytes, sink, &report)) {
            expect_sound(p, c.bytes.size());
        } else {
            EXPECT_EQ(p.layer_count, 1) << "a refused file leaves the project as it was";
            EXPECT_EQ(field_text(p.layers[0].name), "kept");
        }
        expect_bounded_progress(sink, c.bytes.size());

        Layer layers[kMaxLayers];
        read_project_layers_from_bytes(c.bytes, layers);
        for (const Layer& l : layers) EXPECT_EQ(l.objects, nullptr) << "the layer structure only";

        RecordingSink import_sink;
        Project open;
        open.coord_sys = c.bytes.size() > 3 ? c.bytes[3] : 0;
        add_layer(open, "into");
        LayerMapping all_to_one;
        for (int& d : all_to_one.destination) d = 0;
        import_project_bytes(open, c.bytes, all_to_one, import_sink);
        expect_sound(open, c.bytes.size());
        expect_bounded_progress(import_sink, c.bytes.size());
    }
}

TEST(ProjectFileErrors, ABillionSlotsDeclaredInASmallFileFailFast) {
    // The first slot table's length word says 10^9 slots (4 * 10^9 + 4 bytes) and, in the second case,
    // 2^29 - 1 slots; the file holds a few hundred bytes of slots.
    for (const char* name : {"slots_1e9", "slots_int_max"}) {
        SCOPED_TRACE(name);
        const ErrorCase c = error_case("project_file", name);
        ASSERT_FALSE(c.bytes.empty());
        RecordingSink sink;
        Project p;
        ProjectFileReport report;
        ASSERT_TRUE(load_project_from_bytes(p, c.bytes, sink, &report));
        EXPECT_FALSE(report.problems.empty());
        ASSERT_EQ(sink.ranges.size(), 1u);
        EXPECT_LE(sink.ranges[0], int(c.bytes.size() / 4));
        EXPECT_LE(report.objects_loaded + report.objects_skipped, int64_t(c.bytes.size() / 4));
        expect_sound(p, c.bytes.size());
    }
}
