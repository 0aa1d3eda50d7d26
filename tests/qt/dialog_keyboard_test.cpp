// Every registered dialog view used from the keyboard: Tab walks the shown controls in reading order
// (a group box's controls together, the button row last, in tabbed dialogs the tab bar first), no two
// shown controls share an Alt+letter, every label's mnemonic reaches a control, Enter presses the main
// button and Escape cancels. Each view is run through the registry over a small real model.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QDialog>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>
#include <QTranslator>
#include <map>
#include <set>
#include <typeindex>

#include "dialogs/about_dialog.h"
#include "dialogs/category_point_dialog.h"
#include "dialogs/edit_layer_dialog.h"
#include "dialogs/group_properties_dialog.h"
#include "dialogs/layer_translation_dialog.h"
#include "dialogs/link_object_dialog.h"
#include "dialogs/object_details_dialog.h"
#include "dialogs/select_objects_dialog.h"
#include "dialogs/simple_point_dialog.h"
#include "editor/editor_context.h"
#include "editor/layers_dialog.h"
#include "export/database_preview.h"
#include "export/export_dialog.h"
#include "export/import_database_dialog.h"
#include "export/publisher_dialog.h"
#include "model/object_storage.h"
#include "model/text.h"
#include "model/vocabulary.h"
#include "project/background_bitmaps_dialog.h"
#include "project/bitmap_properties_dialog.h"
#include "project/clone_project_dialog.h"
#include "project/geo_info_dialog.h"
#include "project/import_project_dialog.h"
#include "project/new_project_dialog.h"
#include "project/project_file.h"
#include "project/project_properties_dialog.h"
#include "qt_test_support.h"
#include "shapefile/import_detail_dialogs.h"
#include "shapefile/import_dialog.h"
#include "shapefile/source_layer_dialog.h"
#include "support/export_samples.h"
#include "support/object_builders.h"
#include "support/project_file_builders.h"
#include "support/scratch_dir.h"
#include "support/shapefile_samples.h"
#include "support/shapefile_writer.h"
#include "view_test_support.h"

using namespace plotwell;
using namespace plotwell::test;

namespace {

// --- what the keyboard meets -------------------------------------------------------------------------

// The controls Tab stops at, in Tab order: as Qt walks the focus chain, skipping controls that hand
// their focus to another.
std::vector<QWidget*> tab_stops(QDialog* d) {
    std::vector<QWidget*> stops;
    for (QWidget* w = d->nextInFocusChain(); w && w != d; w = w->nextInFocusChain())
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled() && !w->focusProxy() &&
            w->window() == d)
            stops.push_back(w);
    return stops;
}

QRect box_in(QWidget* w, QDialog* d) {
    return QRect(w->mapTo(d, QPoint(0, 0)), w->size());
}

// Reading order: controls whose vertical extents overlap stand in one row and read left to right;
// otherwise the higher one comes first.
bool reads_before(const QRect& a, const QRect& b) {
    const bool one_row = a.top() < b.top() + b.height() && b.top() < a.top() + a.height();
    return one_row ? a.left() < b.left() : a.top() < b.top();
}

// A control as a failure names it: its caption, or its label's, or its class and place.
QString name_of(QWidget* w, QDialog* d) {
    if (auto* b = qobject_cast<QAbstractButton*>(w)) return '"' + b->text() + '"';
    for (QLabel* label : d->findChildren<QLabel*>())
        if (label->buddy() == w) return '"' + label->text() + "\" " + w->metaObject()->className();
    const QRect r = box_in(w, d);
    return QString("%1 at %2,%3").arg(w->metaObject()->className()).arg(r.left()).arg(r.top());
}

// Pairs of Tab stops whose order contradicts the reading order.
QStringList order_faults(QDialog* d) {
    const std::vector<QWidget*> stops = tab_stops(d);
    QStringList faults;
    for (size_t i = 0; i < stops.size(); ++i)
        for (size_t j = i + 1; j < stops.size(); ++j)
            if (reads_before(box_in(stops[j], d), box_in(stops[i], d)))
                faults << name_of(stops[j], d) + " reads before " + name_of(stops[i], d) +
                              " but Tab reaches it later";
    return faults;
}

