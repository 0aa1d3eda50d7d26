// Damaged and hostile project files: the readers (load, layer structure, import) stay inside the file, take
// what is sound, and a refused file leaves the open project untouched.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "model/bytes.h"
#include "model/object_storage.h"
#include "model/text.h"
#include "project/project_file.h"
#include "project/project_import.h"
#include "support/object_builders.h"
#include "support/project_file_builders.h"
#include "support/recording_sink.h"

using namespace plotwell;
using namespace plotwell::test;

namespace {

std::vector<uint8_t> sample_bytes() {
    Project p;
    fill_sample_project(p);
    NullProgressSink quiet;
    return build_project_file(p, quiet);
}

std::vector<uint8_t> one_layer_bytes(int points) {
    Project p;
    Layer& l = add_layer(p, "L");
    for (int i = 0; i < points; ++i) add_point(l, "p" + std::to_string(i), {i, i});
    NullProgressSink quiet;
    return build_project_file(p, quiet);
}

// Where the (only or first) layer's slot table begins, past its length word.
size_t first_slot_table(const std::vector<uint8_t>& b) {
    return get_le32(b.data() + get_le32(b.data() + 28) + 4);
}

// What the loaded records take: never more than the file, however its slots point.
int64_t loaded_record_bytes(const Project& p) {
    int64_t n = 0;
    for (int i = 0; i < p.layer_count; ++i)
        for (const MapObject* o = p.layers[i].objects; o; o = o->next) n += object_record_size(o);
    return n;
}

// Every list is consistent with its count, and every record is sound.
void expect_consistent(const Project& p) {
    ASSERT_GE(p.layer_count, 0);
    ASSERT_LE(p.layer_count, kMaxLayers);
    ASSERT_LE(p.bitmaps.count, kMaxBitmaps);
    for (int i = 0; i < p.layer_count; ++i) {
        int n = 0;
        for (const MapObject* o = p.layers[i].objects; o; o = o->next) {
            ASSERT_LE(o->dimension, kDimPolygon);
            if (has_points(o)) {
                ASSERT_GE(object_point_count(o), 0);
            }
            ++n;
        }
        EXPECT_EQ(n, p.layers[i].object_count);
        EXPECT_LT(std::strlen(p.layers[i].name), size_t(kLayerNameSize));
    }
    EXPECT_LT(std::strlen(p.name), size_t(kProjectNameSize));
    EXPECT_LT(std::strlen(p.parent_map_basename), size_t(kParentMapBasenameSize));
}

}  // namespace

TEST(ProjectFileDamage, EveryPrefixOfRealFilesIsRefusedOrReadSoundly) {
    std::vector<std::vector<uint8_t>> files = {sample_bytes(), one_layer_bytes(20)};
    Project empty;
    NullProgressSink quiet;
    files.push_back(build_project_file(empty, quiet));
    for (const auto& full : files) {
        for (size_t n = 0; n < full.size(); ++n) {
            const std::span<const uint8_t> prefix(full.data(), n);
            Project p;
            const bool loaded = load_project_from_bytes(p, prefix, quiet);
            if (n < 224) {
                EXPECT_FALSE(loaded) << n;
            }
            if (loaded) expect_consistent(p);
            Layer layers[kMaxLayers];
            const int count = read_project_layers_from_bytes(prefix, layers);
            EXPECT_EQ(count, loaded ? p.layer_count : 0) << n;
        }
        Project whole;
        EXPECT_TRUE(load_project_from_bytes(whole, full, quiet));
    }
}

TEST(ProjectFileDamage, RandomlyCorruptedBytesNeverLeadOutsideTheFile) {
    const std::vector<uint8_t> original = sample_bytes();
    std::mt19937 rng(20261207);
    NullProgressSink quiet;
    for (int round = 0; round < 3000; ++round) {
        std::vector<uint8_t> b = original;
        const int hits = 1 + int(rng() % 8);
        for (int k = 0; k < hits; ++k) {
            // Aim half of the hits at the structure (header, directory, slot tables), where damage hurts.
            const size_t span = (rng() & 1) ? std::min<size_t>(b.size(), 10400) : b.size();
            b[rng() % span] = uint8_t(rng());
        }
        Project p;
        ProjectFileReport report;
        if (load_project_from_bytes(p, b, quiet, &report)) {
            expect_consistent(p);
            EXPECT_LE(loaded_record_bytes(p), int64_t(b.size()));
        }
        Layer layers[kMaxLayers];
        read_project_layers_from_bytes(b, layers);

        Project open;
        open.coord_sys = b[3];
        add_layer(open, "into");
        LayerMapping all_to_one;
        for (int& d : all_to_one.destination) d = 0;
        import_project_bytes(open, b, all_to_one, quiet);
        expect_consistent(open);
        EXPECT_LE(loaded_record_bytes(open), int64_t(b.size()));
    }
}

