#include "qt/import_detail_views.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <functional>

#include "qt/dialog_support.h"
#include "qt/qt_host.h"
#include "qt/text_codec.h"
#include "shapefile/import_dialog.h"
#include "shapefile/name_building.h"

namespace plotwell::qt {

namespace {

// New, Edit and a double click on a line run the table model's step on the selected line, then the
// list is filled again. Returns that runner for the view's other buttons.
template <class Model>
std::function<void(void (Model::*)(Host&))> connect_entry_steps(QWidget* view, Model& model, Host& host,
                                                                QListWidget* list, QPushButton* add,
                                                                QPushButton* edit,
                                                                std::function<void()> refill) {
    const std::function<void(void(Model::*)(Host&))> act = [&model, &host, list,
                                                            refill](void (Model::*step)(Host&)) {
        model.selected = list_selection(list);
        (model.*step)(host);
        refill();
    };
    QObject::connect(add, &QPushButton::clicked, view, [act] { act(&Model::new_entry); });
    QObject::connect(edit, &QPushButton::clicked, view, [act] { act(&Model::edit_entry); });
    QObject::connect(list, &QListWidget::itemDoubleClicked, view, [act] { act(&Model::edit_entry); });
    return act;
}

// The "Done" row of the table dialogs: they edit in place, so there is nothing to cancel.
QPushButton* done_button(QDialog* dialog) {
    auto* done = new QPushButton(QStringLiteral("Done"), dialog);
    done->setDefault(true);
    QObject::connect(done, &QPushButton::clicked, dialog, &QDialog::accept);
    return done;
}

QLineEdit* line_edit(const std::string& text, int max_length, QWidget* parent) {
    auto* edit = new QLineEdit(from_local_text(text), parent);
    edit->setMaxLength(max_length);
    return edit;
}

void set_title(QDialog* dialog, const DialogModel& model) {
    dialog->setWindowTitle(from_local_text(model.dialog_title()));
    dialog->setModal(true);
}

}  // namespace

// --- New Profile -------------------------------------------------------------------------------

NewProfileView::NewProfileView(QWidget* owner, Host&, NewProfileDialog& model)
    : QDialog(owner), model_(model) {
    set_title(this, model);
    name_ = line_edit(model.name, 64, this);
    auto* layout = new QGridLayout(this);
    layout->addWidget(buddy_label("&Name:", name_, this), 0, 0);
    layout->addWidget(name_, 0, 1);
    layout->addWidget(ok_cancel_buttons(this), 1, 0, 1, 2);
}

void NewProfileView::accept() {
    model_.name = to_local_text(name_->text());
    QDialog::accept();
}

// --- Substitution Details ----------------------------------------------------------------------

SubstitutionEntryView::SubstitutionEntryView(QWidget* owner, Host&, SubstitutionEntryDialog& model)
    : QDialog(owner), model_(model) {
    set_title(this, model);
    from_ = line_edit(model.from, kSubstitutionTextSize - 1, this);
    to_ = line_edit(model.to, kSubstitutionTextSize - 1, this);
    auto* layout = new QGridLayout(this);
    layout->addWidget(buddy_label("&From:", from_, this), 0, 0);
    layout->addWidget(from_, 0, 1);
    layout->addWidget(buddy_label("&To:", to_, this), 1, 0);
    layout->addWidget(to_, 1, 1);
    layout->addWidget(ok_cancel_buttons(this), 2, 0, 1, 2);
}

void SubstitutionEntryView::accept() {
    model_.from = to_local_text(from_->text());
    model_.to = to_local_text(to_->text());
    QDialog::accept();
}

SubstitutionDetailsView::SubstitutionDetailsView(QWidget* owner, Host& host, SubstitutionDetailsDialog& model)
    : QDialog(owner), model_(model), host_(host) {
    set_title(this, model);
    list_ = new QListWidget(this);
    new_ = new QPushButton(QStringLiteral("&New..."), this);
    auto* edit = new QPushButton(QStringLiteral("&Edit..."), this);
    auto* remove = new QPushButton(QStringLiteral("&Delete"), this);
    // Substitutions always compare with case; the box says so.
    auto* case_box = new QCheckBox(QStringLiteral("&Case sensitive"), this);
    case_box->setChecked(true);
    case_box->setEnabled(false);
    auto* buttons = new QVBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{new_, edit, remove, case_box}) buttons->addWidget(w);
    buttons->addStretch();
    buttons->addWidget(done_button(this));
    auto* row = new QHBoxLayout;
    row->addWidget(list_, 1);
    row->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buddy_label("&Sub-strings", list_, this));
    layout->addLayout(row);
    refill();
    connect_entry_steps(this, model_, host_, list_, new_, edit, [this] { refill(); });
    connect(remove, &QPushButton::clicked, this, [this] {
        model_.selected = list_selection(list_);
        model_.delete_entry();
        refill();
    });
}

void SubstitutionDetailsView::refill() {
    std::vector<std::string> lines = model_.lines();
    fill_list(list_, lines, model_.selected);
}

// --- Translation Details -----------------------------------------------------------------------

