#include "mainwindow/MainWindow.h"

#include "bench/BenchControls.h"
#include "bench/FieldBounds.h"
#include "bench/FieldNumberText.h"
#include "bench/figure/FigureExport.h"
#include "bench/figure/FigureUpdate.h"
#include "calculator/window/MachineWindow.h"
#include "config/ConfigurationFile.h"
#include "config/RecordFile.h"
#include "config/windows/OpenWindow.h"
#include "config/windows/SaveWindow.h"
#include "exercises/ExerciseHost.h"
#include "exercises/ExerciseMenu.h"
#include "exercises/IntroText.h"
#include "help/HelpWindow.h"
#include "mainwindow/ButtonIcons.h"
#include "mainwindow/FieldEdit.h"
#include "mainwindow/FigureView.h"
#include "mainwindow/Panel.h"
#include "mainwindow/ParameterPanels.h"
#include "mainwindow/TabStrip.h"
#include "mainwindow/WindowZoom.h"
#include "measure/window/MeasureWindow.h"
#include "printing/PrintWindow.h"
#include "ui/CommandButton.h"
#include "ui/MessageBoxes.h"
#include "ui/SaveFileDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QStandardPaths>
#include <QTextEdit>
#include <QToolButton>

namespace mainwindow {

namespace {

constexpr int FigureLeft = 8, FigureTop = 48;
constexpr int FigureMargin = 16; // 8 pixels on each side of the figure
const QColor ShadowGrey(128, 128, 128);
// The field that each mouse handle of the figure moves.
constexpr bench::Field HandleFields[] = {bench::ObjectPosition, bench::Lens1Position,
                                         bench::Lens2Position};

struct CommandButtonLayout {
    const char *name;
    const char *caption;
    const char *tooltip;
    const char *hover;
    ButtonIcon icon;
    int x, width;
};

// The row of command buttons, left to right.
const CommandButtonLayout commandButtons[] = {
    {"Command2", "&Ouvrir", "Retrouver une configuration",
     "Pour retrouver une situation enregistrée", ButtonIcon::Open, 0, 113},
    {"Command11", "&Enregistrer", "Enregistrer la configuration actuelle",
     "Enregistrer les paramètres en cours", ButtonIcon::Save, 112, 113},
    {"Command4", "Co&pier", "Placer l'image dans le presse-papiers",
     "Copier pour placer l'image dans le presse- papiers puis coller depuis Word, Paint...",
     ButtonIcon::Copy, 224, 113},
    {"Command10", "&Imprimer", "Imprimer l'image", "Configurer l'imprimante et imprimer l'image",
     ButtonIcon::Print, 336, 113},
    {"Command8", "&Calculatrice", "Machine à calculer", "Afficher la machine à calculer",
     ButtonIcon::Calculator, 448, 113},
    {"Command7", "&Aide", "Aide pour utiliser cette application",
     "Si vous rencontrez une difficulté avec cette application", ButtonIcon::Help, 560, 113},
    {"Command1", "&Fermer", "Quitter cette application",
     "Pour retrouver le module principal et quitter cette application", ButtonIcon::Close, 672,
     129},
};

// The gradient behind the controls: white at the top to RGB(200, 200, 180) at y = 600.
QRgb backgroundRow(int y) {
    const int g = int(bench::roundHalfEven(255 - y / 600.0 * 55));
    const int b = int(bench::roundHalfEven(255 - y / 600.0 * 75));
    return qRgb(g, g, b);
}

} // namespace

MainWindow::MainWindow(Options options, QWidget *parent)
    : QWidget(parent), options_(std::move(options)),
      exerciseRequestFile_(options_.programDirectory + config::HandOverFile::FileName) {
    setObjectName(QStringLiteral("feuilleP"));
    setWindowTitle(QStringLiteral("Focalines"));
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    setFont(font);
    setMouseTracking(true);

    buildCommandButtons();
    figure_ = new FigureView(this);
    figure_->setObjectName(QStringLiteral("Picture2"));
    // A click on the figure validates a field being typed, as a click on a button does; Tab
    // reaches it too, for moving the elements with the keyboard.
    figure_->setFocusPolicy(Qt::StrongFocus);
    figure_->setGeometry(FigureLeft, FigureTop, DesignWidth - FigureMargin,
                         FigureView::FigureHeight);
    panels_ = new ParameterPanels(this);
    panels_->setGeometry(8, 360, 409, 185);

    infoIcon_ = new QLabel(this);
    infoIcon_->setObjectName(QStringLiteral("Image2"));
    infoIcon_->setGeometry(80, 320, 32, 32);
    infoIcon_->setPixmap(informationPicture());
    infoText_ = new QLabel(this);
    infoText_->setObjectName(QStringLiteral("info"));
    infoText_->setGeometry(120, 320, 233, 33);
    infoText_->setWordWrap(true);
    infoText_->setAutoFillBackground(true);
    infoText_->setFrameShape(QFrame::Box);
    QPalette tip = infoText_->palette();
    tip.setColor(QPalette::Window, tip.color(QPalette::ToolTipBase));
    tip.setColor(QPalette::WindowText, tip.color(QPalette::ToolTipText));
    infoText_->setPalette(tip);

    exerciseTitle_ = new QLineEdit(this);
    exerciseTitle_->setObjectName(QStringLiteral("fich"));
    exerciseTitle_->setGeometry(424, 320, 361, 19);
    exerciseTitle_->setReadOnly(true);
    exerciseTitle_->setAlignment(Qt::AlignRight);
    exerciseTitle_->setFocusPolicy(Qt::NoFocus);
    QPalette title = exerciseTitle_->palette();
    title.setColor(QPalette::Base, QColor(128, 0, 0));
    title.setColor(QPalette::Text, Qt::white);
    exerciseTitle_->setPalette(title);
    exercisesButton_ = new QToolButton(this);
    exercisesButton_->setObjectName(QStringLiteral("btexo"));
    exercisesButton_->setGeometry(424, 320, 97, 19);
    exercisesButton_->setText(QStringLiteral("Exercices"));
    exercisesButton_->setIcon(buttonIcon(ButtonIcon::Exercises));
    exercisesButton_->setIconSize(QSize(14, 14));
    exercisesButton_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    exerciseText_ = new QTextEdit(this);
    exerciseText_->setObjectName(QStringLiteral("supertext"));
    exerciseText_->setGeometry(424, 339, 361, 206);

    connect(exerciseTitle_, &QLineEdit::textChanged, this, [this](const QString &text) {
        exerciseTitle_->setCursorPosition(text.size());
        exerciseTitle_->setToolTip(text);
    });
    exerciseHost_ =
        std::make_unique<exercises::WidgetExerciseHost>(exercises::WidgetExerciseHost::Parts{
            this, options_.programDirectory, exerciseText_, exerciseTitle_,
            [this](const QString &path) {
                currentFileName_ = path;
                loadCurrentFile();
            },
            [this](bool hidden) { setValuesHidden(hidden); }, [this] { return state_; }});
    exerciseMenu_ = new exercises::ExerciseMenu(*exerciseHost_, this);
    connect(exercisesButton_, &QToolButton::clicked, this,
            [this] { exerciseMenu_->showMenu(exercisesButton_); });
    connect(figure_, &FigureView::hovered, this, [this] {
        setInfo(QStringLiteral("Vous pouvez déplacer l'objet et les lentilles avec la souris"));
    });

    setHoverText(panels_->tabStrip(), QStringLiteral("Cliquer sur un onglet pour l'afficher"));
    setHoverText(panels_->panel(1),
                 QStringLiteral("Positions et dimensions de l'objet  et des images"));
    setHoverText(panels_->panel(2),
                 QStringLiteral("Vous pouvez modifier les paramètres des lentilles"));
    setHoverText(panels_->panel(3), QStringLiteral("Les options d'affichage s'appliquent "
                                                   "également à l'image copiée ou imprimée."));
    setHoverText(panels_->panel(4), QStringLiteral("Représentation de la construction de l'image"));
    for (QWidget *w : panels_->axisLengthControls())
        setHoverText(w, QStringLiteral("Modifier l'échelle de représentation"));
    setHoverText(panels_->measurementsButton(),
                 QStringLiteral("Relever des mesures sur le banc : tableau, graphique et "
                                "distance focale"));
    setHoverText(exercisesButton_,
                 QStringLiteral("Ouvrir un énoncé, enregistrer le texte, obtenir la "
                                "correction, imprimer ou fermer"));

    connectPanels();
    buildFigureMenu();
    const auto addShortcut = [this](const QKeySequence &keys, void (MainWindow::*slot)()) {
        connect(new QShortcut(keys, this), &QShortcut::activated, this, slot);
    };
    addShortcut(QKeySequence::Undo, &MainWindow::undo);
    addShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y), &MainWindow::redo);
    addShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), &MainWindow::redo);
    addShortcut(QKeySequence(Qt::CTRL | Qt::Key_M), &MainWindow::measureBench);
    const auto addZoomShortcut = [this](const QKeySequence &keys, int step) {
        connect(new QShortcut(keys, this), &QShortcut::activated, this, [this, step] {
            setZoom(step == 0 ? zoom::Smallest : zoom::percent() + step * zoom::Step);
        });
    };
    addZoomShortcut(QKeySequence::ZoomIn, 1);
    addZoomShortcut(QKeySequence(Qt::CTRL | Qt::Key_Equal), 1);
    addZoomShortcut(QKeySequence::ZoomOut, -1);
    addZoomShortcut(QKeySequence(Qt::CTRL | Qt::Key_0), 0);
    chooseFigureFile = [](QWidget *parent) {
        return ui::askSaveFileName(parent, QString::fromUtf8("Enregistrer la figure sous"),
                                   {QStringLiteral("Image PNG (*.png)"),
                                    QStringLiteral("Image JPEG (*.jpg *.jpeg)"),
                                    QStringLiteral("Dessin vectoriel SVG (*.svg)"),
                                    QStringLiteral("Document PDF (*.pdf)")},
                                   QStringLiteral("figure.png"), QStandardPaths::PicturesLocation);
    };
    // F1 in any window opens the help at the page about it.
    help::installHelpKey(this, options_.programDirectory);
    formLoad();
}

