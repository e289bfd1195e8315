#include "help/HelpWindow.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFileInfo>
#include <QHelpContentModel>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexModel>
#include <QHelpIndexWidget>
#include <QHelpLink>
#include <QHelpSearchEngine>
#include <QHelpSearchQueryWidget>
#include <QHelpSearchResultWidget>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

namespace help {

namespace {

const QString Namespace = QStringLiteral("fr.aldoria.focalines");
const QString ContentsPage = QStringLiteral("index.html");

// The pages about the windows of the program, by the windows' object names.
const struct {
    const char *window, *page;
} WindowPages[] = {
    // clang-format off
    {"feuilleP", "fenetre.html"},
    {"confimp", "imprimer.html#fenetre"},
    {"Machine", "calculatrice.html"},
    {"enregistrer", "fichiers.html#enregistrer"},
    {"ouvrir", "fichiers.html#ouvrir"},
    {"Fichexo", "exercices.html#ouvrir"},
    {"exerciseAuthoring", "enseignant.html#creer"},
    {"mesures", "mesures.html"},
    {"serieAutomatique", "mesures.html#serie"},
    {"HelpWindow", "index.html#aide"},
    // clang-format on
};

// `text` with every number that `pattern` captures in its group 1 multiplied by `factor`.
QString scaledNumbers(const QString &text, const QRegularExpression &pattern, double factor,
                      bool whole) {
    QString out;
    qsizetype done = 0;
    for (auto it = pattern.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const double value = m.captured(1).toDouble() * factor;
        out += QStringView(text).mid(done, m.capturedStart(1) - done);
        out += whole ? QString::number(qRound(value)) : QString::number(value, 'g', 4);
        done = m.capturedEnd(1);
    }
    out += QStringView(text).mid(done);
    return out;
}

// The sizes a page gives, scaled: points and pixels in its style sheet, the width and height of
// its pictures.
QByteArray scaledPage(const QByteArray &bytes, int type, double factor) {
    const QString text = QString::fromUtf8(bytes);
    if (type == QTextDocument::StyleSheetResource) {
        static const QRegularExpression size(QStringLiteral("(\\d+(?:\\.\\d+)?)(?:pt|px)\\b"));
        return scaledNumbers(text, size, factor, false).toUtf8();
    }
    // A picture gives its width and its height: one pass for each.
    static const QRegularExpression pictureWidth(QStringLiteral("<img\\b[^>]*\\bwidth=\"(\\d+)\""),
                                                 QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression pictureHeight(
        QStringLiteral("<img\\b[^>]*\\bheight=\"(\\d+)\""),
        QRegularExpression::CaseInsensitiveOption);
    return scaledNumbers(scaledNumbers(text, pictureWidth, factor, true), pictureHeight, factor,
                         true)
        .toUtf8();
}

} // namespace

QString helpFilePath(const QString &programDirectory) {
    return programDirectory + QStringLiteral("aide/focalines.qch");
}

HelpBrowser::HelpBrowser(QHelpEngine *engine, QWidget *parent)
    : QTextBrowser(parent), engine_(engine), unzoomedPointSize_(font().pointSizeF()) {
    setOpenLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, [this](const QUrl &url) {
        if (url.scheme() == QLatin1String("qthelp") || url.isRelative())
            setSource(url.isRelative() ? source().resolved(url) : url);
        else
            QDesktopServices::openUrl(url);
    });
}

QVariant HelpBrowser::loadResource(int type, const QUrl &name) {
    const QUrl url = name.isRelative() ? source().resolved(name) : name;
    if (url.scheme() != QLatin1String("qthelp")) return QTextBrowser::loadResource(type, name);
    const QByteArray data = engine_->fileData(url);
    if (zoom_ == 100 ||
        (type != QTextDocument::HtmlResource && type != QTextDocument::StyleSheetResource))
        return data;
    return scaledPage(data, type, zoom_ / 100.0);
}

void HelpBrowser::setZoomPercent(int percent) {
    percent = std::clamp(percent, SmallestZoom, LargestZoom);
    if (percent == zoom_) return;
    QScrollBar *bar = verticalScrollBar();
    const double at = bar->maximum() > 0 ? double(bar->value()) / bar->maximum() : 0;
    zoom_ = percent;
    // Headings take their size from the page's default font, whatever the style sheet gives
    // them, so that font is scaled too.
    QFont scaled = font();
    scaled.setPointSizeF(unzoomedPointSize_ * zoom_ / 100.0);
    setFont(scaled);
    // The page is read again: its other sizes come from its text and its style sheet.
    reload();
    bar->setValue(qRound(at * bar->maximum()));
}

HelpWindow::HelpWindow(const QString &helpFile, QWidget *parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Aide de Focalines"));
    // The page is wide enough for the pictures of the main window at their own size.
    resize(1100, 720);
    if (!QFileInfo(helpFile).isFile() || !collectionFolder_.isValid()) return;

    engine_ = new QHelpEngine(collectionFolder_.filePath(QStringLiteral("focalines.qhc")), this);
    engine_->setReadOnly(false);
    if (!engine_->setupData() || !engine_->registerDocumentation(helpFile) ||
        engine_->documentationFileName(Namespace).isEmpty())
        return;
    valid_ = true;
    // The contents and the index are built from the collection as it was at setup, before the
    // help file was registered in it.
    engine_->contentModel()->createContents(QString());
    engine_->indexModel()->createIndex(QString());

    browser_ = new HelpBrowser(engine_, this);
    browser_->setObjectName(QStringLiteral("helpPage"));
    buildSide();
    buildToolBar();
    addShortcut(Qt::Key_Escape, [this] { close(); });
    addShortcut(QKeySequence(Qt::CTRL | Qt::Key_W), [this] { close(); });
    const auto zoomBy = [this](int steps) {
        browser_->setZoomPercent(
            steps == 0 ? 100 : browser_->zoomPercent() + steps * HelpBrowser::ZoomStep);
    };
    addShortcut(QKeySequence::ZoomIn, [zoomBy] { zoomBy(1); });
    addShortcut(QKeySequence(Qt::CTRL | Qt::Key_Equal), [zoomBy] { zoomBy(1); });
    addShortcut(QKeySequence::ZoomOut, [zoomBy] { zoomBy(-1); });
    addShortcut(QKeySequence(Qt::CTRL | Qt::Key_0), [zoomBy] { zoomBy(0); });
    auto *splitter = new QSplitter(this);
    splitter->addWidget(tabs_);
    splitter->addWidget(browser_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({260, 840});
    setCentralWidget(splitter);
    engine_->searchEngine()->scheduleIndexDocumentation();
}

void HelpWindow::addShortcut(const QKeySequence &keys, const std::function<void()> &action) {
    connect(new QShortcut(keys, this), &QShortcut::activated, this, action);
}

void HelpWindow::buildToolBar() {
    QToolBar *bar = addToolBar(QStringLiteral("Navigation"));
    bar->setObjectName(QStringLiteral("helpNavigation"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    const struct {
        const char *name, *caption, *tip;
        QStyle::StandardPixmap icon;
        QKeySequence::StandardKey keys;
        void (QTextBrowser::*go)();
        void (QTextBrowser::*available)(bool);
    } buttons[] = {
        {"helpBack", "Précédente", "Revenir à la page précédente (Alt+Gauche)",
         QStyle::SP_ArrowBack, QKeySequence::Back, &QTextBrowser::backward,
         &QTextBrowser::backwardAvailable},
        {"helpForward", "Suivante", "Aller à la page suivante (Alt+Droite)",
         QStyle::SP_ArrowForward, QKeySequence::Forward, &QTextBrowser::forward,
         &QTextBrowser::forwardAvailable},
    };
    for (const auto &b : buttons) {
        QAction *action =
            bar->addAction(style()->standardIcon(b.icon), QString::fromUtf8(b.caption));
        action->setObjectName(QString::fromLatin1(b.name));
        action->setToolTip(QString::fromUtf8(b.tip));
        action->setShortcut(b.keys);
        action->setEnabled(false);
        connect(action, &QAction::triggered, browser_, b.go);
        connect(browser_, b.available, action, &QAction::setEnabled);
    }
}

void HelpWindow::buildSide() {
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("helpSide"));

    // One click on an entry opens its page, as Enter or a double click does.
    QHelpContentWidget *contents = engine_->contentWidget();
    contents->setObjectName(QStringLiteral("helpContents"));
    connect(contents, &QHelpContentWidget::linkActivated, browser_,
            [this](const QUrl &url) { browser_->setSource(url); });
    connect(contents, &QAbstractItemView::clicked, browser_, [this](const QModelIndex &index) {
        if (QHelpContentItem *item = engine_->contentModel()->contentItemAt(index))
            browser_->setSource(item->url());
    });
    tabs_->addTab(contents, QStringLiteral("Sommaire"));

    auto *indexPage = new QWidget;
    auto *indexLayout = new QVBoxLayout(indexPage);
    auto *filter = new QLineEdit(indexPage);
    filter->setObjectName(QStringLiteral("helpIndexFilter"));
    filter->setPlaceholderText(QStringLiteral("Mot à chercher dans l'index"));
    QHelpIndexWidget *index = engine_->indexWidget();
    index->setObjectName(QStringLiteral("helpIndex"));
    connect(filter, &QLineEdit::textChanged, index,
            [index](const QString &text) { index->filterIndices(text); });
    connect(filter, &QLineEdit::returnPressed, index, &QHelpIndexWidget::activateCurrentItem);
    connect(index, &QAbstractItemView::clicked, index, &QHelpIndexWidget::activateCurrentItem);
    connect(index, &QHelpIndexWidget::documentActivated, browser_,
            [this](const QHelpLink &link, const QString &) { browser_->setSource(link.url); });
    connect(index, &QHelpIndexWidget::documentsActivated, browser_,
            [this](const QList<QHelpLink> &links, const QString &) {
                if (!links.isEmpty()) browser_->setSource(links.first().url);
            });
    indexLayout->addWidget(filter);
    indexLayout->addWidget(index);
    tabs_->addTab(indexPage, QStringLiteral("Index"));

    QHelpSearchEngine *searchEngine = engine_->searchEngine();
    auto *searchPage = new QWidget;
    auto *searchLayout = new QVBoxLayout(searchPage);
    searchLayout->addWidget(searchEngine->queryWidget());
    searchLayout->addWidget(searchEngine->resultWidget());
    connect(searchEngine->queryWidget(), &QHelpSearchQueryWidget::search, searchEngine,
            [searchEngine] { searchEngine->search(searchEngine->queryWidget()->searchInput()); });
    connect(searchEngine->resultWidget(), &QHelpSearchResultWidget::requestShowLink, browser_,
            [this](const QUrl &url) { browser_->setSource(url); });
    tabs_->addTab(searchPage, QStringLiteral("Rechercher"));
}

QUrl HelpWindow::pageUrl(const QString &page) const {
    return QUrl(QStringLiteral("qthelp://%1/aide/%2").arg(Namespace, page));
}

void HelpWindow::showContents() {
    if (!valid_) return;
    tabs_->setCurrentIndex(0);
    browser_->setSource(pageUrl(ContentsPage));
}

void HelpWindow::showPage(const QString &page) {
    if (valid_) browser_->setSource(pageUrl(page));
}

void HelpWindow::search(const QString &words) {
    if (!valid_) return;
    tabs_->setCurrentIndex(2);
    engine_->searchEngine()->queryWidget()->setSearchInput(words);
    engine_->searchEngine()->search(words);
}

namespace {

// A modal window blocks every other window but its own: the help opened while one is up becomes
// its window until it closes, then goes back to the window it belonged to.
void lendToModalWindow(HelpWindow *help) {
    auto *modal = qobject_cast<QDialog *>(QApplication::activeModalWidget());
    if (!modal) return;
    for (QWidget *w = help->parentWidget(); w; w = w->parentWidget())
        if (w == modal) return;
    const QPointer<QWidget> home = help->parentWidget();
    const QRect geometry = help->geometry();
    help->setParent(modal, help->windowFlags());
    help->setGeometry(geometry);
    QObject::connect(
        modal, &QDialog::finished, help,
        [help, home] {
            const QRect g = help->geometry();
            const bool shown = help->isVisible();
            help->setParent(home, help->windowFlags());
            help->setGeometry(g);
            if (shown) help->show();
        },
        Qt::SingleShotConnection);
}

// The key F1, wherever the focus is.
class HelpKey : public QObject {
  public:
    using QObject::QObject;
    QPointer<QWidget> mainWindow;
    QString programDirectory;

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier) return false;
        // A message box or a dialog of the system has no page: the window it belongs to may.
        QString page;
        for (QWidget *w = static_cast<QWidget *>(watched)->window(); w && page.isEmpty();
             w = w->parentWidget() ? w->parentWidget()->window() : nullptr)
            page = pageAbout(w->objectName());
        showHelp(mainWindow, programDirectory, page);
        return true;
    }
};

} // namespace

bool showHelp(QWidget *parent, const QString &programDirectory, const QString &page) {
    static QPointer<HelpWindow> open;
    if (!open) {
        auto *window = new HelpWindow(helpFilePath(programDirectory), parent);
        if (!window->isValid()) {
            delete window;
            return false;
        }
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->setWindowFlag(Qt::Window);
        // Within the screen's free area, whatever the zoom, its frame taken as the parent's.
        if (QScreen *screen = parent ? parent->screen() : window->screen()) {
            const QSize frame =
                parent ? parent->frameGeometry().size() - parent->geometry().size() : QSize();
            window->resize(window->size().boundedTo(screen->availableGeometry().size() - frame));
        }
        open = window;
    }
    lendToModalWindow(open);
    if (page.isEmpty())
        open->showContents();
    else
        open->showPage(page);
    open->show();
    open->raise();
    open->activateWindow();
    return true;
}

QString pageAbout(const QString &windowName) {
    for (const auto &p : WindowPages)
        if (windowName == QLatin1String(p.window)) return QString::fromLatin1(p.page);
    return QString();
}

void installHelpKey(QWidget *mainWindow, const QString &programDirectory) {
    static QPointer<HelpKey> key;
    if (!key) {
        key = new HelpKey(qApp);
        qApp->installEventFilter(key);
    }
    key->mainWindow = mainWindow;
    key->programDirectory = programDirectory;
}

} // namespace help
