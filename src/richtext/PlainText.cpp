#include "richtext/PlainText.h"

#include <QStringDecoder>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

namespace richtext {

namespace {

void appendBlock(QString &out, const QTextBlock &block) {
    for (const QChar c : block.text()) {
        switch (c.unicode()) {
        case 0x2028:
        case 0x2029:
            out.append(u'\n');
            break;
        case 0xFFFC:
        case 0x00AD:
            break;
        default:
            out.append(c);
        }
    }
}

void appendFrame(QString &out, const QTextFrame *frame);

void appendCell(QString &out, const QTextTableCell &cell) {
    bool first = true;
    for (auto it = cell.begin(); !it.atEnd(); ++it) {
        if (QTextFrame *child = it.currentFrame()) {
            QString inner;
            appendFrame(inner, child);
            out.append(inner.trimmed().replace(u'\n', u' '));
        } else {
            if (!first) out.append(u' ');
            appendBlock(out, it.currentBlock());
        }
        first = false;
    }
}

void appendTable(QString &out, const QTextTable *table) {
    for (int r = 0; r < table->rows(); ++r) {
        for (int c = 0; c < table->columns(); ++c) {
            if (c > 0) out.append(u'\t');
            const QTextTableCell cell = table->cellAt(r, c);
            if (cell.row() == r && cell.column() == c) appendCell(out, cell);
        }
        out.append(u'\n');
    }
}

void appendFrame(QString &out, const QTextFrame *frame) {
    bool first = true;
    bool afterBlock = false;
    for (auto it = frame->begin(); !it.atEnd(); ++it) {
        if (QTextFrame *child = it.currentFrame()) {
            if (auto *table = qobject_cast<QTextTable *>(child))
                appendTable(out, table);
            else
                appendFrame(out, child);
        } else {
            // The empty paragraphs that always precede a table at the start and follow one at
            // the end are Qt's, not the file's.
            auto next = it;
            ++next;
            const QTextBlock block = it.currentBlock();
            const bool beforeTable =
                first && !next.atEnd() && qobject_cast<QTextTable *>(next.currentFrame());
            const bool afterTable = next.atEnd() && !first && !afterBlock;
            if (block.length() > 1 || !(beforeTable || afterTable)) {
                appendBlock(out, block);
                out.append(u'\n');
            }
        }
        afterBlock = !it.currentFrame();
        first = false;
    }
}

bool hasControlBytes(QStringView text) {
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u < 0x20 && u != '\t' && u != '\n' && u != '\r' && u != '\f') || u == 0x7F)
            return true;
    }
    return false;
}

} // namespace

QString plainText(const QTextDocument &document) {
    QString out;
    appendFrame(out, document.rootFrame());
    return out;
}

bool looksLikeRtf(QByteArrayView bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF")) bytes = bytes.sliced(3);
    qsizetype i = 0;
    while (i < bytes.size() &&
           (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n'))
        ++i;
    return bytes.sliced(i).startsWith("{\\rtf");
}

std::optional<QString> decodePlainText(QByteArrayView bytes) {
    QString text;
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(bytes.startsWith("\xFF\xFE") ? QStringConverter::Utf16LE
                                                          : QStringConverter::Utf16BE);
        text = utf16.decode(bytes.sliced(2));
        if (utf16.hasError()) return std::nullopt;
        // A surrogate out of its pair is no character: U+FFFD, as the RTF reader gives it.
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text.at(i).isHighSurrogate() && i + 1 < text.size() &&
                text.at(i + 1).isLowSurrogate())
                ++i;
            else if (text.at(i).isSurrogate())
                text[i] = QChar::ReplacementCharacter;
        }
    } else {
        if (bytes.startsWith("\xEF\xBB\xBF")) bytes = bytes.sliced(3);
        QStringDecoder utf8(QStringConverter::Utf8);
        text = utf8.decode(bytes);
        if (utf8.hasError()) text = QStringDecoder("windows-1252").decode(bytes);
    }
    if (hasControlBytes(text)) return std::nullopt;
    text.replace(QLatin1StringView("\r\n"), QLatin1StringView("\n"));
    text.replace(u'\r', u'\n');
    text.replace(u'\f', u'\n');
    if (text.endsWith(u'\n')) text.chop(1); // ends the last line, begins no paragraph
    return text;
}

} // namespace richtext
