#include "project/degree_text.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace plotwell {
namespace {

TEST(EdgeFieldParse, TheDocumentedTable) {
    EXPECT_EQ(parse_edge_field("N 33 52'10\""), 33870140);
    EXPECT_EQ(parse_edge_field("S 33 52'10\""), -33870140);
    EXPECT_EQ(parse_edge_field("151.2"), 151200000);
    EXPECT_EQ(parse_edge_field("151.1234567"), 151123456);  // the seventh place is dropped
    EXPECT_EQ(parse_edge_field("-0.5"), -500000);
    EXPECT_EQ(parse_edge_field("1.2.3"), std::nullopt);
    EXPECT_EQ(parse_edge_field("151,2"), 151000000);
    EXPECT_EQ(parse_edge_field("E 151"), std::nullopt);
    EXPECT_EQ(parse_edge_field("E 151 12"), std::nullopt);
    EXPECT_EQ(parse_edge_field(""), 0);
}

TEST(EdgeFieldParse, BothFormsAroundTheirTerminators) {
    EXPECT_EQ(parse_edge_field("   W 0 0'1\""), -278);          // leading spaces skipped
    EXPECT_EQ(parse_edge_field("E   10 1 2"), 10016680 + 556);  // spaces after the letter, blank terminators
    EXPECT_EQ(parse_edge_field("E 10 1'"), 10016680);           // seconds may be empty at the end
    EXPECT_EQ(parse_edge_field("N 1 0'0\",junk"), 1000000);     // the comma ends the seconds
    EXPECT_EQ(parse_edge_field("12 "), 12000000);
    EXPECT_EQ(parse_edge_field("."), 0);
    EXPECT_EQ(parse_edge_field("-"), 0);
    EXPECT_EQ(parse_edge_field("0.000001"), 1);
    EXPECT_EQ(parse_edge_field("12a"), std::nullopt);
    EXPECT_EQ(parse_edge_field("+12"), std::nullopt);  // only "-" is a sign
}

TEST(EdgeFieldParse, RefusesWhatWouldBeReadAsAStrangeNumber) {
    // A typo inside a digit run is refused (the field gets the focus) rather than read as digits.
    EXPECT_EQ(parse_edge_field("N 3x 52'10\""), std::nullopt);
    EXPECT_EQ(parse_edge_field("N 33 5O'10\""), std::nullopt);
    // Values beyond 32 bits are refused rather than wrapped.
    EXPECT_EQ(parse_edge_field("2148"), std::nullopt);
    EXPECT_EQ(parse_edge_field("2147.483647"), 2147483647);
    EXPECT_EQ(parse_edge_field("-2147.483648"), -2147483647 - 1);
    EXPECT_EQ(parse_edge_field("E 99999999999 0'0\""), std::nullopt);
    EXPECT_EQ(parse_edge_field("S 2147 29'0\""), std::nullopt);
}

TEST(DegreeText, FormatsLettersDegreesMinutesSeconds) {
    EXPECT_EQ(format_degrees(151500000, EdgeAxis::Longitude), "E 151 29'58\"");
    EXPECT_EQ(format_degrees(-151500000, EdgeAxis::Longitude), "W 151 29'58\"");
    EXPECT_EQ(format_degrees(-33870140, EdgeAxis::Latitude), "S 33 52'10\"");
    EXPECT_EQ(format_degrees(0, EdgeAxis::Latitude), "N 0 0'0\"");
    EXPECT_EQ(format_degrees(999999, EdgeAxis::Longitude), "E 0 59'57\"");
    EXPECT_EQ(format_degrees(-2147483647 - 1, EdgeAxis::Latitude), "S 2147 28'59\"");
}

TEST(DegreeText, RoundTripKeepsWhole278UnitSteps) {
    auto expected = [](int64_t v) {
        const int64_t a = std::llabs(v);
        const int64_t r = a / 1000000 * 1000000 + (a % 1000000) / 278 * 278;
        return v < 0 ? -r : r;
    };
    const int32_t samples[] = {0,          1,         277,        278,        279,        16679, 16680,
                               999999,     1000000,   33870140,   151500000,  -1,         -278,  -500000,
                               -151123456, 180000000, -180000000, 2147483647, -2147483647};
    for (int32_t v : samples) {
        for (EdgeAxis axis : {EdgeAxis::Longitude, EdgeAxis::Latitude}) {
            const auto back = parse_edge_field(format_degrees(v, axis));
            ASSERT_TRUE(back) << v;
            EXPECT_EQ(*back, expected(v)) << v;
        }
    }
    // A sweep through the fraction of a degree: every value lands on the step at or below it.
    for (int32_t v = 45000000; v < 46000000; v += 4999) {
        const auto back = parse_edge_field(format_degrees(v, EdgeAxis::Latitude));
        ASSERT_TRUE(back);
        EXPECT_LE(*back, v);
        EXPECT_GT(*back, v - 278);
        EXPECT_EQ((*back - 45000000) % 278, 0);
    }
}

}  // namespace
}  // namespace plotwell
