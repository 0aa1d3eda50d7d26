// The views of "Background Bitmaps" and of the "Bitmap Properties" it opens for one entry.
#pragma once

#include <QDialog>

#include "platform/host.h"
#include "project/background_bitmaps_dialog.h"
#include "project/bitmap_properties_dialog.h"

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace plotwell::qt {

class BackgroundBitmapsView : public QDialog {
    Q_OBJECT
  public:
    enum Button { kNew = 0, kProperties, kRemove, kMoveUp, kMoveDown, kDone, kButtonCount };

    BackgroundBitmapsView(QWidget* owner, BackgroundBitmapsModel& model);
    QListWidget* list() const { return list_; }
    QPushButton* button(Button b) const { return buttons_[b]; }

  private:
    // Hands the list's selection to the model, runs one of its buttons and shows the list it leaves.
    void run(void (BackgroundBitmapsModel::*action)());

    BackgroundBitmapsModel& model_;
    QListWidget* list_;
    QPushButton* buttons_[kButtonCount];
};

class BitmapPropertiesView : public QDialog {
    Q_OBJECT
  public:
    // The position edits in the order X min, X max, Y min, Y max.
    enum Bound { kXMin = 0, kXMax, kYMin, kYMax, kBoundCount };

    BitmapPropertiesView(QWidget* owner, BitmapPropertiesModel& model);
    QLineEdit* file_edit() const { return file_; }
    QPushButton* browse_button() const { return browse_; }
    QLineEdit* bound_edit(Bound b) const { return bounds_[b]; }
    QPushButton* set_from_prev_button() const { return set_from_prev_; }
    QCheckBox* locked_box() const { return locked_; }
    QCheckBox* visible_box() const { return visible_; }

    void accept() override;

  private:
    void read_fields();
    void fill_fields();
    void browse();
    void set_from_prev();

    BitmapPropertiesModel& model_;
    QLineEdit* file_;
    QPushButton* browse_;
    QLineEdit* bounds_[kBoundCount];
    QPushButton* set_from_prev_;
    QCheckBox* locked_;
    QCheckBox* visible_;
};

}  // namespace plotwell::qt
