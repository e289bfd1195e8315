#pragma once

#include <QString>

#include <optional>

namespace config {

// The invariant number form of records: a leading blank for a value of zero or more, "-" for a
// negative one, "." as decimal separator, no zero before the point of a value below 1 (" .5"),
// an integer without a point (" 50", "-1").
QString formatRecordInteger(int value);
// A single-precision real with at most 7 significant digits, in exponent form (" 1.5E+07",
// " 1E-05") when its magnitude needs it.
QString formatRecordReal(float value);

// Reads the leading number of a record: blanks are skipped, then an optional sign, digits, an
// optional "." with decimals and an optional exponent; reading stops at the first other
// character, and a text with no number reads as 0 (a comma is no decimal separator: "3,5" reads
// as 3). No value when the number overflows a double.
std::optional<double> parseRecordNumber(const QString &text);
// The same, rounded to the nearest integer (halves to even); no value outside −32768..32767.
std::optional<int> parseRecordInteger(const QString &text);
// The same as a single-precision real; no value outside its range.
std::optional<float> parseRecordReal(const QString &text);

} // namespace config
