// The help window over the program's compressed help, and the help command of the main window.

#include "help/HelpWindow.h"
#include "mainwindow/MainWindow.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QHelpContentModel>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QHelpLink>
#include <QHelpSearchEngine>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextLayout>

namespace {

// The application lives until the process ends (ensureApplication never destroys it):
// destroying it after the help engine's SQL driver has gone at exit would crash.
void application() {
    ensureApplication<QApplication>();
}

const QString BuiltHelp = QStringLiteral(FOCALINES_HELP_FILE);

QList<help::HelpWindow *> openHelpWindows() {
    QList<help::HelpWindow *> open;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *h = qobject_cast<help::HelpWindow *>(w); h && h->isVisible()) open << h;
    return open;
}

QAbstractButton *commandButton(const QWidget &window, const char *name) {
    return window.findChild<QAbstractButton *>(QString::fromLatin1(name));
}

void closeHelpWindows() {
    for (help::HelpWindow *h : openHelpWindows())
        h->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A program directory holding the built help, or nothing.
struct ProgramDirectory {
    explicit ProgramDirectory(bool withHelp) {
        if (withHelp) {
            QDir(dir.path()).mkdir(QStringLiteral("aide"));
            QFile::copy(BuiltHelp, path() + QStringLiteral("aide/focalines.qch"));
        }
    }
    QString path() const { return dir.path() + QLatin1Char('/'); }
    QTemporaryDir dir;
};

} // namespace

TEST(HelpWindow, RefusesWhatIsNotAHelpFile) {
    application();
    QTemporaryDir dir;
    const struct {
        const char *name;
        QByteArray bytes; // empty: no file at all
    } cases[] = {
        {"missing", {}},
        {"empty", QByteArray("")},
        {"text", QByteArray("<html>aide</html>")},
        {"random", QByteArray::fromHex("53514c697465206696f726d617420330010deadbeef00ff")},
    };
    for (const auto &c : cases) {
        const QString path = dir.filePath(QString::fromLatin1(c.name) + QStringLiteral(".qch"));
        if (std::string(c.name) != "missing") {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(c.bytes);
        }
        help::HelpWindow window(path);
        EXPECT_FALSE(window.isValid()) << c.name;
    }
    // The program's directory without help: no window and no message.
    ProgramDirectory program(false);
    EXPECT_FALSE(help::showHelp(nullptr, program.path()));
    EXPECT_TRUE(openHelpWindows().isEmpty());
}

TEST(HelpWindow, OpensAtItsContentsWithIndexAndSearch) {
    application();
    ASSERT_TRUE(QFile::exists(BuiltHelp));
    help::HelpWindow window(BuiltHelp);
    ASSERT_TRUE(window.isValid());
    // The window builds its search index as it opens: watched from the start, since the index
    // may be finished while the test waits for the contents below.
    QHelpSearchEngine *search = window.engine()->searchEngine();
    QSignalSpy indexed(search, &QHelpSearchEngine::indexingFinished);
    window.showContents();
    EXPECT_TRUE(window.browser()->source().toString().endsWith(QStringLiteral("aide/index.html")));
    EXPECT_FALSE(window.browser()->toPlainText().trimmed().isEmpty());
    EXPECT_FALSE(window.browser()->documentTitle().isEmpty());

    QHelpContentModel *contents = window.engine()->contentModel();
    if (contents->rowCount() == 0)
        QSignalSpy(contents, &QHelpContentModel::contentsCreated).wait(10000);
    EXPECT_GE(contents->rowCount(), 8) << "the contents list every page";

    // Every keyword used by the help's pages leads somewhere.
    for (const char *keyword : {"foyer", "grandissement", "exercice", "calculatrice"})
        EXPECT_FALSE(window.engine()->documentsForKeyword(QString::fromUtf8(keyword)).isEmpty())
            << keyword;

    if (indexed.isEmpty()) {
        ASSERT_TRUE(indexed.wait(30000));
    }
    QSignalSpy searched(search, &QHelpSearchEngine::searchingFinished);
    window.search(QStringLiteral("foyer"));
    ASSERT_TRUE(searched.wait(30000));
    // A result's page opens in the browser.
    const auto results = search->searchResults(0, 100);
    ASSERT_FALSE(results.isEmpty());
    window.browser()->setSource(results.first().url());
    EXPECT_TRUE(
        window.browser()->toPlainText().contains(QStringLiteral("foyer"), Qt::CaseInsensitive));
}

TEST(HelpWindow, HelpCommandOpensTheHelpAndKeepsTheFigure) {
    application();
    for (const bool withHelp : {false, true}) {
        ProgramDirectory program(withHelp);
        mainwindow::MainWindow window({program.path()});
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        const QImage before = window.figurePicture();
        auto *helpButton = window.findChild<QAbstractButton *>(QStringLiteral("Command7"));
        ASSERT_NE(helpButton, nullptr);
        QTest::mouseClick(helpButton, Qt::LeftButton);
        QCoreApplication::processEvents();
        EXPECT_EQ(openHelpWindows().size(), withHelp ? 1 : 0) << withHelp;
        if (withHelp) {
            // A second request raises the same window.
            QTest::mouseClick(helpButton, Qt::LeftButton);
            EXPECT_EQ(openHelpWindows().size(), 1);
        }
        EXPECT_EQ(window.figurePicture(), before) << withHelp;
        closeHelpWindows();
    }
}

