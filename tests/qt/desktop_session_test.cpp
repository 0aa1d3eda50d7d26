// A whole working session in the desktop program, started as the program starts and driven as a user
// drives it: the menus, the toolbar, the mouse and keys on the map, and every dialog through its
// widgets. It ends in a map database that the command-line checker accepts.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <algorithm>

#include "editor/command_ids.h"
#include "model/text.h"
#include "model/vocabulary.h"
#include "qt/export_dialog_view.h"
#include "qt/layer_dialog_views.h"
#include "qt/object_details_view.h"
#include "qt/program.h"
#include "qt/progress_dialog.h"
#include "qt/project_dialog_views.h"
#include "qt/shapefile_import_pages.h"
#include "qt/shapefile_import_view.h"
#include "qt_test_support.h"
#include "support/object_builders.h"
#include "support/run_tool.h"
#include "support/scratch_dir.h"
#include "support/shapefile_writer.h"
#include "view_test_support.h"

using namespace plotwell;
using namespace plotwell::test;

namespace {

QAction* menu_entry(QMenu* menu, int command) {
    for (QAction* a : menu->actions()) {
        if (a->menu()) {
            if (QAction* found = menu_entry(a->menu(), command)) return found;
        } else if (!a->isSeparator() && a->data().toInt() == command) {
            return a;
        }
    }
    return nullptr;
}

// Presses "OK" on every progress dialog once its task offers it, and keeps each dialog's log.
class ProgressAnswers : public QObject {
  public:
    ProgressAnswers() { qApp->installEventFilter(this); }
    ~ProgressAnswers() override { qApp->removeEventFilter(this); }
    QStringList logs;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* d = qobject_cast<qt::ProgressDialog*>(watched);
        if (d && event->type() == QEvent::Show && !seen_.contains(d)) {
            seen_.push_back(d);
            press_ok_when_offered(d);
            connect(d, &QDialog::finished, this, [this, d]() { logs << d->log_view()->toPlainText(); });
        }
        return false;
    }

  private:
    QList<QObject*> seen_;
};

struct DesktopSession : ::testing::Test {
    DesktopSession() {
        QFile::copy(QString(PLOTWELL_SOURCE_DIR) + "/data/categories.tpc",
                    QString::fromStdString(dir.file("categories.tpc")));
        dir.write("map-id.txt", "harbour\t42\n");
        QDir::setCurrent(QString::fromStdString(dir.path().string()));
        const std::string argv0 = dir.file("plotwell");
        const char* argv[] = {argv0.c_str()};
        program = qt::start_program(1, argv, dir.path().string());
    }
    ~DesktopSession() override {
        drop_pending_modal_answers();
        program.reset();
        QDir::setCurrent(start_dir);
    }

    qt::MainWindow& window() { return *program->window; }
    Workspace& ws() { return program->workspace; }
    QWidget* map() { return window().map_widget(); }

