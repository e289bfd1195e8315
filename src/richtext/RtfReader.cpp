#include "richtext/RtfReader.h"

#include "richtext/CodePages.h"
#include "richtext/DocumentBuilder.h"
#include "richtext/RtfKeywords.h"
#include "richtext/RtfLexer.h"
#include "richtext/RtfState.h"

#include <QBuffer>
#include <QImageReader>
#include <QTextDocument>

#include <algorithm>
#include <array>
#include <cstring>
#include <future>
#include <limits>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace richtext {

namespace {

// Where the text of a group goes.
enum class Dest : std::uint8_t {
    Text,       // the document
    Skip,       // nowhere
    FontTable,  // font names
    ColorTable, // colours end at each ';'
    Picture,    // hexadecimal picture data
    Upr,        // nowhere, except its \ud part
};

struct Group {
    CharState chr;
    ParaState para;
    Dest dest = Dest::Text;
    std::uint8_t uc = 1;
    bool ownsPicture = false;
    bool alternative = false; // inside \shppict or \nonshppict
};

enum class PictureKind : std::uint8_t { Unknown, Png, Jpeg, Other };

struct Picture {
    PictureKind kind = PictureKind::Unknown;
    int width = 0, height = 0;         // \picw, \pich
    int goalWidth = 0, goalHeight = 0; // twips
    int scaleX = 100, scaleY = 100;
    int highNibble = -1;
    QByteArray data;
};

// Lengths beyond 22 inches (the largest page Word knows) are taken as 22 inches.
constexpr int MaxTwips = 31680;
int twips(const RtfWord &t) {
    return std::clamp(t.param, -MaxTwips, MaxTwips);
}
bool flagOn(const RtfWord &t) {
    return !t.hasParam || t.param != 0;
}

// Pictures decoded for one document use at most this much memory; beyond it they show as
// empty frames.
constexpr qint64 PictureBudget = 256LL * 1024 * 1024;
constexpr qint64 FrameBudget = 16LL * 1024 * 1024; // of which empty frames use at most this
constexpr double MaxPictureSide = 10000;

// Larger PNG and JPEG pictures decode on a thread of their own while the reading goes on, at
// most this many at a time.
constexpr qsizetype DeferredPictureBytes = 32 * 1024;
constexpr std::size_t MaxDeferredPictures = 4;

// A side of a picture on the page in pixels: from its goal in twips, else its natural size
// (hundredths of millimetres for a metafile), else its decoded pixels, then scaled.
double side(int goal, int natural, int decoded, int scale, bool metafile) {
    double px = goal > 0      ? goal / 15.0
                : natural > 0 ? (metafile ? natural * 96.0 / 2540.0 : double(natural))
                : decoded > 0 ? double(decoded)
                              : 96.0;
    if (scale > 0) px = px * scale / 100.0;
    return std::clamp(px, 1.0, MaxPictureSide);
}

enum class Pictures : std::uint8_t { Deferred, Inline };

QImage decodePicture(const QByteArray &data, PictureKind kind) {
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, kind == PictureKind::Png ? "png" : "jpeg");
    QImage image;
    if (!reader.read(&image)) return QImage();
    return image;
}

// The bytes of an image of that size and format, as QImage::sizeInBytes gives them.
qint64 imageBytes(QSize size, QImage::Format format) {
    const qint64 bits = qint64(size.width()) * QImage::toPixelFormat(format).bitsPerPixel();
    return ((bits + 31) >> 5 << 2) * size.height();
}

// The lexer's table of hexadecimal digit values, for the picture bytes read here.
using lexer_detail::HexDigits;

// Eight bytes at a time: the text of most documents is ASCII.
bool isAscii(std::string_view s) {
    const char *p = s.data(), *const end = p + s.size();
    std::uint64_t high = 0;
    for (; end - p >= 8; p += 8) {
        std::uint64_t w;
        std::memcpy(&w, p, 8);
        high |= w;
    }
    for (; p < end; ++p)
        high |= static_cast<unsigned char>(*p);
    return (high & 0x8080808080808080ULL) == 0;
}

// Characters that a paragraph may hold: no control characters but the tab, no paragraph
// separator (the file's paragraphs come from \par), no object mark (pictures come from \pict)
// and none of the marks that bound a table or frame in a document's text. The builder puts
// text into the document as it stands, which relies on this.
bool isTextCharacter(char32_t c) {
    return (c >= 0x20 || c == '\t') && c != 0x7F && c != 0x2029 && c != 0xFFFC && c != 0xFDD0 &&
           c != 0xFDD1;
}

// The bytes of a single-byte code page whose characters are text, worked out once for each
// code page rather than at every change of code page in every file.
const std::array<bool, 256> &textBytesOf(int codePage, const char16_t *table) {
    thread_local std::unordered_map<int, std::array<bool, 256>> known;
    const auto [it, added] = known.try_emplace(codePage);
    if (added)
        for (std::size_t b = 0; b < it->second.size(); ++b)
            it->second[b] = isTextCharacter(table[b]);
    return it->second;
}

void keepTextCharacters(QString &s) {
    for (const QChar c : s)
        if (!isTextCharacter(c.unicode())) {
            s.removeIf([](QChar x) { return !isTextCharacter(x.unicode()); });
            return;
        }
}

class RtfReader {
  public:
    RtfReader(QByteArrayView bytes, Pictures pictures)
        : lexer_(bytes), document_(std::make_unique<QTextDocument>()),
          builder_(*document_, tables_, row_), pictures_(pictures) {
        stack_.reserve(64);
        stack_.emplace_back();
    }