MainWindow::~MainWindow() {
    // The children outlive this object's own part: a focus they lose while they go (the figure
    // ending a key move, a field asking for validation) must not reach its handlers.
    for (QObject *child : children())
        QObject::disconnect(child, nullptr, this, nullptr);
    for (int i = 0; i < 3; ++i)
        QObject::disconnect(figure_->handle(i), nullptr, this, nullptr);
    // The menu watches the text box: it goes before the widgets it works on.
    delete exerciseMenu_;
}

void MainWindow::buildCommandButtons() {
    for (size_t i = 0; i < std::size(commandButtons); ++i) {
        const CommandButtonLayout &layout = commandButtons[i];
        auto *button = new ui::CommandButton(
            this, QString::fromLatin1(layout.name), QString::fromUtf8(layout.caption),
            buttonIcon(layout.icon), 20, QRect(layout.x, 0, layout.width, 41));
        button->setToolTip(QString::fromUtf8(layout.tooltip));
        // Connected before the command: a mnemonic clicks without a mouse press, and the
        // command must still find the field being typed validated.
        connect(button, &QToolButton::clicked, button,
                [button] { button->setFocus(Qt::OtherFocusReason); });
        commandButtons_[i] = button;
        if (layout.icon != ButtonIcon::Copy)
            setHoverText(button, QString::fromUtf8(layout.hover));
        else
            button->installEventFilter(this);
    }
    connect(commandButton(QStringLiteral("Command2")), &QToolButton::clicked, this,
            [this] { config::showOpenWindow(this, *this); });
    connect(commandButton(QStringLiteral("Command11")), &QToolButton::clicked, this,
            [this] { config::showSaveWindow(this, *this); });
    connect(commandButton(QStringLiteral("Command8")), &QToolButton::clicked, this,
            [this] { calculator::showMachine(this); });
    connect(commandButton(QStringLiteral("Command10")), &QToolButton::clicked, this,
            [this] { printing::showPrintWindow(this, printedFigure()); });
    connect(commandButton(QStringLiteral("Command4")), &QToolButton::clicked, this,
            &MainWindow::copyFigure);
    connect(commandButton(QStringLiteral("Command7")), &QToolButton::clicked, this,
            &MainWindow::showHelp);
    connect(commandButton(QStringLiteral("Command1")), &QToolButton::clicked, this,
            &QWidget::close);
}

