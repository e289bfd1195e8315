#include "ui/NumberTextFilter.h"

namespace ui {

std::optional<QChar> filterNumberKey(QChar c) {
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) return c;
    if (c == QLatin1Char('.') || c == QLatin1Char(',')) return QLatin1Char(',');
    if (c == QLatin1Char('-')) return c;
    return std::nullopt;
}

QValidator::State NumberTextFilter::validate(QString &input, int &pos) const {
    QString kept;
    int newPos = 0;
    for (int i = 0; i < input.size(); ++i) {
        if (auto c = filterNumberKey(input[i])) {
            kept += *c;
            if (i < pos) ++newPos;
        }
    }
    input = kept;
    pos = newPos;
    return Acceptable;
}

} // namespace ui
