#include "DocumentDescription.h"

#include "richtext/PlainText.h"
#include "richtext/RichText.h"
#include "richtext/RtfKeywords.h"

#include <QImage>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextTable>
#include <QUrl>

#include <functional>
#include <random>

#include <gtest/gtest.h>

namespace {

std::unique_ptr<QTextDocument> read(const QByteArray &rtf) {
    ensureApplication<QGuiApplication>();
    auto result = richtext::readRtf(rtf);
    if (auto *error = std::get_if<richtext::TextError>(&result)) {
        ADD_FAILURE() << error->text.toStdString();
        return std::make_unique<QTextDocument>();
    }
    return std::move(std::get<std::unique_ptr<QTextDocument>>(result));
}

QString textOf(const QByteArray &rtf) {
    return richtext::plainText(*read(rtf));
}

// The format of the first character of the document's text that equals c.
QTextCharFormat formatOf(const QTextDocument &d, QChar c) {
    for (QTextBlock b = d.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().text().contains(c)) return it.fragment().charFormat();
    ADD_FAILURE() << "no " << QString(c).toStdString();
    return {};
}

struct TextCase {
    const char *name;
    const char *rtf; // inside {\rtf1 ... }
    const char *text;
};

const TextCase TextCases[] = {
    {"plain paragraphs", R"(\ansi Un\par Deux\par)", "Un\nDeux\n"},
    {"text after the last par is a paragraph", R"(Un\par Deux)", "Un\nDeux\n"},
    {"empty paragraphs are kept", R"(Un\par\par Deux\par)", "Un\n\nDeux\n"},
    {"space after a word is eaten, others are text", R"(\b  a  b\b0 c)", " a  bc\n"},
    {"hex and raw bytes in the document code page", "\\ansicpg1252 caf\\'e9 na\xefve",
     "café naïve\n"},
    {"the font code page wins over ansicpg",
     R"(\ansicpg1252{\fonttbl{\f0\fcharset0 Times;}{\f1\fcharset238 Arial CE;}}\f1 \'f8\'e1d \f0\'e9)",
     "řád é\n"},
    {"cpg of a font wins over its charset", R"({\fonttbl{\f0\fcharset0\cpg1251 X;}}\f0\'c4\'e0)",
     "Да\n"},
    {"a Cyrillic font", R"(\ansicpg1252{\fonttbl{\f0\fcharset204 Arial Cyr;}}\f0\'cf\'f0\'e8\'e2)",
     "Прив\n"},
    {"a Vietnamese font", R"({\fonttbl{\f0\fcharset163 V;}}\f0\'d5\'dd\'f5\'fd)", "ƠƯơư\n"},
    {"the Vietnamese code page", R"(\ansicpg1258\'d5\'dd\'f5\'fd)", "ƠƯơư\n"},
    {"greek and turkish fonts",
     R"({\fonttbl{\f0\fcharset161 G;}{\f1\fcharset162 T;}}\f0\'e1\f1\'fe)", "αş\n"},
    {"Mac Roman and DOS code pages", R"(\mac\'8e\'87)", "éá\n"},
    {"pc", R"(\pc\'82\'a4)", "éñ\n"},
    {"pca", R"(\pca\'90\'b7)", "ÉÀ\n"},
    {"double-byte bytes decode together",
     R"({\fonttbl{\f0\fcharset128 MS Mincho;}}\f0\'82\'a0\'82\'a2)", "あい\n"},
    {"unicode with its fallback", R"(\u233\'e9t\u233?)", "été\n"},
    {"negative unicode", R"(\u-3913?)", "\xEF\x82\xB7\n"},
    {"uc2 skips two bytes", R"(\uc2\u8364\'80\'80x)", "€x\n"},
    {"uc counts a control word as one", R"(\u8364\tab x)", "€x\n"},
    {"uc counts a bin block as one", "\\u8364\\bin3 \x01\x02\x03x", "€x\n"},
    {"a brace ends the fallback", R"({\uc3\u8364}ab)", "€ab\n"},
    {"uc0 skips nothing", R"(\uc0\u8364 x)", "€x\n"},
    {"surrogate pairs join", R"(\u-10179?\u-8704?)", "\xF0\x9F\x98\x80\n"},
    {"control symbols", R"(a\~b\_c\-d\{\}\\)",
     "a\xC2\xA0"
     "b\xE2\x80\x91"
     "cd{}\\\n"},
    {"named characters", R"(\emdash\endash\lquote\rquote\ldblquote\rdblquote\bullet\tab)",
     "—–‘’“”•\t\n"},
    {"line is a line break inside the paragraph", R"(a\line b\par)", "a\nb\n"},
    {"backslash and line feed is a paragraph", "a\\\nb\\\r\nc", "a\nb\nc\n"},
    {"quote and star end a word", R"(\b\'e9{\*\foo x}y)", "éy\n"},
    // Word's math properties have capitals in their words and come without \*.
    {"capitals belong to the control word", R"(\ansi\fooBar Hello \bX y)", "Hello y\n"},
    {"a \\u fallback counts a word with capitals as one", R"(\u8364\fooBar x)", "\u20acx\n"},
    {"Word's math properties are no text",
     R"({\mmathPr\mmathFont34\mbrkBin0\mbrkBinSub0\msmallFrac0\mdispDef1\mlMargin0\mrMargin0)"
     R"(\mdefJc1\mwrapIndent1440\mintLim0\mnaryLim1}{\mmathPr Cambria Math}Titre)",
     "Titre\n"},
    {"skipped destinations",
     R"({\info{\title T}}{\header H}{\footer F}{\footnote N}{\stylesheet{S;}}a)", "a\n"},
    {"unknown starred destination", R"({\*\unknown {\nested \} x}}a)", "a\n"},
    {"a skipped destination holds escaped braces and bin data", "{\\*\\x \\} \\{ {y}\\bin2 }}}a",
     "a\n"},
    {"field result shown, instruction not", R"({\field{\*\fldinst HYPERLINK "x"}{\fldrslt lien}})",
     "lien\n"},
    {"object result kept", R"({\object\objemb{\*\objdata 0102}{\result R}})", "R\n"},
    {"list text once, not the numbering definition",
     R"({\pntext 1.\tab}{\*\pn\pnlvlbody{\pntxta .}}Un\par{\listtext 2.\tab}Deux\par)",
     "1.\tUn\n2.\tDeux\n"},
    {"a note's call is its number, the note is skipped",
     R"(a{\super\chftn{\*\footnote\chftn N}}b{\super\chftn}{\footnote\chftn M}{\v\chftn}\chftn)",
     "a1b24\n"},
    {"old numbering destination skipped", R"({\pn\pnlvlblt{\pntxtb \'b7}}a)", "a\n"},
    {"hidden text", R"(a{\v cach\'e9}b)", "ab\n"},
    {"unicode destination of upr", R"({\upr{\ansi x}{\*\ud{\u945?}}})", "α\n"},
    {"symbol font glyphs", R"({\fonttbl{\f0 Times;}{\f1\fcharset2 Symbol;}}{\f1 abp\'b7\u-3999?})",
     "αβπ•α\n"},
    {"section and page breaks end a paragraph once", R"(a\sect b\par\page c\par\sect)",
     "a\nb\nc\n"},
    {"table cells and rows",
     R"(\trowd\cellx1000\cellx2000\pard\intbl a\cell b\cell\row\trowd\cellx1000\cellx2000\pard\intbl c\cell d\cell\row\pard apr\'e8s\par)",
     "a\tb\nc\td\naprès\n"},
    {"text before a table", R"(titre\par\trowd\cellx1000\pard\intbl a\cell\row\pard\par)",
     "titre\na\n"},
    {"nested cells become tabs",
     R"(\trowd\cellx3000\pard\intbl a\nestcell b\nestcell{\*\nesttableprops\trowd\cellx10\nestrow}\cell\row)",
     "a\tb\t\n"},
    {"pictures give no text", R"(a{\pict\wmetafile8\picw100\pich100 0102}b)", "ab\n"},
    {"empty document", R"()", "\n"},
    // Long runs: what ends them or is dropped, at different places of the run.
    {"a long run ends at a brace",
     "abcdefghijklmnopqrstuvwxyz{ABCDEFGHIJKLMNOPQRSTUVWXYZ}0123456789",
     "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789\n"},
    {"a long run ends at a control word",
     "abcdefghijklmnopqrstuvw\\tab xyz0123456789ABCDEFGHIJK\\'e9",
     "abcdefghijklmnopqrstuvw\txyz0123456789ABCDEFGHIJKé\n"},
    {"tabs in a long run are text, line ends and DEL are not",
     "abcdefghijklmnopqrs\tuvw\r\nxyz0123456789\x7f"
     "ABCDEFGHIJKLMNOP\x01QR",
     "abcdefghijklmnopqrs\tuvwxyz0123456789ABCDEFGHIJKLMNOPQR\n"},
    {"8-bit bytes in a long run", "\\ansicpg1252 abcdefghijklmnopqrstuvwxyz\xe9\xe8 0123456789",
     "abcdefghijklmnopqrstuvwxyzéè 0123456789\n"},
    {"hidden 8-bit text", "a{\\v \xe9t\\'e9}b\\v0 \xe9", "abé\n"},
    {"control characters, separators and object marks are no text",
     "a\\'00\\'0d\\u7?\x7f\\u8233?\\u-4?\\u-560?\\u-559?b\\'0a", "ab\n"},
    // Skipped destinations are read for their braces and \bin data only.
    {"bin data in a skipped destination may hold braces", "{\\*\\x \\bin5 }{\\\\{ y}a", "a\n"},
    {"a hex escape in a skipped destination is no brace", "{\\*\\x \\'7b\\'7d}a", "a\n"},
    {"long words in a skipped destination",
     "{\\*\\x \\abcdefghijklmnopqrstuvwxyzabcdefghijklmnop{\\bin1 }}}a\\bin2 {}b", "ab\n"},
    {"a word longer than any keyword is unknown", "\\colorschememappingx\\parx\\pa a", "a\n"},
    {"a backslash ends the file in a skipped destination", "a{\\*\\x \\", "a\n"},
    // Text taken straight to the document and text decoded with what surrounds it.
    {"ASCII text between double-byte characters",
     "{\\fonttbl{\\f0\\fcharset128 MS;}}\\f0 ab\\'82\\'a0cd\x82\xa0~ef", "abあcdあ~ef\n"},
    {"text after half a surrogate pair", R"(\u-10179 abc\u-10179?\'e9)",
     "\xEF\xBF\xBD"
     "bc\xEF\xBF\xBD"
     "é\n"},
};

} // namespace