QToolButton *MainWindow::commandButton(const QString &objectName) const {
    for (QToolButton *b : commandButtons_)
        if (b && b->objectName() == objectName) return b;
    return nullptr;
}

QImage MainWindow::figurePicture() const {
    return figure_->picture();
}

printing::PrintedFigure MainWindow::printedFigure() const {
    // The bench as the picture shows it, drawn again on the page at the printer's resolution.
    return {figurePicture(), [bench = state_](ui::DrawingSurface &surface) mutable {
                return bench::majaff(bench, surface).drawn;
            }};
}

// Form_Load
void MainWindow::formLoad() {
    // The zoom of the last run, or the largest that fits this screen.
    zoom::setPercent(std::min(zoom::remembered(), largestZoom()));
    exerciseRequestFile_.writeRecord(config::HandOverFile::RunningRecord, QStringLiteral("OUI"));
    resize(DesignWidth, DesignHeight);
    placeWindowOnNarrowScreen();
    setInfo(InfoStart);
    panels_->fillPrecisionList();
    exercises::buildIntroText(exerciseText_);
    paintBackground();
    // The start-up bench has run the switch, axis-length and precision handlers once: every
    // dependent control comes in line with it.
    state_ = bench::BenchState::startup();
    majaff();
    recorded_ = state_;
    loaded_ = true;
}