// The radio buttons one of which Tab enters, the arrow keys moving on to the others.
const QObject* radio_group(QWidget* w) {
    auto* radio = qobject_cast<QRadioButton*>(w);
    if (!radio) return nullptr;
    if (radio->group()) return radio->group();
    return radio->autoExclusive() ? radio->parentWidget() : nullptr;
}

// Where real Tab presses go from the first stop: round the stops in their order and back to the first,
// entering each group of radio buttons once.
QStringList tab_press_faults(QDialog* d, const std::vector<QWidget*>& stops) {
    std::vector<QWidget*> reached{stops.front()};
    stops.front()->setFocus(Qt::TabFocusReason);
    if (QApplication::focusWidget() != stops.front()) return {"the dialog takes no focus"};
    for (size_t presses = 0; presses <= stops.size(); ++presses) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* focused = QApplication::focusWidget();
        if (!focused || focused == stops.front() || focused == reached.back()) break;
        reached.push_back(focused);
    }
    QStringList faults;
    if (QApplication::focusWidget() != stops.front())
        faults << "Tab does not come round: it stays in " + name_of(reached.back(), d);
    size_t next = 0;
    std::set<const QObject*> groups_entered;
    for (QWidget* w : reached) {
        size_t at = next;
        while (at < stops.size() && stops[at] != w) ++at;
        if (at == stops.size()) {
            faults << "Tab reaches " + name_of(w, d) + " out of turn";
            continue;
        }
        for (; next < at; ++next)
            if (!radio_group(stops[next])) faults << "Tab passes over " + name_of(stops[next], d);
        ++next;
        if (const QObject* group = radio_group(w)) groups_entered.insert(group);
    }
    for (; next < stops.size(); ++next)
        if (!radio_group(stops[next])) faults << "Tab never reaches " + name_of(stops[next], d);
    for (QWidget* w : stops)
        if (radio_group(w) && !groups_entered.count(radio_group(w)))
            faults << "Tab never enters " + name_of(w, d);
    return faults;
}

// Group boxes whose controls Tab leaves and comes back to.
QStringList split_groups(QDialog* d) {
    const std::vector<QWidget*> stops = tab_stops(d);
    QStringList faults;
    for (QGroupBox* group : d->findChildren<QGroupBox*>()) {
        if (!group->isVisible()) continue;
        std::vector<size_t> inside;
        for (size_t i = 0; i < stops.size(); ++i)
            if (group->isAncestorOf(stops[i])) inside.push_back(i);
        if (!inside.empty() && inside.back() - inside.front() + 1 != inside.size())
            faults << "the controls of \"" + group->title() + "\" are not one run of Tab stops";
    }
    return faults;
}

// The Alt+letter shortcuts of the shown captions, as "Alt+C: \"...\", \"...\"" for each letter that two
// or more of them claim.
QStringList mnemonic_collisions(QDialog* d) {
    std::map<QString, QStringList> by_key;
    auto note = [&](const QString& caption) {
        const QKeySequence key = QKeySequence::mnemonic(caption);
        if (!key.isEmpty()) by_key[key.toString()] << '"' + caption + '"';
    };
    for (auto* b : d->findChildren<QAbstractButton*>())
        if (b->isVisible()) note(b->text());
    for (auto* label : d->findChildren<QLabel*>())
        if (label->isVisible() && label->buddy()) note(label->text());
    for (auto* group : d->findChildren<QGroupBox*>())
        if (group->isVisible()) note(group->title());
    for (auto* bar : d->findChildren<QTabBar*>())
        if (bar->isVisible())
            for (int i = 0; i < bar->count(); ++i) note(bar->tabText(i));
    QStringList out;
    for (auto& [key, captions] : by_key)
        if (captions.size() > 1) {
            captions.sort();
            out << key + ": " + captions.join(", ");
        }
    return out;
}

// Labels that show a mnemonic but give the focus to nothing.
QStringList labels_without_buddy(QDialog* d) {
    QStringList out;
    for (auto* label : d->findChildren<QLabel*>())
        if (!QKeySequence::mnemonic(label->text()).isEmpty() && !label->buddy()) out << label->text();
    return out;
}

