#include "measure/window/MeasureWindow.h"

#include "config/RecordFile.h"
#include "measure/MeasureTexts.h"
#include "measure/window/MeasureTableModel.h"
#include "measure/window/SeriesWindow.h"
#include "printing/PrintWindow.h"
#include "ui/CommandButton.h"
#include "ui/MessageBoxes.h"
#include "ui/SaveFileDialog.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QScreen>
#include <QShortcut>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace measure {

namespace {

constexpr int WindowWidth = 850, WindowHeight = 546;

ui::CommandButton *commandButton(QWidget *parent, const char *name, const QString &caption,
                                 const QString &tooltip = {}) {
    auto *b = new ui::CommandButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(caption);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    b->setMinimumHeight(26);
    if (!tooltip.isEmpty()) b->setToolTip(tooltip);
    return b;
}

// Written through a temporary file renamed over the target: a failed write leaves an older
// file as it was, and is said.
void writeFile(QWidget *parent, const QString &title, const QString &path,
               const QByteArray &bytes) {
    if (bytes.isEmpty() || !config::writeFileReplacing(path, bytes))
        ui::showCritical(parent, title,
                         QStringLiteral("Impossible d'écrire le fichier « %1 ».")
                             .arg(QDir::toNativeSeparators(path)));
}

// The numbers of the rows. Qt measures every number's text again for the header's width after
// each row added, which cost more than drawing the graph; the width of "999" holds them all.
class RowNumberHeader : public QHeaderView {
  public:
    explicit RowNumberHeader(QWidget *parent) : QHeaderView(Qt::Vertical, parent) {
        setSectionResizeMode(QHeaderView::Fixed);
        setDefaultSectionSize(20);
        setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    QSize sizeHint() const override {
        return {fontMetrics().horizontalAdvance(QStringLiteral("999")) + 10, defaultSectionSize()};
    }
};

} // namespace

GraphWidget::GraphWidget(QWidget *parent) : QWidget(parent) {
    setMinimumSize(320, 260);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void GraphWidget::showContent(const GraphContent &content) {
    content_ = content;
    redraw();
}

void GraphWidget::redraw() {
    picture_ =
        graphPicture(content_, std::max(width(), 1), std::max(height(), 1), devicePixelRatioF());
    ++drawCount_;
    update();
}

void GraphWidget::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.drawImage(0, 0, picture_);
}

void GraphWidget::resizeEvent(QResizeEvent *) {
    redraw();
}

void GraphWidget::contextMenuEvent(QContextMenuEvent *event) {
    emit contextMenuRequested(event->globalPos());
}

MeasureWindow::MeasureWindow(std::function<bench::BenchState()> bench, QWidget *parent)
    : QWidget(parent, Qt::Window), bench_(std::move(bench)) {
    setObjectName(QStringLiteral("mesures"));
    setWindowTitle(QStringLiteral("Mesures"));
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    setFont(font);
    setLocale(QLocale(QLocale::French, QLocale::France));
    buildControls();
    resize(WindowWidth, WindowHeight);

    chooseTableFile = [](QWidget *parent) {
        static QString lastFolder;
        return ui::askSaveFileName(parent, QStringLiteral("Enregistrer les mesures"),
                                   {QStringLiteral("Tableau CSV (*.csv)")},
                                   QStringLiteral("mesures.csv"), QStandardPaths::DocumentsLocation,
                                   &lastFolder);
    };
    chooseGraphFile = [](QWidget *parent) {
        static QString lastFolder;
        return ui::askSaveFileName(
            parent, QStringLiteral("Enregistrer le graphique sous"),
            {QStringLiteral("Image PNG (*.png)"), QStringLiteral("Dessin vectoriel SVG (*.svg)"),
             QStringLiteral("Document PDF (*.pdf)")},
            QStringLiteral("graphique.png"), QStandardPaths::PicturesLocation, &lastFolder);
    };
    chooseSeriesPlan = askSeriesPlan;
    // A seed of its own for each run; shown, so that a class can agree on one.
    setReadingError(false, 0.5, QRandomGenerator::global()->bounded(1u, 100000u));
    refreshGraph();
}

void MeasureWindow::buildControls() {
    auto *layout = new QVBoxLayout(this);

    // Taking measurements.
    auto *take = new QHBoxLayout;
    addButton_ = commandButton(this, "ajouter", QStringLiteral("Ajouter la &mesure"),
                               QStringLiteral("Mesurer OA et OA' sur le banc (Ctrl+M)"));
    take->addWidget(addButton_);
    take->addSpacing(8);
    take->addWidget(new QLabel(QStringLiteral("Lentille :"), this));
    auto *lensGroup = new QButtonGroup(this);
    for (int i = 0; i < 2; ++i) {
        lensButtons_[i] = new QRadioButton(QStringLiteral("L%1").arg(i + 1), this);
        lensButtons_[i]->setObjectName(QStringLiteral("lentille%1").arg(i + 1));
        lensGroup->addButton(lensButtons_[i]);
        take->addWidget(lensButtons_[i]);
    }
    lensButtons_[0]->setChecked(true);
    lensButtons_[1]->setToolTip(
        QStringLiteral("Avec deux lentilles : l'objet de L2 est l'image A1B1 donnée par L1"));
    take->addSpacing(8);
    seriesButton_ = commandButton(this, "serie", QStringLiteral("&Série automatique…"),
                                  QStringLiteral("Déplacer l'objet pas à pas et mesurer à "
                                                 "chaque pas"));
    take->addWidget(seriesButton_);
    take->addStretch();
    layout->addLayout(take);

    auto *middle = new QHBoxLayout;
    // The table and its commands.
    auto *left = new QVBoxLayout;
    model_ = new MeasureTableModel(this);
    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("tableau"));
    table_->setModel(model_);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table_->horizontalHeader()->setMinimumSectionSize(40);
    table_->setVerticalHeader(new RowNumberHeader(table_));
    table_->setMinimumWidth(440);
    left->addWidget(table_, 1);
    auto *tableCommands = new QHBoxLayout;
    auto *deleteButton = commandButton(this, "supprimer", QStringLiteral("Supprimer"),
                                       QStringLiteral("Supprimer les lignes choisies (Suppr)"));
    auto *clearButton = commandButton(this, "effacer", QStringLiteral("Effacer tout"));
    auto *copyTableButton =
        commandButton(this, "copierTableau", QStringLiteral("Copier le tableau"),
                      QStringLiteral("À coller dans un tableur (LibreOffice Calc…)"));
    auto *saveTableButton =
        commandButton(this, "enregistrerTableau", QStringLiteral("Enregistrer…"),
                      QStringLiteral("Enregistrer le tableau dans un fichier CSV"));
    for (QWidget *w : {deleteButton, clearButton, copyTableButton, saveTableButton})
        tableCommands->addWidget(w);
    tableCommands->addStretch();
    left->addLayout(tableCommands);
    // The simulated reading error, which the next measurements take.
    errorBox_ = new QCheckBox(QStringLiteral("Incertitude de lecture"), this);
    errorBox_->setObjectName(QStringLiteral("incertitude"));
    errorBox_->setToolTip(QStringLiteral("Ajoute à chaque OA' mesuré une erreur de lecture au "
                                         "hasard ; la figure ne change pas"));
    halfWidthBox_ = new QDoubleSpinBox(this);
    halfWidthBox_->setObjectName(QStringLiteral("demiLargeur"));
    halfWidthBox_->setLocale(locale());
    halfWidthBox_->setRange(ReadingError::MinHalfWidth, ReadingError::MaxHalfWidth);
    halfWidthBox_->setSingleStep(0.1);
    halfWidthBox_->setDecimals(1);
    halfWidthBox_->setPrefix(QStringLiteral("± "));
    halfWidthBox_->setSuffix(QStringLiteral(" cm"));
    seedBox_ = new QSpinBox(this);
    seedBox_->setObjectName(QStringLiteral("graine"));
    seedBox_->setRange(0, int(ReadingError::MaxSeed));
    seedBox_->setToolTip(QStringLiteral("La même graine donne les mêmes erreurs : une classe "
                                        "peut partager une série"));
    auto *reading = new QHBoxLayout;
    reading->addWidget(errorBox_);
    reading->addWidget(halfWidthBox_);
    reading->addSpacing(8);
    reading->addWidget(new QLabel(QStringLiteral("Graine :"), this));
    reading->addWidget(seedBox_);
    reading->addStretch();
    left->addLayout(reading);
    middle->addLayout(left, 1);

