#pragma once

#include "exercises/ExerciseText.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

class QAction;
class QTextDocument;
class QMenu;
class QWidget;

namespace exercises {

class ExerciseAuthoring;
class ExerciseHost;
class Fichexo;

// The exercise menu `optionexo` and its commands over the main window's text box `supertext`
// and its title field `fich`: the getting-started material, opening an exercise, its
// correction, saving, retrieving and printing the text, closing the exercise; and the
// exercises asked for from outside (the launcher, the command line). Edits of the text are
// guarded: a command that would replace an edited text asks first.
class ExerciseMenu : public QObject {
    Q_OBJECT

  public:
    // What the text box shows.
    enum class TextState {
        GettingStartedText,     // at start and after "Fermer l'exercice": locked, fich empty
        GettingStartedMaterial, // "Prise en main": editable, fich the ".PEM" file
        Statement,              // an exercise's statement: editable, fich the exercise file
                                // (or NewExerciseTitle while a new one is written)
        Correction,             // "Voir la correction": locked, fich unchanged
        RetrievedText,          // "Retrouver un texte": editable, fich "Texte: " and the path
    };

    static inline const QString FileFilter = QStringLiteral("Texte au format RTF (*.rtf *.RTF)");
    static inline const QString GettingStartedFile = QStringLiteral("focalines.PEM");
    // fich while the teacher writes the statement of a new exercise in the box.
    static inline const QString NewExerciseTitle = QStringLiteral("Nouvel exercice");

    explicit ExerciseMenu(ExerciseHost &host, QObject *parent = nullptr);
    ~ExerciseMenu() override;

    QMenu *menu() const { return menu_; }
    // An item of the menu by its name ("PRISENMAIN", "opencor", …).
    QAction *item(const QString &objectName) const;

    const ExerciseState &state() const { return state_; }
    bool textModified() const { return state_.textModified; }
    bool correctionAvailable() const { return state_.correctionAvailable; }
    QString exerciseDir() const { return state_.exerciseDir; }
    // Read from the title field and the box's locking.
    TextState textState() const;

    // btexo_Click: shows the menu at the lower-left corner of `button`, its items enabled by the
    // rules.
    void showMenu(QWidget *button);
    // "Voir la correction" exactly when a correction is available, "Fermer l'exercice" exactly
    // when fich names something.
    void updateEnabling();

    // The unsaved-text question when the text was edited; true to go on.
    bool mayDiscardText();
    // Before the program ends: the unsaved-text question, then the authoring window's question
    // about an exercise changed and not saved; true to go on.
    bool mayQuit();

    // The items, with the names of their controls: PRISENMAIN "Prise en main", openexo "Ouvrir un
    // exercice (énoncé + configuration)", opencor "Voir la correction", savetexte "Enregistrer le
    // contenu de la fenêtre exercice", opentexte "Retrouver un texte", imprimetexte "Imprimer le
    // contenu de la fenêtre exercice", Closexo "Fermer l'exercice".
    void openGettingStarted();
    void showExercisesWindow();
    void showCorrection();
    void saveText();
    void retrieveText();
    void printText();
    void closeExercise();
    // "Créer un exercice…": the authoring window, empty unless it is open already.
    void createExercise();
    // "Modifier un exercice…": an exercise file chosen, shown in the authoring window.
    void editExercise();
    // The authoring window, made at its first use.
    ExerciseAuthoring *authoringWindow();

    // What "Imprimer" prints: a copy of the selection when asked and there is one, else of the
    // whole text.
    std::unique_ptr<QTextDocument> textToPrint(bool selectionOnly) const;

    // The launcher's request: `name`, relative to the program's directory, opened as the
    // exercises window would, after the unsaved-text question; its correction may then be
    // shown.
    void serveRequest(const QString &name);
    // An exercise file named on the command line: previewed and, when the preview could read
    // it, opened from its own folder.
    void openExerciseFile(const QString &path);

    // The file dialogs, replaceable by tests: a path, or empty when cancelled. Both open in
    // `textFolder()`.
    std::function<QString(QWidget *parent)> chooseSaveFile;
    std::function<QString(QWidget *parent)> chooseOpenFile;
    // Where the text dialogs open: the folder of the last text saved or retrieved, else the
    // user's documents, else the home folder; never a folder the user cannot write into (the
    // program's own folder, once installed).
    QString textFolder() const;
    // The exercise file that "Modifier un exercice…" opens; it starts in `exerciseFolder()`.
    std::function<QString(QWidget *parent)> chooseExerciseFile;
    // The folder of the exercise made or edited last in the authoring window, else
    // `textFolder()`.
    QString exerciseFolder() const;

  private:
    QAction *addItem(const char *name, const QString &caption, void (ExerciseMenu::*command)());
    void showGettingStartedText();

    ExerciseHost &host_;
    ExerciseState state_;
    QString lastTextFolder_;
    QMenu *menu_;
    QPointer<ExerciseAuthoring> authoring_;
};

} // namespace exercises
