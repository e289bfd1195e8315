#include "bench/figure/FigureExport.h"
#include "bench/figure/FigureUpdate.h"
#include "printing/FigurePages.h"
#include "printing/PdfFile.h"
#include "tests/printing/PdfTools.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QPrinter>

#include <gtest/gtest.h>

using printing::figurePosition;

TEST(PageLayout, FigurePositionFollowsTheCentringOptions) {
    // A 16000 × 11000 twips printable area; the 775 × 265 figure is 11625 × 3975 twips.
    struct Row {
        int width, height;
        bool horizontal, vertical;
        float x, y;
    };
    const Row rows[] = {
        {775, 265, false, false, 1600, 550},
        {775, 265, true, false, 2187.5f, 550},
        {775, 265, false, true, 1600, 3512.5f},
        {775, 265, true, true, 2187.5f, 3512.5f},
        // Wider and taller than the page: cut on both sides.
        {1200, 800, true, true, -1000, -500},
        // Off-centre placement does not look at the figure's size.
        {1200, 800, false, false, 1600, 550},
    };
    for (const Row &r : rows) {
        const auto at = figurePosition(16000, 11000, r.width, r.height, r.horizontal, r.vertical);
        EXPECT_FLOAT_EQ(at.x, r.x) << r.width << ' ' << r.horizontal << r.vertical;
        EXPECT_FLOAT_EQ(at.y, r.y) << r.width << ' ' << r.horizontal << r.vertical;
    }
}

namespace {

constexpr QRgb Red = qRgb(255, 0, 0);
// A4 with 10 mm margins: the landscape printable area in points. The PDF places the printable
// area on whole points.
constexpr double MarginPt = 28;
constexpr double PrintableWidthPt = 277 / 25.4 * 72, PrintableHeightPt = 190 / 25.4 * 72;

class FigurePagesTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "test_figure_pages";
        static char *argv[] = {name, nullptr};
        if (!QGuiApplication::instance()) new QGuiApplication(argc, argv);
    }

    // Prints a plain red figure of that size into a PDF and returns its file name.
    QString print(QSize figureSize, const printing::PrintSettings &settings) {
        QImage figure(figureSize, QImage::Format_RGB32);
        figure.fill(Red);
        const QString path = dir.filePath(QStringLiteral("pages%1.pdf").arg(++count));
        QPdfWriter writer(path);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
        EXPECT_TRUE(printing::paintFigurePages(writer, figure, settings));
        return path;
    }

    QTemporaryDir dir;
    int count = 0;
};

} // namespace

TEST_F(FigurePagesTest, EveryCopyIsALandscapePageWithTitleAndTheOneFigure) {
    const QString pdf = print({775, 265}, {QStringLiteral("Élève : Léa"), 3, false, true});
    const QList<QSizeF> sizes = pdftools::pageSizes(pdf);
    ASSERT_EQ(sizes.size(), 3);
    const QStringList images = pdftools::imageObjects(pdf);
    ASSERT_EQ(images.size(), 3);
    for (int page = 1; page <= 3; ++page) {
        EXPECT_GT(sizes[page - 1].width(), sizes[page - 1].height()) << page;
        EXPECT_EQ(pdftools::pageText(pdf, page), QStringLiteral("Élève : Léa")) << page;
        EXPECT_TRUE(images[page - 1].startsWith(QString::number(page) + ':'));
        // The picture is stored once and every page refers to it.
        EXPECT_EQ(images[page - 1].section(':', 1), images[0].section(':', 1));
    }
}

TEST_F(FigurePagesTest, FigureLiesWhereTheCentringOptionsPutIt) {
    // At 72 dots per inch a pixel of the page is a point, 20 twips; a figure pixel is 15 twips.
    struct Row {
        QString title;
        bool horizontal, vertical;
        QSize figure;
    };
    const Row rows[] = {
        {printing::DefaultTitle, false, false, {400, 200}},
        {QString(), false, false, {400, 200}},
        {printing::DefaultTitle, true, true, {400, 200}},
        {printing::DefaultTitle, true, false, {400, 200}},
        {printing::DefaultTitle, false, true, {400, 200}},
    };
    for (const Row &r : rows) {
        const QString pdf = print(r.figure, {r.title, 1, r.horizontal, r.vertical});
        const QRect red = pdftools::boundsOf(pdftools::renderPage(pdf, 1), Red);
        const double w = r.figure.width() * 0.75, h = r.figure.height() * 0.75;
        const double x =
            MarginPt + (r.horizontal ? (PrintableWidthPt - w) / 2 : PrintableWidthPt / 10);
        const double y =
            MarginPt + (r.vertical ? (PrintableHeightPt - h) / 2 : PrintableHeightPt / 20);
        const std::string label =
            r.title.toStdString() + (r.horizontal ? " h" : "") + (r.vertical ? " v" : "");
        EXPECT_NEAR(red.left(), x, 1.5) << label;
        EXPECT_NEAR(red.top(), y, 1.5) << label;
        EXPECT_NEAR(red.width(), w, 1.5) << label;
        EXPECT_NEAR(red.height(), h, 1.5) << label;
        EXPECT_EQ(pdftools::pageText(pdf, 1), r.title) << label;
    }
}

