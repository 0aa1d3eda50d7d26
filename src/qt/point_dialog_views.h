// The views of the point dialogs: "Simple Point Object" (name and icon code, with the icon panel),
// "Category Point Object" (name, category and sub-type) and "Link Object" (the target map).
#pragma once

#include <QDialog>

#include "dialogs/category_point_dialog.h"
#include "dialogs/link_object_dialog.h"
#include "dialogs/simple_point_dialog.h"
#include "platform/host.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;

namespace plotwell::qt {

class IconPanelWidget;

class SimplePointView : public QDialog {
    Q_OBJECT
  public:
    SimplePointView(QWidget* owner, Host& host, SimplePointModel& model);
    QLineEdit* name_edit() const { return name_; }
    // "&Icon", "&Label", "&Population center", in the order of SimplePointModel::Kind.
    QRadioButton* kind_button(SimplePointModel::Kind kind) const { return kinds_[kind]; }
    QLabel* type_label() const { return type_label_; }
    QComboBox* type_list() const { return type_list_; }
    IconPanelWidget* icon_panel() const { return panel_; }

    void accept() override;

  private:
    void read_widgets();
    void refill();

    SimplePointModel& model_;
    QLineEdit* name_;
    QRadioButton* kinds_[3];
    QWidget* type_row_;  // the "&Type" label and its list
    QLabel* type_label_;
    QComboBox* type_list_;
    IconPanelWidget* panel_;
};

class CategoryPointView : public QDialog {
    Q_OBJECT
  public:
    CategoryPointView(QWidget* owner, Host& host, CategoryPointModel& model);
    QLineEdit* name_edit() const { return name_; }
    QComboBox* category_list() const { return categories_; }
    QComboBox* sub_type_list() const { return sub_types_; }
    QPlainTextEdit* notes_edit() const { return notes_; }
    QComboBox* rating_list() const { return rating_; }

    void accept() override;

  private:
    void refill_lists();

    CategoryPointModel& model_;
    QLineEdit* name_;
    QComboBox* categories_;
    QComboBox* sub_types_;
    QPlainTextEdit* notes_;
    QComboBox* rating_;
};

class LinkObjectView : public QDialog {
    Q_OBJECT
  public:
    LinkObjectView(QWidget* owner, Host& host, LinkObjectModel& model);
    QLineEdit* target_edit() const { return target_; }

    void accept() override;

  private:
    LinkObjectModel& model_;
    QLineEdit* target_;
};

}  // namespace plotwell::qt
