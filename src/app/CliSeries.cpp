#include "app/CliSeries.h"

#include "app/CliArguments.h"
#include "app/CliJson.h"

#include "bench/FieldNumberText.h"
#include "config/RecordFile.h"
#include "measure/ConjugationFit.h"
#include "measure/MeasureSeries.h"
#include "measure/MeasureTexts.h"
#include "measure/graph/ConjugationGraph.h"

#include <QFileInfo>
#include <QHash>

#include <cstdio>
#include <optional>
#include <utility>
#include <vector>

namespace {

constexpr int ExitOk = 0;
// The graph as the measurements window first shows it.
constexpr int GraphWidth = 460, GraphHeight = 400;

// A problem of the series itself, or of a file: said without the pointer to the help.
int fail(const QString &problem) {
    printError(problem);
    return CliExitUsage;
}

QString number(std::optional<double> v) {
    if (!v) return QStringLiteral("null");
    return QString::number(*v, 'g', QLocale::FloatingPointShortest);
}

// A cell of the table as a number: the JSON holds what the table and the CSV show.
QString cellNumber(const measure::Measurement &m, int column) {
    QString text = measure::cellText(m, column);
    text.replace(u',', u'.');
    bool ok = false;
    const double v = text.toDouble(&ok);
    return ok ? number(v) : QStringLiteral("null");
}

QString rowJson(const measure::Measurement &m) {
    using namespace measure;
    return jsonObjectOfTexts({{"lens", QString::number(m.lens)},
                              {"object_distance", cellNumber(m, ObjectDistanceColumn)},
                              {"image_distance", cellNumber(m, ImageDistanceColumn)},
                              {"object_height", cellNumber(m, ObjectHeightColumn)},
                              {"image_height", cellNumber(m, ImageHeightColumn)},
                              {"magnification", cellNumber(m, MagnificationColumn)},
                              {"inverse_object", cellNumber(m, InverseObjectColumn)},
                              {"inverse_image", cellNumber(m, InverseImageColumn)}});
}

QString fitJson(const std::optional<measure::ConjugationFit> &fit) {
    if (!fit) return QStringLiteral("null");
    return jsonObjectOfTexts({{"slope", number(fit->slope)},
                              {"intercept", number(fit->intercept)},
                              {"vergence", number(fit->vergence())},
                              {"focal", number(fit->focal())},
                              {"slope_uncertainty", number(fit->slopeUncertainty)},
                              {"vergence_uncertainty", number(fit->interceptUncertainty)},
                              {"focal_uncertainty", number(fit->focalUncertainty())},
                              {"points", QString::number(fit->points)}});
}

std::optional<double> readNumber(const QString &text) {
    const auto v = bench::parseFieldNumber(text);
    if (!v) return std::nullopt;
    return double(*v);
}

} // namespace

int cliSeries(const QStringList &args, const CliBenchLoader &loadBench) {
    const QStringList options{"--from", "--to",  "--steps", "--lens", "--error",
                              "--seed", "--csv", "--graph", "--view"};
    CliArguments read;
    if (auto problem = readCliArguments(QStringLiteral("series"), args, options, {}, true, read))
        return usageError(*problem);
    const QString &file = read.file;
    const QHash<QString, QString> &values = read.values;
    measure::SeriesPlan plan;
    const auto from = readNumber(values.value("--from"));
    const auto to = readNumber(values.value("--to"));
    bool stepsOk = false;
    plan.steps = values.value("--steps").toInt(&stepsOk);
    if (!from || !to || !stepsOk)
        return usageError(
            QStringLiteral("series : les options --from X, --to Y (positions de l'objet "
                           "en cm) et --steps N sont obligatoires."));
    plan.from = *from;
    plan.to = *to;
    if (values.contains("--lens")) {
        const QString lens = values["--lens"];
        if (lens != QLatin1String("1") && lens != QLatin1String("2"))
            return usageError(QStringLiteral("series : --lens vaut 1 ou 2."));
        plan.lens = lens.toInt();
    }
    measure::ReadingError error;
    if (values.contains("--error") != values.contains("--seed"))
        return usageError(QStringLiteral("series : --error et --seed vont ensemble."));
    if (values.contains("--error")) {
        const auto halfWidth = readNumber(values["--error"]);
        bool seedOk = false;
        const qulonglong seed = values["--seed"].toULongLong(&seedOk);
        if (!halfWidth || *halfWidth < measure::ReadingError::MinHalfWidth - 1e-6 ||
            *halfWidth > measure::ReadingError::MaxHalfWidth + 1e-6)
            return usageError(
                QStringLiteral("series : la demi-largeur de --error va de 0,1 à 2 cm."));
        if (!seedOk || seed > measure::ReadingError::MaxSeed)
            return usageError(QStringLiteral("series : la graine de --seed va de 0 à %1.")
                                  .arg(measure::ReadingError::MaxSeed));
        error = measure::ReadingError(*halfWidth, seed);
    }

    const QStringList views{"1", "2", "3"};
    const auto view = views.indexOf(values.value("--view", "1"));
    if (view < 0) return usageError(QStringLiteral("series : --view vaut 1, 2 ou 3."));

    bench::BenchState state;
    if (const int status = loadBench(file, state)) return status;
    if (const auto problem = measure::checkSeriesPlan(state, plan))
        return fail(QStringLiteral("series : ") + *problem);
    const measure::SeriesResult result = measure::runSeries(state, plan, error);
    const std::optional<measure::ConjugationFit> fit =
        measure::fitConjugation(result.rows, plan.lens);

    if (values.contains("--csv")) {
        const QString csv = values["--csv"];
        if (!config::writeFileReplacing(csv, measure::csvFile(result.rows)))
            return fail(QStringLiteral("Impossible d'écrire le fichier « %1 ».")
                            .arg(QFileInfo(csv).filePath()));
    }
    if (values.contains("--graph")) {
        const QString graph = values["--graph"];
        const measure::GraphContent content{&result.rows, plan.lens,
                                            static_cast<measure::GraphView>(view)};
        const auto format = bench::figureFormatFor(graph);
        if (!format) return fail(bench::unknownFigureFormatText(graph));
        const QByteArray bytes = measure::graphFileBytes(content, *format, GraphWidth, GraphHeight);
        if (bytes.isEmpty() || !config::writeFileReplacing(graph, bytes))
            return fail(QStringLiteral("Impossible d'écrire le graphique « %1 ».")
                            .arg(QFileInfo(graph).filePath()));
    }
    QStringList rows;
    for (const measure::Measurement &m : result.rows)
        rows << rowJson(m);
    const QString json = jsonObjectOfTexts({{"rows", u'[' + rows.join(QStringLiteral(", ")) + u']'},
                                            {"fit", fitJson(fit)},
                                            {"refused", QString::number(result.refused)}});
    std::puts(json.toUtf8().constData());
    return ExitOk;
}
