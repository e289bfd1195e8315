#include "richtext/RtfWriter.h"

#include "richtext/CodePages.h"
#include "richtext/Conventions.h"

#include <QBuffer>
#include <QHash>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QPixmap>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

#include <algorithm>
#include <charconv>
#include <optional>
#include <string_view>
#include <vector>

namespace richtext {

namespace {

// A4 with margins of 2 cm, in twips.
constexpr int PaperWidth = 11906;
constexpr int PaperHeight = 16838;
constexpr int Margin = 1134;
constexpr double TextWidthPixels = (PaperWidth - 2 * Margin) / TwipsPerPixel;

class RtfWriter {
  public:
    explicit RtfWriter(const QTextDocument &document) : document_(document) {}

    QByteArray write();

  private:
    enum class End { Par, Cell };

    void frame(const QTextFrame *frame);
    void table(const QTextTable *table);
    void cellContent(const QTextFrame::iterator &begin, const QTextFrame::iterator &end);
    void block(const QTextBlock &block, bool inTable, End end);
    void paragraphProperties(const QTextBlockFormat &f, const QTextBlock &block);
    // What a run of character properties is written for: a fragment or a paragraph's own format
    // (an empty paragraph, a list number), as a run of text or as a paragraph mark.
    enum Use { FragmentRun, BlockRun, FragmentMark, BlockMark, UseCount };
    const QByteArray &runProperties(const QTextCharFormat &f, int formatIndex, Use use);
    void charProperties(QByteArray &out, const QTextCharFormat &f, bool mark);
    void text(QStringView s);
    void picture(const QTextImageFormat &f);
    void word(const char *name);
    void word(const char *name, long long value);

    int fontIndex(const QString &family);
    int colourIndex(QRgb rgb);

