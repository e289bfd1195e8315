// Times the calculator's evaluator on an expression as the keypad writes it, and on a
// 10 000-character one (groups, functions and operators repeated) whose rescans dominate.

#include "calculator/Evaluator.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

void typicalKeypadExpression(benchmark::State &st) {
    const std::string expression = "2 * sin 30 + 3.5E-3 / (1 + 2 ^ 2)";
    for (auto _ : st) {
        calculator::Evaluation e =
            calculator::evaluateExpression(expression, calculator::AngleMode::Degrees);
        benchmark::DoNotOptimize(e.text.data());
    }
}
BENCHMARK(typicalKeypadExpression)->Unit(benchmark::kMicrosecond);

// Values written back stay short, so that the token form keeps within the evaluator's 10 922
// characters while every group, function and operator is evaluated.
std::string longExpression() {
    const std::string piece = "(12.5 * 4 - SQR 6.25) / 5 + log 100 * 2 ^ 3 - ";
    std::string s;
    while (s.size() + piece.size() < 9999)
        s += piece;
    s += "1";
    return s + std::string(10000 - s.size(), ' ');
}

void longExpression10000(benchmark::State &st) {
    const std::string expression = longExpression();
    for (auto _ : st) {
        calculator::Evaluation e =
            calculator::evaluateExpression(expression, calculator::AngleMode::Radians);
        if (e.code != 0) st.SkipWithError("the long expression did not evaluate");
        benchmark::DoNotOptimize(e.text.data());
    }
    st.counters["characters"] = static_cast<double>(expression.size());
}
BENCHMARK(longExpression10000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
