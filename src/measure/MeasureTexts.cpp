#include "measure/MeasureTexts.h"

#include "bench/FieldNumberText.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace measure {

namespace {

QString fixed(double v, int decimals) {
    return bench::formatFixed(v, decimals, 15);
}

QString quoted(const QString &cell, QChar separator) {
    if (!cell.contains(separator) && !cell.contains(u'"') && !cell.contains(u'\n') &&
        !cell.contains(u'\r'))
        return cell;
    QString q = cell;
    q.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + q + u'"';
}

} // namespace

QString columnTitle(int column) {
    switch (column) {
    case LensColumn:
        return QStringLiteral("Lentille");
    case ObjectDistanceColumn:
        return QStringLiteral("OA (cm)");
    case ImageDistanceColumn:
        return QStringLiteral("OA' (cm)");
    case ObjectHeightColumn:
        return QStringLiteral("AB (cm)");
    case ImageHeightColumn:
        return QStringLiteral("A'B' (cm)");
    case MagnificationColumn:
        return QStringLiteral("γ");
    case InverseObjectColumn:
        return QStringLiteral("1/OA (m⁻¹)");
    case InverseImageColumn:
        return QStringLiteral("1/OA' (m⁻¹)");
    }
    return {};
}

QString cellText(const Measurement &m, int column) {
    const int d = m.decimals;
    auto inverse = [&](std::optional<double> v) { return v ? fixed(*v, d + 1) : QString(); };
    switch (column) {
    case LensColumn:
        return QStringLiteral("L%1").arg(m.lens);
    case ObjectDistanceColumn:
        return fixed(m.objectDistance, d);
    case ImageDistanceColumn:
        return fixed(m.imageDistance, d);
    case ObjectHeightColumn:
        return fixed(m.objectHeight, d);
    case ImageHeightColumn:
        return fixed(m.imageHeight, d);
    case MagnificationColumn:
        return fixed(m.magnification, d + 1);
    case InverseObjectColumn:
        return inverse(m.inverseObject());
    case InverseImageColumn:
        return inverse(m.inverseImage());
    }
    return {};
}

QString tableText(const std::vector<Measurement> &rows, QChar separator, const QString &lineEnd) {
    QString text;
    auto line = [&](auto cell) {
        for (int c = 0; c < ColumnCount; ++c) {
            if (c > 0) text += separator;
            text += quoted(cell(c), separator);
        }
        text += lineEnd;
    };
    line([](int c) { return columnTitle(c); });
    for (const Measurement &m : rows)
        line([&m](int c) { return cellText(m, c); });
    return text;
}

QString clipboardTable(const std::vector<Measurement> &rows) {
    return tableText(rows, u'\t', QStringLiteral("\n"));
}

QByteArray csvFile(const std::vector<Measurement> &rows) {
    return QByteArray("\xEF\xBB\xBF") + tableText(rows, u';', QStringLiteral("\r\n")).toUtf8();
}

QString uncertaintyText(double u) {
    if (!(u > 1e-9) || !std::isfinite(u)) return QStringLiteral("0");
    // The power of ten of the first digit once taken to two digits (0,0999 is 0,10).
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1e", u);
    const int exponent = std::atoi(std::strchr(buf, 'e') + 1);
    return fixed(u, std::max(0, 1 - exponent));
}

QStringList fitLines(const ConjugationFit &fit) {
    const QString none = QStringLiteral("—");
    auto u = [&](const std::optional<double> &v) { return v ? uncertaintyText(*v) : none; };
    const double b = fit.intercept;
    const QString sign = b < 0 && fixed(b, 2) != QStringLiteral("0,00") ? QStringLiteral(" - ")
                                                                        : QStringLiteral(" + ");
    QStringList lines;
    lines << QStringLiteral("1/OA' = %1 × 1/OA%2%3")
                 .arg(fixed(fit.slope, 3), sign, fixed(std::fabs(b), 2));
    lines << QStringLiteral("a = %1   u(a) = %2").arg(fixed(fit.slope, 3), u(fit.slopeUncertainty));
    lines << QStringLiteral("V = b = %1 δ   u(V) = %2 δ")
                 .arg(fixed(b, 2), u(fit.interceptUncertainty));
    if (const auto f = fit.focal())
        lines << QStringLiteral("f' = 1/V = %1 cm   u(f') = %2 cm")
                     .arg(fixed(*f, fit.decimals), u(fit.focalUncertainty()));
    else
        lines << QStringLiteral("f' = 1/V : vergence nulle, pas de distance focale");
    return lines;
}

} // namespace measure
