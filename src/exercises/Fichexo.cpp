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

    banner_ = new Banner(this);
    banner_->setObjectName(QStringLiteral("tito"));
    openButton_ = imageButton(QStringLiteral("ouvreur"), openExercisePicture(),
                              QStringLiteral("Ouvrir l'exercice choisi"), banner_);
    closeButton_ = imageButton(QStringLiteral("Image5"), closeWindowPicture(),
                               QStringLiteral("Fermer cette fenêtre"), banner_);

    pathField_ = new QLineEdit(this);
    pathField_->setObjectName(QStringLiteral("fichierexo"));
    pathField_->setReadOnly(true);

    listFrame_ = new QFrame(this);
    listFrame_->setObjectName(QStringLiteral("Frame1"));
    listFrame_->setFrameShape(QFrame::StyledPanel);
    auto *heading = new QHBoxLayout;
    heading->addWidget(
        label(QStringLiteral("Label5"), QStringLiteral("Liste des exercices:"), listFrame_));
    heading->addStretch();
    for (int k = 0; k < 3; ++k) {
        auto *image = new QLabel(listFrame_);
        image->setPixmap(lensPicture());
        heading->addWidget(image);
    }
    // The browser's three lists, one above the other: the exercises first.
    browser_ = new config::DirectoryBrowser({}, listFrame_);
    browser_->setFilePatterns({QStringLiteral("*.E21")});
    browser_->hide();
    auto *column = new QVBoxLayout(listFrame_);
    column->addLayout(heading);
    column->addWidget(browser_->fileList(), 3);
    column->addWidget(label(QStringLiteral("Label8"), QStringLiteral("Lecteur :"), listFrame_));
    column->addWidget(browser_->driveList());
    column->addWidget(
        label(QStringLiteral("Label9"), QString::fromUtf8("Répertoire :"), listFrame_));
    column->addWidget(browser_->directoryList(), 2);

    titleLabel_ = label(QStringLiteral("titratexo"), QString(), this);
    QFont titleFont = font;
    titleFont.setPointSize(13);
    titleFont.setBold(true);
    titleLabel_->setFont(titleFont);
    titleLabel_->setWordWrap(true);
    titleLabel_->setStyleSheet(QStringLiteral("color: rgb(0, 0, 128)"));
    topicsLabel_ = label(QStringLiteral("Label1"), QString::fromUtf8("Notions abordées :"), this);
    topicsField_ = new QPlainTextEdit(this);
    topicsField_->setObjectName(QStringLiteral("Text1"));
    topicsField_->setReadOnly(true);
    difficultyLabel_ =
        label(QStringLiteral("Label4"), QString::fromUtf8("Niveau de difficulté :"), this);
    for (int k = 0; k < 3; ++k) {
        difficultyMarks_[k] = label(QStringLiteral("difficultyMarks_%1").arg(k), QString(), this);
        difficultyMarks_[k]->setPixmap(unlit_);
    }
    QFont statusFont = titleFont;
    statusFont.setPointSize(12);
    // Label3 lies 2 pixels right of and below Label2 and under it: a shadow.
    correctionShadow_ = label(QStringLiteral("Label3"), QString::fromUtf8("Corrigé"), this);
    correctionShadow_->setFont(statusFont);
    correctionShadow_->setStyleSheet(QStringLiteral("color: rgb(128, 128, 128)"));
    correctionLabel_ = label(QStringLiteral("Label2"), QString::fromUtf8("Corrigé"), this);
    correctionLabel_->setFont(statusFont);
    correctionLabel_->setStyleSheet(QStringLiteral("color: rgb(200, 0, 0)"));
    hourglassField_ = new QLineEdit(this);
    hourglassField_->setObjectName(QStringLiteral("Text2"));
    hourglassField_->setReadOnly(true);
    hourglassField_->setFrame(false);
    QFont marks = font;
    // Symbola draws the hourglass, which Arial lacks.
    marks.setFamilies({QStringLiteral("Symbola"), QStringLiteral("Arial")});
    marks.setPointSize(16);
    hourglassField_->setFont(marks);
    selectPrompt_ =
        label(QStringLiteral("intratro"), QString::fromUtf8("Sélectionner un fichier"), this);
    selectPrompt_->setFont(statusFont);
    selectPrompt_->setAlignment(Qt::AlignCenter);

    waitingFrame_ = new QFrame(this);
    waitingFrame_->setObjectName(QStringLiteral("Frame2"));
    waitingFrame_->setFrameShape(QFrame::Box);
    waitingFrame_->setAutoFillBackground(true);
    auto *image = new QLabel(waitingFrame_);
    image->setPixmap(loadingPicture());
    auto *texts = new QVBoxLayout;
    texts->addWidget(label(QStringLiteral("Label7"), QStringLiteral("Patienter quelques instants"),
                           waitingFrame_));
    texts->addWidget(
        label(QStringLiteral("Label6"), QStringLiteral(" Chargement des fichiers"), waitingFrame_));
    auto *waiting = new QHBoxLayout(waitingFrame_);
    waiting->addWidget(image);
    waiting->addLayout(texts);

    // Form_Load: over the main window, with its state and icon, under a title of its own.
    QWidget *main = host_.hostWindow();
    titleLabel_->clear();
    waitingFrame_->hide();
    topicsField_->clear();
    hourglassField_->clear();
    for (QLabel *l : {topicsLabel_, correctionLabel_, correctionShadow_, difficultyLabel_})
        l->hide();
    for (QLabel *m : difficultyMarks_)
        m->hide();
    openButton_->hide();
    setWindowTitle(Title);
    if (main) {
        setWindowIcon(main->windowIcon());
        setGeometry(main->geometry());
        setWindowState(main->windowState());
    }
    browser_->setDirectory(host_.programDirectory());
    placeControls();

    connect(openButton_, &QToolButton::clicked, this, [this] { openExercise(); });
    connect(closeButton_, &QToolButton::clicked, this, &QDialog::reject);
    // Another folder or drive: the selection is no file of what the list shows any more.
    connect(browser_, &config::DirectoryBrowser::directoryChanged, this, [this] {
        setSelection(QString(), QString());
        apercu();
    });
    connect(browser_, &config::DirectoryBrowser::fileClicked, this, &Fichexo::chooseFile);
    connect(browser_, &config::DirectoryBrowser::fileDoubleClicked, this,
            [this](const QString &name) {
                chooseFile(name);
                openExercise();
            });
    browser_->fileList()->installEventFilter(this);
}

