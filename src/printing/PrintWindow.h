#pragma once

#include "printing/FigurePages.h"

#include <QDialog>
#include <QImage>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QToolButton;

namespace printing {

class PrinterChoice;

// `confimp`, "Imprimer": the page title, the number of copies, the centring of the figure and
// the printer; "&OK" prints the figure it was given, drawn on the page at the printer's
// resolution; the window's picture is never redrawn. Every opening starts from the defaults of
// `PrintSettings`.
class PrintWindow : public QDialog {
    Q_OBJECT

  public:
    // `mainWindow` places the window: 20 pixels below its top, centred across it.
    PrintWindow(PrintedFigure figure, PrinterChoice &printers, QWidget *mainWindow = nullptr);

    PrintSettings settings() const;
    // The picture of the figure, as the window showed it.
    const QImage &figure() const { return figure_.picture; }

    // Form_Load: places the window and shows the printer in use.
    void Form_Load();
    // "&Imprimantes": Qt's print dialog, then the loading steps again.
    void Command2_Click();
    // "&OK": prints with the waiting message shown, then closes; after a failure or a cancelled
    // file choice the window comes back as it was.
    void Command1_Click();

    QLineEdit *defaut() const { return defaut_; }
    QLineEdit *title() const { return Text1_; }
    QCheckBox *chec(int i) const { return Chec_[i]; }
    QSpinBox *upDown1() const { return UpDown1_; }
    QLabel *label4() const { return Label4_; }
    QGroupBox *frame1() const { return Frame1_; }
    QFrame *frame2() const { return Frame2_; }
    QToolButton *command(int i) const { return commands_[i - 1]; }

  signals:
    // Painting starts: the waiting message is showing.
    void printingStarted();

  private:
    void showWaiting(bool waiting);

    PrintedFigure figure_;
    PrinterChoice &printers_;
    QWidget *mainWindow_;
    QLineEdit *defaut_;
    QGroupBox *Frame1_;
    QLineEdit *Text1_;
    QCheckBox *Chec_[2];
    QLabel *Label4_;
    QSpinBox *UpDown1_;
    QToolButton *commands_[3];
    QFrame *Frame2_;
};

// Shows `confimp` modally over the main window for its figure; returns once it is closed.
void showPrintWindow(QWidget *mainWindow, const PrintedFigure &figure);

} // namespace printing
