#include "qt/import_database_view.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/database_import_command.h"
#include "qt/dialog_support.h"
#include "qt/dialog_views.h"
#include "qt/qt_host.h"
#include "qt/text_codec.h"

namespace plotwell::qt {

ImportDatabaseView::ImportDatabaseView(QWidget* owner, Host& host, ImportDatabaseDialog& model)
    : QDialog(owner), host_(host), model_(model) {
    setWindowTitle(from_local_text(model.dialog_title()));
    auto* fields = new QGridLayout;
    auto* filename = new QLabel(from_local_text(model.filename()), this);
    filename->setTextInteractionFlags(Qt::TextSelectableByMouse);
    fields->addWidget(new QLabel("Filename:", this), 0, 0);
    fields->addWidget(filename, 0, 1);
    fields->addWidget(new QLabel("Map Name:", this), 1, 0);
    fields->addWidget(new QLabel(from_local_text(model.map_name()), this), 1, 1);
    fields->setColumnStretch(1, 1);

    auto* group = new QGroupBox("Layer translation", this);
    const QFont fixed = fixed_pitch_font();
    list_ = new QListWidget(group);
    list_->setFont(fixed);
    list_->setMinimumSize(QFontMetrics(fixed).horizontalAdvance(QString(56, 'x')), 160);
    connect(list_, &QListWidget::itemDoubleClicked, this, &ImportDatabaseView::edit);
    edit_ = new QPushButton("&Edit...", group);
    edit_->setAutoDefault(false);
    connect(edit_, &QPushButton::clicked, this, &ImportDatabaseView::edit);
    auto* group_layout = new QVBoxLayout(group);
    group_layout->addWidget(list_, 1);
    auto* group_buttons = new QHBoxLayout;
    group_buttons->addWidget(edit_);
    group_buttons->addStretch(1);
    group_layout->addLayout(group_buttons);

    auto* coord_row = new QHBoxLayout;
    coord_row->addWidget(new QLabel("Coord mapping:", this));
    coord_row->addWidget(new QLabel(from_local_text(model.coord_mapping()), this), 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(group, 1);
    layout->addLayout(coord_row);
    layout->addWidget(ok_cancel_buttons(this));
    fill_list(list_, model_.lines(), model_.selected);
}

void ImportDatabaseView::edit() {
    model_.selected = list_selection(list_);
    edit_database_translation(model_, host_);
    fill_list(list_, model_.lines(), model_.selected);
}

void add_database_import_views(DialogViews& views) {
    views.add_view<ImportDatabaseDialog, ImportDatabaseView>();
}

}  // namespace plotwell::qt
