#include "export/name_index.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "export/definitions.h"
#include "export/name_search.h"
#include "support/recording_sink.h"

using namespace plotwell;
using namespace plotwell::test;

namespace {
ExportState fresh_state(int16_t map_class = kMapClassLarge) {
    ExportState state;
    set_map_class(state, map_class);
    state.data_area.assign(size_t(kDataAreaSize), 0);
    state.write_pos = unit_size(state);
    reset_name_search(state.search_index, kDataAreaSize);
    return state;
}

// Puts bytes at the write position as a stored Definition would stand there.
void store_bytes(ExportState& state, std::string_view bytes) {
    std::copy(bytes.begin(), bytes.end(), state.data_area.begin() + state.write_pos);
    state.write_pos += int32_t(bytes.size());
    index_stored_bytes(state.search_index, state.data_area.data(), state.write_pos);
}

std::vector<uint8_t> encode(const ExportState& state, int32_t at, std::string_view name) {
    uint8_t out[kMaxEncodedName];
    const size_t n = encode_name(state, at, name, out);
    return std::vector<uint8_t>(out, out + n);
}

std::vector<uint8_t> bytes(std::string_view text, std::initializer_list<uint8_t> more = {}) {
    std::vector<uint8_t> v(text.begin(), text.end());
    v.insert(v.end(), more);
    return v;
}
}  // namespace

TEST(NameFolding, AccentsBecomeTheirPlainLettersAndUnknownBytesAStar) {
    EXPECT_EQ(fold_name("Caf\xE9 Z\xFCrich"), "Cafe Zurich");
    EXPECT_EQ(fold_name("\xFF"), "*");
    EXPECT_EQ(fold_name("\xC1\xC4\xD6\xDC\xBF\xDF\xE6\xF8\xE2"), "aAOU.saoa");
    EXPECT_EQ(fold_name("plain text 123"), "plain text 123");
    EXPECT_EQ(fold_name("\x80\x9F\xA0"), "***");
}

TEST(NameEncoding, WorkedExamples) {
    ExportState state = fresh_state();
    // No earlier bytes match: the first character, the rest, and the suffix code.
    EXPECT_EQ(encode(state, 11, "Main St"), bytes("Main", {0x81}));
    EXPECT_EQ(encode(state, 11, "Civic Center"), bytes("Civic", {0x97}));
    EXPECT_EQ(encode(state, 11, "Ab"), bytes("Ab", {0x80}));
    EXPECT_EQ(encode(state, 11, ""), (std::vector<uint8_t>{0x00, 0x80}));
    // The suffix is only looked for in the rest of the name.
    EXPECT_EQ(encode(state, 11, "X St"), (std::vector<uint8_t>{'X', 0x81}));
    EXPECT_EQ(encode(state, 11, " St"), bytes(" St", {0x80}));
    // The first suffix of the table that matches wins, case counts.
    EXPECT_EQ(encode(state, 11, "Old Lake"), bytes("Old", {0x90}));
    EXPECT_EQ(encode(state, 11, "Old lake"), bytes("Old lake", {0x80}));
}

TEST(NameEncoding, NameEqualToTheBytesJustBeforeIsOneBackReference) {
    ExportState state = fresh_state();
    store_bytes(state, std::string("\x00\x00\x09", 3) + "Riverside");
    const int32_t at = state.write_pos + 3;
    const std::vector<uint8_t> e = encode(state, at, "Riverside");
    const uint16_t v = uint16_t(0x8000 | ((at - 11) << 4) | (9 - 4));
    EXPECT_EQ(e, (std::vector<uint8_t>{uint8_t(v >> 8), uint8_t(v), 0x80}));
    // A longer name takes the longest match, then its rest and suffix.
    const std::vector<uint8_t> e2 = encode(state, at, "Riverside Park");
    const uint16_t v2 = uint16_t(0x8000 | ((at - 11) << 4) | (9 - 4));
    EXPECT_EQ(e2, (std::vector<uint8_t>{uint8_t(v2 >> 8), uint8_t(v2), 0x93}));
    // Decoding from the data area gives the names back.
    std::copy(e2.begin(), e2.end(), state.data_area.begin() + at);
    const DecodedName d = decode_name(state.data_area, size_t(at), 0);
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.text, "Riverside Park");
    EXPECT_EQ(d.end, size_t(at) + 3);
}

