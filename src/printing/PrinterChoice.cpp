#include "printing/PrinterChoice.h"

#include "printing/PdfFile.h"

#include "ui/MessageBoxes.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QStandardPaths>

#ifdef FOCALINES_HAVE_CUPS
#include <cups/cups.h>

#include <cstring>
#endif

namespace printing {

namespace {

const QString FailureTitle = QStringLiteral("Impression impossible");

bool noPrinterInstalled() {
    return QPrinterInfo::availablePrinterNames().isEmpty();
}

// Whether the print queue takes new jobs. Qt hands a job to a queue that refuses it without a
// word, so the print would pass for done; the queue is asked first.
bool queueAcceptsJobs(const QString &printerName) {
#ifdef FOCALINES_HAVE_CUPS
    cups_dest_t *dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, printerName.toUtf8().constData(),
                                         nullptr);
    if (!dest) return true; // not a queue this machine knows: let the print say
    const char *accepting =
        cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options);
    const bool accepts = !accepting || std::strcmp(accepting, "false") != 0;
    cupsFreeDests(1, dest);
    return accepts;
#else
    Q_UNUSED(printerName);
    return true;
#endif
}

} // namespace

PrinterChoice::PrinterChoice() : printer_(QPrinter::HighResolution) {
    const QStringList printers = QPrinterInfo::availablePrinterNames();
    if (printers.isEmpty())
        printer_.setOutputFormat(QPrinter::PdfFormat);
    else if (printer_.printerName().isEmpty()) // printers, but none is the default
        printer_.setPrinterName(printers.constFirst());
}

PrinterChoice &PrinterChoice::shared() {
    static PrinterChoice choice;
    return choice;
}

QString PrinterChoice::description() const {
    if (!printsToPdf()) return printer_.printerName();
    if (!printer_.outputFileName().isEmpty())
        return QStringLiteral("Fichier PDF : ") + QFileInfo(printer_.outputFileName()).fileName();
    return noPrinterInstalled() ? NoPrinterText : QStringLiteral("Impression dans un fichier PDF");
}

bool PrinterChoice::choose(QWidget *parent, bool offerSelection) {
    QPrintDialog dialog(&printer_, parent);
    dialog.setObjectName(QStringLiteral("printDialog"));
    QAbstractPrintDialog::PrintDialogOptions options =
        QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize;
    if (offerSelection) options |= QAbstractPrintDialog::PrintSelection;
    dialog.setOptions(options);
    return dialog.exec() == QDialog::Accepted;
}

QString PrinterChoice::defaultPdfPath() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (dir.isEmpty() || !QDir(dir).exists())
        dir = QStandardPaths::writableLocation(QStandardPaths::HomeLocation);
    return dir + u'/' + PdfFileName;
}

QString PrinterChoice::askPdfFileName(QWidget *parent) const {
    QFileDialog dialog(parent, QStringLiteral("Imprimer dans un fichier PDF"));
    dialog.setObjectName(QStringLiteral("pdfFileDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // The replace question is the program's own, in its own words.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("Documents PDF (*.pdf)"));
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    const QString last = printer_.outputFileName();
    const QFileInfo proposed(last.isEmpty() ? defaultPdfPath() : last);
    dialog.setDirectory(proposed.absolutePath());
    dialog.selectFile(proposed.fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    const QFileInfo chosen(dialog.selectedFiles().constFirst());
    if (chosen.exists() && !ui::askToReplace(parent, chosen.fileName())) return {};
    return chosen.filePath();
}

PrintOutcome PrinterChoice::print(QWidget *parent, const PagePainter &paint,
                                  const QString &documentName,
                                  const std::function<void()> &started) {
    if (printsToPdf()) return printToPdf(parent, paint, documentName, started);
    if (queueAcceptsJobs(printer_.printerName())) {
        if (started) started();
        printer_.setDocName(documentName);
        if (paint(printer_) && printer_.printerState() != QPrinter::Error)
            return PrintOutcome::Printed;
    }
    ui::showCritical(parent, FailureTitle,
                     QStringLiteral("L'imprimante « %1 » n'a pas pu imprimer. Vérifiez-la ou "
                                    "choisissez-en une autre, puis recommencez.")
                         .arg(printer_.printerName()));
    return PrintOutcome::Failed;
}

PrintOutcome PrinterChoice::printToPdf(QWidget *parent, const PagePainter &paint,
                                       const QString &documentName,
                                       const std::function<void()> &started) {
    // Asked at every print, the last one proposed: a PDF printed earlier (the exercise text,
    // another figure) is never replaced without the user's word.
    const QString target = askPdfFileName(parent);
    if (target.isEmpty()) return PrintOutcome::Cancelled;
    printer_.setOutputFileName(target);
    if (started) started();
    const bool ok = writePdfFile(target, printer_.pageLayout(), documentName, paint);
    if (ok) return PrintOutcome::Printed;
    ui::showCritical(parent, FailureTitle,
                     QStringLiteral("Impossible d'écrire le fichier PDF « %1 ».")
                         .arg(QDir::toNativeSeparators(target)));
    return PrintOutcome::Failed;
}

} // namespace printing