void MainWindow::placeWindowOnNarrowScreen() {
    QScreen *s = screen();
    // The screen's width as the desktop gives it, before the program's zoom.
    if (!s || s->geometry().width() * zoom::percent() / 100 >= NarrowScreenWidth) return;
    setWindowState(Qt::WindowNoState);
    // The outer size, frame included, is 800 × 600.
    const QSize frame = frameGeometry().size() - geometry().size();
    resize(NarrowWindowWidth - frame.width(), NarrowWindowHeight - frame.height());
    const QRect screenRect = s->geometry();
    move(screenRect.x() + (screenRect.width() - NarrowWindowWidth) / 2,
         screenRect.y() + (screenRect.height() - NarrowWindowHeight) / 2);
}

void MainWindow::paintBackground() {
    background_ = QImage(NarrowWindowWidth + 1, 601, QImage::Format_RGB32);
    for (int y = 0; y <= 600; ++y) {
        QRgb *row = reinterpret_cast<QRgb *>(background_.scanLine(y));
        std::fill(row, row + background_.width(), backgroundRow(y));
    }
    // The shadow of the text area: a dark band along its right and bottom edges.
    QPainter p(&background_);
    const QRect text = exerciseText_->geometry();
    p.fillRect(QRect(QPoint(text.left() + 3, exerciseTitle_->y() + 3),
                     QPoint(text.right() + 3, text.bottom() + 3)),
               ShadowGrey);
}

void MainWindow::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.drawImage(0, 0, background_);
    // Beyond the painted gradient, each row keeps its colour, so a wide window shows no edge.
    if (width() > background_.width())
        for (int y = 0; y < background_.height(); ++y) {
            p.setPen(QColor(backgroundRow(y)));
            p.drawLine(background_.width(), y, width(), y);
        }
    if (height() > background_.height())
        p.fillRect(0, background_.height(), width(), height() - background_.height(),
                   QColor(backgroundRow(600)));
}

bool MainWindow::event(QEvent *e) {
    if (e->type() == QEvent::WindowActivate && loaded_) formActivate();
    return QWidget::event(e);
}

// Form_Activate
void MainWindow::formActivate() {
    majaff();
    const QString request = exerciseRequestFile_.takeRequest();
    if (!request.trimmed().isEmpty()) {
        emit exerciseRequested(options_.programDirectory + request);
        exerciseMenu_->serveRequest(request);
    }
    emit activated();
}

void MainWindow::resizeEvent(QResizeEvent *) {
    if (loaded_) formResize();
}

// Form_Resize
void MainWindow::formResize() {
    placeWindowOnNarrowScreen();
    figure_->setGeometry(FigureLeft, FigureTop, std::max(width() - FigureMargin, 1),
                         FigureView::FigureHeight);
    // The picture is redrawn at the new width at once, so that a widened figure never shows
    // an empty band.
    majaff();
}

void MainWindow::closeEvent(QCloseEvent *event) {
    if (unloaded_) {
        event->accept();
        return;
    }
    if (!formQueryUnload()) {
        event->ignore();
        return;
    }
    formUnload();
    event->accept();
}

