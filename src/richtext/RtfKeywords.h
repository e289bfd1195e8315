#pragma once

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

// The hash of a control word's name, gathered a letter at a time as the lexer scans it.
constexpr std::uint32_t KeywordHashSeed = 5381;
constexpr std::uint32_t keywordHashStep(std::uint32_t hash, char c) {
    return hash * 33 + static_cast<unsigned char>(c);
}
constexpr std::uint32_t keywordHash(std::string_view name) {
    std::uint32_t hash = KeywordHashSeed;
    for (const char c : name)
        hash = keywordHashStep(hash, c);
    return hash;
}

// The control word of a name whose keywordHash is hash.
Kw lookupKeyword(std::string_view name, std::uint32_t hash);
inline Kw lookupKeyword(std::string_view name) {
    return lookupKeyword(name, keywordHash(name));
}

} // namespace richtext
