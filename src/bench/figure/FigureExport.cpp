#include "bench/figure/FigureExport.h"

#include "bench/figure/FigurePrimitives.h"
#include "bench/figure/FigureUpdate.h"
#include "ui/ImageSurface.h"
#include "ui/PdfSurface.h"
#include "ui/SvgSurface.h"

#include <QBuffer>

namespace bench {

namespace {

// Where the figure update draws nothing (the object at L1), the picture stays blank.
QRgb figureBackground(const BenchState &state) {
    return FigurePalette::forBackground(state.options[WhiteBackground]).background;
}

template <typename Surface>
QByteArray vectorFigure(BenchState &state, int width, int height) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        Surface surface(&buffer, width, height, QStringLiteral("Focalines"));
        surface.clear(figureBackground(state));
        majaff(state, surface);
    }
    return buffer.data();
}

} // namespace

FigureFormat figureFormatFor(const QString &fileName) {
    if (fileName.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) return FigureFormat::Svg;
    if (fileName.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) return FigureFormat::Pdf;
    return FigureFormat::Png;
}

QImage figurePicture(BenchState &state, int width, int height, qreal pixelRatio) {
    ui::ImageSurface surface(width, height, pixelRatio);
    surface.clear(figureBackground(state));
    majaff(state, surface);
    return surface.image();
}

QByteArray figureFileBytes(BenchState &state, FigureFormat format, int width, int height) {
    switch (format) {
    case FigureFormat::Svg:
        return vectorFigure<ui::SvgSurface>(state, width, height);
    case FigureFormat::Pdf:
        return vectorFigure<ui::PdfSurface>(state, width, height);
    case FigureFormat::Png:
        break;
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!figurePicture(state, width, height).save(&buffer, "PNG")) return {};
    return buffer.data();
}

} // namespace bench