// Form_QueryUnload: true when the window may close.
bool MainWindow::formQueryUnload() {
    if (!exerciseMenu_->mayQuit()) return false;
    return ui::askOkCancel(this, QStringLiteral("Fermer"),
                           QStringLiteral("Quitter vraiment Focalines ?"));
}

// Form_Unload
void MainWindow::formUnload() {
    calculator::unloadMachine();
    exerciseRequestFile_.writeRecord(config::HandOverFile::RunningRecord, QStringLiteral("NON"));
    exerciseRequestFile_.writeRecord(config::HandOverFile::RequestRecord, QString());
    unloaded_ = true;
}

void MainWindow::copyFigure() {
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (clipboard) {
        clipboard->clear();
        // Beside the picture, the same figure as a drawing that office and drawing programs
        // paste as vectors.
        auto *data = new QMimeData;
        data->setImageData(figurePicture());
        bench::BenchState copy = state_;
        data->setData(QStringLiteral("image/svg+xml"),
                      bench::figureFileBytes(copy, bench::FigureFormat::Svg, figure_->width(),
                                             FigureView::FigureHeight));
        clipboard->setMimeData(data);
    }
    setInfo(CopyMessage);
}

void MainWindow::buildFigureMenu() {
    figureMenu_ = new QMenu(this);
    figureMenu_->setObjectName(QStringLiteral("figureMenu"));
    figureMenu_->addAction(QStringLiteral("Copier la figure"), this, &MainWindow::copyFigure)
        ->setObjectName(QStringLiteral("copyFigure"));
    figureMenu_
        ->addAction(QString::fromUtf8("Enregistrer la figure sous…"), this,
                    &MainWindow::saveFigureAs)
        ->setObjectName(QStringLiteral("saveFigure"));
    connect(figure_, &FigureView::contextMenuRequested, figureMenu_,
            [this](const QPoint &at) { figureMenu_->popup(at); });
}

void MainWindow::saveFigureAs() {
    const QString path = chooseFigureFile ? chooseFigureFile(this) : QString();
    if (path.isEmpty()) return;
    const auto format = bench::figureFormatFor(path);
    if (!format) {
        ui::showCritical(this, QStringLiteral("Enregistrer la figure"),
                         bench::unknownFigureFormatText(path));
        return;
    }
    bench::BenchState copy = state_;
    const QByteArray bytes =
        bench::figureFileBytes(copy, *format, figure_->width(), FigureView::FigureHeight);
    // Through a temporary file renamed over the target: a failed write leaves an older file.
    if (bytes.isEmpty() || !config::writeFileReplacing(path, bytes))
        ui::showCritical(this, QStringLiteral("Enregistrer la figure"),
                         QString::fromUtf8("Impossible d'écrire le fichier « %1 ».")
                             .arg(QFileInfo(path).fileName()));
}

void MainWindow::showHelp() {
    const QImage sauvetage = figurePicture();
    help::showHelp(this, options_.programDirectory);
    figure_->setPicture(sauvetage);
}

void MainWindow::showMeasurements(bool activate) {
    if (!measureWindow_) {
        measureWindow_ = new measure::MeasureWindow([this] { return state_; }, this);
        // A field being typed is validated before a measurement, as a command button's click
        // validates it; a field already validated (the bench as last drawn, and as validation
        // would leave it) costs no redraw.
        measureWindow_->validateTyping = [this] {
            auto *field = qobject_cast<FieldEdit *>(focusWidget());
            if (!field) return;
            bench::BenchState validated = state_;
            bench::validateField(validated, static_cast<bench::Field>(field->index()));
            if (!bench::sameInputs(validated, state_) || !bench::sameInputs(state_, recorded_))
                validateField(field->index());
        };
        measureWindow_->imageValuesHidden = [this] { return valuesHidden(); };
    }
    measureWindow_->showBesideMainWindow(activate);
}

void MainWindow::measureBench() {
    // The keyboard stays here, for the next move of the object.
    showMeasurements(false);
    measureWindow_->addMeasurement(this);
}

void MainWindow::configurationSaved() {
    previousFileName_ = currentFileName_;
    setWindowTitle(config::titleForConfiguration(currentFileName_));
}

void MainWindow::setCurrentFileName(const QString &path) {
    previousFileName_ = currentFileName_;
    currentFileName_ = path;
}

