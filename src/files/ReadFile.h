#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace files {

// The bytes of a regular file, the first maxBytes of them when maxBytes is not negative; none
// when the path names no regular file (a directory cannot be read, and a pipe or a device could
// block or never end) or when it cannot be read.
std::optional<QByteArray> readRegularFile(const QString &path, qint64 maxBytes = -1);

} // namespace files
