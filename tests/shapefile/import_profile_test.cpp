#include "shapefile/import_profile.h"

#include <gtest/gtest.h>

#include "import_fixture.h"
#include "model/vocabulary.h"

namespace plotwell::test {
namespace {

ShapefileData roads() {
    ShapefileData d = named_lines({});
    d.fields = {{"STREET", 'C', 20}, {"SUFFIX", 'C', 6}, {"ROAD_ID", 'N', 5}, {"CLASS", 'C', 8}};
    d.records = {line_record({{0, 0}, {1, 0}}, {"MAIN", "STREET", "1", "major"}),
                 line_record({{1, 0}, {2, 0}}, {"MAIN", "STREET", "1", "major"}),
                 line_record({{5, 5}, {6, 6}}, {"ELM", "AVENUE", "2", "river"})};
    return d;
}

const char* const kProfile = R"(# roads of the county
name_fields = street, "SUFFIX"
link_fields = ROAD_ID
default_type = ROAD4
downcase = 0
multiply_x = 10
multiply_y = -10
add_x = 0.5
substitution_mode = 1
substitution = "STREET" "St"
substitution = "AVENUE" "Av."
type_translation = strings
type_translation.field = CLASS
type_translation.match_mode = prefix
type_translation.entry = "maj" FREEWAY
type_translation.entry = "riv" 6
filter_untranslated = 0
)";

TEST(ImportProfile, AppliesEverySettingByName) {
    ImportCase c(roads());
    ASSERT_TRUE(apply_import_profile(kProfile, c.reader, c.settings).ok);
    EXPECT_EQ(c.settings.name_fields.count, 2);
    EXPECT_EQ(c.settings.name_fields.indices[0], 0);
    EXPECT_EQ(c.settings.name_fields.indices[1], 1);
    EXPECT_EQ(c.settings.link_fields.indices[0], 2);
    EXPECT_EQ(c.settings.default_type, kRoad4);
    EXPECT_EQ(c.settings.multiply_y, -10);
    EXPECT_EQ(c.settings.add_x, 0.5f);
    EXPECT_EQ(c.settings.substitution_count, 2);
    EXPECT_EQ(c.settings.type_translation.kind, kStringTable);
    EXPECT_EQ(c.settings.type_translation.field_index, 3);
    EXPECT_EQ(c.settings.type_translation.entry_count, 2);
    EXPECT_EQ(c.settings.type_translation.strings[1].result, kRiver);

    c.run();
    const auto objects = c.objects();
    ASSERT_EQ(objects.size(), 2u);
    // Group "1" sits in an earlier bucket than group "2", so it is added first and ends up behind.
    EXPECT_EQ(objects[1].name, "MAIN St");  // linked from two segments
    EXPECT_EQ(objects[1].type, kFreeway);
    EXPECT_EQ(objects[1].points, (std::vector<Point>{{5, 0}, {15, 0}, {25, 0}}));
    EXPECT_EQ(objects[0].name, "ELM Av.");
    EXPECT_EQ(objects[0].type, kRiver);
}

TEST(ImportProfile, WritesWhatItReadsBack) {
    ImportCase c(roads());
    ASSERT_TRUE(apply_import_profile(kProfile, c.reader, c.settings).ok);
    c.settings.icon_translation.kind = kNumericRanges;
    c.settings.icon_translation.field_index = 2;
    c.settings.icon_translation.ranges[0] = {-1.5f, 2.25f, 5};
    c.settings.icon_translation.ranges[1] = {3, 1e6f, 200};
    c.settings.icon_translation.entry_count = 2;
    c.settings.multipart_policy = kCcwPartsGetCcwType;
    c.settings.ccw_type = kBuilding;
    set_field(c.settings.substitutions[0].from, "say \"hi\"\\");
    const std::string text = write_import_profile(c.settings, c.reader);

    ImportCase d(roads());
    ASSERT_TRUE(apply_import_profile(text, d.reader, d.settings).ok) << text;
    EXPECT_EQ(write_import_profile(d.settings, d.reader), text);
    EXPECT_EQ(std::string(d.settings.substitutions[0].from), "say \"hi\"\\");
    EXPECT_EQ(d.settings.icon_translation.ranges[1].result, 200);
    EXPECT_EQ(d.settings.icon_translation.ranges[0].max, 2.25f);
    EXPECT_EQ(d.settings.ccw_type, kBuilding);
    EXPECT_NE(text.find("ccw_type = BUILDING\n"), std::string::npos);
    EXPECT_NE(text.find("icon_translation.range = -1.5 2.25 PI_BANK\n"), std::string::npos);
}

TEST(ImportProfile, ABadLineNamesItsNumberAndChangesNothing) {
    const std::pair<const char*, const char*> cases[] = {
        {"downcase = 0\nname_fields = NOPE\n", "line 2: no field 'NOPE' in the attribute table"},
        {"\n\ndefault_type = WATER", "line 3: 'WATER' is not an object type of this file"},
        {"multiply_x = 0", "line 1: 'Multiply' factors must be non-zero"},
        {"multiply_x = 12abc", "line 1: expected a whole number"},
        {"downcase", "line 1: expected 'setting = value'"},
        {"colour = red", "line 1: unknown setting 'colour'"},
        {"type_translation.entry = \"a\" 1",
         "line 1: string entries need the translation set to strings first"},
        {"substitution = \"open", "line 1: unterminated quoted text"},
        {"name_fields = A, B, C, D, E, F, G, H, I", "line 1: at most 8 fields"},
        {"default_icon = 256", "line 1: '256' is not an icon"},
        {"icon_translation = ranges\nicon_translation.range = 1 x 3",
         "line 2: expected numbers for min and max"},
    };
    for (auto [text, message] : cases) {
        ImportCase c(roads());
        EXPECT_EQ(apply_import_profile(text, c.reader, c.settings).message, message) << text;
        EXPECT_EQ(c.settings.downcase, 1);
        EXPECT_EQ(c.settings.multiply_x, 1);
        EXPECT_EQ(c.settings.name_fields.count, 1);
    }
    ImportCase c(roads());
    EXPECT_EQ(load_import_profile("/nonexistent/profile.txt", c.reader, c.settings).message,
              "Cannot read profile /nonexistent/profile.txt");
}

}  // namespace
}  // namespace plotwell::test