// The figure is drawn again on the page at the printer's resolution, as shapes and texts, at its
// natural size: 775 × 265 units of 15 twips, 2422 × 828 pixels at 300 dots per inch.
TEST_F(FigurePagesTest, TheFigureIsDrawnAtThePrintersResolution) {
    bench::BenchState bench = bench::BenchState::startup();
    const QImage picture = bench::figurePicture(bench, 775, 265);
    const printing::PrintedFigure figure(picture, [&bench](ui::DrawingSurface &surface) {
        return bench::majaff(bench, surface).drawn;
    });
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setResolution(600);
    const QString pdf = dir.filePath(QStringLiteral("vectors.pdf"));
    printer.setOutputFileName(pdf);
    printer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    ASSERT_TRUE(printing::paintFigurePages(printer, figure, {QString(), 1, true, true}));
    EXPECT_TRUE(pdftools::imageObjects(pdf).isEmpty()) << "no picture stretched over the page";
    EXPECT_TRUE(pdftools::pageText(pdf, 1).contains(QString::fromUtf8("optique est gradué")));
    const QRect black = pdftools::boundsOf(pdftools::renderPage(pdf, 1, 300), qRgb(0, 0, 0));
    EXPECT_NEAR(black.width(), 775 * 300 / 96.0, 3);
    EXPECT_NEAR(black.height(), 265 * 300 / 96.0, 3);
}

// A title wider than the page wraps at word ends within the printable width, in three lines at
// most and never under the figure but for the first, the last cut with "…".
TEST_F(FigurePagesTest, ALongTitleWrapsWithinThePage) {
    QString words;
    while (words.size() < 415)
        words += QStringLiteral("Focalines trace l'image ");
    struct Row {
        QString title;
        bool centred; // vertically: room for three lines above the figure
        int lines;
    };
    const Row rows[] = {
        {words, true, 3},
        {words, false, 2},
        {QString(400, QLatin1Char('x')), true, 3}, // one word: cut anywhere
        {QStringLiteral("Aldoria - Focalines"), true, 1},
    };
    for (const Row &r : rows) {
        const QString pdf = print({775, 265}, {r.title, 1, false, r.centred});
        const QStringList lines = pdftools::pageText(pdf, 1).split(QLatin1Char('\n'));
        ASSERT_EQ(lines.size(), r.lines) << r.title.size() << r.centred;
        EXPECT_EQ(lines.last().endsWith(QChar(0x2026)), r.lines > 1) << r.title.size();
        if (r.lines == 1) {
            EXPECT_EQ(lines.first(), r.title);
        }
        const QRect title = pdftools::boundsOf(pdftools::renderPage(pdf, 1), qRgb(0, 0, 0));
        EXPECT_GE(title.left(), MarginPt - 1);
        EXPECT_LE(title.right(), MarginPt + PrintableWidthPt + 1) << r.title.size();
    }
}

TEST_F(FigurePagesTest, ThePrintersOrientationIsGivenBack) {
    for (const auto orientation : {QPageLayout::Portrait, QPageLayout::Landscape}) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString pdf = dir.filePath(QStringLiteral("printer%1.pdf").arg(++count));
        printer.setOutputFileName(pdf);
        printer.setPageOrientation(orientation);
        QImage figure(100, 50, QImage::Format_RGB32);
        figure.fill(Red);
        ASSERT_TRUE(printing::paintFigurePages(printer, figure, {"T", 2, false, true}));
        EXPECT_EQ(printer.pageLayout().orientation(), orientation);
        EXPECT_GT(pdftools::pageSizes(pdf).value(1).width(),
                  pdftools::pageSizes(pdf).value(1).height());
    }
}

TEST_F(FigurePagesTest, CopiesShareTheirPageContentsInTheWrittenFile) {
    QImage figure(775, 265, QImage::Format_RGB32);
    figure.fill(Red);
    const QPageLayout a4(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                         QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    // Titles that look like the file's own syntax stay text.
    const QString titles[] = {QStringLiteral("Aldoria - Focalines"),
                              QStringLiteral("1 0 R stream << /Annots [ ] >> endobj (x"),
                              QString()};
    for (const QString &title : titles) {
        qint64 sizes[2] = {};
        for (int copies : {1, 40}) {
            const QString pdf = dir.filePath(QStringLiteral("shared%1.pdf").arg(++count));
            ASSERT_TRUE(printing::writePdfFile(pdf, a4, title, [&](QPagedPaintDevice &d) {
                return printing::paintFigurePages(d, figure, {title, copies, false, true});
            }));
            sizes[copies == 40] = QFileInfo(pdf).size();
            ASSERT_EQ(pdftools::pageSizes(pdf).size(), copies) << title.toStdString();
            for (int page : {1, copies}) {
                EXPECT_EQ(pdftools::pageText(pdf, page), title) << page;
                EXPECT_NEAR(pdftools::boundsOf(pdftools::renderPage(pdf, page), Red).width(),
                            775 * 0.75, 1.5)
                    << page;
            }
        }
        // Each further copy costs its page object, no content or resources of its own.
        EXPECT_LT((sizes[1] - sizes[0]) / 39, 200) << title.toStdString();
    }
}

TEST(SharedObjects, WhatIsNotAPdfOfTheExpectedLayoutComesBackUnchanged) {
    const QByteArray cases[] = {
        QByteArray(),
        QByteArray("%PDF-1.4\n"),
        QByteArray("%PDF-1.4\n1 0 obj\n<< >>\nendobj\nstartxref\n999999\n%%EOF\n"),
        QByteArray("%PDF-1.4\n1 0 obj\n[ ]\nendobj\n2 0 obj\n[ ]\nendobj\nxref\n0 3\n"
                   "0000000000 65535 f \n0000000009 00000 n \n0000000099 00000 n \n"
                   "trailer\n<< /Size 3 >>\nstartxref\n44\n%%EOF\n"),
        QByteArray(4096, '\xff'),
    };
    for (const QByteArray &c : cases) EXPECT_EQ(printing::shareIdenticalObjects(c), c);
}
