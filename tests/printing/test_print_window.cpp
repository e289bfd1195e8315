#include "printing/PrintWindow.h"
#include "printing/PrinterChoice.h"
#include "tests/printing/PdfTools.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>

using printing::PrinterChoice;
using printing::PrintWindow;

// Readable failure messages for texts.
inline void PrintTo(const QString &s, std::ostream *os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

class PrintWindowTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (QApplication::instance()) return;
        static int argc = 1;
        static char name[] = "test_print_window";
        static char *argv[] = {name, nullptr};
        new QApplication(argc, argv);
    }

    void SetUp() override {
        figure = QImage(300, 100, QImage::Format_RGB32);
        figure.fill(qRgb(255, 0, 0));
        main.setGeometry(100, 50, 791, 546);
    }

    // Every modal window other than the print window, as it comes, is handed to `answer`,
    // which closes it, until the test ends or answers otherwise.
    void answerModals(std::function<void(QWidget *)> answer) {
        delete main.findChild<QTimer *>();
        auto *timer = new QTimer(&main);
        QObject::connect(timer, &QTimer::timeout, [answer] {
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal || modal->objectName() == QLatin1String("confimp")) return;
            answer(modal);
        });
        timer->start(5);
    }
    static void accept(QWidget *modal) { static_cast<QDialog *>(modal)->accept(); }

    // PDF output into `path`, as when chosen in the print dialog.
    void printInto(const QString &path) {
        printers.printer().setOutputFormat(QPrinter::PdfFormat);
        printers.printer().setOutputFileName(path);
    }

    QTemporaryDir dir;
    QImage figure;
    QWidget main;
    PrinterChoice printers;
};

} // namespace

TEST_F(PrintWindowTest, OpensWithItsControlsAtTheirPlacesAndTheDefaults) {
    PrintWindow w(figure, printers, &main);
    EXPECT_EQ(w.windowTitle(), "Imprimer");
    EXPECT_EQ(w.size(), QSize(376, 221));
    EXPECT_EQ(w.pos(), QPoint(100 + (791 - 376) / 2, 70));
    struct Row {
        const char *name;
        QRect place;
        const char *caption;
    };
    const Row rows[] = {
        {"Frame1", {16, 40, 257, 169}, "Options"},
        {"Label5", {20, 24, 80, 13}, "Titre de la page :"},
        {"Text1", {16, 40, 217, 19}, "Aldoria - Focalines"},
        {"Chec(0)", {24, 80, 177, 13}, "Centrer l'image horizontalement"},
        {"Chec(1)", {24, 104, 177, 13}, "Centrer l'image verticalement"},
        {"Label3", {16, 136, 113, 17}, "Nombre d'exemplaires :"},
        {"Label4", {136, 134, 41, 17}, "1"},
        {"UpDown1", {176, 134, 16, 19}, nullptr},
        {"Command2", {288, 8, 73, 57}, "&Imprimantes"},
        {"Command3", {288, 80, 73, 57}, "&Annuler"},
        {"Command1", {288, 152, 73, 57}, "&OK"},
        {"Frame2", {16, 72, 345, 57}, nullptr},
        {"Label1", {56, 24, 273, 17}, "Veuillez patienter quelques instants..."},
    };
    for (const Row &r : rows) {
        auto *c = w.findChild<QWidget *>(QString::fromLatin1(r.name));
        ASSERT_NE(c, nullptr) << r.name;
        // A caption that does not fit widens its place to the right.
        EXPECT_EQ(c->pos(), r.place.topLeft()) << r.name;
        EXPECT_EQ(c->height(), r.place.height()) << r.name;
        EXPECT_GE(c->width(), r.place.width()) << r.name;
        EXPECT_LE(c->geometry().right(), c->parentWidget()->width()) << r.name;
        if (!r.caption) continue;
        QString text;
        if (auto *l = qobject_cast<QLabel *>(c)) text = l->text();
        if (auto *e = qobject_cast<QLineEdit *>(c)) text = e->text();
        if (auto *b = qobject_cast<QAbstractButton *>(c)) text = b->text();
        if (auto *g = qobject_cast<QGroupBox *>(c)) text = g->title();
        EXPECT_EQ(text, QString::fromUtf8(r.caption)) << r.name;
    }
    EXPECT_FALSE(w.chec(0)->isChecked());
    EXPECT_TRUE(w.chec(1)->isChecked());
    EXPECT_TRUE(w.frame2()->isHidden());
    EXPECT_EQ(w.defaut()->text(), printers.description());
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        EXPECT_EQ(w.defaut()->text(), "Aucune imprimante : impression dans un fichier PDF");
        // Too long for its place: it spans the width left of the buttons.
        EXPECT_EQ(w.defaut()->geometry(), QRect(16, 16, 264, 19));
    }
    printers.printer().setOutputFileName("/tmp/a.pdf");
    w.showPrinterInUse();
    EXPECT_EQ(w.defaut()->geometry(), QRect(80, 16, 177, 19));

    // The spin control counts copies from 1 to 40, read out in Label4.
    for (const auto &[set, shown] : {std::pair{7, "7"}, {0, "1"}, {99, "40"}}) {
        w.upDown1()->setValue(set);
        EXPECT_EQ(w.label4()->text(), shown);
    }
}

