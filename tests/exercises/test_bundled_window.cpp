// Every bundled exercise opened through the real main window, as a pupil opens it.

#include "../mainwindow/MainWindowFixture.h"

#include "config/windows/DirectoryBrowser.h"
#include "exercises/ExerciseFile.h"
#include "exercises/ExerciseMenu.h"
#include "exercises/Fichexo.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTextEdit>
#include <QToolButton>

namespace {

using exercises::ExerciseMenu;

class BundledExercises : public MainWindowTest {
  protected:
    static void SetUpTestSuite() { startApplication(oneScreen(1280, 800)); }

    void SetUp() override {
        // The content beside a program of our own, so that its hand-over file is private.
        const QDir content(QStringLiteral(FOCALINES_CONTENT));
        for (const QString &name : content.entryList(QDir::Files))
            ASSERT_TRUE(QFile::copy(content.filePath(name), programDir.filePath(name)));
        MainWindowTest::SetUp();
        dir = programDir.path() + QLatin1Char('/');
    }

    ExerciseMenu *menu() const { return window->exerciseMenu(); }
    QString text() const { return supertext(*window)->toPlainText(); }

    QString dir;
};

TEST_F(BundledExercises, EveryExerciseAndItsCorrection) {
    const QStringList files = QDir(dir).entryList({QStringLiteral("*.E21")}, QDir::Files);
    ASSERT_GE(files.size(), 16);
    for (const QString &name : files) {
        SCOPED_TRACE(name.toStdString());
        const auto e = std::get<exercises::ExerciseFile>(exercises::readExerciseFile(dir + name));
        menu()->openExerciseFile(dir + name);
        EXPECT_EQ(fich(*window)->text(), dir + name);
        EXPECT_EQ(window->windowTitle(), QStringLiteral("Focalines - ") + dir + e.configuration);
        EXPECT_FALSE(supertext(*window)->isReadOnly());
        EXPECT_FALSE(text().trimmed().isEmpty());
        EXPECT_EQ(menu()->textState(), ExerciseMenu::TextState::Statement);
        menu()->updateEnabling();
        EXPECT_EQ(menu()->item(QStringLiteral("opencor"))->isEnabled(), e.corrected());
        if (!e.corrected()) continue;
        const QString statement = text();
        menu()->showCorrection();
        EXPECT_EQ(fich(*window)->text(), dir + name);
        EXPECT_EQ(window->windowTitle(),
                  QStringLiteral("Focalines - ") + dir + e.correctionConfiguration);
        EXPECT_TRUE(supertext(*window)->isReadOnly());
        EXPECT_FALSE(text().trimmed().isEmpty());
        EXPECT_NE(text(), statement);
    }
    EXPECT_TRUE(answeredBoxes.isEmpty()) << answeredBoxes.join('\n').toStdString();
}

TEST_F(BundledExercises, GettingStartedThenAnExerciseChosenInTheWindow) {
    menu()->openGettingStarted();
    EXPECT_EQ(fich(*window)->text(), dir + QStringLiteral("focalines.PEM"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Focalines - ") + dir + "prise-en-main.P09");
    EXPECT_FALSE(supertext(*window)->isReadOnly());

    // The exercises window lists the exercises beside the program; the fourth one is opened.
    QString preview;
    QTimer::singleShot(50, [&] {
        auto *w = qobject_cast<exercises::Fichexo *>(QApplication::activeModalWidget());
        ASSERT_TRUE(w);
        w->browser()->fileList()->setCurrentRow(3);
        preview = w->titratexo()->text();
        w->ouvreur()->click();
    });
    menu()->showExercisesWindow();
    EXPECT_EQ(preview, QString::fromUtf8("La loupe, une image virtuelle"));
    EXPECT_EQ(fich(*window)->text(), dir + QStringLiteral("04-loupe.E21"));
    EXPECT_TRUE(menu()->correctionAvailable());

    // The launcher asks for another one: served once.
    window->exerciseRequestFile().writeRecord(31, QStringLiteral("16-LUNETTE.e21"));
    window->formActivate();
    window->formActivate();
    EXPECT_EQ(fich(*window)->text(), dir + QStringLiteral("16-lunette.E21"));
    EXPECT_TRUE(menu()->correctionAvailable());
    EXPECT_TRUE(answeredBoxes.isEmpty()) << answeredBoxes.join('\n').toStdString();

    menu()->closeExercise();
    EXPECT_TRUE(fich(*window)->text().isEmpty());
    EXPECT_TRUE(supertext(*window)->isReadOnly());
}

} // namespace
