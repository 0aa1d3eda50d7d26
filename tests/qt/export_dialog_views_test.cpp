// The export dialog's views driven through their widgets: the pages over the ExportDialog model, the
// command's run through the registry, and the "Layer Properties" and "Map Preferences" sub-dialogs.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <filesystem>

#include "editor/export_command.h"
#include "export/export_dialog.h"
#include "model/text.h"
#include "model/vocabulary.h"
#include "qt/export_dialog_view.h"
#include "qt/export_sub_dialog_views.h"
#include "qt/qt_host.h"
#include "qt/text_codec.h"
#include "qt_test_support.h"
#include "support/export_samples.h"
#include "support/object_builders.h"
#include "support/scratch_dir.h"
#include "support/scripted_host.h"
#include "view_test_support.h"

using namespace plotwell;
using namespace plotwell::test;

namespace {

using Lines = std::vector<std::string>;

struct ExportViews : ::testing::Test {
    ExportViews() {
        fill_harbour_project(project);
        // Two empty layers more, and a publisher notice for the "Misc" page.
        add_layer(project, "Places", kThemePlaces);
        add_layer(project, "Rail", kThemeRailways);
        reset_export_settings(settings, project, "(c) Harbour Maps", "");
        dir.write("map-id.txt", kHarbourMapIds);
        ws.start_dir = dir.path().string();
        set_field(ws.publisher.publisher_notice, "(c) Harbour Maps");
    }

    ExportDialog opened() { return opened_export_dialog(project, settings, map_ids, dir.file("map-id.txt")); }

    ScratchDir dir;
    Workspace ws;
    Project& project = ws.project;
    ViewsHost host;
    ExportSettings& settings = ws.export_settings;
    MapIdTable& map_ids = ws.map_ids;
    EditorContext ctx{ws, host};
};

}  // namespace

TEST_F(ExportViews, PagesShowTheSettingsWithTheirControls) {
    settings.map_class = kMapClassMedium;
    ExportDialog model = opened();
    qt::ExportDialogView v(nullptr, host, model);

    EXPECT_EQ(v.windowTitle(), "Export - Trekpad Plus/Max");
    ASSERT_EQ(v.tabs()->count(), 4);
    EXPECT_EQ(v.tabs()->tabText(0), "ID");
    EXPECT_EQ(v.tabs()->tabText(3), "Misc");
    EXPECT_EQ(v.tabs()->currentIndex(), kExportTabId);
    EXPECT_EQ(v.export_button()->text(), "Export");

    // "ID": the project's name and the IDs from the table; each label's mnemonic reaches its field.
    EXPECT_EQ(v.map_name_edit()->text(), "Harbour");
    EXPECT_EQ(v.map_id_edit()->text(), "42");
    EXPECT_EQ(v.parent_id_edit()->text(), "0");
    const QWidget& id_page = *v.tabs()->widget(kExportTabId);
    EXPECT_EQ(buddy_of(id_page, "Map &Name:"), v.map_name_edit());
    EXPECT_EQ(buddy_of(id_page, "Map &ID:"), v.map_id_edit());
    EXPECT_EQ(buddy_of(id_page, "Pa&rent ID:"), v.parent_id_edit());

    // Layer lists line their columns up.
    EXPECT_EQ(lines_of(v.visible_list()), (QStringList{"0: Roads [ROADS]", "1: Water [WATER]",
                                                       "2: Places [PLACES]", "3: Rail [RAILWAYS]"}));
    EXPECT_EQ(v.ignored_list()->count(), 0);
    EXPECT_TRUE(v.visible_list()->font().fixedPitch());
    EXPECT_TRUE(v.ignored_list()->font().fixedPitch());
    EXPECT_TRUE(v.source_layer_combo()->font().fixedPitch());

    // No region level yet: its row is not shown.
    EXPECT_TRUE(v.level_name_edit()->isHidden());
    EXPECT_TRUE(v.source_layer_combo()->isHidden());

    // "Misc": publisher on (there is a notice), notes always off, the dormant controls.
    EXPECT_TRUE(v.publisher_box()->isChecked());
    EXPECT_FALSE(v.map_notes_box()->isChecked());
    EXPECT_TRUE(v.selection_only_box()->isHidden());
    EXPECT_TRUE(v.category_theme_edit()->isReadOnly());
    EXPECT_TRUE(v.category_theme_edit()->text().isEmpty());
    EXPECT_EQ(v.map_class_combo()->currentText(), "Medium (max 256K)");
}

