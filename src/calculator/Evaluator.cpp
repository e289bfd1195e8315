#include "calculator/Evaluator.h"

#include "calculator/CalculatorNumberText.h"

#include <array>
#include <cmath>

namespace calculator {

namespace {

// Any error inside a step. The steps never report errors themselves; the evaluation ends with
// CalculationFailed.
struct Failure {};

// Positions are 16-bit numbers and the tokeniser walks up to three times the text's length.
constexpr std::size_t MaxTokenFormLength = 10922;
constexpr int MaxPasses = 100;

// The functions, in the order of their codes in FunctionCodes.
enum Function : int { Cos, Sin, Tan, ArcCos, ArcSin, ArcTan, Log10, Ln, Exp, Sqrt };
constexpr std::array<std::string_view, 10> FunctionCodes = {"COS", "SIN", "TAN", "ICO", "ISI",
                                                            "ITA", "LOG", "LON", "EXP", "SQR"};
// The codes that the tokeniser finds in their own name (the natural logarithm and the inverse
// functions are also written otherwise).
constexpr std::array<std::string_view, 8> SpacedCodes = {"SIN", "COS", "LOG", "TAN",
                                                         "ISI", "EXP", "ITA", "ICO"};
constexpr std::array<char, 5> OperatorOrder = {'^', '/', '*', '-', '+'};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
char upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
bool isOperator(char c) {
    return c == '+' || c == '-' || c == '*' || c == '/' || c == '^';
}

bool startsWith(const std::string &text, std::size_t at, std::string_view word) {
    if (at + word.size() > text.size()) return false;
    for (std::size_t k = 0; k < word.size(); ++k)
        if (text[at + k] != word[k]) return false;
    return true;
}

// Every code begins with one of these letters; the test runs at every position of the text.
bool mayBeginCode(char c) {
    return c == 'C' || c == 'S' || c == 'T' || c == 'I' || c == 'L' || c == 'E';
}

int functionCodeAt(const std::string &text, std::size_t at) {
    if (!mayBeginCode(text[at])) return -1;
    for (std::size_t i = 0; i < FunctionCodes.size(); ++i)
        if (startsWith(text, at, FunctionCodes[i])) return static_cast<int>(i);
    return -1;
}

bool isOperatorAt(const std::string &text, std::size_t at) {
    return at + 2 < text.size() && text[at] == ' ' && isOperator(text[at + 1]) &&
           text[at + 2] == ' ';
}

double readOrFail(std::string_view text) {
    const std::optional<double> v = readNumber(text);
    if (!v) throw Failure{};
    return *v;
}

double finiteOrFail(double v) {
    if (!std::isfinite(v)) throw Failure{};
    return v;
}

// One sweep of the normalisation: sign pairs merged, a leading "+" dropped, parentheses around
// a lone signed number removed. Each position sees the text as the replacements before it left
// it, which a single forward walk reproduces: a replacement only changes the characters at and
// after its own position.
std::string sweep(const std::string &s) {
    std::string merged;
    merged.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        char current = s[i];
        std::size_t next = i + 1;
        const auto pair = [&](char a, char b) {
            return current == a && next < s.size() && s[next] == b;
        };
        if (pair('-', '-')) current = '+', ++next;
        if (pair('+', '-')) current = '-', ++next;
        if (pair('-', '+')) current = '-', ++next;
        if (pair('+', '+')) current = '+', ++next;
        merged.push_back(current);
        i = next;
    }
    if (!merged.empty() && merged[0] == '+') merged.erase(0, 1);

