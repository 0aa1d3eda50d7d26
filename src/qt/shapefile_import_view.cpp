#include "qt/shapefile_import_view.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

#include "qt/dialog_support.h"
#include "qt/dialog_views.h"
#include "qt/import_detail_views.h"
#include "qt/qt_host.h"
#include "qt/source_layer_view.h"
#include "qt/text_codec.h"

namespace plotwell::qt {

ShapefileImportView::ShapefileImportView(QWidget* owner, Host& host, ImportShapefileDialog& model)
    : QDialog(owner), model_(model), host_(host) {
    setWindowTitle(from_local_text(model.dialog_title()));
    setModal(true);

    filename_ = new QLineEdit(from_local_text(model.filename()), this);
    filename_->setReadOnly(true);
    dimension_ = new QLineEdit(from_local_text(model.dimension_text()), this);
    dimension_->setReadOnly(true);
    profiles_ = new QComboBox(this);
    new_profile_ = new QPushButton(QStringLiteral("&New..."), this);
    delete_profile_ = new QPushButton(QStringLiteral("&Delete"), this);
    auto* profile_label = buddy_label("&Profile Name:", profiles_, this);
    fill_profiles();
    layers_ = new QComboBox(this);
    layers_->setFont(fixed_pitch_font());
    fill_combo(layers_, model.layer_lines, model.dest_layer);

    auto* top = new QGridLayout;
    top->addWidget(buddy_label("Filename:", filename_, this), 0, 0);
    top->addWidget(filename_, 0, 1, 1, 3);
    top->addWidget(buddy_label("Dimension type:", dimension_, this), 1, 0);
    top->addWidget(dimension_, 1, 1, 1, 3);
    top->addWidget(profile_label, 2, 0);
    top->addWidget(profiles_, 2, 1);
    top->addWidget(new_profile_, 2, 2);
    top->addWidget(delete_profile_, 2, 3);
    top->addWidget(buddy_label("Destination &Layer:", layers_, this), 3, 0);
    top->addWidget(layers_, 3, 1, 1, 3);
    top->setColumnStretch(1, 1);

    // One tab bar over a stack of all seven pages, so that tab 4 can show the dimension's own page.
    auto* group = new QGroupBox(QStringLiteral("Conversion Parameters"), this);
    tabs_ = new QTabBar(group);
    for (const std::string& label : model.tab_labels()) tabs_->addTab(from_local_text(label));
    stack_ = new QStackedWidget(group);
    name_ = new NamePage(model, host, stack_);
    type_ = new TypePage(model, host, stack_);
    filter_ = new FilterPage(model, stack_);
    coordinates_ = new CoordinatesPage(model, stack_);
    linking_ = new LinkingPage(model, host, stack_);
    points_ = new PointsPage(model, host, stack_);
    polygons_ = new PolygonsPage(model, stack_);
    ImportPageWidget* const pages[kImportPageCount] = {name_,    type_,   filter_,  coordinates_,
                                                       linking_, points_, polygons_};
    for (int i = 0; i < kImportPageCount; ++i) {
        pages_[i] = pages[i];
        stack_->addWidget(pages_[i]);
        pages_[i]->load();
    }
    auto* group_layout = new QVBoxLayout(group);
    group_layout->addWidget(tabs_);
    group_layout->addWidget(stack_, 1);
    tabs_->setCurrentIndex(model.current_tab);
    show_current_page();
    connect(tabs_, &QTabBar::currentChanged, this, &ShapefileImportView::tab_chosen);
    connect(profiles_, &QComboBox::currentIndexChanged, this, &ShapefileImportView::profile_chosen);
    connect(new_profile_, &QPushButton::clicked, this, &ShapefileImportView::new_profile);
    connect(delete_profile_, &QPushButton::clicked, this, [this] {
        model_.delete_profile(host_);
        fill_profiles();
    });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(group, 1);
    layout->addWidget(ok_cancel_buttons(this));
}

void ShapefileImportView::tab_chosen(int tab) {
    model_.select_tab(tab);
    show_current_page();
}

void ShapefileImportView::show_current_page() {
    stack_->setCurrentWidget(pages_[model_.visible_page()]);
}

void ShapefileImportView::fill_profiles() {
    // Profile names are file names: UTF-8.
    const QSignalBlocker block(profiles_);
    profiles_->clear();
    for (const std::string& name : model_.dormant.profile_names)
        profiles_->addItem(QString::fromStdString(name));
    profiles_->setCurrentIndex(model_.dormant.profile_choice);
    delete_profile_->setEnabled(model_.dormant.profile_choice >= 0);
}

void ShapefileImportView::profile_chosen(int choice) {
    model_.profile_chosen(choice, host_);
    fill_profiles();
    {
        const QSignalBlocker block(layers_);
        layers_->setCurrentIndex(model_.dest_layer);
    }
    for (ImportPageWidget* page : pages_) page->load();
}

void ShapefileImportView::new_profile() {
    model_.dest_layer = layers_->currentIndex();
    for (ImportPageWidget* page : pages_) page->store();
    model_.new_profile(host_);
    fill_profiles();
}

void ShapefileImportView::accept() {
    model_.dest_layer = layers_->currentIndex();
    for (ImportPageWidget* page : pages_) page->store();
    if (model_.ok(host_)) {
        QDialog::accept();
        return;
    }
    // The model has moved to the first page that failed.
    {
        const QSignalBlocker block(tabs_);
        tabs_->setCurrentIndex(model_.current_tab);
    }
    show_current_page();
}

void add_import_views(DialogViews& views) {
    views.add_view<ImportShapefileDialog, ShapefileImportView>();
    views.add_view<SourceLayerModel, SourceLayerView>();
    add_import_detail_views(views);
}

}  // namespace plotwell::qt
