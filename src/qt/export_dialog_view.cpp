#include "qt/export_dialog_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "qt/dialog_support.h"
#include "qt/dialog_views.h"
#include "qt/export_sub_dialog_views.h"
#include "qt/qt_host.h"
#include "qt/text_codec.h"

namespace plotwell::qt {

namespace {

// Wide enough for "15: " and a layer name with its theme.
constexpr int kLayerLineChars = 36;

void use_layer_font(QWidget* w) {
    const QFont font = fixed_pitch_font();
    w->setFont(font);
    w->setMinimumWidth(QFontMetrics(font).horizontalAdvance(QLatin1Char('M')) * kLayerLineChars);
}

QPushButton* button(const char* text, QWidget* parent) {
    return new QPushButton(from_local_text(text), parent);
}

QCheckBox* check_box(const char* text, QWidget* parent) {
    return new QCheckBox(from_local_text(text), parent);
}

}  // namespace

ExportDialogView::ExportDialogView(QWidget* owner, Host& host, ExportDialog& model)
    : QDialog(owner), host_(host), model_(model) {
    setWindowTitle(from_local_text(model.dialog_title()));
    setModal(true);
    // Every page is made once; the tab widget shows one and hides the others.
    tabs_ = new QTabWidget(this);
    tabs_->addTab(build_id_page(), from_local_text(kExportTabLabels[kExportTabId]));
    tabs_->addTab(build_layers_page(), from_local_text(kExportTabLabels[kExportTabLayers]));
    tabs_->addTab(build_regions_page(), from_local_text(kExportTabLabels[kExportTabRegions]));
    tabs_->addTab(build_misc_page(), from_local_text(kExportTabLabels[kExportTabMisc]));
    for (int tab = 0; tab < kExportTabCount; ++tab) show_page(tab);
    shown_tab_ = model.current_tab;
    tabs_->setCurrentIndex(shown_tab_);
    connect(tabs_, &QTabWidget::currentChanged, this, &ExportDialogView::tab_changed);

    auto* buttons = new QDialogButtonBox(this);
    export_ = buttons->addButton(from_local_text("Export"), QDialogButtonBox::AcceptRole);
    export_->setDefault(true);
    buttons->addButton(from_local_text("Cancel"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons);
}

QWidget* ExportDialogView::build_id_page() {
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    map_name_ = new QLineEdit(page);
    map_name_->setMaxLength(kMapNameSize - 1);
    form->addRow(buddy_label("Map &Name:", map_name_, page), map_name_);
    map_id_ = new QLineEdit(page);
    form->addRow(buddy_label("Map &ID:", map_id_, page), map_id_);
    parent_id_ = new QLineEdit(page);
    form->addRow(buddy_label("Pa&rent ID:", parent_id_, page), parent_id_);
    return page;
}

QWidget* ExportDialogView::build_layers_page() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    ignored_ = new QListWidget(page);
    use_layer_font(ignored_);
    add_ = button("Add ->", page);
    remove_ = button("<- Remove", page);
    visible_ = new QListWidget(page);
    use_layer_font(visible_);
    properties_ = button("Properties..", page);

    grid->addWidget(buddy_label("(ignored)", ignored_, page), 0, 0);
    grid->addWidget(ignored_, 1, 0);
    auto* moves = new QVBoxLayout;
    moves->addStretch();
    moves->addWidget(add_);
    moves->addWidget(remove_);
    moves->addStretch();
    grid->addLayout(moves, 1, 1);
    grid->addWidget(buddy_label("Visible layers:", visible_, page), 0, 2);
    grid->addWidget(visible_, 1, 2);
    grid->addWidget(properties_, 2, 2, Qt::AlignRight);

    connect(add_, &QPushButton::clicked, this, &ExportDialogView::add_layer);
    connect(remove_, &QPushButton::clicked, this, &ExportDialogView::remove_layer);
    connect(properties_, &QPushButton::clicked, this, &ExportDialogView::layer_properties);
    connect(visible_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        visible_->setCurrentItem(item);
        layer_properties();
    });
    return page;
}