class ReaderText : public ::testing::TestWithParam<TextCase> {};

TEST_P(ReaderText, GivesTheWordProcessorsText) {
    const TextCase &c = GetParam();
    const QByteArray rtf = QByteArray("{\\rtf1") + c.rtf + "}";
    EXPECT_EQ(textOf(rtf).toStdString(), std::string(c.text)) << c.rtf;
}

INSTANTIATE_TEST_SUITE_P(Cases, ReaderText, ::testing::ValuesIn(TextCases), [](const auto &info) {
    std::string n = info.param.name;
    for (char &ch : n)
        if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
    return n;
});

// The reader takes runs of text, control words and picture digits sixteen bytes at a time
// where it can: each case must read the same wherever it lies against those blocks, and
// however many bytes follow it.
TEST(Reader, CasesReadTheSameAtAnyPlaceInTheFile) {
    const QByteArray tail = "{\\*\\pad " + QByteArray(48, 'x') + "}";
    for (const TextCase &c : TextCases) {
        const QString expected = describeDocument(*read(QByteArray("{\\rtf1") + c.rtf + "}"));
        for (int shift = 0; shift <= 16; ++shift)
            for (const QByteArray &after : {QByteArray(), tail}) {
                const QByteArray rtf =
                    "{\\rtf1{\\*\\pad " + QByteArray(shift, 'a') + "}" + c.rtf + after + "}";
                const auto d = read(rtf);
                EXPECT_EQ(richtext::plainText(*d).toStdString(), std::string(c.text))
                    << c.name << ", shifted by " << shift;
                EXPECT_EQ(describeDocument(*d), expected) << c.name << ", shifted by " << shift;
            }
    }
}

