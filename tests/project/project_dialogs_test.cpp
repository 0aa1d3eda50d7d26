#include <gtest/gtest.h>

#include <clocale>
#include <locale>
#include <string>

#include "model/text.h"
#include "project/confirm_save.h"
#include "project/dialog_fields.h"
#include "project/geo_info_dialog.h"
#include "project/new_project_dialog.h"
#include "project/project_properties_dialog.h"
#include "shapefile/import_dialog.h"
#include "shapefile/import_profile.h"
#include "support/scripted_host.h"

namespace plotwell {
namespace {

using test::ScriptedHost;

TEST(DialogFields, PlainDecimalConversion) {
    EXPECT_EQ(read_int_field("  -12abc"), -12);
    EXPECT_EQ(read_int_field("+7"), 7);
    EXPECT_EQ(read_int_field(""), 0);
    EXPECT_EQ(read_int_field("x12"), 0);
    EXPECT_EQ(read_int_field("99999999999"), 2147483647);  // clamped, not wrapped
    EXPECT_EQ(read_int_field("-99999999999"), -2147483647 - 1);
    EXPECT_EQ(read_int_field("1234567890123456789", 4), 1234);  // only what the field holds
    EXPECT_DOUBLE_EQ(read_float_field("12.345678", 7), 12.3456);
    EXPECT_DOUBLE_EQ(read_float_field("abc", 7), 0.0);
}

struct ProjectPropertiesTest : ::testing::Test {
    ProjectPropertiesTest() {
        set_field(project.name, "City");
        set_field(project.parent_map_basename, "State");
        project.projection = 2;
        project.coord_sys = kCoordDegrees;
        project.range = {-1000, 500, 3000, 250};
        project.geo.mode = kGeoScaleAndPos;
    }
    Project project;
    ScriptedHost host;
};

TEST_F(ProjectPropertiesTest, OpensWithTheProjectsFields) {
    ProjectPropertiesModel m(project, host);
    EXPECT_EQ(m.name, "City");
    EXPECT_EQ(m.parent_map_basename, "State");
    EXPECT_EQ(m.projection, "Decimal Degrees (Exp 6)");
    EXPECT_EQ(m.coord_sys, "Decimal Degrees (Exp 6)");
    EXPECT_EQ(m.x_min, "-1000");
    EXPECT_EQ(m.x_max, "2000");
    EXPECT_EQ(m.y_min, "500");
    EXPECT_EQ(m.y_max, "750");
    EXPECT_EQ(m.geo_mode, kGeoScaleAndPos);
}

TEST_F(ProjectPropertiesTest, OkStoresWithoutValidationOrModified) {
    ProjectPropertiesModel m(project, host);
    m.name = std::string(40, 'n');
    m.parent_map_basename = std::string(50, 'p');
    m.x_min = "100";
    m.x_max = "50";  // below the minimum: an empty range, not a refusal
    m.y_min = " -20";
    m.y_max = "80";
    EXPECT_TRUE(m.ok());
    EXPECT_EQ(field_text(project.name), std::string(31, 'n'));
    EXPECT_EQ(field_text(project.parent_map_basename), std::string(39, 'p'));
    EXPECT_EQ(project.range, (CoordRange{100, -20, -50, 100}));
    EXPECT_TRUE(empty_range(project.range));
    EXPECT_EQ(project.modified, 0);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(ProjectPropertiesTest, FarApartBoundsDoNotWrap) {
    ProjectPropertiesModel m(project, host);
    m.x_min = "-2000000000";
    m.x_max = "2000000000";
    m.ok();
    EXPECT_EQ(project.range.x_min, -2000000000);
    EXPECT_EQ(project.range.width, 2147483647);
}

TEST_F(ProjectPropertiesTest, ChangeIsNotOffered) {
    ProjectPropertiesModel m(project, host);
    m.change();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Not yet implemented.");
    EXPECT_EQ(host.messages[0].caption, "Error");
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Warning);
}

struct GeoInfoTest : ::testing::Test {
    GeoInfoTest() {
        project.coord_sys = kCoordDegrees;
        project.range = {150000000, -34000000, 2000000, 1000000};
    }
    Project project;
    ScriptedHost host;
};

TEST_F(GeoInfoTest, OpensInModeTwoWithTheEdgesInDegreeText) {
    project.geo = {kGeoScaleAndPos, 0, 151500000, 152000000, -33870140, -33000000};
    GeoInfoModel m(project, host, 0);
    EXPECT_EQ(m.mode, kGeoScaleAndPos);
    EXPECT_EQ(m.edges[GeoInfoModel::kWest], "E 151 29'58\"");
    EXPECT_EQ(m.edges[GeoInfoModel::kSouth], "S 33 52'10\"");
    EXPECT_EQ(m.km, "");
    project.geo.mode = kGeoScale;
    GeoInfoModel other(project, host, 0);
    EXPECT_EQ(other.edges[GeoInfoModel::kWest], "");  // the edges show only in mode 2
}

TEST_F(GeoInfoTest, PositionButtonTakesTheRangeAtOnceWithDecimalDegrees) {
    GeoInfoModel m(project, host, 0);
    m.select_mode(kGeoScaleAndPos);
    // Taken into the project right away: a later Cancel keeps them.
    EXPECT_EQ(project.geo.west, 150000000);
    EXPECT_EQ(project.geo.east, 152000000);
    EXPECT_EQ(project.geo.south, -34000000);
    EXPECT_EQ(project.geo.north, -33000000);
    EXPECT_EQ(project.geo.mode, kGeoNone);
    EXPECT_EQ(m.edges[GeoInfoModel::kNorth], "S 33 0'0\"");

    project.coord_sys = kCoordArbitrary;
    project.geo = {};
    GeoInfoModel arbitrary(project, host, 0);
    arbitrary.select_mode(kGeoScaleAndPos);
    EXPECT_EQ(project.geo.east, 0);
    EXPECT_EQ(arbitrary.edges[GeoInfoModel::kEast], "");
}

TEST_F(GeoInfoTest, AFailingEdgeKeepsTheEdgesStoredBeforeIt) {
    project.geo = {kGeoNone, 0, 1, 2, 3, 4};
    GeoInfoModel m(project, host, 0);
    m.select_mode(kGeoScaleAndPos);
    m.edges[GeoInfoModel::kWest] = "151.5";
    m.edges[GeoInfoModel::kEast] = "E 152 0'0\"";
    m.edges[GeoInfoModel::kSouth] = "S 33";  // ends inside the degrees
    m.edges[GeoInfoModel::kNorth] = "-33";
    EXPECT_FALSE(m.ok());
    EXPECT_EQ(m.focused_edge, GeoInfoModel::kSouth);
    EXPECT_EQ(project.geo.mode, kGeoScaleAndPos);
    EXPECT_EQ(project.geo.west, 151500000);
    EXPECT_EQ(project.geo.east, 152000000);
    EXPECT_EQ(project.geo.south, -34000000);  // as the position button left it
    EXPECT_EQ(project.geo.north, -33000000);

    m.edges[GeoInfoModel::kSouth] = "-33.5";
    EXPECT_TRUE(m.ok());
    EXPECT_EQ(m.focused_edge, -1);
    EXPECT_EQ(project.geo.south, -33500000);
    EXPECT_EQ(project.geo.north, -33000000);
    EXPECT_EQ(project.modified, 0);
}

TEST_F(GeoInfoTest, AFailingFirstEdgeStoresNoEdge) {
    project.coord_sys = kCoordArbitrary;
    project.geo = {kGeoNone, 0, 1, 2, 3, 4};
    GeoInfoModel m(project, host, 0);
    m.select_mode(kGeoScaleAndPos);
    m.edges[GeoInfoModel::kWest] = "W 12 x";
    m.edges[GeoInfoModel::kEast] = "13";
    EXPECT_FALSE(m.ok());
    EXPECT_EQ(m.focused_edge, GeoInfoModel::kWest);
    EXPECT_EQ(project.geo.west, 1);
    EXPECT_EQ(project.geo.east, 2);
}

TEST_F(GeoInfoTest, ScaleFromTheSelectionRectangle) {
    project.range.width = 1000;
    GeoInfoModel m(project, host, 250);
    m.select_mode(kGeoScale);
    m.km = "12.34";  // 123 tenths over a quarter of the width
    EXPECT_TRUE(m.ok());
    EXPECT_EQ(project.geo.mode, kGeoScale);
    EXPECT_EQ(project.geo.scale, 492);

    GeoInfoModel wide(project, host, 1);
    wide.select_mode(kGeoScale);
    wide.km = "4000";  // 40000 x 1000: cut to 16 bits as the field keeps it
    EXPECT_TRUE(wide.ok());
    EXPECT_EQ(project.geo.scale, int16_t(uint16_t((40000LL * 1000) & 0xFFFF)));
}

// Qt switches the C library to the user's locale at start-up; typed and written numbers stay in the C
// format all the same.
TEST_F(GeoInfoTest, NumbersKeepTheCFormatUnderADecimalCommaLocale) {
    const auto check = [&] {
        EXPECT_DOUBLE_EQ(read_float_field(" 12.5", 7), 12.5);
        EXPECT_EQ(parse_factor_text("1000000"), 1000000);
        ShapeImportSettings settings;
        settings.multiply_x = 1000000;
        settings.add_x = 0.5f;
        const std::string profile = write_import_profile(settings, ShapefileReader{});
        EXPECT_NE(profile.find("\nmultiply_x = 1000000\nmultiply_y = "), std::string::npos) << profile;
        EXPECT_NE(profile.find("\nadd_x = 0.5\n"), std::string::npos) << profile;
        project.range.width = 1000;
        GeoInfoModel m(project, host, 1000);
        m.select_mode(kGeoScale);
        m.km = "12.5";
        EXPECT_TRUE(m.ok());
        EXPECT_EQ(project.geo.scale, 125);
    };
    check();
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    const char* comma = nullptr;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"}) {
        if (std::setlocale(LC_ALL, name) && *std::localeconv()->decimal_point == ',') {
            comma = name;
            break;
        }
    }
    if (comma) {
        const std::locale saved_global = std::locale::global(std::locale(comma));
        check();
        std::locale::global(saved_global);
    }
    std::setlocale(LC_ALL, saved.c_str());
    if (!comma) GTEST_SKIP() << "no decimal-comma locale installed; checked in the C locale only";
}

TEST_F(GeoInfoTest, ScaleWithoutASelectionRectangleIsRefused) {
    project.geo = {kGeoNone, 7, 0, 0, 0, 0};
    GeoInfoModel m(project, host, 0);
    m.select_mode(kGeoScale);
    m.km = "10";
    EXPECT_FALSE(m.ok());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, GeoInfoModel::kNoSelectionMessage);
    EXPECT_EQ(host.messages[0].caption, "Error");
    EXPECT_EQ(project.geo.mode, kGeoNone);
    EXPECT_EQ(project.geo.scale, 7);
}