bool Fichexo::markLit(int k) const {
    return difficultyMarks_[k]->pixmap().cacheKey() == lit_.cacheKey();
}

void Fichexo::placeControls() {
    const int w = width(), h = height();
    banner_->setGeometry(0, 0, w, BannerHeight);
    closeButton_->setGeometry(w - 52, 6, 48, 48);
    openButton_->setGeometry(w - 104, 6, 48, 48);
    const int frameTop = BannerHeight - 8;
    listFrame_->setGeometry(0, frameTop, FrameWidth, std::max(h - frameTop, 0));
    const int x = FrameWidth + Gap;
    const int right = w - Gap;
    const int cw = std::max(right - x, 40);
    pathField_->setGeometry(x, BannerHeight + 4, cw, 22);
    titleLabel_->setGeometry(x, BannerHeight + 36, cw, 48);
    topicsLabel_->setGeometry(x, BannerHeight + 92, cw, 20);
    topicsField_->setGeometry(x, BannerHeight + 114, cw, 96);
    difficultyLabel_->setGeometry(x, BannerHeight + 222, cw, 20);
    for (int k = 0; k < 3; ++k)
        difficultyMarks_[k]->setGeometry(x + 4 + 28 * k, BannerHeight + 246, 22, 22);
    correctionLabel_->setGeometry(x, BannerHeight + 284, cw, 26);
    correctionShadow_->setGeometry(correctionLabel_->geometry().translated(2, 2));
    hourglassField_->setGeometry(x, BannerHeight + 320, cw, 30);
    selectPrompt_->setGeometry(x, BannerHeight + 160, cw, 30);
    waitingFrame_->adjustSize();
    waitingFrame_->move((w - waitingFrame_->width()) / 2, (h - waitingFrame_->height()) / 2);
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
            openExercise();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

QWidget *Fichexo::messageParent() {
    return isVisible() ? this : host_.hostWindow();
}

void Fichexo::chooseFile(const QString &name) {
    QString dir = browser_->directory();
    QDir::setCurrent(dir);
    if (!dir.endsWith(QLatin1Char('/'))) dir += QLatin1Char('/');
    setSelection(dir, dir + name);
    apercu();
}

void Fichexo::setSelection(const QString &directory, const QString &path) {
    selectedDir_ = directory;
    pathField_->setText(path);
}

bool Fichexo::apercu() {
    topicsField_->clear();
    hourglassField_->clear();
    for (QLabel *m : difficultyMarks_)
        m->hide();
    difficultyLabel_->hide();
    openButton_->hide();
    if (isBlank(pathField_->text())) {
        // Nothing selected: the preview is empty and asks for a selection.
        titleLabel_->clear();
        for (QLabel *l : {topicsLabel_, correctionLabel_, correctionShadow_})
            l->hide();
        selectPrompt_->show();
        return false;
    }
    selectPrompt_->hide();
    for (QWidget *w :
         {static_cast<QWidget *>(difficultyLabel_), static_cast<QWidget *>(openButton_),
          static_cast<QWidget *>(topicsLabel_), static_cast<QWidget *>(correctionShadow_),
          static_cast<QWidget *>(correctionLabel_)})
        w->show();

    const auto read = readExerciseFile(pathField_->text());
    if (const auto *error = std::get_if<config::FileError>(&read)) {
        ui::showCritical(messageParent(), error->title, error->text);
        return false;
    }
    const ExerciseFile &e = std::get<ExerciseFile>(read);
    correctionLabel_->setText(e.corrected() ? Corrected : NotCorrected);
    correctionShadow_->setText(correctionLabel_->text());
    for (int k = 0; k < 3; ++k) {
        difficultyMarks_[k]->setPixmap(e.difficulty > k ? lit_ : unlit_);
        difficultyMarks_[k]->show();
    }
    topicsField_->setPlainText(e.topics);
    titleLabel_->setText(e.title);
    hourglassField_->setText(QString(e.hourglasses, QChar(0x231B)));
    return true;
}

bool Fichexo::openExercise() {
    const QString path = pathField_->text();
    if (isBlank(path)) return false;
    if (isVisible()) {
        waitingFrame_->show();
        waitingFrame_->raise();
        waitingFrame_->repaint();
    }
    const auto read = readExerciseFile(path);
    if (const auto *error = std::get_if<config::FileError>(&read)) {
        waitingFrame_->hide();
        ui::showCritical(messageParent(), error->title, error->text);
        return false;
    }
    const ExerciseFile &e = std::get<ExerciseFile>(read);
    QTextEdit *box = host_.exerciseText();
    const QString statement = resolveName(selectedDir_, e.statement);
    if (!loadRichText(box, statement)) {
        waitingFrame_->hide();
        reportUnloadedText(messageParent(), statement, selectedDir_ + e.statement);
        return false;
    }
    state_.exerciseDir = selectedDir_;
    host_.exerciseTitle()->setText(path);
    state_.correctionAvailable = correctionLabel_->text() == Corrected;
    if (!isBlank(e.configuration))
        loadNamedConfiguration(host_, messageParent(), resolveName(selectedDir_, e.configuration),
                               selectedDir_ + e.configuration);
    host_.setValuesHidden(e.hideValues);
    waitingFrame_->hide();
    box->setReadOnly(false);
    state_.textModified = false;
    accept();
    return true;
}

} // namespace exercises
