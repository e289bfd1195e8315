#pragma once

#include "bench/BenchState.h"

#include <QString>
#include <QtGlobal>

#include <optional>
#include <variant>

namespace measure {

// One measurement of the conjugation through a lens, as a pupil notes it from the bench: the
// distances and heights in centimetres as the read-outs show them (at their number of
// decimals), algebraic, measured from the lens's optical centre. For L2 the object is the
// intermediate image A1B1.
struct Measurement {
    int lens = 1;                // 1 or 2
    double objectDistance = 0;   // OA
    double imageDistance = 0;    // OA', with the reading error when there is one
    double objectHeight = 0;     // AB
    double imageHeight = 0;      // A'B'
    double magnification = 0;    // γ = A'B' / AB, from the bench itself
    int decimals = 1;            // of the read-outs when the measurement was taken
    double readingHalfWidth = 0; // of the simulated reading error, 0 without

    // 1/OA and 1/OA' in m⁻¹ (the distances in metres); no value for a distance of zero, which
    // a reading error can give for an image very near the lens.
    std::optional<double> inverseObject() const;
    std::optional<double> inverseImage() const;
    // The standard uncertainty of the reading of OA', in cm: the simulated error (uniform
    // within ± the half-width) and the rounding to the last decimal shown.
    double imageReadingUncertainty() const;
    // That of OA: none for L1, whose object stands where its field says; for L2 the rounding of
    // the read-out of the intermediate image.
    double objectReadingUncertainty() const;
};

// A simulated reading error of the image's position: uniform within ± the half-width, drawn
// from a generator fixed by its seed, so that one seed gives one series on every computer.
// Draws are numbered from the last restart; the n-th draw depends only on the seed and n.
class ReadingError {
  public:
    static constexpr double MinHalfWidth = 0.1, MaxHalfWidth = 2;
    static constexpr quint64 MaxSeed = 99999;

    ReadingError() = default;
    // A half-width of 0 is no error.
    ReadingError(double halfWidth, quint64 seed) : halfWidth_(halfWidth), seed_(seed) {}

    bool on() const { return halfWidth_ > 0; }
    double halfWidth() const { return halfWidth_; }
    quint64 seed() const { return seed_; }
    int draws() const { return draws_; }

    // The next error, in cm; 0 without drawing while the error is off.
    double next();
    // Starts the draws again from the first.
    void restart() { draws_ = 0; }

    // The n-th number of the generator for a seed, uniform in [0, 1).
    static double uniform(quint64 seed, quint64 n);

  private:
    double halfWidth_ = 0;
    quint64 seed_ = 0;
    int draws_ = 0;
};

// A measurement, or the French reason why the bench gives none.
using MeasurementResult = std::variant<Measurement, QString>;

// Measures the pair of a lens (1 or 2) on the bench as it stands: the image computation runs
// on a copy, so a bench whose derived values are not up to date measures the same. Refused:
// an object at infinity, an image at infinity (its read-out "Hors limites"), an object on the
// lens, and L2 on a bench of one lens. Draws one reading error only for a measurement taken.
MeasurementResult takeMeasurement(const bench::BenchState &state, int lens, ReadingError &error);

// A value written as the read-outs write it, at `decimals` decimals, read back as a number.
// `significantDigits` is the precision of the value's type (7 for a single, 15 for a double).
double asShown(double value, int decimals, int significantDigits = 15);

} // namespace measure
