#pragma once

#include "richtext/RtfKeywords.h"

#include <QByteArrayView>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace richtext {

// A control word: ASCII letters of either case (Word's math properties have capitals, as in
// \mmathPr), with an optional signed number clamped to 32 bits; the space that ends a control
// word belongs to it. Names are matched with their case.
struct RtfWord {
    KeywordName name;
    bool hasParam = false;
    std::int32_t param = 0;

    Kw keyword() const { return lookupKeyword(name); }
    // \binN, whose N bytes that follow are data.
    bool isBinary() const { return name.size == 3 && name.letters[0] == BinLetters; }

  private:
    static constexpr std::uint64_t BinLetters = keywordName("bin").letters[0];
};

// One token of RTF. Line ends and other control bytes (and DEL) outside \bin data are not text
// and are dropped.
struct RtfToken {
    enum Kind : std::uint8_t {
        End,        // no more input
        GroupOpen,  // {
        GroupClose, // }
        Word,       // \name or \nameN: word
        Symbol,     // \ followed by one other character: symbol (a line end gives '\n')
        Hex,        // \'hh: byte
        Text,       // a run of text bytes: data
        Binary,     // \binN and its N raw bytes: data
    };
    Kind kind = End;
    char symbol = 0;
    unsigned char byte = 0;
    RtfWord word;
    std::string_view data;
};

// The lexer is defined here, inline: the reader asks it for every token that its own loop
// does not take, and a call per token would cost as much as the work of most tokens. The
// reader's loop reads the commonest things straight from the bytes, with the scanners below,
// and moves the lexer's position past them.
class RtfLexer {
  public:
    explicit RtfLexer(QByteArrayView bytes)
        : pos_(bytes.data()), end_(bytes.data() + bytes.size()) {}

    RtfToken next();
    const char *&pos() { return pos_; }
    const char *end() const { return end_; }

  private:
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
inline bool isLetter(char c) {
    return static_cast<unsigned char>((c | 0x20) - 'a') < 26;
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

// Sixteen bytes at a time, for the reader's own loops: plain text, picture digits and skipped
// groups make up most of a file's bytes.
constexpr std::ptrdiff_t Block = 16;

// Writes the 16 bytes at p to out as characters, and gives how many of them, from the first,
// are plain text: ASCII text bytes, not a backslash, brace, control byte, DEL or byte above
// 0x7F. (A tab is text, but stops the block; the caller takes it.)
inline int widenPlainText(const char *p, char16_t *out) {
#if defined(__SSE2__)
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
    // Signed, the bytes above 0x7F are below 0x20 too.
    const __m128i stop =
        _mm_or_si128(_mm_or_si128(_mm_cmplt_epi8(v, _mm_set1_epi8(0x20)),
                                  _mm_cmpeq_epi8(v, _mm_set1_epi8('\\'))),
                     _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('{')),
                                               _mm_cmpeq_epi8(v, _mm_set1_epi8('}'))),
                                  _mm_cmpeq_epi8(v, _mm_set1_epi8(0x7F))));
    const __m128i zero = _mm_setzero_si128();
    _mm_storeu_si128(reinterpret_cast<__m128i *>(out), _mm_unpacklo_epi8(v, zero));
    _mm_storeu_si128(reinterpret_cast<__m128i *>(out + 8), _mm_unpackhi_epi8(v, zero));
    const unsigned mask = unsigned(_mm_movemask_epi8(stop));
    return mask ? __builtin_ctz(mask) : int(Block);
#else
    int n = 0;
    while (n < Block && static_cast<unsigned char>(p[n]) < 0x80 && classOf(p[n]) == TextByte &&
           p[n] != '\t') {
        out[n] = char16_t(p[n]);
        ++n;
    }
    return n;
#endif
}

// Decodes the 16 bytes at p into 8 bytes at out when all of them are hexadecimal digits;
// otherwise writes nothing and gives false.
inline bool decodeHexDigits(const char *p, char *out) {
#if defined(__SSE2__)
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
    const __m128i digit = _mm_sub_epi8(v, _mm_set1_epi8('0'));
    const __m128i isDigit = _mm_cmpeq_epi8(_mm_min_epu8(digit, _mm_set1_epi8(9)), digit);
    const __m128i letter = _mm_sub_epi8(_mm_or_si128(v, _mm_set1_epi8(0x20)), _mm_set1_epi8('a'));
    const __m128i isLetter = _mm_cmpeq_epi8(_mm_min_epu8(letter, _mm_set1_epi8(5)), letter);
    if (_mm_movemask_epi8(_mm_or_si128(isDigit, isLetter)) != 0xFFFF) return false;
    const __m128i value =
        _mm_or_si128(_mm_and_si128(isDigit, digit),
                     _mm_and_si128(isLetter, _mm_add_epi8(letter, _mm_set1_epi8(10))));
    // In each 16-bit lane the first digit is the low byte: the high nibble of the result.
    const __m128i high = _mm_slli_epi16(_mm_and_si128(value, _mm_set1_epi16(0x00FF)), 4);
    const __m128i pairs = _mm_or_si128(high, _mm_srli_epi16(value, 8));
    _mm_storel_epi64(reinterpret_cast<__m128i *>(out), _mm_packus_epi16(pairs, pairs));
    return true;
#else
    std::array<std::int8_t, Block> v;
    int any = 0;
    for (std::size_t k = 0; k < v.size(); ++k) {
        v[k] = HexDigits[static_cast<unsigned char>(p[k])];
        any |= v[k];
    }
    if (any < 0) return false;
    for (std::size_t k = 0; k < v.size(); k += 2)
        *out++ = char(v[k] * 16 + v[k + 1]);
    return true;
#endif
}

