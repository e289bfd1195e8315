#include "exercises/ExerciseWriter.h"

#include "bench/ImageFormation.h"
#include "config/RecordFile.h"
#include "config/RecordNumber.h"
#include "files/ReadFile.h"
#include "richtext/RichText.h"
#include "ui/DrawingSurface.h"
#include "ui/Windows1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextDocument>

#include <algorithm>
#include <cmath>

namespace exercises {

namespace {

const QString RefusedTitle = QString::fromUtf8("Exercice non enregistré");
constexpr int ProposedBaseNameMax = 40;

// The companions as a message names them, and the end of their file names.
const struct {
    const char *field;
    const char *suffix;
    bool text;
} companions[CompanionCount] = {
    {"l'énoncé", "-enonce.rtf", true},
    {"la configuration de l'énoncé", "-enonce.P09", false},
    {"la correction", "-corrige.rtf", true},
    {"la configuration de la correction", "-corrige.P09", false},
};

config::FileError refused(const QString &text) {
    return {RefusedTitle, text};
}

QString quoted(const QString &text) {
    return QString::fromUtf8("« ") + text + QString::fromUtf8(" »");
}

// The message of a text that the code page cannot hold, or of a text too long for a record.
std::optional<config::FileError> recordTextProblem(const QString &field, const QString &text,
                                                   int limit) {
    const QString outside = ui::firstCharacterOutsideWindows1252(text);
    if (!outside.isEmpty())
        return refused(QString::fromUtf8("%1 contient le caractère %2, que les fichiers "
                                         "d'exercice ne peuvent pas enregistrer (codage "
                                         "Windows-1252). Remplacez-le ou retirez-le.")
                           .arg(field, quoted(outside)));
    if (text.size() > limit)
        return refused(QString::fromUtf8("%1 a %2 caractères : %3 au plus.")
                           .arg(field)
                           .arg(text.size())
                           .arg(limit));
    return std::nullopt;
}

// A name that a record may keep: a file of the exercise's own folder.
bool isBareName(const QString &name) {
    return !isBlank(name) && !name.contains(QLatin1Char('/')) &&
           !name.contains(QLatin1Char('\\')) && name != QLatin1String(".") &&
           name != QLatin1String("..") && ui::firstCharacterOutsideWindows1252(name).isEmpty();
}

bool isBaseNameCharacter(QChar c) {
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
           (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('-') ||
           c == QLatin1Char('_');
}

std::optional<config::FileError> baseNameProblem(const QString &baseName) {
    if (baseName.isEmpty())
        return refused(QStringLiteral("Donnez un nom de base aux fichiers de l'exercice."));
    if (!std::all_of(baseName.begin(), baseName.end(), isBaseNameCharacter))
        return refused(QString::fromUtf8("Le nom de base %1 ne convient pas : lettres sans "
                                         "accent, chiffres, « - » et « _ » seulement.")
                           .arg(quoted(baseName)));
    if (baseName.size() > BaseNameMax)
        return refused(QString::fromUtf8("Le nom de base a %1 caractères : %2 au plus.")
                           .arg(baseName.size())
                           .arg(BaseNameMax));
    return std::nullopt;
}

std::optional<config::FileError> folderProblem(const QString &folder,
                                               const QString &programDirectory) {
    const QFileInfo info(folder);
    if (folder.isEmpty() || !info.isDir())
        return refused(QString::fromUtf8("Le dossier %1 n'existe pas.").arg(quoted(folder)));
    if (!programDirectory.isEmpty() &&
        info.canonicalFilePath() == QFileInfo(programDirectory).canonicalFilePath())
        return refused(QString::fromUtf8("Le dossier du programme ne reçoit pas d'exercices : "
                                         "choisissez un autre dossier, par exemple vos "
                                         "documents."));
    if (!info.isWritable())
        return refused(QString::fromUtf8("Impossible d'écrire dans le dossier %1.")
                           .arg(quoted(QDir::toNativeSeparators(folder))));
    return std::nullopt;
}

// A bench as an exercise keeps it. The drawing scale is the one of the figure at its design
// width, so that a bench gives the same file whatever the width of the window it was taken from.
std::optional<QByteArray> benchBytes(const bench::BenchState &state) {
    bench::BenchState copy = state;
    bench::computeDrawScale(copy, ui::DesignFigureWidth);
    return config::configurationBytes(copy);
}

// The bytes of one companion, checked.
std::variant<QByteArray, config::FileError> companionBytes(const CompanionSource &source,
                                                           int companion) {
    const QString field = QString::fromUtf8(companions[companion].field);
    const bool text = companions[companion].text;
    if (!source.file.isEmpty()) {
        const QString name = quoted(QFileInfo(source.file).fileName());
        const auto bytes = files::readRegularFile(source.file);
        if (!bytes)
            return refused(QString::fromUtf8("Le fichier %1 choisi pour %2 est introuvable ou "
                                             "illisible.")
                               .arg(name, field));
        const bool fits = text ? bytes->startsWith("{\\rtf") &&
                                     std::holds_alternative<std::unique_ptr<QTextDocument>>(
                                         richtext::readRtf(*bytes))
                               : std::holds_alternative<config::Configuration>(
                                     config::readConfiguration(source.file));
        if (!fits)
            return refused((text ? QString::fromUtf8("Le fichier %1 choisi pour %2 n'est pas un "
                                                     "texte RTF.")
                                 : QString::fromUtf8("Le fichier %1 choisi pour %2 n'est pas une "
                                                     "configuration de Focalines."))
                               .arg(name, field));
        return *bytes;
    }
    if (text && source.document) return richtext::writeRtf(*source.document);
    if (!text && source.bench) {
        if (auto bytes = benchBytes(*source.bench)) return *bytes;
        return refused(QString::fromUtf8("Le banc pris pour %1 a un champ trop long pour un "
                                         "fichier de configuration.")
                           .arg(field));
    }
    return QByteArray();
}

} // namespace

QString exerciseFileName(const QString &baseName) {
    return baseName + QStringLiteral(".E21");
}

QString companionFileName(const QString &baseName, Companion companion) {
    return baseName + QLatin1String(companions[companion].suffix);
}

std::array<QString, CompanionCount> companionNames(const ExerciseDraft &draft,
                                                   const QString &baseName) {
    const bool sameBase = !draft.originalFile.isEmpty() &&
                          QFileInfo(draft.originalFile).completeBaseName() == baseName;
    std::array<QString, CompanionCount> names;
    for (int i = 0; i < CompanionCount; ++i) {
        if (!draft.companions[i].isSet()) continue;
        const QString &kept = draft.originalNames[i];
        names[i] = sameBase && isBareName(kept) ? kept : companionFileName(baseName, Companion(i));
    }
    return names;
}

QString proposedBaseName(const QString &title) {
    QString text = title;
    text.replace(QChar(0x0153), QLatin1String("oe")).replace(QChar(0x0152), QLatin1String("OE"));
    text.replace(QChar(0x00E6), QLatin1String("ae")).replace(QChar(0x00C6), QLatin1String("AE"));
    text.replace(QChar(0x00DF), QLatin1String("ss"));
    text = text.normalized(QString::NormalizationForm_KD);
    QString name;
    for (QChar c : text) {
        if (c.category() == QChar::Mark_NonSpacing) continue;
        if (c.unicode() < 0x80 && c.isLetterOrNumber())
            name += c.toLower();
        else if (!name.isEmpty() && !name.endsWith(QLatin1Char('-')))
            name += QLatin1Char('-');
    }
    while (name.endsWith(QLatin1Char('-')))
        name.chop(1);
    if (name.size() > ProposedBaseNameMax) {
        // At the end of a word where one ends soon enough.
        const qsizetype dash = name.lastIndexOf(QLatin1Char('-'), ProposedBaseNameMax);
        name.truncate(dash > 0 ? dash : ProposedBaseNameMax);
    }
    return name.isEmpty() ? QStringLiteral("exercice") : name;
}

std::optional<std::array<QString, NotionPieceCount>> cutNotions(const QString &notions) {
    std::array<QString, NotionPieceCount> pieces;
    qsizetype start = 0;
    for (QString &piece : pieces) {
        if (notions.size() - start <= config::RecordTextMax) {
            piece = notions.mid(start);
            return pieces;
        }
        // After the last space that the record holds; a longer word is cut where it ends.
        qsizetype end = start + config::RecordTextMax;
        while (end > start && notions.at(end - 1) != QLatin1Char(' '))
            --end;
        if (end == start) end = start + config::RecordTextMax;
        piece = notions.mid(start, end - start);
        start = end;
    }
    return std::nullopt;
}

std::variant<ExerciseRecords, config::FileError>
exerciseRecords(const ExerciseDraft &draft, const std::array<QString, CompanionCount> &names) {
    const QString title = draft.title.trimmed();
    if (title.isEmpty()) return refused(QString::fromUtf8("Donnez un titre à l'exercice."));
    if (auto problem = recordTextProblem(QStringLiteral("Le titre"), title, config::RecordTextMax))
        return *problem;

    std::optional<std::array<QString, NotionPieceCount>> pieces = draft.notionPieces;
    QString kept;
    if (pieces)
        for (const QString &piece : *pieces)
            if (!isBlank(piece)) kept += piece;
    if (!pieces || kept != draft.notions) {
        // Written anew: one line, single spaces, so that no piece is blank and lost.
        const QString notions = draft.notions.simplified();
        const QString field = QString::fromUtf8("Le texte des notions abordées");
        if (auto problem = recordTextProblem(field, notions, NotionsMax)) return *problem;
        pieces = cutNotions(notions);
        if (!pieces)
            return refused(QString::fromUtf8(
                "Les notions abordées ne tiennent pas dans l'exercice : quatre morceaux de 126 "
                "caractères au plus, coupés entre deux mots. Raccourcissez le texte."));
    }
    if (draft.difficulty < 0 || draft.difficulty > 3)
        return refused(QString::fromUtf8("La difficulté va de 0 à 3."));
    if (draft.hourglasses < 0 || draft.hourglasses > MaxHourglasses)
        return refused(
            QString::fromUtf8("Le nombre de sabliers va de 0 à %1.").arg(MaxHourglasses));

    ExerciseRecords records;
    for (int i = 0; i < CompanionCount; ++i)
        records[StatementRecord - 1 + i] = names[i];
    records[DifficultyRecord - 1] = config::formatRecordInteger(draft.difficulty);
    records[OptionsRecord - 1] = draft.hideValues ? HiddenValuesOption : QString();
    for (int i = 0; i < NotionPieceCount; ++i)
        records[FirstTopicRecord - 1 + i] = (*pieces)[i];
    records[TitleRecord - 1] = title;
    records[HourglassRecord - 1] = config::formatRecordInteger(draft.hourglasses);
    return records;
}

std::variant<ExercisePlan, config::FileError> planExercise(const ExerciseDraft &draft,
                                                           const QString &folder,
                                                           const QString &baseName,
                                                           const QString &programDirectory) {
    if (!draft.companions[StatementText].isSet())
        return refused(QString::fromUtf8("L'exercice n'a pas d'énoncé : prenez le texte de la "
                                         "zone d'exercice ou choisissez un fichier RTF."));
    if (auto problem = baseNameProblem(baseName)) return *problem;
    if (auto problem = folderProblem(folder, programDirectory)) return *problem;
    const QDir dir(folder);
    const QFileInfo original(draft.originalFile);
    const bool sameBase = !draft.originalFile.isEmpty() && original.completeBaseName() == baseName;
    ExercisePlan plan;
    plan.exercisePath = sameBase && original.absoluteDir() == dir
                            ? original.absoluteFilePath()
                            : dir.filePath(exerciseFileName(baseName));

    // Each companion's bytes, and its name, unless that is the exercise file's or another
    // companion of other content has it already.
    std::array<QString, CompanionCount> names = companionNames(draft, baseName);
    std::array<QByteArray, CompanionCount> bytes;
    for (int i = 0; i < CompanionCount; ++i) {
        if (names[i].isEmpty()) continue;
        auto made = companionBytes(draft.companions[i], i);
        if (auto *error = std::get_if<config::FileError>(&made)) return *error;
        bytes[i] = std::get<QByteArray>(made);
        if (bytes[i].isEmpty()) { // a document for a bench, a bench for a text
            names[i].clear();
            continue;
        }
        bool taken = dir.filePath(names[i]) == plan.exercisePath;
        for (int j = 0; j < i; ++j)
            taken = taken || (names[j] == names[i] && bytes[j] != bytes[i]);
        if (taken) names[i] = companionFileName(baseName, Companion(i));
    }
    auto records = exerciseRecords(draft, names);
    if (auto *error = std::get_if<config::FileError>(&records)) return *error;
    config::RecordWriter writer;
    for (int n = 1; n <= ExerciseRecordCount; ++n)
        if (!writer.put(n, std::get<ExerciseRecords>(records)[n - 1]))
            return refused(QString::fromUtf8("Le nom %1 ne tient pas dans un fichier d'exercice.")
                               .arg(quoted(std::get<ExerciseRecords>(records)[n - 1])));

    const auto add = [&plan](const QString &path, const QByteArray &content) {
        for (const ExercisePlan::File &f : plan.files)
            if (f.path == path) return;
        // A file that already holds these bytes is left alone.
        if (files::readRegularFile(path) == content) return;
        if (QFileInfo::exists(path)) plan.replaced << QFileInfo(path).fileName();
        plan.files.push_back({path, content});
    };
    for (int i = 0; i < CompanionCount; ++i)
        if (!names[i].isEmpty()) add(dir.filePath(names[i]), bytes[i]);
    add(plan.exercisePath, writer.bytes());
    return plan;
}

std::optional<config::FileError> writeExercise(const ExercisePlan &plan) {
    std::vector<std::pair<QString, std::optional<QByteArray>>> written;
    for (const ExercisePlan::File &file : plan.files) {
        const std::optional<QByteArray> before = files::readRegularFile(file.path);
        if (config::writeFileReplacing(file.path, file.bytes)) {
            written.emplace_back(file.path, before);
            continue;
        }
        for (const auto &[path, old] : written) {
            if (old)
                config::writeFileReplacing(path, *old);
            else
                QFile::remove(path);
        }
        return config::FileError{
            QStringLiteral("Enregistrement impossible"),
            QString::fromUtf8("Le fichier %1 n'a pas pu être écrit : l'exercice n'est pas "
                              "enregistré.")
                .arg(quoted(QDir::toNativeSeparators(file.path)))};
    }
    return std::nullopt;
}

std::variant<ExerciseDraft, config::FileError> readExerciseDraft(const QString &path) {
    auto read = readExerciseRecords(path);
    if (auto *error = std::get_if<config::FileError>(&read)) return *error;
    const ExerciseRecords &records = std::get<ExerciseRecords>(read);
    const ExerciseFile e = exerciseFromRecords(records);
    const QFileInfo file(path);
    const QString dir = file.absolutePath() + QLatin1Char('/');

    ExerciseDraft d;
    d.title = e.title;
    d.notions = e.topics;
    // The marks lit in the preview.
    d.difficulty = int(std::clamp(std::ceil(e.difficulty), 0.0, 3.0));
    d.hourglasses = e.hourglasses;
    d.hideValues = e.hideValues;
    d.notionPieces.emplace();
    for (int i = 0; i < NotionPieceCount; ++i)
        (*d.notionPieces)[i] = records[FirstTopicRecord - 1 + i];
    d.originalFile = file.absoluteFilePath();
    for (int i = 0; i < CompanionCount; ++i) {
        const QString &name = records[StatementRecord - 1 + i];
        if (isBlank(name)) continue;
        d.originalNames[i] = name;
        d.companions[i].file = resolveName(dir, name);
    }
    return d;
}

} // namespace exercises
