// File > Import through the desktop program's dialogs: a GPX track, an OpenStreetMap extract and the
// second layer of a GeoPackage through "from other vector source...", and an import profile made with
// "&New..." that fills the pages when it is chosen again.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <cstdlib>
#include <fstream>
#include <set>

#include "editor/command_ids.h"
#include "model/text.h"
#include "qt/import_detail_views.h"
#include "qt/shapefile_import_view.h"
#include "qt/source_layer_view.h"
#include "qt_test_support.h"
#include "support/object_builders.h"
#include "support/scratch_dir.h"
#include "support/shapefile_samples.h"
#include "support/shapefile_writer.h"
#include "view_test_support.h"

using namespace plotwell;
using namespace plotwell::test;

namespace {

struct VectorImport : ::testing::Test {
    VectorImport() {
        Project& p = f.workspace.project;
        set_field(p.file_base_name, "berlin");
        p.coord_sys = kCoordDegrees;
        p.range = {0, 0, -1, -1};
        add_layer(p, "Roads", kThemeRoads);
        f.ctx().editor.current_layer = 0;
    }

    // Runs the command on `file`, choosing `layer` in "Choose Layer" (when asked) and `field` as the name.
    void run(int command, const std::string& file, const QString& layer, const QString& field,
             std::function<void(qt::ShapefileImportView*)> more = {}, bool imports = true) {
        choose_file(file);
        when_modal<qt::SourceLayerView>([layer](qt::SourceLayerView* v) {
            v->layer_list()->setCurrentItem(v->layer_list()->findItems(layer, Qt::MatchExactly).value(0));
            v->accept();
        });
        when_modal<qt::ShapefileImportView>([field, more](qt::ShapefileImportView* v) {
            if (!field.isEmpty()) {
                select_line(v->name_page()->fields()->remaining_list(), field);
                QTest::mouseClick(v->name_page()->fields()->add_button(), Qt::LeftButton);
            }
            if (more) return more(v);
            v->filter_page()->filter_box()->setChecked(false);  // the sources lie far apart
            press(*v, QDialogButtonBox::Ok);
        });
        if (imports) when_task_ends();
        f.window->run_command(command);
    }

    std::multiset<std::string> names() const {
        std::multiset<std::string> out;
        for (const MapObject* o = f.workspace.project.layers[0].objects; o; o = o->next)
            out.insert(std::string(field_text(o->name)));
        return out;
    }

    ScratchDir dir;
    WindowFixture f;
};

}  // namespace

TEST_F(VectorImport, AGpxTrackAnOsmExtractAndAGeoPackageLayerArrive) {
    if (std::system("ogr2ogr --version >/dev/null 2>&1") != 0) GTEST_SKIP() << "ogr2ogr is not installed";
    std::ofstream(dir.file("walk.gpx"))
        << "<?xml version=\"1.0\"?><gpx version=\"1.1\" creator=\"t\" "
           "xmlns=\"http://www.topografix.com/GPX/1/1\"><trk><name>Walk</name>"
           "<trkseg><trkpt lat=\"52.1\" lon=\"13.1\"/><trkpt lat=\"52.2\" "
           "lon=\"13.2\"/></trkseg></trk></gpx>";
    std::ofstream(dir.file("town.osm"))
        << "<?xml version=\"1.0\"?><osm version=\"0.6\"><node id=\"1\" "
           "lat=\"52.1\" lon=\"13.1\"/><node id=\"2\" lat=\"52.2\" lon=\"13.2\"/>"
           "<way id=\"3\"><nd ref=\"1\"/><nd ref=\"2\"/><tag k=\"highway\" "
           "v=\"residential\"/><tag k=\"name\" v=\"Hauptstra\xC3\x9F"
           "e\"/></way></osm>";
    ASSERT_TRUE(write_shapefile(dir.file("streets"), sample_streets(2)));
    const std::string gpkg = dir.file("two.gpkg"), shp = dir.file("streets.shp");
    ASSERT_EQ(std::system(("ogr2ogr -f GPKG -nln roads " + gpkg + " " + shp + " >/dev/null 2>&1").c_str()),
              0);
    ASSERT_EQ(std::system(("ogr2ogr -update -nln more " + gpkg + " " + shp + " >/dev/null 2>&1").c_str()), 0);

    run(cmd::kImportVectorSource, dir.file("walk.gpx"), "tracks", "name");
    run(cmd::kImportVectorSource, dir.file("town.osm"), "lines", "name");
    run(cmd::kImportVectorSource, gpkg, "more", "NAME");
    EXPECT_EQ(names(), (std::multiset<std::string>{"Walk",
                                                   "Hauptstra\xDF"
                                                   "e",
                                                   "Street 0", "Street 1"}));
}