    std::string out;
    out.reserve(merged.size());
    for (std::size_t c = 0; c < merged.size();) {
        if (merged[c] == '(') {
            std::size_t k = c + 1;
            if (k < merged.size() && (merged[k] == '+' || merged[k] == '-')) ++k;
            while (k < merged.size() && (isDigit(merged[k]) || merged[k] == '.'))
                ++k;
            if (k < merged.size() && merged[k] == ')' && k > c + 1) {
                out.append(merged, c + 1, k - c - 1);
                c = k + 1;
                continue;
            }
        }
        out.push_back(merged[c]);
        ++c;
    }
    return out;
}

// Spaces a binary operator; a "+" or "-" after an exponent letter, and a "-" at the start, after
// "(" or after an operator, is a sign and stays glued to its number.
void emitOperatorOrCharacter(std::string &out, char c) {
    const char before = out.empty() ? ' ' : out.back();
    if (c == '^' || c == '*' || c == '/' || (c == '+' && before != 'E' && before != 'D') ||
        (c == '-' && before != 'E' && before != 'D' && before != '(' && before != ' ')) {
        out.push_back(' ');
        out.push_back(c);
        out.push_back(' ');
    } else {
        out.push_back(c);
    }
}

// The token form: one space at each end, every binary operator spaced (" * "), every function
// code followed by one space, a sign glued to its number. The text arrives without spaces.
// The walk emits the final text from left to right; an insertion or replacement at a position
// only changes the text from that position on, so what is emitted never changes again.
std::string tokeniseExpression(const std::string &text) {
    std::string src;
    src.reserve(text.size() + 2);
    src.push_back(' ');
    for (const char c : text)
        if (c != ' ') src.push_back(upper(c));
    if (src.size() > 1 && src[1] == '+') src.erase(1, 1);
    src.push_back(' ');

    std::string out;
    out.reserve(src.size() + src.size() / 2);
    std::size_t i = 0;
    while (i < src.size()) {
        if (!isLetter(src[i])) {
            emitOperatorOrCharacter(out, src[i]);
            ++i;
            continue;
        }
        if (startsWith(src, i, "SQR") || startsWith(src, i, "LON")) {
            out.append(src, i, 3);
            out.push_back(' ');
            i += 3;
            continue;
        }
        if (startsWith(src, i, "LN")) {
            out += "LON ";
            i += 2;
            continue;
        }
        bool spaced = false;
        for (const std::string_view code : SpacedCodes) {
            if (startsWith(src, i, code)) {
                out += code;
                out.push_back(' ');
                i += 3;
                spaced = true;
                break;
            }
        }
        if (spaced) continue;
        if (startsWith(src, i, "INV")) {
            // Six characters become "I", the fourth and fifth of them and a space: "INVCOS"
            // gives "ICO ". Near the end of the text the missing characters are just missing.
            // The replacement is never longer than what it replaces, so it is written in place
            // at the end of the replaced span and the walk goes on from its "I".
            const std::size_t remaining = src.size() - i;
            std::string replacement = "I";
            if (remaining > 3) replacement.push_back(src[i + 3]);
            if (remaining > 4) replacement.push_back(src[i + 4]);
            replacement.push_back(' ');
            const std::size_t start = i + std::min<std::size_t>(6, remaining) - replacement.size();
            src.replace(start, replacement.size(), replacement);
            out.push_back('I');
            i = start + 1;
            continue;
        }
        out.push_back(src[i]);
        ++i;
    }
    if (out.size() > MaxTokenFormLength) throw Failure{};
    return out;
}

// Upper-cases, removes the spaces, merges sign pairs, unwraps parenthesised numbers until
// nothing changes, and tokenises.
void normalise(std::string &text) {
    std::string s;
    s.reserve(text.size());
    for (const char c : text)
        if (c != ' ') s.push_back(upper(c));
    for (;;) {
        std::string next = sweep(s);
        if (next == s) break;
        s = std::move(next);
    }
    text = tokeniseExpression(s);
}

// "*", "/" or "^" followed by a second space (another operator or the end), then unpaired
// parentheses, which take precedence.
ResultCode checkSyntax(const std::string &text) {
    ResultCode code = Success;
    std::size_t opening = 0, closing = 0;
    for (std::size_t k = 0; k < text.size(); ++k) {
        const char c = text[k];
        if (c == '(') ++opening;
        if (c == ')') ++closing;
        if ((c == '*' || c == '/' || c == '^') && k + 2 < text.size() && text[k + 2] == ' ')
            code = MisplacedOperator;
    }
    return opening != closing ? UnpairedParentheses : code;
}

// Letters in the token form may only be function codes or the exponent letter of a number.
bool usesOnlyTheVocabulary(const std::string &text) {
    for (std::size_t k = 0; k < text.size();) {
        const char c = text[k];
        if (isDigit(c) || isOperator(c) || c == ' ' || c == '.' || c == '(' || c == ')') {
            ++k;
            continue;
        }
        if (!isLetter(c)) return false;
        std::size_t end = k;
        while (end < text.size() && isLetter(text[end]))
            ++end;
        const bool code = end - k == 3 && functionCodeAt(text, k) >= 0;
        const bool exponent = end - k == 1 && (c == 'E' || c == 'D') && k > 0 &&
                              (isDigit(text[k - 1]) || text[k - 1] == '.');
        if (!code && !exponent) return false;
        k = end;
    }
    return true;
}

// The rewriting steps and the three counters they share during one evaluation.
class Rewriter {
  public:
    explicit Rewriter(AngleMode angleMode) : angleMode(angleMode) {}

