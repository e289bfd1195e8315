#include "richtext/RtfKeywords.h"

#include <algorithm>
#include <array>
#include <utility>

namespace richtext {

namespace {

using Entry = std::pair<std::string_view, Kw>;

// Sorted by name, which keeps every name unique.
constexpr auto Keywords = std::to_array<Entry>({
    {"aftncn", Kw::SkippedDestination},
    {"aftnsep", Kw::SkippedDestination},
    {"aftnsepc", Kw::SkippedDestination},
    {"annotation", Kw::SkippedDestination},
    {"ansi", Kw::Ansi},
    {"ansicpg", Kw::AnsiCpg},
    {"atnauthor", Kw::SkippedDestination},
    {"atndate", Kw::SkippedDestination},
    {"atnid", Kw::SkippedDestination},
    {"atnparent", Kw::SkippedDestination},
    {"atnref", Kw::SkippedDestination},
    {"atntime", Kw::SkippedDestination},
    {"author", Kw::SkippedDestination},
    {"b", Kw::B},
    {"bin", Kw::Bin},
    {"blue", Kw::Blue},
    {"brdrdash", Kw::BrdrStyle},
    {"brdrdb", Kw::BrdrStyle},
    {"brdrdot", Kw::BrdrStyle},
    {"brdrhair", Kw::BrdrStyle},
    {"brdrnil", Kw::BrdrNone},
    {"brdrnone", Kw::BrdrNone},
    {"brdrs", Kw::BrdrStyle},
    {"brdrsh", Kw::BrdrStyle},
    {"brdrth", Kw::BrdrStyle},
    {"brdrtriple", Kw::BrdrStyle},
    {"brdrw", Kw::BrdrW},
    {"bullet", Kw::Bullet},
    {"buptim", Kw::SkippedDestination},
    {"caps", Kw::Caps},
    {"category", Kw::SkippedDestination},
    {"cb", Kw::Background},
    {"cell", Kw::Cell},
    {"cellx", Kw::CellX},
    {"cf", Kw::Cf},
    {"chcbpat", Kw::Background},
    {"chftn", Kw::ChFtn},
    {"clbrdrb", Kw::ClBrdr},
    {"clbrdrl", Kw::ClBrdr},
    {"clbrdrr", Kw::ClBrdr},
    {"clbrdrt", Kw::ClBrdr},
    {"clcbpat", Kw::ClCbPat},
    {"clmgf", Kw::ClMgf},
    {"clmrg", Kw::ClMrg},
    {"clpadb", Kw::CellPadding},
    {"clpadl", Kw::CellPadding},
    {"clpadr", Kw::CellPadding},
    {"clpadt", Kw::CellPadding},
    {"clvmgf", Kw::ClVmgf},
    {"clvmrg", Kw::ClVmrg},
    {"colorschememapping", Kw::SkippedDestination},
    {"colortbl", Kw::ColorTable},
    {"comment", Kw::SkippedDestination},
    {"company", Kw::SkippedDestination},
    {"cpg", Kw::Cpg},
    {"creatim", Kw::SkippedDestination},
    {"datastore", Kw::SkippedDestination},
    {"deff", Kw::Deff},
    {"dibitmap", Kw::OtherBlip},
    {"dn", Kw::Dn},
    {"do", Kw::SkippedDestination},
    {"doccomm", Kw::SkippedDestination},
    {"docvar", Kw::SkippedDestination},
    {"emdash", Kw::EmDash},
    {"emfblip", Kw::OtherBlip},
    {"emspace", Kw::EmSpace},
    {"endash", Kw::EnDash},
    {"enspace", Kw::EnSpace},
    {"f", Kw::F},
    {"fcharset", Kw::FCharset},
    {"fi", Kw::Fi},
    {"field", Kw::Field},
    {"filetbl", Kw::SkippedDestination},
    {"fldinst", Kw::SkippedDestination},
    {"fldrslt", Kw::FldRslt},
    {"fonttbl", Kw::FontTable},
    {"footer", Kw::SkippedDestination},
    {"footerf", Kw::SkippedDestination},
    {"footerl", Kw::SkippedDestination},
    {"footerr", Kw::SkippedDestination},
    {"footnote", Kw::SkippedDestination},
    {"fs", Kw::Fs},
    {"ftncn", Kw::SkippedDestination},
    {"ftnsep", Kw::SkippedDestination},
    {"ftnsepc", Kw::SkippedDestination},
    {"generator", Kw::SkippedDestination},
    {"green", Kw::Green},
    {"header", Kw::SkippedDestination},
    {"headerf", Kw::SkippedDestination},
    {"headerl", Kw::SkippedDestination},
    {"headerr", Kw::SkippedDestination},
    {"highlight", Kw::Background},
    {"hlinkbase", Kw::SkippedDestination},
    {"i", Kw::I},
    {"info", Kw::SkippedDestination},
    {"intbl", Kw::InTbl},
    {"jpegblip", Kw::JpegBlip},
    {"keywords", Kw::SkippedDestination},
    {"latentstyles", Kw::SkippedDestination},
    {"ldblquote", Kw::LDblQuote},
    {"li", Kw::Li},
    {"lin", Kw::Li},
    {"line", Kw::Line},
    {"listoverridetable", Kw::SkippedDestination},
    {"listtable", Kw::SkippedDestination},
    {"listtext", Kw::ListText},
    {"lquote", Kw::LQuote},
    {"mac", Kw::Mac},
    {"macpict", Kw::OtherBlip},
    {"manager", Kw::SkippedDestination},
    // Office Math properties, which Word writes without \* in every document.
    {"mmathPr", Kw::SkippedDestination},
    {"nestcell", Kw::NestCell},
    {"nestrow", Kw::NestRow},
    {"nonesttables", Kw::SkippedDestination},
    {"nonshppict", Kw::NonShpPict},
    {"nosupersub", Kw::NoSuperSub},
    {"objclass", Kw::SkippedDestination},
    {"objdata", Kw::SkippedDestination},
    {"object", Kw::Object},
    {"objname", Kw::SkippedDestination},
    {"operator", Kw::SkippedDestination},
    {"page", Kw::Page},
    {"pagebb", Kw::PageBb},
    {"par", Kw::Par},
    {"pard", Kw::Pard},
    {"pc", Kw::Pc},
    {"pca", Kw::Pca},
    {"pgdsctbl", Kw::SkippedDestination},
    {"pich", Kw::PicH},
    {"pichgoal", Kw::PicHGoal},
    {"picscalex", Kw::PicScaleX},
    {"picscaley", Kw::PicScaleY},
    {"pict", Kw::Pict},
    {"picw", Kw::PicW},
    {"picwgoal", Kw::PicWGoal},
    {"plain", Kw::Plain},
    {"pmmetafile", Kw::OtherBlip},
    {"pn", Kw::SkippedDestination},
    {"pngblip", Kw::PngBlip},
    {"pnseclvl", Kw::SkippedDestination},
    {"pntext", Kw::PnText},
    {"pntxta", Kw::SkippedDestination},
    {"pntxtb", Kw::SkippedDestination},
    {"printim", Kw::SkippedDestination},
    {"qc", Kw::Qc},
    {"qd", Kw::Qj},
    {"qj", Kw::Qj},
    {"ql", Kw::Ql},
    {"qr", Kw::Qr},
    {"rdblquote", Kw::RDblQuote},
    {"red", Kw::Red},
    {"result", Kw::Result},
    {"revtbl", Kw::SkippedDestination},
    {"revtim", Kw::SkippedDestination},
    {"ri", Kw::Ri},
    {"rin", Kw::Ri},
    {"row", Kw::Row},
    {"rquote", Kw::RQuote},
    {"rsidtbl", Kw::SkippedDestination},
    {"sa", Kw::Sa},
    {"sb", Kw::Sb},
    {"scaps", Kw::SCaps},
    {"sect", Kw::Sect},
    {"shp", Kw::Shp},
    {"shppict", Kw::ShpPict},
    {"shprslt", Kw::ShpRslt},
    {"sl", Kw::Sl},
    {"slmult", Kw::SlMult},
    {"sn", Kw::SkippedDestination},
    {"sp", Kw::SkippedDestination},
    {"strike", Kw::Strike},
    {"striked", Kw::Strike},
    {"stylesheet", Kw::SkippedDestination},
    {"sub", Kw::Sub},
    {"subject", Kw::SkippedDestination},
    {"super", Kw::Super},
    {"sv", Kw::SkippedDestination},
    {"tab", Kw::Tab},
    {"tc", Kw::SkippedDestination},
    {"template", Kw::SkippedDestination},
    {"themedata", Kw::SkippedDestination},
    {"title", Kw::SkippedDestination},
    {"tqc", Kw::TqC},
    {"tqdec", Kw::TqDec},
    {"tqr", Kw::TqR},
    {"trgaph", Kw::TrGaph},
    {"trleft", Kw::TrLeft},
    {"trowd", Kw::TRowD},
    {"trpaddb", Kw::CellPadding},
    {"trpaddl", Kw::CellPadding},
    {"trpaddr", Kw::CellPadding},
    {"trpaddt", Kw::CellPadding},
    {"tx", Kw::Tx},
    {"txe", Kw::SkippedDestination},
    {"u", Kw::U},
    {"uc", Kw::Uc},
    {"ud", Kw::Ud},
    {"ul", Kw::Ul},
    {"uld", Kw::UlDotted},
    {"uldash", Kw::UlDash},
    {"uldashd", Kw::UlDashDot},
    {"uldashdd", Kw::UlDashDotDot},
    {"uldb", Kw::Ul},
    {"ulhwave", Kw::UlWave},
    {"ulnone", Kw::UlNone},
    {"ulth", Kw::Ul},
    {"ulthd", Kw::UlDotted},
    {"ulthdash", Kw::UlDash},
    {"ulw", Kw::Ul},
    {"ulwave", Kw::UlWave},
    {"up", Kw::Up},
    {"upr", Kw::Upr},
    {"userprops", Kw::SkippedDestination},
    {"v", Kw::V},
    {"wbitmap", Kw::OtherBlip},
    {"wmetafile", Kw::OtherBlip},
    {"xe", Kw::SkippedDestination},
    {"xmlnstbl", Kw::SkippedDestination},
});

constexpr bool sorted() {
    for (std::size_t i = 1; i < Keywords.size(); ++i)
        if (!(Keywords[i - 1].first < Keywords[i].first)) return false;
    return true;
}
static_assert(sorted(), "keywords must be sorted by name");

constexpr bool shortEnough() {
    for (const Entry &e : Keywords)
        if (e.first.size() > MaxKeywordLength) return false;
    return true;
}
static_assert(shortEnough(), "a keyword is longer than MaxKeywordLength");

} // namespace

constexpr KeywordTable::KeywordTable() {
    for (std::size_t k = 0; k < Keywords.size(); ++k) {
        names_[k] = {keywordName(Keywords[k].first), Keywords[k].second};
        std::size_t i = slotOf(names_[k].name);
        while (slots_[i] != 0)
            i = (i + 1) % Size;
        slots_[i] = std::uint8_t(k + 1);
    }
}

constexpr std::size_t KeywordTable::longestProbe() const {
    std::size_t longest = 0;
    for (std::size_t k = 0; k < Keywords.size(); ++k) {
        std::size_t n = 1;
        for (std::size_t i = slotOf(names_[k].name); slots_[i] != k + 1; i = (i + 1) % Size)
            ++n;
        longest = std::max(longest, n);
    }
    return longest;
}

constexpr KeywordTable keywordTable;
static_assert(keywordTable.longestProbe() <= 2, "keyword hash spreads the names badly");
static_assert(Keywords.size() <= KeywordTable::MaxKeywords);

} // namespace richtext
