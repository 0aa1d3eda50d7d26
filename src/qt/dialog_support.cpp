#include "qt/dialog_support.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>

#include "qt/text_codec.h"

namespace plotwell::qt {

int exec_centred(QDialog& dialog, QWidget* owner) {
    dialog.setModal(true);
    dialog.adjustSize();
    QRect area;
    if (owner && owner->isVisible())
        area = owner->window()->frameGeometry();
    else if (QScreen* screen = dialog.screen())
        area = screen->availableGeometry();
    if (area.isValid()) dialog.move(area.center() - dialog.rect().center());
    return dialog.exec() == QDialog::Accepted ? 1 : 0;
}

QFont fixed_pitch_font() {
    QFont font;
    font.setFamilies({"DejaVu Sans Mono", "Noto Sans Mono", "Noto Mono", "Liberation Mono",
                      QFontDatabase::systemFont(QFontDatabase::FixedFont).family()});
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPixelSize(10);
    font.setWeight(QFont::Normal);
    return font;
}

QLabel* buddy_label(const char* text, QWidget* control, QWidget* parent) {
    auto* label = new QLabel(from_local_text(text), parent);
    label->setBuddy(control);
    return label;
}

QDialogButtonBox* ok_cancel_buttons(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    // Our own captions: some desktops give these buttons mnemonics that clash with the dialog's.
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancel"));
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

void fill_list(QListWidget* list, const std::vector<std::string>& lines, int selected) {
    const QSignalBlocker block(list);
    list->clear();
    for (const std::string& line : lines) list->addItem(from_local_text(line));
    list->setCurrentRow(selected >= 0 && selected < list->count() ? selected : -1);
}

void fill_combo(QComboBox* combo, const std::vector<std::string>& items, int selected) {
    const QSignalBlocker block(combo);
    combo->clear();
    for (const std::string& item : items) combo->addItem(from_local_text(item));
    combo->setCurrentIndex(selected >= 0 && selected < combo->count() ? selected : -1);
}

int list_selection(const QListWidget* list) {
    const QListWidgetItem* item = list->currentItem();
    return item && item->isSelected() ? list->row(item) : -1;
}

}  // namespace plotwell::qt