TEST(Reader, ControlWordsAreFoundByTheirWholeName) {
    using richtext::Kw;
    const struct {
        const char *name;
        Kw kw;
    } cases[] = {
        {"b", Kw::B},
        {"bin", Kw::Bin},
        {"par", Kw::Par},
        {"pard", Kw::Pard},
        {"pa", Kw::Unknown},
        {"parx", Kw::Unknown},
        {"uldashd", Kw::UlDashDot},
        {"uldashdd", Kw::UlDashDotDot},
        {"uldashddd", Kw::Unknown},
        {"picwgoal", Kw::PicWGoal},
        {"listoverridetable", Kw::SkippedDestination},
        {"listoverridetablf", Kw::Unknown},
        {"colorschememapping", Kw::SkippedDestination},
        {"colorschememappinh", Kw::Unknown},
        {"colorschememappingcolorschememapping", Kw::Unknown},
        {"", Kw::Unknown},
    };
    for (const auto &c : cases)
        EXPECT_EQ(richtext::lookupKeyword(std::string_view(c.name)), c.kw) << c.name;
}

TEST(Reader, PictureDigitsReadTheSameHoweverTheyAreLaidOut) {
    ensureApplication<QGuiApplication>();
    QImage image(5, 3, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(40 * x, 80 * y, 200));
    const QByteArray png = pngBytes(image);
    const QByteArray hex = png.toHex();
    // The digits cut into lines of n, in upper case, or apart by other bytes.
    const auto lines = [&](qsizetype n, const QByteArray &between) {
        QByteArray out;
        for (qsizetype i = 0; i < hex.size(); i += n)
            out += hex.mid(i, n) + between;
        return out;
    };
    const QByteArray layouts[] = {
        hex,
        hex.toUpper(),
        lines(1, " "),
        lines(7, "\r\n"),
        lines(16, "\n"),
        lines(31, "\tzz"),
        lines(128, "\r\n"),
        hex.left(33) + "{\\*\\x 0f}" + hex.mid(33, 40) + "\\picscalex100 " + hex.mid(73),
    };
    for (const QByteArray &layout : layouts)
        for (int shift = 0; shift <= 16; ++shift) {
            const auto d = read("{\\rtf1 " + QByteArray(shift, 'a') +
                                "{\\pict\\pngblip\\picwgoal75\\pichgoal45 " + layout + "}b}");
            int images = 0;
            for (auto it = d->begin().begin(); !it.atEnd(); ++it) {
                const QTextCharFormat f = it.fragment().charFormat();
                if (!f.isImageFormat()) continue;
                ++images;
                EXPECT_EQ(f.property(QTextFormat::UserProperty + 0x5254).toByteArray(), png)
                    << layout.left(40).constData() << ", shifted by " << shift;
                const QImage read = qvariant_cast<QImage>(
                    d->resource(QTextDocument::ImageResource, QUrl(f.toImageFormat().name())));
                EXPECT_EQ(read.convertToFormat(QImage::Format_RGB32), image);
            }
            EXPECT_EQ(images, 1) << layout.left(40).constData();
        }
}

