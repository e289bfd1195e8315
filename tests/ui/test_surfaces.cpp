#include "app/CliRender.h"
#include "bench/BenchControls.h"
#include "bench/FieldBounds.h"
#include "bench/figure/BeamFill.h"
#include "bench/figure/FigureUpdate.h"
#include "ui/ImageSurface.h"
#include "ui/SvgSurface.h"

#include "support/TestSupport.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

using namespace bench;

namespace {

class Surfaces : public ::testing::Test {
  protected:
    void SetUp() override { ensureApplication<QGuiApplication>(); }
};

BenchState benchWith(const std::function<void(BenchState &)> &edit) {
    BenchState s = BenchState::startup();
    edit(s);
    testpos(s);
    return s;
}

QImage draw(BenchState s, int width = 775, int height = 265) {
    ui::ImageSurface surface(width, height);
    majaff(s, surface);
    return surface.image();
}

// Pixel of the drawing point (x, y).
QRgb at(const QImage &image, int x, int y) {
    return image.pixel(x + 10, y - 4);
}

} // namespace

TEST_F(Surfaces, PictureMapsDrawingUnitsToPixels) {
    // Nothing but the axis, L1 (at 189, half-height 101) and the object.
    const QImage image = draw(benchWith([](BenchState &s) {
        for (int o = 0; o < OptionCount; ++o)
            setOption(s, o, false);
    }));
    ASSERT_EQ(image.size(), QSize(775, 265));
    const QRgb white = qRgb(255, 255, 255), black = qRgb(0, 0, 0), yellow = qRgb(255, 255, 0);
    // The axis row, from x = 0 to W - 20, both ends drawn.
    for (int x = 1; x <= 755; ++x) {
        ASSERT_EQ(at(image, x, 135), white) << x;
    }
    EXPECT_EQ(at(image, -1, 135), black);
    EXPECT_EQ(at(image, 756, 135), black);
    // The lens column from 135 - R to 136 + R.
    for (int y = 34; y <= 237; ++y)
        ASSERT_EQ(at(image, 189, y), white) << y;
    EXPECT_EQ(at(image, 189, 32), black);
    EXPECT_EQ(at(image, 189, 240), black);
    // The object stem at x = 0, over the axis, from B (97) down.
    EXPECT_EQ(at(image, 0, 100), yellow);
    EXPECT_EQ(at(image, 0, 135), yellow);
    // Background in the corners.
    EXPECT_EQ(image.pixel(0, 0), black);
    EXPECT_EQ(image.pixel(774, 264), black);

    const QImage onWhite = draw(benchWith([](BenchState &s) {
        for (int o = 0; o < OptionCount; ++o)
            setOption(s, o, false);
        setOption(s, WhiteBackground, true);
    }));
    EXPECT_EQ(onWhite.pixel(0, 0), white);
    EXPECT_EQ(at(onWhite, 300, 135), black);
    EXPECT_EQ(at(onWhite, 0, 100), qRgb(0, 128, 128));
}

