// The "Import ShapeFile" view driven through its widgets: the pages by shape type, OK that stays at the
// failing page, a whole import through the main window, and "Stop" on the progress dialog.
#include "qt/shapefile_import_view.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <map>
#include <set>

#include "editor/command_ids.h"
#include "editor/shapefile_import_command.h"
#include "model/object_storage.h"
#include "model/text.h"
#include "model/vocabulary.h"
#include "project/project_file.h"
#include "qt/dialog_support.h"
#include "qt/progress_dialog.h"
#include "qt_test_support.h"
#include "support/object_builders.h"
#include "support/recording_sink.h"
#include "support/scratch_dir.h"
#include "support/scripted_host.h"
#include "support/shapefile_samples.h"
#include "support/shapefile_writer.h"
#include "view_test_support.h"

using namespace plotwell;
using namespace plotwell::test;

namespace {

bool page_shown(qt::ShapefileImportView& view, QWidget* page) {
    return page->isVisibleTo(&view);
}

// Captions of the labels, buttons and group boxes on a page, split by whether the page shows them.
std::pair<std::set<QString>, std::multiset<QString>> captions(QWidget* page) {
    std::set<QString> shown;
    std::multiset<QString> hidden;
    auto note = [&](QWidget* w, const QString& text) {
        if (w->isVisibleTo(page))
            shown.insert(text);
        else
            hidden.insert(text);
    };
    for (auto* w : page->findChildren<QLabel*>()) note(w, w->text());
    for (auto* w : page->findChildren<QAbstractButton*>()) note(w, w->text());
    for (auto* w : page->findChildren<QGroupBox*>()) note(w, w->title());
    return {shown, hidden};
}

struct ImportView : ::testing::Test {
    ImportView() {
        set_field(project.file_base_name, "city");
        project.coord_sys = kCoordDegrees;
        project.range = {0, 0, 1000, 1000};
        add_layer(project, "Roads", kThemeRoads);
        add_layer(project, "Water", kThemeWater);
    }
    ~ImportView() override { close_shapefile(reader); }

    qt::ShapefileImportView& open(const ShapefileData& data, int current_layer = 1) {
        const std::string base = dir.file("roads");
        EXPECT_TRUE(write_shapefile(base, data));
        EXPECT_TRUE(open_shapefile(reader, base).ok);
        settings.base_path = base;
        model = std::make_unique<ImportShapefileDialog>(project, reader, settings);
        model->open(current_layer);
        view = std::make_unique<qt::ShapefileImportView>(nullptr, host, *model);
        return *view;
    }

    ScratchDir dir;
    Project project;
    ShapefileReader reader;
    ShapeImportSettings settings;
    ScriptedHost host;
    std::unique_ptr<ImportShapefileDialog> model;
    std::unique_ptr<qt::ShapefileImportView> view;
};

}  // namespace

TEST_F(ImportView, APolyLineFileShowsLineALinkingTabAndTwelveTypes) {
    qt::ShapefileImportView& v = open(sample_road_segments(2, 2));
    EXPECT_EQ(v.windowTitle(), "Import ShapeFile");
    EXPECT_EQ(v.filename_edit()->text(), QString::fromStdString(dir.file("roads")));
    EXPECT_TRUE(v.filename_edit()->isReadOnly());
    EXPECT_EQ(v.dimension_edit()->text(), "Line");
    ASSERT_EQ(v.layer_combo()->count(), 2);
    EXPECT_EQ(v.layer_combo()->currentIndex(), 1);
    EXPECT_TRUE(v.layer_combo()->itemText(1).startsWith("1: Water"));
    EXPECT_EQ(v.layer_combo()->font(), qt::fixed_pitch_font());  // the request: faces differ by machine

    QStringList tabs;
    for (int i = 0; i < v.tab_bar()->count(); ++i) tabs << v.tab_bar()->tabText(i);
    EXPECT_EQ(tabs, (QStringList{"Name", "Type", "Filter", "Coordinates", "Linking"}));
    QComboBox* types = v.type_page()->type_combo();
    ASSERT_EQ(types->count(), 12);
    EXPECT_EQ(types->itemText(6), "RIVER");

    // Tab 4 shows the Linking page and nothing else; its choice reaches the settings at OK.
    EXPECT_TRUE(page_shown(v, v.name_page()));
    v.tab_bar()->setCurrentIndex(4);
    EXPECT_TRUE(page_shown(v, v.linking_page()));
    EXPECT_FALSE(page_shown(v, v.name_page()));
    EXPECT_FALSE(page_shown(v, v.points_page()));
    qt::FieldChoiceBox* links = v.linking_page()->fields();
    ASSERT_EQ(links->remaining_list()->count(), 3);
    select_line(links->remaining_list(), "ROAD_ID");
    QTest::mouseClick(links->add_button(), Qt::LeftButton);
    EXPECT_EQ(links->chosen_list()->item(0)->text(), "ROAD_ID");
    EXPECT_EQ(links->remaining_list()->count(), 2);

    select_line(v.name_page()->fields()->remaining_list(), "NAME");
    QTest::mouseClick(v.name_page()->fields()->add_button(), Qt::LeftButton);
    types->setCurrentIndex(6);
    v.layer_combo()->setCurrentIndex(0);
    press(v, QDialogButtonBox::Ok);
    EXPECT_EQ(v.result(), QDialog::Accepted);
    EXPECT_EQ(settings.link_fields.count, 1);
    EXPECT_EQ(settings.link_fields.indices[0], find_field(reader, "ROAD_ID"));
    EXPECT_EQ(settings.default_type, 6);
    EXPECT_EQ(settings.dest_layer, 0);
}

