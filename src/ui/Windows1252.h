#pragma once

#include <QByteArray>
#include <QString>

namespace ui {

// Text of record files is stored as Windows-1252 bytes. Conversion goes through Qt's own
// codec; a character the code page lacks is written as "?", and the five bytes the code page
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) read back as the control characters of the
// same value, as the system converter does, so no byte is ever lost on reading.
QByteArray toWindows1252(const QString &text);
QString fromWindows1252(const QByteArray &bytes);
// The first character of the text that the code page lacks (a surrogate pair counts as one),
// or an empty text when every character can be written.
QString firstCharacterOutsideWindows1252(const QString &text);

} // namespace ui