    const QTextDocument &document_;
    QByteArray body_;
    QStringList fonts_;
    QHash<QString, int> fontIndexes_;
    std::vector<QRgb> colours_;
    QHash<QRgb, int> colourIndexes_;
    // The control words of each character format met, with the space after them, by its index
    // in the document, for each use.
    std::vector<std::optional<QByteArray>> runCache_[UseCount];
    // The fragments of the paragraph being written, with their formats.
    std::vector<QTextFragment> fragments_;
    std::vector<QTextCharFormat> formats_;
    QString defaultFamily_;
    double defaultPointSize_ = 12;
};

// Room for at most `most` more bytes at the end of out, written through the pointer returned;
// endTail then cuts out back to where the writing stopped. A byte array keeps its capacity when
// it shrinks, so this costs no allocation beyond the array's usual growth.
char *openTail(QByteArray &out, qsizetype most) {
    const qsizetype at = out.size();
    out.resize(at + most);
    return out.data() + at;
}

void endTail(QByteArray &out, const char *end) {
    out.resize(end - out.constData());
}

constexpr int NumberLength = 20; // the longest a long long is written

char *putNumber(char *p, long long value) {
    return std::to_chars(p, p + NumberLength, value).ptr;
}

char *putWord(char *p, std::string_view name) {
    *p++ = '\\';
    return std::copy(name.begin(), name.end(), p);
}

void appendNumber(QByteArray &out, long long value) {
    endTail(out, putNumber(openTail(out, NumberLength), value));
}

void appendWord(QByteArray &out, std::string_view name) {
    endTail(out, putWord(openTail(out, qsizetype(name.size()) + 1), name));
}

void appendWord(QByteArray &out, std::string_view name, long long value) {
    char *p = openTail(out, qsizetype(name.size()) + 1 + NumberLength);
    endTail(out, putNumber(putWord(p, name), value));
}

void RtfWriter::word(const char *name) {
    appendWord(body_, name);
}
void RtfWriter::word(const char *name, long long value) {
    appendWord(body_, name, value);
}

int RtfWriter::fontIndex(const QString &family) {
    const auto it = fontIndexes_.constFind(family);
    if (it != fontIndexes_.constEnd()) return *it;
    fonts_ << family;
    return fontIndexes_[family] = int(fonts_.size() - 1);
}

int RtfWriter::colourIndex(QRgb rgb) {
    rgb |= 0xFF000000u;
    const auto it = colourIndexes_.constFind(rgb);
    if (it != colourIndexes_.constEnd()) return *it;
    colours_.push_back(rgb);
    return colourIndexes_[rgb] = int(colours_.size()); // index 0 is the automatic colour
}

void RtfWriter::charProperties(QByteArray &out, const QTextCharFormat &f, bool mark) {
    QString family = f.fontFamilies().toStringList().value(0);
    if (family.isEmpty()) family = f.stringProperty(QTextFormat::FontFamily);
    if (family.isEmpty()) family = defaultFamily_;
    appendWord(out, "f", fontIndex(family));
    double points = f.fontPointSize();
    if (points <= 0 && f.hasProperty(QTextFormat::FontPixelSize))
        points = f.intProperty(QTextFormat::FontPixelSize) * 0.75;
    if (points <= 0) {
        // Headings of HTML give a size step relative to the default size, as Qt draws it.
        static constexpr double Steps[] = {0.7, 0.8, 1.0, 1.2, 1.5, 2.0, 2.4};
        const int step = std::clamp(f.intProperty(QTextFormat::FontSizeAdjustment) + 2, 0, 6);
        points = defaultPointSize_ * Steps[step];
    }
    appendWord(out, "fs", std::llround(points * 2));
    if (f.fontWeight() >= QFont::DemiBold) appendWord(out, "b");
    if (f.fontItalic()) appendWord(out, "i");
    switch (f.underlineStyle()) {
    case QTextCharFormat::NoUnderline:
    case QTextCharFormat::SpellCheckUnderline:
        break;
    case QTextCharFormat::DashUnderline:
        appendWord(out, "uldash");
        break;
    case QTextCharFormat::DotLine:
        appendWord(out, "uld");
        break;
    case QTextCharFormat::DashDotLine:
        appendWord(out, "uldashd");
        break;
    case QTextCharFormat::DashDotDotLine:
        appendWord(out, "uldashdd");
        break;
    case QTextCharFormat::WaveUnderline:
        appendWord(out, "ulwave");
        break;
    default:
        appendWord(out, "ul");
        break;
    }
    if (f.underlineStyle() == QTextCharFormat::NoUnderline && f.fontUnderline())
        appendWord(out, "ul");
    if (f.fontStrikeOut()) appendWord(out, "strike");
    // A paragraph mark is never raised or lowered, as Word writes it: LibreOffice loses the
    // break of a mark in superscript and runs the paragraph into the next.
    switch (mark ? QTextCharFormat::AlignNormal : f.verticalAlignment()) {
    case QTextCharFormat::AlignSuperScript:
        appendWord(out, "super");
        break;
    case QTextCharFormat::AlignSubScript:
        appendWord(out, "sub");
        break;
    default:
        break;
    }
    switch (f.fontCapitalization()) {
    case QFont::AllUppercase:
        appendWord(out, "caps");
        break;
    case QFont::SmallCaps:
        appendWord(out, "scaps");
        break;
    default:
        break;
    }
    if (f.hasProperty(QTextFormat::ForegroundBrush) && f.foreground().style() != Qt::NoBrush)
        appendWord(out, "cf", colourIndex(f.foreground().color().rgb()));
    if (f.hasProperty(QTextFormat::BackgroundBrush) && f.background().style() != Qt::NoBrush &&
        f.background().color().alpha() > 0) {
        const int i = colourIndex(f.background().color().rgb());
        appendWord(out, "chcbpat", i);
        appendWord(out, "highlight", i);
    }
}

const QByteArray &RtfWriter::runProperties(const QTextCharFormat &f, int formatIndex, Use use) {
    auto &cache = runCache_[use];
    if (std::size_t(formatIndex) >= cache.size()) cache.resize(std::size_t(formatIndex) + 1);
    std::optional<QByteArray> &props = cache[std::size_t(formatIndex)];
    if (!props) {
        props.emplace();
        charProperties(*props, f, use == FragmentMark || use == BlockMark);
        props->append(' ');
    }
    return *props;
}

void RtfWriter::text(QStringView s) {
    // The longest a UTF-16 unit is written: \u-12345\'xx.
    constexpr qsizetype MostPerUnit = 12;
    char *p = openTail(body_, s.size() * MostPerUnit);
    const auto put = [&p](std::string_view bytes) { p = std::copy(bytes.begin(), bytes.end(), p); };
    for (const QChar qc : s) {
        const char16_t c = qc.unicode();
        if (c >= 0x20 && c < 0x7F) {
            if (c == '\\' || c == '{' || c == '}') *p++ = '\\';
            *p++ = char(c);
            continue;
        }
        switch (c) {
        case '\t':
            put("\\tab ");
            continue;
        case '\n':
        case '\r':
        case 0x2028:
        case 0x2029:
            put("\\line ");
            continue;
        case 0x00A0:
            put("\\~");
            continue;
        case 0x00AD:
            put("\\-");
            continue;
        case 0x2011:
            put("\\_");
            continue;
        case 0xFFFC:
            continue;
        default:
            break;
        }
        if (c < 0x20 || c == 0x7F) continue;
        p = putNumber(putWord(p, "u"), c > 0x7FFF ? int(c) - 0x10000 : int(c));
        const unsigned char fallback = windows1252Byte(c);
        if (fallback >= 0x80) {
            static constexpr char Hex[] = "0123456789abcdef";
            put("\\'");
            *p++ = Hex[fallback >> 4];
            *p++ = Hex[fallback & 15];
        } else {
            *p++ = '?';
        }
    }
    endTail(body_, p);
}

void RtfWriter::picture(const QTextImageFormat &f) {
    QByteArray data = f.property(EncodedPictureProperty).toByteArray();
    QSize pixels;
    const bool jpeg = data.startsWith("\xFF\xD8");
    if (data.startsWith("\x89PNG") || jpeg) {
        QBuffer buffer(&data);
        buffer.open(QIODevice::ReadOnly);
        pixels = QImageReader(&buffer).size();
    } else {
        data.clear();
        const QVariant v = document_.resource(QTextDocument::ImageResource, QUrl(f.name()));
        QImage image;
        if (v.userType() == QMetaType::QImage)
            image = qvariant_cast<QImage>(v);
        else if (v.userType() == QMetaType::QPixmap)
            image = qvariant_cast<QPixmap>(v).toImage();
        else if (v.userType() == QMetaType::QByteArray)
            image.loadFromData(v.toByteArray());
        if (image.isNull()) return;
        pixels = image.size();
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter(&buffer, "png").write(image);
    }
    const double width = f.width() > 0 ? f.width() : pixels.width();
    const double height = f.height() > 0 ? f.height() : pixels.height();
    body_.append("{\\pict");
    word(jpeg ? "jpegblip" : "pngblip");
    word("picw", pixels.width());
    word("pich", pixels.height());
    word("picwgoal", twipsFromPixels(width));
    word("pichgoal", twipsFromPixels(height));
    body_.append('\n');
    static constexpr char Hex[] = "0123456789abcdef";
    const qsizetype start = body_.size();
    body_.resize(start + data.size() * 2 + data.size() / 64 + 1);
    char *out = body_.data() + start;
    for (qsizetype i = 0; i < data.size(); ++i) {
        const auto b = static_cast<unsigned char>(data[i]);
        *out++ = Hex[b >> 4];
        *out++ = Hex[b & 15];
        if (i % 64 == 63) *out++ = '\n';
    }
    body_.resize(out - body_.data());
    body_.append("}");
}

void RtfWriter::paragraphProperties(const QTextBlockFormat &f, const QTextBlock &block) {
    const Qt::Alignment h = f.alignment() & Qt::AlignHorizontal_Mask;
    if (h & Qt::AlignHCenter)
        word("qc");
    else if (h & (Qt::AlignRight | Qt::AlignTrailing))
        word("qr");
    else if (h & Qt::AlignJustify)
        word("qj");
    double left = f.leftMargin() + f.indent() * document_.indentWidth();
    if (const QTextList *list = block.textList())
        left += list->format().indent() * document_.indentWidth();
    if (const long long v = twipsFromPixels(left)) word("li", v);
    if (const long long v = twipsFromPixels(f.rightMargin())) word("ri", v);
    if (const long long v = twipsFromPixels(f.textIndent())) word("fi", v);
    if (const long long v = twipsFromPixels(f.topMargin())) word("sb", v);
    if (const long long v = twipsFromPixels(f.bottomMargin())) word("sa", v);
    switch (f.lineHeightType()) {
    case QTextBlockFormat::ProportionalHeight:
        if (f.lineHeight() != 100) {
            word("sl", std::llround(f.lineHeight() * 2.4));
            word("slmult", 1);
        }
        break;
    case QTextBlockFormat::FixedHeight:
        word("sl", -twipsFromPixels(f.lineHeight()));
        word("slmult", 0);
        break;
    case QTextBlockFormat::MinimumHeight:
        word("sl", twipsFromPixels(f.lineHeight()));
        word("slmult", 0);
        break;
    default:
        break;
    }
    if (f.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) word("pagebb");
    // Qt measures tab stops from where the first line begins, RTF from the left of the text.
    const double lineStart = left + f.textIndent();
    for (const QTextOption::Tab &tab : f.tabPositions()) {
        switch (tab.type) {
        case QTextOption::RightTab:
            word("tqr");
            break;
        case QTextOption::CenterTab:
            word("tqc");
            break;
        case QTextOption::DelimiterTab:
            word("tqdec");
            break;
        default:
            break;
        }
        word("tx", twipsFromPixels(tab.position + lineStart));
    }
}

void RtfWriter::block(const QTextBlock &b, bool inTable, End end) {
    body_.append("\\pard\\plain");
    if (inTable) word("intbl");
    paragraphProperties(b.blockFormat(), b);
    // The paragraph mark takes the format of the paragraph's last run, as a word processor
    // gives it; an empty paragraph's is the block's own.
    fragments_.clear();
    const QTextFragment *markFragment = nullptr;
    for (auto it = b.begin(); !it.atEnd(); ++it) {
        const QTextFragment &fragment = fragments_.emplace_back(it.fragment());
        if (!fragment.isValid()) fragments_.pop_back();
    }
    formats_.clear();
    for (const QTextFragment &fragment : fragments_) {
        formats_.push_back(fragment.charFormat());
        if (!formats_.back().isImageFormat()) markFragment = &fragment;
    }
    if (markFragment)
        body_.append(runProperties(formats_[std::size_t(markFragment - fragments_.data())],
                                   markFragment->charFormatIndex(), FragmentMark));
    else
        body_.append(runProperties(b.charFormat(), b.charFormatIndex(), BlockMark));
    if (const QTextList *list = b.textList()) {
        QString marker;
        switch (list->format().style()) {
        case QTextListFormat::ListDisc:
            marker = QString(QChar(0x2022));
            break;
        case QTextListFormat::ListCircle:
            marker = QString(QChar(0x25E6));
            break;
        case QTextListFormat::ListSquare:
            marker = QString(QChar(0x25AA));
            break;
        default:
            marker = list->itemText(b);
            break;
        }
        body_.append("{\\plain");
        body_.append(runProperties(b.charFormat(), b.charFormatIndex(), BlockRun));
        text(marker);
        body_.append("\\tab}");
    }
    // The text of the whole paragraph at once rather than a string for each fragment.
    const QString blockText = fragments_.empty() ? QString() : b.text();
    for (std::size_t i = 0; i < fragments_.size(); ++i) {
        const QTextFragment &fragment = fragments_[i];
        const QTextCharFormat &f = formats_[i];
        if (f.isImageFormat()) {
            for (int k = 0; k < fragment.length(); ++k)
                picture(f.toImageFormat());
            continue;
        }
        body_.append("{\\plain");
        body_.append(runProperties(f, fragment.charFormatIndex(), FragmentRun));
        text(QStringView(blockText).mid(fragment.position() - b.position(), fragment.length()));
        body_.append('}');
    }
    body_.append(end == End::Cell ? "\\cell\n" : "\\par\n");
}

void RtfWriter::cellContent(const QTextFrame::iterator &begin, const QTextFrame::iterator &end) {
    // Every paragraph of the cell, those of tables nested in it too, one after the other.
    std::vector<QTextBlock> blocks;
    for (auto it = begin; it != end; ++it) {
        if (QTextFrame *child = it.currentFrame()) {
            for (QTextBlock b = document_.findBlock(child->firstPosition());
                 b.isValid() && b.position() <= child->lastPosition(); b = b.next())
                blocks.push_back(b);
        } else if (it.currentBlock().isValid()) {
            blocks.push_back(it.currentBlock());
        }
    }
    if (blocks.empty()) {
        body_.append("\\pard\\plain\\intbl\\cell\n");
        return;
    }
    for (std::size_t i = 0; i < blocks.size(); ++i)
        block(blocks[i], true, i + 1 == blocks.size() ? End::Cell : End::Par);
}

void RtfWriter::table(const QTextTable *t) {
    const QTextTableFormat tf = t->format();
    const int columns = t->columns();
    // Column widths in twips: fixed and percentage widths as given, the rest share what is left.
    const QList<QTextLength> constraints = tf.columnWidthConstraints();
    std::vector<double> widths(std::size_t(columns), 0);
    double used = 0;
    int variable = 0;
    for (int c = 0; c < columns; ++c) {
        const QTextLength l = constraints.value(c);
        if (l.type() == QTextLength::FixedLength)
            widths[std::size_t(c)] = l.rawValue();
        else if (l.type() == QTextLength::PercentageLength)
            widths[std::size_t(c)] = l.rawValue() * TextWidthPixels / 100;
        else
            ++variable;
        used += widths[std::size_t(c)];
    }
    for (double &w : widths)
        if (w <= 0) w = std::max(TextWidthPixels - used, 48.0 * variable) / std::max(1, variable);

    const long long border =
        twipsFromPixels(tf.borderStyle() == QTextFrameFormat::BorderStyle_None ? 0 : tf.border());
    for (int r = 0; r < t->rows(); ++r) {
        word("trowd");
        const long long padding = twipsFromPixels(tf.cellPadding());
        word("trgaph", padding);
        for (const char *side : {"trpaddl", "trpaddr", "trpaddt", "trpaddb"})
            word(side, padding);
        body_.append("\\trpaddfl3\\trpaddfr3\\trpaddft3\\trpaddfb3");
        long long right = 0;
        for (int c = 0; c < columns; ++c) {
            const QTextTableCell cell = t->cellAt(r, c);
            if (cell.row() != r)
                word("clvmrg");
            else if (cell.rowSpan() > 1)
                word("clvmgf");
            if (cell.column() != c)
                word("clmrg");
            else if (cell.columnSpan() > 1)
                word("clmgf");
            if (border > 0) {
                for (const char *side : {"clbrdrt", "clbrdrl", "clbrdrb", "clbrdrr"}) {
                    word(side);
                    word("brdrs");
                    word("brdrw", border);
                }
            }
            const QTextCharFormat cf = cell.format();
            if (cf.hasProperty(QTextFormat::BackgroundBrush) &&
                cf.background().style() != Qt::NoBrush)
                word("clcbpat", colourIndex(cf.background().color().rgb()));
            right += twipsFromPixels(widths[std::size_t(c)]);
            word("cellx", right);
        }
        body_.append('\n');
        for (int c = 0; c < columns; ++c) {
            const QTextTableCell cell = t->cellAt(r, c);
            if (cell.row() == r && cell.column() == c)
                cellContent(cell.begin(), cell.end());
            else
                body_.append("\\pard\\plain\\intbl\\cell\n");
        }
        body_.append("\\row\n");
    }
}

void RtfWriter::frame(const QTextFrame *f) {
    bool first = true;
    for (auto it = f->begin(); !it.atEnd(); ++it) {
        if (QTextFrame *child = it.currentFrame()) {
            if (auto *t = qobject_cast<QTextTable *>(child))
                table(t);
            else
                frame(child);
        } else {
            const QTextBlock b = it.currentBlock();
            // A table at the start of a frame always has an empty paragraph before it, which
            // the file does not hold.
            auto next = it;
            ++next;
            const bool emptyBeforeTable = first && b.length() == 1 && !next.atEnd() &&
                                          qobject_cast<QTextTable *>(next.currentFrame());
            if (!emptyBeforeTable) block(b, false, End::Par);
        }
        first = false;
    }
}

QByteArray RtfWriter::write() {
    const QFont font = document_.defaultFont();
    defaultFamily_ = font.family();
    if (font.pointSizeF() > 0) defaultPointSize_ = font.pointSizeF();
    fontIndex(defaultFamily_);
    body_.reserve(document_.characterCount() * 2 + 1024);
    frame(document_.rootFrame());

    QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n{\\fonttbl";
    for (qsizetype i = 0; i < fonts_.size(); ++i) {
        out.append("{\\f");
        appendNumber(out, i);
        out.append("\\fnil\\fcharset0 ");
        QByteArray saved;
        std::swap(saved, body_);
        text(fonts_[i]);
        std::swap(saved, body_);
        out.append(saved);
        out.append(";}");
    }
    out.append("}\n{\\colortbl;");
    for (const QRgb rgb : colours_) {
        appendWord(out, "red", qRed(rgb));
        appendWord(out, "green", qGreen(rgb));
        appendWord(out, "blue", qBlue(rgb));
        out.append(';');
    }
    out.append("}\n");
    appendWord(out, "paperw", PaperWidth);
    appendWord(out, "paperh", PaperHeight);
    appendWord(out, "margl", Margin);
    appendWord(out, "margr", Margin);
    appendWord(out, "margt", Margin);
    appendWord(out, "margb", Margin);
    out.append("\n");
    out.append(body_);
    out.append("}\n");
    return out;
}

} // namespace

QByteArray writeRtfDocument(const QTextDocument &document) {
    return RtfWriter(document).write();
}

} // namespace richtext