TEST_F(Surfaces, BeamPixelsInBothBackgrounds) {
    for (bool white : {false, true}) {
        const QImage image = draw(benchWith([&](BenchState &s) {
            setOption(s, WhiteBackground, white);
            setOption(s, GraduateAxis, false);
            for (int o : {RayParallel1, RayThroughO1, RayThroughF1})
                setOption(s, o, false);
        }));
        // Inside the beam just left of L1, where it is about 200 units tall, and outside it.
        const QRgb inside = at(image, 187, 60);
        if (white) {
            EXPECT_EQ(inside, qRgb(200, 230, 250));
        } else {
            bool shade = false;
            for (int length = 190; length <= 205; ++length)
                shade = shade || inside == beamColour(length, 265, false);
            EXPECT_TRUE(shade) << std::hex << inside;
        }
        EXPECT_EQ(at(image, 100, 20), white ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    }
}

TEST_F(Surfaces, DirectLinesMatchThePainter) {
    // Solid horizontal and vertical lines are written straight into the pixels; they must set
    // exactly the pixels the painter sets, off the edges too.
    const int w = 60, h = 40;
    ui::ImageSurface surface(w, h);
    QImage reference(w, h, QImage::Format_RGB32);
    reference.fill(Qt::black);
    surface.clear(qRgb(0, 0, 0));
    QPainter p(&reference);
    p.translate(10, -4);
    QRandomGenerator random(7);
    for (int i = 0; i < 400; ++i) {
        const auto coordinate = [&](int low, int high) { return float(random.bounded(low, high)); };
        float x1 = coordinate(-30, 80), y1 = coordinate(-30, 70);
        float x2 = x1, y2 = y1;
        if (i % 2)
            x2 = coordinate(-30, 80);
        else
            y2 = coordinate(-30, 70);
        const QRgb colour = qRgb(random.bounded(256), random.bounded(256), random.bounded(256));
        QPen pen{QColor::fromRgb(colour)};
        pen.setCosmetic(true);
        p.setPen(pen);
        p.drawLine(QLineF(x1, y1, x2, y2));
        surface.line(x1, y1, x2, y2, colour, ui::DashStyle::Solid);
    }
    p.end();
    EXPECT_EQ(surface.image(), reference);
}

TEST_F(Surfaces, FarOffLinesAreClippedNotLost) {
    // A ray towards an image near infinity: its visible part is still drawn.
    ui::ImageSurface surface(100, 50);
    surface.clear(qRgb(0, 0, 0));
    surface.line(0, 30, 2e9f, 30 + 1e9f, qRgb(255, 0, 0), ui::DashStyle::Solid);
    surface.line(-2e9f, -2e9f, 2e9f, 2e9f, qRgb(0, 255, 0), ui::DashStyle::Dotted);
    const QImage image = surface.image();
    EXPECT_EQ(at(image, 0, 30), qRgb(255, 0, 0));
    EXPECT_EQ(at(image, 20, 40), qRgb(255, 0, 0));
    int green = 0;
    for (int x = 0; x < 100; ++x)
        green += image.pixel(x, x - 14 >= 0 && x - 14 < 50 ? x - 14 : 0) == qRgb(0, 255, 0);
    EXPECT_GT(green, 5);
}

TEST_F(Surfaces, ADottedLineAfterASolidOneOfTheSameColourStaysDotted) {
    const QRgb red = qRgb(255, 0, 0);
    auto drawPair = [red](ui::DrawingSurface &surface) {
        surface.clear(qRgb(255, 255, 255));
        surface.line(0, 10, 60, 40, red, ui::DashStyle::Solid);
        surface.line(0, 50, 90, 50, red, ui::DashStyle::Dotted);
    };
    ui::ImageSurface image(100, 60);
    drawPair(image);
    const QImage picture = image.image();
    int lit = 0;
    for (int x = 0; x <= 80; ++x)
        lit += at(picture, x, 50) == red;
    EXPECT_GT(lit, 20);
    EXPECT_LT(lit, 60);

    QBuffer out;
    out.open(QIODevice::WriteOnly);
    {
        ui::SvgSurface svg(&out, 100, 60, QStringLiteral("pointillés"));
        drawPair(svg);
        svg.endFigure();
    }
    EXPECT_TRUE(out.data().contains("stroke-dasharray"));
}

TEST_F(Surfaces, ExtremeBenchesDrawWithoutFault) {
    // Images near infinity give coordinates far beyond the picture; narrow and wide pictures
    // stretch the scale. Every one is drawn, and the axis is where it belongs.
    struct Row {
        const char *name;
        int width;
        std::function<void(BenchState &)> edit;
    };
    const auto everything = [](BenchState &s) {
        for (int o : {TwoLenses, RayThroughO2, RayThroughF2, RayParallel2, ShowOutsideRays})
            setOption(s, o, true);
    };
    const Row rows[] = {
        {"object in the focal plane", 775,
         [&](BenchState &s) {
             everything(s);
             setFieldText(s, ObjectPosition, "5,0");
         }},
        {"image of L1 in the focal plane of L2", 775,
         [&](BenchState &s) {
             everything(s);
             setFieldText(s, Lens2Position, "55,0");
         }},
        {"final image beyond the range of drawing coordinates", 775,
         [&](BenchState &s) {
             everything(s);
             for (int i = 0; i < 12; ++i)
                 axisLengthButton(s, 1); // 5000 cm
             setFieldText(s, Lens2Position, "3045,0");
             setFieldText(s, Lens2Focal, "3000,0");
         }},
        {"image of L1 on L2", 1900,
         [&](BenchState &s) {
             everything(s);
             setFieldText(s, Lens2Position, "45,0");
         }},
        {"object at infinity, widest angle", 775,
         [&](BenchState &s) {
             everything(s);
             setObjectAtInfinity(s, true);
             setApparentDiameter(s, 300);
             setOption(s, BeamFromB, true);
         }},
        {"longest axis, narrowest picture", 21,
         [&](BenchState &s) {
             everything(s);
             for (int i = 0; i < 12; ++i)
                 axisLengthButton(s, 1);
         }},
        {"widest picture", 20000, everything},
    };
    for (const Row &r : rows) {
        BenchState s = benchWith(r.edit);
        ui::ImageSurface surface(r.width, 265);
        EXPECT_TRUE(majaff(s, surface).drawn) << r.name;
        const QImage image = surface.image();
        const QRgb axis = image.pixel(10 + (r.width - 20) / 2, 131);
        EXPECT_NE(axis, qRgb(0, 0, 0)) << r.name;
    }
}

TEST_F(Surfaces, SvgHoldsTheSameFigure) {
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    {
        ui::SvgSurface surface(&out, 775, 265, QStringLiteral("Focalines"));
        BenchState s = BenchState::startup();
        EXPECT_TRUE(majaff(s, surface).drawn);
    }
    const QString svg = QString::fromUtf8(out.data());
    EXPECT_TRUE(svg.contains(QLatin1String("<svg")));
    EXPECT_TRUE(svg.contains(QLatin1String("viewBox=\"0 0 775 265\"")));
    EXPECT_TRUE(svg.contains(QString::fromUtf8("L'axe optique est gradué en cm.")) ||
                svg.contains(QString::fromUtf8("L&apos;axe optique est gradué en cm.")));
    // The beam before and after the lens: two shapes shaded along the light, which enlarge
    // without steps, not one stroke per unit (879 lines in all).
    EXPECT_EQ(svg.count(QLatin1String("fill=\"url(#gradient")), 2);
    EXPECT_LT(svg.count(QLatin1String("<polyline")), 150);
}

TEST_F(Surfaces, CliRenderWritesPngSvgOrPdfAndRefusesUnwritableFiles) {
    QTemporaryDir dir;
    BenchState s = BenchState::startup();
    const QString png = dir.filePath(QStringLiteral("figure.png"));
    ASSERT_EQ(cliRender(s, png, 775, 265), 0);
    const QImage image(png);
    EXPECT_EQ(image.size(), QSize(775, 265));
    EXPECT_EQ(image.convertToFormat(QImage::Format_RGB32), draw(BenchState::startup()));

    // Vector files: the kind comes from the extension, in any case.
    const struct {
        const char *name, *start, *size;
    } vectors[] = {
        {"figure.SVG", "<?xml", "viewBox=\"0 0 400 200\""},
        {"figure.pdf", "%PDF-", "/MediaBox [0 0 300.0"},
    };
    for (const auto &v : vectors) {
        const QString path = dir.filePath(QString::fromLatin1(v.name));
        ASSERT_EQ(cliRender(s, path, 400, 200), 0) << v.name;
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        EXPECT_TRUE(bytes.startsWith(v.start)) << v.name;
        EXPECT_TRUE(bytes.contains(v.size)) << v.name;
    }

    const QString nowhere = dir.filePath(QStringLiteral("missing/figure.png"));
    EXPECT_EQ(cliRender(s, nowhere, 775, 265), 1);
    EXPECT_FALSE(QFile::exists(nowhere));
}
