#include "qt/frame_dialog_views.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "qt/dialog_support.h"
#include "qt/qt_host.h"
#include "qt/text_codec.h"
#include "qt/toolbar_images.h"

namespace plotwell::qt {

namespace {
// What the record holds without its terminator.
constexpr size_t kNoticeLimit = kPublisherNoticeSize - 1;
constexpr size_t kContactLimit = kContactSize - 1;
}  // namespace

PublisherDetailsView::PublisherDetailsView(QWidget* owner, PublisherDetailsModel& model)
    : QDialog(owner), model_(model) {
    setWindowTitle(from_local_text(model.dialog_title()));
    setModal(true);
    auto* form = new QFormLayout;
    notice_ = new QLineEdit(from_local_text(model.copyright), this);
    notice_->setMaxLength(int(kNoticeLimit));
    form->addRow(PublisherDetailsModel::kLabels[0], notice_);
    contact_ = new QPlainTextEdit(this);
    contact_->setPlainText(from_local_text(model.contact));
    contact_->setMinimumSize(320, 90);
    // Tab goes on to the next control, as in every other field of a dialog, instead of typing a tab.
    contact_->setTabChangesFocus(true);
    form->addRow(PublisherDetailsModel::kLabels[1], contact_);
    connect(contact_, &QPlainTextEdit::textChanged, this, &PublisherDetailsView::limit_contact);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(ok_cancel_buttons(this));
}

void PublisherDetailsView::limit_contact() {
    // The edit holds no more than the record: 127 characters, line breaks counted as in the file.
    const QString text = contact_->toPlainText();
    if (size_t(text.size()) <= kContactLimit) return;
    QSignalBlocker block(contact_);
    contact_->setPlainText(text.left(int(kContactLimit)));
    contact_->moveCursor(QTextCursor::End);
}

void PublisherDetailsView::accept() {
    model_.copyright = to_local_text(notice_->text());
    model_.contact = to_local_text(contact_->toPlainText());
    // The model stores; a model that refuses keeps the dialog open.
    if (model_.ok()) QDialog::accept();
}

AboutView::AboutView(QWidget* owner, const AboutModel& model) : QDialog(owner) {
    setWindowTitle(from_local_text(model.dialog_title()));
    setModal(true);
    auto* icon = new QLabel(this);
    icon->setPixmap(program_icon().pixmap(48, 48));
    auto* version = new QLabel(AboutModel::kVersion, this);
    QFont bold = version->font();
    bold.setBold(true);
    version->setFont(bold);
    auto* edition = new QLabel(AboutModel::kEdition, this);
    auto* texts = new QVBoxLayout;
    texts->addWidget(version);
    texts->addWidget(edition);
    auto* row = new QHBoxLayout;
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addLayout(texts);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
}

}  // namespace plotwell::qt
