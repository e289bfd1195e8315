#pragma once

#include <QStringList>

// `exercise show FILE.E21` and `exercise make …`: an exercise file shown as JSON, or written
// from the command line as the window "Créer un exercice" writes it. Returns the exit status;
// messages go to standard error.
int cliExercise(const QStringList &args);
