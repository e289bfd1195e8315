#include "richtext/RichText.h"

#include <QFile>
#include <QSaveFile>
#include <QTextDocument>

namespace richtext {

// Interim codec: plain text in and out until the RTF reader and writer land.
std::variant<std::unique_ptr<QTextDocument>, TextError> readRtf(const QByteArray &bytes) {
    auto document = std::make_unique<QTextDocument>();
    document->setPlainText(QString::fromLatin1(bytes));
    return document;
}

std::variant<std::unique_ptr<QTextDocument>, TextError> readRtfFile(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return TextError{QStringLiteral("Lecture impossible"),
                         QStringLiteral("Impossible d'ouvrir le fichier %1").arg(path)};
    return readRtf(file.readAll());
}

QByteArray writeRtf(const QTextDocument &document) {
    return document.toPlainText().toLatin1();
}

std::optional<TextError> writeRtfFile(const QTextDocument &document, const QString &path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(writeRtf(document)) < 0 || !file.commit())
        return TextError{QStringLiteral("Enregistrement impossible"),
                         QStringLiteral("Ecriture impossible sur disque")};
    return std::nullopt;
}

} // namespace richtext
