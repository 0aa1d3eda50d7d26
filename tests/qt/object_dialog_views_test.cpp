#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>

#include "dialogs/category_point_dialog.h"
#include "dialogs/link_object_dialog.h"
#include "dialogs/object_details_dialog.h"
#include "dialogs/simple_point_dialog.h"
#include "editor/command_ids.h"
#include "editor/selection.h"
#include "model/object_storage.h"
#include "model/vocabulary.h"
#include "qt/icon_panel_widget.h"
#include "qt/object_details_view.h"
#include "qt/point_dialog_views.h"
#include "qt/qt_host.h"
#include "qt_test_support.h"
#include "support/object_builders.h"
#include "support/scripted_host.h"
#include "view_test_support.h"

using namespace plotwell;
using namespace plotwell::test;

namespace {

using Kind = SimplePointModel::Kind;

// A project with one layer to hold the objects under test.
struct Places {
    Project project;
    Layer& layer = add_layer(project, "Places");
    ScriptedHost host;

    MapObject* simple_point(std::string_view name, uint8_t code) {
        MapObject* o = add_point(layer, name, {10, 20});
        set_icon_code(o, code);
        return o;
    }
};

bool panel_shown(qt::SimplePointView& view) {
    const bool panel = view.icon_panel()->isVisibleTo(&view);
    // The panel and the "&Type" row share one place: exactly one of them shows.
    EXPECT_NE(panel, view.type_list()->isVisibleTo(&view));
    EXPECT_EQ(view.type_label()->isVisibleTo(&view), view.type_list()->isVisibleTo(&view));
    return panel;
}

}  // namespace

TEST(SimplePointView, ShowsTheCodeItOpensWith) {
    Places p;
    MapObject* o = p.simple_point("Harbour", kIconLabelMinor);
    SimplePointModel model(*o, p.host);
    qt::SimplePointView view(nullptr, p.host, model);
    EXPECT_EQ(view.windowTitle(), "Simple Point Object");
    EXPECT_EQ(view.name_edit()->text(), "Harbour");
    EXPECT_EQ(view.kind_button(Kind::kIcon)->text(), "&Icon");
    EXPECT_EQ(view.kind_button(Kind::kLabel)->text(), "&Label");
    EXPECT_EQ(view.kind_button(Kind::kPopulation)->text(), "&Population center");
    EXPECT_EQ(view.type_label()->text(), "&Type");
    EXPECT_EQ(view.type_label()->buddy(), view.type_list());
    EXPECT_TRUE(view.kind_button(Kind::kLabel)->isChecked());
    EXPECT_FALSE(panel_shown(view));
    EXPECT_EQ(items_of(view.type_list()), QStringList({"Minor", "Major"}));
    EXPECT_EQ(view.type_list()->currentText(), "Minor");
    // OK without changes stores 130 again.
    view.accept();
    EXPECT_EQ(view.result(), QDialog::Accepted);
    EXPECT_EQ(icon_code(o), kIconLabelMinor);

    set_icon_code(o, 66);
    SimplePointModel population(*o, p.host);
    qt::SimplePointView second(nullptr, p.host, population);
    EXPECT_TRUE(second.kind_button(Kind::kPopulation)->isChecked());
    EXPECT_FALSE(panel_shown(second));
    EXPECT_EQ(second.type_list()->count(), 5);
    EXPECT_EQ(second.type_list()->currentText(), "Minor City");

    set_icon_code(o, 7);
    SimplePointModel icon(*o, p.host);
    qt::SimplePointView third(nullptr, p.host, icon);
    EXPECT_TRUE(third.kind_button(Kind::kIcon)->isChecked());
    EXPECT_TRUE(panel_shown(third));
    EXPECT_EQ(third.icon_panel()->size(), QSize(kIconPanelWidth, kIconPanelHeight));
    EXPECT_EQ(icon.panel.selection, 7);
}

