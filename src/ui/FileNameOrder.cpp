#include "ui/FileNameOrder.h"

#include <QCollator>

#include <algorithm>

namespace ui {

void sortFileNames(QStringList &names) {
    const QLocale locale(QLocale::French, QLocale::France);
    QCollator french(locale);
    french.setCaseSensitivity(Qt::CaseInsensitive);
    // Names equal but for their case: the lower case first, then a fixed order.
    const QCollator withCase(locale);
    std::sort(names.begin(), names.end(), [&](const QString &a, const QString &b) {
        if (const int order = french.compare(a, b)) return order < 0;
        if (const int order = withCase.compare(a, b)) return order < 0;
        return a < b;
    });
}

} // namespace ui
