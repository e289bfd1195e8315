#pragma once

#include "bench/BenchState.h"
#include "config/ConfigurationFile.h"
#include "config/RecordFile.h"
#include "exercises/ExerciseFile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <memory>
#include <optional>
#include <variant>
#include <vector>

class QTextDocument;

namespace exercises {

// The files an exercise file names, in the order of records 1 to 4.
enum Companion : int { StatementText, StatementBench, CorrectionText, CorrectionBench };
constexpr int CompanionCount = 4;

// What a companion is made of: nothing, a file copied as it stands (an RTF text or a
// configuration, checked first), a document written as RTF, or a bench written as a
// configuration.
struct CompanionSource {
    QString file;
    std::shared_ptr<const QTextDocument> document;
    std::optional<bench::BenchState> bench;

    bool isSet() const { return !file.isEmpty() || document || bench; }
};

// An exercise as the teacher describes it, before it is checked and written.
struct ExerciseDraft {
    QString title;           // record 11
    QString notions;         // records 7 to 10, cut at word ends
    int difficulty = 0;      // record 5, 0 to 3
    int hourglasses = 0;     // record 12, 0 to MaxHourglasses
    bool hideValues = false; // record 6
    std::array<CompanionSource, CompanionCount> companions;

    // Of an exercise opened for editing: the four notion records, written again as they stand
    // while `notions` is still what they make; the file itself and the names its records give,
    // which the companions keep while the base name stays.
    std::optional<std::array<QString, 4>> notionPieces;
    QString originalFile;
    std::array<QString, CompanionCount> originalNames;
};

constexpr int NotionPieceCount = 4;
constexpr int NotionsMax = NotionPieceCount * config::RecordTextMax;
constexpr int BaseNameMax = 64;

// "NAME.E21" and its companions "NAME-enonce.rtf", "NAME-enonce.P09", "NAME-corrige.rtf",
// "NAME-corrige.P09".
QString exerciseFileName(const QString &baseName);
QString companionFileName(const QString &baseName, Companion companion);

// The names the companions take under `baseName`: those the opened exercise gave them while
// the base name stays (bare names only), otherwise the names above; empty for a companion not
// set.
std::array<QString, CompanionCount> companionNames(const ExerciseDraft &draft,
                                                   const QString &baseName);

// A base name made from a title: without accents, letters and digits in lower case, a "-"
// for anything else, at most 40 characters; "exercice" when nothing is left.
QString proposedBaseName(const QString &title);

// The notions in pieces of at most 126 bytes, each cut after a space where it can be (a word
// longer than a record is cut where the record ends), four at most: no value when they do not
// fit. The pieces, put end to end, give the text back.
std::optional<std::array<QString, NotionPieceCount>> cutNotions(const QString &notions);

// The twelve records of the draft with the companions under `names`, checked: the title and
// the notions fit their records and the code page, the numbers their range. A refusal is a
// French message that names the field.
std::variant<ExerciseRecords, config::FileError>
exerciseRecords(const ExerciseDraft &draft, const std::array<QString, CompanionCount> &names);

// Every file of an exercise, checked and ready to write.
struct ExercisePlan {
    struct File {
        QString path;
        QByteArray bytes;
    };
    QString exercisePath;
    // The files whose content changes: the companions first, the exercise file last, so that
    // an exercise file never names a file not yet written.
    std::vector<File> files;
    // The names of those files that exist and would be replaced.
    QStringList replaced;
};

// Checks the draft, the base name (letters without accents, digits, "-" and "_") and the
// folder (one that exists and can be written, not the program's), reads and checks every
// companion, and makes the bytes of every file. Nothing is written.
std::variant<ExercisePlan, config::FileError> planExercise(const ExerciseDraft &draft,
                                                           const QString &folder,
                                                           const QString &baseName,
                                                           const QString &programDirectory);

// Writes the plan's files, each through a temporary file renamed over it. When one cannot be
// written, those already written are put back as they were (or removed when they were new)
// and the message says so.
std::optional<config::FileError> writeExercise(const ExercisePlan &plan);

// An exercise file read back for editing: its fields, and its companions as the files it names.
std::variant<ExerciseDraft, config::FileError> readExerciseDraft(const QString &path);

} // namespace exercises
