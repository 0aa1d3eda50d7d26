#include "qt/icon_panel_widget.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>

#include "qt/qt_canvas.h"

namespace plotwell::qt {

namespace {
const QColor kBackground(192, 192, 192);
}  // namespace

IconPanelWidget::IconPanelWidget(IconPanel& panel, Click click, QWidget* parent)
    : QWidget(parent), panel_(panel), click_(std::move(click)) {
    if (!click_) click_ = [this](int x, int y) { return panel_.click(x, y); };
    setFixedSize(kIconPanelWidth, kIconPanelHeight);
    setCursor(Qt::ArrowCursor);
    // Every pixel is painted from the picture; nothing needs erasing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QImage IconPanelWidget::picture() const {
    QImage image(kIconPanelWidth, kIconPanelHeight, QImage::Format_RGB32);
    image.fill(kBackground);
    QtCanvas canvas(&image);
    panel_.paint(canvas);
    return image;
}

void IconPanelWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, picture());
}

void IconPanelWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    const QPoint at = event->position().toPoint();
    // Only a new selection moves the frame; clicking the framed cell again costs no repaint.
    if (click_(at.x(), at.y())) update();
}

}  // namespace plotwell::qt