    std::unique_ptr<QTextDocument> read();
    // Whether a picture decoded on a thread came out otherwise than its header announced,
    // which the reading of what followed relied on: the file must be read again inline.
    bool deferredPictureFailed() const { return deferredPictureFailed_; }

  private:
    Group &top() { return stack_.back(); }
    // The code page of a font, remembered for the last font asked about.
    int codePageOf(int font) {
        if (font != cachedFont_) {
            cachedFont_ = font;
            cachedCodePage_ = tables_.codePageOf(font);
            cachedAscii_ = isAsciiCompatible(cachedCodePage_);
        }
        return cachedCodePage_;
    }
    // Whether the code page of a font keeps ASCII as ASCII, remembered with it.
    bool asciiFont(int font) {
        codePageOf(font);
        return cachedAscii_;
    }
    void tablesChanged() { cachedFont_ = std::numeric_limits<int>::min(); }

    void openGroup();
    void closeGroup();
    void word(Kw kw, const RtfWord &t);
    void binary(std::string_view data);
    // The reader's own loops over the bytes, for the commonest content; each begins at the
    // lexer's position and leaves it where it stopped.
    bool plainTextAhead();
    void plainText();
    bool hexCharacter(unsigned char byte);
    void pictureDigits();
    void skipToBrace();
    void symbol(char c);
    void textBytes(std::string_view data);
    void flushBytes() {
        if (!bytes_.empty()) decodeBytes();
    }
    void decodeBytes();
    // Decodes with the table of a single-byte code page from now on, if it has one.
    void useTable(int codePage);
    void emitText(QStringView s);
    void emitChar(char32_t c);
    void unicode(int value);
    void commitFontName();
    void endColour();
    void emitPicture();
    bool deferPicture(const QImageReader &reader, QSize size);
    void finishDeferredPictures();
    void resolveBorder();

    RtfLexer lexer_;
    RtfTables tables_;
    RowDef row_;
    std::unique_ptr<QTextDocument> document_;
    DocumentBuilder builder_;
    std::vector<Group> stack_;
    int overflow_ = 0; // groups opened beyond MaxGroupDepth
    bool starPending_ = false;
    int ucSkip_ = 0;
    char16_t highSurrogate_ = 0;
    bool alternativeShown_ = false;
    int noteNumber_ = 0; // notes called so far
    int cachedFont_ = std::numeric_limits<int>::min();
    int cachedCodePage_ = 0;
    bool cachedAscii_ = true;

    std::string bytes_; // text bytes awaiting decoding together
    QString decoded_;
    std::u16string run_;                          // bytes decoded by table
    const char16_t *table_ = nullptr;             // the table of tableCodePage_, if it has one
    const std::array<bool, 256> *keep_ = nullptr; // the bytes whose character in table_ is text
    int tableCodePage_ = -1;

    int definingFont_ = 0;
    bool fontCodePageGiven_ = false;
    QString fontName_;
    bool fontNamed_ = false;

    int red_ = 0, green_ = 0, blue_ = 0;
    bool colourGiven_ = false;

    CellDef cell_;
    bool borderPending_ = false, borderStyled_ = false;
    int borderWidth_ = 0;

    Picture picture_;
    qint64 pictureBudget_ = PictureBudget;

    // Pictures decoding on their threads: the resource each becomes, the image bytes its
    // header announced.
    struct DeferredPicture {
        std::future<QImage> image;
        QString name;
        QSize size;
        qint64 bytes = 0;
    };
    Pictures pictures_;
    std::vector<DeferredPicture> deferred_;
    bool deferredPictureFailed_ = false;
};

