#include <gtest/gtest.h>

#include "dialogs/category_point_dialog.h"
#include "dialogs/group_properties_dialog.h"
#include "dialogs/icon_panel.h"
#include "dialogs/link_object_dialog.h"
#include "dialogs/object_details_dialog.h"
#include "dialogs/select_objects_dialog.h"
#include "dialogs/simple_point_dialog.h"
#include "model/object_storage.h"
#include "model/vocabulary.h"
#include "support/object_builders.h"
#include "support/recording_canvas.h"
#include "support/scripted_host.h"

namespace plotwell {
namespace {

using test::add_line;
using test::add_point;

struct ObjectDialogTest : ::testing::Test {
    ~ObjectDialogTest() override { free_layer_objects(layer); }
    MapObject* point(uint8_t code, std::string_view name = "Spot") {
        MapObject* o = add_point(layer, name, {5, 6});
        set_icon_code(o, code);
        return o;
    }
    Layer layer;
    test::ScriptedHost host;
};

TEST_F(ObjectDialogTest, LabelCodesOpenWithTheirClass) {
    MapObject* minor = point(130);
    SimplePointModel m(*minor, host);
    EXPECT_EQ(m.kind, SimplePointModel::kLabel);
    EXPECT_FALSE(m.panel_visible);
    EXPECT_EQ(m.list, (std::vector<std::string>{"Minor", "Major"}));
    EXPECT_EQ(m.list_selection, 0);
    EXPECT_EQ(m.panel.selection, 130);
    m.ok();
    EXPECT_EQ(icon_code(minor), 130);

    MapObject* major = point(128);
    SimplePointModel n(*major, host);
    EXPECT_EQ(n.list_selection, 1);
    n.ok();
    EXPECT_EQ(icon_code(major), 128);
}

TEST_F(ObjectDialogTest, PopulationCodesOpenWithTheirClass) {
    MapObject* p = point(66);
    SimplePointModel m(*p, host);
    EXPECT_EQ(m.kind, SimplePointModel::kPopulation);
    ASSERT_EQ(m.list.size(), 5u);
    EXPECT_EQ(m.list[size_t(m.list_selection)], "Minor City");
    m.list_selection = 4;
    m.ok();
    EXPECT_EQ(icon_code(p), 68);
}

TEST_F(ObjectDialogTest, SwitchingKindsSelectsTheFirstClass) {
    MapObject* p = point(5);
    SimplePointModel m(*p, host);
    EXPECT_EQ(m.kind, SimplePointModel::kIcon);
    EXPECT_TRUE(m.panel_visible);
    EXPECT_EQ(m.panel.selection, 5);
    m.choose(SimplePointModel::kLabel);
    EXPECT_FALSE(m.panel_visible);
    EXPECT_EQ(m.list_selection, 0);
    m.ok();
    EXPECT_EQ(icon_code(p), 130);  // the first label entry is "Minor"

    SimplePointModel again(*p, host);
    again.choose(SimplePointModel::kPopulation);
    again.ok();
    EXPECT_EQ(icon_code(p), 64);

    // Back to an icon without a click: the code carried in the panel is stored as it is.
    SimplePointModel icon(*p, host);
    icon.choose(SimplePointModel::kIcon);
    EXPECT_TRUE(icon.panel_visible);
    EXPECT_TRUE(icon.click_panel(30, 25));
    icon.ok();
    EXPECT_EQ(icon_code(p), 13);
}

TEST_F(ObjectDialogTest, ALabelOrPopulationCentreBecomesAnIconOnlyWithAnIconPicked) {
    for (uint8_t code : {kIconLabelMinor, uint8_t(kIconPopulationBit + 2)}) {
        MapObject* p = point(code);
        SimplePointModel m(*p, host);
        m.name = "Quay";
        m.choose(SimplePointModel::kIcon);
        EXPECT_FALSE(m.ok());
        ASSERT_FALSE(host.messages.empty());
        EXPECT_EQ(host.last_message(), "Please choose an icon.");
        EXPECT_EQ(host.messages.back().caption, "Error");
        EXPECT_EQ(icon_code(p), code);
        EXPECT_EQ(field_text(p->name), "Spot");
        m.click_panel(30, 25);
        EXPECT_TRUE(m.ok());
        EXPECT_EQ(icon_code(p), 13);
    }
    EXPECT_EQ(host.messages.size(), 2u);
}

TEST_F(ObjectDialogTest, ALongNameKeepsTheIconCode) {
    MapObject* p = point(7);
    SimplePointModel m(*p, host);
    m.name = std::string(45, 'n');
    m.ok();
    EXPECT_EQ(field_text(p->name), std::string(40, 'n'));
    EXPECT_EQ(p->name[40], '\0');
    EXPECT_EQ(icon_code(p), 7);
    EXPECT_EQ(object_position(p), (Point{5, 6}));
}

TEST(IconPanel, ClickPicksTheCellAndRepaintsOnlyOnAChange) {
    IconPanel panel;
    EXPECT_TRUE(panel.click(30, 25));
    EXPECT_EQ(panel.selection, 13);  // "PI_SHOPPING"
    EXPECT_FALSE(panel.click(30, 25));
    EXPECT_TRUE(panel.click(153, 39));
    EXPECT_EQ(panel.selection, 21);
    EXPECT_FALSE(panel.click(154, 0));  // right of the last column
    EXPECT_EQ(panel.selection, 21);
}

TEST(IconPanel, PaintsEveryIconAndFramesTheSelection) {
    IconPanel panel;
    panel.selection = 13;
    test::RecordingCanvas canvas;
    panel.paint(canvas);
    ASSERT_EQ(canvas.ops.size(), 23u);
    EXPECT_EQ(canvas.ops[0].rect, (ScreenRect{2, 2, 10, 10}));
    EXPECT_EQ(canvas.ops[13].rect, (ScreenRect{14 * 2 + 2, 22, 14 * 2 + 10, 30}));
    const auto& frame = canvas.ops[22];
    EXPECT_EQ(frame.kind, test::CanvasOp::Rectangle);
    EXPECT_TRUE(frame.brush.hollow);
    EXPECT_EQ(frame.rect, (ScreenRect{28, 20, 41, 33}));

    panel.selection = 130;  // a label code: no cell framed
    test::RecordingCanvas other;
    panel.paint(other);
    EXPECT_EQ(other.ops.size(), 22u);
}

TEST(IconPanel, ImagesFollowTheRowBits) {
    const Image& hospital = icon_panel_image(4);  // FF E7 E7 81 ...
    EXPECT_EQ(hospital.width, 8);
    EXPECT_EQ(hospital.pixel(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(hospital.pixel(3, 1), 0xFF000000u);
    EXPECT_EQ(hospital.pixel(0, 3), 0xFFFFFFFFu);
    EXPECT_EQ(hospital.pixel(1, 3), 0xFF000000u);
}

TEST_F(ObjectDialogTest, DetailsEditNameAndType) {
    MapObject* road = add_line(layer, "Main St", {{0, 0}, {5, 5}});
    ObjectDetailsModel m(*road);
    EXPECT_EQ(m.dialog_title(), "Line Details");
    EXPECT_EQ(m.types.size(), 12u);
    EXPECT_EQ(m.type, 0);
    m.type = kRiver;
    m.name = std::string(50, 'r');
    m.ok();
    EXPECT_EQ(road->type, kRiver);
    EXPECT_EQ(field_text(road->name), std::string(41, 'r'));
    EXPECT_EQ(object_point_count(road), 2);

    MapObject* lake =
        add_line(layer, "Lake", {{0, 0}, {5, 5}, {0, 5}}, kDimPolygon, 9);  // type past the list
    ObjectDetailsModel p(*lake);
    EXPECT_EQ(p.dialog_title(), "Polygon Details");
    EXPECT_EQ(p.type, -1);
    p.ok();
    EXPECT_EQ(lake->type, 9);  // nothing chosen: the stored type stays
}

TEST_F(ObjectDialogTest, DetailsOfANewObjectTemplate) {
    ObjectHead head;
    head.dimension = kDimPoint;
    ObjectDetailsModel m(head);
    EXPECT_EQ(m.dialog_title(), "Point Details");
    EXPECT_EQ(m.types, (std::vector<std::string>{"PNTFEATURE", "LINK", "CATPNTFEATURE"}));
    m.name = std::string(45, 'p');
    m.ok();
    EXPECT_EQ(field_text(head.name), std::string(40, 'p'));  // a PNTFEATURE keeps its icon byte
    m.type = kLink;
    m.ok();
    EXPECT_EQ(head.type, kLink);
    EXPECT_EQ(field_text(head.name), std::string(41, 'p'));
}

TEST_F(ObjectDialogTest, DetailsNeverGrowAPointRecordInPlace) {
    MapObject* p = point(3);
    ObjectDetailsModel m(*p);
    m.type = kCatPntFeature;  // 64 bytes: more than this 56-byte block holds
    m.ok();
    EXPECT_EQ(p->type, kPntFeature);
    EXPECT_EQ(icon_code(p), 3);
    ObjectDetailsModel n(*p);
    n.type = kLink;  // same size
    n.ok();
    EXPECT_EQ(p->type, kLink);
}

TEST_F(ObjectDialogTest, LinkTargetIsTheName) {
    MapObject* link = add_point(layer, "north", {0, 0}, kLink);
    LinkObjectModel m(*link);
    EXPECT_EQ(m.target, "north");
    m.target = std::string(60, 't');
    m.ok();
    EXPECT_EQ(field_text(link->name), std::string(41, 't'));
}

TEST_F(ObjectDialogTest, CategoryChangeResetsTheSubType) {
    CategoryChoices choices;
    choices.categories = {"Food", "Lodging"};
    choices.sub_types = {{"Cafe", "Bar", "Diner"}, {}};
    for (int i = 0; i < 40; ++i) choices.sub_types[1].push_back("S" + std::to_string(i));
    MapObject* p = add_point(layer, "Joe's", {1, 2}, kCatPntFeature, 0, 2);
    CategoryPointModel m(*p, choices);
    EXPECT_EQ(m.category_selection, 0);
    EXPECT_EQ(m.sub_type_selection, 2);
    EXPECT_EQ(m.sub_types.size(), 3u);
    m.select_category(1);
    EXPECT_EQ(m.sub_type_selection, 0);
    EXPECT_EQ(m.sub_types.size(), 32u);  // the list holds the first 32
    m.select_sub_type(31);
    m.select_sub_type(32);  // not listed: ignored
    m.name = "Inn";
    m.ok();
    EXPECT_EQ(object_category(p), 1);
    EXPECT_EQ(object_sub_type(p), 31);
    EXPECT_EQ(field_text(p->name), "Inn");
    EXPECT_EQ(object_position(p), (Point{1, 2}));

    m.select_category(-1);
    EXPECT_TRUE(m.sub_types.empty());
}

TEST_F(ObjectDialogTest, CancelLeavesEveryObjectUntouched) {
    CategoryChoices choices{{"Food"}, {{"Cafe", "Bar"}}};
    MapObject* simple = point(66);
    MapObject* link = add_point(layer, "north", {0, 0}, kLink);
    MapObject* cat = add_point(layer, "Joe's", {1, 2}, kCatPntFeature, 0, 1);
    MapObject* road = add_line(layer, "Main", {{0, 0}, {5, 5}});
    const std::vector<uint8_t> before = [&] {
        std::vector<uint8_t> b;
        for (MapObject* o : {simple, link, cat, road}) {
            const auto* bytes = reinterpret_cast<const uint8_t*>(o) + sizeof(MapObject*);
            b.insert(b.end(), bytes, bytes + object_record_size(o) - 4);
        }
        return b;
    }();
    {
        SimplePointModel a(*simple, host);
        a.name = "x";
        a.choose(SimplePointModel::kIcon);
        a.click_panel(0, 0);
        LinkObjectModel b(*link);
        b.target = "x";
        CategoryPointModel c(*cat, choices);
        c.select_sub_type(0);
        c.name = "x";
        ObjectDetailsModel d(*road);
        d.type = 3;
        d.name = "x";
    }
    std::vector<uint8_t> after;
    for (MapObject* o : {simple, link, cat, road}) {
        const auto* bytes = reinterpret_cast<const uint8_t*>(o) + sizeof(MapObject*);
        after.insert(after.end(), bytes, bytes + object_record_size(o) - 4);
    }
    EXPECT_EQ(after, before);
}

TEST(GroupProperties, OneTypeForTheDimension) {
    uint8_t type = kRoad4;
    GroupPropertiesModel lines(kDimLine, type);
    EXPECT_EQ(lines.dimension_text, "LINE");
    EXPECT_EQ(lines.types.size(), 12u);
    EXPECT_EQ(lines.type_selection, kRoad4);
    lines.type_selection = kSubway;
    lines.ok();
    EXPECT_EQ(type, kSubway);

    uint8_t poly = kBuilding;
    GroupPropertiesModel polygons(kDimPolygon, poly);
    EXPECT_EQ(polygons.dimension_text, "POLYGON");
    EXPECT_EQ(polygons.types.size(), 5u);
    EXPECT_EQ(polygons.type_selection, kBuilding);
}

TEST(SelectObjects, AnswersADimensionAndATypeOrAny) {
    uint8_t dimension = kDimPoint;
    int type = -1;
    SelectObjectsModel m(dimension, type);
    EXPECT_EQ(m.dimensions, (std::vector<std::string>{"POINT", "LINE", "POLYGON"}));
    EXPECT_EQ(m.types.front(), SelectObjectsModel::kAnyType);
    EXPECT_EQ(m.types.size(), 4u);
    m.select_dimension(1);
    EXPECT_EQ(m.types.size(), 13u);
    EXPECT_EQ(m.type_selection, 0);
    m.select_type(1 + kRiver);
    m.ok();
    EXPECT_EQ(dimension, kDimLine);
    EXPECT_EQ(type, kRiver);

    SelectObjectsModel again(dimension, type);  // opens on the last answer
    EXPECT_EQ(again.dimension_selection, 1);
    EXPECT_EQ(again.type_selection, 1 + kRiver);
    again.select_dimension(2);
    again.ok();
    EXPECT_EQ(dimension, kDimPolygon);
    EXPECT_EQ(type, -1);
}

}  // namespace
}  // namespace plotwell
