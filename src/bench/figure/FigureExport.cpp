#include "bench/figure/FigureExport.h"

#include "bench/figure/FigurePrimitives.h"
#include "bench/figure/FigureUpdate.h"
#include "ui/ImageSurface.h"
#include "ui/PdfSurface.h"
#include "ui/SvgSurface.h"

#include <QBuffer>
#include <QFileInfo>

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

std::optional<FigureFormat> figureFormatFor(const QString &fileName) {
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix.isEmpty() || suffix == QLatin1String("png")) return FigureFormat::Png;
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg"))
        return FigureFormat::Jpeg;
    if (suffix == QLatin1String("svg")) return FigureFormat::Svg;
    if (suffix == QLatin1String("pdf")) return FigureFormat::Pdf;
    return std::nullopt;
}

QString unknownFigureFormatText(const QString &fileName) {
    return QString::fromUtf8("« %1 » : la figure s'enregistre en image PNG ou JPEG, en dessin "
                             "SVG ou en document PDF. Choisissez un nom qui finit par .png, "
                             ".jpg, .svg ou .pdf.")
        .arg(QFileInfo(fileName).fileName());
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
    case FigureFormat::Jpeg:
        break;
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    // JPEG at a quality that keeps the thin lines of the figure clean.
    const bool written = format == FigureFormat::Jpeg
                             ? figurePicture(state, width, height).save(&buffer, "JPEG", 95)
                             : figurePicture(state, width, height).save(&buffer, "PNG");
    if (!written) return {};
    return buffer.data();
}

} // namespace bench
