#pragma once

#include <QByteArray>

class QTextDocument;

namespace richtext {

// The document as 7-bit RTF on A4 paper: a font table of the fonts used, a colour table that
// starts with the automatic colour, each paragraph with \pard and its own properties, each run
// in its own group with its full character format, tables as rows of cells, pictures as PNG
// (or the JPEG they were read from).
QByteArray writeRtfDocument(const QTextDocument &document);

} // namespace richtext