std::unique_ptr<QTextDocument> RtfReader::read() {
    using namespace lexer_detail;
    const char *&pos = lexer_.pos();
    const char *const end = lexer_.end();
    while (pos < end) {
        // The commonest tokens, read here straight from the bytes; a \uN fallback being
        // skipped, and all else, go through the lexer's tokens below.
        if (ucSkip_ == 0) {
            const char c = *pos;
            if (c == '\\') {
                const Dest dest = top().dest;
                if (dest == Dest::Skip) {
                    skipToBrace();
                    continue;
                }
                if (end - pos >= 2 && isLetter(pos[1])) {
                    RtfWord w;
                    pos = scanWord(pos + 1, end, w);
                    if (w.isBinary()) {
                        const std::string_view data = binaryData(w, pos, end);
                        pos += data.size();
                        binary(data);
                    } else {
                        flushBytes();
                        // A word we do not know changes nothing, unless a \* before it makes
                        // its group skipped.
                        const Kw kw = w.keyword();
                        if (kw != Kw::Unknown || starPending_) word(kw, w);
                    }
                    continue;
                }
                if (end - pos >= 4 && pos[1] == '\'' && dest == Dest::Text) {
                    const int hi = hexValue(pos[2]), lo = hexValue(pos[3]);
                    if ((hi | lo) >= 0 && hexCharacter(static_cast<unsigned char>(hi * 16 + lo))) {
                        pos += 4;
                        continue;
                    }
                }
            } else if (c == '{') {
                ++pos;
                openGroup();
                continue;
            } else if (c == '}') {
                ++pos;
                closeGroup();
                continue;
            } else {
                const Dest dest = top().dest;
                if (dest == Dest::Skip) {
                    skipToBrace();
                    continue;
                }
                if (dest == Dest::Picture) {
                    pictureDigits();
                    continue;
                }
                if (classOf(c) == Dropped) {
                    ++pos; // line ends between tokens, mostly
                    continue;
                }
                if (dest == Dest::Text && static_cast<unsigned char>(c) < 0x80 &&
                    plainTextAhead()) {
                    plainText();
                    continue;
                }
            }
        }
        RtfToken t = lexer_.next();
        if (t.kind == RtfToken::End) break;
        if (ucSkip_ > 0) {
            // The fallback of \uN: N characters, where a \'hh, a control word or a whole \bin
            // counts as one; a brace ends it.
            if (t.kind == RtfToken::GroupOpen || t.kind == RtfToken::GroupClose) {
                ucSkip_ = 0;
            } else if (t.kind == RtfToken::Text) {
                const std::size_t n = std::min<std::size_t>(std::size_t(ucSkip_), t.data.size());
                t.data.remove_prefix(n);
                ucSkip_ -= int(n);
                if (t.data.empty()) continue;
            } else {
                --ucSkip_;
                continue;
            }
        }
        const Dest dest = top().dest;
        switch (t.kind) {
        case RtfToken::GroupOpen:
            openGroup();
            break;
        case RtfToken::GroupClose:
            closeGroup();
            break;
        case RtfToken::Text:
            starPending_ = false;
            textBytes(t.data);
            break;
        case RtfToken::Hex:
            starPending_ = false;
            if (dest == Dest::Text || dest == Dest::FontTable) bytes_.push_back(char(t.byte));
            break;
        case RtfToken::Binary:
            binary(t.data);
            break;
        case RtfToken::Symbol:
            if (dest == Dest::Skip || dest == Dest::Upr) break;
            flushBytes();
            symbol(t.symbol);
            break;
        case RtfToken::Word:
            if (dest == Dest::Skip) break;
            flushBytes();
            word(t.word.keyword(), t.word);
            break;
        case RtfToken::End:
            break;
        }
    }
    flushBytes();
    if (highSurrogate_) emitChar(0xFFFD);
    finishDeferredPictures();
    builder_.finish(top().para);
    return std::move(document_);
}

void RtfReader::binary(std::string_view data) {
    starPending_ = false;
    flushBytes();
    if (top().dest == Dest::Picture) picture_.data.append(data.data(), qsizetype(data.size()));
}

// Whether the text ahead, in the document's text, may be copied as it stands: shown, in a font
// whose code page keeps ASCII as ASCII, with no bytes or half a surrogate pair awaiting.
bool RtfReader::plainTextAhead() {
    const Group &g = top();
    return bytes_.empty() && !highSurrogate_ && !g.chr.hidden && asciiFont(g.chr.font);
}

// ASCII text, copied sixteen bytes at a time into the builder's pending run; line ends are
// dropped and tabs kept on the way. Stops at a backslash, a brace, or a byte above 0x7F, which
// the lexer then takes.
void RtfReader::plainText() {
    using namespace lexer_detail;
    const char *&pos = lexer_.pos();
    const char *const end = lexer_.end();
    starPending_ = false;
    alternativeShown_ = false;
    char16_t *limit;
    char16_t *out = builder_.beginText(std::size_t(Block), top().chr, top().para, limit);
    for (;;) {
        if (limit - out < Block)
            out = builder_.moreText(
                out, std::size_t(std::clamp<std::ptrdiff_t>(end - pos, Block, 4096)), limit);
        int n;
        if (end - pos >= Block) {
            n = widenPlainText(pos, out);
        } else {
            n = 0;
            while (n < end - pos && static_cast<unsigned char>(pos[n]) < 0x80 &&
                   classOf(pos[n]) == TextByte && pos[n] != '\t') {
                out[n] = char16_t(pos[n]);
                ++n;
            }
        }
        pos += n;
        out += n;
        if (n == Block) continue;
        if (pos == end) break;
        if (*pos == '\t') {
            *out++ = u'\t';
            ++pos;
        } else if (classOf(*pos) == Dropped) {
            ++pos;
        } else {
            break;
        }
    }
    builder_.endText(out);
}

// A \'hh in the document's text, put straight into the pending run when its code page has a
// byte a character; otherwise left to the lexer, for the bytes to be decoded together.
bool RtfReader::hexCharacter(unsigned char byte) {
    const Group &g = top();
    if (!bytes_.empty() || highSurrogate_ || g.chr.hidden) return false;
    const int codePage = codePageOf(g.chr.font);
    if (codePage != tableCodePage_) useTable(codePage);
    if (!table_) return false;
    starPending_ = false;
    alternativeShown_ = false;
    if ((*keep_)[byte]) {
        char16_t *limit;
        char16_t *out = builder_.beginText(1, g.chr, g.para, limit);
        *out++ = table_[byte];
        builder_.endText(out);
    }
    return true;
}

