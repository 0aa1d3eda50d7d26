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

// Clicks a standard button of the dialog's button box; without one the test fails and the dialog closes.
inline void press(QDialog& dialog, QDialogButtonBox::StandardButton which) {
    if (QPushButton* button = dialog_button(dialog, which)) return button->click();
    ADD_FAILURE() << "no such button on " << dialog.windowTitle().toStdString();
    dialog.reject();
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

// A user's double click on a list line, event by event as the window system sends it; the list must be shown.
inline void double_click_line(QListWidget* list, int row) {
    const QPoint at = list->visualItemRect(list->item(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mousePress(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
}

}  // namespace plotwell::test
