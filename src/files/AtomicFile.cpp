#include "files/AtomicFile.h"

#include <QSaveFile>

namespace files {

bool writeFileReplacing(const QString &path, QByteArrayView bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    // A write cut short may stay in the file's buffer until commit, which does not check the
    // flushing of it and would rename a truncated file over the target: flush first, and give up
    // the temporary file on any shortfall.
    if (file.write(bytes.data(), bytes.size()) != bytes.size() || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace files
