#include "qt/layer_dialog_views.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "editor/command_ids.h"
#include "model/text.h"
#include "model/vocabulary.h"
#include "qt/dialog_support.h"
#include "qt_test_support.h"
#include "support/object_builders.h"
#include "support/scripted_host.h"
#include "view_test_support.h"

using namespace plotwell;
using namespace plotwell::test;

namespace {

enum { kNew, kDelete, kEdit, kMoveUp, kMoveDown, kDone };

std::vector<std::string> layer_names(const Project& p) {
    std::vector<std::string> out;
    for (int i = 0; i < p.layer_count; ++i) out.emplace_back(field_text(p.layers[i].name));
    return out;
}

// Answers the next "Edit Layer" through its controls; `fill` may also check what it opened with.
void answer_edit_layer(std::function<void(qt::EditLayerView*)> fill, QDialogButtonBox::StandardButton which) {
    when_modal<qt::EditLayerView>([=](qt::EditLayerView* d) {
        fill(d);
        press(*d, which);
    });
}

// Answers the next message box with `which`, keeping what it asked.
void answer_message(QMessageBox::StandardButton which, QString* text, QString* caption) {
    when_modal<QMessageBox>([=](QMessageBox* box) {
        *text = box->text();
        *caption = box->windowTitle();
        box->button(which)->click();
    });
}

struct LayerViewsTest : ::testing::Test {
    void TearDown() override { drop_pending_modal_answers(); }
};

TEST(FixedPitchFont, AsksForTheMonospaceFacesOfTheUsualFontSets) {
    const QFont font = qt::fixed_pitch_font();
    EXPECT_EQ(font.families().mid(0, 4),
              (QStringList{"DejaVu Sans Mono", "Noto Sans Mono", "Noto Mono", "Liberation Mono"}));
    EXPECT_EQ(font.styleHint(), QFont::TypeWriter);
    EXPECT_TRUE(font.fixedPitch());
    EXPECT_EQ(font.pixelSize(), 10);
    // Where one of the named faces is installed, the first of them is what the lists get.
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : font.families().mid(0, 4)) {
        if (!installed.contains(family)) continue;
        EXPECT_EQ(QFontInfo(font).family(), family);
        EXPECT_TRUE(QFontInfo(font).fixedPitch());
        const QFontMetrics metrics(font);
        EXPECT_EQ(metrics.horizontalAdvance("iiii ["), metrics.horizontalAdvance("WWWW ["));
        break;
    }
}

TEST_F(LayerViewsTest, LayersShowsTheTableInColumnsAndHasNoCancel) {
    Workspace ws;
    add_layer(ws.project, "Roads", kThemeRoads);
    add_layer(ws.project, std::string(30, 'w'), kThemeWater);
    ScriptedHost host;
    EditorContext ctx{ws, host};
    LayersModel model(ctx);
    qt::LayersView view(nullptr, host, model);

    EXPECT_EQ(view.windowTitle(), "Layers");
    const QStringList captions = {"&New...", "&Delete...", "&Edit...", "Move &Up", "Move Do&wn", "Done"};
    for (int i = 0; i < captions.size(); ++i) EXPECT_EQ(view.button(i)->text(), captions[i]);
    EXPECT_EQ(view.findChildren<QPushButton*>().size(), captions.size());  // no Cancel among them
    EXPECT_EQ(lines_of(view.layer_list()),
              (QStringList{"Roads                    [ROADS]", QString(30, 'w') + " [WATER]"}));
    // The padded columns line up only when every character is as wide as any other. What the list asks
    // for is checked: a machine without any monospace face gives a proportional one whatever is asked.
    EXPECT_EQ(view.layer_list()->font(), qt::fixed_pitch_font());

    view.show();
    QTest::keyClick(&view, Qt::Key_Escape);
    EXPECT_TRUE(view.isVisible());
    view.close();
    EXPECT_TRUE(view.isVisible());
    view.button(kDone)->click();
    EXPECT_FALSE(view.isVisible());
}

