// The views of the layer table's dialogs: "Layers" (no Cancel, closes with "Done") and "Edit Layer".
#pragma once

#include <QDialog>
#include <array>

#include "dialogs/edit_layer_dialog.h"
#include "editor/layers_dialog.h"
#include "platform/host.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace plotwell::qt {

class LayersView : public QDialog {
    Q_OBJECT
  public:
    LayersView(QWidget* owner, Host& host, LayersModel& model);
    QListWidget* layer_list() const { return list_; }
    // "&New...", "&Delete...", "&Edit...", "Move &Up", "Move Do&wn", "Done", in the model's order.
    QPushButton* button(int index) const { return buttons_.at(size_t(index)); }

    // There is no Cancel: Escape and the close box leave the dialog open.
    void reject() override {}

  private:
    // Each button hands the selected line to the model, lets it act, and shows its lines again.
    void act(void (LayersModel::*action)());
    void refill();

    LayersModel& model_;
    QListWidget* list_;
    std::array<QPushButton*, 6> buttons_{};
};

class EditLayerView : public QDialog {
    Q_OBJECT
  public:
    EditLayerView(QWidget* owner, Host& host, EditLayerModel& model);
    QLineEdit* name_edit() const { return name_; }
    QComboBox* type_combo() const { return type_; }
    QComboBox* theme_combo() const { return theme_; }

    void accept() override;  // OK: the controls into the model, which stores them

  private:
    EditLayerModel& model_;
    QLineEdit* name_;
    QComboBox* type_;
    QComboBox* theme_;
};

// "Layers" answers 1 when the layer table changed (the model's own record of it).
int show_layers(QWidget* owner, Host& host, LayersModel& model);

}  // namespace plotwell::qt