TranslationEntryView::TranslationEntryView(QWidget* owner, Host&, TranslationEntryDialog& model)
    : QDialog(owner), model_(model) {
    set_title(this, model);
    auto* layout = new QGridLayout(this);
    int row = 0;
    if (model.ranges) {
        min_ = line_edit(model.min, 32, this);
        max_ = line_edit(model.max, 32, this);
        layout->addWidget(buddy_label("&Min:", min_, this), row, 0);
        layout->addWidget(min_, row++, 1);
        layout->addWidget(buddy_label("&Max:", max_, this), row, 0);
        layout->addWidget(max_, row++, 1);
    } else {
        text_ = line_edit(model.text, kTranslationTextSize - 1, this);
        layout->addWidget(buddy_label("&String:", text_, this), row, 0);
        layout->addWidget(text_, row++, 1);
    }
    result_ = new QComboBox(this);
    fill_combo(result_, model.result_names, model.result);
    layout->addWidget(buddy_label("&Obj Type/Icon:", result_, this), row, 0);
    layout->addWidget(result_, row++, 1);
    layout->addWidget(ok_cancel_buttons(this), row, 0, 1, 2);
}

void TranslationEntryView::accept() {
    if (text_) model_.text = to_local_text(text_->text());
    if (min_) model_.min = to_local_text(min_->text());
    if (max_) model_.max = to_local_text(max_->text());
    model_.result = result_->currentIndex();
    QDialog::accept();
}

SampleValuesView::SampleValuesView(QWidget* owner, Host&, SampleValuesDialog& model) : QDialog(owner) {
    set_title(this, model);
    auto* field = new QLineEdit(from_local_text(model.field), this);
    field->setReadOnly(true);
    text_ = new QPlainTextEdit(from_local_text(model.text), this);
    text_->setReadOnly(true);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QGridLayout(this);
    layout->addWidget(buddy_label("Field:", field, this), 0, 0);
    layout->addWidget(field, 0, 1);
    layout->addWidget(text_, 1, 0, 1, 2);
    layout->addWidget(ok, 2, 1, Qt::AlignRight);
}

TranslationDetailsView::TranslationDetailsView(QWidget* owner, Host& host, TranslationDetailsDialog& model)
    : QDialog(owner), model_(model), host_(host) {
    set_title(this, model);
    field_ = new QComboBox(this);
    fill_combo(field_, model.field_names, model.field_choice());
    sample_ = new QPushButton(QStringLiteral("&Sample values..."), this);
    match_ = new QComboBox(this);
    fill_combo(match_, kMatchModeChoices, model.match_mode());
    match_->setEnabled(!model.ranges());  // ranges compare numbers
    case_ = new QCheckBox(QStringLiteral("&Case sensitive"), this);
    case_->setChecked(model.case_sensitive());
    case_->setEnabled(!model.ranges());
    list_ = new QListWidget(this);
    new_ = new QPushButton(QStringLiteral("&New..."), this);
    auto* edit = new QPushButton(QStringLiteral("&Edit..."), this);
    auto* remove = new QPushButton(QStringLiteral("&Delete..."), this);

    auto* top = new QGridLayout;
    top->addWidget(buddy_label("DB &Field:", field_, this), 0, 0);
    top->addWidget(field_, 0, 1);
    top->addWidget(sample_, 0, 2);
    top->addWidget(buddy_label("&Match mode:", match_, this), 1, 0);
    top->addWidget(match_, 1, 1);
    top->addWidget(case_, 1, 2);
    top->setColumnStretch(1, 1);
    auto* buttons = new QVBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{new_, edit, remove}) buttons->addWidget(w);
    buttons->addStretch();
    buttons->addWidget(done_button(this));
    auto* row = new QHBoxLayout;
    row->addWidget(list_, 1);
    row->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buddy_label("&Value Table:", list_, this));
    layout->addLayout(row);
    refill();

    connect(field_, &QComboBox::currentIndexChanged, this, [this](int i) { model_.set_field(i); });
    connect(match_, &QComboBox::currentIndexChanged, this, [this](int i) { model_.set_match_mode(i); });
    connect(case_, &QCheckBox::toggled, this, [this](bool on) { model_.set_case_sensitive(on); });
    connect(sample_, &QPushButton::clicked, this, [this] { model_.sample_values(host_); });
    const auto act = connect_entry_steps(this, model_, host_, list_, new_, edit, [this] { refill(); });
    connect(remove, &QPushButton::clicked, this, [act] { act(&TranslationDetailsDialog::delete_entry); });
}

void TranslationDetailsView::refill() {
    fill_list(list_, model_.lines(), model_.selected);
}

void add_import_detail_views(DialogViews& views) {
    views.add_view<NewProfileDialog, NewProfileView>();
    views.add_view<SubstitutionEntryDialog, SubstitutionEntryView>();
    views.add_view<SubstitutionDetailsDialog, SubstitutionDetailsView>();
    views.add_view<TranslationEntryDialog, TranslationEntryView>();
    views.add_view<SampleValuesDialog, SampleValuesView>();
    views.add_view<TranslationDetailsDialog, TranslationDetailsView>();
}

}  // namespace plotwell::qt