TEST_F(ImportView, EveryPageCarriesItsCaptionsAndOnlyControlsWithoutASettingStayHidden) {
    qt::ShapefileImportView& v = open(sample_streets(1));
    using Set = std::set<QString>;
    using Multi = std::multiset<QString>;
    const std::map<int, std::pair<Set, Multi>> expected = {
        {kPageName,
         {{"Name Field(s):", "<- Add", "Remove ->", "Downcase", "&Substitution:", "&Details..."}, {}}},
        {kPageType, {{"Default &Object type:", "&Translation:", "&Details..."}, {}}},
        {kPageFilter,
         {{"&Filter out objects outside current coord &Range",
           "Filter out objects with no Type &Translation   (else uses 'default obj type')"},
          {}}},
        {kPageCoordinates,
         {{"Multiply X by:", "Multiply Y by:", "Add to X:", "Add to Y:"},
          {"Point &reduction factor:", "(0 = none)"}}},
        {kPageLinking, {{"Link fields:", "<- Add", "Remove ->"}, {}}},
        {kPagePoints,
         {{"For PNTFEATURE's:", "Default &Icon:", "Icon &Translation:", "&Details..."},
          {"For CATPNTFEATURE's:", "Cat/Sub-cat trans:", "&Details...", "Notes field:"}}},
        {kPagePolygons,
         {{"Multi-part policy:", "Same type polygon for each part", "Diff. type for counter-clockwise parts",
           "Type:"},
          {}}},
    };
    for (const auto& [page, want] : expected) {
        SCOPED_TRACE(page);
        EXPECT_EQ(captions(v.page(page)), want);
    }
    // Labels with a mnemonic give their control the focus.
    EXPECT_EQ(buddy_of(v, "Destination &Layer:"), v.layer_combo());
    EXPECT_EQ(buddy_of(v, "Default &Object type:"), v.type_page()->type_combo());
    EXPECT_EQ(buddy_of(v, "Default &Icon:"), v.points_page()->icon_combo());
    EXPECT_EQ(v.coordinates_page()->multiply_x_edit()->maxLength(), kFactorTextLength);
}

TEST_F(ImportView, APointFileHasNoLinkingTabButItsIconsAndTheWiredIconTranslation) {
    qt::ShapefileImportView& v = open(sample_points(3), 0);
    EXPECT_EQ(v.dimension_edit()->text(), "Point");
    EXPECT_EQ(v.tab_bar()->tabText(4), "Points");
    EXPECT_EQ(v.type_page()->type_combo()->count(), 3);
    for (int tab = 0; tab < v.tab_bar()->count(); ++tab) {
        v.tab_bar()->setCurrentIndex(tab);
        EXPECT_FALSE(page_shown(v, v.linking_page())) << "tab " << tab;
    }
    EXPECT_TRUE(page_shown(v, v.points_page()));
    QComboBox* icons = v.points_page()->icon_combo();
    ASSERT_EQ(icons->count(), kIconCount);
    EXPECT_EQ(icons->itemText(0), "PI_HOTELORACCOM");
    EXPECT_EQ(icons->itemText(kIconCount - 1), "PI_LABELMINOR");

    // The icon translation list asks before it drops entries; No puts its choice back.
    settings.icon_translation.kind = 1;
    settings.icon_translation.entry_count = 2;
    settings.icon_translation.field_index = 1;
    QComboBox* translation = v.points_page()->icon_translation_combo();
    EXPECT_TRUE(translation->isVisibleTo(&v));
    model->load_page(kPagePoints);
    v.points_page()->load();
    EXPECT_EQ(translation->currentIndex(), 1);
    host.answers = {Answer::No, Answer::Yes};
    translation->setCurrentIndex(2);
    EXPECT_EQ(host.last_message(),
              "This will result in the current translation details being deleted. Do you want to proceed?");
    EXPECT_EQ(translation->currentIndex(), 1);
    EXPECT_EQ(settings.icon_translation.entry_count, 2);
    translation->setCurrentIndex(2);
    EXPECT_EQ(translation->currentIndex(), 2);
    EXPECT_EQ(settings.icon_translation.entry_count, 0);
    EXPECT_EQ(settings.icon_translation.field_index, 0);
    EXPECT_EQ(host.messages.size(), 2u);

    select_line(v.name_page()->fields()->remaining_list(), "NAME");
    QTest::mouseClick(v.name_page()->fields()->add_button(), Qt::LeftButton);
    icons->setCurrentIndex(5);
    press(v, QDialogButtonBox::Ok);
    EXPECT_EQ(v.result(), QDialog::Accepted);
    EXPECT_EQ(settings.default_icon, 5);
}

