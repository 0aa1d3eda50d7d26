// The view of "Import Trekpad Map": the chosen database, its map name, the layer translation list and
// the coordinate mapping.
#pragma once

#include <QDialog>

#include "export/import_database_dialog.h"
#include "platform/host.h"

class QListWidget;
class QPushButton;

namespace plotwell::qt {

class DialogViews;

class ImportDatabaseView : public QDialog {
    Q_OBJECT
  public:
    // `model` has been opened: its list is filled.
    ImportDatabaseView(QWidget* owner, Host& host, ImportDatabaseDialog& model);
    QListWidget* list() const { return list_; }
    QPushButton* edit_button() const { return edit_; }

  private:
    void edit();

    Host& host_;
    ImportDatabaseDialog& model_;
    QListWidget* list_;
    QPushButton* edit_;
};

void add_database_import_views(DialogViews& views);

}  // namespace plotwell::qt
