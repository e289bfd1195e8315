#pragma once

#include "exercises/ExerciseWriter.h"

#include <QDialog>

#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRect;
class QScrollArea;
class QSpinBox;

namespace exercises {

class ExerciseHost;

// "Créer un exercice" and "Modifier un exercice": the window where a teacher makes an exercise.
// It lies beside the main window without blocking it, so that the teacher sets up a bench or
// types a text there, then takes it here ("Prendre le banc actuel", "Prendre le texte actuel").
// "Enregistrer" writes the exercise file and its companions through the exercise writer, the
// one the command line uses, after one question about the files it would replace.
class ExerciseAuthoring : public QDialog {
    Q_OBJECT

  public:
    ExerciseAuthoring(ExerciseHost &host, QWidget *parent = nullptr);

    // An empty exercise, to be saved in the user's documents folder.
    void startNew();
    // The exercise of `path`, every field filled from it; false, after its message, when it
    // cannot be read.
    bool edit(const QString &path);
    // "Enregistrer": checks, asks before replacing files, writes, then offers to open the
    // exercise. True when it was written.
    bool save();
    // Shows the window beside `main` where the screen has room, else against the screen's right
    // edge, as tall as its sections need and the screen allows; raised when already shown.
    void showBeside(QWidget *main);

    // The exercise as the window holds it.
    ExerciseDraft draft() const;
    // The folder the exercise is saved in, as the window shows it.
    QString folder() const;
    // The unsaved-exercise question when the teacher changed something since it was started,
    // opened or saved; true to go on.
    bool mayDiscard();
    // "Fermer", Escape or the close box: after the question, the window hides.
    void reject() override;

    // Opens a saved exercise in the main window, when the teacher asks for it.
    std::function<void(const QString &path)> openExercise;
    // The text of the exercise box, taken as it stands, is saved within the exercise.
    std::function<void()> textSaved;
    // The file dialogs, replaceable by tests: a path, or empty when cancelled.
    std::function<QString(QWidget *parent)> chooseTextFile;
    std::function<QString(QWidget *parent, const QString &start)> chooseFolder;

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void takeText(int companion);
    void takeBench(int companion);
    void chooseFile(int companion);
    void setCompanion(int companion, CompanionSource source);
    void showCompanion(int companion);
    void titleEdited(const QString &title);
    void showFileNames();
    void showNotionsCount();
    void fitInScreen(const QRect &free, bool exact);

    ExerciseHost &host_;
    std::array<CompanionSource, CompanionCount> sources_;
    std::optional<std::array<QString, NotionPieceCount>> notionPieces_;
    QString originalFile_;
    std::array<QString, CompanionCount> originalNames_;
    bool baseNameChosen_ = false; // the base name no longer follows the title
    bool changed_ = false;        // changed by the teacher since started, opened or saved

    QLineEdit *titleField_;
    QPlainTextEdit *notionsField_;
    QLabel *notionsCount_;
    QComboBox *difficultyList_;
    QSpinBox *hourglassCount_;
    QCheckBox *hideValuesBox_;
    std::array<QLabel *, CompanionCount> companionLabels_{};
    std::array<QLabel *, CompanionCount> benchPictures_{};
    QLineEdit *folderField_;
    QLineEdit *baseNameField_;
    QLabel *fileNames_;
    QPushButton *saveButton_;
    QPushButton *closeButton_;
    QScrollArea *sections_;
};

} // namespace exercises
