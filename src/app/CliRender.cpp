#include "app/CliRender.h"

#include "bench/figure/FigureExport.h"
#include "config/RecordFile.h"

#include <QFileInfo>

#include <cstdio>

int cliRender(bench::BenchState &state, const QString &output, int width, int height) {
    // Written like every file of the program, through a temporary file renamed over the target,
    // so that a failed write leaves an existing picture intact.
    const auto format = bench::figureFormatFor(output);
    if (!format) {
        std::fputs(bench::unknownFigureFormatText(output).toUtf8().constData(), stderr);
        std::fputc('\n', stderr);
        return 1;
    }
    const QByteArray bytes = bench::figureFileBytes(state, *format, width, height);
    if (!bytes.isEmpty() && config::writeFileReplacing(output, bytes)) return 0;
    const QString message =
        QStringLiteral("Impossible d'écrire l'image « %1 ».").arg(QFileInfo(output).filePath());
    std::fputs(message.toUtf8().constData(), stderr);
    std::fputc('\n', stderr);
    return 1;
}
