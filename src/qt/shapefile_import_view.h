// The view of the "Import ShapeFile" dialog: the file, its dimension, the destination layer and the
// tabbed conversion pages. Tab 4 shows the Linking, Points or Polygons page, as the model says.
#pragma once

#include <QDialog>

#include "platform/host.h"
#include "qt/shapefile_import_pages.h"
#include "shapefile/import_dialog.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTabBar;

namespace plotwell::qt {

class ShapefileImportView : public QDialog {
    Q_OBJECT
  public:
    ShapefileImportView(QWidget* owner, Host& host, ImportShapefileDialog& model);

    QLineEdit* filename_edit() const { return filename_; }
    QLineEdit* dimension_edit() const { return dimension_; }
    QComboBox* layer_combo() const { return layers_; }
    QTabBar* tab_bar() const { return tabs_; }
    // The page widget of an ImportPage (all seven exist; only the current tab's page is shown).
    ImportPageWidget* page(int import_page) const { return pages_[import_page]; }
    NamePage* name_page() const { return name_; }
    TypePage* type_page() const { return type_; }
    FilterPage* filter_page() const { return filter_; }
    CoordinatesPage* coordinates_page() const { return coordinates_; }
    LinkingPage* linking_page() const { return linking_; }
    PointsPage* points_page() const { return points_; }

    // OK: the widgets into the model, which stores every page and checks them in tab order; when it
    // refuses, the dialog stays open at the page that failed.
    void accept() override;

    // "&Profile Name:" with "&New..." and "&Delete".
    QComboBox* profile_combo() const { return profiles_; }
    QPushButton* new_profile_button() const { return new_profile_; }
    QPushButton* delete_profile_button() const { return delete_profile_; }
    PolygonsPage* polygons_page() const { return polygons_; }

  private:
    void tab_chosen(int tab);
    void show_current_page();
    void fill_profiles();
    void profile_chosen(int choice);
    void new_profile();

    ImportShapefileDialog& model_;
    Host& host_;
    QLineEdit* filename_;
    QLineEdit* dimension_;
    QComboBox* layers_;
    QComboBox* profiles_;
    QPushButton* new_profile_;
    QPushButton* delete_profile_;
    QTabBar* tabs_;
    QStackedWidget* stack_;
    NamePage* name_;
    TypePage* type_;
    FilterPage* filter_;
    CoordinatesPage* coordinates_;
    LinkingPage* linking_;
    PointsPage* points_;
    PolygonsPage* polygons_;
    ImportPageWidget* pages_[kImportPageCount];
};

}  // namespace plotwell::qt
