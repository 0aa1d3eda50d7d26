// The view of "Choose Layer": the source's layers in a list, the chosen one selected.
#pragma once

#include <QDialog>
#include <QListWidget>

#include "platform/host.h"
#include "shapefile/source_layer_dialog.h"

namespace plotwell::qt {

class SourceLayerView : public QDialog {
    Q_OBJECT
  public:
    SourceLayerView(QWidget* owner, Host& host, SourceLayerModel& model);
    QListWidget* layer_list() const { return list_; }

    void accept() override;

  private:
    SourceLayerModel& model_;
    QListWidget* list_;
};

}  // namespace plotwell::qt
