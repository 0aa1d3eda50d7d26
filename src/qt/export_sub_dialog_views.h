// The views of the export dialog's two sub-dialogs: "Layer Properties" (one layer's export indexing)
// and "Map Preferences" (the handheld's initial view, zoom levels and auto details).
#pragma once

#include <QDialog>

#include "export/export_dialog.h"
#include "platform/host.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace plotwell::qt {

class LayerPropertiesView : public QDialog {
    Q_OBJECT
  public:
    LayerPropertiesView(QWidget* owner, Host& host, LayerPropertiesDialog& model);
    QComboBox* zoom_category_combo() const { return zoom_category_; }
    QComboBox* tree_depth_combo() const { return tree_depth_; }
    QCheckBox* cache_searches_box() const { return cache_searches_; }

    void accept() override;  // OK: the controls into the model; its caller stores them

  private:
    LayerPropertiesDialog& model_;
    QComboBox* zoom_category_;
    QComboBox* tree_depth_;
    QCheckBox* cache_searches_;
};

class MapPreferencesView : public QDialog {
    Q_OBJECT
  public:
    MapPreferencesView(QWidget* owner, Host& host, MapPreferencesDialog& model);
    QComboBox* initial_zoom_combo() const { return initial_zoom_; }
    QComboBox* group_zoom_combo(int group) const { return group_zoom_[group]; }
    QComboBox* names_zoom_combo() const { return names_zoom_; }
    QComboBox* add_zoom_combo() const { return add_zoom_; }
    QCheckBox* roads_box() const { return roads_; }
    QCheckBox* railways_box() const { return railways_; }
    QCheckBox* point_features_box() const { return point_features_; }
    QLineEdit* position_x_edit() const { return position_x_; }
    QLineEdit* position_y_edit() const { return position_y_; }
    QPushButton* current_center_button() const { return current_center_; }

    void accept() override;  // OK: the controls into the model; its caller stores them

  private:
    MapPreferencesDialog& model_;
    QComboBox* initial_zoom_;
    QLineEdit* position_x_;
    QLineEdit* position_y_;
    QPushButton* current_center_;
    QComboBox* group_zoom_[kZoomGroupCount];
    QComboBox* names_zoom_;
    QComboBox* add_zoom_;
    QCheckBox* roads_;
    QCheckBox* railways_;
    QCheckBox* point_features_;
};

}  // namespace plotwell::qt
