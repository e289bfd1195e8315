#include "config/RecordFile.h"

#include "files/ReadFile.h"
#include "ui/Windows1252.h"

#include <QFileInfo>

namespace config {

RecordReader::RecordReader(QByteArray bytes) : bytes_(std::move(bytes)) {}

int RecordReader::recordCount() const {
    return int(bytes_.size() / RecordSize);
}

Record RecordReader::read(int n) const {
    Record r;
    if (n < 1 || n > recordCount()) return r;
    const qsizetype offset = qsizetype(n - 1) * RecordSize;
    const auto lo = static_cast<unsigned char>(bytes_[offset]);
    const auto hi = static_cast<unsigned char>(bytes_[offset + 1]);
    const int length = lo | (hi << 8);
    if (length > RecordTextMax) {
        r.status = Record::BadLength;
        return r;
    }
    r.status = Record::Ok;
    r.text = ui::fromWindows1252(bytes_.mid(offset + 2, length));
    return r;
}

bool RecordWriter::put(int n, const QString &text) {
    const QByteArray encoded = ui::toWindows1252(text);
    if (n < 1 || encoded.size() > RecordTextMax) return false;
    const qsizetype offset = qsizetype(n - 1) * RecordSize;
    if (bytes_.size() < offset + RecordSize) bytes_.resize(offset + RecordSize, '\0');
    bytes_[offset] = char(encoded.size() & 0xff);
    bytes_[offset + 1] = char((encoded.size() >> 8) & 0xff);
    for (qsizetype i = 0; i < RecordTextMax; ++i)
        bytes_[offset + 2 + i] = i < encoded.size() ? encoded[i] : '\0';
    return true;
}

std::optional<QByteArray> readRecordFile(const QString &path, int maxRecords) {
    if (!QFileInfo::exists(path)) return QByteArray();
    return files::readRegularFile(path, qint64(maxRecords) * RecordSize);
}

} // namespace config
