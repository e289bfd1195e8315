#include "calculator/CalculatorNumberText.h"
#include "calculator/Evaluator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

using namespace calculator;

namespace {

constexpr AngleMode Deg = AngleMode::Degrees;
constexpr AngleMode Rad = AngleMode::Radians;

struct Succeeds {
    const char *expression;
    AngleMode mode;
    const char *result;
};

struct Fails {
    const char *expression;
    int code;
};

} // namespace

TEST(Evaluator, ExpressionsThatSucceed) {
    const Succeeds rows[] = {
        {"", Rad, ""},
        // Operator order: "^" before "/" before "*" before "-" before "+", leftmost first.
        {"2+3*4", Rad, "14"},
        {"(2+3)*4", Rad, "20"},
        {"8/2/2", Rad, "2"},
        {"2-3-4", Rad, "-5"},
        {"2^3^2", Rad, "64"},
        {"2 * 3 / 4 ^ 2", Rad, ".375"},
        {"8/2*4", Rad, "16"},
        {"1/2*4", Rad, "2"},
        {"10-2+3", Rad, "11"},
        {"((2+3))", Rad, "5"},
        {"2*(3+(4-1)*2)", Rad, "18"},
        // A sign belongs to its number.
        {"-2^2", Rad, "4"},
        {"2^-1", Rad, ".5"},
        {"2*-3", Rad, "-6"},
        {"2--3", Rad, "5"},
        {"--3", Rad, "3"},
        {"+3", Rad, "3"},
        {"5 - -3", Rad, "8"},
        {"1-(-5)", Rad, "6"},
        {"-(2+3)", Rad, "-5"},
        {"-sin 30", Deg, "-.5"},
        // Functions, nested or applied to a group; a function takes the number after it.
        {"sin 30", Deg, ".5"},
        {"sin 30", Rad, "-.988031624092862"},
        {"cos 180", Deg, "-1"},
        {"tan 45", Deg, "1"},
        {"invSIN 1", Deg, "90"},
        {"invSIN 1", Rad, "1.5707963267949"},
        {"invCOS 1", Deg, "0"},
        {"invCOS 0", Deg, "90"},
        {"invTAN 1", Deg, "45"},
        {"invsin(1/2)", Deg, "30"},
        {"log 1000", Rad, "3"},
        {"ln(2+3)", Rad, "1.6094379124341"},
        {"exp 1", Rad, "2.71828182845905"},
        {"SQR(2+2)", Rad, "2"},
        {"SQR 4 * 4", Rad, "8"},
        {"SQR SQR 16", Rad, "2"},
        {"cos cos 0", Deg, ".999847695156391"},
        {"cos(sin 30*2)", Deg, ".999847695156391"},
        {"2 * sin 30 + 3 * (1 + cos 0)", Deg, "7"},
        {"ln ln 3", Rad, ".0940478276166993"},
        // Values in exponent form are written back and read again as operands or arguments.
        {"1E+20*2", Rad, "2E+20"},
        {"1E15-1", Rad, "999999999999999"},
        {"1E15*1", Rad, "1E+15"},
        {"1/3/10000", Rad, "3.33333333333333E-05"},
        {"(1/3/10000)*3", Rad, "9.99999999999999E-05"},
        {"1E-5^2", Rad, "1E-10"},
        {"SQR 1E+20", Rad, "10000000000"},
        {"5.E-01*2", Rad, "1"},
        {"1.2345E+04+1", Rad, "12346"},
        {"10 ^ -3", Rad, ".001"},
        // Every value goes through its 15-digit text: the square of the square root of 2.
        {"2 ^ .5 ^ 2", Rad, "2.00000000000001"},
        // A number typed alone is returned as typed; reading it is the caller's business.
        {"1E400", Rad, "1E400"},
        {"5E+3", Rad, "5E+3"},
    };
    for (const Succeeds &r : rows) {
        const Evaluation e = evaluateExpression(r.expression, r.mode);
        EXPECT_EQ(e.code, 0) << r.expression;
        EXPECT_EQ(e.text, r.result) << r.expression;
    }
}