// A refused file leaves the name as it was, so that the save window never offers to overwrite
// a file that is not a configuration.
bool MainWindow::loadCurrentFile() {
    if (auto error = config::loadConfiguration(state_, currentFileName_)) {
        currentFileName_ = previousFileName_;
        ui::showCritical(this, error->title, error->text);
        return false;
    }
    previousFileName_ = currentFileName_;
    setWindowTitle(config::titleForConfiguration(currentFileName_));
    majaff();
    return true;
}

void MainWindow::loadConfiguration() {
    if (loadCurrentFile()) setValuesHidden(false);
}

bool MainWindow::valuesHidden() const {
    return panels_->valuesHidden();
}

void MainWindow::setValuesHidden(bool hidden) {
    panels_->setValuesHidden(hidden);
    panels_->showState(state_);
}

void MainWindow::openConfiguration(const QString &path) {
    const QFileInfo file(path);
    setCurrentFileName(file.absoluteFilePath());
    if (!file.isFile()) {
        ui::showCritical(this, QStringLiteral("impossible d'ouvrir ce fichier"),
                         QStringLiteral("Nom de fichier incorrect ou chemin non valide"));
        return;
    }
    loadConfiguration();
}

void MainWindow::setInfo(const QString &text) {
    if (infoText_->text() != text) infoText_->setText(text);
}

void MainWindow::setHoverText(QWidget *control, const QString &text) {
    hoverTexts_.insert(control, text);
    control->setMouseTracking(true);
    control->installEventFilter(this);
}

namespace {

// A mouse event reaches a control's parents when the control has no use for it; a hover text
// belongs to the control under the pointer itself, not to one of its children.
bool pointerOnItself(QWidget *w, QEvent *event) {
    const QPoint pos = event->type() == QEvent::MouseMove
                           ? static_cast<QMouseEvent *>(event)->position().toPoint()
                           : w->mapFromGlobal(QCursor::pos());
    return w->childAt(pos) == nullptr;
}

} // namespace

bool MainWindow::eventFilter(QObject *watched, QEvent *event) {
    if ((event->type() == QEvent::Enter || event->type() == QEvent::MouseMove) &&
        watched->isWidgetType() && pointerOnItself(static_cast<QWidget *>(watched), event)) {
        if (watched == commandButton(QStringLiteral("Command4"))) {
            if (infoText_->text() != CopyMessage)
                setInfo(QString::fromUtf8(commandButtons[2].hover));
        } else if (auto it = hoverTexts_.find(watched); it != hoverTexts_.end()) {
            setInfo(*it);
        }
    }
    return QWidget::eventFilter(watched, event);
}

// Form_MouseMove: the window's own background, not a control on it.
void MainWindow::mouseMoveEvent(QMouseEvent *event) {
    if (pointerOnItself(this, event)) setInfo(InfoStart);
}

void MainWindow::majaff() {
    figure_->redraw(state_);
    panels_->showState(state_);
    recordChange();
}

void MainWindow::recordChange() {
    if (!loaded_ || history_.inGesture()) return;
    history_.record(recorded_, state_);
    recorded_ = state_;
}

void MainWindow::beginGesture() {
    history_.beginGesture(recorded_);
}

void MainWindow::endGesture() {
    if (!history_.inGesture()) return;
    history_.endGesture(state_);
    recorded_ = state_;
}

void MainWindow::undo() {
    endGesture();
    if (auto previous = history_.undo(state_)) restoreBench(*previous);
}

void MainWindow::redo() {
    endGesture();
    if (auto next = history_.redo(state_)) restoreBench(*next);
}

int MainWindow::largestZoom() const {
    // The window's frame, as the desktop draws it, in the units of 100 %.
    const QSize frame = (frameGeometry().size() - geometry().size()) * zoom::percent() / 100;
    return zoom::largestFitting(screen(), QSize(DesignWidth, DesignHeight) + frame);
}

void MainWindow::setZoom(int percent) {
    // A zoom at which the window would not fit the screen is not offered: its buttons and text
    // would lie off screen.
    zoom::remember(zoom::setPercent(std::min(percent, largestZoom())));
    placeWindowOnNarrowScreen();
    majaff();
}

void MainWindow::restoreBench(const bench::BenchState &state) {
    state_ = state;
    recorded_ = state_;
    majaff();
    panels_->repaintLensPanel();
    panels_->repaintPrecision();
    panels_->repaintAxisLength();
}

