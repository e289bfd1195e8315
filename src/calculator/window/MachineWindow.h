#pragma once

class QWidget;

namespace calculator {

// The calculator as the main window uses it.

// Loads the calculator "Machine à calculer" if it is not loaded and shows it modally over
// `parent`; returns when the user closes it. Closing unloads it: the next opening starts with an
// empty display and the default options, while the last answer and the memory are kept until
// the program ends.
void showMachine(QWidget *parent);

// Unloads the calculator if it is loaded (the main window's shut-down).
void unloadMachine();

} // namespace calculator
