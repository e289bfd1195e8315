#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

class QTextDocument;

namespace richtext {

// The document's text as a text file shows it: each paragraph ends with a line feed, a line
// break inside a paragraph is a line feed, the cells of a table row are separated by tabs and
// the row ends with a line feed; pictures give nothing.
QString plainText(const QTextDocument &document);

// Bytes that are not RTF read as a plain text: UTF-8 when they are valid UTF-8, UTF-16 after
// its byte-order mark, Windows-1252 otherwise. Bytes holding control characters other than tab,
// line feed, form feed and carriage return are no text: nothing is returned.
std::optional<QString> decodePlainText(QByteArrayView bytes);

// True when the bytes begin (after a byte-order mark and white space) with "{\rtf".
bool looksLikeRtf(QByteArrayView bytes);

} // namespace richtext