// The hexadecimal digits of a picture, decoded sixteen at a time into its data; other bytes
// between them are ignored. Stops at a backslash or a brace.
void RtfReader::pictureDigits() {
    using namespace lexer_detail;
    const char *&pos = lexer_.pos();
    const char *const end = lexer_.end();
    bool text = false; // line ends alone are no text, and leave a \* pending
    QByteArray &data = picture_.data;
    qsizetype used = data.size();
    char *out = data.data() + used;
    char *limit = data.data() + data.size();
    int high = picture_.highNibble;
    while (pos < end) {
        if (limit - out < Block / 2) {
            used = out - data.constData();
            data.resize(
                std::max(2 * data.size(), used + std::max<qsizetype>(4096, (end - pos) / 64)));
            out = data.data() + used;
            limit = data.data() + data.size();
        }
        if (high < 0 && end - pos >= Block && decodeHexDigits(pos, out)) {
            pos += Block;
            out += Block / 2;
            text = true;
            continue;
        }
        const char c = *pos;
        if (c == '\\' || c == '{' || c == '}') break;
        text |= classOf(c) == TextByte;
        ++pos;
        const int v = hexValue(c);
        if (v < 0) continue;
        if (high < 0) {
            high = v;
        } else {
            *out++ = char(high * 16 + v);
            high = -1;
        }
    }
    picture_.highNibble = high;
    data.resize(out - data.constData());
    if (text) starPending_ = false;
}

// The content of a group whose text goes nowhere, up to its next brace: only \binN needs
// reading, for its data may hold braces.
void RtfReader::skipToBrace() {
    using namespace lexer_detail;
    const char *&pos = lexer_.pos();
    const char *const end = lexer_.end();
    for (;;) {
        pos = findBackslashOrBrace(pos, end);
        if (pos == end || *pos != '\\') return;
        if (end - pos < 2) {
            pos = end;
            return;
        }
        if (!isLetter(pos[1])) {
            pos += 2; // a symbol, an escaped brace or backslash, or the start of a \'hh
            continue;
        }
        RtfWord w;
        const char *after = scanWord(pos + 1, end, w);
        if (w.isBinary()) {
            pos = after + binaryData(w, after, end).size();
        } else {
            pos = after;
        }
    }
}

void RtfReader::openGroup() {
    flushBytes();
    starPending_ = false;
    if (int(stack_.size()) > MaxGroupDepth) {
        ++overflow_;
        return;
    }
    stack_.push_back(top());
    top().ownsPicture = false;
}

void RtfReader::closeGroup() {
    flushBytes();
    starPending_ = false;
    if (overflow_ > 0) {
        --overflow_;
        return;
    }
    if (stack_.size() <= 1) return; // an extra closing brace
    const Group &g = top();
    if (g.ownsPicture) emitPicture();
    if (g.dest == Dest::FontTable) commitFontName();
    stack_.pop_back();
}

void RtfReader::textBytes(std::string_view data) {
    switch (top().dest) {
    case Dest::Text:
        if (bytes_.empty() && isAscii(data) && isAsciiCompatible(codePageOf(top().chr.font))) {
            if (!top().chr.hidden) {
                if (highSurrogate_) {
                    highSurrogate_ = 0;
                    emitChar(0xFFFD);
                }
                alternativeShown_ = false;
                builder_.asciiText(data, top().chr, top().para);
            }
        } else {
            bytes_.append(data);
        }
        break;
    case Dest::FontTable:
        bytes_.append(data);
        break;
    case Dest::ColorTable:
        for (const char c : data)
            if (c == ';') endColour();
        break;
    case Dest::Picture: {
        QByteArray &out = picture_.data;
        const qsizetype start = out.size();
        if (out.capacity() < start + qsizetype(data.size() / 2) + 1)
            out.reserve(std::max(2 * out.capacity(), start + qsizetype(data.size() / 2) + 1));
        out.resize(start + qsizetype(data.size() / 2) + 1);
        char *write = out.data() + start;
        const char *in = data.data(), *const end = in + data.size();
        int high = picture_.highNibble;
        if (high >= 0) {
            while (in < end && HexDigits[static_cast<unsigned char>(*in)] < 0)
                ++in;
            if (in < end) {
                *write++ = char(high * 16 + HexDigits[static_cast<unsigned char>(*in++)]);
                high = -1;
            }
        }
        // Pairs of digits, the common case: sixteen digits at a time while all are digits, then
        // a pair at a time; anything else a byte at a time.
        while (in < end) {
            while (end - in >= 16) {
                std::array<std::int8_t, 16> v;
                int any = 0;
                for (std::size_t k = 0; k < v.size(); ++k) {
                    v[k] = HexDigits[static_cast<unsigned char>(in[k])];
                    any |= v[k];
                }
                if (any < 0) break;
                for (std::size_t k = 0; k < v.size(); k += 2)
                    *write++ = char(v[k] * 16 + v[k + 1]);
                in += 16;
            }
            if (in >= end) break;
            const int h = HexDigits[static_cast<unsigned char>(in[0])];
            const int l = in + 1 < end ? HexDigits[static_cast<unsigned char>(in[1])] : -1;
            if ((h | l) >= 0) {
                *write++ = char(h * 16 + l);
                in += 2;
            } else if (h < 0) {
                ++in;
            } else {
                high = h;
                ++in;
                while (in < end && HexDigits[static_cast<unsigned char>(*in)] < 0)
                    ++in;
                if (in < end) {
                    *write++ = char(high * 16 + HexDigits[static_cast<unsigned char>(*in++)]);
                    high = -1;
                }
            }
        }
        picture_.highNibble = high;
        out.resize(write - out.constData());
        break;
    }
    case Dest::Skip:
    case Dest::Upr:
        break;
    }
}

void RtfReader::useTable(int codePage) {
    tableCodePage_ = codePage;
    table_ = singleByteTable(codePage);
    if (table_) keep_ = &textBytesOf(codePage, table_);
}

