// The "Import ShapeFile" dialog's pages: defaults by file, the two-list field choice with its limit,
// the checks at OK and the range filter box.
#include "shapefile/import_dialog.h"

#include <gtest/gtest.h>

#include "shapefile/import_detail_dialogs.h"
#include "support/object_builders.h"
#include "support/scripted_host.h"
#include "support/shapefile_writer.h"

using namespace plotwell;
using namespace plotwell::test;

namespace {

ShapefileData file_of(int32_t shape_type, std::vector<std::string> field_names) {
    ShapefileData data;
    data.shape_type = shape_type;
    for (auto& n : field_names) data.fields.push_back({n, 'C', 10});
    std::vector<std::string> values(data.fields.size(), "x");
    if (shape_type == 1)
        data.records.push_back(point_record(1, 2, values));
    else
        data.records.push_back(parts_record({{{0, 0}, {1, 0}, {1, 1}, {0, 0}}}, values));
    return data;
}

struct ImportDialogTest : ::testing::Test {
    ImportDialogTest() {
        set_field(project.file_base_name, "city");
        project.range = {0, 0, 100, 100};
        add_layer(project, "Roads", kThemeRoads);
        add_layer(project, "Water", kThemeWater);
    }
    ~ImportDialogTest() override { close_shapefile(reader); }

    ImportShapefileDialog& open(const ShapefileData& data, int current_layer = -1) {
        ShapefileBytes b = build_shapefile(data);
        close_shapefile(reader);
        open_shapefile_bytes(reader, b.shp, b.shx, b.dbf);
        settings = ShapeImportSettings{};
        settings.base_path = "/maps/roads";
        dialog = std::make_unique<ImportShapefileDialog>(project, reader, settings);
        dialog->open(current_layer);
        return *dialog;
    }
    void choose(FieldChoicePage& page, const std::string& name) {
        for (size_t i = 0; i < page.remaining.size(); ++i)
            if (page.remaining[i] == name) page.selected_remaining = int(i);
        page.add(host);
    }

    Project project;
    ShapefileReader reader;
    ShapeImportSettings settings;
    std::unique_ptr<ImportShapefileDialog> dialog;
    ScriptedHost host;
};

}  // namespace

TEST_F(ImportDialogTest, APolyLineFileOpensWithLineDefaults) {
    ImportShapefileDialog& d = open(file_of(3, {"STREET", "cls", "Area"}), 1);
    EXPECT_EQ(d.dialog_title(), "Import ShapeFile");
    EXPECT_EQ(d.filename(), "/maps/roads");
    EXPECT_EQ(d.dimension_text(), "Line");
    EXPECT_EQ(d.tab_labels(), (std::vector<std::string>{"Name", "Type", "Filter", "Coordinates", "Linking"}));
    EXPECT_EQ(d.page_of_tab(4), kPageLinking);
    EXPECT_EQ(d.current_tab, 0);
    EXPECT_EQ(d.visible_page(), kPageName);
    ASSERT_EQ(d.type_names.size(), 12u);
    EXPECT_EQ(d.type_names[0], "FREEWAY");
    EXPECT_EQ(d.type_choice, 0);
    EXPECT_EQ(d.layer_lines, (std::vector<std::string>{"0: Roads [ROADS]", "1: Water [WATER]"}));
    EXPECT_EQ(d.dest_layer, 1);
    EXPECT_TRUE(d.name_page.chosen.empty());
    EXPECT_EQ(d.name_page.remaining, (std::vector<std::string>{"Area", "cls", "STREET"}));
    EXPECT_EQ(d.link_page.remaining, d.name_page.remaining);
    EXPECT_TRUE(d.downcase);
    EXPECT_TRUE(d.filter_box);
    EXPECT_EQ(d.multiply_x, "1000000");
    EXPECT_EQ(d.multiply_y, "1000000");
    EXPECT_EQ(settings.dimension, 1);
    EXPECT_EQ(settings.filter_untranslated, 1);
    EXPECT_EQ(settings.icon_translation.target, 1);
    EXPECT_EQ(settings.type_translation.target, 0);
    d.select_tab(4);
    EXPECT_EQ(d.visible_page(), kPageLinking);
    d.select_tab(5);  // no such tab
    EXPECT_EQ(d.current_tab, 4);
}

