#pragma once

#include <QPixmap>

namespace exercises {

// The pictures of the exercises window, drawn by the program.
QPixmap openExercisePicture(); // ouvreur: an open book with an arrow
QPixmap closeWindowPicture();  // Image5: a red cross on a round button
QPixmap litMarkPicture();      // Imagalu: a lit difficulty mark
QPixmap unlitMarkPicture();    // Imagenoir: an unlit difficulty mark
QPixmap lensPicture();         // the decorative images beside "Liste des exercices:"
QPixmap loadingPicture();      // the waiting frame's image: sheets being read

} // namespace exercises
