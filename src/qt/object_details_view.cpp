#include "qt/object_details_view.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "model/records.h"
#include "qt/dialog_support.h"
#include "qt/text_codec.h"

namespace plotwell::qt {

ObjectDetailsView::ObjectDetailsView(QWidget* owner, Host&, ObjectDetailsModel& model)
    : QDialog(owner), model_(model) {
    setWindowTitle(from_local_text(model.dialog_title()));
    auto* form = new QFormLayout;
    name_ = new QLineEdit(from_local_text(model.name), this);
    // The longest name a record holds; the model cuts one more for a simple point's icon code.
    name_->setMaxLength(kObjectNameSize - 1);
    name_->setMinimumWidth(name_->fontMetrics().averageCharWidth() * 30);
    form->addRow(buddy_label(ObjectDetailsModel::kLabels[0], name_, this), name_);
    types_ = new QComboBox(this);
    fill_combo(types_, model.types, model.type);
    form->addRow(buddy_label(ObjectDetailsModel::kLabels[1], types_, this), types_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(ok_cancel_buttons(this));
}

void ObjectDetailsView::accept() {
    model_.name = to_local_text(name_->text());
    model_.type = types_->currentIndex();
    if (model_.ok()) QDialog::accept();
}

}  // namespace plotwell::qt