TEST(ProjectFileDamage, RefusedFilesLeaveTheProjectAsItWas) {
    Project p;
    fill_sample_project(p);
    const std::vector<std::string> before = layer_object_texts(p.layers[0]);
    NullProgressSink quiet;

    std::vector<uint8_t> wrong_magic = sample_bytes();
    wrong_magic[1] = 'q';
    std::vector<uint8_t> too_many_layers = sample_bytes();
    put_le32(too_many_layers.data() + 24, 9);
    std::vector<uint8_t> negative_layers = sample_bytes();
    put_le32(negative_layers.data() + 24, uint32_t(-1));
    std::vector<uint8_t> directory_outside = sample_bytes();
    put_le32(directory_outside.data() + 28, uint32_t(directory_outside.size() - 20));

    std::vector<uint8_t> directory_in_header = sample_bytes();
    put_le32(directory_in_header.data() + 28, 0);

    for (const auto* bad :
         {&wrong_magic, &too_many_layers, &negative_layers, &directory_outside, &directory_in_header}) {
        ProjectFileReport report;
        EXPECT_FALSE(load_project_from_bytes(p, *bad, quiet, &report));
        EXPECT_FALSE(report.problems.empty());
        Layer layers[kMaxLayers];
        EXPECT_EQ(read_project_layers_from_bytes(*bad, layers), 0);
    }
    EXPECT_EQ(field_text(p.name), "Sample");
    EXPECT_EQ(p.layer_count, 3);
    EXPECT_EQ(p.bitmaps.count, 2);
    EXPECT_EQ(layer_object_texts(p.layers[0]), before);
    EXPECT_FALSE(load_project_file(p, "/nonexistent/folder/none", quiet));
    EXPECT_EQ(p.layer_count, 3);
}

TEST(ProjectFileDamage, SlotTableLengthsAreCheckedAgainstTheFile) {
    NullProgressSink quiet;
    const std::vector<uint8_t> good = one_layer_bytes(3);
    const size_t slots = first_slot_table(good);

    struct Case {
        const char* what;
        uint32_t length;
        int objects;
    } cases[] = {
        {"below 4", 3, 0},
        {"negative", uint32_t(-8), 0},
        {"exactly the length word", 4, 0},
        {"not a multiple of 4: whole slots only", 4 + 2 * 4 + 2, 2},
        {"more slots than the file holds", 0x7FFFFFF0u, 3},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> b = good;
        put_le32(b.data() + slots - 4, c.length);
        Project p;
        ProjectFileReport report;
        ASSERT_TRUE(load_project_from_bytes(p, b, quiet, &report)) << c.what;
        EXPECT_EQ(p.layers[0].object_count, c.objects) << c.what;
        expect_consistent(p);
        if (c.length != 4) {
            EXPECT_FALSE(report.problems.empty()) << c.what;
        }
    }

    std::vector<uint8_t> table_outside = good;
    put_le32(table_outside.data() + get_le32(good.data() + 28) + 4, uint32_t(good.size() + 100));
    Project p;
    ProjectFileReport report;
    ASSERT_TRUE(load_project_from_bytes(p, table_outside, quiet, &report));
    EXPECT_EQ(p.layers[0].object_count, 0);
    EXPECT_EQ(field_text(p.layers[0].name), "L");
    EXPECT_FALSE(report.problems.empty());
}