TEST(NameEncoding, AmongEqualMatchesTheLowestPositionWinsAndShortNamesAreNotSearched) {
    ExportState state = fresh_state();
    store_bytes(state, "xxAbcdyyAbcdeAbcdezz");
    const int32_t at = state.write_pos + 3;
    // "Abcde" matches at 8+8 = 16 (first full-length match); "Abcd" alone matches first at 10.
    const std::vector<uint8_t> five = encode(state, at, "Abcde");
    EXPECT_EQ(((five[0] << 8 | five[1]) >> 4) & 0x7FF, at - 16);
    EXPECT_EQ(five[1] & 0xF, 1);
    const std::vector<uint8_t> four = encode(state, at, "Abcd");
    EXPECT_EQ(((four[0] << 8 | four[1]) >> 4) & 0x7FF, at - 10);
    EXPECT_EQ(encode(state, at, "Abc"), bytes("Abc", {0x80}));
}

TEST(NameEncoding, NoBackReferenceIntoThePreviousDataRecordOrBeyond2047Bytes) {
    ExportState state = fresh_state(kMapClassMedium);  // 16 KB data records
    state.write_pos = 16384 - 16;
    store_bytes(state, "Wallaby Crossing");  // ends exactly at the boundary
    state.write_pos = 16384;
    index_stored_bytes(state.search_index, state.data_area.data(), state.write_pos);
    EXPECT_EQ(encode(state, 16384 + 3, "Wallaby Crossing"), bytes("Wallaby Crossing", {0x80}));
    // Within one record, only the last 2047 bytes are a window.
    ExportState far = fresh_state();
    store_bytes(far, "Kookaburra");
    far.write_pos = 2048 + 8;
    EXPECT_EQ(encode(far, far.write_pos + 3, "Kookaburra"), bytes("Kookaburra", {0x80}));
    EXPECT_EQ(encode(far, 2047 + 8, "Kookaburra")[0] & 0x80, 0x80);
}

TEST(NameDecoding, RefusesNamesThatLeaveTheirDataOrRecord) {
    const uint8_t unterminated[] = {'a', 'b', 'c'};
    EXPECT_FALSE(decode_name(unterminated, 0, 0).ok);
    // A back-reference 5 bytes back from position 3 reaches before the data.
    const uint8_t early[] = {'a', 'b', 'c', 0x80 | 0x00, 0x50, 0x80};
    EXPECT_FALSE(decode_name(early, 3, 0).ok);
    // Reaching before the floor (the data record start) is refused too.
    const uint8_t body[] = {'a', 'b', 'c', 'd', 'e', 0x80, 0x50, 0x80};
    EXPECT_TRUE(decode_name(body, 5, 0).ok);
    EXPECT_EQ(decode_name(body, 5, 0).text, "abcd");
    EXPECT_FALSE(decode_name(body, 5, 1).ok);
    const uint8_t bad_suffix[] = {'a', 0x80 | 24};
    EXPECT_FALSE(decode_name(bad_suffix, 0, 0).ok);
    // skip_name also steps over the bytes that the terminator's 0x40 and 0x20 bits announce.
    const uint8_t extra[] = {'a', 0x80 | 0x40 | 0x20, 1, 2, 3};
    EXPECT_EQ(skip_name(extra, 0), 4u);
    EXPECT_EQ(skip_name(unterminated, 0), 0u);
}

TEST(NameIndexOrder, CaseIsIgnoredAndUnderscoreSortsBeforeLetters) {
    EXPECT_EQ(compare_index_names("Sydney", "SYDNEY"), 0);
    EXPECT_LT(compare_index_names("_x", "a"), 0);
    EXPECT_LT(compare_index_names("_x", "A"), 0);
    EXPECT_LT(compare_index_names("", "a"), 0);
    EXPECT_LT(compare_index_names("ab", "abc"), 0);
    EXPECT_GT(compare_index_names("b", "ABC"), 0);
    EXPECT_TRUE(printable_name(" ~Az"));
    EXPECT_FALSE(printable_name("tab\there"));
    EXPECT_FALSE(printable_name("\x7F"));
}

