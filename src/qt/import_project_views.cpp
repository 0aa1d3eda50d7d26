#include "qt/import_project_views.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontMetrics>
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

// The translation lines put the destination at this column.
constexpr int kDestinationColumn = 28;

}  // namespace

// --- Import Plotwell Project ----------------------------------------------------------------------

ImportProjectView::ImportProjectView(QWidget* owner, Host& host, ImportProjectDialog& model)
    : QDialog(owner), host_(host), model_(model) {
    setWindowTitle(from_local_text(model.dialog_title()));
    filename_ = new QLabel(from_local_text(model.filename()), this);
    filename_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* file_row = new QHBoxLayout;
    file_row->addWidget(new QLabel("Filename:", this));
    file_row->addWidget(filename_, 1);

    auto* group = new QGroupBox("Layer translation", this);
    const QFont fixed = fixed_pitch_font();
    auto* source_heading = new QLabel("Source Layer", group);
    auto* destination_heading = new QLabel("Destination Layer", group);
    // The headings stand over the columns of the fixed-pitch lines.
    source_heading->setFixedWidth(QFontMetrics(fixed).horizontalAdvance(QString(kDestinationColumn, 'x')));
    auto* headings = new QHBoxLayout;
    headings->setSpacing(0);
    headings->addWidget(source_heading);
    headings->addWidget(destination_heading, 1);
    list_ = new QListWidget(group);
    list_->setFont(fixed);
    list_->setMinimumSize(QFontMetrics(fixed).horizontalAdvance(QString(kDestinationColumn + 28, 'x')), 160);
    connect(list_, &QListWidget::itemDoubleClicked, this, &ImportProjectView::edit);
    edit_ = new QPushButton("&Edit...", group);
    match_ = new QPushButton("&Match themes", group);
    deselect_ = new QPushButton("Deselect &All", group);
    for (QPushButton* b : {edit_, match_, deselect_}) b->setAutoDefault(false);
    connect(edit_, &QPushButton::clicked, this, &ImportProjectView::edit);
    connect(match_, &QPushButton::clicked, this, [this]() {
        model_.match_themes();
        refill();
    });
    connect(deselect_, &QPushButton::clicked, this, [this]() {
        model_.deselect_all();
        refill();
    });
    auto* group_buttons = new QHBoxLayout;
    group_buttons->addWidget(edit_);
    group_buttons->addWidget(match_);
    group_buttons->addWidget(deselect_);
    group_buttons->addStretch(1);
    auto* group_layout = new QVBoxLayout(group);
    group_layout->addLayout(headings);
    group_layout->addWidget(list_, 1);
    group_layout->addLayout(group_buttons);

    auto* coord_row = new QHBoxLayout;
    coord_row->addWidget(new QLabel("Coord mapping:", this));
    coord_row->addWidget(new QLabel(from_local_text(model.coord_mapping()), this), 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(file_row);
    layout->addWidget(group, 1);
    layout->addLayout(coord_row);
    layout->addWidget(ok_cancel_buttons(this));
    refill();
}

void ImportProjectView::refill() {
    fill_list(list_, model_.lines(), model_.selected);
}

void ImportProjectView::edit() {
    model_.selected = list_selection(list_);
    edit_translation_line(model_, host_);
    refill();
}

void ImportProjectView::accept() {
    model_.ok();
    QDialog::accept();
}

void ImportProjectView::reject() {
    model_.cancel();
    QDialog::reject();
}

// --- Layer Translation ----------------------------------------------------------------------------

LayerTranslationView::LayerTranslationView(QWidget* owner, LayerTranslationDialog& model)
    : QDialog(owner), model_(model) {
    setWindowTitle(from_local_text(model.dialog_title()));
    const QFont fixed = fixed_pitch_font();
    source_ = new QLabel(from_local_text(model.source_layer), this);
    source_->setFont(fixed);
    destination_ = new QComboBox(this);
    destination_->setFont(fixed);
    fill_combo(destination_, model.choices, model.selected);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel("Source Layer:", this), 0, 0);
    grid->addWidget(source_, 0, 1);
    grid->addWidget(buddy_label("&Dest Layer:", destination_, this), 1, 0);
    grid->addWidget(destination_, 1, 1);
    grid->setColumnStretch(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(ok_cancel_buttons(this));
}

void LayerTranslationView::accept() {
    model_.selected = destination_->currentIndex();
    QDialog::accept();
}

// --- Clone Project --------------------------------------------------------------------------------

CloneProjectView::CloneProjectView(QWidget* owner, Host& host, CloneProjectDialog& model)
    : QDialog(owner), host_(host), model_(model) {
    setWindowTitle(from_local_text(model.dialog_title()));
    source_ = new QLineEdit(from_local_text(model.source_project), this);
    source_->setMinimumWidth(260);
    auto* browse = new QPushButton("&Browse...", this);
    new_project_ = new QLineEdit(from_local_text(model.new_project), this);
    auto* file = new QPushButton("&File...", this);
    for (QPushButton* b : {browse, file}) b->setAutoDefault(false);
    connect(browse, &QPushButton::clicked, this, [this]() {
        model_.source_project = to_local_text(source_->text());
        model_.browse(host_);
        source_->setText(from_local_text(model_.source_project));
    });
    connect(file, &QPushButton::clicked, this, [this]() {
        model_.new_project = to_local_text(new_project_->text());
        model_.file(host_);
        new_project_->setText(from_local_text(model_.new_project));
    });
    auto* grid = new QGridLayout;
    grid->addWidget(buddy_label("&Source Project:", source_, this), 0, 0);
    grid->addWidget(source_, 0, 1);
    grid->addWidget(browse, 0, 2);
    grid->addWidget(buddy_label("&New Project:", new_project_, this), 1, 0);
    grid->addWidget(new_project_, 1, 1);
    grid->addWidget(file, 1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(ok_cancel_buttons(this));
}

void CloneProjectView::accept() {
    model_.source_project = to_local_text(source_->text());
    model_.new_project = to_local_text(new_project_->text());
    model_.ok();
    QDialog::accept();
}

void CloneProjectView::reject() {
    model_.cancel();
    QDialog::reject();
}

}  // namespace plotwell::qt
