#include "exercises/ExerciseFile.h"

#include "config/RecordFile.h"
#include "config/RecordNumber.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace exercises {

namespace {

// The one entry of `dir` whose name equals `name` but for case; empty when none or several.
QString caseInsensitiveEntry(const QDir &dir, const QString &name) {
    QString found;
    for (const QString &entry :
         dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        if (entry.compare(name, Qt::CaseInsensitive) != 0) continue;
        if (!found.isEmpty()) return QString();
        found = entry;
    }
    return found;
}

// `name` inside `folder`. QDir::filePath would take a name beginning with ":" for one of Qt's
// built-in resources and return it alone, outside every folder.
QString inFolder(const QString &folder, const QString &name) {
    if (folder.isEmpty()) return QStringLiteral("./") + name;
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

} // namespace

bool ExerciseFile::corrected() const {
    return !isBlank(correction) || !isBlank(correctionConfiguration);
}

bool isBlank(const QString &text) {
    for (QChar c : text)
        if (c != QLatin1Char(' ')) return false;
    return true;
}

config::FileError unreadableExercise() {
    return {QStringLiteral("Lecture impossible"),
            QString::fromUtf8("Vérifier:\n- le nom du fichier,\n- l'état du lecteur.")};
}

std::variant<ExerciseRecords, config::FileError> readExerciseRecords(const QString &path) {
    if (!QFileInfo(path).isFile()) return unreadableExercise();
    const auto bytes = config::readRecordFile(path, ExerciseRecordCount);
    if (!bytes) return unreadableExercise();
    const config::RecordReader reader(*bytes);
    ExerciseRecords records;
    for (int n = 1; n <= ExerciseRecordCount; ++n) {
        const config::Record r = reader.read(n);
        if (r.status == config::Record::BadLength) return unreadableExercise();
        records[n - 1] = r.text;
    }
    return records;
}

ExerciseFile exerciseFromRecords(const ExerciseRecords &records) {
    const auto text = [&records](int n) -> const QString & { return records[n - 1]; };
    ExerciseFile e;
    e.statement = text(StatementRecord);
    e.configuration = text(ConfigurationRecord);
    e.correction = text(CorrectionRecord);
    e.correctionConfiguration = text(CorrectionConfigurationRecord);
    e.difficulty = config::parseRecordNumber(text(DifficultyRecord)).value_or(0);
    e.hideValues = text(OptionsRecord).contains(HiddenValuesOption);
    for (int n = FirstTopicRecord; n <= LastTopicRecord; ++n)
        if (!isBlank(text(n))) e.topics += text(n);
    e.title = text(TitleRecord).trimmed();
    const double marks = config::parseRecordNumber(text(HourglassRecord)).value_or(0);
    // Rounded to the nearest integer, halves to even (the default rounding mode).
    e.hourglasses = int(std::nearbyint(std::clamp(marks, 0.0, double(MaxHourglasses))));
    return e;
}

std::variant<ExerciseFile, config::FileError> readExerciseFile(const QString &path) {
    auto records = readExerciseRecords(path);
    if (auto *error = std::get_if<config::FileError>(&records)) return *error;
    return exerciseFromRecords(std::get<ExerciseRecords>(records));
}

QString resolveName(const QString &directory, const QString &name) {
    QString relative = QString(name).replace(QLatin1Char('\\'), QLatin1Char('/'));
    static const QRegularExpression driveLetter(QStringLiteral("^[A-Za-z]:"));
    if (relative.startsWith(QLatin1Char('/')) || driveLetter.match(relative).hasMatch())
        return QString();
    relative = QDir::cleanPath(relative);
    if (relative == QLatin1String("..") || relative.startsWith(QLatin1String("../")))
        return QString();
    const QString plain = inFolder(directory, relative);
    QString path = plain;
    if (!relative.isEmpty() && !QFileInfo::exists(plain)) {
        QDir dir(directory);
        const QStringList parts = relative.split(QLatin1Char('/'), Qt::SkipEmptyParts);
        for (qsizetype i = 0; i < parts.size(); ++i) {
            QString part = parts[i];
            if (!QFileInfo::exists(inFolder(dir.path(), part))) {
                const QString entry = caseInsensitiveEntry(dir, part);
                if (entry.isEmpty()) return plain;
                part = entry;
            }
            path = inFolder(dir.path(), part);
            if (i + 1 < parts.size()) dir.setPath(path);
        }
    }
    // A link inside the folder may still lead out of it.
    const QString target = QFileInfo(path).canonicalFilePath();
    const QString folder = QFileInfo(directory).canonicalFilePath();
    if (!target.isEmpty() && target != folder &&
        !target.startsWith(folder.endsWith(QLatin1Char('/')) ? folder : folder + u'/'))
        return QString();
    return path;
}

} // namespace exercises
