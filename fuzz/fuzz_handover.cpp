// libFuzzer target for the launcher's hand-over file: any bytes, as "TEMPtS.TMP", give a request
// (or none) that is served once, and writing the program's records leaves the launcher's other
// records byte for byte as they were.

#include "config/HandOverFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace {

QByteArray fileBytes(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    static QTemporaryDir dir;
    const QString path = dir.filePath(config::HandOverFile::FileName);
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) __builtin_trap();
        file.write(bytes);
    }
    const config::HandOverFile handOver(path);
    handOver.takeRequest();
    if (!handOver.readRecord(config::HandOverFile::RequestRecord).isEmpty()) __builtin_trap();
    handOver.writeRecord(config::HandOverFile::RunningRecord, QStringLiteral("OUI"));
    // Every whole record other than the program's two is the launcher's and is kept.
    const QByteArray after = fileBytes(path);
    constexpr int Record = 128;
    for (int n = 1; n * Record <= bytes.size(); ++n) {
        if (n == config::HandOverFile::RunningRecord || n == config::HandOverFile::RequestRecord)
            continue;
        if (after.mid((n - 1) * Record, Record) != bytes.mid((n - 1) * Record, Record))
            __builtin_trap();
    }
    return 0;
}
