#include "richtext/DocumentBuilder.h"

#include "richtext/CodePages.h"
#include "richtext/Conventions.h"

#include <QTextDocument>
#include <QTextImageFormat>
#include <QTextTable>
#include <QUrl>
#include <private/qtextdocument_p.h>

#include <algorithm>
#include <unordered_map>

namespace richtext {

namespace {

// A table never grows beyond these, whatever the file asks: further cells go into the last
// column, further rows into the last row.
constexpr int MaxColumns = 64;
constexpr int MaxCells = 100000;
// Tables of fewer rows grow a row at a time.
constexpr int SmallTableRows = 16;

} // namespace

DocumentBuilder::DocumentBuilder(QTextDocument &document, const RtfTables &tables,
                                 const RowDef &row)
    : document_(document), tables_(tables), row_(row), cursor_(&document) {
    // One edit block without undo: each insertion then neither lays out its paragraph again
    // nor records how to undo it.
    document_.setUndoRedoEnabled(false);
    cursor_.beginEditBlock();
}

const DocumentBuilder::CachedFormat &DocumentBuilder::cachedFormat(const CharState &c) {
    for (std::size_t i = 0; i < formatCacheSize_; ++i)
        if (formatCache_[i].state == c) return formatCache_[i];
    QTextCharFormat f;
    // A symbol font's glyphs were read as the characters they draw, which the symbol font
    // itself does not hold: such text takes the document's default font.
    const FontEntry *font = tables_.font(c.font);
    if (font && font->codePage == SymbolCodePage) font = tables_.font(-1);
    if (font && font->codePage != SymbolCodePage && !font->name.isEmpty())
        f.setFontFamilies(QStringList{font->name});
    f.setFontPointSize(c.halfPoints / 2.0);
    if (c.bold) f.setFontWeight(QFont::Bold);
    if (c.italic) f.setFontItalic(true);
    if (c.underline) f.setUnderlineStyle(QTextCharFormat::UnderlineStyle(c.underline));
    if (c.strike) f.setFontStrikeOut(true);
    if (c.vertical) f.setVerticalAlignment(QTextCharFormat::VerticalAlignment(c.vertical));
    if (c.caps) f.setFontCapitalization(QFont::Capitalization(c.caps));
    if (const auto rgb = tables_.colour(c.foreground)) f.setForeground(QColor(*rgb));
    if (const auto rgb = tables_.colour(c.background)) f.setBackground(QColor(*rgb));

    // The document's number for the format, looked up once. The lookup also computes the
    // format's hash, which stays with it for the cursor's own insertions.
    const int index = QTextDocumentPrivate::get(&document_)->formatCollection()->indexForFormat(f);

    const std::size_t slot = formatCacheNext_;
    formatCacheNext_ = (formatCacheNext_ + 1) % formatCache_.size();
    formatCacheSize_ = std::max(formatCacheSize_, slot + 1);
    formatCache_[slot] = {c, f, index};
    return formatCache_[slot];
}

QTextBlockFormat DocumentBuilder::blockFormat(const ParaState &p, bool pageBreak) const {
    QTextBlockFormat f;
    switch (p.align) {
    case 1:
        f.setAlignment(Qt::AlignHCenter);
        break;
    case 2:
        f.setAlignment(Qt::AlignRight);
        break;
    case 3:
        f.setAlignment(Qt::AlignJustify);
        break;
    default:
        break;
    }
    if (p.left) f.setLeftMargin(pixelsFromTwips(p.left));
    if (p.right) f.setRightMargin(pixelsFromTwips(p.right));
    if (p.firstLine) f.setTextIndent(pixelsFromTwips(p.firstLine));
    if (p.before) f.setTopMargin(pixelsFromTwips(p.before));
    if (p.after) f.setBottomMargin(pixelsFromTwips(p.after));
    if (p.lineSpacing) {
        if (p.lineMultiple)
            f.setLineHeight(std::abs(p.lineSpacing) * 100.0 / 240.0,
                            QTextBlockFormat::ProportionalHeight);
        else
            f.setLineHeight(pixelsFromTwips(std::abs(p.lineSpacing)),
                            p.lineSpacing > 0 ? QTextBlockFormat::MinimumHeight
                                              : QTextBlockFormat::FixedHeight);
    }
    // Qt measures tab stops from where the first line begins, RTF from the left of the text.
    // A hanging first line has a stop at the left indent, where list texts end.
    QList<QTextOption::Tab> tabs;
    const int lineStart = p.left + p.firstLine;
    for (int i = 0; i < p.tabCount; ++i)
        if (p.tabs[std::size_t(i)] > lineStart)
            tabs << QTextOption::Tab(pixelsFromTwips(p.tabs[std::size_t(i)] - lineStart),
                                     QTextOption::TabType(p.tabTypes[std::size_t(i)]));
    if (p.firstLine < 0) {
        const QTextOption::Tab hanging(pixelsFromTwips(-p.firstLine), QTextOption::LeftTab);
        if (!tabs.contains(hanging)) tabs << hanging;
    }
    if (!tabs.isEmpty()) {
        std::sort(tabs.begin(), tabs.end(),
                  [](const auto &a, const auto &b) { return a.position < b.position; });
        f.setTabPositions(tabs);
    }
    if (pageBreak || p.pageBreakBefore) f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    return f;
}

const QTextBlockFormat &DocumentBuilder::cachedBlockFormat(const ParaState &p, bool pageBreak) {
    if (!blockCached_ || pageBreak != blockCacheBreak_ || !(p == blockCacheState_)) {
        blockCache_ = blockFormat(p, pageBreak);
        blockCacheIndex_ =
            QTextDocumentPrivate::get(&document_)->formatCollection()->indexForFormat(blockCache_);
        blockCacheState_ = p;
        blockCacheBreak_ = pageBreak;
        blockCached_ = true;
    }
    return blockCache_;
}

void DocumentBuilder::RunBuffer::grow(std::size_t n) {
    const std::size_t capacity = std::max({std::size_t(256), 2 * capacity_, size_ + n});
    auto data = std::make_unique_for_overwrite<char16_t[]>(capacity);
    if (size_) std::memcpy(data.get(), data_.get(), size_ * sizeof(char16_t));
    data_ = std::move(data);
    capacity_ = capacity;
}

void DocumentBuilder::flush() {
    if (pending_.empty()) return;
    const CachedFormat &format = cachedFormat(pendingState_);
    const QString text = QString::fromRawData(reinterpret_cast<const QChar *>(pending_.data()),
                                              qsizetype(pending_.size()));
    pending_.clear();
    // Straight into the document, as the cursor would, without what the cursor does around
    // it for every run: copying and looking up the format, finding the paragraph's format,
    // searching the text for paragraph breaks (the reader lets none through).
    insertUnfollowed([&](QTextDocumentPrivate &document, int at) {
        document.insert(at, text, format.index);
        return int(text.size());
    });
}

void DocumentBuilder::open(const ParaState &p) {
    if (block_ == Block::Open) return;
    if (p.inTable) {
        if (!table_)
            startTable();
        else if (cursorRow_ != wantRow_ || cursorCol_ != wantCol_)
            enterCell();
    } else if (table_) {
        leaveTable();
    }
    const bool pageBreak = pageBreakPending_ || p.pageBreakBefore;
    if (block_ == Block::Ended) {
        // The paragraph mark that ends the last paragraph, in the format of its \par, which
        // is also the format of the new paragraph while it is empty.
        cachedBlockFormat(p, pageBreak);
        insertUnfollowed([&](QTextDocumentPrivate &document, int at) {
            document.insertBlock(at, blockCacheIndex_, markFormatIndex_);
            return 1;
        });
    } else
        cursor_.setBlockFormat(cachedBlockFormat(p, pageBreak));
    pageBreakPending_ = false;
    openedWith_ = p;
    openedWithBreak_ = pageBreak;
    block_ = Block::Open;
}

void DocumentBuilder::closeBlock(const ParaState &p, const CharState &c) {
    flush();
    if (!(p == openedWith_)) cursor_.setBlockFormat(cachedBlockFormat(p, openedWithBreak_));
    const CachedFormat &mark = cachedFormat(c);
    // An empty paragraph shows its mark's format; so does a cell's first paragraph, which no
    // mark before it gives one, once a pupil has emptied it and types again.
    if (cursor_.block().length() == 1 || (table_ && cursor_.block() == cellStart_))
        cursor_.setBlockCharFormat(mark.format);
    markFormatIndex_ = mark.index;
    block_ = Block::Ended;
}

void DocumentBuilder::text(QStringView s, const CharState &c, const ParaState &p) {
    if (s.isEmpty()) return;
    prepareRun(c, p);
    pending_.append(s.utf16(), std::size_t(s.size()));
}

void DocumentBuilder::asciiText(std::string_view s, const CharState &c, const ParaState &p) {
    if (s.empty()) return;
    prepareRun(c, p);
    char16_t *out = pending_.room(s.size());
    for (const char b : s)
        *out++ = char16_t(static_cast<unsigned char>(b));
    pending_.keepUpTo(out);
}

void DocumentBuilder::endParagraph(const ParaState &p, const CharState &c) {
    open(p);
    closeBlock(p, c);
}

void DocumentBuilder::endParagraphIfOpen(const ParaState &p, bool pageBreak) {
    if (block_ == Block::Open) closeBlock(p, CharState{});
    if (pageBreak) pageBreakPending_ = true;
}

void DocumentBuilder::startTable() {
    flush();
    if (block_ == Block::Open) closeBlock(openedWith_, CharState{});
    const int columns = std::clamp(int(row_.cells.size()), 1, MaxColumns);
    QTextTableFormat format;
    format.setCellSpacing(0);
    format.setBorderCollapse(true);
    table_ = cursor_.insertTable(1, columns, format);
    cursor_ = table_->cellAt(0, 0).firstCursorPosition();
    cellStart_ = cursor_.block();
    wantRow_ = wantCol_ = cursorRow_ = cursorCol_ = 0;
    usedRows_ = 1;
    widthsRow_ = row_;
    widthsFromFirstRow_ = false;
    marks_.clear();
    block_ = Block::Fresh;
}

void DocumentBuilder::enterCell() {
    flush();
    if (wantCol_ >= table_->columns() && (wantCol_ + 1) * table_->rows() <= MaxCells)
        table_->appendColumns(wantCol_ + 1 - table_->columns());
    wantCol_ = std::min(wantCol_, table_->columns() - 1);
    if (wantRow_ >= table_->rows()) {
        // Every change of a table's rows costs a pass over all its cells: rows are added in
        // batches, and those left unused are removed when the table ends. A small table, whose
        // passes are short, grows a row at a time: each cell made costs more than the pass,
        // and each one removed as much again.
        const int rows = table_->rows(), columns = table_->columns();
        const int wanted = wantRow_ + 1 - rows;
        const int batch =
            rows < SmallTableRows ? wanted : std::clamp(rows, wanted, std::max(512, wanted));
        const int allowed = MaxCells / columns - rows;
        if (allowed > 0) table_->appendRows(std::min(batch, allowed));
    }
    wantRow_ = std::min(wantRow_, table_->rows() - 1);
    usedRows_ = std::max(usedRows_, wantRow_ + 1);
    if (cursorRow_ == wantRow_ && cursorCol_ == wantCol_) return; // the table is full
    cursor_ = table_->cellAt(wantRow_, wantCol_).firstCursorPosition();
    cellStart_ = cursor_.block();
    cursorRow_ = wantRow_;
    cursorCol_ = wantCol_;
    block_ = Block::Fresh;
}

void DocumentBuilder::endCell(const ParaState &p, const CharState &c) {
    ParaState inCell = p;
    inCell.inTable = true;
    open(inCell);
    closeBlock(inCell, c);
    if (std::size_t(cursorCol_) < row_.cells.size()) {
        const CellDef &def = row_.cells[std::size_t(cursorCol_)];
        if (def.shading >= 0 || def.mergeNext || def.vmergeFirst || def.vmergeNext ||
            def.mergeFirst)
            marks_.push_back({cursorRow_, cursorCol_, def});
    }
    if (wantCol_ < MaxColumns - 1) ++wantCol_;
}

void DocumentBuilder::endRow(const ParaState &p, const CharState &c) {
    if (!table_) return;
    if (block_ == Block::Open) closeBlock(p, c);
    if (!widthsFromFirstRow_ && !row_.cells.empty()) {
        widthsRow_ = row_;
        widthsFromFirstRow_ = true;
    }
    if (wantCol_ > 0 || cursorCol_ > 0) {
        ++wantRow_;
        wantCol_ = 0;
    }
}

void DocumentBuilder::leaveTable() {
    finishTable();
    cursor_ = table_->lastCursorPosition();
    cursor_.movePosition(QTextCursor::NextBlock);
    table_ = nullptr;
    block_ = Block::Fresh;
}

void DocumentBuilder::finishTable() {
    flush();
    if (table_->rows() > usedRows_) table_->removeRows(usedRows_, table_->rows() - usedRows_);
    QTextTableFormat format = table_->format();
    QList<QTextLength> widths;
    int left = widthsRow_.left;
    for (int c = 0; c < table_->columns(); ++c) {
        if (std::size_t(c) < widthsRow_.cells.size() &&
            widthsRow_.cells[std::size_t(c)].right > left) {
            const int right = widthsRow_.cells[std::size_t(c)].right;
            widths << QTextLength(QTextLength::FixedLength, pixelsFromTwips(right - left));
            left = right;
        } else {
            widths << QTextLength();
        }
    }
    format.setColumnWidthConstraints(widths);
    format.setCellPadding(pixelsFromTwips(widthsRow_.gap));
    // Word's usual half point (10 twips) and thinner borders are a line of one pixel: a
    // fraction of a pixel would be left out on the screen and on paper.
    format.setBorder(widthsRow_.borderWidth ? std::max(1.0, pixelsFromTwips(widthsRow_.borderWidth))
                                            : 0.0);
    format.setBorderStyle(widthsRow_.borderWidth ? QTextFrameFormat::BorderStyle_Solid
                                                 : QTextFrameFormat::BorderStyle_None);
    table_->setFormat(format);

    for (const CellMark &m : marks_) {
        if (m.def.shading < 0) continue;
        if (const auto rgb = tables_.colour(m.def.shading)) {
            QTextTableCell cell = table_->cellAt(m.row, m.col);
            QTextCharFormat f = cell.format();
            f.setBackground(QColor(*rgb));
            cell.setFormat(f);
        }
    }
    // Merged cells: a run of "continued" marks after a "first" mark joins that cell.
    std::unordered_map<long long, const CellDef *> byPlace;
    auto key = [](int row, int col) { return (long long)row * MaxColumns + col; };
    for (const CellMark &m : marks_)
        byPlace[key(m.row, m.col)] = &m.def;
    auto markAt = [&](int row, int col) -> const CellDef * {
        const auto it = byPlace.find(key(row, col));
        return it == byPlace.end() ? nullptr : it->second;
    };
    for (const CellMark &m : marks_) {
        if (m.def.mergeFirst) {
            int span = 1;
            while (const CellDef *d = markAt(m.row, m.col + span)) {
                if (!d->mergeNext) break;
                ++span;
            }
            if (span > 1) table_->mergeCells(m.row, m.col, 1, span);
        }
        if (m.def.vmergeFirst) {
            int span = 1;
            while (const CellDef *d = markAt(m.row + span, m.col)) {
                if (!d->vmergeNext) break;
                ++span;
            }
            if (span > 1) table_->mergeCells(m.row, m.col, span, 1);
        }
    }
}

QString DocumentBuilder::picture(const QImage &image, const QByteArray &encoded, QSizeF size,
                                 const ParaState &p) {
    open(p);
    flush();
    const QString name = QStringLiteral("rtfpicture:%1").arg(++pictureCount_);
    if (!image.isNull()) document_.addResource(QTextDocument::ImageResource, QUrl(name), image);
    QTextImageFormat f;
    f.setName(name);
    f.setWidth(size.width());
    f.setHeight(size.height());
    if (!encoded.isEmpty()) f.setProperty(EncodedPictureProperty, encoded);
    cursor_.insertImage(f);
    return name;
}

void DocumentBuilder::finish(const ParaState &p) {
    flush();
    if (block_ == Block::Open) closeBlock(p, CharState{});
    if (table_) finishTable();
    cursor_.endEditBlock();
    document_.setUndoRedoEnabled(true);
}

} // namespace richtext
