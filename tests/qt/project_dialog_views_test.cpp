// The views of "Project Properties", "Geographic Info" and "New Project", driven through their widgets.
#include "qt/project_dialog_views.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "model/text.h"
#include "qt_test_support.h"
#include "support/project_file_builders.h"
#include "view_test_support.h"

using namespace plotwell;
using namespace plotwell::test;

TEST(ProjectPropertiesView, ShowsTheFieldsAndStoresWhatWasTyped) {
    Project project;
    fill_sample_project(project);  // "Sample", "parent-map", range (-1000, -2000) 30000 x 40000, GPS mode
    project.modified = 0;
    ScriptedHost host;
    ProjectPropertiesModel model(project, host);
    qt::ProjectPropertiesView view(nullptr, model);
    using V = qt::ProjectPropertiesView;

    EXPECT_EQ(view.windowTitle(), "Project Properties");
    EXPECT_EQ(buddy_of(view, "Name:"), view.name_edit());
    EXPECT_EQ(buddy_of(view, "Parent map basename:"), view.parent_map_edit());
    EXPECT_EQ(buddy_of(view, "X - Min:"), view.bound_edit(V::kXMin));
    EXPECT_EQ(buddy_of(view, "Y - Min:"), view.bound_edit(V::kYMin));
    EXPECT_EQ(view.name_edit()->text(), "Sample");
    EXPECT_EQ(view.name_edit()->maxLength(), 31);
    EXPECT_EQ(view.parent_map_edit()->text(), "parent-map");
    EXPECT_EQ(view.parent_map_edit()->maxLength(), 39);
    EXPECT_EQ(view.projection_edit()->text(), QString::fromStdString(model.projection));
    EXPECT_EQ(view.coord_sys_edit()->text(), QString::fromStdString(model.coord_sys));
    EXPECT_TRUE(view.projection_edit()->isReadOnly());
    EXPECT_TRUE(view.coord_sys_edit()->isReadOnly());
    EXPECT_EQ(view.bound_edit(V::kXMin)->text(), "-1000");
    EXPECT_EQ(view.bound_edit(V::kXMax)->text(), "29000");
    EXPECT_EQ(view.bound_edit(V::kYMin)->text(), "-2000");
    EXPECT_EQ(view.bound_edit(V::kYMax)->text(), "38000");
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(view.geo_mode_button(i)->isEnabled());
        EXPECT_EQ(view.geo_mode_button(i)->isChecked(), i == kGeoScaleAndPos);
    }
    EXPECT_EQ(view.geo_mode_button(2)->text(), "Scale && Pos");
    EXPECT_FALSE(view.notes_edit()->isEnabled());

    view.change_button()->click();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Not yet implemented.");
    EXPECT_EQ(host.messages[0].caption, "Error");

    view.name_edit()->clear();
    QTest::keyClicks(view.name_edit(), "Harbour");
    view.bound_edit(V::kXMax)->setText("500");
    view.bound_edit(V::kYMin)->setText("100");
    press(view, QDialogButtonBox::Ok);
    EXPECT_EQ(view.result(), QDialog::Accepted);
    EXPECT_EQ(field_text(project.name), "Harbour");
    EXPECT_EQ(field_text(project.parent_map_basename), "parent-map");
    EXPECT_EQ(project.range.x_min, -1000);
    EXPECT_EQ(project.range.width, 1500);
    EXPECT_EQ(project.range.y_min, 100);
    EXPECT_EQ(project.range.height, 37900) << "Y max stays 38000";
    EXPECT_EQ(project.modified, 0);
}

TEST(ProjectPropertiesView, CancelChangesNothing) {
    Project project;
    fill_sample_project(project);
    ScriptedHost host;
    ProjectPropertiesModel model(project, host);
    qt::ProjectPropertiesView view(nullptr, model);
    view.name_edit()->setText("Other");
    press(view, QDialogButtonBox::Cancel);
    EXPECT_EQ(view.result(), QDialog::Rejected);
    EXPECT_EQ(field_text(project.name), "Sample");
}

struct GeoInfoViewTest : ::testing::Test {
    GeoInfoViewTest() {
        project.coord_sys = 0;  // not decimal degrees: choosing GPS leaves the fields to the user
        project.range = {1000, 2000, 5000, 4000};
    }
    Project project;
    ScriptedHost host;
};

