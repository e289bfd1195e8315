// libFuzzer target for the calculator's evaluator: any bytes, as an expression, must end with a
// result code and never crash, leak, hang or run into undefined behaviour. The first byte
// chooses the angle mode (odd: radians).

#include "calculator/CalculatorNumberText.h"
#include "calculator/Evaluator.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size == 0) return 0;
    const auto mode = data[0] & 1 ? calculator::AngleMode::Radians : calculator::AngleMode::Degrees;
    const std::string_view text(reinterpret_cast<const char *>(data) + 1, size - 1);
    const calculator::Evaluation e = calculator::evaluateExpression(text, mode);
    if (e.code < 0 || e.code > 3) __builtin_trap();
    if (e.code != 0) {
        if (!e.text.empty()) __builtin_trap();
        return 0;
    }
    // A success is one number text, and what the calculator shows of it reads back.
    if (e.text.find_first_not_of("0123456789.+-ED") != std::string::npos) __builtin_trap();
    if (const std::optional<double> value = calculator::readNumber(e.text)) {
        if (!calculator::readNumber(calculator::formatNumber(*value))) __builtin_trap();
        if (!calculator::readNumber(calculator::formatScientific(*value))) __builtin_trap();
    }
    return 0;
}
