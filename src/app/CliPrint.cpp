#include "app/CliPrint.h"

#include "bench/figure/FigureExport.h"
#include "printing/FigurePages.h"

#include <QFileInfo>
#include <QPdfWriter>
#include <QSaveFile>

#include <cstdio>

int cliPrint(bench::BenchState &state, const QString &output, int width, int height,
             const printing::PrintSettings &settings) {
    const QImage figure = bench::figurePicture(state, width, height);
    // Through a temporary file renamed over the target: a failed write leaves an older file.
    QSaveFile file(output);
    bool ok = file.open(QIODevice::WriteOnly);
    if (ok) {
        QPdfWriter writer(&file);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
        writer.setTitle(QStringLiteral("Focalines"));
        writer.setCreator(QStringLiteral("Focalines"));
        ok = printing::paintFigurePages(writer, figure, settings);
    }
    if (ok && file.commit()) return 0;
    file.cancelWriting();
    const QString message = QStringLiteral("Impossible d'écrire le fichier PDF « %1 ».")
                                .arg(QFileInfo(output).filePath());
    std::fputs(message.toUtf8().constData(), stderr);
    std::fputc('\n', stderr);
    return 1;
}