void MainWindow::connectPanels() {
    connect(panels_, &ParameterPanels::fieldEdited, this, &MainWindow::editField);
    connect(panels_, &ParameterPanels::fieldLeft, this, &MainWindow::validateField);
    connect(panels_, &ParameterPanels::switchToggled, this, &MainWindow::setSwitch);
    connect(panels_, &ParameterPanels::objectAtInfinityToggled, this,
            &MainWindow::setObjectAtInfinity);
    connect(panels_, &ParameterPanels::arrowPositionChanged, this, &MainWindow::setArrowPosition);
    connect(panels_, &ParameterPanels::lens1DiameterChanged, this, &MainWindow::setLens1Diameter);
    connect(panels_, &ParameterPanels::apparentDiameterChanged, this,
            &MainWindow::setApparentDiameter);
    connect(panels_, &ParameterPanels::axisLengthStepped, this, &MainWindow::stepAxisLength);
    connect(panels_, &ParameterPanels::precisionStepped, this, &MainWindow::stepPrecision);
    connect(panels_, &ParameterPanels::precisionSelected, this, &MainWindow::selectPrecision);
    connect(panels_, &ParameterPanels::measurementsRequested, this, [this] { showMeasurements(); });
    for (int i = 0; i < 3; ++i) {
        connect(figure_->handle(i), &FigureHandle::moved, this, &MainWindow::dragHandle);
        connect(figure_->handle(i), &FigureHandle::pressed, this, &MainWindow::beginGesture);
        connect(figure_->handle(i), &FigureHandle::released, this, &MainWindow::endGesture);
    }
    connect(figure_, &FigureView::keyMoved, this, &MainWindow::moveByKey);
    connect(figure_, &FigureView::keyMoveEnded, this, &MainWindow::endGesture);
}

// A field typed into (Text1_Change): the diameter mirror; the figure waits for the validation.
void MainWindow::editField(int index, const QString &text) {
    bench::setFieldText(state_, index, text);
    panels_->showState(state_);
}

// A field left for another control, or Enter typed into it (Text1_LostFocus).
void MainWindow::validateField(int index) {
    if (bench::validateField(state_, static_cast<bench::Field>(index))) ui::beep();
    majaff();
}

void MainWindow::setSwitch(int index, bool checked) {
    bench::setOption(state_, index, checked);
    majaff();
    if (index == bench::TwoLenses) panels_->repaintLensPanel();
}

void MainWindow::setObjectAtInfinity(bool checked) {
    bench::setObjectAtInfinity(state_, checked);
    majaff();
}

void MainWindow::setArrowPosition(int value) {
    bench::setArrowPosition(state_, value);
    if (state_.option(bench::PropagationArrows))
        majaff();
    else
        recordChange();
}

void MainWindow::setLens1Diameter(int value) {
    bench::setLens1DiameterSlider(state_, value);
    majaff();
}

void MainWindow::setApparentDiameter(int value) {
    bench::setApparentDiameter(state_, value);
    majaff();
}

void MainWindow::stepPrecision(int index) {
    bench::precisionButton(state_, index);
    majaff();
    panels_->repaintPrecision();
}

void MainWindow::selectPrecision(int index) {
    bench::selectPrecision(state_, index);
    majaff();
    panels_->repaintPrecision();
}

void MainWindow::stepAxisLength(int index) {
    bench::axisLengthButton(state_, index);
    majaff();
    panels_->repaintAxisLength();
}

// The pointer moved over a handle (AB_MouseMove, L1_MouseMove, L2_MouseMove).
void MainWindow::dragHandle(int index, Qt::MouseButtons buttons, double offsetX) {
    setInfo(index == FigureView::ObjectHandle
                ? QStringLiteral("Vous pouvez utiliser la souris pour déplacer l'objet")
                : QStringLiteral("Vous pouvez utiliser la souris pour déplacer cette lentille"));
    if (buttons != Qt::LeftButton) return;
    const double x = figure_->handle(index)->drawingRect.left() + offsetX;
    if (!bench::dragTo(state_, HandleFields[index], x)) return;
    majaff();
}

// Left or Right on the figure: the selected element moves as a drag would move it. A key held
// down is one undo step, as a drag is.
void MainWindow::moveByKey(int index, int units) {
    beginGesture();
    bench::moveBy(state_, HandleFields[index], units);
    majaff();
}

} // namespace mainwindow
