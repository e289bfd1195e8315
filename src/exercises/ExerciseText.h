#pragma once

#include <QString>

class QTextEdit;

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

// Reads a rich-text file whole and puts it in the box; a file that cannot be read leaves the
// box as it was and returns false.
bool loadRichText(QTextEdit *box, const QString &path);

} // namespace exercises
