#include "richtext/RtfLexer.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>

namespace richtext {

namespace {

enum ByteClass : std::uint8_t { TextByte, Dropped, Special };

constexpr std::array<ByteClass, 256> makeClasses() {
    std::array<ByteClass, 256> c{};
    for (int b = 0; b < 0x20; ++b)
        c[b] = Dropped;
    c['\t'] = TextByte;
    c[0x7F] = Dropped;
    c['\\'] = c['{'] = c['}'] = Special;
    return c;
}

constexpr std::array<ByteClass, 256> Classes = makeClasses();

ByteClass classOf(char c) {
    return Classes[static_cast<unsigned char>(c)];
}

bool isLower(char c) {
    return c >= 'a' && c <= 'z';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
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
const char *skipText(const char *p, const char *end) {
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

} // namespace

RtfLexer::RtfLexer(QByteArrayView bytes) : pos_(bytes.data()), end_(bytes.data() + bytes.size()) {}

RtfToken RtfLexer::next() {
    RtfToken t;
    for (;;) {
        while (pos_ < end_ && classOf(*pos_) == Dropped)
            ++pos_;
        if (pos_ >= end_) return t;
        // A broken \' escape is dropped with what it began, and reading goes on.
        if (pos_ + 1 < end_ && pos_[0] == '\\' && pos_[1] == '\'') {
            const int hi = pos_ + 2 < end_ ? hexValue(pos_[2]) : -1;
            const int lo = hi >= 0 && pos_ + 3 < end_ ? hexValue(pos_[3]) : -1;
            if (lo < 0) {
                pos_ += hi >= 0 ? 3 : 2;
                continue;
            }
            pos_ += 4;
            t.kind = RtfToken::Hex;
            t.byte = static_cast<unsigned char>(hi * 16 + lo);
            return t;
        }
        break;
    }
    const char c = *pos_;
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
    if (c != '\\') {
        const char *start = pos_;
        pos_ = skipText(pos_, end_);
        t.kind = RtfToken::Text;
        t.data = std::string_view(start, std::size_t(pos_ - start));
        return t;
    }
    ++pos_;
    if (pos_ >= end_) return t;
    const char s = *pos_;
    if (isLower(s)) {
        readWord(t);
        return t;
    }
    ++pos_;
    t.kind = RtfToken::Symbol;
    t.symbol = s == '\r' ? '\n' : s;
    return t;
}

void RtfLexer::readWord(RtfToken &t) {
    const char *start = pos_;
    while (pos_ < end_ && isLower(*pos_))
        ++pos_;
    t.kind = RtfToken::Word;
    if (pos_ - start <= MaxWordLength) t.name = std::string_view(start, std::size_t(pos_ - start));
    bool negative = false;
    if (pos_ + 1 < end_ && *pos_ == '-' && isDigit(pos_[1])) {
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
    const std::string_view name = t.name;
    if (name.size() == 3 && name[0] == 'b' && name[1] == 'i' && name[2] == 'n') {
        const std::ptrdiff_t wanted = t.hasParam && t.param > 0 ? t.param : 0;
        const std::ptrdiff_t n = std::min(wanted, end_ - pos_);
        t.kind = RtfToken::Binary;
        t.data = std::string_view(pos_, std::size_t(n));
        pos_ += n;
    }
}

} // namespace richtext