TEST(Evaluator, ExpressionsThatFail) {
    const Fails rows[] = {
        // Arithmetic faults and domains.
        {"1/0", 1},
        {"0/0", 1},
        {"0^-1", 1},
        {"(-8)^(1/3)", 1},
        {"SQR -4", 1},
        {"ln 0", 1},
        {"log -1", 1},
        {"invSIN 2", 1},
        {"invCOS -1.5", 1},
        {"exp 1000", 1},
        {"1E308*10", 1},
        {"1E400+1", 1},
        // What the rules cannot reduce.
        {"2+", 1},
        {"2-", 1},
        {"*3", 1},
        {")(", 1},
        {"cos", 1},
        {"sin(", 2},
        // Outside the vocabulary.
        {"x+1", 1},
        {"2,5", 1},
        {"E5", 1},
        {"pi", 1},
        {"INV", 1},
        {"2\t+1", 1},
        {"3\xe9", 1},
        {"2*ABC", 1},
        // Parentheses and operators.
        {"(2+3", 2},
        {"2+3)", 2},
        {"2*/3", 3},
        {"2*", 3},
        {"2^", 3},
        {"2*+3", 3},
        {"(2*/3", 2},
    };
    for (const Fails &r : rows) {
        const Evaluation e = evaluateExpression(r.expression, Rad);
        EXPECT_EQ(e.code, r.code) << r.expression;
        EXPECT_TRUE(e.text.empty()) << r.expression;
    }
}

TEST(Evaluator, TokenForm) {
    EXPECT_EQ(normaliseExpression("2*(cos30+1)"), " 2 * (COS 30 + 1) ");
    EXPECT_EQ(normaliseExpression("invCOS(-5)-ln 2"), " ICO -5 - LON 2 ");
    EXPECT_EQ(normaliseExpression("1e-3+(+2.5)"), " 1E-3 + 2.5 ");
    EXPECT_EQ(normaliseExpression("-2--3*4"), " -2 + 3 * 4 ");
}

TEST(Evaluator, PassesAndLengthAreBounded) {
    // Each nested group under a function takes one pass; 100 passes at most.
    const auto nested = [](int depth) {
        std::string s;
        for (int i = 0; i < depth; ++i)
            s += "SQR(1+";
        s += "3";
        return s + std::string(static_cast<std::size_t>(depth), ')');
    };
    EXPECT_EQ(evaluateExpression(nested(99), Rad).text, "1.6180339887499");
    EXPECT_EQ(evaluateExpression(nested(100), Rad).code, 1);

    // The token form must stay within 10 922 characters.
    std::string sum = "1";
    while (sum.size() < 10900)
        sum += " + 1";
    EXPECT_EQ(evaluateExpression(sum, Rad).code, 0);
    EXPECT_EQ(evaluateExpression(sum + " + 1 + 1 + 1 + 1 + 1 + 1", Rad).code, 1);
    EXPECT_EQ(evaluateExpression(std::string(100000, '('), Rad).code, 1);
}

// Seeded random texts over the vocabulary: every evaluation ends with a code, and a success
// leaves a single number text.
TEST(Evaluator, RandomTextsEndWithACode) {
    const char *const pieces[] = {"1",      "2",       "0",   ".",    "5E-3", "E",    "+",
                                  "-",      "*",       "/",   "^",    "(",    ")",    " ",
                                  "sin ",   "invCOS ", "ln ", "SQR ", "log ", "exp ", "tan ",
                                  "9E+300", "D",       "INV", "LN"};
    std::mt19937 random(20240611);
    for (int i = 0; i < 3000; ++i) {
        std::string text;
        const int length = static_cast<int>(random() % 24);
        for (int k = 0; k < length; ++k)
            text += pieces[random() % std::size(pieces)];
        const Evaluation e = evaluateExpression(text, random() % 2 ? Rad : Deg);
        ASSERT_GE(e.code, 0) << text;
        ASSERT_LE(e.code, 3) << text;
        if (e.code == 0) {
            EXPECT_EQ(e.text.find_first_not_of("0123456789.+-ED"), std::string::npos) << text;
        }
    }
}