TEST_F(ImportDialogTest, PointAndPolygonFilesGetTheirOwnLastPage) {
    ImportShapefileDialog& points = open(file_of(1, {"NAME"}));
    EXPECT_EQ(points.dimension_text(), "Point");
    EXPECT_EQ(points.tab_labels().back(), "Points");
    EXPECT_EQ(points.page_of_tab(4), kPagePoints);
    EXPECT_EQ(points.type_names.size(), 3u);
    ASSERT_EQ(points.icon_names.size(), 31u);
    EXPECT_EQ(points.icon_names.front(), "PI_HOTELORACCOM");
    EXPECT_EQ(points.icon_names.back(), "PI_LABELMINOR");
    EXPECT_EQ(points.dest_layer, 0);  // the background was current

    ImportShapefileDialog& polygons = open(file_of(5, {"NAME"}));
    EXPECT_EQ(polygons.dimension_text(), "Polygon");
    EXPECT_EQ(polygons.tab_labels().back(), "Polygons");
    EXPECT_EQ(polygons.page_of_tab(4), kPagePolygons);
    EXPECT_EQ(polygons.type_names.size(), 5u);

    ImportShapefileDialog& other = open(file_of(8, {"NAME"}));
    EXPECT_EQ(other.dimension_text(), "Polygon");
    EXPECT_EQ(other.type_names.size(), 5u);
}

TEST_F(ImportDialogTest, ANinthNameFieldIsRefusedAndChangesNothing) {
    ImportShapefileDialog& d = open(file_of(3, {"F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9"}));
    for (int i = 8; i >= 1; --i) choose(d.name_page, "F" + std::to_string(i));
    EXPECT_TRUE(host.messages.empty());
    ASSERT_EQ(d.name_page.chosen.size(), 8u);
    EXPECT_EQ(d.name_page.chosen.front(), "F8");

    d.name_page.selected_remaining = 0;
    d.name_page.add(host);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Maximum fields reached");
    EXPECT_EQ(host.messages[0].caption, "Notice");
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(d.name_page.chosen.size(), 8u);
    EXPECT_EQ(d.name_page.remaining, (std::vector<std::string>{"F9"}));

    // The link list has its own limit of 8, unaffected by the name list.
    choose(d.link_page, "F9");
    EXPECT_EQ(d.link_page.chosen, (std::vector<std::string>{"F9"}));
    EXPECT_EQ(host.messages.size(), 1u);
}

TEST_F(ImportDialogTest, ChosenFieldsKeepTheirOrderAndRemovedOnesReturnSorted) {
    ImportShapefileDialog& d = open(file_of(3, {"ZIP", "NAME", "TYPE", "CITY"}));
    choose(d.name_page, "TYPE");
    choose(d.name_page, "CITY");
    choose(d.name_page, "ZIP");
    EXPECT_EQ(d.name_page.remaining, (std::vector<std::string>{"NAME"}));
    d.name_page.selected_chosen = 1;
    d.name_page.remove();
    EXPECT_EQ(d.name_page.chosen, (std::vector<std::string>{"TYPE", "ZIP"}));
    EXPECT_EQ(d.name_page.remaining, (std::vector<std::string>{"CITY", "NAME"}));
    d.name_page.remove();  // nothing selected any more
    d.name_page.add(host);
    EXPECT_EQ(d.name_page.chosen.size(), 2u);

    choose(d.link_page, "NAME");
    d.downcase = false;
    d.type_choice = 6;  // RIVER
    d.dest_layer = 1;
    ASSERT_TRUE(d.ok(host));
    EXPECT_EQ(settings.name_fields.count, 2);
    EXPECT_EQ(settings.name_fields.indices[0], 2);  // TYPE
    EXPECT_EQ(settings.name_fields.indices[1], 0);  // ZIP
    EXPECT_EQ(settings.link_fields.count, 1);
    EXPECT_EQ(settings.link_fields.indices[0], 1);
    EXPECT_EQ(settings.downcase, 0);
    EXPECT_EQ(settings.default_type, 6);
    EXPECT_EQ(settings.dest_layer, 1);

    // Reloading shows the stored choice in the same order.
    d.load_page(kPageName);
    EXPECT_EQ(d.name_page.chosen, (std::vector<std::string>{"TYPE", "ZIP"}));
}