TEST_F(GeoInfoTest, ModeNoneKeepsTheEdges) {
    project.geo = {kGeoScaleAndPos, 0, 10, 20, 30, 40};
    GeoInfoModel m(project, host, 0);
    m.select_mode(kGeoNone);
    EXPECT_TRUE(m.ok());
    EXPECT_EQ(project.geo.mode, kGeoNone);
    EXPECT_EQ(project.geo.east, 20);
}

TEST(NewProjectDialog, AnswersTheCheckedTemplateOrNone) {
    ScriptedHost host;
    host.answer_dialog("New Project", [](DialogModel& d) {
        auto& m = dynamic_cast<NewProjectModel&>(d);
        EXPECT_EQ(m.choice, 0);  // the bitmap template is checked at opening
        m.select(3);             // not offered: ignored
        m.select(2);
        return 1;
    });
    host.answer_dialog("New Project", [](DialogModel& d) {
        dynamic_cast<NewProjectModel&>(d).select(1);
        return 0;
    });
    EXPECT_EQ(choose_project_template(host), ProjectTemplate::Clone);
    EXPECT_EQ(choose_project_template(host), std::nullopt);
}

TEST(ConfirmSave, YesAndNoClearModifiedEvenWhenTheSaveFails) {
    Project project;
    project.modified = 1;
    ScriptedHost host;
    int saves = 0;
    auto failing_save = [&] {
        ++saves;
        return false;
    };
    host.answers = {Answer::Yes, Answer::No, Answer::Cancel};
    EXPECT_EQ(confirm_save(project, host, failing_save), Answer::Yes);
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(project.modified, 0);

    project.modified = 1;
    EXPECT_EQ(confirm_save(project, host, failing_save), Answer::No);
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(project.modified, 0);

    project.modified = 1;
    EXPECT_EQ(confirm_save(project, host, failing_save), Answer::Cancel);
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(project.modified, 1);

    ASSERT_EQ(host.messages.size(), 3u);
    EXPECT_EQ(host.messages[0].text, "Save current project?");
    EXPECT_EQ(host.messages[0].caption, "Confirm");
    EXPECT_EQ(host.messages[0].buttons, MessageButtons::YesNoCancel);
}

}  // namespace
}  // namespace plotwell
