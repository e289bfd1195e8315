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
        if (!w->isVisible()) {
            // A window hidden after it was shown (a menu, a window closed) keeps its pixels,
            // which its next showing at the same size would take as they are: drawn at the
            // new ratio into the old number of pixels, it would be cut at its right and
            // bottom. A size of its own makes it take new ones then.
            if (QBackingStore *store = w->backingStore()) store->resize(w->size() + QSize(1, 1));
            continue;
        }
        const QSize size = w->size();
        w->resize(size + QSize(1, 1));
        w->resize(size);
        // The pixels behind the window are made again at the new ratio, at the window's size
        // (an empty size would ask the X server for a buffer of 65535 × 65535 pixels), and
        // every control paints itself there again: an update of the window alone would leave
        // the places of its opaque controls unpainted.
        if (QBackingStore *store = w->backingStore()) store->resize(w->size());
        w->update();
        for (QWidget *control : w->findChildren<QWidget *>())
            control->update();
    }
    return current;
}

int largestFitting(const QScreen *screen, QSize size) {
    if (!screen) return Smallest;
    // The free area in the units of 100 %: the desktop's own, before the program's zoom.
    const QSizeF free = QSizeF(screen->availableGeometry().size()) * current / 100.0;
    for (int p = Largest; p > Smallest; p -= Step)
        if (size.width() * p / 100.0 <= free.width() && size.height() * p / 100.0 <= free.height())
            return p;
    return Smallest;
}

int remembered() {
    return QSettings().value(SettingKey, Smallest).toInt();
}

void remember(int p) {
    QSettings().setValue(SettingKey, p);
}

} // namespace mainwindow::zoom
