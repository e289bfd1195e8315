#include "exercises/ExerciseText.h"

#include "richtext/RichText.h"

#include <QFileInfo>
#include <QTextDocument>
#include <QTextEdit>

namespace exercises {

bool loadRichText(QTextEdit *box, const QString &path) {
    if (!QFileInfo(path).isFile()) return false;
    auto result = richtext::readRtfFile(path);
    auto *document = std::get_if<std::unique_ptr<QTextDocument>>(&result);
    if (!document) return false;
    QTextDocument *previous = box->document();
    // The box deletes only the document it made itself; the ones given to it are ours.
    const bool ours = previous->parent() == box;
    QTextDocument *loaded = document->release();
    loaded->setParent(box);
    box->setDocument(loaded);
    if (ours) delete previous;
    box->moveCursor(QTextCursor::Start);
    return true;
}

} // namespace exercises
