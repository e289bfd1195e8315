#include "mainwindow/Panel.h"

namespace mainwindow {

Panel::Panel(QWidget *parent) : QWidget(parent) {
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Background);
    setPalette(p);
}

void Panel::paintEvent(QPaintEvent *) {
    if (!painter_) return;
    QPainter p(this);
    p.setPen(Qt::black);
    painter_(p);
}

namespace paneltext {

namespace {
constexpr int SubscriptDrop = 4;
}

QFont font(bool bold) {
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(8);
    f.setBold(bold);
    return f;
}

double width(QPainter &p, std::initializer_list<Run> runs) {
    const QFontMetricsF fm(p.font());
    double w = 0;
    for (const Run &r : runs)
        w += fm.horizontalAdvance(r.text);
    return w;
}

double print(QPainter &p, double x, double y, std::initializer_list<Run> runs) {
    const QFontMetricsF fm(p.font());
    for (const Run &r : runs) {
        p.drawText(QPointF(x, y + (r.subscript ? SubscriptDrop : 0) + fm.ascent()), r.text);
        x += fm.horizontalAdvance(r.text);
    }
    return x;
}

void printCentred(QPainter &p, double x, double y, std::initializer_list<Run> runs) {
    print(p, x - width(p, runs) / 2, y, runs);
}

void title(QPainter &p, double x, double y, std::initializer_list<Run> runs) {
    p.setFont(font(true));
    print(p, x, y, runs);
}

void labelAgainst(QPainter &p, const QWidget *control, const QString &text, int dy) {
    p.setFont(font(false));
    const double w = QFontMetricsF(p.font()).horizontalAdvance(text);
    print(p, control->x() - w, control->y() + dy, {{text}});
}

} // namespace paneltext

} // namespace mainwindow