TEST(Reader, CharacterFormatsAreScopedByGroups) {
    const auto d = read(
        R"({\rtf1{\fonttbl{\f0 Times;}{\f1 Arial;}}{\colortbl;\red255\green0\blue0;\red0\green0\blue255;}
\f0\fs24 {\b B{\i I}}{\ul U\ulnone N}{\uldash D}{\strike S}{\super P}{\sub Q}{\up6 R}
{\caps C}{\scaps K}{\f1\fs40 F}{\cf1 X}{\highlight2 H}{\cb1 G}{\chcbpat2 J}{\b\i\plain L}})");
    struct Expect {
        char c;
        std::function<bool(const QTextCharFormat &)> holds;
    };
    const Expect cases[] = {
        {'B', [](auto &f) { return f.fontWeight() == QFont::Bold && !f.fontItalic(); }},
        {'I', [](auto &f) { return f.fontWeight() == QFont::Bold && f.fontItalic(); }},
        {'U', [](auto &f) { return f.underlineStyle() == QTextCharFormat::SingleUnderline; }},
        {'N', [](auto &f) { return f.underlineStyle() == QTextCharFormat::NoUnderline; }},
        {'D', [](auto &f) { return f.underlineStyle() == QTextCharFormat::DashUnderline; }},
        {'S', [](auto &f) { return f.fontStrikeOut(); }},
        {'P', [](auto &f) { return f.verticalAlignment() == QTextCharFormat::AlignSuperScript; }},
        {'Q', [](auto &f) { return f.verticalAlignment() == QTextCharFormat::AlignSubScript; }},
        {'R', [](auto &f) { return f.verticalAlignment() == QTextCharFormat::AlignSuperScript; }},
        {'C', [](auto &f) { return f.fontCapitalization() == QFont::AllUppercase; }},
        {'K', [](auto &f) { return f.fontCapitalization() == QFont::SmallCaps; }},
        {'F',
         [](auto &f) {
             return f.fontPointSize() == 20 &&
                    f.fontFamilies().toStringList() == QStringList{"Arial"};
         }},
        {'X', [](auto &f) { return f.foreground().color() == QColor(255, 0, 0); }},
        {'H', [](auto &f) { return f.background().color() == QColor(0, 0, 255); }},
        {'G', [](auto &f) { return f.background().color() == QColor(255, 0, 0); }},
        {'J', [](auto &f) { return f.background().color() == QColor(0, 0, 255); }},
        {'L',
         [](auto &f) {
             return f.fontWeight() != QFont::Bold && !f.fontItalic() && f.fontPointSize() == 12 &&
                    f.fontFamilies().toStringList() == QStringList{"Times"};
         }},
    };
    for (const Expect &e : cases)
        EXPECT_TRUE(e.holds(formatOf(*d, QChar(e.c)))) << e.c;
    // Symbol glyphs read as Unicode characters are drawn in the default font, which has them.
    const auto symbol =
        read(R"({\rtf1\deff0{\fonttbl{\f0 Times;}{\f1\fcharset2 Symbol;}}{\f1 a}})");
    EXPECT_EQ(formatOf(*symbol, QChar(0x3B1)).fontFamilies().toStringList(), QStringList{"Times"});
    EXPECT_FALSE(formatOf(*d, 'B').hasProperty(QTextFormat::ForegroundBrush));
}

