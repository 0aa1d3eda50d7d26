// The views of the project import: "Import Plotwell Project" with its layer translation list, the
// "Layer Translation" it opens for one line, and "Clone Project" of the New Project templates.
#pragma once

#include <QDialog>

#include "dialogs/layer_translation_dialog.h"
#include "platform/host.h"
#include "project/clone_project_dialog.h"
#include "project/import_project_dialog.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace plotwell::qt {

class ImportProjectView : public QDialog {
    Q_OBJECT
  public:
    // `model` has been opened: its list is filled.
    ImportProjectView(QWidget* owner, Host& host, ImportProjectDialog& model);
    QLabel* filename_label() const { return filename_; }
    QListWidget* list() const { return list_; }
    QPushButton* edit_button() const { return edit_; }
    QPushButton* match_button() const { return match_; }
    QPushButton* deselect_button() const { return deselect_; }

    void accept() override;
    void reject() override;

  private:
    void edit();
    void refill();

    Host& host_;
    ImportProjectDialog& model_;
    QLabel* filename_;
    QListWidget* list_;
    QPushButton* edit_;
    QPushButton* match_;
    QPushButton* deselect_;
};

class LayerTranslationView : public QDialog {
    Q_OBJECT
  public:
    LayerTranslationView(QWidget* owner, LayerTranslationDialog& model);
    QLabel* source_label() const { return source_; }
    QComboBox* destination_combo() const { return destination_; }

    void accept() override;

  private:
    LayerTranslationDialog& model_;
    QLabel* source_;
    QComboBox* destination_;
};

class CloneProjectView : public QDialog {
    Q_OBJECT
  public:
    CloneProjectView(QWidget* owner, Host& host, CloneProjectDialog& model);
    QLineEdit* source_edit() const { return source_; }
    QLineEdit* new_project_edit() const { return new_project_; }

    // OK hands both fields to the model: the New command makes the clone from them.
    void accept() override;
    void reject() override;

  private:
    Host& host_;
    CloneProjectDialog& model_;
    QLineEdit* source_;
    QLineEdit* new_project_;
};

}  // namespace plotwell::qt
