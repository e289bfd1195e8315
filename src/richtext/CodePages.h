#pragma once

#include <QByteArrayView>
#include <QString>

namespace richtext {

// Windows code page numbers as RTF names them; 42 is the Symbol font's own encoding.
constexpr int SymbolCodePage = 42;
constexpr int DefaultCodePage = 1252;

// The code page of a font character set (\fcharsetN), or 0 when the set names none
// (the default set, which follows the document's code page).
int codePageOfCharset(int charset);

// Decodes bytes in a code page; an unknown code page decodes as Windows-1252.
void appendDecoded(QString &out, QByteArrayView bytes, int codePage);

// The 256 characters of a single-byte code page, for decoding without a call per byte; null
// for the Symbol font and for multi-byte code pages.
const char16_t *singleByteTable(int codePage);

// True when the code page leaves the 7-bit bytes as ASCII, so plain text needs no decoder.
bool isAsciiCompatible(int codePage);

// The Windows-1252 byte for a character, or 0 when it has none.
unsigned char windows1252Byte(char16_t c);

} // namespace richtext
