#include "measure/Measurement.h"

#include "bench/FieldNumberText.h"
#include "bench/ImageFormation.h"

#include <charconv>
#include <cmath>
#include <string>

namespace measure {

namespace {

// The width the image computation is given: it only places an object at infinity, which is
// never measured.
constexpr double SurfaceWidth = 775;

// A field's text as a double: the fields hold their value at the precision's decimals, and a
// single would add its binary noise to a difference of two positions.
double fieldAsDouble(const bench::BenchState &s, bench::Field field) {
    return asShown(s.value(field), s.positionDecimals(), 7);
}

bool outOfReadouts(double position) {
    return std::fabs(position) > bench::ReadoutLimit;
}

} // namespace

std::optional<double> Measurement::inverseObject() const {
    if (objectDistance == 0) return std::nullopt;
    return 100 / objectDistance;
}

std::optional<double> Measurement::inverseImage() const {
    if (imageDistance == 0) return std::nullopt;
    return 100 / imageDistance;
}

double Measurement::imageReadingUncertainty() const {
    const double unit = std::pow(10.0, -decimals);
    return std::sqrt(readingHalfWidth * readingHalfWidth / 3 + unit * unit / 12);
}

double Measurement::objectReadingUncertainty() const {
    return lens == 1 ? 0 : std::pow(10.0, -decimals) / std::sqrt(12.0);
}

double ReadingError::uniform(quint64 seed, quint64 n) {
    // SplitMix64 of the seed advanced n times: integer arithmetic only, so every platform and
    // library gives the same numbers.
    quint64 z = seed + (n + 1) * 0x9E3779B97F4A7C15ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return double(z >> 11) * 0x1.0p-53;
}

double ReadingError::next() {
    if (!on()) return 0;
    return halfWidth_ * (2 * uniform(seed_, quint64(draws_++)) - 1);
}

double asShown(double value, int decimals, int significantDigits) {
    std::string text = bench::formatFixed(value, decimals, significantDigits).toStdString();
    for (char &c : text)
        if (c == ',') c = '.';
    double v = 0;
    std::from_chars(text.data(), text.data() + text.size(), v);
    return v;
}

MeasurementResult takeMeasurement(const bench::BenchState &state, int lens, ReadingError &error) {
    if (state.objectAtInfinity)
        return QStringLiteral("L'objet est à l'infini : son image est dans le plan focal, il "
                              "n'y a pas de distance OA à mesurer.");
    if (lens == 2 && !state.option(bench::TwoLenses))
        return QStringLiteral("Le banc n'a qu'une lentille : cochez « Utiliser deux lentilles » "
                              "pour mesurer avec L2.");
    bench::BenchState s = state;
    const bench::ImageWork w = bench::updateBench(s, SurfaceWidth);
    const QString onLens = QStringLiteral("L'objet est sur la lentille : il n'a pas d'image à "
                                          "mesurer.");
    const QString imageAtInfinity =
        QStringLiteral("L'image est à l'infini (« Hors limites ») : l'objet est dans le plan "
                       "focal objet de la lentille.");
    if (w.objectAtLens) return onLens;
    if (outOfReadouts(s.image1Position))
        return lens == 1 ? imageAtInfinity
                         : QStringLiteral("L'objet de L2, l'image A1B1, est à l'infini "
                                          "(« Hors limites ») : pas de distance OA à mesurer.");
    if (lens == 2 && outOfReadouts(s.image2Position)) return imageAtInfinity;

    const int d = s.positionDecimals();
    Measurement m;
    m.lens = lens;
    m.decimals = d;
    m.readingHalfWidth = error.halfWidth();
    // Positions as the fields and the read-outs show them; the distances are their differences.
    const double image1 = asShown(s.image1Position, d, 7);
    double lensPosition = 0, imagePosition = 0;
    if (lens == 1) {
        lensPosition = fieldAsDouble(s, bench::Lens1Position);
        m.objectDistance = asShown(fieldAsDouble(s, bench::ObjectPosition) - lensPosition, d);
        m.objectHeight = fieldAsDouble(s, bench::ObjectHeight);
        m.imageHeight = asShown(s.image1Height, d);
        m.magnification = w.q1 / w.p1;
        imagePosition = s.image1Position;
    } else {
        lensPosition = fieldAsDouble(s, bench::Lens2Position);
        m.objectDistance = asShown(image1 - lensPosition, d);
        m.objectHeight = asShown(s.image1Height, d);
        m.imageHeight = asShown(s.image2Height, d);
        m.magnification = w.q2 / w.p2;
        imagePosition = s.image2Position;
    }
    if (m.objectDistance == 0) return onLens;
    const double imageRead = asShown(imagePosition + error.next(), d, 7);
    m.imageDistance = asShown(imageRead - lensPosition, d);
    return m;
}

} // namespace measure