TEST_F(VectorImport, AProfileMadeWithNewFillsThePagesWhenChosenAgain) {
    ASSERT_TRUE(write_shapefile(dir.file("streets"), sample_streets(2)));
    run(
        cmd::kImportShapefile, dir.file("streets.shp"), "", "NAME",
        [](qt::ShapefileImportView* v) {
            // A substitution through "&Details...", an offset, then the pages saved as a profile.
            when_modal<qt::SubstitutionDetailsView>([](qt::SubstitutionDetailsView* d) {
                when_modal<qt::SubstitutionEntryView>([](qt::SubstitutionEntryView* e) {
                    e->from_edit()->setText("STREET");
                    e->to_edit()->setText("ROAD");
                    e->accept();
                });
                d->new_button()->click();
                EXPECT_EQ(d->entry_list()->count(), 1);
                d->accept();
            });
            v->name_page()->details_button()->click();
            v->name_page()->substitution_combo()->setCurrentIndex(1);
            v->coordinates_page()->add_x_edit()->setText("0.5");
            when_modal<qt::NewProfileView>([](qt::NewProfileView* n) {
                n->name_edit()->setText("roads with offset");
                n->accept();
            });
            v->new_profile_button()->click();
            EXPECT_EQ(v->profile_combo()->currentText(), "roads with offset");
            v->reject();
        },
        false);
    EXPECT_EQ(f.workspace.project.layers[0].object_count, 0);

    run(cmd::kImportShapefile, dir.file("streets.shp"), "", "", [](qt::ShapefileImportView* v) {
        v->profile_combo()->setCurrentIndex(v->profile_combo()->findText("roads with offset"));
        EXPECT_EQ(v->coordinates_page()->add_x_edit()->text(), "0.5");
        EXPECT_EQ(v->name_page()->substitution_combo()->currentIndex(), 1);
        EXPECT_EQ(v->name_page()->fields()->chosen_list()->count(), 1);
        press(*v, QDialogButtonBox::Ok);
    });
    EXPECT_EQ(names(), (std::multiset<std::string>{"Road 0", "Road 1"}));
}

TEST_F(VectorImport, TheTextEncodingChosenInTheDialogReadsTheNames) {
    ShapefileData d;
    d.fields = {{"NAME", 'C', 20}};
    d.records.push_back(point_record(13.1, 52.1,
                                     {"P\xF8\xED"
                                      "bram"}));
    ASSERT_TRUE(write_shapefile(dir.file("towns"), d));
    std::ofstream(dir.file("towns.cpg")) << "852";  // wrong: the text is Windows-1250
    run(cmd::kImportVectorSource, dir.file("towns.shp"), "", "NAME", [](qt::ShapefileImportView* v) {
        QComboBox* encoding = v->name_page()->encoding_combo();
        ASSERT_TRUE(encoding);
        EXPECT_EQ(encoding->currentText(), "CP852 (the source's own)");
        encoding->setCurrentIndex(encoding->findText("CP1250"));
        press(*v, QDialogButtonBox::Ok);
    });
    EXPECT_EQ(names(), (std::multiset<std::string>{"Pr\xED"
                                                   "bram"}));
}
