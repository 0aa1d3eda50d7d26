#include "qt/selection_dialog_views.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "qt/dialog_support.h"
#include "qt/text_codec.h"

namespace plotwell::qt {

GroupPropertiesView::GroupPropertiesView(QWidget* owner, Host&, GroupPropertiesModel& model)
    : QDialog(owner), model_(model) {
    setWindowTitle(from_local_text(model.dialog_title()));
    setModal(true);
    dimension_ = new QLabel(from_local_text(model.dimension_text), this);
    type_ = new QComboBox(this);
    fill_combo(type_, model.types, model.type_selection);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(from_local_text(GroupPropertiesModel::kLabels[0]), this), 0, 0);
    grid->addWidget(dimension_, 0, 1);
    grid->addWidget(buddy_label(GroupPropertiesModel::kLabels[1], type_, this), 1, 0);
    grid->addWidget(type_, 1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(ok_cancel_buttons(this));
}

void GroupPropertiesView::accept() {
    model_.type_selection = type_->currentIndex();
    if (model_.ok()) QDialog::accept();
}

SelectObjectsView::SelectObjectsView(QWidget* owner, Host&, SelectObjectsModel& model)
    : QDialog(owner), model_(model) {
    setWindowTitle(from_local_text(model.dialog_title()));
    setModal(true);
    dimension_ = new QComboBox(this);
    fill_combo(dimension_, model.dimensions, model.dimension_selection);
    type_ = new QComboBox(this);
    fill_combo(type_, model.types, model.type_selection);
    // Another dimension has other types: the model refills its list and the view shows it.
    connect(dimension_, &QComboBox::currentIndexChanged, this, [this](int index) {
        model_.select_dimension(index);
        fill_combo(type_, model_.types, model_.type_selection);
    });
    connect(type_, &QComboBox::currentIndexChanged, this, [this](int index) { model_.select_type(index); });

    auto* grid = new QGridLayout;
    QWidget* controls[] = {dimension_, type_};
    for (int row = 0; row < 2; ++row) {
        grid->addWidget(buddy_label(SelectObjectsModel::kLabels[row], controls[row], this), row, 0);
        grid->addWidget(controls[row], row, 1);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(ok_cancel_buttons(this));
}

void SelectObjectsView::accept() {
    model_.select_dimension(dimension_->currentIndex());
    model_.select_type(type_->currentIndex());
    if (model_.ok()) QDialog::accept();
}

}  // namespace plotwell::qt
