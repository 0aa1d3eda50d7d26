#include "qt/map_widget.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>

#include "editor/command_ids.h"
#include "editor/input_dispatch.h"
#include "editor/view_commands.h"
#include "editor/view_style.h"
#include "qt/main_window.h"

namespace plotwell::qt {

namespace {
// One notch of a mouse wheel, in eighths of a degree.
constexpr int kWheelNotch = 120;

std::optional<KeyPress> key_press(const QKeyEvent* event) {
    KeyPress press;
    press.ctrl = event->modifiers() & Qt::ControlModifier;
    press.shift = event->modifiers() & Qt::ShiftModifier;
    const int k = event->key();
    switch (k) {
        case Qt::Key_Left:
            press.key = Key::Left;
            break;
        case Qt::Key_Right:
            press.key = Key::Right;
            break;
        case Qt::Key_Up:
            press.key = Key::Up;
            break;
        case Qt::Key_Down:
            press.key = Key::Down;
            break;
        case Qt::Key_PageUp:
            press.key = Key::PageUp;
            break;
        case Qt::Key_PageDown:
            press.key = Key::PageDown;
            break;
        case Qt::Key_Delete:
            press.key = Key::Delete;
            break;
        case Qt::Key_Escape:
            press.key = Key::Escape;
            break;
        default:
            if (k >= Qt::Key_A && k <= Qt::Key_Z) {
                press.key = Key::Letter;
                press.letter = char('A' + (k - Qt::Key_A));
            } else {
                return std::nullopt;
            }
    }
    return press;
}
}  // namespace

MapWidget::MapWidget(MainWindow* window, QWidget* parent)
    : QWidget(parent), window_(window), overlay_canvas_(&picture_) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::ArrowCursor);
}

void MapWidget::invalidate() {
    dirty_ = true;
    update();
}

void MapWidget::set_task_running(bool running) {
    task_running_ = running;
}

void MapWidget::resize_picture(int client_width, int client_height) {
    if (client_width <= 0 || client_height <= 0) return;
    if (picture_.width() == client_width && picture_.height() == client_height) return;
    overlay_canvas_.finish();
    QImage next(client_width, client_height, QImage::Format_RGB32);
    const Color grey = style::kDarkGrey;
    next.fill(QColor(grey.r, grey.g, grey.b));
    if (!picture_.isNull()) {
        QPainter p(&next);
        p.drawImage(0, 0, picture_);
    }
    picture_ = next;
    dirty_ = true;
}

void MapWidget::render_if_needed() {
    if (!dirty_ || task_running_ || picture_.isNull()) return;
    overlay_canvas_.finish();
    EditorContext& ctx = window_->context();
    // The bars follow scrolling and zooming as well as resizing.
    set_scroll_bars(ctx.view, ctx.project, ctx.host);
    QtCanvas canvas(&picture_);
    on_paint(ctx, canvas);
    canvas.finish();
    dirty_ = false;
}

const QImage& MapWidget::picture() {
    render_if_needed();
    overlay_canvas_.finish();
    return picture_;
}

Canvas& MapWidget::overlay() {
    render_if_needed();
    return overlay_canvas_;
}

void MapWidget::overlay_done() {
    overlay_canvas_.finish();
    update();
}

void MapWidget::paintEvent(QPaintEvent* event) {
    render_if_needed();
    overlay_canvas_.finish();
    QPainter p(this);
    const QRect r = event->rect();
    p.drawImage(r, picture_, r.translated(pos()));
}

ScreenPoint MapWidget::client_point(const QPointF& widget_pos) const {
    const QPoint c = to_client(widget_pos.toPoint());
    return ScreenPoint{c.x(), c.y()};
}

void MapWidget::mouseMoveEvent(QMouseEvent* event) {
    const ScreenPoint p = client_point(event->position());
    window_->forward([p](EditorContext& ctx) { on_mouse_move(ctx, p); });
}

void MapWidget::mousePressEvent(QMouseEvent* event) {
    const ScreenPoint p = client_point(event->position());
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    if (event->button() == Qt::LeftButton)
        window_->forward([p, ctrl](EditorContext& ctx) { on_left_down(ctx, p, ctrl); });
    else if (event->button() == Qt::RightButton)
        window_->forward([p](EditorContext& ctx) { on_right_down(ctx, p); });
}

void MapWidget::mouseReleaseEvent(QMouseEvent* event) {
    const ScreenPoint p = client_point(event->position());
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    if (event->button() == Qt::LeftButton)
        window_->forward([p, ctrl](EditorContext& ctx) { on_left_up(ctx, p, ctrl); });
    else if (event->button() == Qt::RightButton)
        window_->forward([p](EditorContext& ctx) { on_right_up(ctx, p); });
}

void MapWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    const ScreenPoint p = client_point(event->position());
    if (event->button() == Qt::LeftButton)
        window_->forward([p](EditorContext& ctx) { on_left_double_click(ctx, p); });
    else if (event->button() == Qt::RightButton)
        window_->forward([p](EditorContext& ctx) { on_right_down(ctx, p); });
}

void MapWidget::wheelEvent(QWheelEvent* event) {
    // The wheel scrolls by lines as the scroll bar arrows do (Shift or a sideways wheel: horizontally);
    // with Ctrl it zooms in or out one step per notch.
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    QPoint delta = event->angleDelta();
    if (shift && delta.x() == 0) delta = QPoint(delta.y(), 0);
    wheel_x_ += delta.x();
    wheel_y_ += delta.y();
    const int notches_y = wheel_y_ / kWheelNotch;
    const int notches_x = wheel_x_ / kWheelNotch;
    wheel_y_ -= notches_y * kWheelNotch;
    wheel_x_ -= notches_x * kWheelNotch;
    event->accept();
    if (ctrl) {
        // About the cursor: the point under it stays under it.
        const ScreenPoint p = client_point(event->position());
        for (int i = 0; i < std::abs(notches_y); ++i)
            window_->forward([p, in = notches_y > 0](EditorContext& ctx) { zoom_at_cursor(ctx, p, in); });
        return;
    }
    const int lines = std::max(1, QApplication::wheelScrollLines());
    for (int i = 0; i < std::abs(notches_y) * lines; ++i) {
        const ScrollAction a = notches_y > 0 ? ScrollAction::LineBack : ScrollAction::LineForward;
        window_->forward([a](EditorContext& ctx) { on_scroll(ctx, ScrollBar::Vertical, a); });
    }
    for (int i = 0; i < std::abs(notches_x) * lines; ++i) {
        const ScrollAction a = notches_x > 0 ? ScrollAction::LineBack : ScrollAction::LineForward;
        window_->forward([a](EditorContext& ctx) { on_scroll(ctx, ScrollBar::Horizontal, a); });
    }
}

void MapWidget::keyPressEvent(QKeyEvent* event) {
    CommandResult result = CommandResult::Unknown;
    if (auto press = key_press(event))
        window_->forward([&](EditorContext& ctx) { result = on_key(ctx, *press); });
    if (result == CommandResult::Unknown) {
        char c = 0;
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
            c = '\r';
        else if (event->text() == "+")
            c = '+';
        else if (event->text() == "-")
            c = '-';
        if (c) window_->forward([&](EditorContext& ctx) { result = on_char(ctx, c); });
    }
    if (result == CommandResult::Unknown)
        QWidget::keyPressEvent(event);
    else
        event->accept();
}

}  // namespace plotwell::qt