TEST_F(ExportViews, AnEmptyMapNameIsRefusedOnTheIdPageAndNothingIsExported) {
    const std::string out = dir.file("harbour.pdb");
    host.file_answers.push_back(out);
    bool answered = false;
    when_modal<qt::ExportDialogView>([&](qt::ExportDialogView* v) {
        answered = true;
        v->map_name_edit()->clear();
        v->tabs()->setCurrentIndex(kExportTabMisc);
        v->export_button()->click();
        EXPECT_TRUE(v->isVisible());
        EXPECT_EQ(v->tabs()->currentIndex(), kExportTabId);
        EXPECT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.last_message(), "You need to provide a map name.");
        if (!host.messages.empty()) {
            EXPECT_EQ(host.messages.back().caption, "Error");
        }
        EXPECT_EQ(host.progress_runs, 0);
        v->reject();
    });
    EXPECT_EQ(export_map_command(ctx), Outcome::Cancelled);
    EXPECT_TRUE(answered);
    EXPECT_EQ(host.progress_runs, 0);
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(ExportViews, TheVisibleLayerOrderSurvivesToTheNextOpening) {
    const std::string out = dir.file("harbour.pdb");
    host.file_answers = {out, out};
    when_modal<qt::ExportDialogView>([&](qt::ExportDialogView* v) {
        v->tabs()->setCurrentIndex(kExportTabLayers);
        while (v->visible_list()->count() > 0) {
            v->visible_list()->setCurrentRow(0);
            v->remove_button()->click();
        }
        // Places, Roads, Rail: the picks come from rows 2, 0 and 1 of what is left.
        for (int row : {2, 0, 1}) {
            v->ignored_list()->setCurrentRow(row);
            v->add_button()->click();
        }
        v->export_button()->click();
    });
    EXPECT_EQ(export_map_command(ctx), Outcome::Ok);
    EXPECT_EQ(host.progress_runs, 1);
    EXPECT_TRUE(std::filesystem::exists(out));

    QStringList visible, ignored;
    when_modal<qt::ExportDialogView>([&](qt::ExportDialogView* v) {
        visible = lines_of(v->visible_list());
        ignored = lines_of(v->ignored_list());
        // A change that is cancelled is not kept.
        v->visible_list()->setCurrentRow(0);
        v->remove_button()->click();
        v->reject();
    });
    EXPECT_EQ(export_map_command(ctx), Outcome::Cancelled);
    EXPECT_EQ(visible, (QStringList{"2: Places [PLACES]", "0: Roads [ROADS]", "3: Rail [RAILWAYS]"}));
    EXPECT_EQ(ignored, (QStringList{"1: Water [WATER]"}));
    ASSERT_EQ(settings.visible_layer_count, 3);
    EXPECT_EQ(settings.visible_layers[0], 2);
    EXPECT_EQ(settings.visible_layers[1], 0);
    EXPECT_EQ(settings.visible_layers[2], 3);
}

