// libFuzzer target for exercise files: any bytes, as an ".E21" file beside a few files whose
// names differ only in case, are either refused with a French title and text or give an
// exercise whose names resolve inside its folder or to nothing, without a crash, a leak, a hang or
// undefined behaviour. Read for editing and written back unchanged, an exercise means what it
// meant, or is refused with a message.

#include "exercises/ExerciseFile.h"
#include "exercises/ExerciseWriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <variant>

namespace {

// A folder with a sub-folder and files for the case-insensitive look-up to find.
const QTemporaryDir &folder() {
    static QTemporaryDir dir;
    static const bool filled = [] {
        QDir(dir.path()).mkpath(QStringLiteral("Enonces/Sous"));
        for (const char *name : {"Enonces/Exo.RTF", "Enonces/Sous/Conf.P09", "A.p09", "a.P09"}) {
            QFile file(dir.filePath(QString::fromLatin1(name)));
            if (file.open(QIODevice::WriteOnly)) file.write("x");
        }
        return true;
    }();
    (void)filled;
    return dir;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const QString path = folder().filePath(QStringLiteral("fuzz.E21"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) __builtin_trap();
        file.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size));
    }
    const auto read = exercises::readExerciseFile(path);
    if (const auto *error = std::get_if<config::FileError>(&read)) {
        if (error->title.isEmpty() || error->text.isEmpty()) __builtin_trap();
        return 0;
    }
    const exercises::ExerciseFile &exercise = std::get<exercises::ExerciseFile>(read);
    // Any finite difficulty is kept: the preview lights the marks it reaches.
    if (!std::isfinite(exercise.difficulty)) __builtin_trap();
    if (exercise.hourglasses < 0 || exercise.hourglasses > exercises::MaxHourglasses)
        __builtin_trap();
    for (const QString &name : {exercise.statement, exercise.configuration, exercise.correction,
                                exercise.correctionConfiguration})
        // A name resolves inside the exercise's folder, or to nothing.
        if (const QString resolved = exercises::resolveName(folder().path(), name);
            !exercises::isBlank(name) && !resolved.isEmpty() &&
            !resolved.startsWith(folder().path() + QLatin1Char('/')))
            __builtin_trap();

    const auto drafted = exercises::readExerciseDraft(path);
    const auto *draft = std::get_if<exercises::ExerciseDraft>(&drafted);
    if (!draft || draft->difficulty < 0 || draft->difficulty > 3) __builtin_trap();
    const auto written = exercises::exerciseRecords(*draft, draft->originalNames);
    if (const auto *refusal = std::get_if<config::FileError>(&written)) {
        if (refusal->title.isEmpty() || refusal->text.isEmpty()) __builtin_trap();
        return 0;
    }
    const exercises::ExerciseFile again =
        exercises::exerciseFromRecords(std::get<exercises::ExerciseRecords>(written));
    if (again.title != exercise.title || again.topics != exercise.topics ||
        again.hourglasses != exercise.hourglasses || again.hideValues != exercise.hideValues ||
        again.difficulty != draft->difficulty || again.statement != exercise.statement)
        __builtin_trap();
    return 0;
}