TEST_F(PrintWindowTest, OkPrintsEveryCopyWithTheWaitingMessageThenReopensWithTheDefaults) {
    const QString pdf = dir.filePath("figure.pdf");
    printInto(pdf);
    answerModals(accept); // the file proposed
    {
        PrintWindow w(figure, printers, &main);
        EXPECT_EQ(w.defaut()->text(), "Fichier PDF : figure.pdf");
        w.title()->setText("Classe de 1ère");
        w.upDown1()->setValue(3);
        w.chec(0)->setChecked(true);
        w.show();
        bool waitingShown = false;
        QObject::connect(&w, &PrintWindow::printingStarted, [&] {
            waitingShown = w.frame2()->isVisible() && w.frame1()->isHidden() &&
                           w.command(1)->isHidden() && w.command(2)->isHidden() &&
                           w.command(3)->isHidden();
        });
        w.command(1)->click();
        EXPECT_TRUE(waitingShown);
        EXPECT_EQ(w.result(), QDialog::Accepted);
        EXPECT_FALSE(w.isVisible());
    }
    ASSERT_EQ(pdftools::pageSizes(pdf).size(), 3);
    EXPECT_EQ(pdftools::pageText(pdf, 3), QString::fromUtf8("Classe de 1ère"));

    PrintWindow again(figure, printers, &main);
    EXPECT_EQ(again.settings().title, "Aldoria - Focalines");
    EXPECT_EQ(again.settings().copies, 1);
    EXPECT_FALSE(again.settings().centreHorizontally);
    EXPECT_TRUE(again.settings().centreVertically);
}

TEST_F(PrintWindowTest, AFailedOrCancelledPrintBringsTheWindowBackAsItWas) {
    // A file that cannot be written (its USB key pulled out once it was chosen) is told;
    // without a file name, the one proposed is "focalines.pdf" in the documents folder, and
    // cancelling that says nothing.
    const QString key = dir.filePath("cle"), unwritable = key + "/figure.pdf";
    for (const QString &target : {unwritable, QString()}) {
        QDir().mkpath(key);
        printInto(target);
        PrintWindow w(figure, printers, &main);
        w.title()->setText("Mon titre");
        w.upDown1()->setValue(5);
        w.show();
        QString seen;
        answerModals([&](QWidget *modal) {
            if (auto *box = qobject_cast<QMessageBox *>(modal))
                seen = box->windowTitle() + '|' + box->text();
            if (auto *files = qobject_cast<QFileDialog *>(modal)) {
                seen = files->selectedFiles().value(0);
                if (!target.isEmpty()) {
                    static_cast<QDialog *>(files)->accept();
                    QDir(key).removeRecursively();
                    return;
                }
            }
            static_cast<QDialog *>(modal)->reject();
        });
        w.printFigure();
        EXPECT_EQ(seen, target.isEmpty()
                            ? PrinterChoice::defaultPdfPath()
                            : "Impression impossible|Impossible d'écrire le fichier PDF « " +
                                  unwritable + " ».");
        EXPECT_TRUE(w.isVisible() && w.frame2()->isHidden());
        EXPECT_TRUE(w.frame1()->isVisible() && w.command(1)->isVisible());
        EXPECT_EQ(w.settings().title, "Mon titre");
        EXPECT_EQ(w.settings().copies, 5);
    }
}

