#include "qt/bitmap_dialog_views.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "qt/dialog_support.h"
#include "qt/text_codec.h"

namespace plotwell::qt {

namespace {

constexpr int kFileNameChars = 127;  // the record's file name without its terminator

}  // namespace

// --- Background Bitmaps ---------------------------------------------------------------------------

BackgroundBitmapsView::BackgroundBitmapsView(QWidget* owner, BackgroundBitmapsModel& model)
    : QDialog(owner), model_(model) {
    setWindowTitle(from_local_text(model.dialog_title()));
    list_ = new QListWidget(this);
    list_->setMinimumWidth(280);
    fill_list(list_, model.lines, model.selected);
    auto* column = new QVBoxLayout;
    for (int i = 0; i < kButtonCount; ++i) {
        buttons_[i] = new QPushButton(from_local_text(BackgroundBitmapsModel::kButtons[i]), this);
        buttons_[i]->setAutoDefault(false);
        column->addWidget(buttons_[i]);
    }
    column->addStretch(1);
    connect(buttons_[kNew], &QPushButton::clicked, this,
            [this]() { run(&BackgroundBitmapsModel::new_bitmap); });
    connect(buttons_[kProperties], &QPushButton::clicked, this,
            [this]() { run(&BackgroundBitmapsModel::properties); });
    connect(list_, &QListWidget::itemDoubleClicked, this,
            [this]() { run(&BackgroundBitmapsModel::properties); });
    connect(buttons_[kRemove], &QPushButton::clicked, this,
            [this]() { run(&BackgroundBitmapsModel::remove); });
    connect(buttons_[kMoveUp], &QPushButton::clicked, this,
            [this]() { run(&BackgroundBitmapsModel::move_up); });
    connect(buttons_[kMoveDown], &QPushButton::clicked, this,
            [this]() { run(&BackgroundBitmapsModel::move_down); });
    // The table is changed in place by every button, so there is nothing left to confirm or cancel.
    connect(buttons_[kDone], &QPushButton::clicked, this, &QDialog::accept);
    buttons_[kDone]->setDefault(true);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addLayout(column);
}

void BackgroundBitmapsView::run(void (BackgroundBitmapsModel::*action)()) {
    model_.selected = list_selection(list_);
    (model_.*action)();
    fill_list(list_, model_.lines, model_.selected);
}

// --- Bitmap Properties ----------------------------------------------------------------------------

BitmapPropertiesView::BitmapPropertiesView(QWidget* owner, BitmapPropertiesModel& model)
    : QDialog(owner), model_(model) {
    using M = BitmapPropertiesModel;
    setWindowTitle(from_local_text(model.dialog_title()));
    file_ = new QLineEdit(this);
    file_->setMaxLength(kFileNameChars);
    file_->setMinimumWidth(260);
    browse_ = new QPushButton(from_local_text(M::kButtons[0]), this);
    browse_->setAutoDefault(false);
    connect(browse_, &QPushButton::clicked, this, &BitmapPropertiesView::browse);
    auto* file_row = new QHBoxLayout;
    file_row->addWidget(buddy_label(M::kLabels[0], file_, this));
    file_row->addWidget(file_, 1);
    file_row->addWidget(browse_);

    auto* position = new QGroupBox(from_local_text(M::kLabels[1]), this);
    auto* grid = new QGridLayout(position);
    for (int i = 0; i < kBoundCount; ++i) {
        bounds_[i] = new QLineEdit(position);
        grid->addWidget(buddy_label(M::kLabels[2 + i], bounds_[i], position), i / 2, (i % 2) * 2);
        grid->addWidget(bounds_[i], i / 2, (i % 2) * 2 + 1);
    }
    set_from_prev_ = new QPushButton(from_local_text(M::kButtons[1]), position);
    set_from_prev_->setAutoDefault(false);
    connect(set_from_prev_, &QPushButton::clicked, this, &BitmapPropertiesView::set_from_prev);
    grid->addWidget(set_from_prev_, 2, 3);

    locked_ = new QCheckBox(from_local_text(M::kButtons[2]), this);
    visible_ = new QCheckBox(from_local_text(M::kButtons[3]), this);
    auto* boxes = new QHBoxLayout;
    boxes->addWidget(locked_);
    boxes->addWidget(visible_);
    boxes->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(file_row);
    layout->addWidget(position);
    layout->addLayout(boxes);
    layout->addWidget(ok_cancel_buttons(this));

    fill_fields();
    // Once an entry has its file, the file stays.
    file_->setReadOnly(model.file_read_only);
    browse_->setVisible(model.browse_visible);
    // "Set from prev." needs a file to measure; typing one offers it.
    connect(file_, &QLineEdit::textChanged, this, [this](const QString& text) {
        model_.file_name = to_local_text(text);
        set_from_prev_->setEnabled(model_.set_from_prev_enabled());
    });
}

void BitmapPropertiesView::read_fields() {
    model_.file_name = to_local_text(file_->text());
    std::string* texts[kBoundCount] = {&model_.x_min, &model_.x_max, &model_.y_min, &model_.y_max};
    for (int i = 0; i < kBoundCount; ++i) *texts[i] = to_local_text(bounds_[i]->text());
    model_.locked = locked_->isChecked();
    model_.visible = visible_->isChecked();
}

void BitmapPropertiesView::fill_fields() {
    file_->setText(from_local_text(model_.file_name));
    const std::string* texts[kBoundCount] = {&model_.x_min, &model_.x_max, &model_.y_min, &model_.y_max};
    for (int i = 0; i < kBoundCount; ++i) bounds_[i]->setText(from_local_text(*texts[i]));
    locked_->setChecked(model_.locked);
    visible_->setChecked(model_.visible);
    set_from_prev_->setEnabled(model_.set_from_prev_enabled());
}

void BitmapPropertiesView::browse() {
    read_fields();
    model_.browse();
    fill_fields();
}

void BitmapPropertiesView::set_from_prev() {
    read_fields();
    model_.set_from_prev();
    fill_fields();
}

void BitmapPropertiesView::accept() {
    read_fields();
    if (model_.ok()) QDialog::accept();
}

}  // namespace plotwell::qt
