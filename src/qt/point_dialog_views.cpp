#include "qt/point_dialog_views.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "model/records.h"
#include "qt/dialog_support.h"
#include "qt/icon_panel_widget.h"
#include "qt/text_codec.h"

namespace plotwell::qt {

namespace {
// What a name field holds without its terminator; a PNTFEATURE's last byte is its icon code.
constexpr int kNameLimit = kObjectNameSize - 1;
constexpr int kSimplePointNameLimit = kObjectNameSize - 2;
}  // namespace

// --- Simple Point Object ----------------------------------------------------------------------------

SimplePointView::SimplePointView(QWidget* owner, Host&, SimplePointModel& model)
    : QDialog(owner), model_(model) {
    setWindowTitle(from_local_text(model.dialog_title()));
    name_ = new QLineEdit(this);
    name_->setMaxLength(kSimplePointNameLimit);
    auto* name_row = new QHBoxLayout;
    name_row->addWidget(buddy_label(SimplePointModel::kNameLabel, name_, this));
    name_row->addWidget(name_, 1);

    auto* kind_row = new QHBoxLayout;
    auto* group = new QButtonGroup(this);
    for (int k = 0; k < 3; ++k) {
        kinds_[k] = new QRadioButton(from_local_text(SimplePointModel::kButtons[k]), this);
        group->addButton(kinds_[k], k);
        kind_row->addWidget(kinds_[k]);
        connect(kinds_[k], &QRadioButton::clicked, this, [this, k]() {
            read_widgets();
            model_.choose(SimplePointModel::Kind(k));
            refill();
        });
    }

    // The icon panel and the "&Type" row share one place; the model says which of them shows.
    type_row_ = new QWidget(this);
    type_list_ = new QComboBox(type_row_);
    type_label_ = buddy_label(SimplePointModel::kTypeLabel, type_list_, type_row_);
    auto* row = new QHBoxLayout(type_row_);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(type_label_);
    row->addWidget(type_list_, 1);
    panel_ = new IconPanelWidget(
        model.panel, [this](int x, int y) { return model_.click_panel(x, y); }, this);
    auto* shared = new QGridLayout;
    shared->addWidget(type_row_, 0, 0, Qt::AlignTop);
    shared->addWidget(panel_, 0, 0, Qt::AlignHCenter | Qt::AlignTop);
    shared->setRowMinimumHeight(0, kIconPanelHeight);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(name_row);
    layout->addLayout(kind_row);
    layout->addLayout(shared);
    layout->addWidget(ok_cancel_buttons(this));
    refill();
}

void SimplePointView::read_widgets() {
    model_.name = to_local_text(name_->text());
    model_.list_selection = type_list_->currentIndex();
}

void SimplePointView::refill() {
    name_->setText(from_local_text(model_.name));
    kinds_[model_.kind]->setChecked(true);
    fill_combo(type_list_, model_.list, model_.list_selection);
    type_row_->setVisible(!model_.panel_visible);
    panel_->setVisible(model_.panel_visible);
    panel_->update();
}

void SimplePointView::accept() {
    read_widgets();
    if (model_.ok()) QDialog::accept();
}

// --- Category Point Object --------------------------------------------------------------------------

CategoryPointView::CategoryPointView(QWidget* owner, Host&, CategoryPointModel& model)
    : QDialog(owner), model_(model) {
    setWindowTitle(from_local_text(model.dialog_title()));
    const auto* labels = CategoryPointModel::kLabels;
    auto* form = new QFormLayout;
    name_ = new QLineEdit(from_local_text(model.name), this);
    name_->setMaxLength(kNameLimit);
    form->addRow(buddy_label(labels[0], name_, this), name_);
    categories_ = new QComboBox(this);
    form->addRow(buddy_label(labels[1], categories_, this), categories_);
    sub_types_ = new QComboBox(this);
    form->addRow(buddy_label(labels[2], sub_types_, this), sub_types_);
    // Notes and rating are kept nowhere yet: shown, but not for editing.
    notes_ = new QPlainTextEdit(this);
    notes_->setEnabled(false);
    notes_->setTabChangesFocus(true);
    notes_->setFixedHeight(notes_->fontMetrics().lineSpacing() * 4);
    form->addRow(buddy_label(labels[3], notes_, this), notes_);
    rating_ = new QComboBox(this);
    rating_->setEnabled(false);
    form->addRow(buddy_label(labels[4], rating_, this), rating_);

    connect(categories_, &QComboBox::currentIndexChanged, this, [this](int index) {
        model_.select_category(index);
        refill_lists();
    });
    connect(sub_types_, &QComboBox::currentIndexChanged, this, [this](int index) {
        model_.select_sub_type(index);
        refill_lists();
    });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(ok_cancel_buttons(this));
    refill_lists();
}

void CategoryPointView::refill_lists() {
    fill_combo(categories_, model_.categories, model_.category_selection);
    fill_combo(sub_types_, model_.sub_types, model_.sub_type_selection);
}

void CategoryPointView::accept() {
    model_.name = to_local_text(name_->text());
    if (model_.ok()) QDialog::accept();
}

// --- Link Object ------------------------------------------------------------------------------------

LinkObjectView::LinkObjectView(QWidget* owner, Host&, LinkObjectModel& model)
    : QDialog(owner), model_(model) {
    setWindowTitle(from_local_text(model.dialog_title()));
    target_ = new QLineEdit(from_local_text(model.target), this);
    target_->setMaxLength(kNameLimit);
    target_->setMinimumWidth(target_->fontMetrics().averageCharWidth() * 30);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buddy_label(LinkObjectModel::kLabel, target_, this));
    layout->addWidget(target_);
    layout->addWidget(ok_cancel_buttons(this));
}

void LinkObjectView::accept() {
    model_.target = to_local_text(target_->text());
    if (model_.ok()) QDialog::accept();
}

}  // namespace plotwell::qt
