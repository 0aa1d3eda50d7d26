// The views of the frame's two dialogs: "Publisher Details" and "About Plotwell".
#pragma once

#include <QDialog>

#include "dialogs/about_dialog.h"
#include "export/publisher_dialog.h"
#include "platform/host.h"

class QLineEdit;
class QPlainTextEdit;

namespace plotwell::qt {

class PublisherDetailsView : public QDialog {
    Q_OBJECT
  public:
    PublisherDetailsView(QWidget* owner, PublisherDetailsModel& model);
    QLineEdit* notice_edit() const { return notice_; }
    QPlainTextEdit* contact_edit() const { return contact_; }

    void accept() override;  // OK: the fields into the model, which stores them

  private:
    void limit_contact();

    PublisherDetailsModel& model_;
    QLineEdit* notice_;
    QPlainTextEdit* contact_;
};

class AboutView : public QDialog {
    Q_OBJECT
  public:
    AboutView(QWidget* owner, const AboutModel& model);
};

}  // namespace plotwell::qt
