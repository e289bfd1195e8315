#include "config/HandOverFile.h"

#include "config/RecordFile.h"
#include "ui/Windows1252.h"

#include <QFile>
#include <QFileInfo>

namespace config {

namespace {
qint64 recordOffset(int n) {
    return qint64(n - 1) * RecordSize;
}
} // namespace

bool HandOverFile::writeRecord(int n, const QString &text) const {
    if (n < 1) return false;
    QByteArray bytes = ui::toWindows1252(text).left(RecordTextMax);
    QByteArray record(RecordSize, '\0');
    record[0] = char(bytes.size() & 0xff);
    record[1] = char((bytes.size() >> 8) & 0xff);
    record.replace(2, bytes.size(), bytes);
    // Only a regular file (or none yet) is written: a pipe or a device would block or swallow it.
    QFileInfo info(path_);
    if (info.exists() && !info.isFile()) return false;
    QFile file(path_);
    if (!file.open(QIODevice::ReadWrite)) return false;
    // A file shorter than the record's place grows with empty records before it.
    if (file.size() < recordOffset(n) && !file.resize(recordOffset(n))) return false;
    return file.seek(recordOffset(n)) && file.write(record) == record.size() && file.flush();
}

QString HandOverFile::readRecord(int n) const {
    if (n < 1) return {};
    auto bytes = readRecordFile(path_, n);
    if (!bytes) return {};
    Record r = RecordReader(*bytes).read(n);
    return r.status == Record::Ok ? r.text : QString();
}

QString HandOverFile::takeRequest() const {
    QString request = readRecord(RequestRecord);
    writeRecord(RequestRecord, QString());
    return request;
}

} // namespace config
