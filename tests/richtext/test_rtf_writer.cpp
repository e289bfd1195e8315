#include "DocumentDescription.h"

#include "richtext/PlainText.h"
#include "richtext/RichText.h"

#include <QImage>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QUrl>

#include <gtest/gtest.h>

#include <functional>

namespace {

std::unique_ptr<QTextDocument> read(const QByteArray &rtf) {
    auto result = richtext::readRtf(rtf);
    if (auto *error = std::get_if<richtext::TextError>(&result)) {
        ADD_FAILURE() << error->text.toStdString();
        return std::make_unique<QTextDocument>();
    }
    return std::move(std::get<std::unique_ptr<QTextDocument>>(result));
}

QTextCharFormat run(const char *family, double points) {
    QTextCharFormat f;
    f.setFontFamilies(QStringList{family});
    f.setFontPointSize(points);
    return f;
}

// A document with everything the writer carries, built as an editor would.
std::unique_ptr<QTextDocument> sampleDocument() {
    auto d = std::make_unique<QTextDocument>();
    QTextCursor c(d.get());
    QTextBlockFormat title;
    title.setAlignment(Qt::AlignHCenter);
    title.setBottomMargin(8);
    c.setBlockFormat(title);
    QTextCharFormat big = run("Arial", 16);
    big.setFontWeight(QFont::Bold);
    big.setForeground(QColor(128, 0, 0));
    c.insertText(QString::fromUtf8("Lentilles « minces » : œil, 5 € — α"), big);

    QTextBlockFormat body;
    body.setLeftMargin(20);
    body.setRightMargin(10);
    body.setTextIndent(-10);
    body.setTopMargin(4);
    body.setLineHeight(115, QTextBlockFormat::ProportionalHeight);
    body.setAlignment(Qt::AlignJustify);
    c.insertBlock(body);
    c.insertText("Normal ", run("Times New Roman", 12));
    QTextCharFormat f = run("Times New Roman", 12);
    f.setFontItalic(true);
    f.setFontUnderline(true);
    c.insertText("italique souligné", f);
    f = run("Times New Roman", 12);
    f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    c.insertText("2", f);
    f = run("Times New Roman", 12);
    f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    f.setFontStrikeOut(true);
    f.setBackground(QColor(255, 255, 0));
    c.insertText("i", f);
    f = run("Courier New", 10.5);
    f.setFontCapitalization(QFont::SmallCaps);
    f.setUnderlineStyle(QTextCharFormat::DotLine);
    c.insertText(QString::fromUtf8("\tcode{}\\ ligne") + QChar(0x2028) + "suite" + QChar(0xA0) +
                     QString::fromUtf8("😀 Ωmega"),
                 f);

    QTextBlockFormat exact;
    exact.setLineHeight(20, QTextBlockFormat::FixedHeight);
    exact.setAlignment(Qt::AlignRight);
    exact.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    c.insertBlock(exact, run("Arial", 12));
    c.insertBlock(QTextBlockFormat(), run("Arial", 20));

    QTextTableFormat tf;
    tf.setBorder(1);
    tf.setCellPadding(5);
    tf.setCellSpacing(0);
    tf.setColumnWidthConstraints({QTextLength(QTextLength::FixedLength, 100),
                                  QTextLength(QTextLength::FixedLength, 150),
                                  QTextLength(QTextLength::FixedLength, 50)});
    QTextTable *t = c.insertTable(3, 3, tf);
    for (int r = 0; r < 3; ++r)
        for (int col = 0; col < 3; ++col) {
            QTextCursor cc = t->cellAt(r, col).firstCursorPosition();
            cc.insertText(QStringLiteral("c%1%2").arg(r).arg(col), run("Arial", 11));
        }
    t->cellAt(0, 0).lastCursorPosition().insertBlock();
    t->cellAt(0, 0).lastCursorPosition().insertText("deux", run("Arial", 11));
    t->mergeCells(1, 0, 2, 1);
    t->mergeCells(0, 1, 1, 2);
    QTextTableCell shaded = t->cellAt(2, 2);
    QTextCharFormat sf = shaded.format();
    sf.setBackground(QColor(200, 220, 255));
    shaded.setFormat(sf);

    c.movePosition(QTextCursor::End);
    c.insertText("Image : ", run("Arial", 12));
    QImage image(30, 20, QImage::Format_RGB32);
    image.fill(QColor(10, 200, 30));
    d->addResource(QTextDocument::ImageResource, QUrl("mem:image"), image);
    QTextImageFormat img;
    img.setName("mem:image");
    img.setWidth(60);
    img.setHeight(40);
    c.insertImage(img);
    return d;
}

} // namespace

