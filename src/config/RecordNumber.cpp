#include "config/RecordNumber.h"

#include "bench/FieldNumberText.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

namespace config {

QString formatRecordInteger(int value) {
    return (value >= 0 ? QStringLiteral(" ") : QString()) + QString::number(value);
}

QString formatRecordReal(float value) {
    if (!std::isfinite(value)) value = 0;
    if (value == 0) return QStringLiteral(" 0");
    // Seven significant digits, then the shortest of them.
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.6e", std::fabs(double(value)));
    std::string digits;
    const char *p = buf;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9') digits += *p;
    const int exponent = std::atoi(p + 1);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    std::string out;
    if (exponent >= 7 || exponent < -4) {
        out = digits.substr(0, 1);
        if (digits.size() > 1) out += "." + digits.substr(1);
        char e[16];
        std::snprintf(e, sizeof e, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
        out += e;
    } else if (exponent < 0) {
        out = "." + std::string(size_t(-exponent - 1), '0') + digits;
    } else {
        const size_t intDigits = size_t(exponent) + 1;
        if (digits.size() <= intDigits) {
            out = digits + std::string(intDigits - digits.size(), '0');
        } else {
            out = digits.substr(0, intDigits) + "." + digits.substr(intDigits);
        }
    }
    return (value < 0 ? QStringLiteral("-") : QStringLiteral(" ")) +
           QString::fromLatin1(out.c_str());
}

std::optional<double> parseRecordNumber(const QString &text) {
    std::string s;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        if (text[i] == u'-') s += '-';
        ++i;
    }
    int digits = 0;
    for (; i < n && text[i] >= u'0' && text[i] <= u'9' && digits < 400; ++i, ++digits)
        s += char(text[i].unicode());
    if (i < n && text[i] == u'.') {
        s += '.';
        for (++i; i < n && text[i] >= u'0' && text[i] <= u'9' && digits < 400; ++i, ++digits)
            s += char(text[i].unicode());
    }
    if (digits == 0) return 0.0;
    if (i + 1 < n && (text[i] == u'e' || text[i] == u'E')) {
        qsizetype j = i + 1;
        std::string e = "e";
        if (text[j] == u'+' || text[j] == u'-') e += char(text[j++].unicode());
        int expDigits = 0;
        for (; j < n && text[j] >= u'0' && text[j] <= u'9' && expDigits < 6; ++j, ++expDigits)
            e += char(text[j].unicode());
        if (expDigits > 0) s += e;
    }
    double value = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec == std::errc::result_out_of_range) {
        // Underflow reads as 0; overflow is no number.
        const bool tiny = s.find("e-") != std::string::npos;
        if (tiny) return 0.0;
        return std::nullopt;
    }
    if (ec != std::errc() || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<int> parseRecordInteger(const QString &text) {
    const auto v = parseRecordNumber(text);
    if (!v) return std::nullopt;
    const double r = bench::roundHalfEven(*v);
    if (r < std::numeric_limits<qint16>::min() || r > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return int(r);
}

std::optional<float> parseRecordReal(const QString &text) {
    const auto v = parseRecordNumber(text);
    if (!v || std::fabs(*v) > std::numeric_limits<float>::max()) return std::nullopt;
    return float(*v);
}

} // namespace config
