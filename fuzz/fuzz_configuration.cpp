// libFuzzer target for configuration files: any bytes, as a ".P09" file, are either refused with
// a French title and text, or accepted, applied to the bench and drawn, without a crash, a leak,
// a hang or undefined behaviour.

#include "bench/figure/FigureUpdate.h"
#include "config/ConfigurationFile.h"
#include "ui/RecordingSurface.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <variant>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fuzz.P09"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) __builtin_trap();
        file.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size));
    }
    const auto read = config::readConfiguration(path);
    if (const auto *error = std::get_if<config::FileError>(&read)) {
        if (error->title.isEmpty() || error->text.isEmpty()) __builtin_trap();
        return 0;
    }
    bench::BenchState state = bench::BenchState::startup();
    config::applyConfiguration(state, std::get<config::Configuration>(read));
    ui::RecordingSurface surface(775, 265);
    bench::majaff(state, surface);
    // What was accepted is written back and read again as the same configuration.
    const auto bytes = config::configurationBytes(state);
    if (!bytes) return 0;
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) __builtin_trap();
        file.write(*bytes);
    }
    if (!std::holds_alternative<config::Configuration>(config::readConfiguration(path)))
        __builtin_trap();
    return 0;
}