TEST_F(ImportView, OkStaysAtTheFirstFailingPageWithEverythingStored) {
    qt::ShapefileImportView& v = open(sample_streets(2));
    v.tab_bar()->setCurrentIndex(3);
    v.coordinates_page()->multiply_y_edit()->setText("abc");
    v.tab_bar()->setCurrentIndex(2);
    v.filter_page()->filter_box()->setChecked(false);

    press(v, QDialogButtonBox::Ok);  // no name field and a bad factor: the Name page fails first
    EXPECT_EQ(host.last_message(), "You need to select at least one name field");
    EXPECT_NE(v.result(), QDialog::Accepted);
    EXPECT_EQ(v.tab_bar()->currentIndex(), 0);
    EXPECT_TRUE(page_shown(v, v.name_page()));
    EXPECT_EQ(settings.filter_outside_range, 0);  // stored although a check failed

    select_line(v.name_page()->fields()->remaining_list(), "ROUTE");
    QTest::mouseClick(v.name_page()->fields()->add_button(), Qt::LeftButton);
    press(v, QDialogButtonBox::Ok);
    EXPECT_EQ(host.last_message(), "'Multiply' factors must be non-zero");
    EXPECT_EQ(host.messages.back().caption, "Error");
    EXPECT_NE(v.result(), QDialog::Accepted);
    EXPECT_EQ(v.tab_bar()->currentIndex(), 3);
    EXPECT_TRUE(page_shown(v, v.coordinates_page()));
    EXPECT_FALSE(page_shown(v, v.name_page()));

    v.coordinates_page()->multiply_y_edit()->setText(" -2000000");
    press(v, QDialogButtonBox::Ok);
    EXPECT_EQ(v.result(), QDialog::Accepted);
    EXPECT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(settings.multiply_y, -2000000);
    ASSERT_EQ(settings.name_fields.count, 1);
    EXPECT_EQ(settings.name_fields.indices[0], find_field(reader, "ROUTE"));
}

namespace {

// The main window of the desktop program over a degree project with two layers and the real import
// command; the shapefile is chosen in the real file dialog.
struct DesktopImport : ::testing::Test {
    DesktopImport() {
        Project& p = f.workspace.project;
        set_field(p.file_base_name, "sydney");
        p.coord_sys = kCoordDegrees;
        p.range = {0, 0, -1, -1};  // nothing yet: the import sets it
        add_layer(p, "Roads", kThemeRoads);
        add_layer(p, "Water", kThemeWater);
        f.ctx().editor.current_layer = 0;
    }
    ~DesktopImport() override {
        QDir::setCurrent(start_dir);
        drop_pending_modal_answers();
    }

    // Runs File > Import > "from ShapeFile..." on `file`, answering the import view with `fill`.
    void run_import(const std::string& file, std::function<void(qt::ShapefileImportView*)> fill) {
        choose_file(file);
        when_modal<qt::ShapefileImportView>(fill);
        f.window->run_command(cmd::kImportShapefile);
    }

    // Every object of a layer, walked through its list.
    static std::vector<const MapObject*> objects_of(const Layer& layer) {
        std::vector<const MapObject*> list;
        for (const MapObject* o = layer.objects; o && list.size() <= size_t(layer.object_count) + 1;
             o = o->next)
            list.push_back(o);
        return list;
    }

    const QString start_dir = QDir::currentPath();
    ScratchDir dir;
    WindowFixture f;
};

void choose_name_field(qt::ShapefileImportView* v) {
    select_line(v->name_page()->fields()->remaining_list(), "NAME");
    QTest::mouseClick(v->name_page()->fields()->add_button(), Qt::LeftButton);
}

// Presses "Stop" on the progress dialog at the moment the worker reports `at` records read, while it
// waits for that report to be shown; remembers the log when the dialog closes.
class StopAtRecord : public QObject {
  public:
    explicit StopAtRecord(int at) : at_(at) { qApp->installEventFilter(this); }
    ~StopAtRecord() override { qApp->removeEventFilter(this); }

