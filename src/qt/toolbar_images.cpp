#include "qt/toolbar_images.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace plotwell::qt {

namespace {

const QColor kInk(40, 40, 40);
const QColor kRed(255, 0, 0);
const QColor kGreen(60, 160, 40);
const QColor kMagenta(255, 0, 255);
const QColor kBlue(60, 110, 200);

// A flat layer sheet seen at a slant.
void sheet(QPainter& p, int y, const QColor& fill) {
    const QPoint pts[] = {{1, y + 2}, {9, y}, {15, y + 2}, {7, y + 4}};
    p.setPen(kInk);
    p.setBrush(fill);
    p.drawPolygon(pts, 4);
}

void layer_arrow(QPainter& p, bool up) {
    sheet(p, up ? 10 : 1, QColor(210, 210, 210));
    sheet(p, up ? 6 : 5, QColor(250, 250, 210));
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    if (up) {
        const QPoint tri[] = {{9, 0}, {14, 5}, {4, 5}};
        p.drawPolygon(tri, 3);
    } else {
        const QPoint tri[] = {{4, 11}, {14, 11}, {9, 16}};
        p.drawPolygon(tri, 3);
    }
}

void magnifier(QPainter& p, bool plus) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(225, 240, 255));
    p.drawEllipse(1, 1, 9, 9);
    p.setPen(QPen(kInk, 2));
    p.drawLine(10, 10, 14, 14);
    p.setPen(QPen(kInk, 1));
    p.drawLine(3, 5, 8, 5);
    p.drawLine(3, 6, 8, 6);
    if (plus) {
        p.drawLine(5, 3, 5, 8);
        p.drawLine(6, 3, 6, 8);
    }
}

void draw(QPainter& p, int index) {
    switch (index) {
        case 0:
            layer_arrow(p, true);
            break;
        case 1:
            layer_arrow(p, false);
            break;
        case 2: {  // select: an arrow pointer
            const QPoint pts[] = {{3, 1}, {3, 13}, {6, 10}, {9, 15}, {11, 14}, {8, 9}, {12, 9}};
            p.setPen(kInk);
            p.setBrush(Qt::white);
            p.drawPolygon(pts, 7);
            break;
        }
        case 3: {  // new line: a red polyline with vertex squares
            const QPoint pts[] = {{1, 13}, {5, 5}, {10, 10}, {14, 2}};
            p.setPen(QPen(kRed, 1));
            p.drawPolyline(pts, 4);
            p.setPen(Qt::NoPen);
            p.setBrush(kInk);
            for (const QPoint& q : pts) p.drawRect(q.x() - 1, q.y() - 1, 2, 2);
            break;
        }
        case 4: {  // new polygon: a green ring
            const QPoint pts[] = {{2, 5}, {8, 1}, {14, 6}, {12, 14}, {4, 13}};
            p.setPen(QPen(kGreen, 1));
            p.setBrush(QColor(200, 235, 170));
            p.drawPolygon(pts, 5);
            p.setPen(Qt::NoPen);
            p.setBrush(kInk);
            for (const QPoint& q : pts) p.drawRect(q.x() - 1, q.y() - 1, 2, 2);
            break;
        }
        case 5:  // new point: the magenta square the map draws, with a pin shadow
            p.setPen(kInk);
            p.setBrush(kMagenta);
            p.drawRect(4, 4, 7, 7);
            p.drawLine(8, 12, 8, 15);
            break;
        case 6:
            magnifier(p, true);
            break;
        case 7:
            magnifier(p, false);
            break;
        case 8: {  // rectangle tool: a dashed frame with handles
            QPen dash(kInk, 1, Qt::DashLine);
            p.setPen(dash);
            p.setBrush(Qt::NoBrush);
            p.drawRect(2, 3, 11, 9);
            p.setPen(Qt::NoPen);
            p.setBrush(kInk);
            p.drawRect(1, 2, 3, 3);
            p.drawRect(12, 2, 3, 3);
            p.drawRect(1, 11, 3, 3);
            p.drawRect(12, 11, 3, 3);
            break;
        }
        case 9:  // all layers: a stack of three sheets
            sheet(p, 10, QColor(200, 200, 200));
            sheet(p, 6, QColor(190, 225, 170));
            sheet(p, 2, QColor(250, 250, 210));
            break;
        case 10:  // current layer only: one sheet with a marker
            sheet(p, 6, QColor(250, 250, 210));
            p.setPen(Qt::NoPen);
            p.setBrush(kRed);
            p.drawEllipse(6, 6, 5, 4);
            break;
        default:
            break;
    }
}

}  // namespace

QImage toolbar_image(int index) {
    QImage image(kToolbarImageSize, kToolbarImageSize, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    if (index < 0 || index > 10) return image;
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    draw(p, index);
    return image;
}

QIcon program_icon() {
    QIcon icon;
    for (int size : {16, 32, 48}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.scale(size / 16.0, size / 16.0);
        const QPointF sheet_pts[] = {{1, 3}, {6, 1}, {10, 3}, {15, 1}, {15, 13}, {10, 15}, {6, 13}, {1, 15}};
        p.setPen(QPen(kInk, 0.6));
        p.setBrush(QColor(250, 245, 220));
        p.drawPolygon(sheet_pts, 8);
        p.setPen(QPen(QColor(115, 177, 230), 1.4));
        p.drawLine(QPointF(2, 12), QPointF(13, 4));
        p.setPen(QPen(kRed, 1.0));
        p.drawLine(QPointF(3, 5), QPointF(14, 11));
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

std::vector<QImage> icon_panel_images() {
    // Simple distinct glyphs: a filled shape per row of the panel, one of six colours, with its number.
    static const QColor colours[] = {QColor(200, 40, 40),  QColor(40, 140, 40),  QColor(40, 80, 200),
                                     QColor(200, 150, 20), QColor(140, 40, 160), QColor(60, 60, 60)};
    std::vector<QImage> images;
    for (int i = 0; i < kIconPanelImageCount; ++i) {
        QImage image(16, 16, QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        p.setPen(Qt::black);
        p.setBrush(colours[i % 6]);
        switch (i / 6) {
            case 0:
                p.drawRect(2, 2, 11, 11);
                break;
            case 1:
                p.drawEllipse(2, 2, 11, 11);
                break;
            case 2: {
                const QPoint tri[] = {{8, 1}, {14, 13}, {2, 13}};
                p.drawPolygon(tri, 3);
                break;
            }
            default: {
                const QPoint dia[] = {{8, 1}, {14, 8}, {8, 14}, {2, 8}};
                p.drawPolygon(dia, 4);
                break;
            }
        }
        p.end();
        images.push_back(image);
    }
    return images;
}

}  // namespace plotwell::qt