QWidget* ExportDialogView::build_regions_page() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    level_name_ = new QLineEdit(page);
    level_name_->setMaxLength(kRegionLevelNameSize - 1);
    source_layer_ = new QComboBox(page);
    use_layer_font(source_layer_);
    more_ = button("&More", page);
    fewer_ = button("&Fewer", page);

    grid->addWidget(buddy_label("Region level name", level_name_, page), 0, 0);
    grid->addWidget(buddy_label("Source layer  (polygons)", source_layer_, page), 0, 1);
    grid->addWidget(level_name_, 1, 0);
    grid->addWidget(source_layer_, 1, 1);
    auto* row = new QHBoxLayout;
    row->addWidget(more_);
    row->addWidget(fewer_);
    row->addStretch();
    grid->addLayout(row, 2, 0, 1, 2);
    grid->setRowStretch(3, 1);

    connect(more_, &QPushButton::clicked, this, &ExportDialogView::more_regions);
    connect(fewer_, &QPushButton::clicked, this, &ExportDialogView::fewer_regions);
    return page;
}

QWidget* ExportDialogView::build_misc_page() {
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    map_notes_ = check_box("Export Map No&tes", page);
    publisher_ = check_box("Export &Publisher Info", page);
    // The flags word the page stores has no room for it, so the box is never offered.
    selection_only_ = check_box("Export &Selection rectangle only", page);
    selection_only_->setHidden(true);
    preferences_ = check_box("Has map P&references", page);
    details_ = button("Details...", page);
    category_theme_ = new QLineEdit(page);
    category_theme_->setReadOnly(true);
    map_class_ = new QComboBox(page);
    fill_combo(map_class_, std::vector<std::string>(kMapClassNames, kMapClassNames + kMapClassCount), 0);

    column->addWidget(map_notes_);
    column->addWidget(publisher_);
    column->addWidget(selection_only_);
    auto* preferences_row = new QHBoxLayout;
    preferences_row->addWidget(preferences_);
    preferences_row->addWidget(details_);
    preferences_row->addStretch();
    column->addLayout(preferences_row);
    auto* form = new QFormLayout;
    form->addRow(buddy_label("Category theme ID:", category_theme_, page), category_theme_);
    form->addRow(buddy_label("Map Class:", map_class_, page), map_class_);
    column->addLayout(form);
    column->addWidget(build_fit_box(page));
    column->addStretch();

    connect(details_, &QPushButton::clicked, this, &ExportDialogView::preference_details);
    return page;
}

// The choices that make a big map fit, and "Size..." with what it found.
QWidget* ExportDialogView::build_fit_box(QWidget* page) {
    auto* box = new QGroupBox(from_local_text("Making it fit"), page);
    auto* form = new QFormLayout(box);
    simplify_ = new QLineEdit(box);
    simplify_->setPlaceholderText(from_local_text("output units"));
    form->addRow(buddy_label("Simplif&y by:", simplify_, box), simplify_);
    min_area_ = new QLineEdit(box);
    min_area_->setPlaceholderText(from_local_text("square output units"));
    form->addRow(buddy_label("Minimum polygon &area:", min_area_, box), min_area_);
    split_long_lines_ = check_box("Split &long lines", box);
    form->addRow(split_long_lines_);
    fit_map_class_ = check_box("F&it to the map class", box);
    form->addRow(fit_map_class_);
    size_ = button("Si&ze...", box);
    size_report_ = new QLabel(box);
    size_report_->setFont(fixed_pitch_font());
    size_report_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    form->addRow(size_);
    form->addRow(size_report_);
    connect(size_, &QPushButton::clicked, this, &ExportDialogView::size_pressed);
    return box;
}

void ExportDialogView::read_page(int tab) {
    switch (tab) {
        case kExportTabId:
            model_.id.map_name = to_local_text(map_name_->text());
            model_.id.map_id = to_local_text(map_id_->text());
            model_.id.parent_id = to_local_text(parent_id_->text());
            break;
        case kExportTabLayers:
            // The lines themselves change only through the model.
            model_.layers.selected_ignored = list_selection(ignored_);
            model_.layers.selected_visible = list_selection(visible_);
            break;
        case kExportTabRegions:
            model_.regions.level_name = to_local_text(level_name_->text());
            model_.regions.source_layer = source_layer_->currentIndex();
            break;
        case kExportTabMisc:
            model_.misc.map_notes = map_notes_->isChecked();
            model_.misc.publisher_info = publisher_->isChecked();
            model_.misc.selection_only = selection_only_->isChecked();
            model_.misc.has_preferences = preferences_->isChecked();
            model_.misc.category_theme_id = to_local_text(category_theme_->text());
            model_.misc.map_class = map_class_->currentIndex();
            model_.misc.simplify = to_local_text(simplify_->text());
            model_.misc.min_area = to_local_text(min_area_->text());
            model_.misc.split_long_lines = split_long_lines_->isChecked();
            model_.misc.fit_map_class = fit_map_class_->isChecked();
            break;
        default:
            break;
    }
}

