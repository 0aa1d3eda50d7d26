#include "qt/selection_dialog_views.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>

#include "editor/command_ids.h"
#include "editor/editor_state.h"
#include "model/vocabulary.h"
#include "qt_test_support.h"
#include "support/object_builders.h"
#include "support/scripted_host.h"
#include "view_test_support.h"

using namespace plotwell;
using namespace plotwell::test;

namespace {

struct SelectionViewsTest : ::testing::Test {
    void TearDown() override { drop_pending_modal_answers(); }
    ScriptedHost host;
};

TEST_F(SelectionViewsTest, GroupPropertiesStoresTheChosenType) {
    uint8_t type = kRoad3;
    GroupPropertiesModel lines(kDimLine, type);
    qt::GroupPropertiesView view(nullptr, host, lines);
    EXPECT_EQ(view.windowTitle(), "Group Object Properties");
    EXPECT_EQ(view.dimension_label()->text(), "LINE");
    ASSERT_EQ(view.type_combo()->count(), kLineTypeCount);
    EXPECT_EQ(view.type_combo()->currentIndex(), kRoad3);
    EXPECT_EQ(view.type_combo()->itemText(kRiver), kLineTypeNames[kRiver]);
    view.type_combo()->setCurrentIndex(kRiver);
    press(view, QDialogButtonBox::Ok);
    EXPECT_EQ(view.result(), QDialog::Accepted);
    EXPECT_EQ(type, kRiver);

    uint8_t area = kLandArea;
    GroupPropertiesModel polygons(kDimPolygon, area);
    qt::GroupPropertiesView cancelled(nullptr, host, polygons);
    EXPECT_EQ(cancelled.dimension_label()->text(), "POLYGON");
    EXPECT_EQ(cancelled.type_combo()->count(), kPolygonTypeCount);
    cancelled.type_combo()->setCurrentIndex(kBuilding);
    press(cancelled, QDialogButtonBox::Cancel);
    EXPECT_EQ(area, kLandArea);
}

TEST_F(SelectionViewsTest, SelectObjectsReturnsTheDimensionAndTheType) {
    uint8_t dimension = kDimPoint;
    int type = -1;
    SelectObjectsModel model(dimension, type);
    qt::SelectObjectsView view(nullptr, host, model);
    EXPECT_EQ(view.windowTitle(), "Select Objects");
    EXPECT_EQ(items_of(view.dimension_combo()), (QStringList{"POINT", "LINE", "POLYGON"}));
    EXPECT_EQ(buddy_of(view, "All objects of &Dim:"), view.dimension_combo());
    EXPECT_EQ(buddy_of(view, "&Type:"), view.type_combo());

    // Choosing another dimension lists its types behind the entry for any type.
    view.dimension_combo()->setCurrentIndex(kDimPolygon);
    ASSERT_EQ(view.type_combo()->count(), 1 + kPolygonTypeCount);
    EXPECT_EQ(view.type_combo()->itemText(0), "<any type>");
    EXPECT_EQ(view.type_combo()->itemText(1 + kBuilding), kPolygonTypeNames[kBuilding]);
    view.type_combo()->setCurrentIndex(1 + kBuilding);
    press(view, QDialogButtonBox::Ok);
    EXPECT_EQ(dimension, kDimPolygon);
    EXPECT_EQ(type, int(kBuilding));

    // Opened again on that answer; a line of any type.
    SelectObjectsModel again(dimension, type);
    qt::SelectObjectsView second(nullptr, host, again);
    EXPECT_EQ(second.dimension_combo()->currentIndex(), kDimPolygon);
    EXPECT_EQ(second.type_combo()->currentIndex(), 1 + kBuilding);
    second.dimension_combo()->setCurrentIndex(kDimLine);
    EXPECT_EQ(second.type_combo()->currentIndex(), 0);
    press(second, QDialogButtonBox::Ok);
    EXPECT_EQ(dimension, kDimLine);
    EXPECT_EQ(type, -1);
}

// The editor reaches both views through the program's registry.
TEST_F(SelectionViewsTest, TheEditorShowsBothFromTheMainWindow) {
    WindowFixture f;
    Layer& layer = add_layer(f.workspace.project, "Roads");
    MapObject* a = add_line(layer, "a", {{0, 0}, {9, 9}}, kDimLine, kRoad3);
    MapObject* b = add_line(layer, "b", {{0, 0}, {9, 9}}, kDimLine, kRoad4);
    add_point(layer, "p", {1, 1});
    set_current_layer(f.ctx().editor, 0);
    f.ctx().editor.current_objects = {a, b};

    when_modal<qt::GroupPropertiesView>([](qt::GroupPropertiesView* d) {
        EXPECT_EQ(d->type_combo()->currentIndex(), kRoad3);  // the first current object's
        d->type_combo()->setCurrentIndex(kHighway);
        press(*d, QDialogButtonBox::Ok);
    });
    f.window->run_command(cmd::kProperties);
    EXPECT_EQ(a->type, kHighway);
    EXPECT_EQ(b->type, kHighway);

    b->type = kFreeway;
    f.ctx().editor.current_objects.clear();
    when_modal<qt::SelectObjectsView>([](qt::SelectObjectsView* d) {
        d->dimension_combo()->setCurrentIndex(kDimLine);
        d->type_combo()->setCurrentIndex(1 + kFreeway);
        press(*d, QDialogButtonBox::Ok);
    });
    f.window->run_command(cmd::kSelectByType);
    EXPECT_EQ(f.ctx().editor.current_objects, std::vector<MapObject*>{b});
}

}  // namespace
