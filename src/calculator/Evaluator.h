#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace calculator {

// The angle unit of the direct and inverse trigonometric functions.
enum class AngleMode { Degrees = 0, Radians = 1 };

// Result codes of an evaluation.
enum ResultCode : int {
    Success = 0,
    CalculationFailed = 1,   // an arithmetic fault, a domain error, an overflow, an impossible
                             // position, an expression the rules cannot reduce in 100 passes
    UnpairedParentheses = 2, // the counts of "(" and ")" differ
    MisplacedOperator = 3,   // "*", "/" or "^" followed by another operator or at the end
};

struct Evaluation {
    ResultCode code = Success;
    // On success the result in the number text form, trimmed ("" for an empty expression,
    // which reads as 0); empty on failure.
    std::string text;
};

// Evaluates an expression the way the calculator does: by rewriting its text. The expression
// is brought into a spaced upper-case token form, then, pass after pass, every function applied
// to a plain number, every parenthesised group free of functions and every binary operation is
// replaced by the text of its value, until one number is left. Operators are taken "^", "/",
// "*", "-", "+", each leftmost first, and a sign belongs to its number: "-2^2" is 4, "2^3^2" is
// 64, "2+3*4" is 14.
//
// Any text is accepted: whatever cannot be evaluated ends with a code, never an exception.
// Characters outside the calculator's vocabulary (a comma, a letter that is neither an exponent
// nor part of a function name) end with CalculationFailed.
Evaluation evaluateExpression(std::string_view expression, AngleMode angleMode) noexcept;

// The token form of an expression, as the evaluator's first step leaves it:
// "2*(cos30+1)" gives " 2 * (COS 30 + 1) ". No value when the form would be too long for the
// evaluator's positions (more than 10 922 characters).
std::optional<std::string> normaliseExpression(std::string_view expression);

} // namespace calculator
