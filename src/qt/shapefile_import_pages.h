// The seven pages of the "Import ShapeFile" dialog. Each page shows the controls one page of the model
// holds: load() fills the widgets from the model, store() reads them back before the model is asked.
#pragma once

#include <QWidget>

#include "platform/host.h"
#include "shapefile/import_dialog.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace plotwell::qt {

class ImportPageWidget : public QWidget {
  public:
    using QWidget::QWidget;
    virtual void load() {}
    virtual void store() {}
};

// "<- Add" and "Remove ->" between the chosen fields (left, in the order of choosing) and the remaining
// ones (right, sorted); the lists themselves live in the model, which the buttons ask.
class FieldChoiceBox : public QWidget {
    Q_OBJECT
  public:
    FieldChoiceBox(const char* caption, FieldChoicePage& page, Host& host, QWidget* parent);
    void load();
    QListWidget* chosen_list() const { return chosen_; }
    QListWidget* remaining_list() const { return remaining_; }
    QPushButton* add_button() const { return add_; }
    QPushButton* remove_button() const { return remove_; }

  private:
    void add();
    void remove();

    FieldChoicePage& page_;
    Host& host_;
    QListWidget* chosen_;
    QPushButton* add_;
    QPushButton* remove_;
    QListWidget* remaining_;
};

class NamePage : public ImportPageWidget {
  public:
    NamePage(ImportShapefileDialog& model, Host& host, QWidget* parent);
    void load() override;
    void store() override;
    FieldChoiceBox* fields() const { return fields_; }
    QCheckBox* downcase_box() const { return downcase_; }
    QComboBox* substitution_combo() const { return substitution_; }
    QPushButton* details_button() const { return details_; }
    QComboBox* encoding_combo() const { return encoding_; }

  private:
    ImportShapefileDialog& model_;
    FieldChoiceBox* fields_;
    QCheckBox* downcase_;
    QComboBox* substitution_;
    QPushButton* details_;
    QComboBox* encoding_ = nullptr;
};

class TypePage : public ImportPageWidget {
  public:
    TypePage(ImportShapefileDialog& model, Host& host, QWidget* parent);
    void load() override;
    void store() override;
    QComboBox* type_combo() const { return types_; }
    QComboBox* translation_combo() const { return translation_; }
    QPushButton* details_button() const { return details_; }

  private:
    ImportShapefileDialog& model_;
    QComboBox* types_;
    QComboBox* translation_;
    QPushButton* details_;
};

class FilterPage : public ImportPageWidget {
  public:
    FilterPage(ImportShapefileDialog& model, QWidget* parent);
    void load() override;
    void store() override;
    QCheckBox* filter_box() const { return filter_; }
    QCheckBox* untranslated_box() const { return untranslated_; }

  private:
    ImportShapefileDialog& model_;
    QCheckBox* filter_;
    QCheckBox* untranslated_;
};

class CoordinatesPage : public ImportPageWidget {
  public:
    CoordinatesPage(ImportShapefileDialog& model, QWidget* parent);
    void load() override;
    void store() override;
    QLineEdit* multiply_x_edit() const { return multiply_x_; }
    QLineEdit* multiply_y_edit() const { return multiply_y_; }
    QCheckBox* reproject_box() const { return reproject_; }
    QLineEdit* add_x_edit() const { return add_x_; }
    QLineEdit* add_y_edit() const { return add_y_; }

  private:
    ImportShapefileDialog& model_;
    QLineEdit* multiply_x_;
    QLineEdit* multiply_y_;
    QLineEdit* add_x_;
    QLineEdit* add_y_;
    QCheckBox* reproject_ = nullptr;
};

class LinkingPage : public ImportPageWidget {
  public:
    LinkingPage(ImportShapefileDialog& model, Host& host, QWidget* parent);
    void load() override;
    FieldChoiceBox* fields() const { return fields_; }

  private:
    FieldChoiceBox* fields_;
};

class PointsPage : public ImportPageWidget {
    Q_OBJECT
  public:
    PointsPage(ImportShapefileDialog& model, Host& host, QWidget* parent);
    void load() override;
    void store() override;
    QComboBox* icon_combo() const { return icons_; }
    // Asks before translation entries are lost.
    QComboBox* icon_translation_combo() const { return icon_translation_; }
    QPushButton* details_button() const { return details_; }

  private:
    void icon_translation_chosen(int choice);

    ImportShapefileDialog& model_;
    Host& host_;
    QComboBox* icons_;
    QComboBox* icon_translation_;
    QPushButton* details_;
};

// The multi-part policy: every part of the same type, or counter-clockwise parts of "Type:".
class PolygonsPage : public ImportPageWidget {
  public:
    PolygonsPage(ImportShapefileDialog& model, QWidget* parent);
    void load() override;
    void store() override;
    QRadioButton* ccw_button() const { return ccw_; }
    QComboBox* ccw_type_combo() const { return ccw_type_; }

  private:
    ImportShapefileDialog& model_;
    QRadioButton* same_;
    QRadioButton* ccw_;
    QComboBox* ccw_type_;
};

}  // namespace plotwell::qt
