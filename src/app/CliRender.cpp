#include "app/CliRender.h"

#include "bench/FigurePrimitives.h"
#include "bench/FigureUpdate.h"
#include "ui/ImageSurface.h"
#include "ui/SvgSurface.h"

#include <QBuffer>
#include <QFileInfo>
#include <QSaveFile>

#include <cstdio>

namespace {

bool writeFigure(bench::BenchState &state, const QString &output, int width, int height) {
    // Written to a temporary file beside the target and renamed over it, so that a failed write
    // leaves an existing picture intact.
    QSaveFile file(output);
    if (!file.open(QIODevice::WriteOnly)) return false;
    // Where the figure update draws nothing (the object at L1), the picture stays blank.
    const QRgb background =
        bench::FigurePalette::forBackground(state.options[bench::WhiteBackground]).background;
    if (output.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
        QBuffer svg;
        svg.open(QIODevice::WriteOnly);
        {
            ui::SvgSurface surface(&svg, width, height, QStringLiteral("Focalines"));
            surface.clear(background);
            bench::majaff(state, surface);
        }
        if (file.write(svg.data()) != svg.size()) return false;
    } else {
        ui::ImageSurface surface(width, height);
        surface.clear(background);
        bench::majaff(state, surface);
        if (!surface.image().save(&file, "PNG")) return false;
    }
    return file.commit();
}

} // namespace

int cliRender(bench::BenchState &state, const QString &output, int width, int height) {
    if (writeFigure(state, output, width, height)) return 0;
    const QString message =
        QStringLiteral("Impossible d'écrire l'image « %1 ».").arg(QFileInfo(output).filePath());
    std::fputs(message.toUtf8().constData(), stderr);
    std::fputc('\n', stderr);
    return 1;
}
