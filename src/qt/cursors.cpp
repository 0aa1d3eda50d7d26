#include "qt/cursors.h"

#include <QPainter>
#include <QPixmap>
#include <array>

namespace plotwell::qt {

namespace {

// A 32 x 32 cursor: a black figure with a white rim so that it shows on the white sheet and on the
// dark background alike.
QCursor drawn_cursor(void (*figure)(QPainter&), int hot_x, int hot_y) {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(Qt::white, 3));
    figure(p);
    p.setPen(QPen(Qt::black, 1));
    figure(p);
    p.end();
    return QCursor(pixmap, hot_x, hot_y);
}

// Cross hairs with a small square on the hot spot: grab a vertex.
void vertex_figure(QPainter& p) {
    p.drawLine(8, 1, 8, 5);
    p.drawLine(8, 11, 8, 15);
    p.drawLine(1, 8, 5, 8);
    p.drawLine(11, 8, 15, 8);
    p.drawRect(6, 6, 4, 4);
}

// Cross hairs over a slanted line: insert on a segment.
void segment_figure(QPainter& p) {
    p.drawLine(8, 1, 8, 15);
    p.drawLine(1, 8, 15, 8);
    p.drawLine(2, 14, 14, 2);
}

// An arrow with a small polygon beside it: pick an object.
void object_figure(QPainter& p) {
    const QPoint arrow[] = {{0, 0}, {0, 14}, {4, 10}, {7, 16}, {9, 15}, {6, 9}, {11, 9}, {0, 0}};
    p.drawPolyline(arrow, 8);
    const QPoint shape[] = {{13, 13}, {21, 12}, {23, 19}, {16, 22}, {13, 13}};
    p.drawPolyline(shape, 5);
}

// Four arrows from the centre: move the object.
void move_figure(QPainter& p) {
    p.drawLine(8, 0, 8, 16);
    p.drawLine(0, 8, 16, 8);
    p.drawLine(8, 0, 5, 3);
    p.drawLine(8, 0, 11, 3);
    p.drawLine(8, 16, 5, 13);
    p.drawLine(8, 16, 11, 13);
    p.drawLine(0, 8, 3, 5);
    p.drawLine(0, 8, 3, 11);
    p.drawLine(16, 8, 13, 5);
    p.drawLine(16, 8, 13, 11);
}

}  // namespace

const QCursor& cursor_for(Cursor cursor) {
    static const std::array<QCursor, 10> cursors = {
        QCursor(Qt::ArrowCursor),           drawn_cursor(vertex_figure, 8, 8),
        drawn_cursor(segment_figure, 8, 8), drawn_cursor(object_figure, 0, 0),
        drawn_cursor(move_figure, 8, 8),    QCursor(Qt::SizeFDiagCursor),
        QCursor(Qt::SizeBDiagCursor),       QCursor(Qt::SizeVerCursor),
        QCursor(Qt::SizeHorCursor),         QCursor(Qt::SizeAllCursor),
    };
    const size_t i = size_t(cursor);
    return cursors[i < cursors.size() ? i : 0];
}

}  // namespace plotwell::qt
