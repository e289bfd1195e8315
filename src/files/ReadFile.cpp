#include "files/ReadFile.h"

#include <QFile>
#include <QFileInfo>

namespace files {

std::optional<QByteArray> readRegularFile(const QString &path, qint64 maxBytes) {
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) return std::nullopt;
    QByteArray bytes = maxBytes < 0 ? file.readAll() : file.read(maxBytes);
    if (file.error() != QFileDevice::NoError) return std::nullopt;
    return bytes;
}

} // namespace files
