#include "bench/FieldNumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace bench;

TEST(FieldNumber, ReadsCommaOrPointAndRefusesTheRest) {
    struct Row {
        const char *text;
        bool readable;
        float value;
    };
    const Row rows[] = {
        {"15,0", true, 15.0f}, {"15.0", true, 15.0f},  {" 2,5 ", true, 2.5f},   {"-3", true, -3.0f},
        {"+4", true, 4.0f},    {"1e3", true, 1000.0f}, {"1,5E-1", true, 0.15f}, {",5", true, 0.5f},
        {"7,", true, 7.0f},    {"", false, 0},         {",", false, 0},         {"-", false, 0},
        {"abc", false, 0},     {"1,2,3", false, 0},    {"12abc", false, 0},     {"1e", false, 0},
        {"1e50", false, 0},    {"--1", false, 0},      {"1 000", false, 0},
    };
    for (const Row &r : rows) {
        const auto v = parseFieldNumber(QString::fromUtf8(r.text));
        EXPECT_EQ(v.has_value(), r.readable) << r.text;
        if (v && r.readable) {
            EXPECT_FLOAT_EQ(*v, r.value) << r.text;
        }
        EXPECT_FLOAT_EQ(fieldValue(QString::fromUtf8(r.text)), r.readable ? r.value : 0.0f)
            << r.text;
    }
}

TEST(FieldNumber, FormatsWithCommaAndSchoolRounding) {
    struct Row {
        double value;
        int decimals;
        int digits;
        const char *text;
    };
    const Row rows[] = {
        {15, 1, 7, "15,0"},
        {-6, 1, 15, "-6,0"},
        {45, 2, 7, "45,00"},
        {0, 3, 7, "0,000"},
        // A single holding 1,15 is 1,1499999: the rounding follows what the user typed.
        {double(1.15f), 1, 7, "1,2"},
        {double(59.9f), 1, 7, "59,9"},
        {0.05, 1, 15, "0,1"},
        {0.125, 2, 15, "0,13"},
        {9.96, 1, 15, "10,0"},
        {99.95, 1, 15, "100,0"},
        {0.0005, 3, 15, "0,001"},
        {0.0004, 3, 15, "0,000"},
        {0.00004, 1, 15, "0,0"},
        // A value that rounds to zero carries no minus sign.
        {-0.04, 1, 15, "0,0"},
        {-1.7632698, 3, 15, "-1,763"},
        {1234567.85, 1, 15, "1234567,9"},
        {1e6, 1, 7, "1000000,0"},
        {std::nan(""), 1, 7, "0,0"},
    };
    for (const Row &r : rows)
        EXPECT_EQ(formatFixed(r.value, r.decimals, r.digits), QString::fromUtf8(r.text))
            << r.value << " " << r.decimals;
}

TEST(FieldNumber, GeneralFormatAndBankersRounding) {
    EXPECT_EQ(formatGeneral(8), "8");
    EXPECT_EQ(formatGeneral(8.5), "8,5");
    EXPECT_EQ(formatGeneral(0.5), "0,5");
    EXPECT_EQ(formatGeneral(50), "50");

    const double in[] = {0.5, 1.5, 2.5, -0.5, -1.5, 2.4999, 2.5001};
    const double out[] = {0, 2, 2, 0, -2, 2, 3};
    for (size_t i = 0; i < std::size(in); ++i)
        EXPECT_EQ(roundHalfEven(in[i]), out[i]) << in[i];
}

TEST(FieldNumber, WrittenValuesReadBackWithinHalfAUnit) {
    std::mt19937 rng(42);
    std::uniform_real_distribution<double> magnitude(-8, 6);
    for (int i = 0; i < 20000; ++i) {
        const float v = float((rng() % 2 ? 1 : -1) * std::pow(10.0, magnitude(rng)));
        const int decimals = 1 + int(rng() % 3);
        const QString text = formatFixed(v, decimals, 7);
        const auto back = parseFieldNumber(text);
        ASSERT_TRUE(back.has_value()) << text.toStdString();
        // Half a unit of the last decimal, plus the precision of a single.
        const double tolerance = 0.5 * std::pow(10.0, -decimals) + std::fabs(v) * 1e-6;
        EXPECT_NEAR(*back, v, tolerance) << text.toStdString();
        EXPECT_FALSE(text.startsWith("-0,") && *back == 0) << text.toStdString();
    }
}

TEST(FieldNumber, RandomTextsNeverBreakTheReader) {
    std::mt19937 rng(7);
    const QString alphabet = QString::fromUtf8("0123456789,.-+eE abc€\t");
    for (int i = 0; i < 20000; ++i) {
        QString t;
        const int len = int(rng() % 30);
        for (int j = 0; j < len; ++j)
            t += alphabet[int(rng() % alphabet.size())];
        if (const auto v = parseFieldNumber(t)) {
            EXPECT_TRUE(std::isfinite(*v)) << t.toStdString();
        }
    }
}
