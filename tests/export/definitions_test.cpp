#include "export/definitions.h"

#include <gtest/gtest.h>

#include "export/cell_tree.h"
#include "export/name_index.h"
#include "export/name_search.h"
#include "model/bytes.h"

using namespace plotwell;

namespace {
ExportState fresh_state(int16_t map_class = kMapClassLarge) {
    ExportState state;
    set_map_class(state, map_class);
    state.data_area.assign(size_t(kDataAreaSize), 0);
    state.write_pos = unit_size(state);
    reset_name_search(state.search_index, kDataAreaSize);
    state.output = OutputRange{1, 12001, 1, 6001};
    return state;
}

std::vector<uint8_t> vertex_bytes(std::initializer_list<ScaledPoint> points) {
    DefinitionBuilder b;
    start_definition(b, 1, "");
    for (ScaledPoint p : points) append_vertex(b, p.x, p.y);
    return b.body;
}
}  // namespace

TEST(VertexList, StepsOfOneByteAndAbsoluteValuesOutsideMinus126To127) {
    EXPECT_EQ(vertex_bytes({{100, 200}}), (std::vector<uint8_t>{0x00, 0x64, 0x00, 0xC8}));
    EXPECT_EQ(vertex_bytes({{1000, 1000}, {1127, 874}}),
              (std::vector<uint8_t>{0x03, 0xE8, 0x03, 0xE8, 0x7F, 0x82}));
    EXPECT_EQ(vertex_bytes({{1000, 1000}, {873, 1128}}),
              (std::vector<uint8_t>{0x03, 0xE8, 0x03, 0xE8, 0x81, 0x03, 0x69, 0x81, 0x04, 0x68}));
    // Differences are taken between the unsigned values: 65535 after 1 is far, not a step of -2.
    EXPECT_EQ(vertex_bytes({{1, 1}, {65535, 0}}),
              (std::vector<uint8_t>{0x00, 0x01, 0x00, 0x01, 0x81, 0xFF, 0xFF, 0xFF}));
    // The box is widened by every vertex, from 0x7FFF / 0.
    DefinitionBuilder b;
    start_definition(b, 1, "");
    append_vertex(b, 40000, 5);
    EXPECT_EQ(b.min_x, 0x7FFF);
    EXPECT_EQ(b.max_x, 40000);
    EXPECT_EQ(b.min_y, 5);
    EXPECT_EQ(b.max_y, 5);
}

TEST(CellIndex, StraddlingTheFirstSplitStaysAtTheRootAndTinyBoxesGoToLevel8) {
    const OutputRange range{1, 12001, 1, 6001};  // M = 12001, first X split at 6001
    EXPECT_EQ(cell_index(range, 6000, 10, 6001, 10), 0);
    EXPECT_EQ(cell_index(range, 1, 1, 2, 2), 255);
    EXPECT_EQ(cell_index(range, 1, 1, 1, 1), 255);
    // Upper X half, straddling the first Y split (mid of 1..12001 is 6001): entry 2.
    EXPECT_EQ(cell_index(range, 7000, 6000, 7000, 6001), 2);
    // The far corner is the last level-8 cell.
    EXPECT_EQ(cell_index(range, 12001, 12001, 12001, 12001), 510);
    // Lower X half, straddling the first Y split: entry 1.
    EXPECT_EQ(cell_index(range, 10, 6000, 10, 6001), 1);
}

TEST(StoreDefinition, PaddingFollowsTheUnitOfTheMapClass) {
    for (int16_t map_class : {kMapClassSmall, kMapClassMedium, kMapClassLarge}) {
        ExportState state = fresh_state(map_class);
        const int unit = unit_size(state);
        CellTable table = make_cell_table(1);
        DefinitionBuilder b;
        for (const char* name : {"a", "ab", "abc", "abcdefg"}) {
            const int32_t before = state.write_pos;
            start_definition(b, 3, name);
            append_vertex(b, 1, 1);
            b.body.push_back(kVertexListEnd);
            ASSERT_EQ(store_definition(state, table, b, true), kStoreOk);
            EXPECT_EQ(b.bytes.size() % size_t(unit), 0u);
            EXPECT_LT(b.bytes.size() - (3 + std::string_view(name).size() + 1 + 5), size_t(unit));
            EXPECT_EQ(table.entries[0], before >> state.unit_shift);
        }
    }
    // Large class: the first Definition lies at 8, offset 1.
    ExportState state = fresh_state(kMapClassLarge);
    CellTable table = make_cell_table(1);
    DefinitionBuilder b;
    start_definition(b, 9, "x");
    b.head.push_back(0);
    put_point(b, 5, 5);
    ASSERT_EQ(store_definition(state, table, b, true), kStoreOk);
    EXPECT_EQ(table.entries[0], 1);
    EXPECT_EQ(state.name_index, std::vector<int32_t>{8});
}

TEST(StoreDefinition, ListsRunFromTheNewestToTheOldest) {
    ExportState state = fresh_state();
    CellTable table = make_cell_table(5);
    DefinitionBuilder b;
    for (int i = 0; i < 2; ++i) {
        start_definition(b, 9, "p");
        b.head.push_back(0);
        put_point(b, 2, 2);
        ASSERT_EQ(store_definition(state, table, b, false), kStoreOk);
    }
    EXPECT_EQ(table.entries[255], 3);              // the second, at 24 (each is 16 bytes)
    EXPECT_EQ(get_be16(&state.data_area[24]), 1);  // links to the first
    EXPECT_EQ(get_be16(&state.data_area[8]), 0);
    EXPECT_TRUE(state.name_index.empty());
}

