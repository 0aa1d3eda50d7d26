// The views of the dialogs that act on several objects: "Group Object Properties" (one type for all the
// current lines or polygons) and "Select Objects" (a dimension and a type to select by).
#pragma once

#include <QDialog>

#include "dialogs/group_properties_dialog.h"
#include "dialogs/select_objects_dialog.h"
#include "platform/host.h"

class QComboBox;
class QLabel;

namespace plotwell::qt {

class GroupPropertiesView : public QDialog {
    Q_OBJECT
  public:
    GroupPropertiesView(QWidget* owner, Host& host, GroupPropertiesModel& model);
    QLabel* dimension_label() const { return dimension_; }
    QComboBox* type_combo() const { return type_; }

    void accept() override;  // OK: the chosen type into the model

  private:
    GroupPropertiesModel& model_;
    QLabel* dimension_;
    QComboBox* type_;
};

class SelectObjectsView : public QDialog {
    Q_OBJECT
  public:
    SelectObjectsView(QWidget* owner, Host& host, SelectObjectsModel& model);
    QComboBox* dimension_combo() const { return dimension_; }
    QComboBox* type_combo() const { return type_; }

    void accept() override;  // OK: the model answers the dimension and the type

  private:
    SelectObjectsModel& model_;
    QComboBox* dimension_;
    QComboBox* type_;
};

}  // namespace plotwell::qt