TEST_F(PrintWindowTest, PrintersOpensQtsPrintDialogAndShowsThePrinterAgain) {
    PrintWindow w(figure, printers, &main);
    w.show();
    bool dialogShown = false;
    answerModals([&](QWidget *modal) {
        dialogShown = qobject_cast<QPrintDialog *>(modal) != nullptr;
        printers.printer().setOutputFormat(QPrinter::PdfFormat);
        printers.printer().setOutputFileName(dir.filePath("x.pdf"));
        printers.printer().setCopyCount(3);
        static_cast<QDialog *>(modal)->reject();
    });
    w.command(2)->click();
    EXPECT_TRUE(dialogShown);
    EXPECT_EQ(w.defaut()->text(), "Fichier PDF : x.pdf");
    // Copies chosen in Qt's dialog become this window's, not a multiplier of them.
    EXPECT_EQ(w.settings().copies, 3);
    EXPECT_EQ(printers.printer().copyCount(), 1);
}

TEST_F(PrintWindowTest, AFailedPaintingLeavesTheOlderFileWhole) {
    const QString pdf = dir.filePath("ancien.pdf");
    {
        QFile f(pdf);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("older");
    }
    printInto(pdf);
    answerModals([](QWidget *modal) {
        if (auto *box = qobject_cast<QMessageBox *>(modal))
            return box->button(QMessageBox::Ok)->click();
        accept(modal);
    });
    EXPECT_EQ(printers.print(
                  nullptr, [](QPagedPaintDevice &) { return false; }, "x"),
              printing::PrintOutcome::Failed);
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "older");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"ancien.pdf"});
}

TEST_F(PrintWindowTest, EveryPdfPrintAsksItsFileProposingTheLastAndAsksBeforeReplacing) {
    // The exercise text was printed into "texte.pdf", chosen in the print dialog.
    const QString text = dir.filePath("texte.pdf"), other = dir.filePath("figure.pdf");
    {
        QFile f(text);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("texte");
    }
    printInto(text);
    const QString replace = QString::fromUtf8("Ecraser le fichier?|Le fichier %1 existe déjà.\n"
                                              "Ecraser l'ancien?");
    using printing::PrintOutcome;
    const struct {
        QString choice; // empty: keep the proposal; "-": cancel the file dialog
        QMessageBox::StandardButton replaceAnswer;
        QString proposed, question;
        PrintOutcome outcome;
        QByteArray textStart;
    } prints[] = {
        {"", QMessageBox::Cancel, text, replace.arg("texte.pdf"), PrintOutcome::Cancelled, "texte"},
        {other, QMessageBox::Ok, text, "", PrintOutcome::Printed, "texte"},
        {"-", QMessageBox::Ok, other, "", PrintOutcome::Cancelled, "texte"},
        {"", QMessageBox::Ok, other, replace.arg("figure.pdf"), PrintOutcome::Printed, "texte"},
        {text, QMessageBox::Ok, other, replace.arg("texte.pdf"), PrintOutcome::Printed, "%PDF"},
    };
    for (const auto &p : prints) {
        QString proposed, question;
        answerModals([&](QWidget *modal) {
            if (auto *box = qobject_cast<QMessageBox *>(modal)) {
                question = box->windowTitle() + '|' + box->text();
                return box->button(p.replaceAnswer)->click();
            }
            auto *files = qobject_cast<QFileDialog *>(modal);
            ASSERT_NE(files, nullptr);
            proposed = files->selectedFiles().value(0);
            if (p.choice == "-") return files->reject();
            if (!p.choice.isEmpty()) files->selectFile(p.choice);
            static_cast<QDialog *>(files)->accept();
        });
        const PrintOutcome outcome = printers.print(
            nullptr, [](QPagedPaintDevice &device) { return QPainter(&device).isActive(); }, "x");
        SCOPED_TRACE(p.choice.toStdString());
        EXPECT_EQ(proposed, p.proposed);
        EXPECT_EQ(question, p.question);
        EXPECT_EQ(outcome, p.outcome);
        QFile f(text);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_TRUE(f.readAll().startsWith(p.textStart));
    }
    EXPECT_TRUE(QFile::exists(other));
}
