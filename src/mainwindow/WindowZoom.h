#pragma once

#include <QSize>

class QScreen;
class QWidget;

namespace mainwindow {

// The zoom of the program's windows for a projector: from 100 % to 200 % in steps of 25 %.
// It scales the screens as a desktop's own scale does, so that Qt draws the controls, the texts
// and the figure larger and sharp, at the screen's full resolution, while every window keeps its
// layout in the same units. The desktop's scale is kept and multiplied.
namespace zoom {

constexpr int Smallest = 100, Largest = 200, Step = 25;

// The zoom in effect, in per cent.
int percent();

// Brings `percent` within bounds and onto a step, and scales the screens by it. The windows
// already shown take their new size at once. Returns the zoom now in effect.
int setPercent(int percent);

// The largest step at which a window of `size` at 100 %, its frame included, fits the area of
// `screen` that the desktop leaves free; the smallest step when none does.
int largestFitting(const QScreen *screen, QSize size);

// The zoom remembered from the last run (100 when none), and remembering it.
int remembered();
void remember(int percent);

} // namespace zoom
} // namespace mainwindow