void RtfReader::decodeBytes() {
    const Dest dest = top().dest;
    int codePage = codePageOf(dest == Dest::FontTable ? definingFont_ : top().chr.font);
    // A symbol font's name is written in the document's code page, not in its glyphs.
    if (dest == Dest::FontTable && codePage == SymbolCodePage) codePage = tables_.codePage;
    const bool shown = dest == Dest::FontTable || !top().chr.hidden;
    if (codePage != tableCodePage_) useTable(codePage);
    if (table_) {
        // The common case: a byte a character, by table, without control characters.
        if (shown) {
            run_.resize(std::size_t(bytes_.size()));
            char16_t *out = run_.data();
            const std::array<bool, 256> &keep = *keep_;
            for (const char b : std::as_const(bytes_)) {
                const auto u = static_cast<unsigned char>(b);
                *out = table_[u];
                out += keep[u];
            }
            run_.resize(std::size_t(out - run_.data()));
            emitText(QStringView(run_.data(), qsizetype(run_.size())));
        }
        bytes_.clear();
        return;
    }
    decoded_.resize(0);
    appendDecoded(decoded_, QByteArrayView(bytes_.data(), qsizetype(bytes_.size())), codePage);
    bytes_.clear();
    keepTextCharacters(decoded_);
    if (shown) emitText(decoded_);
}

// Text for the group's destination, hidden text already left out.
void RtfReader::emitText(QStringView s) {
    if (highSurrogate_) {
        highSurrogate_ = 0;
        emitChar(0xFFFD);
    }
    switch (top().dest) {
    case Dest::Text:
        alternativeShown_ = false;
        builder_.text(s, top().chr, top().para);
        break;
    case Dest::FontTable:
        if (fontNamed_) break;
        for (const QChar c : s) {
            if (c == u';') {
                commitFontName();
                fontNamed_ = true;
                break;
            }
            fontName_.append(c);
        }
        break;
    default:
        break;
    }
}

// The characters that control words stand for.
constexpr std::pair<Kw, char32_t> SpecialCharacters[] = {
    {Kw::Line, 0x2028},   {Kw::Tab, '\t'},       {Kw::EmDash, 0x2014},    {Kw::EnDash, 0x2013},
    {Kw::LQuote, 0x2018}, {Kw::RQuote, 0x2019},  {Kw::LDblQuote, 0x201C}, {Kw::RDblQuote, 0x201D},
    {Kw::Bullet, 0x2022}, {Kw::EnSpace, 0x2002}, {Kw::EmSpace, 0x2003},
};

char32_t specialCharacter(Kw kw) {
    for (const auto &[word, character] : SpecialCharacters)
        if (word == kw) return character;
    return 0;
}

void RtfReader::emitChar(char32_t c) {
    if (top().chr.hidden && top().dest == Dest::Text) return;
    if (!isTextCharacter(c)) return;
    char16_t units[2];
    qsizetype n = 1;
    if (c > 0xFFFF) {
        units[0] = QChar::highSurrogate(c);
        units[1] = QChar::lowSurrogate(c);
        n = 2;
    } else {
        units[0] = char16_t(c);
    }
    emitText(QStringView(units, n));
}

void RtfReader::unicode(int value) {
    if (value < 0) value += 65536;
    if (value < 0 || value > 0x10FFFF) value = 0xFFFD;
    // Symbol fonts write their glyphs in the private use area.
    if (value >= 0xF020 && value <= 0xF0FF && codePageOf(top().chr.font) == SymbolCodePage) {
        const char byte = char(value - 0xF000);
        decoded_.resize(0);
        appendDecoded(decoded_, QByteArrayView(&byte, 1), SymbolCodePage);
        if (!decoded_.isEmpty()) emitChar(decoded_.at(0).unicode());
        return;
    }
    if (QChar::isHighSurrogate(char32_t(value))) {
        if (highSurrogate_) emitChar(0xFFFD);
        highSurrogate_ = char16_t(value);
        return;
    }
    if (QChar::isLowSurrogate(char32_t(value))) {
        if (!highSurrogate_) {
            emitChar(0xFFFD);
            return;
        }
        const char32_t full = QChar::surrogateToUcs4(highSurrogate_, char16_t(value));
        highSurrogate_ = 0;
        emitChar(full);
        return;
    }
    emitChar(char32_t(value));
}

void RtfReader::symbol(char c) {
    starPending_ = c == '*';
    switch (c) {
    case '~':
        emitChar(0x00A0);
        break;
    case '-':
        emitChar(0x00AD);
        break;
    case '_':
        emitChar(0x2011);
        break;
    case '{':
    case '}':
    case '\\': {
        const char byte = c;
        textBytes(std::string_view(&byte, 1));
        break;
    }
    case '\n':
        if (top().dest == Dest::Text) {
            alternativeShown_ = false;
            builder_.endParagraph(top().para, top().chr);
        }
        break;
    default:
        break;
    }
}

void RtfReader::commitFontName() {
    if (!fontName_.isEmpty() && !fontNamed_) {
        auto &entry = tables_.fonts[definingFont_];
        entry.name = fontName_.trimmed();
    }
    fontName_.clear();
}

void RtfReader::endColour() {
    if (tables_.colours.size() >= 4096) return;
    if (colourGiven_)
        tables_.colours.push_back(qRgb(red_, green_, blue_));
    else
        tables_.colours.push_back(std::nullopt);
    red_ = green_ = blue_ = 0;
    colourGiven_ = false;
}

