#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace calculator {

// The calculator's own number texts. Every value the evaluator writes back into an expression,
// and every result it returns, goes through formatNumber and comes back through readNumber, so a
// chain of operations keeps the 15 significant digits of the text and no more.

// The number text form, trimmed: at most 15 significant digits without trailing zeros, "." as
// separator whatever the locale, no zero before the point (".5", "-.25"), fixed notation for a
// decimal exponent from -4 to 14, otherwise a mantissa, "E", a sign and at least two exponent
// digits ("1E+15", "3.33333333333333E-05"). Zero is "0". The value must be finite.
std::string formatNumber(double value);

// The same text with the blank that a non-negative value carries in front of it (" 5", " .5",
// "-5"): the form the calculator's display shows a result in.
std::string formatNumberUntrimmed(double value);

// The "Scientifique" display pattern "#.#######E+00": one digit, the point always written, up to
// seven decimals without trailing zeros, "E", a sign and at least two exponent digits
// ("1.2345E+04", "5.E-01", "-1.5E+00"). Zero, which the pattern has no digit for, is "0.E+00".
std::string formatScientific(double value);

// Reads the number at the start of a text: leading blanks, an optional sign, digits, an optional
// "." with digits, an optional exponent ("E" or "D", either case, optional sign, at least one
// digit). Reading stops at the first character that does not fit: "30)" reads 30, "+ " reads 0,
// and a text with no number reads 0. A value too small for a double reads 0; a value beyond the
// range of a double gives no value (an overflow).
std::optional<double> readNumber(std::string_view text);

} // namespace calculator
