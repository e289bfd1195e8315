#include "app/CliRender.h"

#include "bench/figure/FigurePrimitives.h"
#include "bench/figure/FigureUpdate.h"
#include "config/RecordFile.h"
#include "ui/ImageSurface.h"
#include "ui/SvgSurface.h"

#include <QBuffer>
#include <QFileInfo>

#include <cstdio>

namespace {

// Where the figure update draws nothing (the object at L1), the picture stays blank.
QRgb figureBackground(const bench::BenchState &state) {
    return bench::FigurePalette::forBackground(state.options[bench::WhiteBackground]).background;
}

// The figure as the bytes of a PNG, or of an SVG when the name ends in ".svg".
QByteArray figureBytes(bench::BenchState &state, const QString &output, int width, int height) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (output.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
        ui::SvgSurface surface(&buffer, width, height, QStringLiteral("Focalines"));
        surface.clear(figureBackground(state));
        bench::majaff(state, surface);
    } else if (!figurePicture(state, width, height).save(&buffer, "PNG")) {
        return {};
    }
    return buffer.data();
}

} // namespace

QImage figurePicture(bench::BenchState &state, int width, int height) {
    ui::ImageSurface surface(width, height);
    surface.clear(figureBackground(state));
    bench::majaff(state, surface);
    return surface.image();
}

int cliRender(bench::BenchState &state, const QString &output, int width, int height) {
    // Written like every file of the program, through a temporary file renamed over the target,
    // so that a failed write leaves an existing picture intact.
    const QByteArray bytes = figureBytes(state, output, width, height);
    if (!bytes.isEmpty() && config::writeFileReplacing(output, bytes)) return 0;
    const QString message =
        QStringLiteral("Impossible d'écrire l'image « %1 ».").arg(QFileInfo(output).filePath());
    std::fputs(message.toUtf8().constData(), stderr);
    std::fputc('\n', stderr);
    return 1;
}
