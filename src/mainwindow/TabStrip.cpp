#include "mainwindow/TabStrip.h"

#include <QMouseEvent>
#include <QPainter>

namespace mainwindow {

namespace {

const QColor DarkGrey(128, 128, 128);
const QColor White(255, 255, 255);

QFont captionFont(bool bold) {
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(8);
    f.setBold(bold);
    return f;
}

} // namespace

TabStrip::TabStrip(QWidget *parent) : QWidget(parent) {
    captions_ = {QStringLiteral("Objets et images"), QStringLiteral("Lentilles"),
                 QStringLiteral("Affichage"), QStringLiteral("Construction")};
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Background);
    setPalette(p);
}

void TabStrip::setPanel(int tab, QWidget *panel) {
    panels_[tab - 1] = panel;
    panel->setParent(this);
    panel->hide();
    layOut();
}

void TabStrip::selectTab(int tab) {
    if (tab == currentTab_) return;
    currentTab_ = tab;
    layOut();
    update();
    emit tabChanged(currentTab_);
}

int TabStrip::headerTextHeight() const {
    return QFontMetrics(captionFont(false)).height();
}

void TabStrip::layOut() {
    if (currentTab_ == 0) currentTab_ = 1;
    std::array<std::array<double, 2>, TabCount> widths{};
    const QFontMetricsF regular(captionFont(false)), bold(captionFont(true));
    for (int i = 0; i < TabCount; ++i)
        widths[i] = {regular.horizontalAdvance(captions_[i]), bold.horizontalAdvance(captions_[i])};
    layout_ = layoutTabs(widths, currentTab_, width());

    const int h = headerTextHeight();
    for (int i = 0; i < TabCount; ++i) {
        if (!panels_[i]) continue;
        if (i + 1 == currentTab_) {
            panels_[i]->setGeometry(4, h + 5, width() - 8, height() - h - 9);
            panels_[i]->show();
        } else {
            panels_[i]->hide();
        }
    }
}

void TabStrip::resizeEvent(QResizeEvent *) {
    layOut();
}

void TabStrip::paintEvent(QPaintEvent *) {
    const int W = width(), H = height(), h = headerTextHeight();
    const auto &e = layout_.edges;
    QPainter p(this);
    auto line = [&](int x1, int y1, int x2, int y2, const QColor &c) {
        p.setPen(c);
        p.drawLine(x1, y1, x2, y2);
    };
    auto outline = [&](int x1, int y1, int x2, int y2, const QColor &c) {
        p.setPen(c);
        p.setBrush(Qt::NoBrush);
        p.drawRect(x1, y1, x2 - x1, y2 - y1);
    };

    outline(0, 0, W - 1, H - 1, DarkGrey);
    line(0, 0, 0, H - 1, White);
    for (int i = 1; i <= TabCount; ++i) {
        line(e[i] - 1, 1, e[i] - 1, h + 1, DarkGrey);
        line(e[i], 0, e[i], h, White);
    }
    for (int i = 1; i < TabCount; ++i)
        line(e[i] + 1, 0, e[i + 1] - 1, 0, White);
    // The base line opens under the current header onto the panel.
    line(0, h + 1, e[currentTab_ - 1] + 2, h + 1, White);
    line(e[currentTab_], h + 1, W, h + 1, White);

    for (int i = 1; i <= TabCount; ++i) {
        const bool current = i == currentTab_;
        p.setFont(captionFont(current));
        p.setPen(Qt::black);
        const QFontMetricsF fm(p.font());
        p.drawText(QPointF(e[i - 1] + layout_.gap, (current ? 2 : 1) + fm.ascent()),
                   captions_[i - 1]);
    }

    outline(1, h + 2, W - 2, H - 2, Background);
    outline(2, h + 3, W - 3, H - 3, Background);
    outline(3, h + 4, W - 4, H - 4, DarkGrey);
    outline(4, h + 5, W - 4, H - 4, White);
}

void TabStrip::mouseReleaseEvent(QMouseEvent *event) {
    const QPoint pos = event->position().toPoint();
    const int selected = tabAt(layout_, pos.x(), pos.y());
    if (selected < 0) return;
    selectTab(selected == 0 ? 1 : selected);
}

} // namespace mainwindow
