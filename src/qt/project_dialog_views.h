// The views of the project-wide dialogs: "Project Properties", "Geographic Info" and "New Project".
#pragma once

#include <QDialog>

#include "platform/host.h"
#include "project/geo_info_dialog.h"
#include "project/new_project_dialog.h"
#include "project/project_properties_dialog.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace plotwell::qt {

class DialogViews;

class ProjectPropertiesView : public QDialog {
    Q_OBJECT
  public:
    // The bounds edits in the order X min, X max, Y min, Y max.
    enum Bound { kXMin = 0, kXMax, kYMin, kYMax, kBoundCount };

    ProjectPropertiesView(QWidget* owner, ProjectPropertiesModel& model);
    QLineEdit* name_edit() const { return name_; }
    QLineEdit* parent_map_edit() const { return parent_map_; }
    QLineEdit* projection_edit() const { return projection_; }
    QLineEdit* coord_sys_edit() const { return coord_sys_; }
    QLineEdit* bound_edit(Bound b) const { return bounds_[b]; }
    QRadioButton* geo_mode_button(int mode) const { return geo_modes_[mode]; }
    QPushButton* change_button() const { return change_; }
    QPlainTextEdit* notes_edit() const { return notes_; }

    void accept() override;

  private:
    ProjectPropertiesModel& model_;
    QLineEdit* name_;
    QLineEdit* parent_map_;
    QLineEdit* projection_;
    QPushButton* change_;
    QLineEdit* coord_sys_;
    QLineEdit* bounds_[kBoundCount];
    QRadioButton* geo_modes_[3];
    QPlainTextEdit* notes_;
};

class GeoInfoView : public QDialog {
    Q_OBJECT
  public:
    GeoInfoView(QWidget* owner, GeoInfoModel& model);
    QRadioButton* mode_button(int mode) const { return modes_[mode]; }
    QLineEdit* km_edit() const { return km_; }
    QLineEdit* edge_edit(int edge) const { return edges_[edge]; }

    // OK: a field the model cannot read keeps the dialog open with that field focused and selected.
    void accept() override;

  private:
    void read_fields();
    void fill_fields();
    void mode_clicked(int mode);

    GeoInfoModel& model_;
    QRadioButton* modes_[3];
    QLineEdit* km_;
    QLineEdit* edges_[GeoInfoModel::kEdgeCount];
};

class NewProjectView : public QDialog {
    Q_OBJECT
  public:
    NewProjectView(QWidget* owner, NewProjectModel& model);
    // The offered choices only; the fourth template has no button.
    QRadioButton* choice_button(int index) const { return choices_[index]; }

    void accept() override;

  private:
    NewProjectModel& model_;
    QRadioButton* choices_[NewProjectModel::kChoiceCount];
};

}  // namespace plotwell::qt