TEST_F(ExportViews, AddAndRemoveMoveTheSelectedLineToTheEndOfTheOtherList) {
    ExportDialog model = opened();
    qt::ExportDialogView v(nullptr, host, model);

    v.visible_list()->setCurrentRow(1);
    v.remove_button()->click();
    v.visible_list()->setCurrentRow(0);
    v.remove_button()->click();
    EXPECT_EQ(lines_of(v.ignored_list()), (QStringList{"1: Water [WATER]", "0: Roads [ROADS]"}));
    EXPECT_EQ(lines_of(v.visible_list()), (QStringList{"2: Places [PLACES]", "3: Rail [RAILWAYS]"}));

    v.ignored_list()->setCurrentRow(1);
    v.add_button()->click();
    EXPECT_EQ(lines_of(v.ignored_list()), (QStringList{"1: Water [WATER]"}));
    EXPECT_EQ(lines_of(v.visible_list()),
              (QStringList{"2: Places [PLACES]", "3: Rail [RAILWAYS]", "0: Roads [ROADS]"}));

    // Without a selection neither button moves anything.
    v.add_button()->click();
    v.remove_button()->click();
    EXPECT_EQ(v.ignored_list()->count(), 1);
    EXPECT_EQ(v.visible_list()->count(), 3);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(ExportViews, LayerPropertiesFromTheLayersPageStoreIntoTheSettingsOnOkOnly) {
    ExportDialog model = opened();
    qt::ExportDialogView v(nullptr, host, model);
    v.show();
    v.tabs()->setCurrentIndex(kExportTabLayers);
    QApplication::processEvents();

    // A double click on Water shows its values; Cancel keeps them.
    int shown_category = -1;
    when_modal<qt::LayerPropertiesView>([&](qt::LayerPropertiesView* d) {
        shown_category = d->zoom_category_combo()->currentIndex();
        d->zoom_category_combo()->setCurrentIndex(7);
        press(*d, QDialogButtonBox::Cancel);
    });
    QListWidget* list = v.visible_list();
    double_click_line(list, 1);
    EXPECT_EQ(shown_category, 3);  // "Water"
    EXPECT_EQ(settings.layer_props[1].min_zoom_category, 3);

    // "Properties.." on Rail, OK.
    when_modal<qt::LayerPropertiesView>([&](qt::LayerPropertiesView* d) {
        EXPECT_EQ(d->windowTitle(), "Layer Properties");
        EXPECT_EQ(d->tree_depth_combo()->currentText(), "5");
        d->zoom_category_combo()->setCurrentIndex(1);
        d->tree_depth_combo()->setCurrentIndex(0);
        d->cache_searches_box()->setChecked(true);
        press(*d, QDialogButtonBox::Ok);
    });
    list->setCurrentRow(3);
    v.properties_button()->click();
    EXPECT_EQ(host.dialogs, (Lines{"Layer Properties", "Layer Properties"}));
    EXPECT_EQ(settings.layer_props[3].min_zoom_category, 1);
    EXPECT_EQ(settings.layer_props[3].single_list, 1);
    EXPECT_EQ(settings.layer_props[3].cache_searches, 1);
}

TEST_F(ExportViews, MiscPageStoresItsBoxesAndMapPreferences) {
    ExportDialog model = opened();
    qt::ExportDialogView v(nullptr, host, model);
    v.tabs()->setCurrentIndex(kExportTabMisc);

    when_modal<qt::MapPreferencesView>([&](qt::MapPreferencesView* d) {
        EXPECT_TRUE(d->point_features_box()->isChecked());  // the default auto detail
        EXPECT_FALSE(d->position_x_edit()->isEnabled());
        EXPECT_FALSE(d->current_center_button()->isEnabled());
        d->initial_zoom_combo()->setCurrentIndex(2);
        d->group_zoom_combo(3)->setCurrentIndex(3);
        d->names_zoom_combo()->setCurrentIndex(0);  // "Never"
        d->add_zoom_combo()->setCurrentIndex(1);
        d->roads_box()->setChecked(true);
        d->point_features_box()->setChecked(false);
        press(*d, QDialogButtonBox::Ok);
    });
    v.details_button()->click();
    EXPECT_EQ(settings.preferences.initial_zoom, 2);
    EXPECT_EQ(settings.preferences.group_zoom[3], 3);
    EXPECT_EQ(settings.preferences.names_zoom, kNamesZoomNever);
    EXPECT_EQ(settings.preferences.auto_detail, 1 | kAutoDetailRoads);

    when_modal<qt::MapPreferencesView>([&](qt::MapPreferencesView* d) {
        EXPECT_EQ(d->initial_zoom_combo()->currentText(), "x4");
        d->initial_zoom_combo()->setCurrentIndex(4);
        press(*d, QDialogButtonBox::Cancel);
    });
    v.details_button()->click();
    EXPECT_EQ(settings.preferences.initial_zoom, 2);

    v.map_notes_box()->setChecked(true);
    v.publisher_box()->setChecked(false);
    v.preferences_box()->setChecked(true);
    v.map_class_combo()->setCurrentIndex(0);
    v.export_button()->click();
    EXPECT_EQ(v.result(), QDialog::Accepted);
    EXPECT_EQ(settings.flags, kExportMapNotes);
    EXPECT_EQ(settings.has_map_preferences, 1);
    EXPECT_EQ(settings.map_class, kMapClassSmall);
}

TEST_F(ExportViews, MoreAndFewerRegionsShowTheRowAndAnUnnamedLevelIsRefused) {
    {
        ExportDialog model = opened();
        qt::ExportDialogView v(nullptr, host, model);
        v.tabs()->setCurrentIndex(kExportTabRegions);
        v.more_button()->click();
        EXPECT_FALSE(v.level_name_edit()->isHidden());
        EXPECT_FALSE(v.source_layer_combo()->isHidden());
        EXPECT_EQ(v.source_layer_combo()->count(), 4);

        v.more_button()->click();
        EXPECT_EQ(host.last_message(), "Maximum Region Levels reached.");

        v.tabs()->setCurrentIndex(kExportTabId);
        v.export_button()->click();
        EXPECT_EQ(host.last_message(), "You need to supply names for the region level(s)");
        EXPECT_EQ(v.tabs()->currentIndex(), kExportTabRegions);
        EXPECT_NE(v.result(), QDialog::Accepted);

        QTest::keyClicks(v.level_name_edit(), "Suburbs");
        v.source_layer_combo()->setCurrentIndex(1);
        v.export_button()->click();
        EXPECT_EQ(v.result(), QDialog::Accepted);
        EXPECT_EQ(settings.region_level_count, 1);
        EXPECT_EQ(field_text(settings.region_level_name), "Suburbs");
        EXPECT_EQ(settings.region_source_layer, 1);
    }
    ExportDialog model = opened();
    qt::ExportDialogView v(nullptr, host, model);
    EXPECT_EQ(v.level_name_edit()->text(), "Suburbs");
    EXPECT_FALSE(v.level_name_edit()->isHidden());
    v.fewer_button()->click();
    EXPECT_TRUE(v.level_name_edit()->isHidden());
    EXPECT_TRUE(v.source_layer_combo()->isHidden());
    v.export_button()->click();
    EXPECT_EQ(v.result(), QDialog::Accepted);
    EXPECT_EQ(settings.region_level_count, 0);
}
