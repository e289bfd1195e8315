// The help window over the program's compressed help, and the help command of the main window.

#include "help/HelpWindow.h"
#include "mainwindow/MainWindow.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QHelpContentModel>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QHelpLink>
#include <QHelpSearchEngine>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

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

    QHelpSearchEngine *search = window.engine()->searchEngine();
    // The window builds its search index as it opens.
    QSignalSpy indexed(search, &QHelpSearchEngine::indexingFinished);
    ASSERT_TRUE(indexed.wait(30000));
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