void ExportDialogView::show_page(int tab) {
    switch (tab) {
        case kExportTabId:
            map_name_->setText(from_local_text(model_.id.map_name));
            map_id_->setText(from_local_text(model_.id.map_id));
            parent_id_->setText(from_local_text(model_.id.parent_id));
            break;
        case kExportTabLayers:
            fill_list(ignored_, model_.layers.ignored, model_.layers.selected_ignored);
            fill_list(visible_, model_.layers.visible, model_.layers.selected_visible);
            break;
        case kExportTabRegions:
            level_name_->setText(from_local_text(model_.regions.level_name));
            fill_combo(source_layer_, model_.regions.layers, model_.regions.source_layer);
            // The row stands for the one level; without it there is nothing to edit.
            level_name_->setHidden(!model_.regions.has_level);
            source_layer_->setHidden(!model_.regions.has_level);
            break;
        case kExportTabMisc:
            map_notes_->setChecked(model_.misc.map_notes);
            publisher_->setChecked(model_.misc.publisher_info);
            selection_only_->setChecked(model_.misc.selection_only);
            preferences_->setChecked(model_.misc.has_preferences);
            category_theme_->setText(from_local_text(model_.misc.category_theme_id));
            map_class_->setCurrentIndex(model_.misc.map_class);
            simplify_->setText(from_local_text(model_.misc.simplify));
            min_area_->setText(from_local_text(model_.misc.min_area));
            split_long_lines_->setChecked(model_.misc.split_long_lines);
            fit_map_class_->setChecked(model_.misc.fit_map_class);
            size_report_->setText(from_local_text(model_.misc.size_report));
            break;
        default:
            break;
    }
}

void ExportDialogView::tab_changed(int tab) {
    // The page left keeps its values in the model until "Export" stores them all.
    read_page(shown_tab_);
    model_.select_tab(tab);
    shown_tab_ = tab;
}

void ExportDialogView::add_layer() {
    read_page(kExportTabLayers);
    model_.add_layer(host_);
    show_page(kExportTabLayers);
}

void ExportDialogView::remove_layer() {
    read_page(kExportTabLayers);
    model_.remove_layer();
    show_page(kExportTabLayers);
}

void ExportDialogView::layer_properties() {
    read_page(kExportTabLayers);
    model_.layer_properties(host_);
}

void ExportDialogView::more_regions() {
    read_page(kExportTabRegions);
    model_.more_regions(host_);
    show_page(kExportTabRegions);
    if (model_.regions.has_level) level_name_->setFocus();
}

void ExportDialogView::fewer_regions() {
    read_page(kExportTabRegions);
    model_.fewer_regions();
    show_page(kExportTabRegions);
}

void ExportDialogView::preference_details() {
    read_page(kExportTabMisc);
    model_.preference_details(host_);
}

void ExportDialogView::size_pressed() {
    for (int tab = 0; tab < kExportTabCount; ++tab) read_page(tab);
    model_.size_pressed(host_);
    show_page(kExportTabMisc);
}

void ExportDialogView::accept() {
    for (int tab = 0; tab < kExportTabCount; ++tab) read_page(tab);
    if (model_.export_pressed(host_)) {
        QDialog::accept();
        return;
    }
    // The model left the first page that failed current.
    tabs_->setCurrentIndex(model_.current_tab);
}

void add_export_views(DialogViews& views) {
    views.add_view<ExportDialog, ExportDialogView>();
    views.add_view<LayerPropertiesDialog, LayerPropertiesView>();
    views.add_view<MapPreferencesDialog, MapPreferencesView>();
}

}  // namespace plotwell::qt