// One click on an entry of the contents or the index opens its page; Back and Forward go
// through the pages seen; the keys size the page's text and close the window.
TEST(HelpWindow, OneClickOpensAPageAndTheWindowAnswersItsKeys) {
    application();
    help::HelpWindow window(BuiltHelp);
    ASSERT_TRUE(window.isValid());
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.showContents();
    const auto page = [&] { return window.browser()->source().fileName(); };
    const auto click = [](QAbstractItemView *view, const QModelIndex &index) {
        view->scrollTo(index);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
    };

    auto *contents = window.findChild<QHelpContentWidget *>(QStringLiteral("helpContents"));
    QHelpContentModel *model = window.engine()->contentModel();
    if (model->rowCount() == 0) QSignalSpy(model, &QHelpContentModel::contentsCreated).wait(10000);
    QModelIndex printing;
    for (int row = 0; row < model->rowCount(); ++row)
        if (model->contentItemAt(model->index(row, 0))->url().fileName() == "imprimer.html")
            printing = model->index(row, 0);
    ASSERT_TRUE(printing.isValid());
    click(contents, printing);
    EXPECT_EQ(page(), "imprimer.html");

    window.sideTabs()->setCurrentIndex(1);
    auto *index = window.findChild<QHelpIndexWidget *>(QStringLiteral("helpIndex"));
    // The index is built in the background as the window opens.
    for (int i = 0; i < 400 && index->model()->rowCount() == 0; ++i)
        QTest::qWait(25);
    index->filterIndices(QStringLiteral("loupe"));
    ASSERT_GT(index->model()->rowCount(), 0);
    click(index, index->model()->index(0, 0));
    EXPECT_NE(page(), "imprimer.html");
    const QString indexPage = page();

    QAction *back = window.findChild<QAction *>(QStringLiteral("helpBack"));
    QAction *forward = window.findChild<QAction *>(QStringLiteral("helpForward"));
    ASSERT_TRUE(back && forward);
    EXPECT_FALSE(forward->isEnabled());
    back->trigger();
    EXPECT_EQ(page(), "imprimer.html");
    EXPECT_TRUE(forward->isEnabled());
    forward->trigger();
    EXPECT_EQ(page(), indexPage);

    // The text grows with Ctrl++, by steps, headings included, and comes back with Ctrl+0; the
    // history stays.
    const auto headingHeight = [&] {
        QTextDocument *page = window.browser()->document();
        page->size(); // laid out
        for (QTextBlock block = page->begin(); block.isValid(); block = block.next())
            if (block.blockFormat().headingLevel() == 1) return block.layout()->lineAt(0).height();
        return qreal(0);
    };
    const qreal height = window.browser()->document()->size().height();
    const qreal heading = headingHeight();
    ASSERT_GT(heading, 0);
    QTest::keyClick(&window, Qt::Key_Plus, Qt::ControlModifier);
    QTest::keyClick(&window, Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(window.browser()->zoomPercent(), 150);
    EXPECT_GT(window.browser()->document()->size().height(), height * 1.3);
    EXPECT_GT(headingHeight(), heading * 1.3);
    QTest::keyClick(&window, Qt::Key_0, Qt::ControlModifier);
    EXPECT_NEAR(window.browser()->document()->size().height(), height, 1);
    EXPECT_EQ(page(), indexPage);
    back->trigger();
    EXPECT_EQ(page(), "imprimer.html");

    for (const QKeyCombination keys :
         {QKeyCombination(Qt::Key_Escape), QKeyCombination(Qt::ControlModifier, Qt::Key_W)}) {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(&window, keys.key(), keys.keyboardModifiers());
        EXPECT_FALSE(window.isVisible()) << keys.toCombined();
    }
}

// F1 opens the help at the page about the window it is pressed in; in a modal window, the help
// is that window's while it is open, so that it can be used, and stays open afterwards.
TEST(HelpWindow, F1OpensThePageAboutTheWindow) {
    application();
    ProgramDirectory program(true);
    mainwindow::MainWindow window({program.path()});
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const auto helpPage = [] {
        const auto open = openHelpWindows();
        return open.size() == 1 ? open.first()->browser()->source() : QUrl();
    };
    QTest::keyClick(commandButton(window, "Command2"), Qt::Key_F1);
    EXPECT_EQ(helpPage().fileName(), "fenetre.html");

    QDialog dialog(&window);
    dialog.setObjectName(QStringLiteral("confimp"));
    auto *field = new QLineEdit(&dialog);
    dialog.setModal(true);
    dialog.show();
    QTest::keyClick(field, Qt::Key_F1);
    EXPECT_EQ(helpPage().fileName(), "imprimer.html");
    EXPECT_EQ(helpPage().fragment(), "fenetre");
    ASSERT_EQ(openHelpWindows().size(), 1);
    EXPECT_EQ(openHelpWindows().first()->parentWidget(), &dialog);
    dialog.accept();
    ASSERT_EQ(openHelpWindows().size(), 1);
    EXPECT_EQ(openHelpWindows().first()->parentWidget(), &window);
    closeHelpWindows();
}