TEST(SimplePointView, RadioButtonsAndTheListStoreTheClassCodes) {
    Places p;
    MapObject* o = p.simple_point("Old Mill", 4);
    {
        // A population centre of class 2, "Minor City": 64 + 2.
        SimplePointModel model(*o, p.host);
        qt::SimplePointView view(nullptr, p.host, model);
        view.name_edit()->setText("Milltown");
        view.kind_button(Kind::kPopulation)->click();
        EXPECT_FALSE(panel_shown(view));
        EXPECT_EQ(items_of(view.type_list()),
                  QStringList({"Major City", "City", "Minor City", "Town", "Small Town"}));
        EXPECT_EQ(view.type_list()->currentIndex(), 0) << "a refilled list has its first class chosen";
        EXPECT_EQ(view.name_edit()->text(), "Milltown") << "switching keeps the typed name";
        view.type_list()->setCurrentIndex(2);
        view.accept();
        EXPECT_EQ(icon_code(o), 66);
        EXPECT_EQ(field_text(o->name), "Milltown");
    }
    {
        // From the population centre to a label: "Major" picked first, then "Minor": 130.
        SimplePointModel model(*o, p.host);
        qt::SimplePointView view(nullptr, p.host, model);
        view.kind_button(Kind::kLabel)->click();
        EXPECT_TRUE(view.kind_button(Kind::kLabel)->isChecked());
        EXPECT_EQ(items_of(view.type_list()), QStringList({"Minor", "Major"}));
        view.type_list()->setCurrentIndex(1);
        view.type_list()->setCurrentIndex(0);
        // A name longer than 40 characters is cut there; the 42nd byte stays the icon code.
        view.name_edit()->setText(QString(45, 'x'));
        view.accept();
        EXPECT_EQ(icon_code(o), kIconLabelMinor);
        EXPECT_EQ(field_text(o->name), std::string(40, 'x'));
    }
    {
        // Back to an icon: the panel replaces the list and a click in it picks the icon.
        SimplePointModel model(*o, p.host);
        qt::SimplePointView view(nullptr, p.host, model);
        view.kind_button(Kind::kIcon)->click();
        EXPECT_TRUE(panel_shown(view));
        QTest::mouseClick(view.icon_panel(), Qt::LeftButton, Qt::NoModifier, QPoint(30, 25));
        view.accept();
        EXPECT_EQ(icon_code(o), 13);
    }
}

TEST(SimplePointView, CancelLeavesThePointUntouched) {
    Places p;
    MapObject* o = p.simple_point("Harbour", 3);
    SimplePointModel model(*o, p.host);
    qt::SimplePointView view(nullptr, p.host, model);
    view.name_edit()->setText("Quay");
    view.kind_button(Kind::kLabel)->click();
    view.reject();
    EXPECT_EQ(field_text(o->name), "Harbour");
    EXPECT_EQ(icon_code(o), 3);
}

TEST(CategoryPointView, ChoosingACategoryResetsTheSubTypeAndOkStoresBoth) {
    Places p;
    const CategoryChoices choices{{"Food", "Lodging"}, {{"Cafe", "Bakery", "Pub"}, {"Hotel", "Hostel"}}};
    MapObject* o = add_point(p.layer, "Red Lion", {5, 5}, kCatPntFeature, 0, 2);
    CategoryPointModel model(*o, choices);
    qt::CategoryPointView view(nullptr, p.host, model);
    EXPECT_EQ(view.windowTitle(), "Category Point Object");
    EXPECT_EQ(view.name_edit()->text(), "Red Lion");
    EXPECT_EQ(items_of(view.category_list()), QStringList({"Food", "Lodging"}));
    EXPECT_EQ(view.category_list()->currentText(), "Food");
    EXPECT_EQ(items_of(view.sub_type_list()), QStringList({"Cafe", "Bakery", "Pub"}));
    EXPECT_EQ(view.sub_type_list()->currentText(), "Pub");
    EXPECT_FALSE(view.notes_edit()->isEnabled());
    EXPECT_FALSE(view.rating_list()->isEnabled());

    view.category_list()->setCurrentIndex(1);
    EXPECT_EQ(items_of(view.sub_type_list()), QStringList({"Hotel", "Hostel"}));
    EXPECT_EQ(view.sub_type_list()->currentIndex(), 0);
    view.sub_type_list()->setCurrentIndex(1);
    view.name_edit()->setText("Red Lion Rooms");
    // Cancel stores nothing.
    view.reject();
    EXPECT_EQ(object_category(o), 0);
    EXPECT_EQ(object_sub_type(o), 2);

    view.accept();
    EXPECT_EQ(object_category(o), 1);
    EXPECT_EQ(object_sub_type(o), 1);
    EXPECT_EQ(field_text(o->name), "Red Lion Rooms");
}