    // Clicks the menu entry of a command.
    void menu(int command) {
        QAction* entry = nullptr;
        for (QAction* top : window().menuBar()->actions())
            if (!entry && top->menu()) entry = menu_entry(top->menu(), command);
        ASSERT_NE(entry, nullptr) << "no menu entry for command " << command;
        ASSERT_TRUE(entry->isEnabled()) << entry->text().toStdString();
        entry->trigger();
    }
    // A left click on the map area at a point of the widget, the pointer moved there first.
    void click_map(QPoint at) {
        QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(map()->mapToGlobal(at)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(map(), &move);
        QTest::mouseClick(map(), Qt::LeftButton, Qt::NoModifier, at);
    }
    // "Edit Layer" answered with a name and a theme.
    static void answer_edit_layer(const QString& name, int theme) {
        when_modal<qt::EditLayerView>([name, theme](qt::EditLayerView* e) {
            e->name_edit()->setText(name);
            e->theme_combo()->setCurrentIndex(theme);
            e->accept();
        });
    }

    const QString start_dir = QDir::currentPath();
    ScratchDir dir;
    std::unique_ptr<qt::Program> program;
    ProgressAnswers progress;
};

TEST_F(DesktopSession, NewLayersImportDrawPropertiesSaveAndExport) {
    ASSERT_TRUE(program);
    const std::string project_file = dir.file("harbour.mpr");

    // File > New: an empty decimal-degree project, its file name, then its layers.
    bool layers_shown = false;
    when_modal<QDialog>([&](QDialog* d) {
        EXPECT_EQ(d->windowTitle(), "New Project");
        QAbstractButton* empty = button_named(*d, "&Empty project. Decimal degrees coordinate system.");
        ASSERT_NE(empty, nullptr);
        QTest::mouseClick(empty, Qt::LeftButton);
        choose_file(project_file);
        when_modal<qt::LayersView>([&](qt::LayersView* v) {
            layers_shown = true;
            answer_edit_layer("roads", kThemeRoads);
            v->button(0)->click();
            answer_edit_layer("water", kThemeWater);
            v->button(0)->click();
            EXPECT_EQ(v->layer_list()->count(), 2);
            v->button(5)->click();  // "Done"
        });
        QMetaObject::invokeMethod(d, "accept");
    });
    menu(cmd::kNew);
    ASSERT_TRUE(layers_shown);
    ASSERT_EQ(ws().project.layer_count, 2);
    EXPECT_EQ(ws().project.coord_sys, kCoordDegrees);
    EXPECT_EQ(field_text(ws().project.layers[1].name), "water");
    EXPECT_EQ(window().windowTitle(), "Plotwell - harbour *");

    // File > Import > from ShapeFile: three streets into "roads", named from their NAME field.
    ShapefileData streets;
    streets.shape_type = 3;
    streets.fields = {{"NAME", 'C', 20}};
    for (int i = 0; i < 3; ++i) {
        const double y = 47.50 + i * 0.01;
        streets.records.push_back(
            line_record({{8.50, y}, {8.55, y + 0.005}, {8.60, y}}, {"QUAY " + std::to_string(i)}));
    }
    ASSERT_TRUE(write_shapefile(dir.file("streets"), streets));
    choose_file(dir.file("streets.shp"));
    when_modal<qt::ShapefileImportView>([](qt::ShapefileImportView* v) {
        EXPECT_EQ(v->dimension_edit()->text(), "Line");
        select_line(v->name_page()->fields()->remaining_list(), "NAME");
        QTest::mouseClick(v->name_page()->fields()->add_button(), Qt::LeftButton);
        v->accept();
    });
    menu(cmd::kImportShapefile);
    ASSERT_EQ(ws().project.layers[0].object_count, 3);
    EXPECT_EQ(field_text(ws().project.layers[0].objects->name), "Quay 2");
    ASSERT_FALSE(progress.logs.isEmpty());
    EXPECT_TRUE(progress.logs.back().contains("Shapefile successfully imported."))
        << progress.logs.back().toStdString();

    // Draw a line with the toolbar's line tool, three clicks and Enter, confirmed in "Line Details".
    window().tool_action(cmd::kNewLine)->trigger();
    const QSize size = map()->size();
    const QPoint a(size.width() / 4, size.height() / 3), b(size.width() / 2, size.height() / 2),
        c(size.width() * 3 / 4, size.height() / 3);
    for (QPoint at : {a, b, c}) click_map(at);
    bool details_shown = false;
    when_modal<qt::ObjectDetailsView>([&](qt::ObjectDetailsView* v) {
        details_shown = true;
        EXPECT_EQ(v->windowTitle(), "Line Details");
        v->name_edit()->setText("Harbour Road");
        v->accept();
    });
    QTest::keyClick(map(), Qt::Key_Return);
    ASSERT_TRUE(details_shown);
    ASSERT_EQ(ws().project.layers[0].object_count, 4);
    MapObject* road = ws().project.layers[0].objects;
    EXPECT_EQ(field_text(road->name), "Harbour Road");
    EXPECT_EQ(object_point_count(road), 3);

    // Select it with the select tool and change its type through Object > Properties.
    window().tool_action(cmd::kSelectTool)->trigger();
    click_map((a + b) / 2);
    ASSERT_EQ(ws().editor.current_objects, std::vector<MapObject*>{road});
    int chosen_type = -1;
    when_modal<qt::ObjectDetailsView>([&](qt::ObjectDetailsView* v) {
        EXPECT_EQ(v->name_edit()->text(), "Harbour Road");
        chosen_type = v->type_list()->count() - 1;
        v->type_list()->setCurrentIndex(chosen_type);
        v->accept();
    });
    menu(cmd::kProperties);
    ASSERT_GE(chosen_type, 0);
    EXPECT_EQ(road->type, chosen_type);

    // File > Properties: the project's name.
    when_modal<qt::ProjectPropertiesView>([](qt::ProjectPropertiesView* v) {
        EXPECT_FALSE(v->coord_sys_edit()->text().isEmpty());
        v->name_edit()->setText("Harbour Town");
        v->accept();
    });
    menu(cmd::kProjectProperties);
    EXPECT_EQ(field_text(ws().project.name), "Harbour Town");

    // File > Save.
    menu(cmd::kSave);
    EXPECT_EQ(ws().project.modified, 0);
    EXPECT_EQ(window().windowTitle(), "Plotwell - harbour");
    EXPECT_TRUE(QFile::exists(QString::fromStdString(project_file)));

    // File > Export > to Trekpad Plus/Max: the file name, then the dialog: a map name, both layers visible,
    // Export.
    const std::string out = dir.file("HARBOUR.pdb");
    choose_file(out);
    when_modal<qt::ExportDialogView>([](qt::ExportDialogView* v) {
        EXPECT_EQ(v->map_id_edit()->text(), "42");
        v->map_name_edit()->setText("Harbour");
        v->tabs()->setCurrentIndex(kExportTabLayers);
        while (v->ignored_list()->count() > 0) {
            v->ignored_list()->setCurrentRow(0);
            v->add_button()->click();
        }
        EXPECT_EQ(v->visible_list()->count(), 2);
        v->export_button()->click();
    });
    menu(cmd::kExport);
    ASSERT_TRUE(QFile::exists(QString::fromStdString(out)));
    EXPECT_TRUE(progress.logs.back().contains("PDB file successfully created!"))
        << progress.logs.back().toStdString();

    // The checker decodes every object; the drawn road and the imported streets are there by name.
    const ToolRun check = run_tool({"inspect", out, "--dump"});
    EXPECT_EQ(check.status, 0) << check.out << check.err;
    for (const char* name : {"Harbour Road", "Quay 0", "Quay 1", "Quay 2"})
        EXPECT_NE(check.out.find(name), std::string::npos) << name;
}

}  // namespace