// --- the cases ---------------------------------------------------------------------------------------

struct Bench;

struct Case {
    const char* name;
    std::type_index model;
    // Builds the model and shows it through bench.show; the view's answer.
    std::function<int(Bench&)> run;
    QString main_button;
    bool has_cancel;
    // Alt+letters that two captions of the dialog itself share (as mnemonic_collisions puts them).
    QStringList shared_mnemonics = {};
};

template <class M>
std::type_index of() {
    return std::type_index(typeid(M));
}

// Looks at the shown dialog the way a keyboard user meets it, then leaves it with Escape, or with Enter
// when it has no Cancel.
void check_keyboard(QDialog* d, const Case& c) {
    QApplication::processEvents();
    EXPECT_TRUE(d->isModal());

    // Enter presses the main button: it is the dialog's one default button.
    QPushButton* main = nullptr;
    QStringList defaults;
    for (QPushButton* b : d->findChildren<QPushButton*>()) {
        if (!b->isVisible()) continue;
        if (b->text() == c.main_button) main = b;
        if (b->isDefault()) defaults << b->text();
    }
    EXPECT_TRUE(main) << "no button \"" << c.main_button.toStdString() << '"';
    EXPECT_EQ(defaults, QStringList{c.main_button});

    std::set<QString> collisions;
    auto check_shown = [&](const QString& where) {
        SCOPED_TRACE(where.toStdString());
        const std::vector<QWidget*> stops = tab_stops(d);
        ASSERT_FALSE(stops.empty());
        for (const QString& fault : tab_press_faults(d, stops)) ADD_FAILURE() << fault.toStdString();
        for (const QString& fault : order_faults(d)) ADD_FAILURE() << fault.toStdString();
        for (const QString& fault : split_groups(d)) ADD_FAILURE() << fault.toStdString();
        for (const QString& shared : mnemonic_collisions(d)) collisions.insert(shared);
    };
    // A tabbed dialog is met one page at a time.
    QTabBar* bar = nullptr;
    for (QTabBar* b : d->findChildren<QTabBar*>())
        if (b->isVisible()) bar = b;
    if (!bar) {
        check_shown("");
    } else {
        const int first = bar->currentIndex();
        for (int tab = 0; tab < bar->count(); ++tab) {
            bar->setCurrentIndex(tab);
            QApplication::processEvents();
            check_shown("page " + bar->tabText(tab));
        }
        bar->setCurrentIndex(first);
    }
    EXPECT_EQ(QStringList(collisions.begin(), collisions.end()), c.shared_mnemonics);
    EXPECT_EQ(labels_without_buddy(d), QStringList{});

    // Enter on another default button could open a sub-dialog nobody answers.
    if (c.has_cancel || defaults == QStringList{c.main_button}) {
        QWidget* focused = QApplication::focusWidget();
        QTest::keyClick(focused && focused->window() == d ? focused : d,
                        c.has_cancel ? Qt::Key_Escape : Qt::Key_Return);
        EXPECT_FALSE(d->isVisible()) << (c.has_cancel ? "Escape" : "Enter") << " left the dialog open";
    }
    if (d->isVisible()) d->done(QDialog::Rejected);
}

struct Bench {
    explicit Bench(const Case& checked) : c(checked) {}
    const Case& c;
    ScratchDir dir;
    ViewsHost host;

    // Runs `model` through its registered view with the keyboard checks answering it.
    int show(DialogModel& model) {
        EXPECT_EQ(std::type_index(typeid(model)), c.model);
        const qt::DialogView* view = qt::standard_dialog_views().find(model);
        if (!view) {
            ADD_FAILURE() << "no view registered";
            return -1;
        }
        const Case* checked = &c;
        when_modal<QDialog>([checked](QDialog* d) { check_keyboard(d, *checked); });
        return (*view)(nullptr, host, model);
    }
};

