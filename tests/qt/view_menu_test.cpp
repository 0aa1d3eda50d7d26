#include <gtest/gtest.h>

#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>

#include "editor/command_ids.h"
#include "qt/layer_panel.h"
#include "qt/main_window.h"
#include "qt_test_support.h"
#include "support/object_builders.h"

using namespace plotwell;
using namespace plotwell::test;

TEST(ViewMenu, LayerPanelRowsMakeLayersCurrentAndSwitchTheirFlag) {
    WindowFixture f;
    Project& p = f.workspace.project;
    set_field(p.file_base_name, "town");
    p.range = {0, 0, 1000, 600};
    add_layer(p, "roads").display_flags = kLayerShowAlways;
    add_line(add_layer(p, "lakes", kThemeWater), "lake", {{0, 0}, {10, 10}});
    f.window->run_command(cmd::kLayerDown);  // the panel follows a command
    QTreeWidget* tree = f.window->layer_panel()->tree();
    ASSERT_EQ(tree->topLevelItemCount(), 3);
    EXPECT_EQ(tree->currentItem(), tree->topLevelItem(1));
    EXPECT_EQ(tree->topLevelItem(2)->text(qt::LayerPanel::kCountColumn), "1");

    const int name_x = tree->header()->sectionPosition(qt::LayerPanel::kNameColumn) + 4;
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                      QPoint(name_x, tree->visualItemRect(tree->topLevelItem(2)).center().y()));
    EXPECT_EQ(f.workspace.editor.current_layer, 1);
    EXPECT_EQ(tree->currentItem(), tree->topLevelItem(2));

    tree->topLevelItem(1)->setCheckState(qt::LayerPanel::kShownColumn, Qt::Unchecked);
    EXPECT_EQ(p.layers[0].display_flags & kLayerShowAlways, 0);
    EXPECT_EQ(p.modified, 1);
}

TEST(ViewMenu, HoldsTheZoomsThePanelAndTheToggles) {
    WindowFixture f;
    for (int command : {cmd::kZoomIn, cmd::kZoomOut, cmd::kZoomToExtent, cmd::kZoomToSelection,
                        cmd::kLayerPanel, cmd::kShowNames, cmd::kFillPolygons}) {
        QAction* a = f.window->menu_action(command);
        ASSERT_TRUE(a) << command;
        EXPECT_EQ(qobject_cast<QMenu*>(a->parent())->title(), "&View");
    }
    QAction* names = f.window->menu_action(cmd::kShowNames);
    QAction* fill = f.window->menu_action(cmd::kFillPolygons);
    ASSERT_TRUE(names->isCheckable() && fill->isCheckable());
    EXPECT_FALSE(names->isChecked());
    names->trigger();
    EXPECT_TRUE(f.workspace.view.show_names && names->isChecked());
    names->trigger();
    EXPECT_FALSE(f.workspace.view.show_names);

    QAction* panel = f.window->menu_action(cmd::kLayerPanel);
    panel->trigger();
    EXPECT_TRUE(f.window->layer_panel()->isHidden());
    panel->trigger();
    EXPECT_FALSE(f.window->layer_panel()->isHidden());

    for (QAction* a : f.window->tool_bar()->actions()) {
        if (a->isSeparator()) continue;
        EXPECT_FALSE(a->toolTip().isEmpty() || a->toolTip().contains('&')) << a->toolTip().toStdString();
    }
    EXPECT_EQ(f.window->tool_action(cmd::kZoomIn)->toolTip(), "Zoom In");
}