// The first backslash or brace at or after p, or end.
inline const char *findBackslashOrBrace(const char *p, const char *end) {
#if defined(__SSE2__)
    for (; end - p >= Block; p += Block) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
        const unsigned mask = unsigned(
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('\\')),
                                           _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('{')),
                                                        _mm_cmpeq_epi8(v, _mm_set1_epi8('}'))))));
        if (mask) return p + __builtin_ctz(mask);
    }
#endif
    while (p < end && *p != '\\' && *p != '{' && *p != '}')
        ++p;
    return p;
}

} // namespace lexer_detail

namespace lexer_detail {

// For a name of n letters, the bits of each word of KeywordName::letters that it fills.
constexpr auto NameMasks = [] {
    std::array<std::array<std::uint64_t, 3>, MaxKeywordLength + 1> m{};
    for (std::size_t n = 0; n <= MaxKeywordLength; ++n)
        for (std::size_t i = 0; i < n; ++i)
            m[n][i / 8] |= std::uint64_t(0xFF) << (8 * (i % 8));
    return m;
}();

// Reads the name of a control word whose first letter is at p; gives where it ends. With 32
// bytes ahead, the letters are found sixteen at a time and packed by loading them whole.
inline const char *scanName(const char *p, const char *end, KeywordName &name) {
#if defined(__SSE2__)
    if constexpr (std::endian::native == std::endian::little) {
        if (end - p >= 2 * Block) {
            // A byte with 0x20 set is a letter when it then lies from 'a' to 'z'.
            const auto letterMask = [](const char *at) {
                const __m128i v = _mm_or_si128(
                    _mm_loadu_si128(reinterpret_cast<const __m128i *>(at)), _mm_set1_epi8(0x20));
                const __m128i d = _mm_sub_epi8(v, _mm_set1_epi8('a'));
                return std::uint32_t(
                    _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(d, _mm_set1_epi8(25)), d)));
            };
            const std::uint32_t letters = letterMask(p) | letterMask(p + Block) << Block;
            if (letters != 0xFFFFFFFFu) {
                const unsigned n = unsigned(__builtin_ctz(~letters));
                name.size = n;
                if (n <= MaxKeywordLength) {
                    std::memcpy(name.letters.data(), p, sizeof name.letters);
                    for (std::size_t k = 0; k < name.letters.size(); ++k)
                        name.letters[k] &= NameMasks[n][k];
                }
                return p + n;
            }
        }
    }
#endif
    const char *start = p;
    while (p < end && isLetter(*p))
        ++p;
    name = keywordName(std::string_view(start, std::size_t(p - start)));
    return p;
}

// Reads the control word whose first letter is at p, up to and with the space that ends it;
// gives where it ends.
inline const char *scanWord(const char *p, const char *end, RtfWord &w) {
    p = scanName(p, end, w.name);
    bool negative = false;
    if (end - p >= 2 && *p == '-' && isDigit(p[1])) {
        negative = true;
        ++p;
    }
    if (p < end && isDigit(*p)) {
        constexpr long long Limit = std::numeric_limits<std::int32_t>::max();
        long long value = 0;
        while (p < end && isDigit(*p)) {
            if (value <= Limit) value = value * 10 + (*p - '0');
            ++p;
        }
        if (value > Limit) value = Limit;
        w.hasParam = true;
        w.param = static_cast<std::int32_t>(negative ? -value : value);
    }
    if (p < end && *p == ' ') ++p;
    return p;
}

// The data of \binN that begins at p: N bytes, or as many as there are.
inline std::string_view binaryData(const RtfWord &w, const char *p, const char *end) {
    const std::ptrdiff_t wanted = w.hasParam && w.param > 0 ? w.param : 0;
    return std::string_view(p, std::size_t(std::min(wanted, end - p)));
}

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
            if (isLetter(s)) {
                pos_ = scanWord(pos_ + 1, end_, t.word);
                t.kind = RtfToken::Word;
                if (t.word.isBinary()) {
                    t.kind = RtfToken::Binary;
                    t.data = binaryData(t.word, pos_, end_);
                    pos_ += t.data.size();
                }
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

} // namespace richtext
