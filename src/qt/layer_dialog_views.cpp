#include "qt/layer_dialog_views.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/records.h"
#include "model/vocabulary.h"
#include "qt/dialog_support.h"
#include "qt/dialog_views.h"
#include "qt/qt_host.h"
#include "qt/selection_dialog_views.h"
#include "qt/text_codec.h"

namespace plotwell::qt {

namespace {

enum LayerButton { kNew, kDelete, kEdit, kMoveUp, kMoveDown, kDone };

std::vector<std::string> names(const char* const* first, int count) {
    return std::vector<std::string>(first, first + count);
}

}  // namespace

LayersView::LayersView(QWidget* owner, Host&, LayersModel& model) : QDialog(owner), model_(model) {
    setWindowTitle(from_local_text(model.dialog_title()));
    setModal(true);

    list_ = new QListWidget(this);
    list_->setFont(fixed_pitch_font());
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    // Room for a full line: a 31-character name, a blank and the bracketed theme.
    list_->setMinimumWidth(QFontMetrics(list_->font()).horizontalAdvance(QString(48, 'M')));
    list_->setMinimumHeight(QFontMetrics(list_->font()).lineSpacing() * (kMaxLayers + 1));

    auto* column = new QVBoxLayout;
    for (size_t i = 0; i < buttons_.size(); ++i) {
        buttons_[i] = new QPushButton(from_local_text(LayersModel::kButtons[i]), this);
        if (i == kDone) column->addStretch();
        column->addWidget(buttons_[i]);
    }
    buttons_[kDone]->setDefault(true);

    connect(buttons_[kNew], &QPushButton::clicked, this, [this]() { act(&LayersModel::new_layer); });
    connect(buttons_[kDelete], &QPushButton::clicked, this, [this]() { act(&LayersModel::delete_layer); });
    connect(buttons_[kEdit], &QPushButton::clicked, this, [this]() { act(&LayersModel::edit_layer); });
    connect(buttons_[kMoveUp], &QPushButton::clicked, this, [this]() { act(&LayersModel::move_up); });
    connect(buttons_[kMoveDown], &QPushButton::clicked, this, [this]() { act(&LayersModel::move_down); });
    connect(buttons_[kDone], &QPushButton::clicked, this, &QDialog::accept);
    connect(list_, &QListWidget::itemDoubleClicked, this, [this]() { act(&LayersModel::edit_layer); });

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addLayout(column);
    refill();
}

void LayersView::act(void (LayersModel::*action)()) {
    model_.selected = list_selection(list_);
    (model_.*action)();
    refill();
}

void LayersView::refill() {
    fill_list(list_, model_.lines, model_.selected);
}

EditLayerView::EditLayerView(QWidget* owner, Host&, EditLayerModel& model) : QDialog(owner), model_(model) {
    setWindowTitle(from_local_text(model.dialog_title()));
    setModal(true);
    name_ = new QLineEdit(from_local_text(model.name), this);
    name_->setMaxLength(kLayerNameSize - 1);
    type_ = new QComboBox(this);
    fill_combo(type_, names(kLayerTypeNames, kLayerTypeCount), model.type);
    theme_ = new QComboBox(this);
    fill_combo(theme_, names(kThemeNames, kThemeCount), model.theme);

    auto* grid = new QGridLayout;
    QWidget* controls[] = {name_, type_, theme_};
    for (int row = 0; row < 3; ++row) {
        grid->addWidget(buddy_label(EditLayerModel::kLabels[row], controls[row], this), row, 0);
        grid->addWidget(controls[row], row, 1);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(ok_cancel_buttons(this));
}

void EditLayerView::accept() {
    model_.name = to_local_text(name_->text());
    model_.type = type_->currentIndex();
    model_.theme = theme_->currentIndex();
    if (model_.ok()) QDialog::accept();
}

int show_layers(QWidget* owner, Host& host, LayersModel& model) {
    LayersView view(owner, host, model);
    exec_centred(view, owner);
    return model.changed ? 1 : 0;
}

// The layer dialogs and the two dialogs over groups of objects of a layer.
void add_layer_views(DialogViews& views) {
    views.add<LayersModel>(show_layers);
    views.add_view<EditLayerModel, EditLayerView>();
    views.add_view<GroupPropertiesModel, GroupPropertiesView>();
    views.add_view<SelectObjectsModel, SelectObjectsView>();
}

}  // namespace plotwell::qt
