#include "bench/FieldNumberText.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

namespace bench {

std::optional<float> parseFieldNumber(const QString &text) {
    // Normalise to an ASCII "d.ddde±x" form; from_chars does not depend on the C locale.
    std::string s;
    const QString t = text.trimmed();
    if (t.isEmpty() || t.size() > 200) return std::nullopt;
    qsizetype i = 0;
    if (t[i] == u'+' || t[i] == u'-') {
        if (t[i] == u'-') s += '-';
        ++i;
    }
    int digits = 0;
    bool point = false;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c >= u'0' && c <= u'9') {
            s += char(c.unicode());
            ++digits;
        } else if ((c == u',' || c == u'.') && !point) {
            s += '.';
            point = true;
        } else {
            break;
        }
    }
    if (digits == 0) return std::nullopt;
    if (i < t.size() && (t[i] == u'e' || t[i] == u'E')) {
        s += 'e';
        ++i;
        if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) s += char(t[i++].unicode());
        int expDigits = 0;
        for (; i < t.size() && t[i] >= u'0' && t[i] <= u'9'; ++i, ++expDigits)
            s += char(t[i].unicode());
        if (expDigits == 0) return std::nullopt;
    }
    if (i != t.size()) return std::nullopt;
    double value = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
    if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max())
        return std::nullopt;
    return static_cast<float>(value);
}

float fieldValue(const QString &text) {
    return parseFieldNumber(text).value_or(0.0f);
}

QString formatFixed(double value, int decimals, int significantDigits) {
    if (!std::isfinite(value)) value = 0;
    decimals = std::max(0, decimals);
    // Decimal digits of the value at the precision of its type.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", significantDigits - 1, std::fabs(value));
    std::string mantissa;
    int exponent = 0;
    {
        const char *p = buf;
        for (; *p && *p != 'e'; ++p)
            if (*p >= '0' && *p <= '9') mantissa += *p;
        if (*p == 'e') exponent = std::atoi(p + 1);
    }
    // mantissa = d1 d2 ... dn, value = d1.d2...dn × 10^exponent.
    const int keep = exponent + 1 + decimals; // digits that stay before rounding
    std::string kept;
    if (keep <= 0) {
        // Every digit falls after the last kept decimal: the value rounds to 0 or to one unit of
        // the last decimal.
        const bool up = keep == 0 && mantissa[0] >= '5';
        kept.assign(1, up ? '1' : '0');
    } else {
        kept = mantissa.substr(0, std::min<size_t>(keep, mantissa.size()));
        while (int(kept.size()) < keep)
            kept += '0';
        if (keep < int(mantissa.size()) && mantissa[keep] >= '5') {
            int j = keep - 1;
            while (j >= 0 && kept[j] == '9')
                kept[j--] = '0';
            if (j >= 0) {
                ++kept[j];
            } else {
                kept.insert(kept.begin(), '1');
                ++exponent;
            }
        }
    }
    // Integer and decimal parts of kept, whose last digit has weight 10^-decimals.
    std::string all = kept;
    const int totalDigits = decimals + 1; // at least one integer digit
    if (int(all.size()) < totalDigits) all.insert(all.begin(), totalDigits - all.size(), '0');
    std::string intPart = all.substr(0, all.size() - decimals);
    const std::string decPart = all.substr(all.size() - decimals);
    const size_t nz = intPart.find_first_not_of('0');
    if (nz == std::string::npos)
        intPart.assign(1, '0');
    else
        intPart.erase(0, nz);
    const bool zero = intPart == "0" && decPart.find_first_not_of('0') == std::string::npos;
    QString out;
    if (value < 0 && !zero) out += u'-';
    out += QString::fromLatin1(intPart.c_str());
    if (decimals > 0) {
        out += u',';
        out += QString::fromLatin1(decPart.c_str());
    }
    return out;
}

QString formatGeneral(double value) {
    QString s = QString::number(value, 'g', 15);
    s.replace(u'.', u',');
    return s;
}

double roundHalfEven(double v) {
    // The program never changes the floating-point rounding mode, which stays "to nearest,
    // ties to even".
    return std::nearbyint(v);
}

} // namespace bench