    // The graph and its commands.
    auto *right = new QVBoxLayout;
    auto *views = new QHBoxLayout;
    auto *viewGroup = new QButtonGroup(this);
    const QString viewCaptions[3] = {QStringLiteral("1/OA' = f(1/OA)"),
                                     QStringLiteral("OA' = f(OA)"), QStringLiteral("γ = f(OA)")};
    for (int i = 0; i < 3; ++i) {
        viewButtons_[i] = new QRadioButton(viewCaptions[i], this);
        viewButtons_[i]->setObjectName(QStringLiteral("vue%1").arg(i + 1));
        viewGroup->addButton(viewButtons_[i]);
        views->addWidget(viewButtons_[i]);
    }
    viewButtons_[0]->setChecked(true);
    views->addStretch();
    right->addLayout(views);
    graph_ = new GraphWidget(this);
    graph_->setObjectName(QStringLiteral("graphique"));
    right->addWidget(graph_, 1);
    auto *graphCommands = new QHBoxLayout;
    auto *copyGraphButton =
        commandButton(this, "copierGraphique", QStringLiteral("Copier le graphique"));
    auto *saveGraphButton =
        commandButton(this, "enregistrerGraphique", QStringLiteral("Enregistrer le graphique…"),
                      QStringLiteral("Image PNG, dessin SVG ou document PDF"));
    auto *printGraphButton =
        commandButton(this, "imprimerGraphique", QStringLiteral("Imprimer le graphique…"));
    graphCommands->addStretch();
    for (QWidget *w : {copyGraphButton, saveGraphButton, printGraphButton})
        graphCommands->addWidget(w);
    right->addLayout(graphCommands);
    middle->addLayout(right, 1);
    layout->addLayout(middle, 1);

