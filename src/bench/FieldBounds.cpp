#include "bench/FieldBounds.h"

#include "bench/BenchControls.h"
#include "bench/FieldNumberText.h"

namespace bench {

namespace {

// What a value that is not above 0 becomes, per field.
double lowerReplacement(int field) {
    switch (field) {
    case Lens1Focal:
    case Lens2Focal:
        return 1;
    case ObjectPosition:
        return 0;
    case Lens1Diameter:
    case Lens2Diameter:
        return 0.5;
    default: // lens positions and object height
        return 0.1;
    }
}

double upperBound(int field, int axisLength) {
    switch (field) {
    case Lens1Position:
        return axisLength - 0.1;
    case Lens1Focal:
    case Lens2Focal:
        return 3000;
    case Lens2Position:
        return axisLength;
    case ObjectPosition:
        return axisLength - 0.2;
    default: // object height and diameters
        return heightLimit(axisLength);
    }
}

} // namespace

void testpos(BenchState &s) {
    for (int i = 0; i < FieldCount; ++i) {
        // Reformat; a text that is no number becomes 0.
        const float v = fieldValue(s.fields[i]);
        setFieldText(s, i, s.formatPosition(v));
        if (fieldValue(s.fields[i]) <= 0) setFieldText(s, i, s.formatPosition(lowerReplacement(i)));
        const double bound = upperBound(i, s.axisLength);
        if (double(fieldValue(s.fields[i])) > bound)
            setFieldText(s, i, s.formatPosition(bound, 15));
    }
    // Keep L1 right of the object and L2 right of L1, in single precision.
    const float objectPos = fieldValue(s.fields[ObjectPosition]);
    if (objectPos + 0.1f > fieldValue(s.fields[Lens1Position]))
        setFieldText(s, Lens1Position, s.formatPosition(objectPos + 0.1f));
    const float lens1Pos = fieldValue(s.fields[Lens1Position]);
    if (lens1Pos + 0.1f > fieldValue(s.fields[Lens2Position]))
        setFieldText(s, Lens2Position, s.formatPosition(lens1Pos + 0.1f));
}

} // namespace bench