TEST(Writer, ReadingWhatWasWrittenGivesTheSameDocument) {
    ensureApplication<QGuiApplication>();
    const auto original = sampleDocument();
    const QByteArray rtf = richtext::writeRtf(*original);
    const auto first = read(rtf);
    const QString described = describeDocument(*first);
    // The document read back holds what was built (its lengths, formats and table).
    EXPECT_TRUE(described.contains("P a8 l20.00 r10.00 fi-10.00 sb4.00 sa0.00 lh1:115.00"))
        << described.toStdString();
    EXPECT_TRUE(described.contains("T 3x3 [1:100.00 1:150.00 1:50.00] border 1.00 pad 5.00"));
    EXPECT_TRUE(described.contains("C 1,0 span 2x1"));
    EXPECT_TRUE(described.contains("C 0,1 span 1x2"));
    EXPECT_TRUE(described.contains("C 2,2 span 1x1 #c8dcff"));
    EXPECT_TRUE(described.contains("{img 60.00x40.00}"));
    EXPECT_TRUE(described.contains("{Courier New,10.50,u3,caps3}"));
    EXPECT_TRUE(described.contains("lh2:20.00 pb1"));
    EXPECT_EQ(richtext::plainText(*first), richtext::plainText(*original));
    // And it is stable: written and read again, nothing changes.
    const QByteArray again = richtext::writeRtf(*first);
    EXPECT_EQ(describeDocument(*read(again)).toStdString(), described.toStdString());
    EXPECT_EQ(again, richtext::writeRtf(*read(again)));
}

TEST(Writer, SevenBitWithUnicodeAndFallbacks) {
    ensureApplication<QGuiApplication>();
    const QByteArray rtf = richtext::writeRtf(*sampleDocument());
    for (const char c : rtf)
        ASSERT_LT(static_cast<unsigned char>(c), 0x80);
    const struct {
        const char *piece;
    } expected[] = {{"\\u171\\'ab"},
                    {"\\u339\\'9c"},
                    {"\\u8364\\'80"},
                    {"\\u945?"},
                    {"\\u-10179?\\u-8704?"},
                    {"\\tab "},
                    {"code\\{\\}\\\\ "},
                    {"\\line "},
                    {"\\~"},
                    {"\\paperw11906\\paperh16838"},
                    {"{\\colortbl;\\red"},
                    {"\\pngblip"},
                    {"\\fcharset0 Arial;"},
                    {"\\pagebb"},
                    {"\\clvmgf"},
                    {"\\clmrg"}};
    for (const auto &e : expected)
        EXPECT_TRUE(rtf.contains(e.piece)) << e.piece;
}

TEST(Writer, FilesAreReplacedWholeOrNotAtAll) {
    ensureApplication<QGuiApplication>();
    QTemporaryDir dir;
    const QString path = dir.filePath(QString::fromUtf8("énoncé.rtf"));
    QTextDocument d;
    d.setPlainText("premier");
    ASSERT_FALSE(richtext::writeRtfFile(d, path).has_value());
    d.setPlainText("second");
    ASSERT_FALSE(richtext::writeRtfFile(d, path).has_value());
    auto back = richtext::readRtfFile(path);
    ASSERT_TRUE(std::holds_alternative<std::unique_ptr<QTextDocument>>(back));
    EXPECT_EQ(richtext::plainText(*std::get<0>(back)), "second\n");
    const auto error = richtext::writeRtfFile(d, dir.filePath("absent/x.rtf"));
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->title, "Enregistrement impossible");
}