TEST_F(DesktopSession, SaveAsFromTheFileMenuRenamesTheProjectAndListsItAsRecent) {
    ASSERT_TRUE(program);
    set_field(ws().project.file_base_name, dir.file("harbour"));
    add_line(add_layer(ws().project, "Roads"), "Quay", {{0, 0}, {10, 0}});
    ws().project.modified = 1;
    const std::string copy = dir.file("copy.mpr");
    choose_file(copy);
    menu(cmd::kSaveAs);
    ASSERT_TRUE(QFile::exists(QString::fromStdString(copy)));
    EXPECT_EQ(window().windowTitle(), "Plotwell - copy");
    QAction* recent = nullptr;
    for (QAction* top : window().menuBar()->actions())
        if (!recent && top->menu()) recent = menu_entry(top->menu(), cmd::kRecentProject);
    ASSERT_NE(recent, nullptr);
    EXPECT_EQ(recent->text(), "&1 " + QString::fromStdString(copy));

    // Ctrl+Shift+S on the map, onto a file that is there: No keeps the project's name and that file.
    const std::string other = dir.write("other.mpr", std::string_view("not ours"));
    choose_file(other);
    when_modal<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::No)->click(); });
    QTest::keyClick(map(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(window().windowTitle(), "Plotwell - copy");
    EXPECT_EQ(QFileInfo(QString::fromStdString(other)).size(), 8);
}
