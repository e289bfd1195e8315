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
    void showPrinterInUse();
    // "&Imprimantes": Qt's print dialog, then the loading steps again.
    void choosePrinter();
    // "&OK": prints with the waiting message shown, then closes; after a failure or a cancelled
    // file choice the window comes back as it was.
    void printFigure();

    QLineEdit *defaut() const { return printerField_; }
    QLineEdit *title() const { return titleField_; }
    QCheckBox *chec(int i) const { return centreBoxes_[i]; }
    QSpinBox *upDown1() const { return copiesSpin_; }
    QLabel *label4() const { return copiesLabel_; }
    QGroupBox *frame1() const { return optionsFrame_; }
    QFrame *frame2() const { return waitingFrame_; }
    QToolButton *command(int i) const { return buttons_[i - 1]; }

  signals:
    // Painting starts: the waiting message is showing.
    void printingStarted();

  private:
    void showWaiting(bool waiting);

    PrintedFigure figure_;
    PrinterChoice &printers_;
    QWidget *mainWindow_;
    QLineEdit *printerField_;
    QGroupBox *optionsFrame_;
    QLineEdit *titleField_;
    QCheckBox *centreBoxes_[2];
    QLabel *copiesLabel_;
    QSpinBox *copiesSpin_;
    QToolButton *buttons_[3];
    QFrame *waitingFrame_;
};

// Shows `confimp` modally over the main window for its figure; returns once it is closed.
void showPrintWindow(QWidget *mainWindow, const PrintedFigure &figure);

} // namespace printing