TEST(NumberText, WritesFifteenDigitsAndExponentsOutsideTheFixedRange) {
    const std::pair<double, const char *> rows[] = {
        {0, "0"},
        {-0.0, "0"},
        {5, "5"},
        {-5, "-5"},
        {0.5, ".5"},
        {-0.25, "-.25"},
        {1.0 / 3, ".333333333333333"},
        {2.0 / 3, ".666666666666667"},
        {0.0001, ".0001"},
        {0.00001, "1E-05"},
        {999999999999999, "999999999999999"},
        {999999999999999.9, "1E+15"},
        {1e15, "1E+15"},
        {-1.5e20, "-1.5E+20"},
        {1e100, "1E+100"},
        {1.0 / 30000, "3.33333333333333E-05"},
        {4 * std::atan(1.0), "3.14159265358979"},
        {123456.5, "123456.5"},
    };
    for (const auto &[value, text] : rows)
        EXPECT_EQ(formatNumber(value), text) << value;
    EXPECT_EQ(formatNumberUntrimmed(5), " 5");
    EXPECT_EQ(formatNumberUntrimmed(0.5), " .5");
    EXPECT_EQ(formatNumberUntrimmed(-5), "-5");
}

TEST(NumberText, ScientificPattern) {
    const std::pair<double, const char *> rows[] = {
        {12345, "1.2345E+04"},  {0.5, "5.E-01"},    {1, "1.E+00"},
        {-1.5, "-1.5E+00"},     {0, "0.E+00"},      {123456789, "1.2345679E+08"},
        {99999999.5, "1.E+08"}, {1e100, "1.E+100"}, {2.5e-300, "2.5E-300"},
    };
    for (const auto &[value, text] : rows)
        EXPECT_EQ(formatScientific(value), text) << value;
}

TEST(NumberText, ReadsTheLeadingNumber) {
    const std::pair<const char *, double> rows[] = {
        {"30)", 30},
        {"+ ", 0},
        {"", 0},
        {"abc", 0},
        {" 5", 5},
        {"-.25", -0.25},
        {"5.E-01", 0.5},
        {"1.2345E+04", 12345},
        {"2D3", 2000},
        {"1e-3", 0.001},
        {"1E", 1},
        {"1E+", 1},
        {"7 8", 7},
        {"1E-400", 0},
        {"5.5.5", 5.5},
        {"Calcul impossible", 0},
        {"0.000000000000000000001E+21", 1},
    };
    for (const auto &[text, value] : rows) {
        const std::optional<double> v = readNumber(text);
        ASSERT_TRUE(v.has_value()) << text;
        EXPECT_DOUBLE_EQ(*v, value) << text;
    }
    EXPECT_FALSE(readNumber("1E400").has_value());
    EXPECT_FALSE(readNumber("-1E309").has_value());
    EXPECT_FALSE(readNumber("1E99999999999999999999").has_value());
    EXPECT_FALSE(readNumber(std::string(400, '9')).has_value());
}

TEST(NumberText, WrittenValuesReadBack) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> exponent(-300, 300);
    for (int i = 0; i < 2000; ++i) {
        const double v = (random() % 2 ? -1 : 1) * std::pow(10.0, exponent(random));
        const std::optional<double> back = readNumber(formatNumber(v));
        ASSERT_TRUE(back.has_value());
        EXPECT_NEAR(*back / v, 1, 1e-14) << formatNumber(v);
    }
}
