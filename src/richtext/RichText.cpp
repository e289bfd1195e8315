#include "richtext/RichText.h"

#include "files/AtomicFile.h"
#include "richtext/PlainText.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

#include <QFile>
#include <QFileInfo>
#include <QTextDocument>

namespace richtext {

namespace {

// Larger files are no text that a teacher writes; reading them would only exhaust memory.
constexpr qint64 MaxFileSize = 256LL * 1024 * 1024;

TextError unreadable(const QString &text) {
    return TextError{QStringLiteral("Lecture impossible"), text};
}

} // namespace

std::variant<std::unique_ptr<QTextDocument>, TextError> readRtf(const QByteArray &bytes) {
    if (bytes.size() > MaxFileSize)
        return unreadable(QStringLiteral("Ce fichier est trop volumineux pour être un texte."));
    // A view of the bytes from the first brace: a slice of the QByteArray would copy them all.
    if (looksLikeRtf(bytes))
        return readRtfDocument(QByteArrayView(bytes).sliced(bytes.indexOf('{')));
    const std::optional<QString> text = decodePlainText(bytes);
    if (!text)
        return unreadable(
            QStringLiteral("Ce fichier n'est ni un texte au format RTF ni un texte brut."));
    auto document = std::make_unique<QTextDocument>();
    document->setPlainText(*text);
    return document;
}

std::variant<std::unique_ptr<QTextDocument>, TextError> readRtfFile(const QString &path) {
    // Only a regular file: a pipe or a device could block or never end.
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return unreadable(QStringLiteral("Impossible d'ouvrir le fichier %1").arg(path));
    if (file.size() > MaxFileSize)
        return unreadable(QStringLiteral("Ce fichier est trop volumineux pour être un texte."));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return unreadable(QStringLiteral("Impossible de lire le fichier %1").arg(path));
    return readRtf(bytes);
}

QByteArray writeRtf(const QTextDocument &document) {
    return writeRtfDocument(document);
}

std::optional<TextError> writeRtfFile(const QTextDocument &document, const QString &path) {
    if (!files::writeFileReplacing(path, writeRtf(document)))
        return TextError{QStringLiteral("Enregistrement impossible"),
                         QStringLiteral("Ecriture impossible sur disque")};
    return std::nullopt;
}

} // namespace richtext
