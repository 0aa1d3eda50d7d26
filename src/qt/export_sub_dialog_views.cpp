#include "qt/export_sub_dialog_views.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "qt/dialog_support.h"
#include "qt/text_codec.h"

namespace plotwell::qt {

namespace {

std::vector<std::string> names(const char* const* first, int count) {
    return std::vector<std::string>(first, first + count);
}

QComboBox* choice(QWidget* parent, const std::vector<std::string>& items, int selected) {
    auto* combo = new QComboBox(parent);
    fill_combo(combo, items, selected);
    return combo;
}

QCheckBox* check_box(const char* text, bool checked, QWidget* parent) {
    auto* box = new QCheckBox(from_local_text(text), parent);
    box->setChecked(checked);
    return box;
}

}  // namespace

// --- "Layer Properties" ----------------------------------------------------------------------------

LayerPropertiesView::LayerPropertiesView(QWidget* owner, Host&, LayerPropertiesDialog& model)
    : QDialog(owner), model_(model) {
    setWindowTitle(from_local_text(model.dialog_title()));
    setModal(true);
    auto* form = new QFormLayout;
    zoom_category_ = choice(this, names(kZoomCategoryNames, kZoomCategoryCount), model.zoom_category);
    form->addRow(buddy_label("Minimum Zoom &Category:", zoom_category_, this), zoom_category_);
    tree_depth_ = choice(this, {"1", "5"}, model.tree_depth);
    form->addRow(buddy_label("&Tree depth:", tree_depth_, this), tree_depth_);
    cache_searches_ = check_box("&Cache searches", model.cache_searches, this);
    form->addRow(cache_searches_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(ok_cancel_buttons(this));
}

void LayerPropertiesView::accept() {
    model_.zoom_category = zoom_category_->currentIndex();
    model_.tree_depth = tree_depth_->currentIndex();
    model_.cache_searches = cache_searches_->isChecked();
    QDialog::accept();
}

// --- "Map Preferences" -----------------------------------------------------------------------------

MapPreferencesView::MapPreferencesView(QWidget* owner, Host&, MapPreferencesDialog& model)
    : QDialog(owner), model_(model) {
    setWindowTitle(from_local_text(model.dialog_title()));
    setModal(true);
    const std::vector<std::string> zooms = names(kZoomNames, kZoomCount);

    auto* view_box = new QGroupBox(from_local_text("Initial View"), this);
    auto* view_grid = new QGridLayout(view_box);
    initial_zoom_ = choice(view_box, zooms, model.initial_zoom);
    view_grid->addWidget(buddy_label("&Zoom level:", initial_zoom_, view_box), 0, 0);
    view_grid->addWidget(initial_zoom_, 0, 1);
    // The file always carries the centre of the exported range, so the position cannot be set.
    position_x_ = new QLineEdit(from_local_text(model.position_x), view_box);
    position_y_ = new QLineEdit(from_local_text(model.position_y), view_box);
    current_center_ = new QPushButton(from_local_text("&Current center"), view_box);
    position_x_->setEnabled(false);
    position_y_->setEnabled(false);
    current_center_->setEnabled(false);
    view_grid->addWidget(buddy_label("&Position:", position_x_, view_box), 1, 0);
    view_grid->addWidget(position_x_, 1, 1);
    view_grid->addWidget(position_y_, 1, 2);
    view_grid->addWidget(current_center_, 1, 3);

    auto* zoom_box = new QGroupBox(from_local_text("Zoom levels"), this);
    auto* zoom_form = new QFormLayout(zoom_box);
    for (int g = 0; g < kZoomGroupCount; ++g) {
        group_zoom_[g] = choice(zoom_box, zooms, model.group_zoom[g]);
        zoom_form->addRow(buddy_label(kZoomGroupNames[g], group_zoom_[g], zoom_box), group_zoom_[g]);
    }
    std::vector<std::string> name_zooms{"Never"};
    name_zooms.insert(name_zooms.end(), zooms.begin(), zooms.end());
    names_zoom_ = choice(zoom_box, name_zooms, model.names_zoom);
    zoom_form->addRow(buddy_label("NAMES", names_zoom_, zoom_box), names_zoom_);
    add_zoom_ = choice(zoom_box, names(kZoomNames, kAddZoomCount), model.add_zoom);
    zoom_form->addRow(buddy_label("&Add Zoom:", add_zoom_, zoom_box), add_zoom_);

    auto* detail_box = new QGroupBox(from_local_text("Auto Details"), this);
    auto* detail_column = new QVBoxLayout(detail_box);
    roads_ = check_box("for Roads", model.roads, detail_box);
    railways_ = check_box("for Railways", model.railways, detail_box);
    point_features_ = check_box("for Point Features", model.point_features, detail_box);
    detail_column->addWidget(roads_);
    detail_column->addWidget(railways_);
    detail_column->addWidget(point_features_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view_box);
    layout->addWidget(zoom_box);
    layout->addWidget(detail_box);
    layout->addWidget(ok_cancel_buttons(this));
}

void MapPreferencesView::accept() {
    model_.initial_zoom = initial_zoom_->currentIndex();
    for (int g = 0; g < kZoomGroupCount; ++g) model_.group_zoom[g] = group_zoom_[g]->currentIndex();
    model_.names_zoom = names_zoom_->currentIndex();
    model_.add_zoom = add_zoom_->currentIndex();
    model_.roads = roads_->isChecked();
    model_.railways = railways_->isChecked();
    model_.point_features = point_features_->isChecked();
    model_.position_x = to_local_text(position_x_->text());
    model_.position_y = to_local_text(position_y_->text());
    QDialog::accept();
}

}  // namespace plotwell::qt
