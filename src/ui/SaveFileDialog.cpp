#include "ui/SaveFileDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

namespace ui {

QString askSaveFileName(QWidget *parent, const QString &title, const QStringList &filters,
                        const QString &fileName, QStandardPaths::StandardLocation where,
                        QString *lastFolder) {
    QString folder = lastFolder ? *lastFolder : QString();
    if (folder.isEmpty()) {
        folder = QStandardPaths::writableLocation(where);
        if (!QDir(folder).exists()) folder = QDir::homePath();
    }
    QFileDialog dialog(parent, title);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(QFileInfo(fileName).suffix());
    dialog.setDirectory(folder);
    dialog.selectFile(fileName);
    // The suffix follows the kind chosen in the list: the first of its patterns.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString &f) {
        static const QRegularExpression firstSuffix(QStringLiteral(R"(\*\.(\w+))"));
        dialog.setDefaultSuffix(firstSuffix.match(f).captured(1));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    const QString path = dialog.selectedFiles().constFirst();
    if (lastFolder) *lastFolder = QFileInfo(path).absolutePath();
    return path;
}

} // namespace ui