void RtfReader::resolveBorder() {
    if (borderPending_ && borderStyled_)
        row_.borderWidth = std::max(row_.borderWidth, borderWidth_ > 0 ? borderWidth_ : 15);
    borderPending_ = borderStyled_ = false;
    borderWidth_ = 0;
}

// A large picture whose size on the page does not depend on its pixels decodes on a thread.
// Until it is joined its image is taken to be what the header announces, which is all that
// the reading of what follows depends on (the memory budget); finishDeferredPictures checks it.
bool RtfReader::deferPicture(const QImageReader &reader, QSize size) {
    const Picture &p = picture_;
    if (pictures_ != Pictures::Deferred || p.data.size() < DeferredPictureBytes ||
        deferred_.size() >= MaxDeferredPictures || top().chr.hidden)
        return false;
    if (!(p.goalWidth > 0 || p.width > 0) || !(p.goalHeight > 0 || p.height > 0)) return false;
    const QImage::Format format = reader.imageFormat();
    if (format == QImage::Format_Invalid) return false;
    DeferredPicture d;
    d.size = size;
    d.bytes = imageBytes(size, format);
    d.image = std::async(std::launch::async, decodePicture, p.data, p.kind);
    pictureBudget_ -= d.bytes;
    deferred_.push_back(std::move(d));
    return true;
}

void RtfReader::finishDeferredPictures() {
    for (DeferredPicture &d : deferred_) {
        const QImage image = d.image.get();
        if (image.isNull() || image.size() != d.size || image.sizeInBytes() != d.bytes)
            deferredPictureFailed_ = true;
        else
            document_->addResource(QTextDocument::ImageResource, QUrl(d.name), image);
    }
    deferred_.clear();
}

void RtfReader::emitPicture() {
    Picture &p = picture_;
    QImage image;
    QByteArray encoded;
    if (p.kind == PictureKind::Png || p.kind == PictureKind::Jpeg) {
        QBuffer buffer(&p.data);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer, p.kind == PictureKind::Png ? "png" : "jpeg");
        const QSize size = reader.size();
        if (size.isValid() && qint64(size.width()) * size.height() * 4 <= pictureBudget_) {
            if (deferPicture(reader, size)) {
                const QSizeF shown(side(p.goalWidth, p.width, 0, p.scaleX, false),
                                   side(p.goalHeight, p.height, 0, p.scaleY, false));
                deferred_.back().name = builder_.picture(QImage(), p.data, shown, top().para);
                alternativeShown_ = top().alternative;
                p = Picture{};
                return;
            }
            if (reader.read(&image)) {
                encoded = p.data;
                pictureBudget_ -= image.sizeInBytes();
            } else {
                image = QImage();
            }
        }
    }
    const bool metafile = p.kind == PictureKind::Other || p.kind == PictureKind::Unknown;
    const QSizeF size(side(p.goalWidth, p.width, image.width(), p.scaleX, metafile),
                      side(p.goalHeight, p.height, image.height(), p.scaleY, metafile));
    if (image.isNull()) {
        // An empty frame of the picture's size, drawn at most 128 pixels wide.
        const double f = std::min(1.0, 128.0 / std::max(size.width(), size.height()));
        const int w = std::max(2, int(size.width() * f)), h = std::max(2, int(size.height() * f));
        if (qint64(w) * h * 4 <= pictureBudget_ - (PictureBudget - FrameBudget)) {
            image = QImage(w, h, QImage::Format_ARGB32);
            image.fill(Qt::transparent);
            const QRgb grey = qRgb(160, 160, 160);
            for (int x = 0; x < w; ++x)
                image.setPixel(x, 0, grey), image.setPixel(x, h - 1, grey);
            for (int y = 0; y < h; ++y)
                image.setPixel(0, y, grey), image.setPixel(w - 1, y, grey);
            pictureBudget_ -= image.sizeInBytes();
        } else {
            image = QImage(1, 1, QImage::Format_ARGB32);
            image.fill(Qt::transparent);
        }
    }
    if (!top().chr.hidden) builder_.picture(image, encoded, size, top().para);
    alternativeShown_ = top().alternative;
    p = Picture{};
}