TEST(Reader, ParagraphFormatsInPixelsAtFifteenTwips) {
    const auto d = read(R"({\rtf1\pard\qc\li300\ri150\fi-150\sb60\sa120\sl360\slmult1 a\par
\pard\qj\sl-300\slmult0 b\par\pard\qr\sl300 c\par\pard d\par
\pard\li720\fi-360\tqr\tx1440 e\par})");
    QTextBlock b = d->begin();
    QTextBlockFormat f = b.blockFormat();
    EXPECT_EQ(f.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_DOUBLE_EQ(f.leftMargin(), 20);
    EXPECT_DOUBLE_EQ(f.rightMargin(), 10);
    EXPECT_DOUBLE_EQ(f.textIndent(), -10);
    EXPECT_DOUBLE_EQ(f.topMargin(), 4);
    EXPECT_DOUBLE_EQ(f.bottomMargin(), 8);
    EXPECT_EQ(f.lineHeightType(), QTextBlockFormat::ProportionalHeight);
    EXPECT_DOUBLE_EQ(f.lineHeight(), 150);
    f = (b = b.next()).blockFormat();
    EXPECT_EQ(f.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignJustify);
    EXPECT_EQ(f.lineHeightType(), QTextBlockFormat::FixedHeight);
    EXPECT_DOUBLE_EQ(f.lineHeight(), 20);
    f = (b = b.next()).blockFormat();
    EXPECT_EQ(f.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_EQ(f.lineHeightType(), QTextBlockFormat::MinimumHeight);
    f = (b = b.next()).blockFormat();
    EXPECT_EQ(f.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    EXPECT_FALSE(f.hasProperty(QTextFormat::BlockLeftMargin));
    // Qt measures tab stops from the start of the first line; a hanging indent adds one.
    f = (b = b.next()).blockFormat();
    const QList<QTextOption::Tab> tabs = f.tabPositions();
    ASSERT_EQ(tabs.size(), 2);
    EXPECT_DOUBLE_EQ(tabs[0].position, 24);
    EXPECT_DOUBLE_EQ(tabs[1].position, 72);
    EXPECT_EQ(tabs[1].type, QTextOption::RightTab);
}

TEST(Reader, TablesAreQTextTables) {
    const auto d = read(R"({\rtf1{\colortbl;\red0\green255\blue0;}Avant\par
\trowd\trgaph75\clbrdrt\brdrs\brdrw15\clcbpat1\clvmgf\cellx1500\cellx4500
\pard\intbl a1\par a2\cell b\cell\row
\trowd\clvmrg\cellx1500\cellx4500\cellx6000\pard\intbl\cell c\cell d\cell\row
\pard Apr\'e8s\par})");
    QTextTable *table = nullptr;
    for (auto it = d->rootFrame()->begin(); !it.atEnd(); ++it)
        if (!table) table = qobject_cast<QTextTable *>(it.currentFrame());
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rows(), 2);
    EXPECT_EQ(table->columns(), 3);
    EXPECT_EQ(table->cellAt(0, 0).rowSpan(), 2);
    EXPECT_EQ(table->cellAt(0, 0).format().background().color(), QColor(0, 255, 0));
    const QTextTableFormat f = table->format();
    ASSERT_EQ(f.columnWidthConstraints().size(), 3);
    EXPECT_DOUBLE_EQ(f.columnWidthConstraints()[0].rawValue(), 100);
    EXPECT_DOUBLE_EQ(f.columnWidthConstraints()[1].rawValue(), 200);
    EXPECT_DOUBLE_EQ(f.cellPadding(), 5);
    EXPECT_DOUBLE_EQ(f.border(), 1);
    EXPECT_EQ(richtext::plainText(*d).toStdString(), "Avant\na1 a2\tb\t\n\tc\td\nAprès\n");
}

// Word's usual table border of half a point (10 twips), and thinner ones, show as a line of one
// pixel, not as a fraction of a pixel that the screen and the printout leave out.
TEST(Reader, ThinTableBordersShowAsOnePixelAtLeast) {
    const struct {
        const char *width;
        double pixels;
    } cases[] = {{"\\brdrw1", 1}, {"\\brdrw10", 1}, {"", 1}, {"\\brdrw45", 3}};
    for (const auto &c : cases) {
        const auto d = read(QByteArray(R"({\rtf1\trowd\clbrdrt\brdrs)") + c.width +
                            R"(\cellx1500\pard\intbl a\cell\row})");
        QTextTable *table = nullptr;
        for (auto it = d->rootFrame()->begin(); !it.atEnd(); ++it)
            if (!table) table = qobject_cast<QTextTable *>(it.currentFrame());
        ASSERT_NE(table, nullptr) << c.width;
        EXPECT_DOUBLE_EQ(table->format().border(), c.pixels) << c.width;
    }
}

// A pupil who replaces the "?" of a cell writes in the cell's font, not in the document's
// default: the cell's paragraph keeps the format of its mark, as a paragraph does.
TEST(Reader, TextTypedIntoAnEmptiedCellTakesTheCellsFormat) {
    const auto d = read(R"({\rtf1{\fonttbl{\f0 Arial;}{\f1 Times New Roman;}}\f1\fs28
\trowd\cellx1500\cellx3000\pard\intbl OA\cell ?\cell\row\pard Fin\par})");
    QTextTable *table = nullptr;
    for (auto it = d->rootFrame()->begin(); !it.atEnd(); ++it)
        if (!table) table = qobject_cast<QTextTable *>(it.currentFrame());
    ASSERT_NE(table, nullptr);
    QTextCursor cursor = table->cellAt(0, 1).lastCursorPosition();
    cursor.deletePreviousChar();
    cursor.insertText(QStringLiteral("30 cm"));
    const QTextCharFormat typed = cursor.charFormat();
    EXPECT_EQ(typed.fontFamilies().toStringList(), QStringList{"Times New Roman"});
    EXPECT_DOUBLE_EQ(typed.fontPointSize(), 14);
}

TEST(Reader, PicturesShowAtTheirGoalSizeAndNeverAsText) {
    ensureApplication<QGuiApplication>();
    QImage red(4, 2, QImage::Format_RGB32);
    red.fill(Qt::red);
    const QByteArray png = pngBytes(red);
    const QByteArray hex = png.toHex();
    struct Case {
        QByteArray rtf;
        int images;
        double width, height;
    };
    const Case cases[] = {
        {"{\\pict\\pngblip\\picw4\\pich2\\picwgoal600\\pichgoal300 " + hex + "}", 1, 40, 20},
        {"{\\pict\\pngblip\\picwgoal600\\pichgoal300\\picscalex50\\picscaley200 " + hex + "}", 1,
         20, 40},
        {"{\\pict\\pngblip\\bin" + QByteArray::number(png.size()) + " " + png + "}", 1, 4, 2},
        {"{\\*\\shppict{\\pict\\pngblip " + hex + "}}{\\nonshppict{\\pict\\wmetafile8 0102}}", 1, 4,
         2},
        {"{\\pict\\wmetafile8\\picw2540\\pich1270 0102}", 1, 96, 48},
        {"{\\pict\\emfblip\\picwgoal1500\\pichgoal750 0102}", 1, 100, 50},
        {"{\\pict\\pngblip\\picwgoal300\\pichgoal300 00ff}", 1, 20, 20},
        // Digits apart: after a space, a line end, other bytes, a control word, a group.
        {"{\\pict\\pngblip " + hex.left(1) + " " + hex.mid(1, 6) + "\r\n" + hex.mid(7, 6) + "zz" +
             hex.mid(13, 1) + "\\picscalex100 " + hex.mid(14, 9) + "{}" + hex.mid(23) + "}",
         1, 4, 2},
    };
    for (const Case &c : cases) {
        const auto d = read("{\\rtf1 a" + c.rtf + "b}");
        int images = 0;
        for (auto it = d->begin().begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            if (!f.isImageFormat()) continue;
            ++images;
            EXPECT_DOUBLE_EQ(f.toImageFormat().width(), c.width) << c.rtf.left(60).constData();
            EXPECT_DOUBLE_EQ(f.toImageFormat().height(), c.height);
            const QVariant v =
                d->resource(QTextDocument::ImageResource, QUrl(f.toImageFormat().name()));
            EXPECT_FALSE(qvariant_cast<QImage>(v).isNull());
        }
        EXPECT_EQ(images, c.images) << c.rtf.left(60).constData();
        EXPECT_EQ(richtext::plainText(*d), "ab\n");
    }
}

// Large pictures decode apart from the reading; whatever their bytes, they must come out as a
// small picture would: the image itself, or an empty frame when the bytes are broken.
TEST(Reader, LargePicturesReadAsSmallOnes) {
    ensureApplication<QGuiApplication>();
    QImage noise(200, 100, QImage::Format_RGB32); // noise: its PNG is as large as its pixels
    std::minstd_rand random(7);
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x)
            noise.setPixel(x, y, QRgb(random()) | 0xFF000000u);
    const QByteArray png = pngBytes(noise);
    ASSERT_GT(png.size(), 40 * 1024); // large enough to decode on a thread
    const QByteArray hex = png.toHex();
    const QByteArray pict = "{\\pict\\pngblip\\picwgoal1500\\pichgoal750 " + hex + "}";
    QByteArray broken = hex;
    broken.replace(hex.size() / 2, 8, "00ff00ff");
    struct Case {
        const char *name;
        QByteArray rtf;
        int images, decoded; // pictures shown, of which the image itself
    };
    const Case cases[] = {
        {"one", pict, 1, 1},
        {"six, more than decode at once", pict.repeated(6), 6, 6},
        {"in a table", "\\trowd\\cellx3000\\pard\\intbl " + pict + "\\cell\\row\\pard ", 1, 1},
        {"hidden", "{\\v " + pict + "}", 0, 0},
        {"without sizes, which come from the pixels", "{\\pict\\pngblip " + hex + "}", 1, 1},
        {"cut short",
         "{\\pict\\pngblip\\picwgoal1500\\pichgoal750 " + hex.left(hex.size() / 2) + "}", 1, 0},
        {"broken amid good ones",
         pict + "{\\pict\\pngblip\\picwgoal1500\\pichgoal750 " + broken + "}" + pict, 3, 2},
    };
    for (const Case &c : cases) {
        const auto d = read("{\\rtf1 a" + c.rtf + "b}");
        int images = 0, decoded = 0;
        for (QTextBlock b = d->begin(); b.isValid(); b = b.next())
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                const QTextCharFormat f = it.fragment().charFormat();
                if (!f.isImageFormat()) continue;
                ++images;
                const QImage image = qvariant_cast<QImage>(
                    d->resource(QTextDocument::ImageResource, QUrl(f.toImageFormat().name())));
                ASSERT_FALSE(image.isNull()) << c.name;
                if (image.size() == noise.size()) {
                    EXPECT_EQ(image.convertToFormat(QImage::Format_RGB32), noise) << c.name;
                    EXPECT_EQ(f.property(QTextFormat::UserProperty + 0x5254).toByteArray(), png);
                    ++decoded;
                } else {
                    EXPECT_FALSE(f.hasProperty(QTextFormat::UserProperty + 0x5254)) << c.name;
                }
            }
        EXPECT_EQ(images, c.images) << c.name;
        EXPECT_EQ(decoded, c.decoded) << c.name;
        EXPECT_EQ(richtext::plainText(*d)
                      .remove(QChar::ObjectReplacementCharacter)
                      .simplified()
                      .remove(' '),
                  "ab")
            << c.name;
    }
}