// What an editor holds after HTML: headings sized relative to the default font, real lists.
TEST(Writer, HtmlHeadingsAndListsKeepTheirLook) {
    ensureApplication<QGuiApplication>();
    QTextDocument d;
    d.setDefaultFont(QFont("Arial", 10));
    d.setHtml("<h1>Titre</h1><ul><li>un</li></ul><ol><li>premier</li><li>second</li></ol>");
    const auto back = read(richtext::writeRtf(d));
    EXPECT_EQ(richtext::plainText(*back).toStdString(),
              "Titre\n\xE2\x80\xA2\tun\n1.\tpremier\n2.\tsecond\n");
    const QTextCharFormat title = back->begin().begin().fragment().charFormat();
    EXPECT_DOUBLE_EQ(title.fontPointSize(), 20);
    EXPECT_EQ(title.fontWeight(), QFont::Bold);
}

// Runs are written in their paragraph's order, each cut at its place among pictures, and a
// paragraph mark takes the format of the last run that is not a picture, or the paragraph's
// own when there is none.
TEST(Writer, RunsAndParagraphMarksInOrder) {
    ensureApplication<QGuiApplication>();
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    QTextImageFormat picture;
    picture.setName("mem:p");
    const struct {
        const char *name;
        std::function<void(QTextCursor &)> build;
        const char *written;
    } cases[] = {
        {"runs around a picture",
         [&](QTextCursor &c) {
             c.insertText("a{", run("Arial", 10));
             c.insertImage(picture);
             c.insertText("b\\", run("Arial", 12));
             c.insertImage(picture);
         },
         "\\pard\\plain\\f1\\fs24 {\\plain\\f1\\fs20 a\\{}{\\pict"},
        {"after the picture",
         [&](QTextCursor &c) {
             c.insertText("a", run("Arial", 10));
             c.insertImage(picture);
             c.insertText("b\\", run("Arial", 12));
         },
         "}{\\plain\\f1\\fs24 b\\\\}\\par"},
        {"a mark is never raised or lowered",
         [](QTextCursor &c) {
             QTextCharFormat f = run("Arial", 10);
             c.insertText("m", f);
             f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
             c.insertText("2", f);
         },
         "\\pard\\plain\\f1\\fs20 {\\plain\\f1\\fs20 m}{\\plain\\f1\\fs20\\super 2}\\par"},
        {"nor is an empty paragraph's",
         [](QTextCursor &c) {
             QTextCharFormat f = run("Arial", 10);
             f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
             c.setBlockCharFormat(f);
         },
         "\\pard\\plain\\f1\\fs20 \\par"},
        {"a picture alone", [&](QTextCursor &c) { c.insertImage(picture); },
         "\\pard\\plain\\f1\\fs40 {\\pict"},
        {"empty", [](QTextCursor &) {}, "\\pard\\plain\\f1\\fs40 \\par"},
        {"a long run of escapes",
         [](QTextCursor &c) { c.insertText(QString(3000, QChar(0x153)) + "}", run("Arial", 10)); },
         "\\u339\\'9c\\}}\\par"},
    };
    for (const auto &k : cases) {
        QTextDocument d;
        d.setDefaultFont(QFont("Times New Roman", 12));
        d.addResource(QTextDocument::ImageResource, QUrl("mem:p"), image);
        QTextCursor c(&d);
        c.setBlockCharFormat(run("Arial", 20));
        k.build(c);
        const QByteArray rtf = richtext::writeRtf(d);
        EXPECT_TRUE(rtf.contains(k.written)) << k.name << "\n" << rtf.left(600).toStdString();
        EXPECT_EQ(richtext::plainText(*read(rtf)), richtext::plainText(d)) << k.name;
        EXPECT_EQ(rtf.count("\\u339\\'9c"), d.toPlainText().count(QChar(0x153))) << k.name;
    }
}