// The shapefile import over a file of `data` written into the bench's directory.
int run_shapefile_import(Bench& b, const ShapefileData& data) {
    Project project;
    project.coord_sys = kCoordDegrees;
    project.range = {0, 0, 1000, 1000};
    add_layer(project, "Roads", kThemeRoads);
    add_layer(project, "Water", kThemeWater);
    const std::string base = b.dir.file("shapes");
    EXPECT_TRUE(write_shapefile(base, data));
    ShapefileReader reader;
    EXPECT_TRUE(open_shapefile(reader, base).ok);
    ShapeImportSettings settings;
    settings.base_path = base;
    ImportShapefileDialog model(project, reader, settings);
    model.open(0);
    const int answer = b.show(model);
    close_shapefile(reader);
    return answer;
}

int run_simple_point(Bench& b, uint8_t code) {
    Project project;
    MapObject* o = add_point(add_layer(project, "Places"), "Harbour", {10, 20});
    set_icon_code(o, code);
    SimplePointModel model(*o, b.host);
    return b.show(model);
}

int run_bitmap_properties(Bench& b, const char* file) {
    BackgroundBitmap previous;
    set_field(previous.file_name, "a.bmp");
    BackgroundBitmap entry;
    set_field(entry.file_name, file);
    BitmapPropertiesModel model(entry, &previous, b.host, {"", b.dir.path().string() + "/"}, {50, 0, 0});
    return b.show(model);
}

const QString kDeleteDetails = "Alt+D: \"&Delete\", \"&Details...\"";