    ResultCode evaluate(std::string &text) {
        normalise(text);
        if (const ResultCode code = checkSyntax(text)) return code;
        if (!usesOnlyTheVocabulary(text)) return CalculationFailed;
        countTokens(text);
        for (int pass = 1;; ++pass) {
            if (pass > MaxPasses) return CalculationFailed;
            if (functionCount > 0) {
                evaluateFunctions(text);
                normalise(text);
            }
            if (parenthesisCount > 0) evaluateInnerParentheses(text);
            countTokens(text);
            if (functionCount > 0 || parenthesisCount > 0) continue;
            if (operatorCount > 0) {
                evaluateOperators(text);
                countTokens(text);
                if (operatorCount > 0) continue;
            }
            break;
        }
        const std::size_t first = text.find_first_not_of(' ');
        text = first == std::string::npos
                   ? std::string()
                   : text.substr(first, text.find_last_not_of(' ') - first + 1);
        // Several values left side by side, or a text that is no number.
        if (text.find_first_not_of("0123456789.+-ED") != std::string::npos)
            return CalculationFailed;
        return Success;
    }

  private:
    void countTokens(const std::string &text) {
        parenthesisCount = functionCount = operatorCount = 0;
        for (std::size_t k = 0; k < text.size(); ++k) {
            if (text[k] == '(') ++parenthesisCount;
            if (isOperatorAt(text, k)) ++operatorCount;
            if (functionCodeAt(text, k) >= 0) ++functionCount;
        }
    }

    // Replaces every function whose argument is a plain number ("COS 30") by its value, the
    // innermost of nested functions first. After a replacement at p the scan could start over
    // from the beginning; only a code whose argument began at p (the one four characters
    // before) can have become computable, so it goes on from there.
    void evaluateFunctions(std::string &text) {
        std::size_t p = 1;
        while (functionCount > 0 && p + 1 < text.size()) {
            const int code = functionCodeAt(text, p);
            if (code >= 0 && p + 4 < text.size() &&
                (isDigit(text[p + 4]) || text[p + 4] == '-' || text[p + 4] == '.')) {
                const std::size_t end = text.find_first_of(") ", p + 4);
                if (end == std::string::npos) throw Failure{};
                const double x = readOrFail(std::string_view(text).substr(p + 4, end - p - 4));
                text.replace(p, end - p, formatNumber(applyFunction(code, x)));
                --functionCount;
                p = p > 5 ? p - 4 : 1;
                continue;
            }
            ++p;
        }
    }

    double applyFunction(int code, double x) const {
        const double pi = 4 * std::atan(1.0);
        const bool degrees = angleMode != AngleMode::Radians;
        const auto direct = [&](double v) { return degrees ? v * pi / 180 : v; };
        const auto inverse = [&](double v) { return degrees ? v * 180 / pi : v; };
        const auto arcSine = [&](double v) {
            if (v == 1) return pi / 2;
            if (v == -1) return -pi / 2;
            const double d = 1 - v * v;
            if (d <= 0) throw Failure{};
            return std::atan(v / std::sqrt(d));
        };
        double v = 0;
        switch (static_cast<Function>(code)) {
        case Cos:
            v = std::cos(direct(x));
            break;
        case Sin:
            v = std::sin(direct(x));
            break;
        case Tan:
            v = std::tan(direct(x));
            break;
        case ArcCos:
            v = inverse(pi / 2 - arcSine(x));
            break;
        case ArcSin:
            v = inverse(arcSine(x));
            break;
        case ArcTan:
            v = inverse(std::atan(x));
            break;
        case Log10:
        case Ln:
            if (x <= 0) throw Failure{};
            v = code == Log10 ? std::log(x) / std::log(10.0) : std::log(x);
            break;
        case Exp:
            v = std::exp(x);
            break;
        case Sqrt:
            if (x < 0) throw Failure{};
            v = std::sqrt(x);
            break;
        }
        return finiteOrFail(v);
    }

