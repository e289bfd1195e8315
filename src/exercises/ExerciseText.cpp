#include "exercises/ExerciseText.h"

#include "exercises/ExerciseHost.h"
#include "richtext/RichText.h"
#include "ui/MessageBoxes.h"

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

namespace {

void reportMissing(QWidget *parent, const QString &name) {
    ui::showCritical(parent, QStringLiteral("Fichier absent"),
                     QStringLiteral("Le fichier ") + name + QStringLiteral(" est introuvable"));
}

} // namespace

void reportUnloadedText(QWidget *parent, const QString &path, const QString &shownName) {
    if (!QFileInfo(path).isFile()) {
        reportMissing(parent, shownName);
        return;
    }
    ui::showCritical(parent, QStringLiteral("Fichier illisible"),
                     QStringLiteral("Le fichier ") + path +
                         QString::fromUtf8(" existe, mais ce n'est pas un texte que Focalines "
                                           "sait lire (RTF ou texte brut)."));
}

void loadNamedConfiguration(ExerciseHost &host, QWidget *parent, const QString &path,
                            const QString &shownName) {
    if (!QFileInfo(path).isFile()) {
        reportMissing(parent, shownName);
        return;
    }
    host.loadExerciseConfiguration(path);
}

} // namespace exercises
