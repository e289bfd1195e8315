#include "DocumentDescription.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

namespace {

QString number(double v) {
    return QString::number(v, 'f', 2);
}

QString charFormat(const QTextCharFormat &f) {
    if (f.isImageFormat()) {
        const QTextImageFormat i = f.toImageFormat();
        return QStringLiteral("{img %1x%2}").arg(number(i.width()), number(i.height()));
    }
    QStringList p;
    p << f.fontFamilies().toStringList().value(0) << number(f.fontPointSize());
    if (f.fontWeight() >= QFont::DemiBold) p << "b";
    if (f.fontItalic()) p << "i";
    if (f.underlineStyle()) p << QStringLiteral("u%1").arg(f.underlineStyle());
    if (f.fontStrikeOut()) p << "s";
    if (f.verticalAlignment()) p << QStringLiteral("va%1").arg(f.verticalAlignment());
    if (f.fontCapitalization()) p << QStringLiteral("caps%1").arg(f.fontCapitalization());
    if (f.hasProperty(QTextFormat::ForegroundBrush)) p << "fg" + f.foreground().color().name();
    if (f.hasProperty(QTextFormat::BackgroundBrush)) p << "bg" + f.background().color().name();
    return "{" + p.join(',') + "}";
}

QString blockLine(const QTextBlock &b) {
    const QTextBlockFormat f = b.blockFormat();
    QString s = QStringLiteral("P a%1 l%2 r%3 fi%4 sb%5 sa%6 lh%7:%8 pb%9 |")
                    .arg(int(f.alignment() & Qt::AlignHorizontal_Mask))
                    .arg(number(f.leftMargin()), number(f.rightMargin()), number(f.textIndent()),
                         number(f.topMargin()), number(f.bottomMargin()))
                    .arg(f.lineHeightType())
                    .arg(number(f.lineHeight()))
                    .arg(int(f.pageBreakPolicy()));
    if (b.length() == 1) s += " empty" + charFormat(b.charFormat());
    for (auto it = b.begin(); !it.atEnd(); ++it) {
        const QTextFragment fr = it.fragment();
        QString text = fr.text();
        text.replace(QChar(0x2028), QLatin1String("<br>"));
        s += charFormat(fr.charFormat()) + text;
    }
    return s;
}

void describeFrame(QStringList &out, const QTextFrame *frame, const QString &indent) {
    bool first = true;
    for (auto it = frame->begin(); !it.atEnd(); ++it) {
        if (auto *t = qobject_cast<QTextTable *>(it.currentFrame())) {
            const QTextTableFormat tf = t->format();
            QStringList widths;
            for (const QTextLength &l : tf.columnWidthConstraints())
                widths << QStringLiteral("%1:%2").arg(l.type()).arg(number(l.rawValue()));
            out << indent +
                       QStringLiteral("T %1x%2 [%3] border %4 pad %5")
                           .arg(t->rows())
                           .arg(t->columns())
                           .arg(widths.join(' '), number(tf.border()), number(tf.cellPadding()));
            for (int r = 0; r < t->rows(); ++r)
                for (int c = 0; c < t->columns(); ++c) {
                    const QTextTableCell cell = t->cellAt(r, c);
                    if (cell.row() != r || cell.column() != c) continue;
                    out << indent + QStringLiteral(" C %1,%2 span %3x%4 %5")
                                        .arg(r)
                                        .arg(c)
                                        .arg(cell.rowSpan())
                                        .arg(cell.columnSpan())
                                        .arg(cell.format().background().color().name());
                    for (QTextBlock b = t->document()->findBlock(cell.firstPosition());
                         b.isValid() && b.position() <= cell.lastPosition(); b = b.next())
                        out << indent + "  " + blockLine(b);
                }
        } else if (it.currentFrame()) {
            describeFrame(out, it.currentFrame(), indent + " ");
        } else {
            auto next = it;
            ++next;
            const QTextBlock b = it.currentBlock();
            // The empty paragraph that Qt keeps before a table at the start.
            if (first && b.length() == 1 && !next.atEnd() &&
                qobject_cast<QTextTable *>(next.currentFrame()))
                continue;
            out << indent + blockLine(b);
        }
        first = false;
    }
}

} // namespace

QString describeDocument(const QTextDocument &document) {
    QStringList out;
    describeFrame(out, document.rootFrame(), QString());
    return out.join('\n');
}

QByteArray pngBytes(const QImage &image) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}
