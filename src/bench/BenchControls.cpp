#include "bench/BenchControls.h"

#include "bench/FieldBounds.h"
#include "bench/FieldNumberText.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace bench {

void setFieldText(BenchState &s, int field, const QString &text) {
    if (field < 0 || field >= FieldCount || s.fields[field] == text) return;
    s.fields[field] = text;
    if (field == Lens1Diameter) {
        const double tenths = roundHalfEven(double(fieldValue(text)) * 10);
        if (tenths >= Lens1DiameterSliderMin && tenths <= s.lens1DiameterTenthsMax)
            setLens1DiameterSlider(s, int(tenths));
    }
    // L2 always has the diameter of L1. Writing it is itself a change of Text1(7), whose copy
    // finds the same text and stops.
    setFieldText(s, Lens2Diameter, s.fields[Lens1Diameter]);
}

bool setLens1DiameterSlider(BenchState &s, int tenths) {
    if (tenths < Lens1DiameterSliderMin || tenths > s.lens1DiameterTenthsMax) return false;
    if (tenths == s.lens1DiameterTenths) return true;
    s.lens1DiameterTenths = tenths;
    // The field's change sets the slider to the same value, so the cycle stops there.
    setFieldText(s, Lens1Diameter, formatGeneral(tenths / 10.0));
    testpos(s);
    return true;
}

void setLens1DiameterSliderMax(BenchState &s, int maximum) {
    s.lens1DiameterTenthsMax = std::max(maximum, Lens1DiameterSliderMin);
    if (s.lens1DiameterTenths > s.lens1DiameterTenthsMax)
        setLens1DiameterSlider(s, s.lens1DiameterTenthsMax);
}

bool setArrowPosition(BenchState &s, int tenths) {
    if (tenths < ArrowPositionMin || tenths > ArrowPositionMax) return false;
    s.arrowPositionTenths = tenths;
    return true;
}

bool setApparentDiameter(BenchState &s, int tenths) {
    if (tenths < ApparentDiameterMin || tenths > ApparentDiameterMax) return false;
    s.apparentDiameterTenths = tenths;
    refreshObjectAtInfinityControls(s);
    return true;
}

void setOption(BenchState &s, int option, bool on) {
    if (option < 0 || option >= OptionCount || s.options[option] == on) return;
    s.options[option] = on;
    refreshSwitchDependents(s);
    // The three beam modes exclude one another. Unticking a switch runs its own handler, which
    // finds its box unticked and changes nothing more.
    static constexpr int beams[3] = {BeamFromB, BeamFromA, BeamAll};
    if (on && std::find(std::begin(beams), std::end(beams), option) != std::end(beams))
        for (int other : beams)
            if (other != option) setOption(s, other, false);
}

void refreshSwitchDependents(BenchState &s) {
    s.virtualImagesEnabled = s.options[ShowImages];
}

void setObjectAtInfinity(BenchState &s, bool on) {
    if (s.objectAtInfinity == on) return;
    s.objectAtInfinity = on;
    refreshObjectAtInfinityControls(s);
    testpos(s);
}

bool selectPrecision(BenchState &s, int index) {
    if (index < -1 || index > PrecisionIndexMax) return false;
    s.precisionIndex = index;
    if (index >= 0) {
        s.positionFormat = positionFormatFor(index);
        s.precisionLabel = QString::number(-(index + 1));
    } else {
        // No line selected: the format stays as it was and the read-out is empty.
        s.precisionLabel.clear();
    }
    testpos(s);
    return true;
}

void precisionButton(BenchState &s, int button) {
    if (button == 0 && s.precisionIndex > 0)
        selectPrecision(s, s.precisionIndex - 1);
    else if (button == 1 && s.precisionIndex < PrecisionIndexMax)
        selectPrecision(s, s.precisionIndex + 1);
}

void axisLengthButton(BenchState &s, int button) {
    if (button == 0 && s.axisLengthStep > 0)
        --s.axisLengthStep;
    else if (button == 1 && s.axisLengthStep < AxisLengthStepMax)
        ++s.axisLengthStep;
    setAxisLength(s, s.axisLengthStep,
                  axisLengthTable[std::clamp(s.axisLengthStep, 0, AxisLengthStepMax)]);
}

void setAxisLength(BenchState &s, int step, int length) {
    s.axisLengthStep = step;
    s.axisLength = length;
    s.axisLengthLabel = axisLengthLabelFor(step, length);
    setLens1DiameterSliderMax(s, lens1DiameterSliderMax(length));
    testpos(s);
}

bool validateField(BenchState &s, Field field) {
    const bool moved = !parseFieldNumber(s.fields[Lens1Position]).has_value() ||
                       s.value(Lens1Position) < Lens1PositionMin;
    if (moved) setFieldText(s, Lens1Position, QStringLiteral("5,0"));
    testpos(s);
    setFieldText(s, field, s.formatPosition(s.value(field)));
    return moved;
}

namespace {

// Where a drag or a keyboard move puts an element: the field in the number format, then the
// position test keeps the elements in order and within their bounds.
void placeAt(BenchState &s, Field field, double position) {
    setFieldText(s, field, s.formatPosition(position));
    testpos(s);
}

} // namespace

bool dragTo(BenchState &s, Field field, double drawingX) {
    if (s.drawScale <= 0) return false;
    placeAt(s, field, drawingX / s.drawScale);
    return true;
}

void moveBy(BenchState &s, Field field, int units) {
    placeAt(s, field, double(s.value(field)) + units * std::pow(10.0, -s.positionDecimals()));
}

void refreshObjectAtInfinityControls(BenchState &s) {
    s.parallelRay1Enabled = !s.objectAtInfinity;
    s.apparentDiameterLabel =
        formatFixed(s.apparentDiameterTenths / 10.0, 1, 15) + QString::fromUtf8("°");
}

} // namespace bench
