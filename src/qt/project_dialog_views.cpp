#include "qt/project_dialog_views.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "qt/bitmap_dialog_views.h"
#include "qt/dialog_support.h"
#include "qt/dialog_views.h"
#include "qt/import_project_views.h"
#include "qt/qt_host.h"
#include "qt/text_codec.h"

namespace plotwell::qt {

namespace {

// What the record fields hold without their terminators, and the longest number text read back.
constexpr int kNameChars = 31;
constexpr int kParentMapChars = 39;
constexpr int kBoundChars = 15;
constexpr int kKmChars = 7;
constexpr int kEdgeChars = 31;

QLineEdit* field(const std::string& text, int max_chars, QWidget* parent) {
    auto* edit = new QLineEdit(from_local_text(text), parent);
    if (max_chars > 0) edit->setMaxLength(max_chars);
    return edit;
}

}  // namespace

// --- Project Properties ---------------------------------------------------------------------------

ProjectPropertiesView::ProjectPropertiesView(QWidget* owner, ProjectPropertiesModel& model)
    : QDialog(owner), model_(model) {
    using M = ProjectPropertiesModel;
    setWindowTitle(from_local_text(model.dialog_title()));
    auto* form = new QFormLayout;
    name_ = field(model.name, kNameChars, this);
    form->addRow(buddy_label(M::kLabels[0], name_, this), name_);
    parent_map_ = field(model.parent_map_basename, kParentMapChars, this);
    form->addRow(buddy_label(M::kLabels[1], parent_map_, this), parent_map_);
    projection_ = field(model.projection, 0, this);
    projection_->setReadOnly(true);
    change_ = new QPushButton(from_local_text(M::kChangeButton), this);
    connect(change_, &QPushButton::clicked, this, [this]() { model_.change(); });
    auto* projection_row = new QHBoxLayout;
    projection_row->addWidget(projection_, 1);
    projection_row->addWidget(change_);
    form->addRow(buddy_label(M::kLabels[2], projection_, this), projection_row);
    coord_sys_ = field(model.coord_sys, 0, this);
    coord_sys_->setReadOnly(true);
    form->addRow(buddy_label(M::kLabels[3], coord_sys_, this), coord_sys_);

    auto* bounds = new QGroupBox(from_local_text(M::kBoundsGroup), this);
    auto* grid = new QGridLayout(bounds);
    const std::string* texts[kBoundCount] = {&model.x_min, &model.x_max, &model.y_min, &model.y_max};
    for (int i = 0; i < kBoundCount; ++i) {
        bounds_[i] = field(*texts[i], kBoundChars, bounds);
        grid->addWidget(buddy_label(M::kLabels[4 + i], bounds_[i], bounds), i / 2, (i % 2) * 2);
        grid->addWidget(bounds_[i], i / 2, (i % 2) * 2 + 1);
    }

    // Shown only: the mode is set in "Geographic Info".
    auto* geo_row = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        geo_modes_[i] = new QRadioButton(from_local_text(M::kGeoModeButtons[i]), this);
        geo_modes_[i]->setChecked(model.geo_mode == i);
        geo_modes_[i]->setEnabled(false);
        geo_row->addWidget(geo_modes_[i]);
    }
    geo_row->addStretch(1);
    auto* lower = new QFormLayout;
    lower->addRow(new QLabel(from_local_text(M::kLabels[8]), this), geo_row);
    notes_ = new QPlainTextEdit(this);
    notes_->setEnabled(false);
    notes_->setTabChangesFocus(true);
    notes_->setFixedHeight(60);
    lower->addRow(buddy_label(M::kLabels[9], notes_, this), notes_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(bounds);
    layout->addLayout(lower);
    layout->addWidget(ok_cancel_buttons(this));
}

void ProjectPropertiesView::accept() {
    model_.name = to_local_text(name_->text());
    model_.parent_map_basename = to_local_text(parent_map_->text());
    std::string* texts[kBoundCount] = {&model_.x_min, &model_.x_max, &model_.y_min, &model_.y_max};
    for (int i = 0; i < kBoundCount; ++i) *texts[i] = to_local_text(bounds_[i]->text());
    if (model_.ok()) QDialog::accept();
}

// --- Geographic Info ------------------------------------------------------------------------------

GeoInfoView::GeoInfoView(QWidget* owner, GeoInfoModel& model) : QDialog(owner), model_(model) {
    using M = GeoInfoModel;
    setWindowTitle(from_local_text(model.dialog_title()));
    auto* layout = new QVBoxLayout(this);
    for (int i = 0; i < 3; ++i) {
        modes_[i] = new QRadioButton(from_local_text(M::kModeButtons[i]), this);
        connect(modes_[i], &QRadioButton::clicked, this, [this, i]() { mode_clicked(i); });
        layout->addWidget(modes_[i]);
    }
    km_ = new QLineEdit(this);
    km_->setMaxLength(kKmChars);
    auto* km_row = new QHBoxLayout;
    km_row->addWidget(buddy_label(M::kWidthLabel, km_, this));
    km_row->addWidget(km_);
    km_row->addWidget(new QLabel(from_local_text(M::kKmLabel), this));
    km_row->addStretch(1);
    layout->addLayout(km_row);

    auto* edges = new QFormLayout;
    for (int i = 0; i < M::kEdgeCount; ++i) {
        edges_[i] = new QLineEdit(this);
        edges_[i]->setMaxLength(kEdgeChars);
        edges->addRow(buddy_label(M::kEdgeLabels[i], edges_[i], this), edges_[i]);
    }
    layout->addLayout(edges);
    layout->addWidget(new QLabel(from_local_text(M::kEdgeHint), this));
    layout->addWidget(ok_cancel_buttons(this));
    fill_fields();
}

void GeoInfoView::read_fields() {
    for (int i = 0; i < 3; ++i)
        if (modes_[i]->isChecked()) model_.mode = i;
    model_.km = to_local_text(km_->text());
    for (int i = 0; i < GeoInfoModel::kEdgeCount; ++i) model_.edges[i] = to_local_text(edges_[i]->text());
}

void GeoInfoView::fill_fields() {
    for (int i = 0; i < 3; ++i) modes_[i]->setChecked(model_.mode == i);
    km_->setText(from_local_text(model_.km));
    for (int i = 0; i < GeoInfoModel::kEdgeCount; ++i) edges_[i]->setText(from_local_text(model_.edges[i]));
}

void GeoInfoView::mode_clicked(int mode) {
    read_fields();
    model_.select_mode(mode);
    fill_fields();
}

void GeoInfoView::accept() {
    read_fields();
    if (model_.ok()) {
        QDialog::accept();
        return;
    }
    const int edge = model_.focused_edge;
    if (edge >= 0 && edge < GeoInfoModel::kEdgeCount) {
        edges_[edge]->setFocus(Qt::OtherFocusReason);
        edges_[edge]->selectAll();
    }
}

// --- New Project ----------------------------------------------------------------------------------

NewProjectView::NewProjectView(QWidget* owner, NewProjectModel& model) : QDialog(owner), model_(model) {
    setWindowTitle(from_local_text(model.dialog_title()));
    auto* layout = new QVBoxLayout(this);
    for (int i = 0; i < NewProjectModel::kChoiceCount; ++i) {
        choices_[i] = new QRadioButton(from_local_text(NewProjectModel::kChoices[i]), this);
        choices_[i]->setChecked(model.choice == i);
        layout->addWidget(choices_[i]);
    }
    layout->addWidget(ok_cancel_buttons(this));
}

void NewProjectView::accept() {
    for (int i = 0; i < NewProjectModel::kChoiceCount; ++i)
        if (choices_[i]->isChecked()) model_.select(i);
    QDialog::accept();
}

// --- the registry ---------------------------------------------------------------------------------

void add_project_views(DialogViews& views) {
    views.add_view<ProjectPropertiesModel, ProjectPropertiesView>();
    views.add_view<GeoInfoModel, GeoInfoView>();
    views.add_view<NewProjectModel, NewProjectView>();
    views.add_view<BackgroundBitmapsModel, BackgroundBitmapsView>();
    views.add_view<BitmapPropertiesModel, BitmapPropertiesView>();
    views.add_view<ImportProjectDialog, ImportProjectView>();
    views.add_view<LayerTranslationDialog, LayerTranslationView>();
    views.add_view<CloneProjectDialog, CloneProjectView>();
}

}  // namespace plotwell::qt
