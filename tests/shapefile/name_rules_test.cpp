#include <gtest/gtest.h>

#include <cmath>

#include "model/text.h"
#include "shapefile/coordinate_conversion.h"
#include "shapefile/name_building.h"
#include "shapefile/value_translation.h"

namespace plotwell::test {
namespace {

std::string downcased(std::string s) {
    downcase_name(s);
    return s;
}

TEST(Downcase, KeepsTheFirstLetterOfEveryBlankSeparatedWord) {
    EXPECT_EQ(downcased("NEW YORK-CITY"), "New York-city");
    EXPECT_EQ(downcased("mcDONALD st"), "mcdonald st");
    EXPECT_EQ(downcased("\xC4RGER \xDC"
                        "BER"),
              "\xC4rger \xDC"
              "ber");                                                // 'ÄRGER ÜBER' -> 'Ärger Über'
    EXPECT_EQ(downcased("A\xD6\xC4\xDC\xC9"), "A\xF6\xE4\xFC\xC9");  // only three Latin-1 capitals fold
    EXPECT_EQ(downcased(" AB  CD"), " Ab  Cd");
    EXPECT_EQ(downcased("O'NEIL\tROAD"), "O'neil\troad");  // only the blank starts a word
    EXPECT_EQ(downcased(""), "");
}

NameSubstitution sub(const char* from, const char* to) {
    NameSubstitution s;
    set_field(s.from, from);
    set_field(s.to, to);
    return s;
}

std::string substituted(std::string name, std::vector<NameSubstitution> table) {
    apply_substitutions(name, table.data(), int(table.size()));
    return name;
}

TEST(Substitutions, FirstEntryInTableOrderAtItsLeftmostOccurrenceAndStartOver) {
    EXPECT_EQ(substituted("MAIN STREET STREET", {sub("STREET", "ST")}), "MAIN ST ST");
    // After each replacement the table is searched from its first entry again.
    EXPECT_EQ(substituted("AVENUE", {sub("AV", "X"), sub("ENUE", "AV")}), "XX");
    EXPECT_EQ(substituted("abc", {sub("b", "B"), sub("a", "b")}), "BBc");
    // Case-sensitive.
    EXPECT_EQ(substituted("Road road", {sub("road", "rd")}), "Road rd");
    EXPECT_EQ(substituted("unchanged", {}), "unchanged");
}

TEST(Substitutions, NeverSettlingTablesStopAndNamesStayBounded) {
    // A `to` holding its `from` grows the name on every round: the name is held to 121 characters.
    const std::string grown = substituted("a", {sub("a", "aa")});
    EXPECT_EQ(grown, std::string(121, 'a'));
    // Entries that undo each other stop after the replacement bound.
    EXPECT_EQ(substituted("x", {sub("x", "y"), sub("y", "x")}).size(), 1u);
    // An empty `from` matches nothing.
    EXPECT_EQ(substituted("name", {sub("", "zz")}), "name");
}

ValueTranslation string_table(std::vector<std::pair<const char*, int>> entries, int16_t match_mode,
                              int16_t case_sensitive) {
    ValueTranslation t;
    t.kind = kStringTable;
    t.match_mode = match_mode;
    t.case_sensitive = case_sensitive;
    for (auto& [text, result] : entries) {
        set_field(t.strings[t.entry_count].text, text);
        t.strings[t.entry_count++].result = result;
    }
    return t;
}

TEST(ValueTranslation, StringTablesMatchWholeValuesOrPrefixesFirstEntryWins) {
    const ValueTranslation whole = string_table({{"Main", 1}, {"MAIN", 2}, {"Mainz", 3}}, 0, 0);
    EXPECT_EQ(translate_text("main", whole), 1);
    EXPECT_EQ(translate_text("Mainz", whole), 3);
    EXPECT_EQ(translate_text("Mai", whole), -1);
    const ValueTranslation exact = string_table({{"Main", 1}, {"MAIN", 2}}, 0, 1);
    EXPECT_EQ(translate_text("MAIN", exact), 2);
    EXPECT_EQ(translate_text("main", exact), -1);
    const ValueTranslation prefix = string_table({{"Riv", 6}, {"", 9}}, kMatchPrefix, 0);
    EXPECT_EQ(translate_text("river", prefix), 6);
    EXPECT_EQ(translate_text("Ri", prefix), 9);  // an empty entry text matches every value
    ValueTranslation none;
    EXPECT_EQ(translate_text("anything", none), -1);
}

TEST(ValueTranslation, NumericRangesReadTheLongestNumberPrefix) {
    EXPECT_EQ(parse_number_prefix("  -12.5e1xyz"), -125.0);
    EXPECT_EQ(parse_number_prefix("+3."), 3.0);
    EXPECT_EQ(parse_number_prefix(".5"), 0.5);
    EXPECT_EQ(parse_number_prefix("7e"), 7.0);
    EXPECT_EQ(parse_number_prefix("7e+"), 7.0);
    EXPECT_EQ(parse_number_prefix("abc"), 0.0);
    EXPECT_EQ(parse_number_prefix("-"), 0.0);
    EXPECT_EQ(parse_number_prefix("inf"), 0.0);
    EXPECT_EQ(parse_number_prefix("0x10"), 0.0);
    EXPECT_EQ(parse_number_prefix("1e999"), HUGE_VAL);
    EXPECT_EQ(parse_number_prefix("1e-999"), 0.0);

    ValueTranslation t;
    t.kind = kNumericRanges;
    t.ranges[0] = {0, 10, 4};
    t.ranges[1] = {5, 20, 5};
    t.ranges[2] = {0.1f, 0.1f, 6};
    t.entry_count = 3;
    EXPECT_EQ(translate_text("7", t), 4);
    EXPECT_EQ(translate_text("10", t), 4);  // bounds included
    EXPECT_EQ(translate_text("15", t), 5);
    EXPECT_EQ(translate_text("21", t), -1);
    EXPECT_EQ(translate_text("text", t), 4);  // no number reads as 0
    t.ranges[0] = {1, 10, 4};
    EXPECT_EQ(translate_text("0.1", t), 6);  // the value is rounded to float like the bounds
}

TEST(CoordinateConversion, TruncatesTowardZeroAndRefusesWhatDoesNotFit) {
    int32_t v = 0;
    ASSERT_TRUE(convert_coordinate(12.3456789, 0, 1000000, v));
    EXPECT_EQ(v, 12345678);
    ASSERT_TRUE(convert_coordinate(-12.3456789, 0, 1000000, v));
    EXPECT_EQ(v, -12345678);
    ASSERT_TRUE(convert_coordinate(1.5, 0.25f, 10, v));
    EXPECT_EQ(v, 17);
    ASSERT_TRUE(convert_coordinate(2147.483647, 0, 1000000, v));
    EXPECT_EQ(v, 2147483647);
    v = 99;
    EXPECT_FALSE(convert_coordinate(500000.0, 0, 1000000, v));  // metres read with the degree factor
    EXPECT_FALSE(convert_coordinate(1, 3e38f, 1, v));
    EXPECT_FALSE(convert_coordinate(std::nan(""), 0, 1, v));
    EXPECT_FALSE(convert_coordinate(-2147483649.0, 0, 1, v));
    EXPECT_EQ(v, 99);
}

}  // namespace
}  // namespace plotwell::test
