#include "ui/ProgramDirectory.h"

#include <QCoreApplication>

namespace ui {

QString programDirectory() {
    QString dir = QCoreApplication::applicationDirPath();
    if (!dir.endsWith(QLatin1Char('/'))) dir += QLatin1Char('/');
    return dir;
}

} // namespace ui
