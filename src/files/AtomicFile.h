#pragma once

#include <QByteArrayView>
#include <QString>

namespace files {

// Writes the bytes to a temporary file beside the target and renames it over the target, so
// that a failed write (a full disk, a file-size limit, no permission) leaves an existing file as
// it was and no part of the new one. False on failure.
bool writeFileReplacing(const QString &path, QByteArrayView bytes);

} // namespace files
