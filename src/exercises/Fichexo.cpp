#include "exercises/Fichexo.h"

#include "bench/FieldNumberText.h"
#include "config/windows/DirectoryBrowser.h"
#include "exercises/ExerciseFile.h"
#include "exercises/ExerciseHost.h"
#include "exercises/ExercisePictures.h"
#include "ui/MessageBoxes.h"

#include <QComboBox>
#include <QDir>

#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeWidget>
#include <algorithm>

namespace exercises {

namespace {

constexpr int FrameWidth = 300;
constexpr int Gap = 8;
const QColor BannerColour(0, 128, 128);
const QString BannerText = QStringLiteral("Ouvrir un exercice");

// tito: the banner, its title fading from pale yellow to white.
class Banner : public QWidget {
  public:
    using QWidget::QWidget;

  protected:
    void paintEvent(QPaintEvent *) override {
        QPainter p(this);
        p.fillRect(rect(), BannerColour);
        QFont font(QStringLiteral("Arial"));
        font.setPointSize(24);
        font.setBold(true);
        p.setFont(font);
        const QFontMetrics metrics(font);
        const int top = (height() - metrics.height()) / 2 - 2;
        const int n = int(BannerText.size());
        int x = 30;
        for (int i = 1; i <= n; ++i) {
            const QString c = BannerText.mid(i - 1, 1);
            const int blue = int(bench::roundHalfEven(double(i) / n * 100 + 155));
            p.setPen(QColor(255, 255, blue));
            p.drawText(x, top + metrics.ascent(), c);
            x += metrics.horizontalAdvance(c);
        }
    }
};

QToolButton *imageButton(const QString &name, const QPixmap &picture, const QString &tip,
                         QWidget *parent) {
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setIcon(picture);
    button->setIconSize(picture.size());
    button->setAutoRaise(true);
    button->setToolTip(tip);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

QLabel *label(const QString &name, const QString &caption, QWidget *parent) {
    auto *l = new QLabel(caption, parent);
    l->setObjectName(name);
    return l;
}

} // namespace

Fichexo::Fichexo(ExerciseHost &host, ExerciseState &state, QWidget *parent)
    : QDialog(parent), host_(host), state_(state), lit_(litMarkPicture()),
      unlit_(unlitMarkPicture()) {
    setObjectName(QStringLiteral("Fichexo"));
    setModal(true);
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(9);
    setFont(font);

    tito_ = new Banner(this);
    tito_->setObjectName(QStringLiteral("tito"));
    ouvreur_ = imageButton(QStringLiteral("ouvreur"), openExercisePicture(),
                           QStringLiteral("Ouvrir l'exercice choisi"), tito_);
    Image5_ = imageButton(QStringLiteral("Image5"), closeWindowPicture(),
                          QStringLiteral("Fermer cette fenêtre"), tito_);

    fichierexo_ = new QLineEdit(this);
    fichierexo_->setObjectName(QStringLiteral("fichierexo"));
    fichierexo_->setReadOnly(true);

    Frame1_ = new QFrame(this);
    Frame1_->setObjectName(QStringLiteral("Frame1"));
    Frame1_->setFrameShape(QFrame::StyledPanel);
    auto *heading = new QHBoxLayout;
    heading->addWidget(
        label(QStringLiteral("Label5"), QStringLiteral("Liste des exercices:"), Frame1_));
    heading->addStretch();
    for (int k = 0; k < 3; ++k) {
        auto *image = new QLabel(Frame1_);
        image->setPixmap(lensPicture());
        heading->addWidget(image);
    }
    // The browser's three lists, one above the other: the exercises first.
    browser_ = new config::DirectoryBrowser({}, Frame1_);
    browser_->setFilePatterns({QStringLiteral("*.E21")});
    browser_->hide();
    auto *column = new QVBoxLayout(Frame1_);
    column->addLayout(heading);
    column->addWidget(browser_->fileList(), 3);
    column->addWidget(label(QStringLiteral("Label8"), QStringLiteral("Lecteur :"), Frame1_));
    column->addWidget(browser_->driveList());
    column->addWidget(label(QStringLiteral("Label9"), QString::fromUtf8("Répertoire :"), Frame1_));
    column->addWidget(browser_->directoryList(), 2);

    titratexo_ = label(QStringLiteral("titratexo"), QString(), this);
    QFont titleFont = font;
    titleFont.setPointSize(13);
    titleFont.setBold(true);
    titratexo_->setFont(titleFont);
    titratexo_->setWordWrap(true);
    titratexo_->setStyleSheet(QStringLiteral("color: rgb(0, 0, 128)"));
    Label1_ = label(QStringLiteral("Label1"), QString::fromUtf8("Notions abordées :"), this);
    Text1_ = new QPlainTextEdit(this);
    Text1_->setObjectName(QStringLiteral("Text1"));
    Text1_->setReadOnly(true);
    Label4_ = label(QStringLiteral("Label4"), QString::fromUtf8("Niveau de difficulté :"), this);
    for (int k = 0; k < 3; ++k) {
        Image4_[k] = label(QStringLiteral("Image4_%1").arg(k), QString(), this);
        Image4_[k]->setPixmap(unlit_);
    }
    QFont statusFont = titleFont;
    statusFont.setPointSize(12);
    // Label3 lies 2 pixels right of and below Label2 and under it: a shadow.
    Label3_ = label(QStringLiteral("Label3"), QString::fromUtf8("Corrigé"), this);
    Label3_->setFont(statusFont);
    Label3_->setStyleSheet(QStringLiteral("color: rgb(128, 128, 128)"));
    Label2_ = label(QStringLiteral("Label2"), QString::fromUtf8("Corrigé"), this);
    Label2_->setFont(statusFont);
    Label2_->setStyleSheet(QStringLiteral("color: rgb(200, 0, 0)"));
    Text2_ = new QLineEdit(this);
    Text2_->setObjectName(QStringLiteral("Text2"));
    Text2_->setReadOnly(true);
    Text2_->setFrame(false);
    QFont marks = font;
    // Symbola draws the hourglass, which Arial lacks.
    marks.setFamilies({QStringLiteral("Symbola"), QStringLiteral("Arial")});
    marks.setPointSize(16);
    Text2_->setFont(marks);
    intratro_ =
        label(QStringLiteral("intratro"), QString::fromUtf8("Sélectionner un fichier"), this);
    intratro_->setFont(statusFont);
    intratro_->setAlignment(Qt::AlignCenter);

    Frame2_ = new QFrame(this);
    Frame2_->setObjectName(QStringLiteral("Frame2"));
    Frame2_->setFrameShape(QFrame::Box);
    Frame2_->setAutoFillBackground(true);
    auto *image = new QLabel(Frame2_);
    image->setPixmap(loadingPicture());
    auto *texts = new QVBoxLayout;
    texts->addWidget(
        label(QStringLiteral("Label7"), QStringLiteral("Patienter quelques instants"), Frame2_));
    texts->addWidget(
        label(QStringLiteral("Label6"), QStringLiteral(" Chargement des fichiers"), Frame2_));
    auto *waiting = new QHBoxLayout(Frame2_);
    waiting->addWidget(image);
    waiting->addLayout(texts);

    // Form_Load: over the main window, with its state and icon, under a title of its own.
    QWidget *main = host_.hostWindow();
    titratexo_->clear();
    Frame2_->hide();
    Text1_->clear();
    Text2_->clear();
    for (QLabel *l : {Label1_, Label2_, Label3_, Label4_})
        l->hide();
    for (QLabel *m : Image4_)
        m->hide();
    ouvreur_->hide();
    setWindowTitle(Title);
    if (main) {
        setWindowIcon(main->windowIcon());
        setGeometry(main->geometry());
        setWindowState(main->windowState());
    }
    browser_->setDirectory(host_.programDirectory());
    placeControls();

    connect(ouvreur_, &QToolButton::clicked, this, [this] { ouvreur_Click(); });
    connect(Image5_, &QToolButton::clicked, this, &QDialog::reject);
    // Another folder or drive: the selection is no file of what the list shows any more.
    connect(browser_, &config::DirectoryBrowser::directoryChanged, this, [this] {
        setSelection(QString(), QString());
        apercu();
    });
    connect(browser_, &config::DirectoryBrowser::fileClicked, this, &Fichexo::File1_Click);
    connect(browser_, &config::DirectoryBrowser::fileDoubleClicked, this,
            [this](const QString &name) {
                File1_Click(name);
                ouvreur_Click();
            });
    browser_->fileList()->installEventFilter(this);
}

bool Fichexo::markLit(int k) const {
    return Image4_[k]->pixmap().cacheKey() == lit_.cacheKey();
}

void Fichexo::placeControls() {
    const int w = width(), h = height();
    tito_->setGeometry(0, 0, w, BannerHeight);
    Image5_->setGeometry(w - 52, 6, 48, 48);
    ouvreur_->setGeometry(w - 104, 6, 48, 48);
    const int frameTop = BannerHeight - 8;
    Frame1_->setGeometry(0, frameTop, FrameWidth, std::max(h - frameTop, 0));
    const int x = FrameWidth + Gap;
    const int right = w - Gap;
    const int cw = std::max(right - x, 40);
    fichierexo_->setGeometry(x, BannerHeight + 4, cw, 22);
    titratexo_->setGeometry(x, BannerHeight + 36, cw, 48);
    Label1_->setGeometry(x, BannerHeight + 92, cw, 20);
    Text1_->setGeometry(x, BannerHeight + 114, cw, 96);
    Label4_->setGeometry(x, BannerHeight + 222, cw, 20);
    for (int k = 0; k < 3; ++k)
        Image4_[k]->setGeometry(x + 4 + 28 * k, BannerHeight + 246, 22, 22);
    Label2_->setGeometry(x, BannerHeight + 284, cw, 26);
    Label3_->setGeometry(Label2_->geometry().translated(2, 2));
    Text2_->setGeometry(x, BannerHeight + 320, cw, 30);
    intratro_->setGeometry(x, BannerHeight + 160, cw, 30);
    Frame2_->adjustSize();
    Frame2_->move((w - Frame2_->width()) / 2, (h - Frame2_->height()) / 2);
}

void Fichexo::resizeEvent(QResizeEvent *event) {
    QDialog::resizeEvent(event);
    placeControls();
}

// Form_Activate: the first exercise of the list is selected, which previews it.
void Fichexo::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    if (activated_) return;
    activated_ = true;
    QListWidget *files = browser_->fileList();
    if (files->count() > 0) {
        files->setCurrentRow(0);
        files->setFocus();
    }
}

bool Fichexo::eventFilter(QObject *watched, QEvent *event) {
    if (watched == browser_->fileList() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            ouvreur_Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

QWidget *Fichexo::messageParent() {
    return isVisible() ? this : host_.hostWindow();
}

void Fichexo::File1_Click(const QString &name) {
    QString dir = browser_->directory();
    QDir::setCurrent(dir);
    if (!dir.endsWith(QLatin1Char('/'))) dir += QLatin1Char('/');
    setSelection(dir, dir + name);
    apercu();
}

void Fichexo::setSelection(const QString &directory, const QString &path) {
    selectedDir_ = directory;
    fichierexo_->setText(path);
}

bool Fichexo::apercu() {
    Text1_->clear();
    Text2_->clear();
    for (QLabel *m : Image4_)
        m->hide();
    Label4_->hide();
    ouvreur_->hide();
    if (isBlank(fichierexo_->text())) {
        // Nothing selected: the preview is empty and asks for a selection.
        titratexo_->clear();
        for (QLabel *l : {Label1_, Label2_, Label3_})
            l->hide();
        intratro_->show();
        return false;
    }
    intratro_->hide();
    for (QWidget *w : {static_cast<QWidget *>(Label4_), static_cast<QWidget *>(ouvreur_),
                       static_cast<QWidget *>(Label1_), static_cast<QWidget *>(Label3_),
                       static_cast<QWidget *>(Label2_)})
        w->show();

    const auto read = readExerciseFile(fichierexo_->text());
    if (const auto *error = std::get_if<config::FileError>(&read)) {
        ui::showCritical(messageParent(), error->title, error->text);
        return false;
    }
    const ExerciseFile &e = std::get<ExerciseFile>(read);
    Label2_->setText(e.corrected() ? Corrected : NotCorrected);
    Label3_->setText(Label2_->text());
    for (int k = 0; k < 3; ++k) {
        Image4_[k]->setPixmap(e.difficulty > k ? lit_ : unlit_);
        Image4_[k]->show();
    }
    Text1_->setPlainText(e.topics);
    titratexo_->setText(e.title);
    Text2_->setText(QString(e.hourglasses, QChar(0x231B)));
    return true;
}

bool Fichexo::ouvreur_Click() {
    const QString path = fichierexo_->text();
    if (isBlank(path)) return false;
    if (isVisible()) {
        Frame2_->show();
        Frame2_->raise();
        Frame2_->repaint();
    }
    const auto read = readExerciseFile(path);
    if (const auto *error = std::get_if<config::FileError>(&read)) {
        Frame2_->hide();
        ui::showCritical(messageParent(), error->title, error->text);
        return false;
    }
    const ExerciseFile &e = std::get<ExerciseFile>(read);
    QTextEdit *box = host_.exerciseText();
    const QString statement = resolveName(selectedDir_, e.statement);
    if (!loadRichText(box, statement)) {
        Frame2_->hide();
        reportUnloadedText(messageParent(), statement, selectedDir_ + e.statement);
        return false;
    }
    state_.exerciseDir = selectedDir_;
    host_.exerciseTitle()->setText(path);
    state_.correctionAvailable = Label2_->text() == Corrected;
    if (!isBlank(e.configuration))
        loadNamedConfiguration(host_, messageParent(), resolveName(selectedDir_, e.configuration),
                               selectedDir_ + e.configuration);
    host_.setValuesHidden(e.hideValues);
    Frame2_->hide();
    box->setReadOnly(false);
    state_.textModified = false;
    accept();
    return true;
}

} // namespace exercises