    auto *bottom = new QHBoxLayout;
    auto *hint = new QLabel(QStringLiteral("Ctrl+M ajoute la mesure depuis l'une ou l'autre "
                                           "fenêtre. La figure n'est jamais modifiée."),
                            this);
    bottom->addWidget(hint);
    bottom->addStretch();
    auto *closeButton = commandButton(this, "fermer", QStringLiteral("&Fermer"));
    closeButton->setMinimumWidth(90);
    bottom->addWidget(closeButton);
    layout->addLayout(bottom);

    graphMenu_ = new QMenu(this);
    graphMenu_->setObjectName(QStringLiteral("graphMenu"));
    graphMenu_->addAction(QStringLiteral("Copier le graphique"), this, &MeasureWindow::copyGraph);
    graphMenu_->addAction(QStringLiteral("Enregistrer le graphique sous…"), this,
                          &MeasureWindow::saveGraph);
    graphMenu_->addAction(QStringLiteral("Imprimer le graphique…"), this,
                          &MeasureWindow::printGraph);
    connect(graph_, &GraphWidget::contextMenuRequested, graphMenu_,
            [this](const QPoint &at) { graphMenu_->popup(at); });

    connect(addButton_, &QToolButton::clicked, this, [this] { addMeasurement(); });
    connect(seriesButton_, &QToolButton::clicked, this, &MeasureWindow::askForSeries);
    connect(deleteButton, &QToolButton::clicked, this, &MeasureWindow::deleteSelectedRows);
    connect(clearButton, &QToolButton::clicked, this, &MeasureWindow::clearAll);
    connect(copyTableButton, &QToolButton::clicked, this, &MeasureWindow::copyTable);
    connect(saveTableButton, &QToolButton::clicked, this, &MeasureWindow::saveTable);
    connect(copyGraphButton, &QToolButton::clicked, this, &MeasureWindow::copyGraph);
    connect(saveGraphButton, &QToolButton::clicked, this, &MeasureWindow::saveGraph);
    connect(printGraphButton, &QToolButton::clicked, this, &MeasureWindow::printGraph);
    connect(closeButton, &QToolButton::clicked, this, &QWidget::close);
    connect(lensGroup, &QButtonGroup::buttonToggled, this, [this](QAbstractButton *, bool on) {
        if (on) refreshGraph();
    });
    connect(viewGroup, &QButtonGroup::buttonToggled, this, [this](QAbstractButton *, bool on) {
        if (on) refreshGraph();
    });
    connect(errorBox_, &QCheckBox::toggled, this, &MeasureWindow::readingErrorEdited);
    connect(halfWidthBox_, &QDoubleSpinBox::valueChanged, this, &MeasureWindow::readingErrorEdited);
    connect(seedBox_, &QSpinBox::valueChanged, this, &MeasureWindow::readingErrorEdited);

    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_M), this), &QShortcut::activated, this,
            [this] { addMeasurement(); });
    table_->installEventFilter(this);
}