TEST(Reader, PlainTextFilesAndRefusedFiles) {
    ensureApplication<QGuiApplication>();
    struct Case {
        QByteArray bytes;
        const char *text; // nullptr: refused
    };
    const Case cases[] = {
        {"Bonjour\r\nà tous\n", "Bonjour\nà tous\n"},
        {"\xEF\xBB\xBFUTF-8 \xC3\xA9t\xC3\xA9", "UTF-8 été\n"},
        {"Windows-1252 \xE9t\xE9 \x80", "Windows-1252 été €\n"},
        {QByteArray("\xFF\xFEZ\0\xE9\0", 6), "Zé\n"},
        // Surrogates out of pairs read as U+FFFD, as in RTF, so that the text writes and reads.
        {QByteArray("\xFF\xFE"
                    "a\0\x5E\xDD"
                    "b\0\x3D\xD8\x00\xDE\x3D\xD8",
                    14),
         "a\uFFFDb\U0001F600\uFFFD\n"},
        {"", "\n"},
        {"  \n{\\rtf1 RTF}", "RTF\n"},
        {QByteArray("PK\x03\x04\0\0binaire", 13), nullptr},
        {"\x7F"
         "ELF\x02\x01\x01",
         nullptr},
        {"texte\x01", nullptr},
    };
    for (const Case &c : cases) {
        auto result = richtext::readRtf(c.bytes);
        if (!c.text) {
            const auto *error = std::get_if<richtext::TextError>(&result);
            ASSERT_NE(error, nullptr) << c.bytes.toHex().constData();
            EXPECT_EQ(error->title, "Lecture impossible");
            continue;
        }
        ASSERT_TRUE(std::holds_alternative<std::unique_ptr<QTextDocument>>(result));
        EXPECT_EQ(richtext::plainText(*std::get<0>(result)).toStdString(), c.text);
    }
    auto missing = richtext::readRtfFile("/nonexistent/x.rtf");
    EXPECT_TRUE(std::holds_alternative<richtext::TextError>(missing));
}
