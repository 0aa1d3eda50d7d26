#include "qt/shapefile_import_pages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "model/vocabulary.h"
#include "qt/dialog_support.h"
#include "qt/text_codec.h"

namespace plotwell::qt {

namespace {

// Controls laid out for settings no engine setting uses: present, hidden, without behaviour.
template <class W>
W* dormant(W* widget) {
    widget->setVisible(false);
    return widget;
}

QPushButton* new_details_button(QWidget* parent) {
    return new QPushButton(QStringLiteral("&Details..."), parent);
}

// The list row of a translation kind: the engine reads any kind but 0 and 1 as numeric ranges.
int kind_row(int kind) {
    return kind <= 0 ? 0 : kind == 1 ? 1 : 2;
}

// A translation list and its "&Details...": a new choice goes through the model, which may ask and keep
// the old one.
void wire_translation(QComboBox* combo, QPushButton* details, ImportShapefileDialog& model, Host& host,
                      void (ImportShapefileDialog::*changed)(int, Host&),
                      void (ImportShapefileDialog::*open_details)(Host&),
                      int ImportDormantControls::*choice) {
    QObject::connect(combo, &QComboBox::currentIndexChanged, combo, [=, &model, &host](int row) {
        (model.*changed)(row, host);
        const QSignalBlocker block(combo);
        combo->setCurrentIndex(kind_row(model.dormant.*choice));
        details->setEnabled(model.dormant.*choice != kNoTranslation);  // "None" has no table
    });
    QObject::connect(details, &QPushButton::clicked, combo,
                     [=, &model, &host] { (model.*open_details)(host); });
}

}  // namespace

// --- two-list field choice ---------------------------------------------------------------------

FieldChoiceBox::FieldChoiceBox(const char* caption, FieldChoicePage& page, Host& host, QWidget* parent)
    : QWidget(parent), page_(page), host_(host) {
    chosen_ = new QListWidget(this);
    auto* caption_label = buddy_label(caption, chosen_, this);
    add_ = new QPushButton(QStringLiteral("<- Add"), this);
    remove_ = new QPushButton(QStringLiteral("Remove ->"), this);
    remaining_ = new QListWidget(this);
    auto* buttons = new QVBoxLayout;
    buttons->addStretch();
    buttons->addWidget(add_);
    buttons->addWidget(remove_);
    buttons->addStretch();
    auto* row = new QHBoxLayout;
    row->addWidget(chosen_);
    row->addLayout(buttons);
    row->addWidget(remaining_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(caption_label);
    layout->addLayout(row);
    connect(add_, &QPushButton::clicked, this, &FieldChoiceBox::add);
    connect(remove_, &QPushButton::clicked, this, &FieldChoiceBox::remove);
}

void FieldChoiceBox::load() {
    fill_list(chosen_, page_.chosen, page_.selected_chosen);
    fill_list(remaining_, page_.remaining, page_.selected_remaining);
}

void FieldChoiceBox::add() {
    page_.selected_remaining = list_selection(remaining_);
    page_.add(host_);
    load();
}

void FieldChoiceBox::remove() {
    page_.selected_chosen = list_selection(chosen_);
    page_.remove();
    load();
}

// --- Name --------------------------------------------------------------------------------------

NamePage::NamePage(ImportShapefileDialog& model, Host& host, QWidget* parent)
    : ImportPageWidget(parent), model_(model) {
    fields_ = new FieldChoiceBox("Name Field(s):", model.name_page, host, this);
    downcase_ = new QCheckBox(QStringLiteral("Downcase"), this);
    substitution_ = new QComboBox(this);
    details_ = new_details_button(this);
    auto* substitution_row = new QHBoxLayout;
    substitution_row->addWidget(buddy_label("&Substitution:", substitution_, this));
    substitution_row->addWidget(substitution_, 1);
    substitution_row->addWidget(details_);
    connect(details_, &QPushButton::clicked, this, [this, &host] { model_.substitution_details(host); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fields_, 1);
    layout->addWidget(downcase_);
    layout->addLayout(substitution_row);
    if (!model.encodings.empty()) {
        encoding_ = new QComboBox(this);
        auto* encoding_row = new QHBoxLayout;
        encoding_row->addWidget(buddy_label("Text &encoding:", encoding_, this));
        encoding_row->addWidget(encoding_, 1);
        layout->addLayout(encoding_row);
    }
}

void NamePage::load() {
    fields_->load();
    downcase_->setChecked(model_.downcase);
    fill_combo(substitution_, kSubstitutionChoices, model_.dormant.substitution_choice);
    if (encoding_) {
        std::vector<std::string> captions;
        for (const std::string& e : model_.encodings)
            captions.push_back(encoding_caption(e) + (captions.empty() ? " (the source's own)" : ""));
        fill_combo(encoding_, captions, model_.encoding_choice);
    }
}

void NamePage::store() {
    model_.downcase = downcase_->isChecked();
    model_.dormant.substitution_choice = substitution_->currentIndex();
    if (encoding_) model_.encoding_choice = encoding_->currentIndex();
}

// --- Type --------------------------------------------------------------------------------------

TypePage::TypePage(ImportShapefileDialog& model, Host& host, QWidget* parent)
    : ImportPageWidget(parent), model_(model) {
    types_ = new QComboBox(this);
    translation_ = new QComboBox(this);
    details_ = new_details_button(this);
    auto* grid = new QGridLayout(this);
    grid->addWidget(buddy_label("Default &Object type:", types_, this), 0, 0);
    grid->addWidget(types_, 0, 1);
    grid->addWidget(buddy_label("&Translation:", translation_, this), 1, 0);
    grid->addWidget(translation_, 1, 1);
    grid->addWidget(details_, 1, 2);
    wire_translation(translation_, details_, model, host, &ImportShapefileDialog::type_translation_changed,
                     &ImportShapefileDialog::type_translation_details,
                     &ImportDormantControls::type_translation_choice);
    grid->setRowStretch(2, 1);
    grid->setColumnStretch(1, 1);
}

void TypePage::load() {
    fill_combo(types_, model_.type_names, model_.type_choice);
    fill_combo(translation_, kTranslationChoices, kind_row(model_.dormant.type_translation_choice));
    details_->setEnabled(model_.dormant.type_translation_choice != kNoTranslation);
}

void TypePage::store() {
    model_.type_choice = types_->currentIndex();
}

// --- Filter ------------------------------------------------------------------------------------

FilterPage::FilterPage(ImportShapefileDialog& model, QWidget* parent)
    : ImportPageWidget(parent), model_(model) {
    filter_ = new QCheckBox(QStringLiteral("&Filter out objects outside current coord &Range"), this);
    untranslated_ = new QCheckBox(
        QStringLiteral("Filter out objects with no Type &Translation   (else uses 'default obj type')"),
        this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(filter_);
    layout->addWidget(untranslated_);
    layout->addStretch();
}

void FilterPage::load() {
    filter_->setChecked(model_.filter_box);
    untranslated_->setChecked(model_.dormant.filter_untranslated);
}

void FilterPage::store() {
    model_.filter_box = filter_->isChecked();
    model_.dormant.filter_untranslated = untranslated_->isChecked();
}

// --- Coordinates -------------------------------------------------------------------------------

CoordinatesPage::CoordinatesPage(ImportShapefileDialog& model, QWidget* parent)
    : ImportPageWidget(parent), model_(model) {
    // Created in reading order, which the Tab key follows.
    multiply_x_ = new QLineEdit(this);
    add_x_ = new QLineEdit(this);
    multiply_y_ = new QLineEdit(this);
    add_y_ = new QLineEdit(this);
    multiply_x_->setMaxLength(kFactorTextLength);
    multiply_y_->setMaxLength(kFactorTextLength);
    auto* reduction = dormant(new QLineEdit(from_local_text(model.dormant.point_reduction), this));
    auto* grid = new QGridLayout(this);
    grid->addWidget(buddy_label("Multiply X by:", multiply_x_, this), 0, 0);
    grid->addWidget(multiply_x_, 0, 1);
    grid->addWidget(buddy_label("Add to X:", add_x_, this), 0, 2);
    grid->addWidget(add_x_, 0, 3);
    grid->addWidget(buddy_label("Multiply Y by:", multiply_y_, this), 1, 0);
    grid->addWidget(multiply_y_, 1, 1);
    grid->addWidget(buddy_label("Add to Y:", add_y_, this), 1, 2);
    grid->addWidget(add_y_, 1, 3);
    grid->addWidget(dormant(buddy_label("Point &reduction factor:", reduction, this)), 2, 0);
    grid->addWidget(reduction, 2, 1);
    grid->addWidget(dormant(new QLabel(QStringLiteral("(0 = none)"), this)), 2, 2);
    if (!model.source_system.empty()) {
        // System names come from PROJ in UTF-8.
        grid->addWidget(new QLabel(QStringLiteral("Coordinate system:"), this), 3, 0);
        grid->addWidget(new QLabel(QString::fromStdString(model.source_system), this), 3, 1, 1, 3);
        reproject_ = new QCheckBox(QStringLiteral("&Reproject to decimal degrees"), this);
        reproject_->setEnabled(model.reproject_usable);
        grid->addWidget(reproject_, 4, 0, 1, 4);
    }
    grid->setRowStretch(5, 1);
}

void CoordinatesPage::load() {
    multiply_x_->setText(from_local_text(model_.multiply_x));
    multiply_y_->setText(from_local_text(model_.multiply_y));
    add_x_->setText(from_local_text(model_.dormant.add_x));
    add_y_->setText(from_local_text(model_.dormant.add_y));
    if (reproject_) reproject_->setChecked(model_.reproject_box);
}

void CoordinatesPage::store() {
    model_.multiply_x = to_local_text(multiply_x_->text());
    model_.multiply_y = to_local_text(multiply_y_->text());
    model_.dormant.add_x = to_local_text(add_x_->text());
    model_.dormant.add_y = to_local_text(add_y_->text());
    if (reproject_) model_.reproject_box = reproject_->isChecked();
}

// --- Linking -----------------------------------------------------------------------------------

LinkingPage::LinkingPage(ImportShapefileDialog& model, Host& host, QWidget* parent)
    : ImportPageWidget(parent) {
    fields_ = new FieldChoiceBox("Link fields:", model.link_page, host, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fields_);
}

void LinkingPage::load() {
    fields_->load();
}

// --- Points ------------------------------------------------------------------------------------

PointsPage::PointsPage(ImportShapefileDialog& model, Host& host, QWidget* parent)
    : ImportPageWidget(parent), model_(model), host_(host) {
    auto* plain = new QGroupBox(QStringLiteral("For PNTFEATURE's:"), this);
    icons_ = new QComboBox(plain);
    icon_translation_ = new QComboBox(plain);
    details_ = new_details_button(plain);
    auto* plain_grid = new QGridLayout(plain);
    plain_grid->addWidget(buddy_label("Default &Icon:", icons_, plain), 0, 0);
    plain_grid->addWidget(icons_, 0, 1);
    plain_grid->addWidget(buddy_label("Icon &Translation:", icon_translation_, plain), 1, 0);
    plain_grid->addWidget(icon_translation_, 1, 1);
    plain_grid->addWidget(details_, 1, 2);
    plain_grid->setColumnStretch(1, 1);

    auto* categorised = dormant(new QGroupBox(QStringLiteral("For CATPNTFEATURE's:"), this));
    auto* notes = new QComboBox(categorised);
    auto* cat_grid = new QGridLayout(categorised);
    cat_grid->addWidget(new QLabel(QStringLiteral("Cat/Sub-cat trans:"), categorised), 0, 0);
    cat_grid->addWidget(new QPushButton(QStringLiteral("&Details..."), categorised), 0, 2);
    cat_grid->addWidget(buddy_label("Notes field:", notes, categorised), 1, 0);
    cat_grid->addWidget(notes, 1, 1);
    cat_grid->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(plain);
    layout->addWidget(categorised);
    layout->addStretch();
    connect(icon_translation_, &QComboBox::currentIndexChanged, this, &PointsPage::icon_translation_chosen);
    connect(details_, &QPushButton::clicked, this, [this] { model_.icon_translation_details(host_); });
}

void PointsPage::load() {
    fill_combo(icons_, model_.icon_names, model_.icon_choice);
    fill_combo(icon_translation_, kTranslationChoices, kind_row(model_.dormant.icon_translation_choice));
    details_->setEnabled(model_.dormant.icon_translation_choice != kNoTranslation);
}

void PointsPage::store() {
    model_.icon_choice = icons_->currentIndex();
}

void PointsPage::icon_translation_chosen(int choice) {
    model_.icon_translation_changed(choice, host_);
    // No keeps the entries and puts the old choice back.
    const QSignalBlocker block(icon_translation_);
    icon_translation_->setCurrentIndex(kind_row(model_.dormant.icon_translation_choice));
    details_->setEnabled(model_.dormant.icon_translation_choice != kNoTranslation);
}

// --- Polygons ----------------------------------------------------------------------------------

PolygonsPage::PolygonsPage(ImportShapefileDialog& model, QWidget* parent)
    : ImportPageWidget(parent), model_(model) {
    auto* policy = new QGroupBox(QStringLiteral("Multi-part policy:"), this);
    same_ = new QRadioButton(QStringLiteral("Same type polygon for each part"), policy);
    ccw_ = new QRadioButton(QStringLiteral("Diff. type for counter-clockwise parts"), policy);
    ccw_type_ = new QComboBox(policy);
    auto* grid = new QGridLayout(policy);
    grid->addWidget(same_, 0, 0, 1, 3);
    grid->addWidget(ccw_, 1, 0, 1, 3);
    grid->addWidget(buddy_label("Type:", ccw_type_, policy), 2, 1);
    grid->addWidget(ccw_type_, 2, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(policy);
    layout->addStretch();
    connect(ccw_, &QRadioButton::toggled, ccw_type_, &QWidget::setEnabled);
}

void PolygonsPage::load() {
    std::vector<std::string> types;
    for (int t = 0; t < object_type_count(kDimPolygon); ++t)
        types.emplace_back(object_type_name(kDimPolygon, uint8_t(t)));
    fill_combo(ccw_type_, types, model_.dormant.ccw_type);
    (model_.dormant.multipart_policy == 1 ? ccw_ : same_)->setChecked(true);
    ccw_type_->setEnabled(ccw_->isChecked());
}

void PolygonsPage::store() {
    model_.dormant.multipart_policy = ccw_->isChecked() ? 1 : 0;
    model_.dormant.ccw_type = ccw_type_->currentIndex();
}

}  // namespace plotwell::qt