    // Replaces the innermost parenthesised groups by their values as long as they hold no
    // function.
    void evaluateInnerParentheses(std::string &text) {
        for (;;) {
            const std::size_t a = text.rfind('(');
            // The normalisation may have unwrapped a group that the count still holds
            // ("((2+3))" leaves "(5)", which becomes "5"): nothing is left to do.
            if (a == std::string::npos) return;
            const std::size_t b = text.find(')', a);
            if (b == std::string::npos) throw Failure{};
            std::string content = text.substr(a + 1, b - a - 1);
            for (const char c : content)
                if (c >= 'F' && c <= 'Y') return;
            normalise(content);
            evaluateOperators(content);
            text.replace(a, b - a + 1, content);
            --parenthesisCount;
            normalise(text);
            if (parenthesisCount <= 0) return;
        }
    }

    // Evaluates the binary operations, "^" before "/" before "*" before "-" before "+", each
    // leftmost first, one at a time. After each evaluation the scan could start over with "^";
    // but a value written back holds no spaced operator and creates none with its neighbours,
    // so the operators already scanned for are still absent and the current one cannot occur
    // before the replaced span: the scan goes on from there.
    void evaluateOperators(std::string &text) {
        normalise(text);
        std::size_t op = 0;
        std::size_t from = 2;
        while (op < OperatorOrder.size()) {
            std::size_t p = from;
            while (p + 2 < text.size() &&
                   !(isOperatorAt(text, p) && text[p + 1] == OperatorOrder[op]))
                ++p;
            const bool found = p + 2 < text.size();
            // With the count spent, the first position scanned without a match ends the step.
            if (operatorCount < 1 && (!found || p > from)) return;
            if (!found) {
                ++op;
                from = 2;
                continue;
            }
            // The left operand runs back to the nearest space, the walk starting two places
            // before the operator's space; the right one runs on to the next space, the walk
            // starting one place after its first character.
            std::size_t left = p - 2;
            while (text[left] != ' ') {
                if (left == 0) throw Failure{};
                --left;
            }
            std::size_t right = p + 4;
            while (right < text.size() && text[right] != ' ')
                ++right;
            if (right >= text.size()) throw Failure{};
            const std::string_view view(text);
            const double x = readOrFail(view.substr(left + 1, p - left - 1));
            const double y = readOrFail(view.substr(p + 3, right - p - 3));
            text.replace(left + 1, right - left - 1,
                         formatNumber(operate(OperatorOrder[op], x, y)));
            --operatorCount;
            if (operatorCount < 1) return;
            from = left > 3 ? left - 1 : 2;
        }
    }

    static double operate(char op, double x, double y) {
        switch (op) {
        case '^':
            // No real value: a negative number to a fractional power, zero to a negative one.
            if (x < 0 && std::trunc(y) != y) throw Failure{};
            if (x == 0 && y < 0) throw Failure{};
            return finiteOrFail(std::pow(x, y));
        case '/':
            if (y == 0) throw Failure{};
            return finiteOrFail(x / y);
        case '*':
            return finiteOrFail(x * y);
        case '-':
            return finiteOrFail(x - y);
        default:
            return finiteOrFail(x + y);
        }
    }

    AngleMode angleMode;
    int parenthesisCount = 0;
    int functionCount = 0;
    int operatorCount = 0;
};

} // namespace

Evaluation evaluateExpression(std::string_view expression, AngleMode angleMode) noexcept {
    try {
        std::string text(expression);
        Rewriter rewriter(angleMode);
        const ResultCode code = rewriter.evaluate(text);
        if (code != Success) return {code, {}};
        return {Success, std::move(text)};
    } catch (...) {
        // A Failure from a step, or memory exhausted by a hostile text.
        return {CalculationFailed, {}};
    }
}

std::optional<std::string> normaliseExpression(std::string_view expression) {
    try {
        std::string text(expression);
        normalise(text);
        return text;
    } catch (const Failure &) {
        return std::nullopt;
    }
}

} // namespace calculator
