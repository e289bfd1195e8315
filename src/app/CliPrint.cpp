#include "app/CliPrint.h"

#include "bench/figure/FigureExport.h"
#include "bench/figure/FigureUpdate.h"
#include "printing/FigurePages.h"
#include "printing/PdfFile.h"

#include <QFileInfo>

#include <cstdio>

int cliPrint(bench::BenchState &state, const QString &output, int width, int height,
             const printing::PrintSettings &settings) {
    bench::BenchState drawn = state;
    const printing::PrintedFigure figure(
        bench::figurePicture(state, width, height),
        [&drawn](ui::DrawingSurface &surface) { return bench::majaff(drawn, surface).drawn; });
    const QPageLayout a4(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                         QPageLayout::Millimeter);
    if (printing::writePdfFile(output, a4, QStringLiteral("Focalines"),
                               [&](QPagedPaintDevice &device) {
                                   return printing::paintFigurePages(device, figure, settings);
                               }))
        return 0;
    const QString message = QStringLiteral("Impossible d'écrire le fichier PDF « %1 ».")
                                .arg(QFileInfo(output).filePath());
    std::fputs(message.toUtf8().constData(), stderr);
    std::fputc('\n', stderr);
    return 1;
}