TEST(NameIndexOrder, SortDecodesStoredNamesAndFlagsControlCharacters) {
    ExportState state = fresh_state();
    CellTable table = make_cell_table(1);
    DefinitionBuilder b;
    for (const char* name : {"beta", "Alpha", "_under", "alpha"}) {
        start_definition(b, 3, name);
        append_vertex(b, 1, 1);
        b.body.push_back(kVertexListEnd);
        ASSERT_EQ(store_definition(state, table, b, true), kStoreOk);
    }
    RecordingSink sink;
    ASSERT_TRUE(sort_name_index(state, sink));
    EXPECT_EQ(sink.log, "Sorting name index...\r\n");
    std::vector<std::string> names;
    for (int32_t p : state.name_index) names.push_back(definition_name(state, p).text);
    EXPECT_EQ(names, (std::vector<std::string>{"_under", "Alpha", "alpha", "beta"}));

    start_definition(b, 3, "bad\x01name");
    append_vertex(b, 1, 1);
    b.body.push_back(kVertexListEnd);
    ASSERT_EQ(store_definition(state, table, b, true), kStoreOk);
    EXPECT_FALSE(sort_name_index(state, sink));
    EXPECT_EQ(state.build_error, "Name corrupted!");
    EXPECT_EQ(state.name_index.size(), 5u);
}

// The fast search must give exactly the plain scan's answer, in every window: random bytes, names cut
// from the window (long matches, ties at several positions), repetitive text where every position
// matches, windows cut by the record boundary and by the 2047-byte limit, and windows that end where
// the search index does not reach yet.
TEST(NameSearch, FastSearchGivesThePlainScansAnswer) {
    std::mt19937 rng(12345);
    const char* alphabets[] = {"ab", "abc ", "AAAAAAAAAAAAAAAB", "Main St Road Park", "\x01\x02\x7F"};
    int compared = 0, matched = 0;
    for (int round = 0; round < 300; ++round) {
        const std::string alphabet = alphabets[round % 5];
        const int32_t size = 6000 + int32_t(rng() % 3000);
        std::vector<uint8_t> data(size_t(size) + 64, 0);
        for (int32_t i = 0; i < size; ++i)
            data[size_t(i)] =
                (rng() % 10 == 0) ? uint8_t(rng() % 256) : uint8_t(alphabet[rng() % alphabet.size()]);
        NameSearchIndex index;
        reset_name_search(index, int32_t(data.size()));
        int32_t indexed = 0;
        for (int q = 0; q < 200; ++q) {
            // Grow the index in steps, as stored Definitions do; query just beyond it.
            indexed = std::min<int32_t>(size, indexed + int32_t(rng() % 40));
            index_stored_bytes(index, data.data(), indexed);
            const int32_t end = std::min<int32_t>(size, indexed + int32_t(rng() % 12));
            const int32_t start =
                rng() % 3 == 0 ? std::max(0, end - int32_t(rng() % 30)) : std::max(0, end - kMaxBackDistance);
            std::string name;
            if (rng() % 2 && end > 30) {
                const int32_t from = int32_t(rng() % uint32_t(end - 25));
                name.assign(reinterpret_cast<const char*>(data.data() + from), 4 + rng() % 22);
                if (rng() % 2) name[name.size() - 1] = 'Z';
            } else {
                const size_t n = rng() % 25;
                for (size_t i = 0; i < n; ++i) name += alphabet[rng() % alphabet.size()];
            }
            const BackReference plain = find_back_reference_plain(data.data(), start, end, name);
            const BackReference fast = find_back_reference_fast(index, data.data(), start, end, name);
            ASSERT_EQ(fast.position, plain.position)
                << "round " << round << " query " << q << " name " << name;
            ASSERT_EQ(fast.length, plain.length);
            ++compared;
            matched += plain.position >= 0;
        }
    }
    EXPECT_EQ(compared, 60000);
    EXPECT_GT(matched, 20000);  // the comparison exercised real matches, not only misses
}

TEST(NameSearch, MatchFillingTheWholeWindowFallsBackToTheNextShorterLength) {
    const std::string text = "abcdefgh";
    std::vector<uint8_t> data(text.begin(), text.end());
    NameSearchIndex index;
    reset_name_search(index, int32_t(data.size()));
    index_stored_bytes(index, data.data(), int32_t(data.size()));
    // Window "bcdefgh" (7 bytes): the name matches all of it, but the window must be longer than n.
    const BackReference plain = find_back_reference_plain(data.data(), 1, 8, "bcdefgh");
    const BackReference fast = find_back_reference_fast(index, data.data(), 1, 8, "bcdefgh");
    EXPECT_EQ(plain.position, 1);
    EXPECT_EQ(plain.length, 6);
    EXPECT_EQ(fast.position, plain.position);
    EXPECT_EQ(fast.length, plain.length);
}
