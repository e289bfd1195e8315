#pragma once

#include "richtext/RtfState.h"

#include <QImage>
#include <QString>
#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <private/qtextdocument_p.h>

#include <array>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

class QTextDocument;
class QTextTable;

namespace richtext {

// Builds a document from what the RTF reader finds, in reading order. Text is gathered into
// runs of one format and inserted run by run. A paragraph is opened by its first content and
// closed by \par; a closed paragraph's successor is created only when content follows, so a
// \par before the end of the file adds no empty paragraph. Paragraphs marked as in a table go
// into the cells of a QTextTable, which grows as cells and rows arrive. Runs and paragraph
// marks go into the document through Qt's document internals, by the numbers of formats made
// once; tables, pictures and paragraph formats through the cursor.
class DocumentBuilder {
  public:
    // tables and row are the reader's, read as they stand at each call.
    DocumentBuilder(QTextDocument &document, const RtfTables &tables, const RowDef &row);

    void text(QStringView s, const CharState &c, const ParaState &p);
    // The same for text of ASCII bytes only, which needs no decoding.
    void asciiText(std::string_view s, const CharState &c, const ParaState &p);
    // Text written by the caller straight into the pending run, in c's format: beginText gives
    // where the next character goes and, in room, where the room for them ends, at least n
    // further; moreText gives the same for n more after the characters written up to at;
    // endText keeps the characters written up to end. Nothing else may be asked of the
    // builder in between.
    char16_t *beginText(std::size_t n, const CharState &c, const ParaState &p, char16_t *&room) {
        prepareRun(c, p);
        return pending_.room(n, room);
    }
    char16_t *moreText(char16_t *at, std::size_t n, char16_t *&room) {
        pending_.keepUpTo(at);
        return pending_.room(n, room);
    }
    void endText(char16_t *end) { pending_.keepUpTo(end); }
    void endParagraph(const ParaState &p, const CharState &c);
    // Ends the paragraph when it holds anything (\sect, \page); with pageBreak the next
    // paragraph begins on a new page.
    void endParagraphIfOpen(const ParaState &p, bool pageBreak);
    void endCell(const ParaState &p, const CharState &c);
    void endRow(const ParaState &p, const CharState &c);
    // A picture shown at size (pixels); encoded holds the file's PNG or JPEG bytes, if any.
    // Gives the name of the picture's resource, which a null image leaves to the caller.
    QString picture(const QImage &image, const QByteArray &encoded, QSizeF size,
                    const ParaState &p);
    void finish(const ParaState &p);

  private:
    enum class Block { Fresh, Open, Ended };

    void open(const ParaState &p);
    // Opens the paragraph and ends the pending run if its format is not c's.
    void prepareRun(const CharState &c, const ParaState &p) {
        if (block_ != Block::Open) open(p);
        if (!pending_.empty() && !(c == pendingState_)) flush();
        if (pending_.empty()) pendingState_ = c;
    }
    void flush();
    // Inserts at the cursor with insert(document, position), which gives how many characters
    // it inserted, and moves the cursor after them itself. The document does not move its
    // cursors for it: that walks every slot of its set of cursors, a cost larger than the
    // insertion's, when the builder's cursor is the only one that follows the text.
    template <typename Insert> void insertUnfollowed(Insert insert) {
        QTextDocumentPrivate &document = *QTextDocumentPrivate::get(&document_);
        const int at = cursor_.position();
        document.blockCursorAdjustment = true;
        const int inserted = insert(document, at);
        document.blockCursorAdjustment = false;
        cursor_.setPosition(at + inserted);
    }
    void closeBlock(const ParaState &p, const CharState &c);
    void startTable();
    void enterCell();
    void leaveTable();
    void finishTable();
    struct CachedFormat;
    const CachedFormat &cachedFormat(const CharState &c);
    QTextBlockFormat blockFormat(const ParaState &p, bool pageBreak) const;
    // The last paragraph format made: paragraphs mostly follow one another alike.
    const QTextBlockFormat &cachedBlockFormat(const ParaState &p, bool pageBreak);

    QTextDocument &document_;
    const RtfTables &tables_;
    const RowDef &row_;
    QTextCursor cursor_;
    QTextBlock cellStart_; // the first paragraph of the cell being filled
    Block block_ = Block::Fresh;
    ParaState openedWith_;
    bool openedWithBreak_ = false;
    bool pageBreakPending_ = false;

    // The run awaiting insertion: a plain buffer, as it grows by many small pieces, into which
    // the reader may also write directly.
    class RunBuffer {
      public:
        bool empty() const { return size_ == 0; }
        std::size_t size() const { return size_; }
        const char16_t *data() const { return data_.get(); }
        void clear() { size_ = 0; }
        // Where the next characters go, with room for at least n of them.
        char16_t *room(std::size_t n) {
            if (capacity_ - size_ < n) grow(n);
            return data_.get() + size_;
        }
        // The same, and where the room ends.
        char16_t *room(std::size_t n, char16_t *&roomEnd) {
            char16_t *at = room(n);
            roomEnd = data_.get() + capacity_;
            return at;
        }
        // Keeps what was written into the room up to end.
        void keepUpTo(const char16_t *end) { size_ = std::size_t(end - data_.get()); }
        void append(const char16_t *s, std::size_t n) {
            std::memcpy(room(n), s, n * sizeof(char16_t));
            size_ += n;
        }

      private:
        void grow(std::size_t n);
        std::unique_ptr<char16_t[]> data_;
        std::size_t size_ = 0, capacity_ = 0;
    };
    RunBuffer pending_;
    CharState pendingState_;

    // Recently used formats: runs mostly alternate between a few.
    struct CachedFormat {
        CharState state;
        QTextCharFormat format;
        int index; // the format's number in the document
    };
    std::array<CachedFormat, 8> formatCache_;
    std::size_t formatCacheSize_ = 0;
    std::size_t formatCacheNext_ = 0;
    bool blockCached_ = false;
    ParaState blockCacheState_;
    bool blockCacheBreak_ = false;
    QTextBlockFormat blockCache_;
    int blockCacheIndex_ = 0; // its number in the document
    int markFormatIndex_ = 0; // the format of the last \par, by its number in the document

    QTextTable *table_ = nullptr;
    int wantRow_ = 0, wantCol_ = 0;
    int cursorRow_ = 0, cursorCol_ = 0;
    int usedRows_ = 1;
    RowDef widthsRow_; // the row whose cells give the column widths
    bool widthsFromFirstRow_ = false;
    struct CellMark {
        int row, col;
        CellDef def;
    };
    std::vector<CellMark> marks_; // cells with shading or merge marks

    int pictureCount_ = 0;
};

} // namespace richtext
