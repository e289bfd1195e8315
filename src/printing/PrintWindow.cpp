#include "printing/PrintWindow.h"

#include "printing/FigurePages.h"
#include "printing/PrinterChoice.h"
#include "ui/CommandButton.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QSpinBox>
#include <QToolButton>

#include <algorithm>

namespace printing {

namespace {

constexpr int IconSize = 32;

// Places given in twips, as the window is designed; one pixel is 15 twips.
QRect twips(int left, int top, int width, int height) {
    return {left / 15, top / 15, width / 15, height / 15};
}

// A caption wider than its designed place widens it to the right, so it is never cut.
void placeCaption(QWidget *w, QRect designed) {
    designed.setWidth(std::max(designed.width(), w->sizeHint().width()));
    w->setGeometry(designed);
}

// The printer's description spans from the options' left edge to the buttons when it does not
// fit its designed place ("Aucune imprimante : …").
const QRect DefautPlace = twips(1200, 240, 2655, 285);
const QRect DefautWidePlace(16, 16, 264, 19);

enum class Picture { Printers, Cancel, Ok, Hourglass };

QPixmap picture(Picture which) {
    QPixmap pm(IconSize, IconSize);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    switch (which) {
    case Picture::Printers:
        // Two printers, one behind the other.
        for (int d : {0, 8}) {
            p.setBrush(Qt::white);
            p.drawRect(8 - d / 2 + d, 4 + d, 12, 8);
            p.setBrush(QColor(170, 170, 170));
            p.drawRect(3 + d / 2, 11 + d, 20, 8);
            p.setPen(QColor(0, 160, 0));
            p.drawPoint(20 + d / 2, 14 + d);
            p.setPen(QPen(Qt::black, 1));
        }
        break;
    case Picture::Cancel:
        // A red cross in a disc.
        p.setBrush(QColor(200, 30, 30));
        p.drawEllipse(4, 4, 24, 24);
        p.setPen(QPen(Qt::white, 3));
        p.drawLine(11, 11, 21, 21);
        p.drawLine(21, 11, 11, 21);
        break;
    case Picture::Ok:
        // A printed sheet with a green tick.
        p.setBrush(Qt::white);
        p.drawRect(6, 3, 18, 25);
        p.setPen(QColor(90, 90, 90));
        for (int y = 8; y <= 14; y += 3)
            p.drawLine(9, y, 21, y);
        p.setPen(QPen(QColor(0, 150, 0), 3.5, Qt::SolidLine, Qt::RoundCap));
        p.drawPolyline(QPolygonF{{12, 20}, {17, 26}, {29, 10}});
        break;
    case Picture::Hourglass:
        p.setBrush(QColor(150, 100, 60));
        p.drawRect(7, 3, 18, 3);
        p.drawRect(7, 26, 18, 3);
        p.setBrush(QColor(230, 240, 250));
        p.drawPolygon(QPolygonF{{9, 6}, {23, 6}, {17, 16}, {23, 26}, {9, 26}, {15, 16}});
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(230, 190, 90));
        p.drawPolygon(QPolygonF{{12, 9}, {20, 9}, {16, 14}});
        p.drawPolygon(QPolygonF{{16, 20}, {21, 25}, {11, 25}});
        break;
    }
    return pm;
}

} // namespace

