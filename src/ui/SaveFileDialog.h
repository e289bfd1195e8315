#pragma once

#include <QStandardPaths>
#include <QString>
#include <QStringList>

class QWidget;

namespace ui {

// The program's own save window (not the desktop's): the kinds of file in `filters`, the suffix
// following the kind chosen in the list, `fileName` proposed. It starts in *lastFolder when it
// holds a folder, else in the user's folder `where`, else in the home folder, never in the
// program's folder; the folder of the file chosen is kept in *lastFolder when given. The path
// chosen, or an empty text when the window is cancelled.
QString askSaveFileName(QWidget *parent, const QString &title, const QStringList &filters,
                        const QString &fileName, QStandardPaths::StandardLocation where,
                        QString *lastFolder = nullptr);

} // namespace ui