TEST(LinkObjectView, OkStoresTheTargetBasenameUpTo41Characters) {
    Places p;
    MapObject* o = add_point(p.layer, "southtown", {1, 1}, kLink);
    LinkObjectModel model(*o);
    qt::LinkObjectView view(nullptr, p.host, model);
    EXPECT_EQ(view.windowTitle(), "Link Object");
    EXPECT_EQ(view.target_edit()->text(), "southtown");
    view.target_edit()->clear();
    QTest::keyClicks(view.target_edit(), "northtown");
    view.accept();
    EXPECT_EQ(field_text(o->name), "northtown");

    LinkObjectModel again(*o);
    qt::LinkObjectView longer(nullptr, p.host, again);
    longer.target_edit()->setText(QString(50, 'n'));
    longer.accept();
    EXPECT_EQ(field_text(o->name), std::string(41, 'n'));
}

TEST(ObjectDetailsView, StoresNameAndTypeOfALine) {
    Places p;
    MapObject* o = add_line(p.layer, "Main Street", {{0, 0}, {9, 9}}, kDimLine, kHighway);
    ObjectDetailsModel model(*o);
    qt::ObjectDetailsView view(nullptr, p.host, model);
    EXPECT_EQ(view.windowTitle(), "Line Details");
    EXPECT_EQ(view.name_edit()->text(), "Main Street");
    EXPECT_EQ(view.type_list()->count(), kLineTypeCount);
    EXPECT_EQ(view.type_list()->currentIndex(), kHighway);
    view.name_edit()->setText("Mill River");
    view.type_list()->setCurrentIndex(kRiver);
    view.accept();
    EXPECT_EQ(field_text(o->name), "Mill River");
    EXPECT_EQ(o->type, kRiver);
}

TEST(ObjectDetailsView, ANewPolygonKeepsTheTypeChosenInItsList) {
    ScriptedHost host;
    ObjectHead head;
    head.dimension = kDimPolygon;
    head.type = kWaterArea;
    ObjectDetailsModel model(head);
    qt::ObjectDetailsView view(nullptr, host, model);
    EXPECT_EQ(view.windowTitle(), "Polygon Details");
    EXPECT_EQ(view.type_list()->count(), kPolygonTypeCount);
    view.type_list()->setCurrentIndex(kBuilding);
    view.name_edit()->setText("Town Hall");
    view.accept();
    EXPECT_EQ(head.type, kBuilding);
    EXPECT_EQ(field_text(head.name), "Town Hall");
}

TEST(ObjectDialogViews, EveryObjectModelHasItsView) {
    Places p;
    MapObject* point = p.simple_point("a", 0);
    const CategoryChoices choices;
    SimplePointModel simple(*point, p.host);
    CategoryPointModel category(*point, choices);
    LinkObjectModel link(*point);
    ObjectDetailsModel details(*point);
    for (const DialogModel* m :
         std::initializer_list<const DialogModel*>{&simple, &category, &link, &details})
        EXPECT_NE(qt::standard_dialog_views().find(*m), nullptr) << m->dialog_title();
}

TEST(ObjectDialogViews, PropertiesOfTheCurrentLineRunLineDetailsOverTheMainWindow) {
    WindowFixture f;
    Project& project = f.workspace.project;
    project.range = {0, 0, 1000, 600};
    Layer& layer = add_layer(project, "Roads");
    MapObject* road = add_line(layer, "Main Street", {{100, 300}, {900, 300}}, kDimLine, kHighway);
    f.fit();
    set_current_layer(f.workspace.editor, 0);
    set_current_object(f.ctx(), road);
    QString title;
    when_modal<qt::ObjectDetailsView>([&](qt::ObjectDetailsView* d) {
        title = d->windowTitle();
        d->name_edit()->setText("High Street");
        d->type_list()->setCurrentIndex(kRoad3);
        d->accept();
    });
    f.window->run_command(cmd::kProperties);
    EXPECT_EQ(title, "Line Details");
    EXPECT_EQ(field_text(road->name), "High Street");
    EXPECT_EQ(road->type, kRoad3);
    EXPECT_TRUE(project.modified);
}
