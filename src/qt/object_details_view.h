// The view of "Point Details", "Line Details" and "Polygon Details": an object's name and type, also
// shown to confirm a newly drawn object.
#pragma once

#include <QDialog>

#include "dialogs/object_details_dialog.h"
#include "platform/host.h"

class QComboBox;
class QLineEdit;

namespace plotwell::qt {

class ObjectDetailsView : public QDialog {
    Q_OBJECT
  public:
    ObjectDetailsView(QWidget* owner, Host& host, ObjectDetailsModel& model);
    QLineEdit* name_edit() const { return name_; }
    QComboBox* type_list() const { return types_; }

    void accept() override;

  private:
    ObjectDetailsModel& model_;
    QLineEdit* name_;
    QComboBox* types_;
};

}  // namespace plotwell::qt
