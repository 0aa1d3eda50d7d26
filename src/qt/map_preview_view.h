// The "Map Preview" window: the core's picture of a map database, a zoom choice of the handheld's five
// levels, panning by dragging or with the arrow keys, and a line on what was left out.
#pragma once

#include <QDialog>
#include <QImage>
#include <QPoint>
#include <functional>

#include "export/database_preview.h"

class QComboBox;
class QLabel;

namespace plotwell::qt {

// Shows the model's picture at the widget's size; drags and arrow keys pan it.
class PreviewPicture : public QWidget {
    Q_OBJECT
  public:
    PreviewPicture(QWidget* parent, DatabasePreviewModel& model);
    QSize sizeHint() const override { return {480, 400}; }
    const QImage& picture() const { return picture_; }
    std::function<void()> changed;  // after the view moved

    void refresh();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void pan(int dx, int dy);

    DatabasePreviewModel& model_;
    QImage picture_;
    QPoint drag_from_;
};

class MapPreviewView : public QDialog {
    Q_OBJECT
  public:
    MapPreviewView(QWidget* owner, DatabasePreviewModel& model);
    QComboBox* zoom_box() const { return zoom_; }
    PreviewPicture* picture() const { return picture_; }
    QLabel* status() const { return status_; }

  private:
    void update_status();

    DatabasePreviewModel& model_;
    QComboBox* zoom_;
    PreviewPicture* picture_;
    QLabel* status_;
};

}  // namespace plotwell::qt
