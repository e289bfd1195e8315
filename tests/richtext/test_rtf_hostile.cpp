#include "DocumentDescription.h"

#include "richtext/PlainText.h"
#include "richtext/RichText.h"

#include <QTextDocument>

#include <gtest/gtest.h>

#include <random>

namespace {

// Reads, and writes and reads again what was read: none of it may crash or hang.
QString survive(const QByteArray &bytes) {
    ensureApplication<QGuiApplication>();
    auto result = richtext::readRtf(bytes);
    if (std::holds_alternative<richtext::TextError>(result)) return QStringLiteral("<refused>");
    const QTextDocument &d = *std::get<0>(result);
    const QByteArray again = richtext::writeRtf(d);
    auto back = richtext::readRtf(again);
    EXPECT_TRUE(std::holds_alternative<std::unique_ptr<QTextDocument>>(back));
    return richtext::plainText(d);
}

const QByteArray Sample =
    R"({\rtf1\ansi\ansicpg1252\deff0{\fonttbl{\f0\fswiss\fcharset0 Arial;}{\f1\fcharset238 Arial CE;}}
{\colortbl;\red255\green0\blue0;}{\*\generator x;}{\info{\title t}}
\pard\qc\b\fs32 Titre\par
\pard\li720\fi-360\b0\fs24 Texte {\b gras} \cf1 rouge\cf0  \f1 \'f8\u8364\'80 {\field{\*\fldinst X}{\fldrslt r}}\line x\par
{\pntext\'b7\tab}{\*\pn\pnlvlblt{\pntxtb\'b7}}item\par
\trowd\trgaph108\clbrdrt\brdrs\brdrw10\clvmgf\cellx2000\clmgf\cellx4000\clmrg\cellx5000
\pard\intbl a\cell b\cell c\cell\row
\trowd\clvmrg\cellx2000\cellx4000\pard\intbl\cell d\cell\row
\pard {\*\shppict{\pict\pngblip\picwgoal300\pichgoal300 89504e470d0a1a0a}}{\nonshppict{\pict\wmetafile8 0102}}
{\pict\emfblip\picwgoal99999999\pichgoal5\bin4 abcd}\page fin\sect
})";

} // namespace

TEST(Hostile, DeepNestingUnbalancedBracesAndHugeNumbers) {
    const QByteArray deep =
        "{\\rtf1 " + QByteArray(100000, '{') + "\\b profond" + QByteArray(100000, '}') + " fin}";
    EXPECT_EQ(survive(deep), "profond fin\n");
    EXPECT_EQ(survive("{\\rtf1 " + QByteArray(200000, '{') + "x"), "x\n");
    EXPECT_EQ(survive("{\\rtf1 a}}}}}} b"), "a b\n");
    EXPECT_EQ(survive("{\\rtf1 {\\b a"), "a\n");
    const char *numbers[] = {
        "\\fs99999999999999999999 a",
        "\\li-99999999999999999999 a",
        "\\u99999999999 a",
        "\\u-99999999999 a",
        "\\uc99999999999\\u65 abc",
        "\\bin99999999999 a",
        "\\bin-5 a",
        "\\cf99999 a\\highlight-4 b",
        "\\trowd\\cellx-5\\cellx-9999999999\\pard\\intbl a\\cell\\row",
        "\\sl99999999999\\slmult1 a",
        "\\ansicpg99999 \\'e9",
        "{\\fonttbl{\\f-1\\fcharset99999 X;}}\\f-1 \\'e9",
    };
    for (const char *n : numbers)
        survive(QByteArray("{\\rtf1 ") + n + "}");
}

TEST(Hostile, ManyCellsAndPicturesStayBounded) {
    QByteArray cells = "{\\rtf1\\trowd\\cellx100\\pard\\intbl ";
    for (int i = 0; i < 2000; ++i)
        cells += "x\\cell ";
    for (int i = 0; i < 2000; ++i)
        cells += "\\row y\\cell ";
    survive(cells + "}");
    QByteArray pictures = "{\\rtf1 ";
    for (int i = 0; i < 1000; ++i)
        pictures += "{\\pict\\wmetafile8\\picwgoal" + QByteArray::number(150000 + i) +
                    "\\pichgoal150000 01}";
    survive(pictures + "}");
}

TEST(Hostile, EveryTruncationOfARichFile) {
    for (qsizetype n = 0; n <= Sample.size(); ++n)
        survive(Sample.left(n));
}

TEST(Hostile, SeededMutationsAndRandomBytes) {
    std::mt19937 random(20261208);
    const char alphabet[] = "{}\\'*;0123456789abcdefuxpicntlrw -\n\xe9";
    for (int round = 0; round < 1500; ++round) {
        QByteArray m = Sample;
        const int edits = 1 + int(random() % 8);
        for (int e = 0; e < edits; ++e) {
            const auto at = qsizetype(random() % std::uint32_t(m.size()));
            const char c = alphabet[random() % (sizeof alphabet - 1)];
            switch (random() % 3) {
            case 0:
                m[at] = c;
                break;
            case 1:
                m.insert(at, c);
                break;
            default:
                m.remove(at, 1 + qsizetype(random() % 20));
                break;
            }
        }
        survive(m);
    }
    for (int round = 0; round < 300; ++round) {
        QByteArray bytes(qsizetype(random() % 2000), '\0');
        for (char &c : bytes)
            c = char(random());
        if (round % 2) bytes.prepend("{\\rtf1");
        survive(bytes);
    }
}
