#pragma once

#include "richtext/RtfKeywords.h"

#include <QByteArrayView>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string_view>

namespace richtext {

// One token of RTF. Control words are lower-case letters only, with an optional signed number
// clamped to 32 bits; the space that ends a control word belongs to it. Line ends and other
// control bytes (and DEL) outside \bin data are not text and are dropped.
struct RtfToken {
    enum Kind : std::uint8_t {
        End,        // no more input
        GroupOpen,  // {
        GroupClose, // }
        Word,       // \name or \nameN: name, hash, hasParam, param
        Symbol,     // \ followed by one other character: symbol (a line end gives '\n')
        Hex,        // \'hh: byte
        Text,       // a run of text bytes: data
        Binary,     // \binN and its N raw bytes: data
    };
    Kind kind = End;
    bool hasParam = false;
    char symbol = 0;
    unsigned char byte = 0;
    std::int32_t param = 0;
    std::uint32_t hash = 0; // keywordHash(name), gathered while the name is scanned
    std::string_view name;
    std::string_view data;

    // The control word a Word token names.
    Kw keyword() const { return lookupKeyword(name, hash); }
};

// The lexer is defined here, inline: the reader asks it for every token of the file, and a
// call per token would cost as much as the work of most tokens.
class RtfLexer {
  public:
    explicit RtfLexer(QByteArrayView bytes)
        : pos_(bytes.data()), end_(bytes.data() + bytes.size()) {}

    RtfToken next();

  private:
    void readWord(RtfToken &t);

    const char *pos_;
    const char *end_;
};

namespace lexer_detail {

enum ByteClass : std::uint8_t { TextByte, Dropped, Special };

constexpr std::array<ByteClass, 256> Classes = [] {
    std::array<ByteClass, 256> c{};
    for (int b = 0; b < 0x20; ++b)
        c[std::size_t(b)] = Dropped;
    c['\t'] = TextByte;
    c[0x7F] = Dropped;
    c['\\'] = c['{'] = c['}'] = Special;
    return c;
}();

inline ByteClass classOf(char c) {
    return Classes[static_cast<unsigned char>(c)];
}
inline bool isLower(char c) {
    return static_cast<unsigned char>(c - 'a') < 26;
}
inline bool isDigit(char c) {
    return static_cast<unsigned char>(c - '0') < 10;
}

// The value of each byte as a hexadecimal digit; -1 for other bytes.
constexpr std::array<std::int8_t, 256> HexDigits = [] {
    std::array<std::int8_t, 256> t{};
    for (int c = 0; c < 256; ++c)
        t[std::size_t(c)] = std::int8_t(c >= '0' && c <= '9'   ? c - '0'
                                        : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                        : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                               : -1);
    return t;
}();
inline int hexValue(char c) {
    return HexDigits[static_cast<unsigned char>(c)];
}

constexpr std::uint64_t repeated(unsigned char b) {
    return 0x0101010101010101ULL * b;
}
// Whether a byte of w is below n (n at most 0x80), with no false negatives.
constexpr std::uint64_t hasBelow(std::uint64_t w, unsigned char n) {
    return (w - repeated(n)) & ~w & repeated(0x80);
}
constexpr std::uint64_t hasByte(std::uint64_t w, unsigned char b) {
    return hasBelow(w ^ repeated(b), 1);
}

// The end of the text bytes that begin at p: eight bytes at a time while none of them is
// special or dropped (or a tab, which the byte loop then takes).
inline const char *skipText(const char *p, const char *end) {
    // Most runs are short, between two control words: a few bytes one by one first.
    for (const char *const first = std::min(end, p + 16); p < first; ++p)
        if (classOf(*p) != TextByte) return p;
    for (; end - p >= 8; p += 8) {
        std::uint64_t w;
        std::memcpy(&w, p, 8);
        if (hasBelow(w, 0x20) | hasByte(w, '\\') | hasByte(w, '{') | hasByte(w, '}') |
            hasByte(w, 0x7F))
            break;
    }
    while (p < end && classOf(*p) == TextByte)
        ++p;
    return p;
}

// Longest control word we recognise; longer names are read whole and match nothing.
constexpr std::ptrdiff_t MaxWordLength = 32;

} // namespace lexer_detail

inline RtfToken RtfLexer::next() {
    using namespace lexer_detail;
    RtfToken t;
    for (;;) {
        if (pos_ >= end_) return t;
        const char c = *pos_;
        if (c == '\\') {
            if (end_ - pos_ < 2) {
                ++pos_;
                return t;
            }
            const char s = pos_[1];
            if (isLower(s)) {
                ++pos_;
                readWord(t);
                return t;
            }
            if (s == '\'') {
                // A broken \' escape is dropped with what it began, and reading goes on.
                const int hi = end_ - pos_ > 2 ? hexValue(pos_[2]) : -1;
                const int lo = hi >= 0 && end_ - pos_ > 3 ? hexValue(pos_[3]) : -1;
                if (lo < 0) {
                    pos_ += hi >= 0 ? 3 : 2;
                    continue;
                }
                pos_ += 4;
                t.kind = RtfToken::Hex;
                t.byte = static_cast<unsigned char>(hi * 16 + lo);
                return t;
            }
            pos_ += 2;
            t.kind = RtfToken::Symbol;
            t.symbol = s == '\r' ? '\n' : s;
            return t;
        }
        if (c == '{') {
            ++pos_;
            t.kind = RtfToken::GroupOpen;
            return t;
        }
        if (c == '}') {
            ++pos_;
            t.kind = RtfToken::GroupClose;
            return t;
        }
        if (classOf(c) == Dropped) {
            ++pos_;
            continue;
        }
        const char *start = pos_;
        pos_ = skipText(pos_ + 1, end_);
        t.kind = RtfToken::Text;
        t.data = std::string_view(start, std::size_t(pos_ - start));
        return t;
    }
}

inline void RtfLexer::readWord(RtfToken &t) {
    using namespace lexer_detail;
    const char *start = pos_;
    std::uint32_t hash = KeywordHashSeed;
    while (pos_ < end_ && isLower(*pos_))
        hash = keywordHashStep(hash, *pos_++);
    t.kind = RtfToken::Word;
    if (pos_ - start <= MaxWordLength) {
        t.name = std::string_view(start, std::size_t(pos_ - start));
        t.hash = hash;
    }
    bool negative = false;
    if (end_ - pos_ >= 2 && *pos_ == '-' && isDigit(pos_[1])) {
        negative = true;
        ++pos_;
    }
    if (pos_ < end_ && isDigit(*pos_)) {
        constexpr long long Limit = std::numeric_limits<std::int32_t>::max();
        long long value = 0;
        while (pos_ < end_ && isDigit(*pos_)) {
            if (value <= Limit) value = value * 10 + (*pos_ - '0');
            ++pos_;
        }
        if (value > Limit) value = Limit;
        t.hasParam = true;
        t.param = static_cast<std::int32_t>(negative ? -value : value);
    }
    if (pos_ < end_ && *pos_ == ' ') ++pos_;
    if (t.name.size() == 3 && t.name[0] == 'b' && t.name[1] == 'i' && t.name[2] == 'n') {
        const std::ptrdiff_t wanted = t.hasParam && t.param > 0 ? t.param : 0;
        const std::ptrdiff_t n = std::min(wanted, end_ - pos_);
        t.kind = RtfToken::Binary;
        t.data = std::string_view(pos_, std::size_t(n));
        pos_ += n;
    }
}

} // namespace richtext
