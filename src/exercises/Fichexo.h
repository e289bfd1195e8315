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
    void File1_Click(const QString &name);
    // Makes `path`, an exercise file of `directory`, the selection without previewing it.
    void setSelection(const QString &directory, const QString &path);
    // apercu: shows the title, topics, difficulty, correction and marks of the selection; true
    // when it was read. An unreadable file is reported and leaves the preview empty.
    bool apercu();
    // ouvreur: opens the selected exercise and closes the window; true when it was opened. A
    // failure is reported and the window stays as it was.
    bool ouvreur_Click();

    config::DirectoryBrowser *browser() const { return browser_; }
    QLineEdit *fichierexo() const { return fichierexo_; }
    QLabel *titratexo() const { return titratexo_; }
    QPlainTextEdit *topics() const { return Text1_; }
    QLabel *difficultyLabel() const { return Label4_; }
    QLabel *difficultyMark(int k) const { return Image4_[k]; }
    bool markLit(int k) const;
    QLabel *correctionLabel() const { return Label2_; }
    QLabel *correctionShadow() const { return Label3_; }
    QLineEdit *hourglasses() const { return Text2_; }
    QLabel *intratro() const { return intratro_; }
    QFrame *waitingFrame() const { return Frame2_; }
    QToolButton *ouvreur() const { return ouvreur_; }
    QToolButton *closeButton() const { return Image5_; }

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

    QWidget *tito_;
    QToolButton *ouvreur_;
    QToolButton *Image5_;
    QLineEdit *fichierexo_;
    QFrame *Frame1_;
    config::DirectoryBrowser *browser_;
    QLabel *titratexo_;
    QLabel *Label1_;
    QPlainTextEdit *Text1_;
    QLabel *Label4_;
    std::array<QLabel *, 3> Image4_{};
    QLabel *Label3_; // under Label2, as its shadow
    QLabel *Label2_;
    QLineEdit *Text2_;
    QLabel *intratro_;
    QFrame *Frame2_;
};

} // namespace exercises
