#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace richtext {

// The control words the reader acts on. Destinations whose content is never shown share
// SkippedDestination; every other word is Unknown and ignored.
enum class Kw : std::uint8_t {
    Unknown,
    SkippedDestination,
    // header and tables
    Ansi,
    Mac,
    Pc,
    Pca,
    AnsiCpg,
    Deff,
    FontTable,
    F,
    FCharset,
    Cpg,
    ColorTable,
    Red,
    Green,
    Blue,
    Uc,
    U,
    Upr,
    Ud,
    // destinations whose text is shown, or that hold what is shown
    Field,
    FldRslt,
    Object,
    Result,
    Shp,
    ShpRslt,
    ShpPict,
    NonShpPict,
    PnText,
    ListText,
    // pictures
    Pict,
    PngBlip,
    JpegBlip,
    OtherBlip,
    PicW,
    PicH,
    PicWGoal,
    PicHGoal,
    PicScaleX,
    PicScaleY,
    // special characters and breaks
    Par,
    Sect,
    Page,
    Line,
    Tab,
    EmDash,
    EnDash,
    LQuote,
    RQuote,
    LDblQuote,
    RDblQuote,
    Bullet,
    EnSpace,
    EmSpace,
    Cell,
    Row,
    NestCell,
    NestRow,
    ChFtn,
    // paragraphs
    Pard,
    Ql,
    Qc,
    Qr,
    Qj,
    Li,
    Ri,
    Fi,
    Sb,
    Sa,
    Sl,
    SlMult,
    InTbl,
    PageBb,
    Tx,
    TqR,
    TqC,
    TqDec,
    // table rows
    TRowD,
    CellX,
    TrGaph,
    TrLeft,
    CellPadding,
    ClBrdr,
    BrdrNone,
    BrdrStyle,
    BrdrW,
    ClCbPat,
    ClMgf,
    ClMrg,
    ClVmgf,
    ClVmrg,
    // characters
    Plain,
    B,
    I,
    Ul,
    UlNone,
    UlDotted,
    UlDash,
    UlDashDot,
    UlDashDotDot,
    UlWave,
    Strike,
    Fs,
    Cf,
    Background,
    Super,
    Sub,
    NoSuperSub,
    Up,
    Dn,
    Caps,
    SCaps,
    V,
    Bin, // read by the lexer with its data
};

// No keyword is longer than this.
constexpr std::size_t MaxKeywordLength = 24;

// A control word's name as the lexer reads it: its letters packed eight to a word, in the
// order of the bytes of a little-endian load and zero beyond the name, and its length. The
// letters of a name longer than any keyword are left out.
struct KeywordName {
    std::array<std::uint64_t, 3> letters{};
    std::uint32_t size = 0;
};
static_assert(MaxKeywordLength == 3 * sizeof(std::uint64_t));

constexpr KeywordName keywordName(std::string_view name) {
    KeywordName n;
    n.size = std::uint32_t(name.size());
    if (name.size() <= MaxKeywordLength)
        for (std::size_t i = 0; i < name.size(); ++i)
            n.letters[i / 8] |= std::uint64_t(static_cast<unsigned char>(name[i])) << (8 * (i % 8));
    return n;
}

// An open-addressing hash table of the keywords, built at compile time: a slot holds the
// place of a keyword in a list of packed names, which a name read compares with in three
// words. Defined here, inline, as the reader looks up every control word of the file.
class KeywordTable {
  public:
    static constexpr std::size_t MaxKeywords = 255; // a slot holds a place in a byte
    constexpr KeywordTable();
    Kw find(const KeywordName &name) const {
        if (name.size == 0 || name.size > MaxKeywordLength) return Kw::Unknown;
        for (std::size_t i = slotOf(name);; i = (i + 1) % Size) {
            if (slots_[i] == 0) return Kw::Unknown;
            const Named &k = names_[slots_[i] - 1];
            if (k.name.size == name.size &&
                ((k.name.letters[0] ^ name.letters[0]) | (k.name.letters[1] ^ name.letters[1]) |
                 (k.name.letters[2] ^ name.letters[2])) == 0)
                return k.kw;
        }
    }
    // The longest run of slots a lookup may walk.
    constexpr std::size_t longestProbe() const;

  private:
    struct Named {
        KeywordName name;
        Kw kw = Kw::Unknown;
    };
    static constexpr std::size_t Size = 1024;
    static constexpr std::size_t slotOf(const KeywordName &n) {
        std::uint64_t h = n.letters[0] ^ (n.letters[1] * 0xC2B2AE3D27D4EB4FULL) ^
                          (n.letters[2] * 0x165667B19E3779F9ULL);
        h ^= h >> 29;
        // The top ten bits of the product index the 1024 slots; of the odd multipliers tried,
        // this one has no keyword more than a slot away from where its hash points.
        return std::size_t((h * 0xA11D459A2F978D87ULL) >> 54);
    }
    std::array<Named, MaxKeywords> names_{};
    std::array<std::uint8_t, Size> slots_{};
};
extern const KeywordTable keywordTable;

// The control word of a name.
inline Kw lookupKeyword(const KeywordName &name) {
    return keywordTable.find(name);
}
inline Kw lookupKeyword(std::string_view name) {
    return lookupKeyword(keywordName(name));
}

} // namespace richtext
