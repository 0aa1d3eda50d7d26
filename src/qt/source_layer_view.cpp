#include "qt/source_layer_view.h"

#include <QVBoxLayout>

#include "qt/dialog_support.h"
#include "qt/text_codec.h"

namespace plotwell::qt {

SourceLayerView::SourceLayerView(QWidget* owner, Host&, SourceLayerModel& model)
    : QDialog(owner), model_(model) {
    setWindowTitle(from_local_text(model.dialog_title()));
    list_ = new QListWidget(this);
    // Layer names are UTF-8 in every source GDAL reads.
    for (const std::string& name : model.layers) list_->addItem(QString::fromStdString(name));
    list_->setCurrentRow(model.chosen);
    connect(list_, &QListWidget::itemDoubleClicked, this, &SourceLayerView::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buddy_label(SourceLayerModel::kLabel, list_, this));
    layout->addWidget(list_);
    layout->addWidget(ok_cancel_buttons(this));
}

void SourceLayerView::accept() {
    if (list_->currentRow() < 0) return;
    model_.chosen = list_->currentRow();
    QDialog::accept();
}

}  // namespace plotwell::qt
