#pragma once

#include "exercises/ExerciseText.h"

#include <QDialog>
#include <QPixmap>

#include <array>

class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QToolButton;

namespace config {
class DirectoryBrowser;
}

namespace exercises {

class ExerciseHost;

// `Fichexo`, the exercises window: laid over the main window, it lists the ".E21" files of a
// folder, previews the one selected (title, topics, difficulty, correction, hourglass marks)
// and opens it: its statement goes into the main window's text box and its configuration into
// the bench. Created hidden, it opens an exercise named by the program itself.
class Fichexo : public QDialog {
    Q_OBJECT

  public:
    static inline const QString Corrected = QString::fromUtf8("Exercice corrigé");
    static inline const QString NotCorrected = QString::fromUtf8("Non corrigé");
    static constexpr int BannerHeight = 60;
    static inline const QString Title = QStringLiteral("Focalines - Ouvrir un exercice");

    Fichexo(ExerciseHost &host, ExerciseState &state, QWidget *parent = nullptr);

    // File1_Click: the file `name` of the list's folder becomes the selection and is previewed.
    void chooseFile(const QString &name);
    // Makes `path`, an exercise file of `directory`, the selection without previewing it.
    void setSelection(const QString &directory, const QString &path);
    // apercu: shows the title, topics, difficulty, correction and marks of the selection; true
    // when it was read. An unreadable file is reported and leaves the preview empty.
    bool apercu();
    // ouvreur: opens the selected exercise and closes the window; true when it was opened. A
    // failure is reported and the window stays as it was.
    bool openExercise();

    config::DirectoryBrowser *browser() const { return browser_; }
    QLineEdit *fichierexo() const { return pathField_; }
    QLabel *titratexo() const { return titleLabel_; }
    QPlainTextEdit *topics() const { return topicsField_; }
    QLabel *difficultyLabel() const { return difficultyLabel_; }
    QLabel *difficultyMark(int k) const { return difficultyMarks_[k]; }
    bool markLit(int k) const;
    QLabel *correctionLabel() const { return correctionLabel_; }
    QLabel *correctionShadow() const { return correctionShadow_; }
    QLineEdit *hourglasses() const { return hourglassField_; }
    QLabel *intratro() const { return selectPrompt_; }
    QFrame *waitingFrame() const { return waitingFrame_; }
    QToolButton *ouvreur() const { return openButton_; }
    QToolButton *closeButton() const { return closeButton_; }

  protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void placeControls();
    QWidget *messageParent();

    ExerciseHost &host_;
    ExerciseState &state_;
    QString selectedDir_; // the folder of the selection, ending with "/"
    bool activated_ = false;
    QPixmap lit_, unlit_;

    QWidget *banner_;
    QToolButton *openButton_;
    QToolButton *closeButton_;
    QLineEdit *pathField_;
    QFrame *listFrame_;
    config::DirectoryBrowser *browser_;
    QLabel *titleLabel_;
    QLabel *topicsLabel_;
    QPlainTextEdit *topicsField_;
    QLabel *difficultyLabel_;
    std::array<QLabel *, 3> difficultyMarks_{};
    QLabel *correctionShadow_; // under Label2, as its shadow
    QLabel *correctionLabel_;
    QLineEdit *hourglassField_;
    QLabel *selectPrompt_;
    QFrame *waitingFrame_;
};

} // namespace exercises