// Inline in the reader's loop, which calls it for most control words of a file: the call's
// own cost is a good part of the work of a word.
[[gnu::always_inline]] inline void RtfReader::word(Kw kw, const RtfWord &t) {
    Group &g = top();
    if (starPending_) {
        starPending_ = false;
        switch (kw) {
        case Kw::FontTable:
        case Kw::ColorTable:
        case Kw::Pict:
        case Kw::Field:
        case Kw::FldRslt:
        case Kw::Object:
        case Kw::Result:
        case Kw::Shp:
        case Kw::ShpRslt:
        case Kw::ShpPict:
        case Kw::NonShpPict:
        case Kw::PnText:
        case Kw::ListText:
        case Kw::Upr:
        case Kw::Ud:
            break;
        default:
            g.dest = Dest::Skip;
            return;
        }
    }
    if (g.dest == Dest::Upr) {
        if (kw == Kw::Ud) g.dest = Dest::Text;
        return;
    }
    const bool inFontTable = g.dest == Dest::FontTable;
    // The words that change the code page of a font say so with tablesChanged.
    switch (kw) {
    case Kw::Unknown:
    case Kw::Bin: // a Binary token, never a word
        break;
    case Kw::SkippedDestination:
        g.dest = Dest::Skip;
        break;
    case Kw::Ansi:
        tablesChanged();
        tables_.codePage = 1252;
        break;
    case Kw::Mac:
        tablesChanged();
        tables_.codePage = 10000;
        break;
    case Kw::Pc:
        tablesChanged();
        tables_.codePage = 437;
        break;
    case Kw::Pca:
        tablesChanged();
        tables_.codePage = 850;
        break;
    case Kw::AnsiCpg:
        tablesChanged();
        if (t.param > 0) tables_.codePage = t.param;
        break;
    case Kw::Deff:
        tablesChanged();
        tables_.defaultFont = t.param;
        break;
    case Kw::FontTable:
        g.dest = Dest::FontTable;
        break;
    case Kw::F:
        if (inFontTable) {
            tablesChanged();
            commitFontName();
            definingFont_ = t.param;
            tables_.fonts[definingFont_] = FontEntry{};
            fontCodePageGiven_ = false;
            fontNamed_ = false;
        } else {
            g.chr.font = t.param;
        }
        break;
    case Kw::FCharset:
        tablesChanged();
        if (inFontTable && !fontCodePageGiven_)
            tables_.fonts[definingFont_].codePage = codePageOfCharset(t.param);
        break;
    case Kw::Cpg:
        tablesChanged();
        if (inFontTable && t.param > 0) {
            tables_.fonts[definingFont_].codePage = t.param;
            fontCodePageGiven_ = true;
        }
        break;
    case Kw::ColorTable:
        g.dest = Dest::ColorTable;
        break;
    case Kw::Red:
    case Kw::Green:
    case Kw::Blue: {
        const int v = std::clamp(t.param, 0, 255);
        (kw == Kw::Red ? red_ : kw == Kw::Green ? green_ : blue_) = v;
        colourGiven_ = true;
        break;
    }
    case Kw::Uc:
        g.uc = std::uint8_t(std::clamp(t.param, 0, 16));
        break;
    case Kw::U:
        unicode(t.param);
        ucSkip_ = g.uc;
        break;
    case Kw::Upr:
        g.dest = Dest::Upr;
        break;
    case Kw::Ud:
    case Kw::Field:
    case Kw::FldRslt:
    case Kw::Object:
    case Kw::Result:
    case Kw::Shp:
    case Kw::ShpRslt:
    case Kw::PnText:
    case Kw::ListText:
        break;
    case Kw::ShpPict:
    case Kw::NonShpPict:
        // Two versions of one picture: show the first.
        if (alternativeShown_)
            g.dest = Dest::Skip;
        else
            g.alternative = true;
        break;
    case Kw::Pict:
        g.dest = Dest::Picture;
        g.ownsPicture = true;
        picture_ = Picture{};
        break;
    case Kw::PngBlip:
        picture_.kind = PictureKind::Png;
        break;
    case Kw::JpegBlip:
        picture_.kind = PictureKind::Jpeg;
        break;
    case Kw::OtherBlip:
        picture_.kind = PictureKind::Other;
        break;
    case Kw::PicW:
        picture_.width = std::clamp(t.param, 0, 1 << 20);
        break;
    case Kw::PicH:
        picture_.height = std::clamp(t.param, 0, 1 << 20);
        break;
    case Kw::PicWGoal:
        picture_.goalWidth = std::clamp(t.param, 0, 1 << 20);
        break;
    case Kw::PicHGoal:
        picture_.goalHeight = std::clamp(t.param, 0, 1 << 20);
        break;
    case Kw::PicScaleX:
        picture_.scaleX = std::clamp(t.param, 0, 10000);
        break;
    case Kw::PicScaleY:
        picture_.scaleY = std::clamp(t.param, 0, 10000);
        break;
    case Kw::Par:
        alternativeShown_ = false;
        if (g.dest == Dest::Text) builder_.endParagraph(g.para, g.chr);
        break;
    case Kw::Sect:
    case Kw::Page:
        if (g.dest == Dest::Text) builder_.endParagraphIfOpen(g.para, kw == Kw::Page);
        break;
    case Kw::Line:
    case Kw::Tab:
    case Kw::EmDash:
    case Kw::EnDash:
    case Kw::LQuote:
    case Kw::RQuote:
    case Kw::LDblQuote:
    case Kw::RDblQuote:
    case Kw::Bullet:
    case Kw::EnSpace:
    case Kw::EmSpace:
        emitChar(specialCharacter(kw));
        break;
    case Kw::Cell:
        if (g.dest == Dest::Text) builder_.endCell(g.para, g.chr);
        break;
    case Kw::Row:
        if (g.dest == Dest::Text) builder_.endRow(g.para, g.chr);
        break;
    case Kw::NestCell:
        emitChar('\t');
        break;
    case Kw::NestRow:
        emitChar(0x2028);
        break;
    case Kw::ChFtn:
        // A note's call, numbered as word processors number notes by default; the note itself
        // is skipped.
        if (g.dest == Dest::Text) {
            const QString number = QString::number(++noteNumber_);
            if (!g.chr.hidden) emitText(number);
        }
        break;
    case Kw::Pard:
        g.para = ParaState{};
        break;
    case Kw::Ql:
        g.para.align = 0;
        break;
    case Kw::Qc:
        g.para.align = 1;
        break;
    case Kw::Qr:
        g.para.align = 2;
        break;
    case Kw::Qj:
        g.para.align = 3;
        break;
    case Kw::Li:
        g.para.left = twips(t);
        break;
    case Kw::Ri:
        g.para.right = twips(t);
        break;
    case Kw::Fi:
        g.para.firstLine = twips(t);
        break;
    case Kw::Sb:
        g.para.before = std::max(0, twips(t));
        break;
    case Kw::Sa:
        g.para.after = std::max(0, twips(t));
        break;
    case Kw::Sl:
        g.para.lineSpacing = twips(t);
        break;
    case Kw::SlMult:
        g.para.lineMultiple = flagOn(t);
        break;
    case Kw::InTbl:
        g.para.inTable = flagOn(t);
        break;
    case Kw::PageBb:
        g.para.pageBreakBefore = flagOn(t);
        break;
    case Kw::TqR:
        g.para.nextTabType = QTextOption::RightTab;
        break;
    case Kw::TqC:
        g.para.nextTabType = QTextOption::CenterTab;
        break;
    case Kw::TqDec:
        g.para.nextTabType = QTextOption::DelimiterTab;
        break;
    case Kw::Tx:
        if (g.para.tabCount < ParaState::MaxTabs) {
            g.para.tabs[g.para.tabCount] = twips(t);
            g.para.tabTypes[g.para.tabCount++] = g.para.nextTabType;
        }
        g.para.nextTabType = 0;
        break;
    case Kw::TRowD:
        row_ = RowDef{};
        cell_ = CellDef{};
        borderPending_ = borderStyled_ = false;
        break;
    case Kw::CellX:
        resolveBorder();
        cell_.right = twips(t);
        if (row_.cells.size() < 256) row_.cells.push_back(cell_);
        cell_ = CellDef{};
        break;
    case Kw::TrGaph:
        row_.gap = std::clamp(t.param, 0, 1440);
        break;
    case Kw::CellPadding:
        row_.gap = std::max(row_.gap, std::clamp(t.param, 0, 1440));
        break;
    case Kw::TrLeft:
        row_.left = twips(t);
        break;
    case Kw::ClBrdr:
        resolveBorder();
        borderPending_ = true;
        break;
    case Kw::BrdrNone:
        borderPending_ = false;
        break;
    case Kw::BrdrStyle:
        borderStyled_ = true;
        break;
    case Kw::BrdrW:
        borderWidth_ = std::clamp(t.param, 0, 150);
        break;
    case Kw::ClCbPat:
        cell_.shading = std::max(-1, t.param);
        break;
    case Kw::ClMgf:
        cell_.mergeFirst = true;
        break;
    case Kw::ClMrg:
        cell_.mergeNext = true;
        break;
    case Kw::ClVmgf:
        cell_.vmergeFirst = true;
        break;
    case Kw::ClVmrg:
        cell_.vmergeNext = true;
        break;
    case Kw::Plain:
        g.chr = CharState{};
        break;
    case Kw::B:
        g.chr.bold = flagOn(t);
        break;
    case Kw::I:
        g.chr.italic = flagOn(t);
        break;
    case Kw::Strike:
        g.chr.strike = flagOn(t);
        break;
    case Kw::V:
        g.chr.hidden = flagOn(t);
        break;
    case Kw::Caps:
        g.chr.caps = flagOn(t) ? QFont::AllUppercase : QFont::MixedCase;
        break;
    case Kw::SCaps:
        g.chr.caps = flagOn(t) ? QFont::SmallCaps : QFont::MixedCase;
        break;
    case Kw::Ul:
        g.chr.underline = flagOn(t) ? QTextCharFormat::SingleUnderline : 0;
        break;
    case Kw::UlNone:
        g.chr.underline = 0;
        break;
    case Kw::UlDotted:
        g.chr.underline = flagOn(t) ? QTextCharFormat::DotLine : 0;
        break;
    case Kw::UlDash:
        g.chr.underline = flagOn(t) ? QTextCharFormat::DashUnderline : 0;
        break;
    case Kw::UlDashDot:
        g.chr.underline = flagOn(t) ? QTextCharFormat::DashDotLine : 0;
        break;
    case Kw::UlDashDotDot:
        g.chr.underline = flagOn(t) ? QTextCharFormat::DashDotDotLine : 0;
        break;
    case Kw::UlWave:
        g.chr.underline = flagOn(t) ? QTextCharFormat::WaveUnderline : 0;
        break;
    case Kw::Fs:
        g.chr.halfPoints = t.param > 0 ? std::min(t.param, 3276) : 24;
        break;
    case Kw::Cf:
        g.chr.foreground = std::max(-1, t.param);
        break;
    case Kw::Background:
        g.chr.background = std::max(-1, t.param);
        break;
    case Kw::Super:
        g.chr.vertical = QTextCharFormat::AlignSuperScript;
        break;
    case Kw::Sub:
        g.chr.vertical = QTextCharFormat::AlignSubScript;
        break;
    case Kw::NoSuperSub:
        g.chr.vertical = QTextCharFormat::AlignNormal;
        break;
    case Kw::Up:
        g.chr.vertical = !t.hasParam || t.param > 0 ? QTextCharFormat::AlignSuperScript
                                                    : QTextCharFormat::AlignNormal;
        break;
    case Kw::Dn:
        g.chr.vertical = !t.hasParam || t.param > 0 ? QTextCharFormat::AlignSubScript
                                                    : QTextCharFormat::AlignNormal;
        break;
    }
}

} // namespace

std::unique_ptr<QTextDocument> readRtfDocument(QByteArrayView bytes) {
    RtfReader reader(bytes, Pictures::Deferred);
    std::unique_ptr<QTextDocument> document = reader.read();
    if (reader.deferredPictureFailed()) return RtfReader(bytes, Pictures::Inline).read();
    return document;
}

} // namespace richtext
