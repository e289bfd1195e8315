#include "exercises/ExercisePictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace exercises {

namespace {

QPixmap blank(int width, int height) {
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QPixmap mark(const QColor &centre, const QColor &edge) {
    QPixmap pixmap = blank(22, 22);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient glow(QPointF(9, 8), 11);
    glow.setColorAt(0, centre);
    glow.setColorAt(1, edge);
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(glow);
    p.drawEllipse(QRectF(2, 2, 18, 18));
    return pixmap;
}

} // namespace

QPixmap openExercisePicture() {
    QPixmap pixmap = blank(40, 40);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // Two pages of an open book.
    p.setPen(QPen(QColor(40, 40, 90), 1.2));
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF{{4, 12}, {19, 15}, {19, 35}, {4, 32}});
    p.drawPolygon(QPolygonF{{21, 15}, {36, 12}, {36, 32}, {21, 35}});
    p.setPen(QPen(QColor(0, 0, 200), 1));
    for (int y = 19; y <= 29; y += 4) {
        p.drawLine(QPointF(7, y), QPointF(16, y + 2));
        p.drawLine(QPointF(24, y + 2), QPointF(33, y));
    }
    // A green arrow coming out of it.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 150, 0));
    p.drawPolygon(QPolygonF{{17, 10}, {23, 10}, {23, 6}, {30, 6}, {20, 0}, {10, 6}, {17, 6}});
    return pixmap;
}

QPixmap closeWindowPicture() {
    QPixmap pixmap = blank(40, 40);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(90, 0, 0), 1.2));
    p.setBrush(QColor(220, 40, 30));
    p.drawEllipse(QRectF(5, 5, 30, 30));
    p.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(14, 14), QPointF(26, 26));
    p.drawLine(QPointF(26, 14), QPointF(14, 26));
    return pixmap;
}

QPixmap litMarkPicture() {
    return mark(QColor(255, 250, 160), QColor(230, 150, 0));
}

QPixmap unlitMarkPicture() {
    return mark(QColor(150, 150, 150), QColor(40, 40, 40));
}

QPixmap lensPicture() {
    QPixmap pixmap = blank(24, 24);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // A converging lens on its axis, with two rays meeting at the focus.
    p.setPen(QPen(QColor(0, 0, 0), 1));
    p.drawLine(0, 12, 24, 12);
    QPainterPath lens;
    lens.moveTo(9, 2);
    lens.quadTo(14, 12, 9, 22);
    lens.quadTo(4, 12, 9, 2);
    p.setBrush(QColor(170, 210, 255));
    p.drawPath(lens);
    p.setPen(QPen(QColor(200, 0, 0), 1));
    p.drawLine(QPointF(0, 6), QPointF(9, 6));
    p.drawLine(QPointF(9, 6), QPointF(22, 15));
    p.drawLine(QPointF(0, 18), QPointF(9, 18));
    p.drawLine(QPointF(9, 18), QPointF(22, 9));
    return pixmap;
}

QPixmap loadingPicture() {
    QPixmap pixmap = blank(44, 52);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    for (int k = 2; k >= 0; --k) {
        p.setBrush(k == 0 ? QColor(Qt::white) : QColor(225, 225, 225));
        p.drawRect(QRectF(4 + 5 * k, 4 + 5 * k, 26, 34));
    }
    p.setPen(QPen(QColor(0, 0, 200), 1));
    for (int y = 12; y <= 32; y += 5)
        p.drawLine(8, y, 26, y);
    return pixmap;
}

} // namespace exercises
