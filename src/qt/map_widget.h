// The map area: shows the picture that paint_map made and forwards the mouse, the keyboard and the
// wheel to the editor. Its picture is the size of the main window's client area, because the editor
// draws in client pixels; the widget shows the part under itself.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

#include "platform/canvas.h"
#include "qt/qt_canvas.h"

namespace plotwell::qt {

class MainWindow;

class MapWidget : public QWidget {
    Q_OBJECT
  public:
    explicit MapWidget(MainWindow* window, QWidget* parent);

    // The whole map area is out of date; the next paint runs paint_map.
    void invalidate();
    // While a task runs the widget shows its last picture and never reads the project.
    void set_task_running(bool running);
    bool task_running() const { return task_running_; }
    bool picture_dirty() const { return dirty_; }

    // The client area changed size: the picture follows, keeping what it showed until the next paint.
    void resize_picture(int client_width, int client_height);

    // Drawing between repaints (XOR feedback). The picture is brought up to date first so that the
    // feedback lands on what the user sees.
    Canvas& overlay();
    // Ends an overlay pass and shows its result.
    void overlay_done();

    // Brings the picture up to date now (when allowed) and returns it.
    const QImage& picture();

    QPoint to_client(QPoint widget_pos) const { return widget_pos + pos(); }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void render_if_needed();
    ScreenPoint client_point(const QPointF& widget_pos) const;

    MainWindow* window_;
    QImage picture_;
    QtCanvas overlay_canvas_;
    bool dirty_ = true;
    bool task_running_ = false;
    int wheel_x_ = 0;  // wheel movement not yet turned into steps (high-resolution wheels)
    int wheel_y_ = 0;
};

}  // namespace plotwell::qt
