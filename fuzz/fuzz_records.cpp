// libFuzzer target for the record layout shared by every file the program reads: any bytes give
// whole records or a status, never a read beyond the bytes held.

#include "config/RecordFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const config::RecordReader reader(
        QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)));
    const int count = reader.recordCount();
    if (count < 0 || static_cast<std::size_t>(count) * config::RecordSize > size) __builtin_trap();
    for (int n = 0; n <= count + 1; ++n) {
        const config::Record r = reader.read(n);
        if (r.status == config::Record::Ok && r.text.size() > config::RecordTextMax)
            __builtin_trap();
        // A text read is written back to the same record and read again unchanged.
        if (r.status == config::Record::Ok && n >= 1) {
            config::RecordWriter writer;
            if (writer.put(n, r.text) &&
                config::RecordReader(writer.bytes()).read(n).text != r.text)
                __builtin_trap();
        }
    }
    return 0;
}
