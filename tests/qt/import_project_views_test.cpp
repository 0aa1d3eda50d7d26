// The project import's views: "Import Plotwell Project" over a real source file, the "Layer
// Translation" it opens through the registry, and "Clone Project".
#include "qt/import_project_views.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <filesystem>

#include "editor/command_ids.h"
#include "model/text.h"
#include "project/project_file.h"
#include "qt/dialog_support.h"
#include "qt/project_dialog_views.h"
#include "qt_test_support.h"
#include "support/object_builders.h"
#include "support/project_file_builders.h"
#include "support/scratch_dir.h"
#include "view_test_support.h"

using namespace plotwell;
using namespace plotwell::test;

namespace {

struct ImportViewTest : ::testing::Test {
    ImportViewTest() {
        add_layer(project, "Streets", kThemeRoads);
        add_layer(project, "Lakes", kThemeWater);
        Project source;
        fill_sample_project(source);  // Roads [ROADS], Water [WATER], Places [PLACES]
        NullProgressSink quiet;
        EXPECT_TRUE(save_project(source, dir.file("source"), quiet));
        clear_import_settings(settings, dir.file("source.mpr"));
        model.open();
    }
    const int* mapping() const { return settings.mapping.destination; }

    ScratchDir dir;
    Project project;
    ImportSettings settings;
    ImportProjectDialog model{project, settings};
    ViewsHost host;
};

const QStringList kMatched = {"0: Roads [ROADS]            0: Streets [ROADS]",
                              "1: Water [WATER]            1: Lakes [WATER]",
                              "2: Places [PLACES]          0: Streets [ROADS]"};

}  // namespace

TEST_F(ImportViewTest, ListsTheSourceLayersAndMatchesOrDeselectsThem) {
    qt::ImportProjectView view(nullptr, host, model);
    EXPECT_EQ(view.windowTitle(), "Import Plotwell Project");
    EXPECT_EQ(view.filename_label()->text(), QString::fromStdString(dir.file("source.mpr")));
    for (const char* caption : {"Filename:", "Source Layer", "Destination Layer", "Coord mapping:", "none"})
        EXPECT_TRUE(label_named(view, caption)) << caption;
    EXPECT_EQ(view.edit_button()->text(), "&Edit...");
    EXPECT_EQ(view.match_button()->text(), "&Match themes");
    EXPECT_EQ(view.deselect_button()->text(), "Deselect &All");
    EXPECT_EQ(view.list()->font(), qt::fixed_pitch_font());
    EXPECT_EQ(lines_of(view.list()), kMatched);

    view.deselect_button()->click();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(mapping()[i], kNoLayer);
        EXPECT_TRUE(view.list()->item(i)->text().endsWith(" None"));
    }
    view.match_button()->click();
    EXPECT_EQ(lines_of(view.list()), kMatched);
    EXPECT_EQ(mapping()[1], 1);

    press(view, QDialogButtonBox::Ok);
    EXPECT_EQ(view.result(), QDialog::Accepted);
    EXPECT_TRUE(model.destination_choices().empty()) << "the choices live only while the dialog is open";
    EXPECT_EQ(mapping()[0], 0);
}

TEST_F(ImportViewTest, EditAndDoubleClickGoThroughLayerTranslation) {
    qt::ImportProjectView view(nullptr, host, model);

    // Without a selected line there is nothing to edit.
    view.edit_button()->click();
    EXPECT_TRUE(host.dialogs.empty());

    view.list()->setCurrentRow(2);
    when_modal<qt::LayerTranslationView>([](qt::LayerTranslationView* d) {
        EXPECT_EQ(d->windowTitle(), "Layer Translation");
        EXPECT_EQ(d->source_label()->text(), "2: Places [PLACES]");
        EXPECT_EQ(buddy_of(*d, "&Dest Layer:"), d->destination_combo());
        EXPECT_EQ(d->destination_combo()->font(), qt::fixed_pitch_font());
        EXPECT_EQ(items_of(d->destination_combo()),
                  (QStringList{"None", "0: Streets [ROADS]", "1: Lakes [WATER]"}));
        EXPECT_EQ(d->destination_combo()->currentIndex(), 1);
        d->destination_combo()->setCurrentIndex(2);
        press(*d, QDialogButtonBox::Ok);
    });
    view.edit_button()->click();
    EXPECT_EQ(mapping()[2], 1);
    EXPECT_EQ(view.list()->item(2)->text(), "2: Places [PLACES]          1: Lakes [WATER]");
    EXPECT_EQ(qt::list_selection(view.list()), 2);

    // Cancel keeps the mapping.
    when_modal<qt::LayerTranslationView>([](qt::LayerTranslationView* d) {
        d->destination_combo()->setCurrentIndex(0);
        press(*d, QDialogButtonBox::Cancel);
    });
    view.edit_button()->click();
    EXPECT_EQ(mapping()[2], 1);

    view.resize(600, 400);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    when_modal<qt::LayerTranslationView>([](qt::LayerTranslationView* d) {
        EXPECT_EQ(d->source_label()->text(), "0: Roads [ROADS]");
        d->destination_combo()->setCurrentIndex(0);  // "None"
        press(*d, QDialogButtonBox::Ok);
    });
    double_click_line(view.list(), 0);
    EXPECT_EQ(mapping()[0], kNoLayer);
    EXPECT_EQ(view.list()->item(0)->text(), "0: Roads [ROADS]            None");
    EXPECT_EQ(host.dialogs.size(), 3u);

    press(view, QDialogButtonBox::Cancel);
    EXPECT_EQ(view.result(), QDialog::Rejected);
    EXPECT_TRUE(model.destination_choices().empty());
}