TEST_F(LayerViewsTest, LayersEditsTheProjectTableThroughEditLayerAndTheConfirmation) {
    WindowFixture f;
    Project& project = f.workspace.project;
    Layer& a = add_layer(project, "A", kThemeLand);
    add_line(a, "a", {{0, 0}, {5, 5}});
    Layer& b = add_layer(project, "B", kThemeRoads);
    add_line(b, "b1", {{0, 0}, {5, 5}});
    add_line(b, "b2", {{0, 0}, {5, 5}});
    LayersModel model(f.ctx());
    qt::LayersView view(f.window.get(), f.window->host(), model);
    view.show();
    QListWidget* list = view.layer_list();

    // New: "Edit Layer" opens empty; what OK stores is appended.
    answer_edit_layer(
        [](qt::EditLayerView* d) {
            EXPECT_EQ(d->windowTitle(), "Edit Layer");
            EXPECT_EQ(d->name_edit()->text(), "");
            EXPECT_EQ(d->type_combo()->currentIndex(), 0);
            EXPECT_EQ(d->theme_combo()->currentIndex(), 0);
            d->name_edit()->setText("Rivers");
            d->type_combo()->setCurrentIndex(kMiscTypedObjs);
            d->theme_combo()->setCurrentIndex(kThemeWater);
        },
        QDialogButtonBox::Ok);
    view.button(kNew)->click();
    ASSERT_EQ(project.layer_count, 3);
    EXPECT_EQ(field_text(project.layers[2].name), "Rivers");
    EXPECT_EQ(project.layers[2].type, kMiscTypedObjs);
    EXPECT_EQ(project.layers[2].theme, kThemeWater);
    EXPECT_EQ(list->item(2)->text(), "Rivers                   [WATER]");

    // A cancelled New adds nothing.
    answer_edit_layer([](qt::EditLayerView* d) { d->name_edit()->setText("Gone"); },
                      QDialogButtonBox::Cancel);
    view.button(kNew)->click();
    EXPECT_EQ(project.layer_count, 3);
    EXPECT_EQ(list->count(), 3);

    // A double click on a line edits that layer.
    QString opened_with;
    answer_edit_layer(
        [&](qt::EditLayerView* d) {
            opened_with = d->name_edit()->text();
            d->name_edit()->setText("Land");
        },
        QDialogButtonBox::Ok);
    double_click_line(list, 0);
    EXPECT_EQ(opened_with, "A");
    EXPECT_EQ(layer_names(project), (std::vector<std::string>{"Land", "B", "Rivers"}));
    EXPECT_EQ(list->item(0)->text(), "Land                     [LAND]");

    // "&Edit..." on the selected line; the objects stay where they were.
    list->setCurrentRow(1);
    answer_edit_layer([](qt::EditLayerView* d) { d->theme_combo()->setCurrentIndex(kThemeRailways); },
                      QDialogButtonBox::Ok);
    view.button(kEdit)->click();
    EXPECT_EQ(project.layers[1].theme, kThemeRailways);
    EXPECT_EQ(list->item(1)->text(), "B                        [RAILWAYS]");

    // The moves take the objects along and keep the moved line selected.
    list->setCurrentRow(0);
    view.button(kMoveDown)->click();
    EXPECT_EQ(layer_names(project), (std::vector<std::string>{"B", "Land", "Rivers"}));
    EXPECT_EQ(project.layers[0].object_count, 2);
    EXPECT_EQ(list->currentRow(), 1);
    EXPECT_TRUE(list->item(0)->text().startsWith("B "));
    list->setCurrentRow(2);
    view.button(kMoveUp)->click();
    EXPECT_EQ(layer_names(project), (std::vector<std::string>{"B", "Rivers", "Land"}));
    EXPECT_EQ(list->currentRow(), 1);
    view.button(kMoveUp)->click();
    view.button(kMoveUp)->click();  // already first: nothing
    EXPECT_EQ(layer_names(project), (std::vector<std::string>{"Rivers", "B", "Land"}));

    // Delete asks first: No keeps the layer, Yes removes it with its objects.
    list->setCurrentRow(1);
    QString text, caption;
    answer_message(QMessageBox::No, &text, &caption);
    view.button(kDelete)->click();
    EXPECT_EQ(text, LayersModel::kDeleteQuestion);
    EXPECT_EQ(caption, "Confirm");
    EXPECT_EQ(project.layer_count, 3);
    EXPECT_EQ(list->count(), 3);
    answer_message(QMessageBox::Yes, &text, &caption);
    view.button(kDelete)->click();
    EXPECT_EQ(layer_names(project), (std::vector<std::string>{"Rivers", "Land"}));
    EXPECT_EQ(project.layers[0].object_count, 0);
    EXPECT_EQ(project.layers[1].object_count, 1);
    EXPECT_EQ(lines_of(list),
              (QStringList{"Rivers                   [WATER]", "Land                     [LAND]"}));
    EXPECT_TRUE(model.changed);
}