TEST_F(GeoInfoViewTest, KeepsTheStoredEdgesOfTheFieldsThatParsedBeforeAFailingOne) {
    GeoInfoModel model(project, host, 0);
    qt::GeoInfoView view(nullptr, model);
    view.show();
    EXPECT_TRUE(view.mode_button(kGeoNone)->isChecked());
    EXPECT_EQ(buddy_of(view, "Latitude at the Bottom Edge:"), view.edge_edit(GeoInfoModel::kSouth));

    view.mode_button(kGeoScaleAndPos)->click();
    EXPECT_EQ(view.edge_edit(GeoInfoModel::kWest)->text(), "") << "no range to take the edges from";
    QTest::keyClicks(view.edge_edit(GeoInfoModel::kWest), "151.5");
    QTest::keyClicks(view.edge_edit(GeoInfoModel::kEast), "E 152 30'0\"");
    QTest::keyClicks(view.edge_edit(GeoInfoModel::kSouth), "S 33");  // ends inside the degrees
    QTest::keyClicks(view.edge_edit(GeoInfoModel::kNorth), "-33");
    view.edge_edit(GeoInfoModel::kWest)->setFocus();
    press(view, QDialogButtonBox::Ok);

    EXPECT_TRUE(view.isVisible()) << "the dialog stays open";
    EXPECT_EQ(view.result(), QDialog::Rejected);
    QLineEdit* south = view.edge_edit(GeoInfoModel::kSouth);
    EXPECT_EQ(view.focusWidget(), south);
    EXPECT_EQ(south->selectedText(), "S 33");
    EXPECT_EQ(project.geo.mode, kGeoScaleAndPos);
    EXPECT_EQ(project.geo.west, 151500000);
    EXPECT_EQ(project.geo.east, 152000000 + 30 * 16680);
    EXPECT_EQ(project.geo.south, 0);
    EXPECT_EQ(project.geo.north, 0) << "nothing after the failing field is read";

    // What was stored stays when the user gives up.
    press(view, QDialogButtonBox::Cancel);
    EXPECT_FALSE(view.isVisible());
    EXPECT_EQ(project.geo.west, 151500000);
}

TEST_F(GeoInfoViewTest, AllEdgesParsingCloses) {
    GeoInfoModel model(project, host, 0);
    qt::GeoInfoView view(nullptr, model);
    view.show();
    view.mode_button(kGeoScaleAndPos)->click();
    const char* texts[] = {"-0.5", "1", "S 33 52'10\"", "N 1 0'0\""};
    for (int i = 0; i < GeoInfoModel::kEdgeCount; ++i) view.edge_edit(i)->setText(texts[i]);
    press(view, QDialogButtonBox::Ok);
    EXPECT_FALSE(view.isVisible());
    EXPECT_EQ(view.result(), QDialog::Accepted);
    EXPECT_EQ(project.geo.west, -500000);
    EXPECT_EQ(project.geo.east, 1000000);
    EXPECT_EQ(project.geo.south, -33870140);
    EXPECT_EQ(project.geo.north, 1000000);
}

TEST_F(GeoInfoViewTest, DecimalDegreesFillTheEdgesAndScaleReadsTheKmField) {
    project.coord_sys = kCoordDegrees;
    project.range = {151000000, -34000000, 500000, 1000000};
    {
        GeoInfoModel model(project, host, 0);
        qt::GeoInfoView view(nullptr, model);
        view.mode_button(kGeoScaleAndPos)->click();
        EXPECT_TRUE(view.mode_button(kGeoScaleAndPos)->isChecked());
        EXPECT_EQ(view.edge_edit(GeoInfoModel::kWest)->text(), "E 151 0'0\"");
        EXPECT_EQ(view.edge_edit(GeoInfoModel::kNorth)->text(), "S 33 0'0\"");
        press(view, QDialogButtonBox::Cancel);
        EXPECT_EQ(project.geo.east, 151500000) << "taken at the click, kept on Cancel";
    }
    // Scale: 12.5 km across a selection a fifth of the project wide.
    GeoInfoModel model(project, host, 100000);
    qt::GeoInfoView view(nullptr, model);
    EXPECT_EQ(view.km_edit()->maxLength(), 7);
    view.mode_button(kGeoScale)->click();
    view.km_edit()->setText("12.5");
    press(view, QDialogButtonBox::Ok);
    EXPECT_EQ(view.result(), QDialog::Accepted);
    EXPECT_EQ(project.geo.mode, kGeoScale);
    EXPECT_EQ(project.geo.scale, 125 * 5);
}

TEST(NewProjectView, OffersFourTemplatesAndReturnsTheChosenOne) {
    ViewsHost host;
    QStringList captions;
    when_modal<qt::NewProjectView>([&](qt::NewProjectView* d) {
        for (QRadioButton* b : d->findChildren<QRadioButton*>()) captions << b->text();
        EXPECT_TRUE(d->choice_button(0)->isChecked());
        d->choice_button(2)->click();
        press(*d, QDialogButtonBox::Ok);
    });
    EXPECT_EQ(choose_project_template(host), ProjectTemplate::Clone);
    EXPECT_EQ(captions, (QStringList{"&Simple project, from single background bitmap.",
                                     "&Empty project. Decimal degrees coordinate system.",
                                     "&Clone existing project (copy layer structure)",
                                     "From &Trekpad map (auto import, copy layer structure)."}));

    when_modal<qt::NewProjectView>([](qt::NewProjectView* d) {
        QTest::mouseClick(d->choice_button(1), Qt::LeftButton);
        press(*d, QDialogButtonBox::Ok);
    });
    EXPECT_EQ(choose_project_template(host), ProjectTemplate::EmptyDegrees);

    when_modal<qt::NewProjectView>([](qt::NewProjectView* d) {
        d->choice_button(2)->click();
        press(*d, QDialogButtonBox::Cancel);
    });
    EXPECT_EQ(choose_project_template(host), std::nullopt);
    EXPECT_EQ(host.dialogs.size(), 3u);
}
