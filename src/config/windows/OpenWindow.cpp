#include "config/windows/OpenWindow.h"

#include "config/ConfigurationHost.h"
#include "config/windows/ButtonRow.h"
#include "config/windows/DirectoryBrowser.h"
#include "ui/MessageBoxes.h"

#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace config {

namespace {

// The image of the waiting message: an hourglass with its sand running.
QPixmap hourglass() {
    QPixmap pixmap(40, 56);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(QColor(225, 238, 255));
    p.drawPolygon(QPolygonF{{8, 7}, {32, 7}, {21.5, 28}, {32, 49}, {8, 49}, {18.5, 28}});
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(222, 176, 72));
    p.drawPolygon(QPolygonF{{13, 16}, {27, 16}, {20, 27}});
    p.drawPolygon(QPolygonF{{10, 48}, {30, 48}, {20, 38}});
    p.drawRect(QRectF(19.4, 27, 1.2, 13));
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(120, 72, 24));
    p.drawRoundedRect(QRectF(3, 1.5, 34, 6), 2, 2);
    p.drawRoundedRect(QRectF(3, 48.5, 34, 6), 2, 2);
    return pixmap;
}

} // namespace

OpenWindow::OpenWindow(ConfigurationHost &host, QWidget *parent)
    : QDialog(parent), host_(host),
      browser_(new DirectoryBrowser(
          {QStringLiteral("Lecteur:"), QString::fromUtf8("Répertoire"), QStringLiteral("Fichiers")},
          this)),
      chosenFile_(new QLineEdit(this)),
      cancelButton_(new QPushButton(QStringLiteral("ANNULER"), this)),
      openButton_(new QPushButton(QStringLiteral("OUVRIR"), this)), waitingFrame_(new QFrame(this)),
      waitingLabel_(new QLabel(QStringLiteral("Patience: chargement du fichier"), waitingFrame_)) {
    setObjectName(QStringLiteral("ouvrir"));
    setWindowTitle(QStringLiteral("Ouvrir une configuration"));
    setModal(true);
    chosenFile_->setObjectName(QStringLiteral("ficharge"));
    QPalette grey = chosenFile_->palette();
    grey.setColor(QPalette::Base, QColor(192, 192, 192));
    chosenFile_->setPalette(grey);
    openButton_->setObjectName(QStringLiteral("Command1"));
    cancelButton_->setObjectName(QStringLiteral("Command2"));

    auto *column = new QVBoxLayout(this);
    column->addWidget(browser_, 1);
    column->addLayout(buttonRow(cancelButton_, openButton_));
    column->addWidget(chosenFile_);

    // Frame1: the waiting message, over the whole window while a file loads.
    waitingFrame_->setObjectName(QStringLiteral("Frame1"));
    waitingFrame_->setFrameShape(QFrame::Box);
    waitingFrame_->setAutoFillBackground(true);
    waitingLabel_->setObjectName(QStringLiteral("Label4"));
    QFont bigger = waitingLabel_->font();
    bigger.setPointSizeF(bigger.pointSizeF() * 1.3);
    bigger.setBold(true);
    waitingLabel_->setFont(bigger);
    auto *image = new QLabel(waitingFrame_);
    image->setPixmap(hourglass());
    auto *waiting = new QHBoxLayout(waitingFrame_);
    waiting->addStretch();
    waiting->addWidget(image);
    waiting->addSpacing(12);
    waiting->addWidget(waitingLabel_);
    waiting->addStretch();
    waitingFrame_->hide();

    resize(540, 380);
    if (parent) move(parent->window()->pos() + QPoint(20, 20));

    connect(openButton_, &QPushButton::clicked, this, [this] { openChosenFile(); });
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(browser_, &DirectoryBrowser::fileClicked, this, &OpenWindow::chooseFile);
    connect(browser_, &DirectoryBrowser::fileDoubleClicked, this, [this](const QString &name) {
        chooseFile(name);
        openChosenFile();
    });
}

void OpenWindow::resizeEvent(QResizeEvent *event) {
    QDialog::resizeEvent(event);
    waitingFrame_->setGeometry(rect());
}

// A file chosen: its full path goes into ficharge, and its directory becomes the current one,
// where the next save or open window starts.
void OpenWindow::chooseFile(const QString &name) {
    const QString dir = browser_->directory();
    chosenFile_->setText(dir.endsWith(QLatin1Char('/')) ? dir + name
                                                        : dir + QLatin1Char('/') + name);
    QDir::setCurrent(dir);
}

bool OpenWindow::openChosenFile() {
    const QString text = chosenFile_->text();
    if (text.trimmed().isEmpty()) return false;
    // A typed relative name is kept as the full path it stands for now.
    const QString path = QDir::current().absoluteFilePath(text);
    host_.setCurrentFileName(path);
    if (!QFileInfo(path).isFile()) {
        ui::showCritical(this, QStringLiteral("impossible d'ouvrir ce fichier"),
                         QStringLiteral("Nom de fichier incorrect ou chemin non valide"));
        return false;
    }
    waitingFrame_->setGeometry(rect());
    waitingFrame_->show();
    waitingFrame_->raise();
    setCursor(Qt::WaitCursor);
    repaint();
    host_.loadConfiguration();
    unsetCursor();
    accept();
    return true;
}

bool showOpenWindow(QWidget *parent, ConfigurationHost &host) {
    OpenWindow window(host, parent);
    return window.exec() == QDialog::Accepted;
}

} // namespace config