TEST(ProjectFileDamage, BadSlotsAreSkippedAndTheRestIsLoaded) {
    NullProgressSink quiet;
    const std::vector<uint8_t> good = one_layer_bytes(5);
    const size_t slots = first_slot_table(good);
    std::vector<uint8_t> b = good;
    put_le32(b.data() + slots + 0, uint32_t(b.size() + 8));            // record outside the file
    put_le32(b.data() + slots + 4, 2);                                 // below the size word
    put_le32(b.data() + get_le32(b.data() + slots + 8) - 4, 57);       // size word disagrees with the record
    put_le32(b.data() + slots + 12, get_le32(b.data() + slots + 16));  // second slot naming the same record
    Project p;
    ProjectFileReport report;
    ASSERT_TRUE(load_project_from_bytes(p, b, quiet, &report));
    EXPECT_EQ(p.layers[0].object_count, 1);
    EXPECT_EQ(report.objects_loaded, 1);
    EXPECT_EQ(report.objects_skipped, 4);
    ASSERT_EQ(report.problems.size(), 1u);
    EXPECT_NE(report.problems[0].find("4 object record(s) skipped"), std::string::npos) << report.problems[0];

    // a deleted placeholder someone else's writer left in the file is not loaded either
    std::vector<uint8_t> deleted = good;
    deleted[get_le32(deleted.data() + slots)] = kDimDeleted;
    Project q;
    ASSERT_TRUE(load_project_from_bytes(q, deleted, quiet));
    EXPECT_EQ(q.layers[0].object_count, 4);
}

TEST(ProjectFileDamage, SlotsAllNamingOneHugeRecordDoNotMultiplyIt) {
    // One line of 20000 points and 40000 slots all naming it: reading every slot would allocate 6 GB.
    RawFile f = raw_project_header(3, 1);
    const size_t dir = f.size() + 4;
    f.append_le32(20);
    f.append_zeros(16);
    const size_t slots = f.size() + 4;
    const uint32_t slot_count = 40000;
    f.append_le32(4 + 4 * slot_count);
    f.append_zeros(4 * slot_count);
    const size_t record = f.size();
    const uint32_t points = 20000;
    f.append_le32(52 + 8 * points);
    f.append_zeros(48 + 8 * points);
    f.bytes[record + 4] = kDimLine;
    f.put_le32_at(record + 48, points);
    for (uint32_t k = 0; k < slot_count; ++k) f.put_le32_at(slots + 4 * k, uint32_t(record + 4));
    f.put_le32_at(28, uint32_t(dir));
    f.put_le32_at(dir + 4, uint32_t(slots));

    Project p;
    RecordingSink sink;
    ProjectFileReport report;
    ASSERT_TRUE(load_project_from_bytes(p, f.bytes, sink, &report));
    EXPECT_EQ(p.layers[0].object_count, 1);
    EXPECT_LE(loaded_record_bytes(p), int64_t(f.size()));
    EXPECT_EQ(report.objects_skipped, slot_count - 1);
    EXPECT_EQ(sink.ranges, std::vector<int>{int(slot_count)});
    EXPECT_EQ(sink.positions.size(), slot_count / 16);
}

TEST(ProjectFileDamage, PartsOutsideTheFileAreLeftEmpty) {
    NullProgressSink quiet;
    std::vector<uint8_t> b = sample_bytes();
    put_le32(b.data() + 200, uint32_t(b.size() - 10));   // parent record
    put_le32(b.data() + 160, uint32_t(b.size() - 100));  // bitmap table
    const size_t dir = get_le32(b.data() + 28);
    put_le32(b.data() + dir + 8, uint32_t(b.size() - 4));  // first layer's name
    Project p;
    ProjectFileReport report;
    ASSERT_TRUE(load_project_from_bytes(p, b, quiet, &report));
    EXPECT_EQ(field_text(p.parent_map_basename), "");
    EXPECT_EQ(p.bitmaps.count, 0);
    EXPECT_EQ(field_text(p.layers[0].name), "");
    EXPECT_EQ(p.layers[0].object_count, 2);
    EXPECT_GE(report.problems.size(), 3u);

    std::vector<uint8_t> many_bitmaps = sample_bytes();
    put_le16(many_bitmaps.data() + get_le32(many_bitmaps.data() + 160) + 2, 65);
    Project q;
    ASSERT_TRUE(load_project_from_bytes(q, many_bitmaps, quiet));
    EXPECT_EQ(q.bitmaps.count, kMaxBitmaps);
}