TEST_F(ImportDialogTest, OkNeedsANameFieldBeforeAnythingElse) {
    ImportShapefileDialog& d = open(file_of(3, {"NAME"}));
    d.multiply_y = "0";
    d.select_tab(2);
    EXPECT_FALSE(d.ok(host));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "You need to select at least one name field");
    EXPECT_EQ(host.messages[0].caption, "Error");
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(d.current_tab, 0);
    EXPECT_FALSE(d.accepted());
    EXPECT_EQ(settings.multiply_y, 0);  // stored although a check failed

    choose(d.name_page, "NAME");
    d.multiply_y = "1";
    EXPECT_TRUE(d.ok(host));
    EXPECT_TRUE(d.accepted());
}

TEST_F(ImportDialogTest, MultiplyFactorsMustBeNonZero) {
    ImportShapefileDialog& d = open(file_of(3, {"NAME"}));
    choose(d.name_page, "NAME");
    for (const char* bad : {"0", "abc", "", "  -", "x12", "99999999999"}) {
        host.messages.clear();
        d.multiply_x = "1000";
        d.multiply_y = bad;
        EXPECT_FALSE(d.ok(host)) << bad;
        ASSERT_EQ(host.messages.size(), 1u) << bad;
        EXPECT_EQ(host.messages[0].text, "'Multiply' factors must be non-zero");
        EXPECT_EQ(host.messages[0].caption, "Error");
        EXPECT_EQ(d.current_tab, 3);
    }
    host.messages.clear();
    d.multiply_x = "  -12abc";
    d.multiply_y = "100000000000000000000";  // only the first 15 characters count: 10^14 is too big
    EXPECT_FALSE(d.ok(host));
    d.multiply_y = "+7";
    EXPECT_TRUE(d.ok(host));
    EXPECT_EQ(settings.multiply_x, -12);
    EXPECT_EQ(settings.multiply_y, 7);

    EXPECT_EQ(parse_factor_text("2147483647"), 2147483647);
    EXPECT_EQ(parse_factor_text("-2147483648"), INT32_MIN);
    EXPECT_EQ(parse_factor_text("2147483648"), 0);
    EXPECT_EQ(parse_factor_text("000000000000000123"), 0);  // the 15 characters hold only zeros
}

TEST_F(ImportDialogTest, TheFilterBoxIsIgnoredWhenTheRangeIsEmpty) {
    project.range = {0, 0, 100, 0};
    ImportShapefileDialog& d = open(file_of(3, {"NAME"}));
    EXPECT_FALSE(d.filter_box);
    choose(d.name_page, "NAME");
    d.filter_box = true;
    ASSERT_TRUE(d.ok(host));
    EXPECT_EQ(settings.filter_outside_range, 0);

    project.range = {0, 0, -5, 100};
    ImportShapefileDialog& negative = open(file_of(3, {"NAME"}));
    EXPECT_FALSE(negative.filter_box);
    choose(negative.name_page, "NAME");
    negative.filter_box = true;
    ASSERT_TRUE(negative.ok(host));
    EXPECT_EQ(settings.filter_outside_range, 0);

    project.range = {0, 0, 1, 1};
    ImportShapefileDialog& set = open(file_of(3, {"NAME"}));
    EXPECT_TRUE(set.filter_box);
    choose(set.name_page, "NAME");
    set.filter_box = false;
    ASSERT_TRUE(set.ok(host));
    EXPECT_EQ(settings.filter_outside_range, 0);
    set.filter_box = true;
    ASSERT_TRUE(set.ok(host));
    EXPECT_EQ(settings.filter_outside_range, 1);
}

