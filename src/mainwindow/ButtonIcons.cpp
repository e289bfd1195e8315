#include "mainwindow/ButtonIcons.h"

#include <QPainter>
#include <QPainterPath>

namespace mainwindow {

namespace {

constexpr int IconSize = 20;

void drawOpen(QPainter &p) {
    // An open folder.
    p.setPen(QPen(QColor(120, 90, 0), 1));
    p.setBrush(QColor(240, 200, 80));
    p.drawRect(2, 5, 14, 11);
    QPolygonF flap{{2, 16}, {6, 9}, {19, 9}, {16, 16}};
    p.setBrush(QColor(255, 225, 120));
    p.drawPolygon(flap);
}

void drawSave(QPainter &p) {
    // A diskette.
    p.setPen(QPen(QColor(20, 40, 90), 1));
    p.setBrush(QColor(50, 90, 170));
    p.drawRect(3, 3, 14, 14);
    p.setBrush(Qt::white);
    p.drawRect(6, 3, 8, 5);
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(5, 11, 10, 6);
}

void drawCopy(QPainter &p) {
    // Two sheets.
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(230, 230, 230));
    p.drawRect(3, 2, 10, 12);
    p.setBrush(Qt::white);
    p.drawRect(7, 6, 10, 12);
    p.setPen(QColor(0, 0, 200));
    for (int y = 9; y <= 15; y += 3)
        p.drawLine(9, y, 15, y);
}

void drawPrint(QPainter &p) {
    // A printer with a sheet.
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawRect(6, 2, 8, 7);
    p.setBrush(QColor(170, 170, 170));
    p.drawRect(2, 8, 16, 7);
    p.setBrush(Qt::white);
    p.drawRect(5, 13, 10, 5);
    p.setPen(QColor(0, 160, 0));
    p.drawPoint(15, 10);
}

void drawCalculator(QPainter &p) {
    // A calculator: a green display over a keypad.
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(90, 90, 90));
    p.drawRect(4, 1, 12, 18);
    p.setBrush(Qt::black);
    p.drawRect(6, 3, 8, 4);
    p.setPen(QColor(0, 220, 0));
    p.drawLine(8, 5, 12, 5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 220, 220));
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            p.drawRect(6 + c * 3, 9 + r * 3, 2, 2);
}

void drawHelp(QPainter &p) {
    // A question mark in a blue disc.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 90, 200));
    p.drawEllipse(2, 2, 16, 16);
    p.setPen(Qt::white);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(13);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(2, 2, 16, 16), Qt::AlignCenter, QStringLiteral("?"));
}

void drawClose(QPainter &p) {
    // A door left ajar with an arrow going out.
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(150, 100, 60));
    p.drawRect(3, 2, 9, 16);
    p.setPen(QPen(QColor(200, 0, 0), 2));
    p.drawLine(9, 10, 18, 10);
    p.drawLine(15, 7, 18, 10);
    p.drawLine(15, 13, 18, 10);
}

void drawExercises(QPainter &p) {
    // A sheet with lines and a pencil stroke.
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawRect(4, 2, 12, 16);
    p.setPen(QColor(90, 90, 90));
    for (int y = 6; y <= 14; y += 4)
        p.drawLine(6, y, 14, y);
}

} // namespace

QIcon buttonIcon(ButtonIcon which) {
    QPixmap pm(IconSize, IconSize);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    switch (which) {
    case ButtonIcon::Open:
        drawOpen(p);
        break;
    case ButtonIcon::Save:
        drawSave(p);
        break;
    case ButtonIcon::Copy:
        drawCopy(p);
        break;
    case ButtonIcon::Print:
        drawPrint(p);
        break;
    case ButtonIcon::Calculator:
        drawCalculator(p);
        break;
    case ButtonIcon::Help:
        drawHelp(p);
        break;
    case ButtonIcon::Close:
        drawClose(p);
        break;
    case ButtonIcon::Exercises:
        drawExercises(p);
        break;
    }
    return QIcon(pm);
}

QPixmap informationPicture() {
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 60, 160), 1.5));
    p.setBrush(QColor(60, 130, 230));
    p.drawEllipse(QRectF(2, 2, 28, 28));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(14, 7, 4, 4));
    p.drawRoundedRect(QRectF(14, 13, 4, 12), 1, 1);
    return pm;
}

} // namespace mainwindow
