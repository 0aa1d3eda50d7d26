// The views of the import dialog's small dialogs: "New Profile", "Substitution Details" with its entry
// dialog, "Translation Details" with its entry dialog, and "Sample Field Values". Edits reach the model
// when a button asks it; the lists are refilled from the model after every change.
#pragma once

#include <QDialog>

#include "platform/host.h"
#include "shapefile/import_detail_dialogs.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace plotwell::qt {

class DialogViews;
// Registers the views below (called by add_import_views).
void add_import_detail_views(DialogViews& views);

class NewProfileView : public QDialog {
    Q_OBJECT
  public:
    NewProfileView(QWidget* owner, Host& host, NewProfileDialog& model);
    QLineEdit* name_edit() const { return name_; }
    void accept() override;

  private:
    NewProfileDialog& model_;
    QLineEdit* name_;
};

class SubstitutionEntryView : public QDialog {
    Q_OBJECT
  public:
    SubstitutionEntryView(QWidget* owner, Host& host, SubstitutionEntryDialog& model);
    QLineEdit* from_edit() const { return from_; }
    QLineEdit* to_edit() const { return to_; }
    void accept() override;

  private:
    SubstitutionEntryDialog& model_;
    QLineEdit* from_;
    QLineEdit* to_;
};

class SubstitutionDetailsView : public QDialog {
    Q_OBJECT
  public:
    SubstitutionDetailsView(QWidget* owner, Host& host, SubstitutionDetailsDialog& model);
    QListWidget* entry_list() const { return list_; }
    QPushButton* new_button() const { return new_; }

  private:
    void refill();
    SubstitutionDetailsDialog& model_;
    Host& host_;
    QListWidget* list_;
    QPushButton* new_;
};

class TranslationEntryView : public QDialog {
    Q_OBJECT
  public:
    TranslationEntryView(QWidget* owner, Host& host, TranslationEntryDialog& model);
    QLineEdit* text_edit() const { return text_; }
    QLineEdit* min_edit() const { return min_; }
    QLineEdit* max_edit() const { return max_; }
    QComboBox* result_combo() const { return result_; }
    void accept() override;

  private:
    TranslationEntryDialog& model_;
    QLineEdit* text_ = nullptr;
    QLineEdit* min_ = nullptr;
    QLineEdit* max_ = nullptr;
    QComboBox* result_;
};

class SampleValuesView : public QDialog {
    Q_OBJECT
  public:
    SampleValuesView(QWidget* owner, Host& host, SampleValuesDialog& model);
    QPlainTextEdit* values_text() const { return text_; }

  private:
    QPlainTextEdit* text_;
};

class TranslationDetailsView : public QDialog {
    Q_OBJECT
  public:
    TranslationDetailsView(QWidget* owner, Host& host, TranslationDetailsDialog& model);
    QComboBox* field_combo() const { return field_; }
    QComboBox* match_combo() const { return match_; }
    QCheckBox* case_box() const { return case_; }
    QListWidget* entry_list() const { return list_; }
    QPushButton* sample_button() const { return sample_; }
    QPushButton* new_button() const { return new_; }

  private:
    void refill();
    TranslationDetailsDialog& model_;
    Host& host_;
    QComboBox* field_;
    QPushButton* sample_;
    QComboBox* match_;
    QCheckBox* case_;
    QListWidget* list_;
    QPushButton* new_;
};

}  // namespace plotwell::qt
