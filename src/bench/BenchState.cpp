#include "bench/BenchState.h"

#include "bench/BenchControls.h"
#include "bench/FieldNumberText.h"

#include <algorithm>

namespace bench {

QString optionCaption(int option) {
    static const char *const captions[OptionCount] = {
        "Prolonger les rayons",
        "Rayon passant par O",
        "Afficher les images",
        "Afficher tous les rayons issus de B",
        "Afficher tous les rayons issus de A",
        "Afficher tous les rayons",
        "Utiliser deux lentilles",
        "Afficher les foyers",
        "Représenter les rayons extérieurs à la lentille",
        "Sens de propagation",
        "Rayon passant par O",
        "Afficher images virtuelles",
        "Fond blanc",
        "Rayon incident passant par F",
        "Rayon incident parallèle à l'axe",
        "Rayon incident passant par F",
        "Rayon incident parallèle à l'axe",
        "Graduer l'axe optique",
    };
    if (option < 0 || option >= OptionCount) return {};
    return QString::fromUtf8(captions[option]);
}

QString positionFormatFor(int precisionIndex) {
    return QStringLiteral("##############0.") + QString(std::clamp(precisionIndex, 0, 2) + 1, u'0');
}

BenchState BenchState::startup() {
    BenchState s;
    refreshSwitchDependents(s);
    axisLengthButton(s, 2);
    selectPrecision(s, 0);
    refreshObjectAtInfinityControls(s);
    return s;
}

int BenchState::positionDecimals() const {
    const qsizetype point = positionFormat.lastIndexOf(u'.');
    return point < 0 ? 0 : int(positionFormat.size() - point - 1);
}

QString BenchState::formatPosition(double v, int significantDigits) const {
    return formatFixed(v, positionDecimals(), significantDigits);
}

float BenchState::value(Field field) const {
    return fieldValue(fields[field]);
}

double heightLimit(int axisLength) {
    return 135.0 / 800.0 * axisLength;
}

int lens1DiameterSliderMax(int axisLength) {
    const double m = roundHalfEven(heightLimit(axisLength) * 10);
    return int(std::clamp(m, double(Lens1DiameterSliderMin), double(SliderLimit)));
}

QString axisLengthLabelFor(int axisLengthStep, int axisLength) {
    if (axisLengthStep >= 5) return formatGeneral(axisLength / 100.0) + QStringLiteral(" m");
    return formatGeneral(axisLength) + QStringLiteral(" cm");
}

} // namespace bench