const std::vector<Case>& cases() {
    static const std::vector<Case> all = {
        {"PublisherDetails", of<PublisherDetailsModel>(),
         [](Bench& b) {
             PublisherInfo info;
             PublisherDetailsModel model(info);
             return b.show(model);
         },
         "OK", true},
        {"About", of<AboutModel>(),
         [](Bench& b) {
             AboutModel model;
             return b.show(model);
         },
         "OK", false},
        // The profile's "&Delete" and the pages' "&Details..." keep their captions.
        {"ImportShapefileLines",
         of<ImportShapefileDialog>(),
         [](Bench& b) { return run_shapefile_import(b, sample_road_segments(2, 2)); },
         "OK",
         true,
         {kDeleteDetails}},
        {"ImportShapefilePoints",
         of<ImportShapefileDialog>(),
         [](Bench& b) { return run_shapefile_import(b, sample_points(3)); },
         "OK",
         true,
         {kDeleteDetails}},
        {"ImportShapefilePolygons",
         of<ImportShapefileDialog>(),
         [](Bench& b) { return run_shapefile_import(b, sample_polygons(2)); },
         "OK",
         true,
         {kDeleteDetails}},
        {"NewProfile", of<NewProfileDialog>(),
         [](Bench& b) { return b.show(*std::make_unique<NewProfileDialog>()); }, "OK", true},
        {"SubstitutionEntry", of<SubstitutionEntryDialog>(),
         [](Bench& b) { return b.show(*std::make_unique<SubstitutionEntryDialog>()); }, "OK", true},
        {"SubstitutionDetails", of<SubstitutionDetailsDialog>(),
         [](Bench& b) {
             ShapeImportSettings settings;
             SubstitutionDetailsDialog model(settings);
             return b.show(model);
         },
         "Done", false},
        {"TranslationEntry", of<TranslationEntryDialog>(),
         [](Bench& b) {
             TranslationEntryDialog model;
             model.result_names = {"WATER", "LAND"};
             return b.show(model);
         },
         "OK", true},
        {"SampleValues", of<SampleValuesDialog>(),
         [](Bench& b) { return b.show(*std::make_unique<SampleValuesDialog>()); }, "OK", false},
        {"TranslationDetails", of<TranslationDetailsDialog>(),
         [](Bench& b) {
             ShapefileReader layout;
             layout.fields = {{"KIND", 1, 10, 'C'}};
             layout.field_count = 1;
             ValueTranslation t;
             t.kind = kStringTable;
             TranslationDetailsDialog model(t, layout, kDimPolygon, nullptr);
             return b.show(model);
         },
         "Done", false},
        {"Layers", of<LayersModel>(),
         [](Bench& b) {
             Workspace ws;
             add_layer(ws.project, "Roads", kThemeRoads);
             add_layer(ws.project, "Water", kThemeWater);
             EditorContext ctx{ws, b.host};
             LayersModel model(ctx);
             return b.show(model);
         },
         "Done", false},
        {"EditLayer", of<EditLayerModel>(),
         [](Bench& b) {
             Project project;
             EditLayerModel model(add_layer(project, "Roads"));
             return b.show(model);
         },
         "OK", true},
        {"GroupProperties", of<GroupPropertiesModel>(),
         [](Bench& b) {
             uint8_t type = 0;
             GroupPropertiesModel model(kDimLine, type);
             return b.show(model);
         },
         "OK", true},
        {"SelectObjects", of<SelectObjectsModel>(),
         [](Bench& b) {
             uint8_t dimension = kDimLine;
             int type = 0;
             SelectObjectsModel model(dimension, type);
             return b.show(model);
         },
         "OK", true},
        {"Export", of<ExportDialog>(),
         [](Bench& b) {
             Project project;
             fill_harbour_project(project);
             ExportSettings settings;
             reset_export_settings(settings, project, "(c) Harbour Maps", "");
             MapIdTable map_ids;
             ExportDialog model =
                 opened_export_dialog(project, settings, map_ids, b.dir.write("map-id.txt", kHarbourMapIds));
             model.layers.selected_visible = 0;
             model.regions.has_level = true;  // the level's row shown too
             return b.show(model);
         },
         "Export", true},
        {"LayerProperties",
         of<LayerPropertiesDialog>(),
         [](Bench& b) {
             Project project;
             add_layer(project, "Roads", kThemeRoads);
             ExportSettings settings;
             reset_export_settings(settings, project, "", "");
             LayerPropertiesDialog model = open_layer_properties(settings, 0);
             return b.show(model);
         },
         "OK",
         true,
         {R"(Alt+C: "&Cache searches", "Minimum Zoom &Category:")"}},
        {"MapPreferences", of<MapPreferencesDialog>(),
         [](Bench& b) {
             Project project;
             ExportSettings settings;
             reset_export_settings(settings, project, "", "");
             MapPreferencesDialog model = open_map_preferences(settings);
             return b.show(model);
         },
         "OK", true},
        {"SimplePointIcon", of<SimplePointModel>(), [](Bench& b) { return run_simple_point(b, 3); }, "OK",
         true},
        {"SimplePointLabel", of<SimplePointModel>(),
         [](Bench& b) { return run_simple_point(b, kIconLabelMinor); }, "OK", true},
        {"CategoryPoint", of<CategoryPointModel>(),
         [](Bench& b) {
             Project project;
             MapObject* o = add_point(add_layer(project, "Places"), "Red Lion", {5, 5}, kCatPntFeature, 0, 1);
             const CategoryChoices choices{{"Food", "Lodging"}, {{"Cafe", "Pub"}, {"Hotel"}}};
             CategoryPointModel model(*o, choices);
             return b.show(model);
         },
         "OK", true},
        {"SourceLayer", of<SourceLayerModel>(),
         [](Bench& b) {
             SourceLayerModel model({"roads", "more"});
             return b.show(model);
         },
         "OK", true},
        {"LinkObject", of<LinkObjectModel>(),
         [](Bench& b) {
             Project project;
             MapObject* o = add_point(add_layer(project, "Places"), "Town", {5, 5}, kLink);
             LinkObjectModel model(*o);
             return b.show(model);
         },
         "OK", true},
        {"ObjectDetails", of<ObjectDetailsModel>(),
         [](Bench& b) {
             Project project;
             MapObject* o = add_line(add_layer(project, "Roads"), "Main St", {{0, 0}, {5, 5}});
             ObjectDetailsModel model(*o);
             return b.show(model);
         },
         "OK", true},
        {"ProjectProperties", of<ProjectPropertiesModel>(),
         [](Bench& b) {
             Project project;
             fill_sample_project(project);
             ProjectPropertiesModel model(project, b.host);
             return b.show(model);
         },
         "OK", true},
        {"GeoInfo", of<GeoInfoModel>(),
         [](Bench& b) {
             Project project;
             fill_sample_project(project);
             GeoInfoModel model(project, b.host, 1000);
             return b.show(model);
         },
         "OK", true},
        {"NewProject", of<NewProjectModel>(),
         [](Bench& b) {
             NewProjectModel model;
             return b.show(model);
         },
         "OK", true},
        {"BackgroundBitmaps", of<BackgroundBitmapsModel>(),
         [](Bench& b) {
             Project project;
             set_field(project.bitmaps.entries[0].file_name, "a.bmp");
             project.bitmaps.count = 1;
             BackgroundBitmapsModel model(project, b.host, b.dir.path().string() + "/", {50, 0, 0});
             return b.show(model);
         },
         "Done", false},
        {"BitmapPropertiesNew", of<BitmapPropertiesModel>(),
         [](Bench& b) { return run_bitmap_properties(b, ""); }, "OK", true},
        {"BitmapPropertiesOfAFile", of<BitmapPropertiesModel>(),
         [](Bench& b) { return run_bitmap_properties(b, "b.bmp"); }, "OK", true},
        {"ImportProject", of<ImportProjectDialog>(),
         [](Bench& b) {
             Project source;
             fill_sample_project(source);
             NullProgressSink quiet;
             EXPECT_TRUE(save_project(source, b.dir.file("source"), quiet));
             release_project_data(source);
             Project project;
             add_layer(project, "Streets", kThemeRoads);
             ImportSettings settings;
             clear_import_settings(settings, b.dir.file("source.mpr"));
             ImportProjectDialog model{project, settings};
             model.open();
             return b.show(model);
         },
         "OK", true},
        {"LayerTranslation", of<LayerTranslationDialog>(),
         [](Bench& b) {
             LayerTranslationDialog model;
             model.source_layer = "0: Roads [ROADS]";
             model.choices = {"None", "0: Streets [ROADS]"};
             return b.show(model);
         },
         "OK", true},
        {"MapPreview", of<DatabasePreviewModel>(),
         [](Bench& b) {
             DatabasePreviewModel model;
             return b.show(model);
         },
         "Close", false},
        {"CloneProject", of<CloneProjectDialog>(),
         [](Bench& b) {
             CloneProjectDialog model;
             return b.show(model);
         },
         "OK", true},
        {"ImportDatabase", of<ImportDatabaseDialog>(),
         [](Bench& b) {
             Project project;
             add_layer(project, "Streets", kThemeRoads);
             ImportDatabaseDialog model{project, b.dir.file("none.pdb")};
             model.open();
             return b.show(model);
         },
         "OK", true},
    };
    return all;
}

