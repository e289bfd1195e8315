#pragma once

#include <QString>

#include <optional>

namespace bench {

// Number texts of the bench fields. Fields always carry the French decimal comma, whatever the
// system locale; a "." (a file written elsewhere, or typed) reads as the same number.

// Reads a field text as a single-precision number: optional blanks, an optional sign, digits
// with at most one decimal separator ("," or "."), an optional exponent ("e" or "E", optional
// sign, digits), optional blanks. Anything else, an empty text, or a value outside the range of
// a single-precision number gives no value.
std::optional<float> parseFieldNumber(const QString &text);

// The field's value as the figure reads it: the number, or 0 when the text cannot be read.
float fieldValue(const QString &text);

// Writes a value with exactly `decimals` decimals, at least one integer digit and a decimal
// comma ("15,0", "-6,00", "0,125"). `significantDigits` is the precision of the value's type
// (7 for single, 15 for double): the value is first taken to that many significant digits, so
// that the binary noise of a single (1.15 stored as 1.1499999) does not change the rounding,
// and then rounded to `decimals` with halves away from zero. A result that rounds to zero is
// written without a minus sign.
QString formatFixed(double value, int decimals, int significantDigits);

// The general number format: the shortest text of the value with a decimal comma and no
// trailing zeros ("8", "8,5", "0,5", "1,5").
QString formatGeneral(double value);

// [v]: v taken to the nearest integer, halves to the even one.
double roundHalfEven(double v);

} // namespace bench