PrintWindow::PrintWindow(PrintedFigure figure, PrinterChoice &printers, QWidget *mainWindow)
    : QDialog(mainWindow), figure_(std::move(figure)), printers_(printers),
      mainWindow_(mainWindow) {
    setObjectName(QStringLiteral("confimp"));
    setWindowTitle(QStringLiteral("Imprimer"));
    setModal(true);
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    setFont(font);
    setFixedSize(5640 / 15, 3315 / 15);

    printerField_ = new QLineEdit(this);
    printerField_->setObjectName(QStringLiteral("defaut"));
    printerField_->setGeometry(DefautPlace);
    printerField_->setAlignment(Qt::AlignCenter);
    printerField_->setReadOnly(true);

    optionsFrame_ = new QGroupBox(QStringLiteral("Options"), this);
    optionsFrame_->setObjectName(QStringLiteral("Frame1"));
    optionsFrame_->setGeometry(twips(240, 600, 3855, 2535));
    auto *label5 = new QLabel(QStringLiteral("Titre de la page :"), optionsFrame_);
    label5->setObjectName(QStringLiteral("Label5"));
    placeCaption(label5, twips(300, 360, 1200, 195));
    titleField_ = new QLineEdit(DefaultTitle, optionsFrame_);
    titleField_->setObjectName(QStringLiteral("Text1"));
    titleField_->setGeometry(twips(240, 600, 3255, 285));
    const char *const checkCaptions[] = {"Centrer l'image horizontalement",
                                         "Centrer l'image verticalement"};
    for (int i = 0; i < 2; ++i) {
        centreBoxes_[i] = new QCheckBox(QString::fromUtf8(checkCaptions[i]), optionsFrame_);
        centreBoxes_[i]->setObjectName(QStringLiteral("Chec(%1)").arg(i));
        placeCaption(centreBoxes_[i], twips(360, 1200 + 360 * i, 2655, 195));
    }
    centreBoxes_[1]->setChecked(PrintSettings{}.centreVertically);
    centreBoxes_[0]->setChecked(PrintSettings{}.centreHorizontally);
    auto *label3 = new QLabel(QStringLiteral("Nombre d'exemplaires :"), optionsFrame_);
    label3->setObjectName(QStringLiteral("Label3"));
    placeCaption(label3, twips(240, 2040, 1695, 255));
    copiesLabel_ = new QLabel(QStringLiteral("1"), optionsFrame_);
    copiesLabel_->setObjectName(QStringLiteral("Label4"));
    copiesLabel_->setGeometry(twips(2040, 2010, 615, 255));
    copiesLabel_->setAlignment(Qt::AlignCenter);
    copiesLabel_->setAutoFillBackground(true);
    QPalette white = copiesLabel_->palette();
    white.setColor(QPalette::Window, Qt::white);
    copiesLabel_->setPalette(white);
    copiesSpin_ = new QSpinBox(optionsFrame_);
    copiesSpin_->setObjectName(QStringLiteral("UpDown1"));
    copiesSpin_->setGeometry(twips(2640, 2010, 240, 285));
    copiesSpin_->setRange(MinCopies, MaxCopies);
    copiesSpin_->setValue(PrintSettings{}.copies);
    // Only the arrows show; the number is read out in Label4.
    copiesSpin_->setStyleSheet(QStringLiteral("QSpinBox { color: transparent; }"));
    // UpDown1_Change
    connect(copiesSpin_, &QSpinBox::valueChanged, this,
            [this](int value) { copiesLabel_->setText(QString::number(value)); });

    struct Button {
        const char *name, *caption;
        Picture picture;
        int top;
    };
    const Button buttons[] = {{"Command1", "&OK", Picture::Ok, 2280},
                              {"Command2", "&Imprimantes", Picture::Printers, 120},
                              {"Command3", "&Annuler", Picture::Cancel, 1200}};
    for (int i = 0; i < 3; ++i) {
        buttons_[i] = new ui::CommandButton(
            this, QString::fromLatin1(buttons[i].name), QString::fromUtf8(buttons[i].caption),
            QIcon(picture(buttons[i].picture)), IconSize, twips(4320, buttons[i].top, 1095, 855));
        // In a dialog, Tab reaches the buttons too.
        buttons_[i]->setFocusPolicy(Qt::StrongFocus);
    }
    connect(buttons_[0], &QToolButton::clicked, this, &PrintWindow::printFigure);
    connect(buttons_[1], &QToolButton::clicked, this, &PrintWindow::choosePrinter);
    connect(buttons_[2], &QToolButton::clicked, this, &QDialog::reject);

    waitingFrame_ = new QFrame(this);
    waitingFrame_->setObjectName(QStringLiteral("Frame2"));
    waitingFrame_->setFrameShape(QFrame::Box);
    waitingFrame_->setGeometry(twips(240, 1080, 5175, 855));
    auto *image2 = new QLabel(waitingFrame_);
    image2->setObjectName(QStringLiteral("Image2"));
    image2->setGeometry(12, 12, IconSize, IconSize);
    image2->setPixmap(picture(Picture::Hourglass));
    auto *label1 =
        new QLabel(QStringLiteral("Veuillez patienter quelques instants..."), waitingFrame_);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setGeometry(twips(840, 360, 4095, 255));
    waitingFrame_->hide();

    showPrinterInUse();
}

PrintSettings PrintWindow::settings() const {
    return {titleField_->text(), copiesSpin_->value(), centreBoxes_[0]->isChecked(),
            centreBoxes_[1]->isChecked()};
}

void PrintWindow::showPrinterInUse() {
    if (mainWindow_) {
        const QRect main = mainWindow_->frameGeometry();
        move(main.left() + (main.width() - width()) / 2, main.top() + 20);
    }
    const QString description = printers_.description();
    printerField_->setText(description);
    printerField_->setGeometry(printerField_->fontMetrics().horizontalAdvance(description) + 8 >
                                       DefautPlace.width()
                                   ? DefautWidePlace
                                   : DefautPlace);
    printerField_->setCursorPosition(0);
    printerField_->setToolTip(description);
}

void PrintWindow::choosePrinter() {
    printers_.choose(this);
    // The copies are counted here: a number chosen in Qt's dialog comes into this window's
    // count instead of multiplying it.
    const int chosenCopies = printers_.printer().copyCount();
    printers_.printer().setCopyCount(1);
    showPrinterInUse();
    if (chosenCopies > 1) copiesSpin_->setValue(std::min(chosenCopies, MaxCopies));
}

void PrintWindow::showWaiting(bool waiting) {
    for (QWidget *w : {static_cast<QWidget *>(buttons_[0]), static_cast<QWidget *>(buttons_[1]),
                       static_cast<QWidget *>(buttons_[2]), static_cast<QWidget *>(optionsFrame_)})
        w->setVisible(!waiting);
    waitingFrame_->setVisible(waiting);
    repaint();
}

void PrintWindow::printFigure() {
    const PrintSettings s = settings();
    const PrintOutcome outcome = printers_.print(
        this, [&](QPagedPaintDevice &device) { return paintFigurePages(device, figure_, s); },
        QStringLiteral("Focalines"),
        [this] {
            showWaiting(true);
            emit printingStarted();
        });
    if (outcome == PrintOutcome::Printed) {
        accept();
        return;
    }
    showWaiting(false);
    showPrinterInUse();
}

void showPrintWindow(QWidget *mainWindow, const PrintedFigure &figure) {
    PrintWindow window(figure, PrinterChoice::shared(), mainWindow);
    window.exec();
}

} // namespace printing