TEST_F(LayerViewsTest, EditLayerShowsTheEntryAndCancelLeavesIt) {
    Layer layer;
    set_field(layer.name, "Parks");
    layer.type = kSngTypedObjs;
    layer.theme = kThemeParks;
    EditLayerModel model(layer);
    ScriptedHost host;
    qt::EditLayerView view(nullptr, host, model);

    EXPECT_EQ(view.name_edit()->text(), "Parks");
    EXPECT_EQ(view.type_combo()->currentText(), "SNG_TYPED_OBJS");
    EXPECT_EQ(view.type_combo()->count(), kLayerTypeCount);
    EXPECT_EQ(view.theme_combo()->count(), kThemeCount);
    EXPECT_EQ(view.theme_combo()->currentText(), "PARKS");
    // "Internal &Name:" focuses the name; the name holds no more than the record.
    EXPECT_EQ(buddy_of(view, "Internal &Name:"), view.name_edit());
    EXPECT_EQ(buddy_of(view, "Type:"), view.type_combo());
    EXPECT_EQ(buddy_of(view, "Theme:"), view.theme_combo());
    view.name_edit()->clear();
    QTest::keyClicks(view.name_edit(), QString(40, 'n'));
    EXPECT_EQ(view.name_edit()->text(), QString(31, 'n'));

    view.theme_combo()->setCurrentIndex(kThemeRoutes);
    press(view, QDialogButtonBox::Cancel);
    EXPECT_EQ(field_text(layer.name), "Parks");
    EXPECT_EQ(layer.theme, kThemeParks);
}

TEST_F(LayerViewsTest, TheLayersCommandShowsTheViewFromTheMenu) {
    WindowFixture f;
    QAction* edit_layers = nullptr;
    for (QAction* menu : f.window->menuBar()->actions())
        for (QAction* a : menu->menu()->actions())
            if (a->data().toInt() == cmd::kEditLayers) edit_layers = a;
    ASSERT_NE(edit_layers, nullptr);
    EXPECT_EQ(f.ctx().editor.current_layer, -1);

    QString title;
    when_modal<qt::LayersView>([&](qt::LayersView* d) {
        title = d->windowTitle();
        answer_edit_layer([](qt::EditLayerView* e) { e->name_edit()->setText("Roads"); },
                          QDialogButtonBox::Ok);
        d->button(kNew)->click();
        d->button(kDone)->click();
    });
    edit_layers->trigger();
    EXPECT_EQ(title, "Layers");
    EXPECT_EQ(layer_names(f.workspace.project), std::vector<std::string>{"Roads"});
    EXPECT_NE(f.workspace.project.modified, 0);
    EXPECT_EQ(f.ctx().editor.current_layer, 0);  // "Done" made the new layer current
}

}  // namespace
