#pragma once

#include "bench/BenchState.h"

namespace bench {

// What the main window's controls do to the bench when their value changes, without the
// widgets. Each function behaves as the control's change handler: setting a value from the
// program (the start-up, the configuration loader, the exclusive switches) goes through the
// same path as a user action. The handlers that normalise the fields run the position test
// themselves; the caller then runs the figure update, which recomputes everything.

// Text1_Change: stores the text of a field. A change of the diameter field sets the diameter
// slider to ten times its value (halves to even; a value outside the slider's range leaves the
// slider where it is), and every change copies the diameter of L1 into that of L2.
void setFieldText(BenchState &s, int field, const QString &text);

// HScroll2: the diameter slider, in tenths of a centimetre. A change writes the value / 10 into
// the diameter field in the general format ("8", "8,5") and runs the position test. Returns
// false, changing nothing, for a value outside the slider's range.
bool setLens1DiameterSlider(BenchState &s, int tenths);
// HScroll2's upper bound. A bound below the current value pulls the value down to it, which is a
// change of the slider.
void setLens1DiameterSliderMax(BenchState &s, int maximum);

// HScroll1 and HScroll3; false, changing nothing, for a value outside the range.
bool setArrowPosition(BenchState &s, int tenths);
bool setApparentDiameter(BenchState &s, int tenths);

// Check1_Click: sets a switch; when its value changes, the dependent enabling follows and a beam
// switch turned on turns the other two beam switches off (all three may be off).
void setOption(BenchState &s, int option, bool on);
// The enabling that follows the switches (Check1(11) only while Check1(2) is on).
void refreshSwitchDependents(BenchState &s);

// Check2 "Objet à l'infini"; when its value changes, runs the position test.
void setObjectAtInfinity(BenchState &s, bool on);

// Combo1: selects a precision line (−1 for none, 0 to 2), sets the number format and Label4, and
// runs the position test. Returns false, changing nothing, for an index outside −1..2.
bool selectPrecision(BenchState &s, int index);
// Commandp_Click: "-" (0) selects the previous line while above 0, "+" (1) the next while below 2.
void precisionButton(BenchState &s, int button);

// Command3_Click: "-" (0) and "+" (1) step the axis length through its table; any index then
// applies the length of the current step with setAxisLength.
void axisLengthButton(BenchState &s, int button);
// The axis length as the buttons leave it or as a configuration stores it: the step and the
// length, the label, the diameter slider's bound, then the position test.
void setAxisLength(BenchState &s, int step, int length);

// Text1_LostFocus, also on Enter: a first lens below 5 cm (or unreadable) is put at 5 cm, the
// position test runs, and the validated field is rewritten in the number format. True when the
// first lens was moved, which the window signals with a beep.
bool validateField(BenchState &s, Field field);

// A mouse drag of the object or a lens: the handle's new position in drawing units, divided by
// the drawing scale, goes into the field in the number format, then the position test runs.
// False, changing nothing, before the first figure update has set a scale.
bool dragTo(BenchState &s, Field field, double drawingX);

// A keyboard move of the object or a lens by `units` units of the current precision (0,1, 0,01
// or 0,001 cm; negative to the left): the same path as a drag, from the field's position.
void moveBy(BenchState &s, Field field, int units);

// Check1(14) "Rayon incident parallèle à l'axe" of L1 and Label1 follow the object at infinity;
// the figure update does this first.
void refreshObjectAtInfinityControls(BenchState &s);

} // namespace bench