// Delete in the table takes the rows chosen away; Ctrl+C copies the whole table.
bool MeasureWindow::eventFilter(QObject *watched, QEvent *e) {
    if (watched == table_ && e->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(e);
        if (key->matches(QKeySequence::Delete) || key->key() == Qt::Key_Backspace) {
            deleteSelectedRows();
            return true;
        }
        if (key->matches(QKeySequence::Copy)) {
            copyTable();
            return true;
        }
    }
    return QWidget::eventFilter(watched, e);
}

const std::vector<Measurement> &MeasureWindow::rows() const {
    return model_->rows();
}

int MeasureWindow::lens() const {
    return lensButtons_[1]->isChecked() ? 2 : 1;
}

GraphView MeasureWindow::view() const {
    if (viewButtons_[1]->isChecked()) return GraphView::Distances;
    if (viewButtons_[2]->isChecked()) return GraphView::Magnification;
    return GraphView::Inverses;
}

std::optional<ConjugationFit> MeasureWindow::fit() const {
    return fitConjugation(rows(), lens());
}

void MeasureWindow::showBesideMainWindow(bool activate) {
    if (!placed_ && parentWidget()) {
        placed_ = true;
        resize(size().expandedTo(minimumSizeHint()));
        // Right of the main window where the screen has room, otherwise against the screen's
        // right edge, over the main window.
        const QRect main = parentWidget()->frameGeometry();
        QRect place(main.right() + 1, main.top(), width(), height());
        if (const QScreen *screen = parentWidget()->screen()) {
            const QRect free = screen->availableGeometry();
            place.moveRight(std::min(place.right(), free.right()));
            place.moveLeft(std::max(place.left(), free.left()));
            place.moveBottom(std::min(place.bottom(), free.bottom()));
            place.moveTop(std::max(place.top(), free.top()));
        }
        move(place.topLeft());
    }
    refreshLensChoice();
    setAttribute(Qt::WA_ShowWithoutActivating, !activate);
    show();
    raise();
    if (activate) activateWindow();
}

bool MeasureWindow::event(QEvent *e) {
    // Coming back from the main window, where the lenses may have changed.
    if (e->type() == QEvent::ActivationChange) refreshLensChoice();
    return QWidget::event(e);
}

void MeasureWindow::refreshLensChoice() {
    const bool twoLenses = bench_ && bench_().option(bench::TwoLenses);
    const bool measuredL2 =
        std::any_of(rows().begin(), rows().end(), [](const Measurement &m) { return m.lens == 2; });
    lensButtons_[1]->setEnabled(twoLenses || measuredL2);
    if (!lensButtons_[1]->isEnabled() && lensButtons_[1]->isChecked())
        lensButtons_[0]->setChecked(true);
}

std::optional<bench::BenchState> MeasureWindow::benchToMeasure(QWidget *asker) {
    if (!bench_) return std::nullopt;
    if (imageValuesHidden && imageValuesHidden()) {
        ui::showCritical(asker, QStringLiteral("Mesure impossible"),
                         QStringLiteral("L'exercice cache les valeurs de l'image jusqu'à sa "
                                        "correction : mesurez sur la figure."));
        return std::nullopt;
    }
    if (validateTyping) validateTyping();
    return bench_();
}

bool MeasureWindow::addMeasurement(QWidget *asker) {
    if (!asker) asker = this;
    const std::optional<bench::BenchState> bench = benchToMeasure(asker);
    if (!bench) return false;
    const MeasurementResult m = takeMeasurement(*bench, lens(), error_);
    if (const auto *refusal = std::get_if<QString>(&m)) {
        ui::showCritical(asker, QStringLiteral("Mesure impossible"), *refusal);
        return false;
    }
    appendRows({std::get<Measurement>(m)});
    return true;
}

void MeasureWindow::askForSeries() {
    if (!chooseSeriesPlan) return;
    const std::optional<bench::BenchState> bench = benchToMeasure(this);
    if (!bench) return;
    if (const std::optional<SeriesPlan> plan = chooseSeriesPlan(this, *bench, lens()))
        runSeries(*plan);
}

