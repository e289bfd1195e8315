#include "exercises/ExerciseMenu.h"

#include "exercises/ExerciseAuthoring.h"
#include "exercises/ExerciseFile.h"
#include "exercises/ExerciseHost.h"
#include "exercises/Fichexo.h"
#include "exercises/IntroText.h"
#include "printing/PrinterChoice.h"
#include "richtext/RichText.h"
#include "ui/MessageBoxes.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPrinter>
#include <QStandardPaths>
#include <QTextCharFormat>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextEdit>

namespace exercises {

namespace {

QString chooseFile(QWidget *parent, QFileDialog::AcceptMode mode, const QString &folder) {
    QFileDialog dialog(parent);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // The overwrite question is ours, with its own words.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(mode);
    dialog.setNameFilter(ExerciseMenu::FileFilter);
    dialog.setDirectory(folder);
    if (mode == QFileDialog::AcceptSave) {
        dialog.setWindowTitle(QStringLiteral("Enregistrer le contenu de la fenêtre exercice"));
        dialog.setDefaultSuffix(QStringLiteral("RTF"));
        dialog.setFileMode(QFileDialog::AnyFile);
    } else {
        dialog.setWindowTitle(QStringLiteral("Retrouver un texte"));
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.selectFile(QStringLiteral("*.rtf"));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().constFirst();
}

// A folder the user can write into, or empty.
QString writableFolder(const QString &path) {
    const QFileInfo folder(path);
    return !path.isEmpty() && folder.isDir() && folder.isWritable() ? folder.absoluteFilePath()
                                                                    : QString();
}

// The wait cursor while a command loads, restored however the command ends.
class WaitCursor {
  public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

} // namespace

ExerciseMenu::ExerciseMenu(ExerciseHost &host, QObject *parent)
    : QObject(parent), host_(host), menu_(new QMenu(host.hostWindow())) {
    menu_->setObjectName(QStringLiteral("optionexo"));
    addItem("PRISENMAIN", QStringLiteral("Prise en main"), &ExerciseMenu::openGettingStarted);
    menu_->addSeparator()->setObjectName(QStringLiteral("separons1"));
    addItem("openexo", QString::fromUtf8("Ouvrir un exercice (énoncé + configuration)"),
            &ExerciseMenu::showExercisesWindow);
    addItem("opencor", QStringLiteral("Voir la correction"), &ExerciseMenu::showCorrection);
    menu_->addSeparator()->setObjectName(QStringLiteral("separons2"));
    addItem("savetexte", QString::fromUtf8("Enregistrer le contenu de la fenêtre exercice"),
            &ExerciseMenu::saveText);
    addItem("opentexte", QStringLiteral("Retrouver un texte"), &ExerciseMenu::retrieveText);
    addItem("imprimetexte", QString::fromUtf8("Imprimer le contenu de la fenêtre exercice"),
            &ExerciseMenu::printText);
    menu_->addSeparator()->setObjectName(QStringLiteral("separons3"));
    addItem("Closexo", QStringLiteral("Fermer l'exercice"), &ExerciseMenu::closeExercise);
    // The teacher's commands, after the pupil's.
    menu_->addSeparator()->setObjectName(QStringLiteral("separons4"));
    addItem("createexo", QString::fromUtf8("Créer un exercice…"), &ExerciseMenu::createExercise);
    addItem("editexo", QString::fromUtf8("Modifier un exercice…"), &ExerciseMenu::editExercise);
    connect(menu_, &QMenu::aboutToShow, this,
            [this] { item(QStringLiteral("opencor"))->setEnabled(state_.correctionAvailable); });

    chooseSaveFile = [this](QWidget *p) {
        return chooseFile(p, QFileDialog::AcceptSave, textFolder());
    };
    chooseOpenFile = [this](QWidget *p) {
        return chooseFile(p, QFileDialog::AcceptOpen, textFolder());
    };
    chooseExerciseFile = [this](QWidget *p) {
        QFileDialog dialog(p, QStringLiteral("Modifier un exercice"));
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setNameFilter(QStringLiteral("Exercices de Focalines (*.E21 *.e21)"));
        dialog.setDirectory(exerciseFolder());
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        return dialog.selectedFiles().constFirst();
    };

    // supertext_Change: an edit counts once fich names what the box shows.
    connect(host_.exerciseText(), &QTextEdit::textChanged, this, [this] {
        if (!host_.exerciseTitle()->text().isEmpty()) state_.textModified = true;
    });
}

ExerciseMenu::~ExerciseMenu() {
    delete authoring_;
}

QAction *ExerciseMenu::addItem(const char *name, const QString &caption,
                               void (ExerciseMenu::*command)()) {
    QAction *action = menu_->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, [this, command] { (this->*command)(); });
    return action;
}

QAction *ExerciseMenu::item(const QString &objectName) const {
    for (QAction *a : menu_->actions())
        if (a->objectName() == objectName) return a;
    return nullptr;
}

ExerciseMenu::TextState ExerciseMenu::textState() const {
    const QString fich = host_.exerciseTitle()->text();
    if (fich.isEmpty()) return TextState::GettingStartedText;
    if (fich.startsWith(QStringLiteral("Texte: "))) return TextState::RetrievedText;
    if (host_.exerciseText()->isReadOnly()) return TextState::Correction;
    if (QFileInfo(fich).fileName().compare(GettingStartedFile, Qt::CaseInsensitive) == 0)
        return TextState::GettingStartedMaterial;
    return TextState::Statement;
}

void ExerciseMenu::updateEnabling() {
    item(QStringLiteral("opencor"))->setEnabled(state_.correctionAvailable);
    item(QStringLiteral("Closexo"))->setEnabled(!host_.exerciseTitle()->text().isEmpty());
}

void ExerciseMenu::showMenu(QWidget *button) {
    updateEnabling();
    menu_->popup(button->mapToGlobal(QPoint(0, button->height())));
}

bool ExerciseMenu::mayDiscardText() {
    if (!state_.textModified) return true;
    // Enter must not throw a pupil's answers away: Cancel is the default.
    return ui::askOkCancel(host_.hostWindow(), QStringLiteral("Abandon des données?"),
                           QStringLiteral("Attention: perte des modifications du texte."),
                           ui::DefaultAnswer::Cancel);
}

bool ExerciseMenu::mayQuit() {
    return mayDiscardText() && (!authoring_ || authoring_->mayDiscard());
}

// Prise en main: the getting-started material of the program's directory, editable.
void ExerciseMenu::openGettingStarted() {
    const QString dir = host_.programDirectory();
    const QString path = resolveName(dir, GettingStartedFile);
    if (!QFileInfo::exists(path) || !mayDiscardText()) return;
    const auto read = readExerciseFile(path);
    const auto *file = std::get_if<ExerciseFile>(&read);
    QTextEdit *box = host_.exerciseText();
    if (!file || !loadRichText(box, resolveName(dir, file->statement))) {
        ui::showCritical(host_.hostWindow(), QStringLiteral("Erreur lors du chargement"),
                         QStringLiteral("Fichier introuvable. Revoir l'installation du logiciel."));
        return;
    }
    state_.exerciseDir = dir;
    host_.exerciseTitle()->setText(path);
    state_.correctionAvailable = false;
    host_.setValuesHidden(false);
    if (!isBlank(file->configuration))
        loadNamedConfiguration(host_, host_.hostWindow(), resolveName(dir, file->configuration),
                               dir + file->configuration);
    box->setReadOnly(false);
    state_.textModified = false;
}

void ExerciseMenu::showExercisesWindow() {
    if (!mayDiscardText()) return;
    Fichexo window(host_, state_, host_.hostWindow());
    window.exec();
}

void ExerciseMenu::showCorrection() {
    if (!mayDiscardText()) return;
    WaitCursor wait;
    const auto read = readExerciseFile(host_.exerciseTitle()->text());
    if (const auto *error = std::get_if<config::FileError>(&read)) {
        ui::showCritical(host_.hostWindow(), error->title, error->text);
        return;
    }
    const ExerciseFile &e = std::get<ExerciseFile>(read);
    QTextEdit *box = host_.exerciseText();
    const QString correction = resolveName(state_.exerciseDir, e.correction);
    if (!isBlank(e.correction) && !loadRichText(box, correction)) {
        reportUnloadedText(host_.hostWindow(), correction, state_.exerciseDir + e.correction);
        return;
    }
    host_.setValuesHidden(false);
    if (!isBlank(e.correctionConfiguration))
        loadNamedConfiguration(host_, host_.hostWindow(),
                               resolveName(state_.exerciseDir, e.correctionConfiguration),
                               state_.exerciseDir + e.correctionConfiguration);
    box->setReadOnly(true);
    state_.textModified = false;
}

QString ExerciseMenu::textFolder() const {
    for (const QString &folder :
         {lastTextFolder_, QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
          QStandardPaths::writableLocation(QStandardPaths::HomeLocation)})
        if (const QString writable = writableFolder(folder); !writable.isEmpty()) return writable;
    return QDir::homePath();
}

QString ExerciseMenu::exerciseFolder() const {
    if (authoring_)
        if (const QFileInfo folder(authoring_->folder()); folder.isDir())
            return folder.absoluteFilePath();
    return textFolder();
}

void ExerciseMenu::saveText() {
    const QString path = chooseSaveFile(host_.hostWindow());
    if (path.isEmpty()) return;
    const QFileInfo target(path);
    if (target.exists() && !ui::askToReplace(host_.hostWindow(), target.fileName())) return;
    if (target.isDir() || richtext::writeRtfFile(*host_.exerciseText()->document(), path)) {
        ui::showCritical(host_.hostWindow(), QString::fromUtf8("Erreur d'écriture."),
                         QString::fromUtf8("Vérifier l'état du lecteur et le nom du fichier."));
        return;
    }
    lastTextFolder_ = target.absolutePath();
    state_.textModified = false;
}

void ExerciseMenu::retrieveText() {
    if (!mayDiscardText()) return;
    const QString path = chooseOpenFile(host_.hostWindow());
    if (path.isEmpty()) return;
    QTextEdit *box = host_.exerciseText();
    if (!loadRichText(box, path)) {
        ui::showCritical(host_.hostWindow(), QStringLiteral("Erreur de lecture."),
                         QString::fromUtf8("Vérifier l'état du lecteur et le nom du fichier."));
        return;
    }
    lastTextFolder_ = QFileInfo(path).absolutePath();
    state_.correctionAvailable = false;
    box->setReadOnly(false);
    host_.exerciseTitle()->setText(QStringLiteral("Texte: ") + path);
    state_.textModified = false;
}

std::unique_ptr<QTextDocument> ExerciseMenu::textToPrint(bool selectionOnly) const {
    QTextEdit *box = host_.exerciseText();
    const QTextCursor cursor = box->textCursor();
    if (!selectionOnly || !cursor.hasSelection())
        return std::unique_ptr<QTextDocument>(box->document()->clone());
    auto document = std::make_unique<QTextDocument>();
    document->setDefaultFont(box->document()->defaultFont());
    QTextCursor(document.get()).insertFragment(cursor.selection());
    return document;
}

// The selection, or the whole text, with its formatting; a failure has been shown by the
// printing itself.
void ExerciseMenu::printText() {
    printing::PrinterChoice &choice = printing::PrinterChoice::shared();
    const bool selection = host_.exerciseText()->textCursor().hasSelection();
    choice.printer().setPrintRange(selection ? QPrinter::Selection : QPrinter::AllPages);
    if (!choice.choose(host_.hostWindow(), selection)) return;
    const auto document = textToPrint(choice.printer().printRange() == QPrinter::Selection);
    choice.print(
        host_.hostWindow(),
        [&document](QPagedPaintDevice &device) {
            document->print(&device);
            return true;
        },
        QString::fromUtf8("Focalines - texte de l'exercice"));
}

void ExerciseMenu::closeExercise() {
    if (!mayDiscardText()) return;
    showGettingStartedText();
}

ExerciseAuthoring *ExerciseMenu::authoringWindow() {
    if (!authoring_) {
        authoring_ = new ExerciseAuthoring(host_, host_.hostWindow());
        authoring_->openExercise = [this](const QString &path) {
            if (mayDiscardText()) openExerciseFile(path);
        };
        authoring_->textSaved = [this] { state_.textModified = false; };
    }
    return authoring_;
}

void ExerciseMenu::createExercise() {
    // The locked getting-started text gives way to a blank page where the teacher writes the
    // statement, guarded as a statement is.
    if (textState() == TextState::GettingStartedText) {
        host_.exerciseTitle()->setText(NewExerciseTitle);
        host_.exerciseText()->clear();
        // The teacher's words in the box's plain text, not in the welcome title's format that
        // its cursor still holds.
        host_.exerciseText()->setCurrentCharFormat(QTextCharFormat());
        host_.exerciseText()->setReadOnly(false);
        state_.textModified = false;
    }
    ExerciseAuthoring *window = authoringWindow();
    if (!window->isVisible()) window->startNew();
    // Beside the main window: the bench and the text to take stay in sight.
    window->showBeside(host_.hostWindow());
}

void ExerciseMenu::editExercise() {
    ExerciseAuthoring *window = authoringWindow();
    if (!window->mayDiscard()) return;
    const QString path = chooseExerciseFile(host_.hostWindow());
    if (path.isEmpty() || !window->edit(path)) return;
    window->showBeside(host_.hostWindow());
}

void ExerciseMenu::showGettingStartedText() {
    host_.exerciseTitle()->clear();
    buildIntroText(host_.exerciseText());
    state_.correctionAvailable = false;
    host_.setValuesHidden(false);
    state_.textModified = false;
}

void ExerciseMenu::serveRequest(const QString &name) {
    if (!mayDiscardText()) return;
    const QString dir = host_.programDirectory();
    const QString path = resolveName(dir, name.trimmed());
    if (path.isEmpty()) { // a name outside the program's folder: as a missing file
        const config::FileError error = unreadableExercise();
        ui::showCritical(host_.hostWindow(), error.title, error.text);
        return;
    }
    Fichexo window(host_, state_, host_.hostWindow());
    window.setSelection(dir, path);
    if (!window.openExercise()) return;
    state_.correctionAvailable = true;
}

void ExerciseMenu::openExerciseFile(const QString &path) {
    const QFileInfo file(path);
    const QString dir = file.absolutePath() + QLatin1Char('/');
    Fichexo window(host_, state_, host_.hostWindow());
    // The user's own choice, not a name read from a file: a link leading elsewhere is followed.
    const QString resolved = resolveName(dir, file.fileName());
    window.setSelection(dir, resolved.isEmpty() ? file.absoluteFilePath() : resolved);
    // The preview has reported a file it cannot read: opening it would say so a second time.
    if (window.apercu()) window.openExercise();
}

} // namespace exercises
