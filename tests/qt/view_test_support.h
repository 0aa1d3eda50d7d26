// Helpers for the tests of single dialog views: a scripted host that shows the dialogs a model opens
// through the program's own views, finding a view's controls by their captions, and reading and driving
// its lists.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "qt/qt_host.h"
#include "support/scripted_host.h"

namespace plotwell::test {

// Message boxes and file dialogs come from the script; a dialog model is shown by its registered view
// (answer it with when_modal). The titles of the dialogs run are recorded as ScriptedHost records them.
class ViewsHost : public ScriptedHost {
  public:
    int run_dialog(DialogModel& model) override {
        dialogs.emplace_back(model.dialog_title());
        const qt::DialogView* view = qt::standard_dialog_views().find(model);
        if (!view) {
            ADD_FAILURE() << "no view for " << model.dialog_title();
            return 0;
        }
        return (*view)(nullptr, *this, model);
    }
};

// A standard button of the dialog's button box, or null.
inline QPushButton* dialog_button(const QDialog& dialog, QDialogButtonBox::StandardButton which) {
    auto* box = dialog.findChild<QDialogButtonBox*>();
    return box ? box->button(which) : nullptr;
}

// Clicks a standard button of the dialog's button box; a dialog without it fails the test.
inline void press(const QDialog& dialog, QDialogButtonBox::StandardButton which) {
    QPushButton* button = dialog_button(dialog, which);
    ASSERT_NE(button, nullptr) << "no such button on " << dialog.windowTitle().toStdString();
    button->click();
}

// The label with exactly this caption, or null.
inline QLabel* label_named(const QWidget& parent, const QString& caption) {
    for (QLabel* label : parent.findChildren<QLabel*>())
        if (label->text() == caption) return label;
    return nullptr;
}

// The control a label's mnemonic gives the focus to; null when no label has exactly this caption.
inline QWidget* buddy_of(const QWidget& parent, const QString& caption) {
    QLabel* label = label_named(parent, caption);
    return label ? label->buddy() : nullptr;
}

// The button with exactly this caption, or null.
template <class Button = QAbstractButton>
Button* button_named(const QWidget& parent, const QString& caption) {
    for (Button* b : parent.findChildren<Button*>())
        if (b->text() == caption) return b;
    return nullptr;
}

// The texts of a list's lines, top to bottom.
inline QStringList lines_of(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
    return out;
}

// The texts of a combo box's items, in order.
inline QStringList items_of(const QComboBox* combo) {
    QStringList out;
    for (int i = 0; i < combo->count(); ++i) out << combo->itemText(i);
    return out;
}

// Makes the one line with exactly this text the list's current line; no such line fails the test.
inline void select_line(QListWidget* list, const QString& text) {
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << text.toStdString();
    list->setCurrentItem(found.first());
}

// A double click on a list line as the window system delivers it: press and release, then the second
// press before the double click. Item views act on a double click only on the line the first click
// pressed. The list's window must be shown.
inline void double_click_line(QListWidget* list, int row) {
    const QPoint at = list->visualItemRect(list->item(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mousePress(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
}

}  // namespace plotwell::test
