#pragma once

#include <QString>

class QTextEdit;
class QWidget;

namespace exercises {

// The exercise state that outlives the exercises window.
struct ExerciseState {
    // The folder of the open exercise's files, ending with "/".
    QString exerciseDir;
    // The exercise shown has a correction that "Voir la correction" may show.
    bool correctionAvailable = false;
    // The text of supertext was edited since it was loaded or saved.
    bool textModified = false;
};

class ExerciseHost;

// Reads a rich-text file whole and puts it in the box; a file that cannot be read leaves the
// box as it was and returns false.
bool loadRichText(QTextEdit *box, const QString &path);

// Tells why a text named by an exercise (its statement, its correction) at `path` could not be
// loaded: a missing file is "Fichier absent" with `shownName`, as the exercises window has
// always said; a file that is there but holds no text the program reads is named as such.
void reportUnloadedText(QWidget *parent, const QString &path, const QString &shownName);

// Loads the configuration that an exercise names at `path`, as the open window would; a file
// that is not there (or a name refused, an empty path) is named by `shownName` in a "Fichier
// absent" message; a file that is there goes to the loader, which reports its own refusals.
void loadNamedConfiguration(ExerciseHost &host, QWidget *parent, const QString &path,
                            const QString &shownName);

} // namespace exercises
