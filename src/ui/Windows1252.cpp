#include "ui/Windows1252.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace ui {

QByteArray toWindows1252(const QString &text) {
    QByteArray out;
    out.reserve(text.size());
    QStringEncoder encoder("windows-1252");
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.unicode() < 0x80) {
            out.append(char(c.unicode()));
            continue;
        }
        // A surrogate pair is one character outside the code page.
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            out.append('?');
            ++i;
            continue;
        }
        const QByteArray one = encoder.encode(QStringView(&text.constData()[i], 1));
        if (encoder.hasError() || one.size() != 1) {
            out.append('?');
            encoder.resetState();
        } else {
            out.append(one);
        }
    }
    return out;
}

QString firstCharacterOutsideWindows1252(const QString &text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.unicode() < 0x80 || c == QLatin1Char('?')) continue;
        const qsizetype length =
            c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate() ? 2 : 1;
        const QString one = text.mid(i, length);
        if (toWindows1252(one) == "?") return one;
        i += length - 1;
    }
    return QString();
}

QString fromWindows1252(const QByteArray &bytes) {
    QString out;
    out.reserve(bytes.size());
    QStringDecoder decoder("windows-1252");
    for (char byte : bytes) {
        const auto u = static_cast<unsigned char>(byte);
        if (u < 0x80) {
            out.append(QChar(u));
            continue;
        }
        const QString one = decoder.decode(QByteArrayView(&byte, 1));
        if (decoder.hasError() || one.size() != 1) {
            out.append(QChar(u));
            decoder.resetState();
        } else {
            out.append(one);
        }
    }
    return out;
}

} // namespace ui
