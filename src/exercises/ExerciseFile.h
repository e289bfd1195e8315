#pragma once

#include "config/ConfigurationFile.h"

#include <QString>

#include <array>
#include <variant>

namespace exercises {

// The records of an exercise file, counted from 1.
enum ExerciseRecord : int {
    StatementRecord = 1,
    ConfigurationRecord = 2,
    CorrectionRecord = 3,
    CorrectionConfigurationRecord = 4,
    DifficultyRecord = 5,
    OptionsRecord = 6,
    FirstTopicRecord = 7,
    LastTopicRecord = 10,
    TitleRecord = 11,
    HourglassRecord = 12,
};
constexpr int ExerciseRecordCount = 12;

// The records as they stand, record n at index n − 1.
using ExerciseRecords = std::array<QString, ExerciseRecordCount>;

// The description of an exercise (".E21") or of the getting-started material ("focalines.PEM"):
// a record file whose file names are relative to the folder that holds it.
struct ExerciseFile {
    QString statement;               // record 1, a rich-text file
    QString configuration;           // record 2, a ".P09" file, or blank
    QString correction;              // record 3, a rich-text file, or blank
    QString correctionConfiguration; // record 4, or blank
    double difficulty = 0;           // record 5, 0 to 3
    QString topics;                  // records 7 to 10, each appended unchanged unless blank
    QString title;                   // record 11, trimmed
    int hourglasses = 0;             // record 12, rounded halves to even, 0 to MaxHourglasses
    bool hideValues = false;         // record 6 holds HiddenValuesOption

    // Records 3 or 4 name something.
    bool corrected() const;
};

// Record 6 holds the exercise's options, which other readers of the format pass over. This one
// keeps the image's values out of the read-outs while the exercise is open.
inline const QString HiddenValuesOption = QStringLiteral("VALEURS CACHEES");

// A count of marks beyond this is shown as this many: a hostile number must not build an
// endless text.
constexpr int MaxHourglasses = 20;

// Empty or only spaces.
bool isBlank(const QString &text);

// Reads and checks records 1 to 12. Records beyond the end of a short file are blank. A file
// that is missing or cannot be read, or a record whose length exceeds a record, is refused with
// the message "Lecture impossible".
std::variant<ExerciseFile, config::FileError> readExerciseFile(const QString &path);
// The same in two steps: the records as they stand, then what they mean.
std::variant<ExerciseRecords, config::FileError> readExerciseRecords(const QString &path);
ExerciseFile exerciseFromRecords(const ExerciseRecords &records);

// The message of an exercise file that cannot be read.
config::FileError unreadableExercise();

// The file that a name read from a file (an exercise, the getting-started file, the launcher's
// request) stands for, inside `directory` only: a "\" separates folders, and where no file
// bears the exact name, the one entry whose name differs only in case is taken, folder by
// folder; without such an entry, the plain join of the two. A name that could reach outside the
// folder (absolute, with a drive letter, climbing out through "..", or through a link leading
// elsewhere) gives the empty text, which every reader takes for a missing file: exercises come
// on USB keys and class shares, and must not show the machine's own files.
QString resolveName(const QString &directory, const QString &name);

} // namespace exercises