    QString button_text, log;
    bool pressed = false;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* d = qobject_cast<qt::ProgressDialog*>(watched);
        // Seen before the dialog's own show handler starts the worker.
        if (d && event->type() == QEvent::Show && !hooked_) {
            hooked_ = true;
            connect(d->progress_bar(), &QProgressBar::valueChanged, d, [this, d](int value) {
                if (pressed || value < at_) return;
                pressed = true;
                button_text = d->button()->text();
                QTest::mouseClick(d->button(), Qt::LeftButton);
            });
            connect(d, &QDialog::finished, d, [this, d]() { log = d->log_view()->toPlainText(); });
        }
        return false;
    }

  private:
    int at_;
    bool hooked_ = false;
};

}  // namespace

TEST_F(DesktopImport, ObjectsArriveInTheChosenLayer) {
    ASSERT_TRUE(write_shapefile(dir.file("streets"), sample_streets(3)));
    when_task_ends([](qt::ProgressDialog* d) {
        EXPECT_EQ(d->log_view()->toPlainText(), "Reading shapefile...\nShapefile successfully imported.\n");
    });
    bool shown = false;
    run_import(dir.file("streets.shp"), [&](qt::ShapefileImportView* v) {
        shown = true;
        EXPECT_EQ(v->layer_combo()->currentIndex(), 0);  // the current layer
        choose_name_field(v);
        v->layer_combo()->setCurrentIndex(1);
        v->tab_bar()->setCurrentIndex(1);
        v->type_page()->type_combo()->setCurrentIndex(6);
        press(*v, QDialogButtonBox::Ok);
    });
    ASSERT_TRUE(shown);
    const Project& p = f.workspace.project;
    EXPECT_EQ(p.layers[0].object_count, 0);
    ASSERT_EQ(p.layers[1].object_count, 3);
    EXPECT_EQ(field_text(p.layers[1].objects->name), "Street 2");
    EXPECT_EQ(p.layers[1].objects->type, kRiver);
    EXPECT_EQ(p.range, (CoordRange{151000000, -33902000, 10000, 2000}));
    EXPECT_EQ(p.modified, 1);
    EXPECT_TRUE(f.window->windowTitle().endsWith('*')) << f.window->windowTitle().toStdString();
    EXPECT_FALSE(f.map()->task_running());
    // The file dialog left the working directory alone: relative names keep their meaning.
    EXPECT_EQ(QDir::currentPath(), start_dir);
}

TEST_F(DesktopImport, StopEndsALongImportAndKeepsWhatWasRead) {
    constexpr int kRecords = 20000, kStopAt = 48;
    ASSERT_TRUE(write_shapefile(dir.file("roads"), sample_road_segments(200, kRecords / 200)));
    StopAtRecord stop(kStopAt);
    run_import(dir.file("roads.shp"), [](qt::ShapefileImportView* v) {
        choose_name_field(v);
        press(*v, QDialogButtonBox::Ok);
    });
    ASSERT_TRUE(stop.pressed);
    EXPECT_EQ(stop.button_text, "Stop");
    // The record in hand when Stop came is finished; nothing after it is read, and no success line.
    EXPECT_EQ(stop.log, "Reading shapefile...\n");
    const Project& p = f.workspace.project;
    const Layer& roads = p.layers[0];
    ASSERT_EQ(roads.object_count, kStopAt);
    const std::vector<const MapObject*> list = objects_of(roads);
    ASSERT_EQ(list.size(), size_t(kStopAt));
    for (const MapObject* o : list) {
        ASSERT_EQ(o->dimension, kDimLine);
        ASSERT_EQ(object_point_count(o), 2);
        for (int i = 0; i < 2; ++i) {
            const Point at = object_points(o)[i];
            EXPECT_TRUE(at.x >= p.range.x_min && at.x <= p.range.x_min + p.range.width);
            EXPECT_TRUE(at.y >= p.range.y_min && at.y <= p.range.y_min + p.range.height);
        }
    }
    EXPECT_EQ(p.modified, 1);
    EXPECT_TRUE(f.window->windowTitle().endsWith('*'));
    EXPECT_FALSE(f.map()->task_running());
    // What was kept saves and loads back whole.
    RecordingSink sink;
    const std::vector<uint8_t> file = build_project_file(p, sink);
    Project reloaded;
    ASSERT_TRUE(load_project_from_bytes(reloaded, file, sink));
    EXPECT_EQ(reloaded.layers[0].object_count, kStopAt);
    EXPECT_EQ(reloaded.range, p.range);
}
