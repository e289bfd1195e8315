#include "app/CliExercise.h"

#include "app/CliArguments.h"
#include "app/CliJson.h"
#include "config/ConfigurationFile.h"
#include "exercises/ExerciseFile.h"
#include "exercises/ExerciseWriter.h"
#include "richtext/RichText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QStringList>
#include <QTextDocument>

#include <cstdio>

namespace {

constexpr int ExitOk = 0;
constexpr int ExitRefused = 1;
constexpr int ExitRefusedFile = 2;

void printLine(std::FILE *stream, const QString &text) {
    std::fputs(text.toUtf8().constData(), stream);
    std::fputc('\n', stream);
}

int refuse(const config::FileError &error, int status = ExitRefused) {
    printError(error.title + QStringLiteral(": ") + error.text);
    return status;
}

// Whether a file that an exercise names can be read as what the exercise takes it for.
bool readable(const QString &path, bool text) {
    if (!QFileInfo(path).isFile()) return false;
    if (text)
        return std::holds_alternative<std::unique_ptr<QTextDocument>>(richtext::readRtfFile(path));
    return std::holds_alternative<config::Configuration>(config::readConfiguration(path));
}

int show(const QStringList &args) {
    if (args.size() != 1 || args[0].startsWith(u'-'))
        return usageError(QStringLiteral("exercise show : un seul argument, le fichier .E21."));
    const QFileInfo file(args[0]);
    auto read = exercises::readExerciseRecords(file.absoluteFilePath());
    if (auto *error = std::get_if<config::FileError>(&read)) return refuse(*error, ExitRefusedFile);
    const exercises::ExerciseRecords &records = std::get<exercises::ExerciseRecords>(read);
    const exercises::ExerciseFile e = exercises::exerciseFromRecords(records);

    QJsonArray recordTexts;
    for (const QString &r : records)
        recordTexts.append(r);
    QStringList files;
    const QString dir = file.absolutePath() + QLatin1Char('/');
    for (int n = exercises::StatementRecord; n <= exercises::CorrectionConfigurationRecord; ++n) {
        const QString &name = records[n - 1];
        if (exercises::isBlank(name)) continue;
        const QString path = exercises::resolveName(dir, name);
        const bool text = n == exercises::StatementRecord || n == exercises::CorrectionRecord;
        files << jsonObjectText({{QStringLiteral("record"), n},
                                 {QStringLiteral("name"), name},
                                 {QStringLiteral("path"), path},
                                 {QStringLiteral("found"), QFileInfo::exists(path)},
                                 {QStringLiteral("readable"), readable(path, text)}});
    }
    const QString json = jsonObjectOfTexts({
        {QStringLiteral("file"), jsonText(file.absoluteFilePath())},
        {QStringLiteral("records"), jsonText(recordTexts)},
        {QStringLiteral("title"), jsonText(e.title)},
        {QStringLiteral("notions"), jsonText(e.topics)},
        {QStringLiteral("difficulty"), jsonText(e.difficulty)},
        {QStringLiteral("hourglasses"), jsonText(e.hourglasses)},
        {QStringLiteral("corrected"), jsonText(e.corrected())},
        {QStringLiteral("hiddenValues"), jsonText(e.hideValues)},
        {QStringLiteral("files"), u'[' + files.join(QStringLiteral(", ")) + u']'},
    });
    printLine(stdout, json);
    return ExitOk;
}

// A whole number of the command line within its range.
bool readNumber(const QString &text, int low, int high, int &value) {
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok || v < low || v > high) return false;
    value = v;
    return true;
}

int make(const QStringList &args) {
    const QStringList withValue{"--title",      "--statement",        "--bench",
                                "--correction", "--correction-bench", "--notions",
                                "--difficulty", "--hourglasses",      "--output"};
    const QStringList flags{"--hide-values", "--replace"};
    CliArguments read;
    if (auto problem =
            readCliArguments(QStringLiteral("exercise make"), args, withValue, flags, false, read))
        return usageError(*problem);
    QHash<QString, QString> &values = read.values;
    for (const char *required : {"--title", "--statement", "--output"})
        if (!values.contains(QLatin1String(required)))
            return usageError(QStringLiteral("exercise make : l'option %1 est obligatoire.")
                                  .arg(QLatin1String(required)));

    exercises::ExerciseDraft draft;
    draft.title = values["--title"];
    draft.notions = values.value("--notions");
    draft.hideValues = values.contains("--hide-values");
    if (values.contains("--difficulty") &&
        !readNumber(values["--difficulty"], 0, 3, draft.difficulty))
        return usageError(QStringLiteral("exercise make : difficulté incorrecte (0 à 3)."));
    if (values.contains("--hourglasses") &&
        !readNumber(values["--hourglasses"], 0, exercises::MaxHourglasses, draft.hourglasses))
        return usageError(QStringLiteral("exercise make : nombre de sabliers incorrect (0 à %1).")
                              .arg(exercises::MaxHourglasses));
    // Texts are copied as they stand; a bench is loaded as the window would open it and then
    // taken, so that the window and the command line write the same files.
    const struct {
        const char *option;
        exercises::Companion companion;
    } sources[] = {{"--statement", exercises::StatementText},
                   {"--bench", exercises::StatementBench},
                   {"--correction", exercises::CorrectionText},
                   {"--correction-bench", exercises::CorrectionBench}};
    for (const auto &s : sources) {
        const QString value = values.value(QLatin1String(s.option));
        if (value.isEmpty()) continue;
        const QString path = QFileInfo(value).absoluteFilePath();
        exercises::CompanionSource &source = draft.companions[s.companion];
        if (s.companion == exercises::StatementText || s.companion == exercises::CorrectionText) {
            source.file = path;
            continue;
        }
        bench::BenchState state = bench::BenchState::startup();
        if (const auto error = config::loadConfiguration(state, path)) return refuse(*error);
        source.bench = state;
    }

    QString base = QFileInfo(values["--output"]).fileName();
    if (base.endsWith(QLatin1String(".E21"), Qt::CaseInsensitive)) base.chop(4);
    const QString folder = QFileInfo(values["--output"]).absolutePath();
    auto planned =
        exercises::planExercise(draft, folder, base, QCoreApplication::applicationDirPath());
    if (auto *error = std::get_if<config::FileError>(&planned)) return refuse(*error);
    const exercises::ExercisePlan &plan = std::get<exercises::ExercisePlan>(planned);
    if (!plan.replaced.isEmpty() && !values.contains("--replace"))
        return refuse({QString::fromUtf8("Exercice non enregistré"),
                       QString::fromUtf8("Ces fichiers existent déjà : %1. Ajoutez --replace pour "
                                         "les remplacer.")
                           .arg(plan.replaced.join(QStringLiteral(", ")))});
    if (const auto error = exercises::writeExercise(plan)) return refuse(*error);
    printLine(stdout, plan.exercisePath);
    return ExitOk;
}

} // namespace

int cliExercise(const QStringList &args) {
    const QString what = args.value(0);
    if (what == QLatin1String("show")) return show(args.mid(1));
    if (what == QLatin1String("make")) return make(args.mid(1));
    return usageError(QStringLiteral("exercise : show ou make."));
}