bool MeasureWindow::runSeries(const SeriesPlan &plan) {
    const std::optional<bench::BenchState> measured = benchToMeasure(this);
    if (!measured) return false;
    const bench::BenchState &bench = *measured;
    if (const std::optional<QString> problem = checkSeriesPlan(bench, plan)) {
        ui::showCritical(this, QStringLiteral("Série automatique"), *problem);
        return false;
    }
    const SeriesResult result = measure::runSeries(bench, plan, error_);
    appendRows(result.rows);
    if (result.refused > 0)
        QMessageBox::information(
            this, QStringLiteral("Série automatique"),
            QStringLiteral("%1 position(s) de l'objet sur %2 n'ont pas donné de mesure.\n%3")
                .arg(result.refused)
                .arg(plan.steps)
                .arg(result.firstRefusal));
    return true;
}

void MeasureWindow::appendRows(const std::vector<Measurement> &rows) {
    if (rows.empty()) return;
    model_->append(rows);
    table_->scrollToBottom();
    refreshLensChoice();
    refreshGraph();
}

void MeasureWindow::refreshGraph() {
    graph_->showContent({&rows(), lens(), view()});
}

void MeasureWindow::deleteSelectedRows() {
    std::vector<int> selected;
    for (const QModelIndex &index : table_->selectionModel()->selectedRows())
        selected.push_back(index.row());
    if (selected.empty()) return;
    std::sort(selected.begin(), selected.end());
    model_->remove(selected);
    refreshLensChoice();
    refreshGraph();
}

void MeasureWindow::clearAll() {
    if (rows().empty()) return;
    if (!ui::askOkCancel(this, QStringLiteral("Effacer tout"),
                         QStringLiteral("Effacer toutes les mesures du tableau ?"),
                         ui::DefaultAnswer::Cancel))
        return;
    model_->clear();
    // A new series starts from the seed's first error, as on another computer.
    error_.restart();
    refreshLensChoice();
    refreshGraph();
}

void MeasureWindow::copyTable() {
    if (QClipboard *clipboard = QGuiApplication::clipboard())
        clipboard->setText(clipboardTable(rows()));
}

void MeasureWindow::saveTable() {
    const QString path = chooseTableFile ? chooseTableFile(this) : QString();
    if (path.isEmpty()) return;
    writeFile(this, QStringLiteral("Enregistrer les mesures"), path, csvFile(rows()));
}

void MeasureWindow::copyGraph() {
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (!clipboard) return;
    auto *data = new QMimeData;
    data->setImageData(graph_->picture());
    data->setData(QStringLiteral("image/svg+xml"),
                  graphFileBytes(graph_->content(), bench::FigureFormat::Svg, graph_->width(),
                                 graph_->height()));
    clipboard->setMimeData(data);
}

void MeasureWindow::saveGraph() {
    const QString path = chooseGraphFile ? chooseGraphFile(this) : QString();
    if (path.isEmpty()) return;
    const auto format = bench::figureFormatFor(path);
    if (!format) {
        ui::showCritical(this, QStringLiteral("Enregistrer le graphique"),
                         bench::unknownFigureFormatText(path));
        return;
    }
    writeFile(this, QStringLiteral("Enregistrer le graphique"), path,
              graphFileBytes(graph_->content(), *format, graph_->width(), graph_->height()));
}

void MeasureWindow::printGraph() {
    printing::showPrintWindow(this, graph_->picture());
}

void MeasureWindow::setReadingError(bool on, double halfWidth, quint64 seed) {
    {
        const QSignalBlocker b1(errorBox_), b2(halfWidthBox_), b3(seedBox_);
        errorBox_->setChecked(on);
        halfWidthBox_->setValue(halfWidth);
        seedBox_->setValue(int(std::min(seed, ReadingError::MaxSeed)));
    }
    readingErrorEdited();
}

void MeasureWindow::readingErrorEdited() {
    const bool on = errorBox_->isChecked();
    halfWidthBox_->setEnabled(on);
    seedBox_->setEnabled(on);
    error_ = ReadingError(on ? halfWidthBox_->value() : 0, quint64(seedBox_->value()));
}

} // namespace measure
