#include "qt/map_preview_view.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "export/export_settings.h"
#include "qt/text_codec.h"

namespace plotwell::qt {

PreviewPicture::PreviewPicture(QWidget* parent, DatabasePreviewModel& model)
    : QWidget(parent), model_(model) {
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(160, 160);  // the handheld's screen
    setCursor(Qt::OpenHandCursor);
}

void PreviewPicture::refresh() {
    set_preview_size(model_, width(), height());
    const Image image = preview_picture(model_);
    // 0xAARRGGBB words are what Format_ARGB32 holds; copy, since the Image goes away.
    picture_ = QImage(reinterpret_cast<const uchar*>(image.pixels.data()), image.width, image.height,
                      image.width * 4, QImage::Format_ARGB32)
                   .copy();
    update();
}

void PreviewPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
    if (hasFocus()) {
        painter.setPen(QPen(palette().highlight().color(), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void PreviewPicture::resizeEvent(QResizeEvent*) {
    refresh();
}

void PreviewPicture::mousePressEvent(QMouseEvent* event) {
    drag_from_ = event->position().toPoint();
}

void PreviewPicture::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton)) return;
    const QPoint at = event->position().toPoint();
    pan(at.x() - drag_from_.x(), at.y() - drag_from_.y());
    drag_from_ = at;
}

void PreviewPicture::keyPressEvent(QKeyEvent* event) {
    const int step_x = width() / 4, step_y = height() / 4;
    switch (event->key()) {
        case Qt::Key_Left:
            pan(step_x, 0);
            break;
        case Qt::Key_Right:
            pan(-step_x, 0);
            break;
        case Qt::Key_Up:
            pan(0, step_y);
            break;
        case Qt::Key_Down:
            pan(0, -step_y);
            break;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
}

void PreviewPicture::pan(int dx, int dy) {
    if (dx == 0 && dy == 0) return;
    pan_preview(model_, dx, dy);
    refresh();
    if (changed) changed();
}

MapPreviewView::MapPreviewView(QWidget* owner, DatabasePreviewModel& model) : QDialog(owner), model_(model) {
    setWindowTitle(from_local_text(model.dialog_title()) + " - " + from_local_text(model.path));
    setModal(true);
    auto* top = new QHBoxLayout;
    auto* label = new QLabel("&Zoom:", this);
    zoom_ = new QComboBox(this);
    for (int z = 0; z < kRenderZoomCount; ++z) zoom_->addItem(kZoomNames[z]);
    zoom_->setCurrentIndex(model.view.zoom);
    label->setBuddy(zoom_);
    top->addWidget(label);
    top->addWidget(zoom_);
    top->addStretch();
    picture_ = new PreviewPicture(this, model);
    status_ = new QLabel(this);
    status_->setTextInteractionFlags(Qt::NoTextInteraction);
    auto* close = new QPushButton("Close", this);
    close->setDefault(true);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(status_, 1);
    bottom->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(picture_, 1);
    layout->addLayout(bottom);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(zoom_, &QComboBox::currentIndexChanged, this, [this](int z) {
        set_preview_zoom(model_, z);
        picture_->refresh();
        update_status();
    });
    picture_->changed = [this]() { update_status(); };
    update_status();
}

void MapPreviewView::update_status() {
    status_->setText(from_local_text(preview_status(model_)));
}

}  // namespace plotwell::qt
