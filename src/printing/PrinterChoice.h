#pragma once

#include <QPrinter>
#include <QString>

#include <functional>

class QPagedPaintDevice;
class QWidget;

namespace printing {

enum class PrintOutcome {
    Printed,
    Cancelled, // the user gave up choosing a PDF file; nothing was written
    Failed,    // the printer or the file failed; the user was told
};

// Paints a whole document on the device it is given (one painter, begun and ended inside).
// False when the device refused to be painted on.
using PagePainter = std::function<bool(QPagedPaintDevice &device)>;

// The printer that the program prints to, shared by every window that prints, and the one way
// to print: to that printer, or into a PDF file when PDF output is chosen or no printer is
// installed.
class PrinterChoice {
  public:
    static inline const QString NoPrinterText =
        QStringLiteral("Aucune imprimante : impression dans un fichier PDF");
    static inline const QString PdfFileName = QStringLiteral("focalines.pdf");

    PrinterChoice();

    // The one choice of the program.
    static PrinterChoice &shared();

    QPrinter &printer() { return printer_; }
    bool printsToPdf() const { return printer_.outputFormat() == QPrinter::PdfFormat; }

    // Which printer will be used, as the print windows show it: the printer's name, or where
    // the PDF goes.
    QString description() const;

    // Qt's print dialog, in French, to choose the printer and its page; "selection" is offered
    // when asked. True when the user accepted; `printer().printRange()` then tells whether the
    // selection was chosen.
    bool choose(QWidget *parent, bool offerSelection = false);

    // Runs a print job. A PDF goes to a file asked for at every print, proposing the last one
    // (chosen in the print dialog or at the last print; else "focalines.pdf" in the documents
    // folder), with a question before replacing a file that exists; it is written through a
    // temporary file renamed over the target so that a failure leaves an older file whole.
    // `started` runs once the destination is settled, just before painting. Failures are shown
    // to the user in French.
    PrintOutcome print(QWidget *parent, const PagePainter &paint, const QString &documentName,
                       const std::function<void()> &started = {});

    // The PDF file name proposed when none was chosen yet.
    static QString defaultPdfPath();

  private:
    PrintOutcome printToPdf(QWidget *parent, const PagePainter &paint, const QString &documentName,
                            const std::function<void()> &started);
    QString askPdfFileName(QWidget *parent) const;

    QPrinter printer_;
};

} // namespace printing
