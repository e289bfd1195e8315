#include "mainwindow/WindowZoom.h"

#include <QApplication>
#include <QBackingStore>
#include <QHash>
#include <QPointer>
#include <QScreen>
#include <QSettings>
#include <QWidget>
#include <QtGui/private/qhighdpiscaling_p.h>

#include <algorithm>

namespace mainwindow::zoom {

namespace {

const QString SettingKey = QStringLiteral("affichage/zoom");
int current = Smallest;

// Each screen's own scale before any zoom: the desktop's, without the program-wide factor that
// QT_SCALE_FACTOR may add on top of it.
qreal ownScale(QScreen *screen) {
    static QHash<QString, qreal> scales;
    const QString name = screen->name();
    if (auto it = scales.constFind(name); it != scales.cend()) return *it;
    bool set = false;
    qreal global = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&set);
    if (!set || global <= 0) global = 1;
    const qreal scale = QHighDpiScaling::factor(screen) / global;
    scales.insert(name, scale);
    return scale;
}

} // namespace

int percent() {
    return current;
}

int setPercent(int requested) {
    const int p = std::clamp((requested + Step / 2) / Step * Step, Smallest, Largest);
    if (p == current) return current;
    current = p;
    for (QScreen *screen : QGuiApplication::screens())
        QHighDpiScaling::setScreenFactor(screen, ownScale(screen) * p / 100.0);
    // A window keeps its size in its own units; a resize brings its size on the screen in line,
    // and the whole of it is painted again at the new resolution.
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (!w->isVisible()) continue;
        const QSize size = w->size();
        w->resize(size + QSize(1, 1));
        w->resize(size);
        // The pixels behind the window are made again at the new ratio on the next paint.
        if (QBackingStore *store = w->backingStore()) store->resize(QSize());
        w->update();
    }
    return current;
}

int remembered() {
    return QSettings().value(SettingKey, Smallest).toInt();
}

void remember(int p) {
    QSettings().setValue(SettingKey, p);
}

} // namespace mainwindow::zoom
