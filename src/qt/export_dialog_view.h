// The view of the tabbed "Export - Trekpad Plus/Max" dialog: the pages "ID", "Layers", "Regions" and
// "Misc" over an opened ExportDialog, with "Export" and "Cancel".
#pragma once

#include <QDialog>

#include "export/export_dialog.h"
#include "platform/host.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace plotwell::qt {

class ExportDialogView : public QDialog {
    Q_OBJECT
  public:
    // `model` has been opened; the view shows its pages and its current tab.
    ExportDialogView(QWidget* owner, Host& host, ExportDialog& model);

    QTabWidget* tabs() const { return tabs_; }
    QPushButton* export_button() const { return export_; }
    // "ID"
    QLineEdit* map_name_edit() const { return map_name_; }
    QLineEdit* map_id_edit() const { return map_id_; }
    QLineEdit* parent_id_edit() const { return parent_id_; }
    // "Layers"
    QListWidget* ignored_list() const { return ignored_; }
    QListWidget* visible_list() const { return visible_; }
    QPushButton* add_button() const { return add_; }
    QPushButton* remove_button() const { return remove_; }
    QPushButton* properties_button() const { return properties_; }
    // "Regions"
    QLineEdit* level_name_edit() const { return level_name_; }
    QComboBox* source_layer_combo() const { return source_layer_; }
    QPushButton* more_button() const { return more_; }
    QPushButton* fewer_button() const { return fewer_; }
    // "Misc"
    QCheckBox* map_notes_box() const { return map_notes_; }
    QCheckBox* publisher_box() const { return publisher_; }
    QCheckBox* selection_only_box() const { return selection_only_; }
    QCheckBox* preferences_box() const { return preferences_; }
    QPushButton* details_button() const { return details_; }
    QLineEdit* category_theme_edit() const { return category_theme_; }
    QComboBox* map_class_combo() const { return map_class_; }
    QLineEdit* simplify_edit() const { return simplify_; }
    QLineEdit* min_area_edit() const { return min_area_; }
    QCheckBox* split_long_lines_box() const { return split_long_lines_; }
    QCheckBox* fit_map_class_box() const { return fit_map_class_; }
    QPushButton* size_button() const { return size_; }
    QLabel* size_report_label() const { return size_report_; }

    // "Export": every page into the model, which stores and checks them; stays open at the page that
    // failed.
    void accept() override;

  private:
    QWidget* build_id_page();
    QWidget* build_layers_page();
    QWidget* build_regions_page();
    QWidget* build_misc_page();
    QWidget* build_fit_box(QWidget* page);

    // The page's controls into the model's page, and back.
    void read_page(int tab);
    void show_page(int tab);
    void tab_changed(int tab);

    void add_layer();
    void remove_layer();
    void layer_properties();
    void more_regions();
    void fewer_regions();
    void preference_details();
    void size_pressed();

    Host& host_;
    ExportDialog& model_;
    int shown_tab_ = kExportTabId;

    QTabWidget* tabs_;
    QPushButton* export_;
    QLineEdit* map_name_;
    QLineEdit* map_id_;
    QLineEdit* parent_id_;
    QListWidget* ignored_;
    QListWidget* visible_;
    QPushButton* add_;
    QPushButton* remove_;
    QPushButton* properties_;
    QLineEdit* level_name_;
    QComboBox* source_layer_;
    QPushButton* more_;
    QPushButton* fewer_;
    QCheckBox* map_notes_;
    QCheckBox* publisher_;
    QCheckBox* selection_only_;
    QCheckBox* preferences_;
    QPushButton* details_;
    QLineEdit* category_theme_;
    QComboBox* map_class_;
    QLineEdit* simplify_;
    QLineEdit* min_area_;
    QCheckBox* split_long_lines_;
    QCheckBox* fit_map_class_;
    QPushButton* size_;
    QLabel* size_report_;
};

}  // namespace plotwell::qt