TEST(StoreDefinition, CrossingADataRecordMovesItAndEncodesTheNameForThere) {
    ExportState state = fresh_state(kMapClassMedium);  // unit 4, 16 KB records
    // The name stands in the record just before P, so at P it is a three-byte back-reference.
    const std::string name = "Gumtree Gully";
    std::copy(name.begin(), name.end(), state.data_area.begin() + 16300);
    state.write_pos = 16380;
    index_stored_bytes(state.search_index, state.data_area.data(), state.write_pos);
    CellTable table = make_cell_table(1);
    DefinitionBuilder b;
    start_definition(b, 3, name);
    for (int i = 0; i < 40; ++i) append_vertex(b, uint16_t(1 + i * 10), 1);
    b.body.push_back(kVertexListEnd);
    assemble_definition(state, b, 16380);
    EXPECT_EQ(b.bytes.size(), 3u + 3u + 82u + 1u + 3u);  // padded to 92
    ASSERT_EQ(store_definition(state, table, b, false), kStoreOk);
    // Stored at 16384 with the name written out: 3 + 14 + 82 + 1 = 100 bytes.
    EXPECT_EQ(table.entries[0], 16384 >> 2);
    EXPECT_EQ(b.bytes.size(), 100u);
    EXPECT_EQ(state.write_pos, 16384 + 100);
    EXPECT_EQ(state.data_area[16384 + 3], 'G');
    const DecodedName d = decode_name(state.data_area, 16384 + 3, 16384);
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.text, name);
    EXPECT_EQ(d.end, size_t(16384 + 17));
}

TEST(StoreDefinition, AMovedLinkKeepsItsMapIdWhereANameWouldStand) {
    ExportState state = fresh_state(kMapClassMedium);
    state.write_pos = 16384 - 8;
    CellTable table = make_cell_table(1);
    DefinitionBuilder b;
    start_definition(b, 14, "Target Map");
    b.head.push_back(0);
    put_point(b, 7, 9);
    b.head.push_back(0x12);
    b.head.push_back(0x34);
    b.has_name = false;
    ASSERT_EQ(store_definition(state, table, b, false), kStoreOk);
    EXPECT_EQ(table.entries[0], 16384 >> 2);
    const std::vector<uint8_t> expected = {0, 0, 14, 0, 0, 7, 0, 9, 0x12, 0x34, 0, 0};
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), state.data_area.begin() + 16384));
    EXPECT_EQ(state.write_pos, 16384 + 12);
}

TEST(StoreDefinition, EndingExactlyOnTheBoundaryAlsoMoves) {
    ExportState state = fresh_state(kMapClassMedium);
    state.write_pos = 16384 - 12;
    CellTable table = make_cell_table(1);
    DefinitionBuilder b;
    start_definition(b, 3, "ab");  // 3 + 3 + 5 + 1 = 12 bytes
    append_vertex(b, 1, 1);
    append_vertex(b, 2, 2);
    b.body.push_back(kVertexListEnd);
    ASSERT_EQ(store_definition(state, table, b, false), kStoreOk);
    EXPECT_EQ(table.entries[0], 16384 >> 2);
}

TEST(StoreDefinition, AFullDataAreaLeavesTheWritePositionWhereItWas) {
    ExportState state = fresh_state(kMapClassSmall);  // 128 KB, 8 records of 16 KB
    state.write_pos = 131072 - 20;
    CellTable table = make_cell_table(1);
    DefinitionBuilder b;
    start_definition(b, 3, "long enough name here");
    append_vertex(b, 1, 1);
    b.body.push_back(kVertexListEnd);
    EXPECT_EQ(store_definition(state, table, b, true), kStoreAreaFull);
    EXPECT_EQ(state.build_error, "Error: data area is full!");
    EXPECT_EQ(state.write_pos, 131072 - 20);
    EXPECT_EQ(table.entries[0], 0);
    EXPECT_TRUE(state.name_index.empty());
}

TEST(StoreDefinition, LongerThan8000BytesIsRefused) {
    ExportState state = fresh_state();
    CellTable table = make_cell_table(1);
    DefinitionBuilder b;
    start_definition(b, 1, "far apart");
    for (int i = 0; i < 2700; ++i) append_vertex(b, uint16_t(i % 2 ? 1 : 30000), 1);
    b.body.push_back(kVertexListEnd);
    EXPECT_EQ(store_definition(state, table, b, true), kStoreTooLong);
    EXPECT_EQ(state.build_error, "Error: individual definition too long!");
    EXPECT_EQ(state.write_pos, 8);
}

TEST(StoreDefinition, TheNameIndexHolds32000Entries) {
    ExportState state = fresh_state(kMapClassSmall);
    state.name_index.assign(size_t(kMaxNameIndexEntries), 2);
    CellTable table = make_cell_table(1);
    DefinitionBuilder b;
    start_definition(b, 9, "one too many");
    b.head.push_back(0);
    put_point(b, 1, 1);
    EXPECT_EQ(store_definition(state, table, b, true), kStoreIndexFull);
    EXPECT_EQ(state.build_error, "Error: name index full!");
    EXPECT_EQ(state.write_pos, 2 + int32_t(b.bytes.size()));  // it stays stored
}
