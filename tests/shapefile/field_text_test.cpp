#include "shapefile/field_text.h"

#include <gtest/gtest.h>

namespace plotwell::test {
namespace {

// An attribute record laid out from field texts (each padded or cut to its length).
struct Record {
    std::vector<DbfField> fields;
    std::vector<uint8_t> bytes{' '};

    void add(char type, uint8_t length, std::string text) {
        DbfField f;
        f.type = type;
        f.length = length;
        f.offset = int(bytes.size());
        text.resize(length, ' ');
        bytes.insert(bytes.end(), text.begin(), text.end());
        fields.push_back(f);
    }
    FieldList list(std::initializer_list<int> indices) const {
        FieldList l;
        for (int i : indices) l.entries[l.count++] = &fields[size_t(i)];
        return l;
    }
};

TEST(FieldText, BlanksAreDroppedInNumbersAndKeptElsewhere) {
    Record r;
    r.add('N', 7, "   1250");
    r.add('C', 12, "  Main St   ");
    r.add('N', 8, " 1 2. 5 ");
    r.add('D', 10, " 2024 01  ");
    EXPECT_EQ(field_text(r.bytes, r.fields[0], 160), "1250");
    EXPECT_EQ(field_text(r.bytes, r.fields[1], 160), "  Main St");
    EXPECT_EQ(field_text(r.bytes, r.fields[2], 160), "12.5");
    EXPECT_EQ(field_text(r.bytes, r.fields[3], 160), " 2024 01");
}

TEST(FieldText, StopsAtNulCapacityAndRecordEnd) {
    Record r;
    r.add('C', 10, std::string("ab\0cd", 5));
    r.add('C', 10, "abcdefghij");
    EXPECT_EQ(field_text(r.bytes, r.fields[0], 160), "ab");
    EXPECT_EQ(field_text(r.bytes, r.fields[1], 5), "abcd");
    EXPECT_EQ(field_text(r.bytes, r.fields[1], 1), "");
    // A descriptor that reaches past the record reads only what is inside it.
    DbfField beyond = r.fields[1];
    beyond.length = 200;
    EXPECT_EQ(field_text(r.bytes, beyond, 160), "abcdefghij");
    beyond.offset = 5000;
    EXPECT_EQ(field_text(r.bytes, beyond, 160), "");
}

TEST(FieldText, JoinsWithSingleBlanksAndSkipsEmptyFields) {
    Record r;
    r.add('C', 6, "Elm");
    r.add('C', 6, "      ");
    r.add('C', 6, "Road");
    r.add('C', 6, "Main");
    r.add('C', 6, "");
    r.add('C', 6, "St");
    r.add('N', 6, "    12");
    EXPECT_EQ(joined_field_text(r.bytes, r.list({0, 1, 2}), 122), "Elm Road");
    EXPECT_EQ(joined_field_text(r.bytes, r.list({3, 4, 5}), 122), "Main St");
    EXPECT_EQ(joined_field_text(r.bytes, r.list({}), 122), "");
    EXPECT_EQ(joined_field_text(r.bytes, r.list({1, 4}), 122), "");
    // An empty first field leaves no separator in front.
    EXPECT_EQ(joined_field_text(r.bytes, r.list({4, 1, 3, 6}), 122), "Main 12");
    // The order of the list is the order of the name.
    EXPECT_EQ(joined_field_text(r.bytes, r.list({5, 3}), 122), "St Main");
}

TEST(FieldText, JoinedTextIsCutAtCapacity) {
    Record r;
    r.add('C', 6, "Alpha");
    r.add('C', 6, "Beta");
    EXPECT_EQ(joined_field_text(r.bytes, r.list({0, 1}), 9), "Alpha Be");
    EXPECT_EQ(joined_field_text(r.bytes, r.list({0, 1}), 7), "Alpha");  // full after the separator
    EXPECT_EQ(joined_field_text(r.bytes, r.list({0, 1}), 6), "Alpha");
}

}  // namespace
}  // namespace plotwell::test
