#pragma once

#include "measure/ConjugationFit.h"
#include "measure/Measurement.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace measure {

// The columns of the table of measurements, in order.
enum Column : int {
    LensColumn,
    ObjectDistanceColumn,
    ImageDistanceColumn,
    ObjectHeightColumn,
    ImageHeightColumn,
    MagnificationColumn,
    InverseObjectColumn,
    InverseImageColumn,
};
constexpr int ColumnCount = 8;

// "OA (cm)", "1/OA' (m⁻¹)"…
QString columnTitle(int column);
// A cell as the table shows it, with the decimal comma: lengths at the decimals of the read-outs
// when the measurement was taken, γ and the inverses at one decimal more; an inverse of a zero
// distance is empty.
QString cellText(const Measurement &m, int column);

// The table as text: the titles, then one line a measurement, the cells separated by
// `separator` and every line ended by `lineEnd`. A cell holding the separator, a quotation mark
// or a line break is quoted, its quotation marks doubled.
QString tableText(const std::vector<Measurement> &rows, QChar separator, const QString &lineEnd);
// The clipboard's text: tab-separated, as spreadsheets paste it.
QString clipboardTable(const std::vector<Measurement> &rows);
// The bytes of a CSV file in the French convention that spreadsheets read: ";" between cells,
// decimal comma, lines ended by CR LF, UTF-8 after its byte-order mark.
QByteArray csvFile(const std::vector<Measurement> &rows);

// A standard uncertainty with two significant digits ("0,00095", "1,7", "23"); "0" for none.
QString uncertaintyText(double u);
// The results of a fit, one line each: the equation, then a, V and f' with their uncertainties.
QStringList fitLines(const ConjugationFit &fit);

} // namespace measure
