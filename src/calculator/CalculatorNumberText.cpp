#include "calculator/CalculatorNumberText.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

namespace calculator {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The decimal digits and exponent of a value rounded to `significant` digits: "12345" and 4 for
// 1.2345E+04. Trailing zeros are dropped; the value must be finite and not zero.
struct Decimal {
    bool negative;
    std::string digits;
    int exponent;
};

Decimal decompose(double value, int significant) {
    char buffer[64];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                 std::chars_format::scientific, significant - 1);
    const std::string_view text(buffer, r.ptr - buffer); // "d.ddddde+XX" or "de+XX"
    const std::size_t e = text.find('e');
    Decimal d{std::signbit(value), {}, std::atoi(std::string(text.substr(e + 1)).c_str())};
    for (const char c : text.substr(0, e))
        if (isDigit(c)) d.digits.push_back(c);
    while (d.digits.size() > 1 && d.digits.back() == '0')
        d.digits.pop_back();
    return d;
}

std::string exponentText(int exponent) {
    std::string s = exponent < 0 ? "E-" : "E+";
    const int magnitude = std::abs(exponent);
    if (magnitude < 10) s.push_back('0');
    return s + std::to_string(magnitude);
}

} // namespace

std::string formatNumber(double value) {
    if (value == 0) return "0";
    const Decimal d = decompose(value, 15);
    std::string s = d.negative ? "-" : "";
    const int count = static_cast<int>(d.digits.size());
    if (d.exponent >= -4 && d.exponent <= 14) {
        if (d.exponent < 0) {
            s += '.';
            s.append(static_cast<std::size_t>(-d.exponent - 1), '0');
            s += d.digits;
        } else if (count <= d.exponent + 1) {
            s += d.digits;
            s.append(static_cast<std::size_t>(d.exponent + 1 - count), '0');
        } else {
            s.append(d.digits, 0, static_cast<std::size_t>(d.exponent + 1));
            s += '.';
            s.append(d.digits, static_cast<std::size_t>(d.exponent + 1));
        }
        return s;
    }
    s += d.digits[0];
    if (count > 1) {
        s += '.';
        s.append(d.digits, 1);
    }
    return s + exponentText(d.exponent);
}

std::string formatNumberUntrimmed(double value) {
    std::string s = formatNumber(value);
    if (s[0] != '-') s.insert(s.begin(), ' ');
    return s;
}

std::string formatScientific(double value) {
    if (value == 0) return "0.E+00";
    const Decimal d = decompose(value, 8);
    std::string s = d.negative ? "-" : "";
    s += d.digits[0];
    s += '.';
    s.append(d.digits, 1);
    return s + exponentText(d.exponent);
}

std::optional<double> readNumber(std::string_view text) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    const std::size_t intStart = i;
    while (i < n && isDigit(text[i]))
        ++i;
    const std::string_view intDigits = text.substr(intStart, i - intStart);
    std::string_view fracDigits;
    if (i < n && text[i] == '.') {
        const std::size_t fracStart = ++i;
        while (i < n && isDigit(text[i]))
            ++i;
        fracDigits = text.substr(fracStart, i - fracStart);
    }
    long long exponent = 0;
    if (i < n && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
        std::size_t j = i + 1;
        bool expNegative = false;
        if (j < n && (text[j] == '+' || text[j] == '-')) expNegative = text[j++] == '-';
        if (j < n && isDigit(text[j])) {
            // Saturate: anything beyond a million decides overflow or zero on its own.
            for (; j < n && isDigit(text[j]); ++j)
                exponent = std::min(exponent * 10 + (text[j] - '0'), 1000000LL);
            if (expNegative) exponent = -exponent;
        }
    }

    // The decimal magnitude of the first significant digit decides, far from the range of a
    // double, between an overflow and zero without building a huge text.
    const std::size_t firstInt = intDigits.find_first_not_of('0');
    long long magnitude;
    if (firstInt != std::string_view::npos) {
        magnitude = static_cast<long long>(intDigits.size() - firstInt) - 1 + exponent;
    } else {
        const std::size_t firstFrac = fracDigits.find_first_not_of('0');
        if (firstFrac == std::string_view::npos) return negative ? -0.0 : 0.0;
        magnitude = -static_cast<long long>(firstFrac) - 1 + exponent;
    }
    if (magnitude > 400) return std::nullopt;
    if (magnitude < -400) return negative ? -0.0 : 0.0;

    std::string normal;
    normal.reserve(intDigits.size() + fracDigits.size() + 16);
    normal.append(intDigits.empty() ? "0" : intDigits);
    normal += '.';
    normal.append(fracDigits);
    normal += 'e';
    normal += std::to_string(exponent);
    double value = 0;
    const auto r = std::from_chars(normal.data(), normal.data() + normal.size(), value);
    if (r.ec == std::errc::result_out_of_range) {
        if (magnitude > 0) return std::nullopt;
        value = 0;
    } else if (r.ec != std::errc() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

} // namespace calculator