// Standard button texts as desktop themes give them, with mnemonics of their own ("&OK", "&Cancel"):
// the dialogs must show their own captions whatever the platform offers.
class DesktopButtonTexts : public QTranslator {
  public:
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char*, int) const override {
        return QByteArrayView(context) == "QPlatformTheme" ? "&" + QString::fromLatin1(source) : QString();
    }
};

struct DialogKeyboard : ::testing::TestWithParam<size_t> {
    DialogKeyboard() { QCoreApplication::installTranslator(&texts); }
    ~DialogKeyboard() override { QCoreApplication::removeTranslator(&texts); }
    void TearDown() override { drop_pending_modal_answers(); }
    DesktopButtonTexts texts;
};

}  // namespace

TEST_P(DialogKeyboard, TabFollowsTheLayoutMnemonicsAreUniqueAndEnterEscapeAnswer) {
    const Case& c = cases()[GetParam()];
    Bench bench(c);
    const int answer = c.run(bench);
    if (c.has_cancel) {
        EXPECT_EQ(answer, 0) << "Escape is Cancel";
    }
}

INSTANTIATE_TEST_SUITE_P(EveryView, DialogKeyboard, ::testing::Range(size_t(0), cases().size()),
                         [](const ::testing::TestParamInfo<size_t>& info) {
                             return std::string(cases()[info.param].name);
                         });

// A view added to the registry joins the table above.
TEST(DialogKeyboardCases, CoverEveryRegisteredView) {
    std::set<std::type_index> models;
    for (const Case& c : cases()) models.insert(c.model);
    EXPECT_EQ(models.size(), qt::standard_dialog_views().size());
}
