#include "exercises/ExerciseAuthoring.h"

#include "bench/figure/FigureUpdate.h"
#include "exercises/ExerciseHost.h"
#include "ui/DrawingSurface.h"
#include "ui/ImageSurface.h"
#include "ui/MessageBoxes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>

namespace exercises {

namespace {

// The small picture of a bench: its figure at a quarter of its design size.
constexpr int PictureWidth = ui::DesignFigureWidth / 4, PictureHeight = ui::DesignFigureHeight / 4;
constexpr int TextPreviewLength = 60;

bool isTextCompanion(int companion) {
    return companion == StatementText || companion == CorrectionText;
}

QString documentsFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

QPixmap benchPicture(bench::BenchState state) {
    ui::ImageSurface surface(ui::DesignFigureWidth, ui::DesignFigureHeight);
    if (!bench::majaff(state, surface).drawn) return QPixmap();
    return QPixmap::fromImage(surface.image().scaled(
        PictureWidth, PictureHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

// The bench a configuration file holds, as the window would open it; none when refused.
std::optional<bench::BenchState> benchOfFile(const QString &path) {
    auto read = config::readConfiguration(path);
    const auto *configuration = std::get_if<config::Configuration>(&read);
    if (!configuration) return std::nullopt;
    bench::BenchState state = bench::BenchState::startup();
    config::applyConfiguration(state, *configuration);
    return state;
}

QString defaultChooseTextFile(QWidget *parent) {
    QFileDialog dialog(parent, QStringLiteral("Choisir un texte RTF"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(QStringLiteral("Texte au format RTF (*.rtf *.RTF)"));
    dialog.setDirectory(documentsFolder());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().constFirst();
}

QString defaultChooseFolder(QWidget *parent, const QString &start) {
    return QFileDialog::getExistingDirectory(parent, QStringLiteral("Dossier de l'exercice"), start,
                                             QFileDialog::DontUseNativeDialog);
}

QPushButton *button(const QString &name, const QString &caption, QWidget *parent) {
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

ExerciseAuthoring::ExerciseAuthoring(ExerciseHost &host, QWidget *parent)
    : QDialog(parent), host_(host) {
    chooseTextFile = defaultChooseTextFile;
    chooseFolder = defaultChooseFolder;
    setObjectName(QStringLiteral("exerciseAuthoring"));
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(9);
    setFont(font);

    auto *exercise = new QGroupBox(QStringLiteral("L'exercice"), this);
    titleField_ = new QLineEdit(exercise);
    titleField_->setObjectName(QStringLiteral("titleField"));
    titleField_->setPlaceholderText(QStringLiteral("affiché dans la liste des exercices"));
    notionsField_ = new QPlainTextEdit(exercise);
    notionsField_->setObjectName(QStringLiteral("notionsField"));
    notionsField_->setTabChangesFocus(true);
    notionsField_->setFixedHeight(3 * notionsField_->fontMetrics().lineSpacing() + 12);
    notionsCount_ = new QLabel(exercise);
    notionsCount_->setObjectName(QStringLiteral("notionsCount"));
    notionsCount_->setAlignment(Qt::AlignRight);
    difficultyList_ = new QComboBox(exercise);
    difficultyList_->setObjectName(QStringLiteral("difficultyList"));
    difficultyList_->addItems({QString::fromUtf8("0 — aucune marque"), QStringLiteral("1"),
                               QStringLiteral("2"), QStringLiteral("3 — la plus difficile")});
    hourglassCount_ = new QSpinBox(exercise);
    hourglassCount_->setObjectName(QStringLiteral("hourglassCount"));
    hourglassCount_->setRange(0, MaxHourglasses);
    hideValuesBox_ = new QCheckBox(QStringLiteral("Cacher les valeurs de l'image"), exercise);
    hideValuesBox_->setObjectName(QStringLiteral("hideValuesBox"));
    hideValuesBox_->setToolTip(QString::fromUtf8(
        "Tant que l'exercice est ouvert, les positions et hauteurs des images affichent « ? », "
        "jusqu'à « Voir la correction »."));
    auto *grid = new QGridLayout(exercise);
    grid->addWidget(new QLabel(QStringLiteral("Titre :"), exercise), 0, 0);
    grid->addWidget(titleField_, 0, 1, 1, 4);
    grid->addWidget(new QLabel(QString::fromUtf8("Notions abordées :"), exercise), 1, 0,
                    Qt::AlignTop);
    grid->addWidget(notionsField_, 1, 1, 1, 4);
    grid->addWidget(notionsCount_, 2, 1, 1, 4);
    grid->addWidget(new QLabel(QString::fromUtf8("Difficulté :"), exercise), 3, 0);
    grid->addWidget(difficultyList_, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("Sabliers :"), exercise), 3, 2, Qt::AlignRight);
    grid->addWidget(hourglassCount_, 3, 3);
    grid->setColumnStretch(4, 1);
    grid->addWidget(hideValuesBox_, 4, 1, 1, 4);

    // The statement and the correction: a text and a bench each.
    QGroupBox *parts[2] = {new QGroupBox(QString::fromUtf8("L'énoncé"), this),
                           new QGroupBox(QStringLiteral("La correction"), this)};
    for (int part = 0; part < 2; ++part) {
        QGroupBox *box = parts[part];
        auto *rows = new QGridLayout(box);
        for (int row = 0; row < 2; ++row) {
            const int companion = part * 2 + row;
            const QString n = QString::number(companion);
            auto *description = new QLabel(box);
            description->setObjectName(QStringLiteral("companion_") + n);
            description->setWordWrap(true);
            companionLabels_[companion] = description;
            // What is taken, and under it the ways to take it.
            auto *actions = new QHBoxLayout;
            auto *block = new QVBoxLayout;
            block->addWidget(description);
            block->addLayout(actions);
            block->addStretch();
            if (row == 0) {
                auto *take = button(QStringLiteral("takeText_") + n,
                                    QStringLiteral("Prendre le texte actuel"), box);
                take->setToolTip(QString::fromUtf8("Le texte de la zone d'exercice, tel qu'il "
                                                   "est maintenant"));
                auto *file = button(QStringLiteral("chooseFile_") + n,
                                    QString::fromUtf8("Choisir un fichier RTF…"), box);
                connect(take, &QPushButton::clicked, this,
                        [this, companion] { takeText(companion); });
                connect(file, &QPushButton::clicked, this,
                        [this, companion] { chooseFile(companion); });
                actions->addWidget(take);
                actions->addWidget(file);
                rows->addWidget(new QLabel(QStringLiteral("Texte :"), box), row, 0, Qt::AlignTop);
                rows->addLayout(block, row, 1);
            } else {
                auto *take = button(QStringLiteral("takeBench_") + n,
                                    QStringLiteral("Prendre le banc actuel"), box);
                take->setToolTip(QString::fromUtf8("Le banc de la fenêtre principale, tel qu'il "
                                                   "est maintenant"));
                take->setEnabled(host_.currentBench().has_value());
                connect(take, &QPushButton::clicked, this,
                        [this, companion] { takeBench(companion); });
                actions->addWidget(take);
                auto *picture = new QLabel(box);
                picture->setObjectName(QStringLiteral("benchPicture_") + n);
                picture->setFixedSize(PictureWidth + 2, PictureHeight + 2);
                picture->setFrameShape(QFrame::Box);
                picture->setAlignment(Qt::AlignCenter);
                benchPictures_[companion] = picture;
                auto *pictured = new QHBoxLayout;
                pictured->addWidget(picture, 0, Qt::AlignTop);
                pictured->addLayout(block, 1);
                rows->addWidget(new QLabel(QStringLiteral("Banc :"), box), row, 0, Qt::AlignTop);
                rows->addLayout(pictured, row, 1);
            }
            auto *none = button(QStringLiteral("clear_") + n, QStringLiteral("Aucun"), box);
            connect(none, &QPushButton::clicked, this,
                    [this, companion] { setCompanion(companion, {}); });
            actions->addWidget(none);
            actions->addStretch();
        }
        rows->setColumnStretch(1, 1);
        rows->setColumnMinimumWidth(0, 60);
    }

    auto *saving = new QGroupBox(QStringLiteral("Enregistrement"), this);
    folderField_ = new QLineEdit(saving);
    folderField_->setObjectName(QStringLiteral("folderField"));
    auto *browse = button(QStringLiteral("chooseFolder"), QString::fromUtf8("Parcourir…"), saving);
    baseNameField_ = new QLineEdit(saving);
    baseNameField_->setObjectName(QStringLiteral("baseNameField"));
    baseNameField_->setToolTip(QString::fromUtf8("Lettres sans accent, chiffres, « - » et « _ »"));
    fileNames_ = new QLabel(saving);
    fileNames_->setObjectName(QStringLiteral("fileNames"));
    fileNames_->setWordWrap(true);
    auto *savingGrid = new QGridLayout(saving);
    savingGrid->addWidget(new QLabel(QStringLiteral("Dossier :"), saving), 0, 0);
    savingGrid->addWidget(folderField_, 0, 1);
    savingGrid->addWidget(browse, 0, 2);
    savingGrid->addWidget(new QLabel(QStringLiteral("Nom de base :"), saving), 1, 0);
    savingGrid->addWidget(baseNameField_, 1, 1, 1, 2);
    savingGrid->addWidget(fileNames_, 2, 1, 1, 2);

    saveButton_ = button(QStringLiteral("saveButton"), QStringLiteral("&Enregistrer"), this);
    closeButton_ = button(QStringLiteral("closeButton"), QStringLiteral("&Fermer"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(closeButton_);
    buttons->addWidget(saveButton_);

    // The sections scroll where the screen is too small for them (a large zoom on a laptop);
    // the buttons stay in sight under them.
    auto *page = new QWidget;
    auto *sections = new QVBoxLayout(page);
    sections->setContentsMargins(0, 0, 0, 0);
    sections->addWidget(exercise);
    sections->addWidget(parts[0]);
    sections->addWidget(parts[1]);
    sections->addWidget(saving);
    sections_ = new QScrollArea(this);
    sections_->setFrameShape(QFrame::NoFrame);
    sections_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    sections_->setWidgetResizable(true);
    sections_->setWidget(page);
    page->installEventFilter(this);
    auto *column = new QVBoxLayout(this);
    column->addWidget(sections_);
    column->addLayout(buttons);

    connect(titleField_, &QLineEdit::textEdited, this, &ExerciseAuthoring::titleEdited);
    connect(baseNameField_, &QLineEdit::textEdited, this, [this] {
        baseNameChosen_ = true;
        showFileNames();
    });
    connect(notionsField_, &QPlainTextEdit::textChanged, this,
            &ExerciseAuthoring::showNotionsCount);
    connect(browse, &QPushButton::clicked, this, [this] {
        const QString folder = chooseFolder(this, folderField_->text());
        if (!folder.isEmpty()) folderField_->setText(QDir::toNativeSeparators(folder));
    });
    connect(saveButton_, &QPushButton::clicked, this, [this] { save(); });
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::reject);
    // What the teacher changes by hand makes the exercise one to keep.
    const auto changed = [this] { changed_ = true; };
    connect(titleField_, &QLineEdit::textEdited, this, changed);
    connect(notionsField_, &QPlainTextEdit::textChanged, this, changed);
    connect(difficultyList_, &QComboBox::activated, this, changed);
    connect(hourglassCount_, &QSpinBox::valueChanged, this, changed);
    connect(hideValuesBox_, &QCheckBox::toggled, this, changed);
    connect(folderField_, &QLineEdit::textChanged, this, changed);
    connect(baseNameField_, &QLineEdit::textEdited, this, changed);

    if (QWidget *main = host_.hostWindow()) setWindowIcon(main->windowIcon());
    resize(640, 660);
    startNew();
}

void ExerciseAuthoring::startNew() {
    setWindowTitle(QStringLiteral("Créer un exercice"));
    titleField_->clear();
    notionsField_->clear();
    notionPieces_.reset();
    difficultyList_->setCurrentIndex(0);
    hourglassCount_->setValue(0);
    hideValuesBox_->setChecked(false);
    originalFile_.clear();
    originalNames_ = {};
    for (int i = 0; i < CompanionCount; ++i)
        setCompanion(i, {});
    folderField_->setText(QDir::toNativeSeparators(documentsFolder()));
    baseNameField_->clear();
    baseNameChosen_ = false;
    showFileNames();
    showNotionsCount();
    changed_ = false;
}

bool ExerciseAuthoring::edit(const QString &path) {
    auto read = readExerciseDraft(path);
    if (auto *error = std::get_if<config::FileError>(&read)) {
        ui::showCritical(this, error->title, error->text);
        return false;
    }
    const ExerciseDraft &d = std::get<ExerciseDraft>(read);
    const QFileInfo file(d.originalFile);
    setWindowTitle(QStringLiteral("Modifier un exercice - ") + file.fileName());
    titleField_->setText(d.title);
    notionsField_->setPlainText(d.notions);
    notionPieces_ = d.notionPieces;
    difficultyList_->setCurrentIndex(d.difficulty);
    hourglassCount_->setValue(d.hourglasses);
    hideValuesBox_->setChecked(d.hideValues);
    originalFile_ = d.originalFile;
    originalNames_ = d.originalNames;
    for (int i = 0; i < CompanionCount; ++i)
        setCompanion(i, d.companions[i]);
    // An exercise beside the program is saved elsewhere: that folder takes none.
    const bool programs = file.absoluteDir() == QDir(host_.programDirectory());
    folderField_->setText(
        QDir::toNativeSeparators(programs ? documentsFolder() : file.absolutePath()));
    baseNameField_->setText(file.completeBaseName());
    baseNameChosen_ = true;
    showFileNames();
    changed_ = false;
    return true;
}

ExerciseDraft ExerciseAuthoring::draft() const {
    ExerciseDraft d;
    d.title = titleField_->text();
    d.notions = notionsField_->toPlainText();
    d.notionPieces = notionPieces_;
    d.difficulty = difficultyList_->currentIndex();
    d.hourglasses = hourglassCount_->value();
    d.hideValues = hideValuesBox_->isChecked();
    d.companions = sources_;
    d.originalFile = originalFile_;
    d.originalNames = originalNames_;
    return d;
}

QString ExerciseAuthoring::folder() const {
    return QDir::fromNativeSeparators(folderField_->text().trimmed());
}

bool ExerciseAuthoring::save() {
    const QString folder = this->folder();
    auto planned =
        planExercise(draft(), folder, baseNameField_->text().trimmed(), host_.programDirectory());
    if (auto *error = std::get_if<config::FileError>(&planned)) {
        ui::showCritical(this, error->title, error->text);
        return false;
    }
    const ExercisePlan &plan = std::get<ExercisePlan>(planned);
    if (!plan.replaced.isEmpty() &&
        !ui::askOkCancel(
            this, QStringLiteral("Ecraser les fichiers?"),
            QString::fromUtf8("Ces fichiers existent déjà dans le dossier %1 :\n\n"
                              "%2\n\nLes remplacer ?")
                .arg(QDir::toNativeSeparators(folder), plan.replaced.join(QLatin1Char('\n')))))
        return false;
    if (const auto error = writeExercise(plan)) {
        ui::showCritical(this, error->title, error->text);
        return false;
    }
    // A text of the box taken as it stands is saved now, within the exercise.
    if (QTextEdit *box = host_.exerciseText(); box && textSaved)
        for (const CompanionSource &source : sources_)
            if (source.document && source.document->toHtml() == box->document()->toHtml())
                textSaved();
    // The window goes on with the exercise as saved: saving again writes only what changes.
    const QString path = plan.exercisePath;
    edit(path);
    if (ui::askOkCancel(this, QString::fromUtf8("Exercice enregistré"),
                        QString::fromUtf8("L'exercice est enregistré :\n%1\n\nL'ouvrir dans la "
                                          "fenêtre principale ?")
                            .arg(QDir::toNativeSeparators(path))) &&
        openExercise) {
        hide();
        openExercise(path);
    }
    return true;
}

void ExerciseAuthoring::takeText(int companion) {
    QTextEdit *box = host_.exerciseText();
    if (!box) return;
    CompanionSource source;
    source.document.reset(box->document()->clone());
    setCompanion(companion, source);
}

void ExerciseAuthoring::takeBench(int companion) {
    CompanionSource source;
    source.bench = host_.currentBench();
    if (source.bench) setCompanion(companion, source);
}

void ExerciseAuthoring::chooseFile(int companion) {
    const QString path = chooseTextFile(this);
    if (path.isEmpty()) return;
    CompanionSource source;
    source.file = path;
    setCompanion(companion, source);
}

bool ExerciseAuthoring::mayDiscard() {
    return !changed_ || !isVisible() ||
           ui::askOkCancel(this, QStringLiteral("Abandon des données?"),
                           QString::fromUtf8("Attention: l'exercice n'est pas enregistré."),
                           ui::DefaultAnswer::Cancel); // Enter keeps the teacher's work
}

void ExerciseAuthoring::reject() {
    if (!mayDiscard()) return;
    changed_ = false;
    QDialog::reject();
}

void ExerciseAuthoring::setCompanion(int companion, CompanionSource source) {
    changed_ = true;
    sources_[companion] = std::move(source);
    showCompanion(companion);
    showFileNames();
}

void ExerciseAuthoring::showCompanion(int companion) {
    const CompanionSource &source = sources_[companion];
    const bool text = isTextCompanion(companion);
    QString description;
    std::optional<bench::BenchState> shown = source.bench;
    if (!source.file.isEmpty()) {
        description = QStringLiteral("Fichier : ") + QDir::toNativeSeparators(source.file);
        if (!text) {
            shown = benchOfFile(source.file);
            if (!shown) description += QString::fromUtf8(" (illisible)");
        }
    } else if (source.document) {
        QString start = source.document->toPlainText().simplified();
        if (start.size() > TextPreviewLength)
            start = start.left(TextPreviewLength) + QString::fromUtf8("…");
        description = QString::fromUtf8("Texte pris dans la zone d'exercice : « %1 »").arg(start);
    } else if (source.bench) {
        description = QString::fromUtf8("Banc pris à l'écran");
    } else {
        description = text ? QStringLiteral("Aucun texte") : QStringLiteral("Aucun banc");
    }
    companionLabels_[companion]->setText(description);
    if (QLabel *picture = benchPictures_[companion])
        picture->setPixmap(shown ? benchPicture(*shown) : QPixmap());
}

// The base name follows the title until the teacher writes one.
void ExerciseAuthoring::titleEdited(const QString &title) {
    if (baseNameChosen_) return;
    baseNameField_->setText(title.trimmed().isEmpty() ? QString() : proposedBaseName(title));
    showFileNames();
}

void ExerciseAuthoring::showFileNames() {
    const QString base = baseNameField_->text().trimmed();
    if (base.isEmpty()) {
        fileNames_->clear();
        return;
    }
    QStringList names{exerciseFileName(base)};
    for (const QString &name : companionNames(draft(), base))
        if (!name.isEmpty()) names << name;
    fileNames_->setText(QStringLiteral("Fichiers : ") + names.join(QStringLiteral(", ")));
}

void ExerciseAuthoring::showBeside(QWidget *main) {
    if (!isVisible()) {
        const QRect free = (main ? main->screen() : screen())->availableGeometry();
        const QRect beside = main ? main->frameGeometry() : QRect(free.topLeft(), QSize());
        move(beside.right() + 1, beside.top());
        show();
        // Once shown, the window has its frame and its sections their width.
        fitInScreen(free, true);
    }
    raise();
    activateWindow();
}

// As tall as the sections need (or taller when `exact` is false and it is), within the screen's
// free area, and wholly in it: beside the main window where there is room, else against the
// screen's right edge.
void ExerciseAuthoring::fitInScreen(const QRect &free, bool exact) {
    layout()->activate();
    const QSize frame = frameGeometry().size() - size();
    QWidget *page = sections_->widget();
    const int pageHeight = page->hasHeightForWidth()
                               ? page->heightForWidth(sections_->viewport()->width())
                               : page->sizeHint().height();
    const int needed = height() - sections_->viewport()->height() + pageHeight;
    resize(std::min(width(), free.width() - frame.width()),
           std::min(exact ? needed : std::max(height(), needed), free.height() - frame.height()));
    move(std::clamp(x(), free.left(), free.right() + 1 - width() - frame.width()),
         std::clamp(y(), free.top(), free.bottom() + 1 - height() - frame.height()));
}

// A description or the list of files wrapped over more lines: once the sections have taken the
// new texts, the window grows with them as far as the screen allows.
bool ExerciseAuthoring::eventFilter(QObject *watched, QEvent *event) {
    if (watched == sections_->widget() && event->type() == QEvent::LayoutRequest)
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (isVisible() && screen()) fitInScreen(screen()->availableGeometry(), false);
            },
            Qt::QueuedConnection);
    return QDialog::eventFilter(watched, event);
}

void ExerciseAuthoring::showNotionsCount() {
    const int length = int(notionsField_->toPlainText().simplified().size());
    notionsCount_->setText(QString::fromUtf8("%1 / %2 caractères").arg(length).arg(NotionsMax));
}

} // namespace exercises
