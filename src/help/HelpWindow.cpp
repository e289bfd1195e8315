#include "help/HelpWindow.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexModel>
#include <QHelpIndexWidget>
#include <QHelpLink>
#include <QHelpSearchEngine>
#include <QHelpSearchQueryWidget>
#include <QHelpSearchResultWidget>
#include <QLineEdit>
#include <QPointer>
#include <QScreen>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

namespace help {

namespace {

const QString Namespace = QStringLiteral("fr.aldoria.focalines");
const QString ContentsPage = QStringLiteral("index.html");

} // namespace

QString helpFilePath(const QString &programDirectory) {
    return programDirectory + QStringLiteral("aide/focalines.qch");
}

HelpBrowser::HelpBrowser(QHelpEngine *engine, QWidget *parent)
    : QTextBrowser(parent), engine_(engine) {
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
    if (url.scheme() == QLatin1String("qthelp")) return engine_->fileData(url);
    return QTextBrowser::loadResource(type, name);
}

HelpWindow::HelpWindow(const QString &helpFile, QWidget *parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Aide de Focalines"));
    resize(1060, 700);
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
    auto *splitter = new QSplitter(this);
    splitter->addWidget(tabs_);
    splitter->addWidget(browser_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({260, 800});
    setCentralWidget(splitter);
    engine_->searchEngine()->scheduleIndexDocumentation();
}

void HelpWindow::buildSide() {
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("helpSide"));

    QHelpContentWidget *contents = engine_->contentWidget();
    contents->setObjectName(QStringLiteral("helpContents"));
    connect(contents, &QHelpContentWidget::linkActivated, browser_,
            [this](const QUrl &url) { browser_->setSource(url); });
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

QUrl HelpWindow::contentsUrl() const {
    return QUrl(QStringLiteral("qthelp://%1/aide/%2").arg(Namespace, ContentsPage));
}

void HelpWindow::showContents() {
    if (!valid_) return;
    tabs_->setCurrentIndex(0);
    browser_->setSource(contentsUrl());
}

void HelpWindow::search(const QString &words) {
    if (!valid_) return;
    tabs_->setCurrentIndex(2);
    engine_->searchEngine()->queryWidget()->setSearchInput(words);
    engine_->searchEngine()->search(words);
}

bool showHelp(QWidget *parent, const QString &programDirectory) {
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
    open->showContents();
    open->show();
    open->raise();
    open->activateWindow();
    return true;
}

} // namespace help
