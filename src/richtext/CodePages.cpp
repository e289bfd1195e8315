#include "richtext/CodePages.h"

#include <QStringDecoder>

#include <array>
#include <memory>
#include <unordered_map>

namespace richtext {

namespace {

// The Symbol font's glyphs from 0x20 to 0xFF as the Unicode characters they draw; 0 where the
// font has no glyph.
constexpr std::array<char16_t, 224> SymbolTable = {
    u' ',      u'!',      u'\x2200', u'#',      u'\x2203', u'%',      u'&',      u'\x220B', // 20
    u'(',      u')',      u'\x2217', u'+',      u',',      u'\x2212', u'.',      u'/',      // 28
    u'0',      u'1',      u'2',      u'3',      u'4',      u'5',      u'6',      u'7',      // 30
    u'8',      u'9',      u':',      u';',      u'<',      u'=',      u'>',      u'?',      // 38
    u'\x2245', u'\x391',  u'\x392',  u'\x3A7',  u'\x394',  u'\x395',  u'\x3A6',  u'\x393',  // 40
    u'\x397',  u'\x399',  u'\x3D1',  u'\x39A',  u'\x39B',  u'\x39C',  u'\x39D',  u'\x39F',  // 48
    u'\x3A0',  u'\x398',  u'\x3A1',  u'\x3A3',  u'\x3A4',  u'\x3A5',  u'\x3C2',  u'\x3A9',  // 50
    u'\x39E',  u'\x3A8',  u'\x396',  u'[',      u'\x2234', u']',      u'\x22A5', u'_',      // 58
    u'\x203E', u'\x3B1',  u'\x3B2',  u'\x3C7',  u'\x3B4',  u'\x3B5',  u'\x3C6',  u'\x3B3',  // 60
    u'\x3B7',  u'\x3B9',  u'\x3D5',  u'\x3BA',  u'\x3BB',  u'\x3BC',  u'\x3BD',  u'\x3BF',  // 68
    u'\x3C0',  u'\x3B8',  u'\x3C1',  u'\x3C3',  u'\x3C4',  u'\x3C5',  u'\x3D6',  u'\x3C9',  // 70
    u'\x3BE',  u'\x3C8',  u'\x3B6',  u'{',      u'|',      u'}',      u'\x223C', 0,         // 78
    0,         0,         0,         0,         0,         0,         0,         0,         // 80
    0,         0,         0,         0,         0,         0,         0,         0,         // 88
    0,         0,         0,         0,         0,         0,         0,         0,         // 90
    0,         0,         0,         0,         0,         0,         0,         0,         // 98
    u'\x20AC', u'\x3D2',  u'\x2032', u'\x2264', u'\x2044', u'\x221E', u'\x192',  u'\x2663', // A0
    u'\x2666', u'\x2665', u'\x2660', u'\x2194', u'\x2190', u'\x2191', u'\x2192', u'\x2193', // A8
    u'\xB0',   u'\xB1',   u'\x2033', u'\x2265', u'\xD7',   u'\x221D', u'\x2202', u'\x2022', // B0
    u'\xF7',   u'\x2260', u'\x2261', u'\x2248', u'\x2026', u'\x23D0', u'\x23AF', u'\x21B5', // B8
    u'\x2135', u'\x2111', u'\x211C', u'\x2118', u'\x2297', u'\x2295', u'\x2205', u'\x2229', // C0
    u'\x222A', u'\x2283', u'\x2287', u'\x2284', u'\x2282', u'\x2286', u'\x2208', u'\x2209', // C8
    u'\x2220', u'\x2207', u'\xAE',   u'\xA9',   u'\x2122', u'\x220F', u'\x221A', u'\x22C5', // D0
    u'\xAC',   u'\x2227', u'\x2228', u'\x21D4', u'\x21D0', u'\x21D1', u'\x21D2', u'\x21D3', // D8
    u'\x25CA', u'\x2329', u'\xAE',   u'\xA9',   u'\x2122', u'\x2211', u'\x239B', u'\x239C', // E0
    u'\x239D', u'\x23A1', u'\x23A2', u'\x23A3', u'\x23A7', u'\x23A8', u'\x23A9', u'\x23AA', // E8
    0,         u'\x232A', u'\x222B', u'\x2320', u'\x23AE', u'\x2321', u'\x239E', u'\x239F', // F0
    u'\x23A0', u'\x23A4', u'\x23A5', u'\x23A6', u'\x23AB', u'\x23AC', u'\x23AD', 0,         // F8
};

QByteArray decoderName(int codePage) {
    switch (codePage) {
    case 874:
        return "windows-874";
    case 932:
        return "windows-31j";
    case 936:
        return "GBK";
    case 949:
        return "windows-949";
    case 950:
        return "windows-950";
    case 10000:
        return "macintosh";
    case 10006:
        return "x-mac-greek";
    case 10007:
        return "x-mac-cyrillic";
    case 10029:
        return "x-mac-centraleurroman";
    case 20127:
        return "US-ASCII";
    case 20866:
        return "KOI8-R";
    case 21866:
        return "KOI8-U";
    case 28605:
        return "ISO-8859-15";
    case 65001:
        return "UTF-8";
    default:
        break;
    }
    if (codePage >= 1250 && codePage <= 1258) return "windows-" + QByteArray::number(codePage);
    if (codePage >= 437 && codePage <= 869) return "IBM" + QByteArray::number(codePage);
    if (codePage >= 28591 && codePage <= 28599)
        return "ISO-8859-" + QByteArray::number(codePage - 28590);
    return {};
}

// One decoder per code page met, built once: building a decoder costs far more than using it.
QStringDecoder &decoderFor(int codePage) {
    thread_local std::unordered_map<int, std::unique_ptr<QStringDecoder>> decoders;
    auto &slot = decoders[codePage];
    if (!slot) {
        const QByteArray name = decoderName(codePage);
        if (!name.isEmpty())
            slot = std::make_unique<QStringDecoder>(name.constData(),
                                                    QStringConverter::Flag::Stateless);
        if (!slot || !slot->isValid())
            slot =
                std::make_unique<QStringDecoder>("windows-1252", QStringConverter::Flag::Stateless);
    }
    return *slot;
}

bool isMultiByte(int codePage) {
    switch (codePage) {
    case 932:
    case 936:
    case 949:
    case 950:
    case 1361:
    case 10001:
    case 10002:
    case 10003:
    case 10008:
    case 65001:
        return true;
    default:
        return false;
    }
}

// Every byte of a single-byte code page decoded once, so that text needs no converter call.
using ByteTable = std::array<char16_t, 256>;

const ByteTable *byteTableFor(int codePage) {
    thread_local std::unordered_map<int, std::unique_ptr<ByteTable>> tables;
    if (isMultiByte(codePage)) return nullptr;
    auto &slot = tables[codePage];
    if (!slot) {
        slot = std::make_unique<ByteTable>();
        QStringDecoder &decoder = decoderFor(codePage);
        for (int b = 0; b < 256; ++b) {
            const char byte = char(b);
            const QString one = decoder.decode(QByteArrayView(&byte, 1));
            (*slot)[std::size_t(b)] = one.size() == 1 ? one.at(0).unicode() : u'\xFFFD';
        }
    }
    return slot.get();
}

} // namespace

int codePageOfCharset(int charset) {
    switch (charset) {
    case 0:
        return 1252;
    case 2:
        return SymbolCodePage;
    case 77:
        return 10000;
    case 78:
    case 128:
        return 932;
    case 129:
        return 949;
    case 134:
        return 936;
    case 136:
        return 950;
    case 85:
        return 10006;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 88:
        return 10029;
    case 89:
        return 10007;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 254:
        return 437;
    case 255:
        return 850;
    default:
        return 0;
    }
}

const char16_t *singleByteTable(int codePage) {
    if (codePage == SymbolCodePage) return nullptr;
    const ByteTable *table = byteTableFor(codePage);
    return table ? table->data() : nullptr;
}

bool isAsciiCompatible(int codePage) {
    return codePage != SymbolCodePage;
}

void appendDecoded(QString &out, QByteArrayView bytes, int codePage) {
    if (codePage == SymbolCodePage) {
        for (const char b : bytes) {
            const auto u = static_cast<unsigned char>(b);
            const char16_t c = u >= 0x20 ? SymbolTable[u - 0x20] : 0;
            if (c) out.append(QChar(c));
        }
        return;
    }
    if (const ByteTable *table = byteTableFor(codePage)) {
        const qsizetype start = out.size();
        out.resize(start + bytes.size());
        char16_t *write = reinterpret_cast<char16_t *>(out.data()) + start;
        for (const char b : bytes)
            *write++ = (*table)[static_cast<unsigned char>(b)];
        return;
    }
    out.append(decoderFor(codePage).decode(bytes));
}

unsigned char windows1252Byte(char16_t c) {
    if (c < 0x80) return static_cast<unsigned char>(c);
    if (c >= 0xA0 && c <= 0xFF) return static_cast<unsigned char>(c);
    static constexpr char16_t High[32] = {
        0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    for (int i = 0; i < 32; ++i)
        if (High[i] == c) return static_cast<unsigned char>(0x80 + i);
    return 0;
}

} // namespace richtext
