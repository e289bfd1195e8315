#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>
#include <variant>

class QTextDocument;

namespace richtext {

// A message box's title and text for a text file that cannot be read or written.
struct TextError {
    QString title;
    QString text;
};

// Reads RTF bytes into a new document, read whole before the caller shows anything. Bytes that
// are not RTF but plain text become a plain-text document; anything else is refused.
std::variant<std::unique_ptr<QTextDocument>, TextError> readRtf(const QByteArray &bytes);

// readRtf of a file's bytes; a file that cannot be opened, or is not a regular file (a
// directory, a pipe, a device), is refused.
std::variant<std::unique_ptr<QTextDocument>, TextError> readRtfFile(const QString &path);

// The document as 7-bit RTF.
QByteArray writeRtf(const QTextDocument &document);

// writeRtf into a file through a temporary file renamed over it, so that a failed write
// leaves an existing file whole.
std::optional<TextError> writeRtfFile(const QTextDocument &document, const QString &path);

} // namespace richtext