TEST_F(ImportDialogTest, ThePointsPageStoresTheDefaultIcon) {
    ImportShapefileDialog& d = open(file_of(1, {"NAME"}));
    choose(d.name_page, "NAME");
    choose(d.link_page, "NAME");  // the hidden Linking page is stored too, and the engine ignores it
    d.icon_choice = 30;
    d.type_choice = 2;
    ASSERT_TRUE(d.ok(host));
    EXPECT_EQ(settings.default_icon, 30);
    EXPECT_EQ(settings.default_type, 2);
}

TEST_F(ImportDialogTest, ChangingTheIconTranslationAsksBeforeDroppingItsEntries) {
    ImportShapefileDialog& d = open(file_of(1, {"NAME", "KIND"}));
    d.icon_translation_changed(1, host);  // nothing to lose: no question
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(d.dormant.icon_translation_choice, 1);

    settings.icon_translation.kind = 1;
    settings.icon_translation.field_index = 1;
    settings.icon_translation.entry_count = 2;
    host.answers.push_back(Answer::No);
    d.icon_translation_changed(2, host);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text,
              "This will result in the current translation details being deleted. Do you want to proceed?");
    EXPECT_EQ(host.messages[0].caption, "Confirm");
    EXPECT_EQ(d.dormant.icon_translation_choice, 1);
    EXPECT_EQ(settings.icon_translation.entry_count, 2);

    host.answers.push_back(Answer::Yes);
    d.icon_translation_changed(2, host);
    EXPECT_EQ(d.dormant.icon_translation_choice, 2);
    EXPECT_EQ(settings.icon_translation.entry_count, 0);
    EXPECT_EQ(settings.icon_translation.field_index, 0);
    EXPECT_EQ(settings.icon_translation.target, 1);
}

TEST_F(ImportDialogTest, TranslationDetailsEditTheTableAndSampleTheField) {
    ShapefileData data = file_of(1, {"NAME", "KIND"});
    data.records.push_back(point_record(3, 4, {"y", "x"}));
    ImportShapefileDialog& d = open(data);
    ShapefileRecordSource records(reader);
    d.records = &records;
    d.type_translation_changed(kStringTable, host);
    std::vector<std::string> seen;
    host.answer_dialog("Translation Details", [&](DialogModel& m) {
        auto& t = dynamic_cast<TranslationDetailsDialog&>(m);
        t.set_field(1);
        t.set_match_mode(1);
        t.sample_values(host);
        t.new_entry(host);
        seen = t.lines();
        return 1;
    });
    host.answer_dialog("Sample Field Values", [&](DialogModel& m) {
        EXPECT_EQ(dynamic_cast<SampleValuesDialog&>(m).text, "x (2)\n");
        return 1;
    });
    host.answer_dialog("Translation Details", [](DialogModel& m) {  // the entry: empty first, refused
        dynamic_cast<TranslationEntryDialog&>(m).result = 2;
        return 1;
    });
    host.answer_dialog("Translation Details", [](DialogModel& m) {
        auto& e = dynamic_cast<TranslationEntryDialog&>(m);
        e.text = "x";
        return 1;
    });
    d.type_translation_details(host);
    EXPECT_EQ(host.last_message(), "Enter the value to translate in 'String'");
    EXPECT_EQ(seen, std::vector<std::string>{"x -> CATPNTFEATURE"});
    EXPECT_EQ(settings.type_translation.kind, kStringTable);
    EXPECT_EQ(settings.type_translation.field_index, 1);
    EXPECT_EQ(settings.type_translation.match_mode, kMatchPrefix);
    EXPECT_EQ(settings.type_translation.strings[0].result, 2);
}