TEST(CloneProjectView, OkHandsBothFieldsToTheModel) {
    CloneProjectDialog model;
    ScriptedHost host;
    {
        qt::CloneProjectView view(nullptr, host, model);
        EXPECT_EQ(view.windowTitle(), "Clone Project");
        EXPECT_EQ(buddy_of(view, "&Source Project:"), view.source_edit());
        EXPECT_EQ(buddy_of(view, "&New Project:"), view.new_project_edit());
        ASSERT_TRUE(button_named(view, "&Browse..."));
        ASSERT_TRUE(button_named(view, "&File..."));
        QTest::keyClicks(view.source_edit(), "/maps/city.mpr");
        QTest::keyClicks(view.new_project_edit(), "/maps/town");
        host.file_answers = {std::nullopt, "/maps/harbour.mpr"};
        button_named(view, "&Browse...")->click();  // cancelled: no effect on the fields
        EXPECT_EQ(view.source_edit()->text(), "/maps/city.mpr");
        button_named(view, "&File...")->click();
        EXPECT_EQ(view.new_project_edit()->text(), "/maps/harbour.mpr");
        EXPECT_TRUE(host.file_dialogs.back().save);
        view.new_project_edit()->setText("/maps/town");
        press(view, QDialogButtonBox::Ok);
        EXPECT_EQ(view.result(), QDialog::Accepted);
    }
    EXPECT_EQ(model.source_project, "/maps/city.mpr");
    EXPECT_EQ(model.new_project, "/maps/town");

    qt::CloneProjectView again(nullptr, host, model);
    EXPECT_EQ(again.source_edit()->text(), "/maps/city.mpr");
    again.new_project_edit()->setText("elsewhere");
    press(again, QDialogButtonBox::Cancel);
    EXPECT_EQ(model.new_project, "/maps/town");
}

// File > New through the real window: the template chosen in "New Project" and the two names typed
// into "Clone Project" make the clone.
TEST(CloneProjectView, NewFromTheWindowClonesTheTypedSource) {
    ScratchDir dir;
    {
        Project source;
        fill_sample_project(source);
        NullProgressSink quiet;
        ASSERT_TRUE(save_project(source, dir.file("source"), quiet));
        release_project_data(source);
    }
    WindowFixture f;
    const QString old_dir = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(dir.path().string()));
    when_modal<qt::NewProjectView>([](qt::NewProjectView* d) {
        d->choice_button(int(ProjectTemplate::Clone))->click();
        press(*d, QDialogButtonBox::Ok);
    });
    when_modal<qt::CloneProjectView>([](qt::CloneProjectView* d) {
        QTest::keyClicks(d->source_edit(), "source");
        QTest::keyClicks(d->new_project_edit(), "town");
        press(*d, QDialogButtonBox::Ok);
    });
    QString complaint;  // a refused clone says why, and must not hang the test
    when_modal<QMessageBox>([&](QMessageBox* box) {
        complaint = box->text();
        box->accept();
    });
    f.window->run_command(cmd::kNew);
    QDir::setCurrent(old_dir);
    EXPECT_EQ(complaint, "");

    const Project& p = f.workspace.project;
    ASSERT_EQ(p.layer_count, 3);
    EXPECT_EQ(field_text(p.layers[1].name), "Water");
    EXPECT_EQ(p.layers[1].object_count, 0) << "the layer structure only";
    EXPECT_EQ(field_text(p.file_base_name), dir.file("town"));  // made absolute when named
    EXPECT_TRUE(std::filesystem::exists(dir.file("town.mpr")));
}
