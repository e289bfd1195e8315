// The main window driven as a user drives it, on a screen wide enough for its design size.

#include "MainWindowFixture.h"

#include "bench/FieldBounds.h"
#include "exercises/ExerciseMenu.h"
#include "mainwindow/FieldEdit.h"
#include "mainwindow/FigureView.h"
#include "mainwindow/Panel.h"
#include "mainwindow/TabStrip.h"
#include "printing/PrintWindow.h"
#include "ui/MessageBoxes.h"

#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QToolButton>

#include <functional>

using mainwindow::FigureView;
using mainwindow::MainWindow;

namespace {

class MainWindowWide : public MainWindowTest {
  protected:
    void SetUp() override {
        startApplication(oneScreen(1920, 1080));
        MainWindowTest::SetUp();
    }

    void click(QWidget *w) { QTest::mouseClick(w, Qt::LeftButton); }

    // A drag step: the pointer moved over a handle with the given buttons held.
    void moveOverHandle(int handle, double x, Qt::MouseButtons buttons) {
        QWidget *h = figure(*window)->handle(handle);
        const QPointF local(x, 5);
        QMouseEvent move(QEvent::MouseMove, local, h->mapToGlobal(local), Qt::NoButton, buttons,
                         Qt::NoModifier);
        QApplication::sendEvent(h, &move);
    }

    QString handOverRecord(int n) { return window->exerciseRequestFile().readRecord(n); }
};

TEST_F(MainWindowWide, StartsAtDesignSizeWithTheStartupBench) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Focalines"));
    EXPECT_EQ(window->size(), QSize(MainWindow::DesignWidth, MainWindow::DesignHeight));
    EXPECT_EQ(figure(*window)->geometry(), QRect(8, 48, 775, 265));
    EXPECT_EQ(label3(*window, 0)->text(), QStringLiteral("45,0 cm"));
    EXPECT_EQ(label(*window, 2)->text(), QStringLiteral("60 cm"));
    EXPECT_EQ(handOverRecord(23), QStringLiteral("OUI"));
    EXPECT_EQ(onglets(*window)->currentTab(), 1);
}

TEST_F(MainWindowWide, FieldsTakeOnlyNumberKeysAndWriteTheComma) {
    mainwindow::FieldEdit *height = text1(*window, bench::ObjectHeight);
    height->setFocus();
    height->clear();
    QTest::keyClicks(height, QStringLiteral("2.5"));
    EXPECT_EQ(height->text(), QStringLiteral("2,5"));
    const int beeps = ui::beepCount();
    QTest::keyClicks(height, QStringLiteral("aZ +*"));
    QKeyEvent accented(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("é"));
    QApplication::sendEvent(height, &accented);
    EXPECT_EQ(height->text(), QStringLiteral("2,5"));
    EXPECT_EQ(ui::beepCount(), beeps);
    // Pasted text is filtered the same way.
    QGuiApplication::clipboard()->setText(QStringLiteral("x1.2y"));
    height->clear();
    height->paste();
    EXPECT_EQ(height->text(), QStringLiteral("1,2"));
    // Until it is validated, the figure keeps the previous value; Enter validates in place.
    EXPECT_EQ(label3(*window, 1)->text(), QStringLiteral("-6,0 cm"));
    QTest::keyClick(height, Qt::Key_Return);
    EXPECT_EQ(height->text(), QStringLiteral("1,2"));
    EXPECT_TRUE(height->hasFocus());
    EXPECT_EQ(label3(*window, 1)->text(), QStringLiteral("-2,4 cm"));
}

TEST_F(MainWindowWide, ValidationKeepsTheFirstLensAtFiveCentimetresAtLeast) {
    onglets(*window)->selectTab(2);
    const int beeps = ui::beepCount();
    typeAndEnter(bench::Lens1Position, QStringLiteral("3"));
    EXPECT_EQ(text1(*window, bench::Lens1Position)->text(), QStringLiteral("5,0"));
    EXPECT_EQ(ui::beepCount(), beeps + 1);
    // Unreadable text counts as below 5; leaving the field for another one validates too.
    typeAndEnter(bench::Lens1Position, QStringLiteral("-"));
    EXPECT_EQ(text1(*window, bench::Lens1Position)->text(), QStringLiteral("5,0"));
    EXPECT_EQ(ui::beepCount(), beeps + 2);
    text1(*window, bench::Lens1Focal)->setFocus();
    text1(*window, bench::Lens1Focal)->selectAll();
    QTest::keyClicks(text1(*window, bench::Lens1Focal), QStringLiteral("4000"));
    text1(*window, bench::Lens1Position)->setFocus();
    EXPECT_EQ(text1(*window, bench::Lens1Focal)->text(), QStringLiteral("3000,0"));
}

TEST_F(MainWindowWide, SwitchesFollowTheirRules) {
    onglets(*window)->selectTab(3);
    QCheckBox *fromA = check1(*window, bench::BeamFromA), *all = check1(*window, bench::BeamAll),
              *fromB = check1(*window, bench::BeamFromB);
    ASSERT_TRUE(all->isChecked());
    click(fromA);
    EXPECT_TRUE(fromA->isChecked());
    EXPECT_FALSE(all->isChecked());
    EXPECT_FALSE(fromB->isChecked());
    click(fromA);
    EXPECT_FALSE(fromA->isChecked() || all->isChecked() || fromB->isChecked());
    EXPECT_FALSE(window->bench().option(bench::BeamAll));

    click(check1(*window, bench::ShowImages));
    EXPECT_FALSE(check1(*window, bench::ShowVirtualImages)->isEnabled());
    EXPECT_TRUE(check1(*window, bench::ShowVirtualImages)->isChecked());
}

TEST_F(MainWindowWide, TwoLensesShowTheSecondLensControlsAndHandle) {
    onglets(*window)->selectTab(2);
    QWidget *l2Handle = figure(*window)->handle(FigureView::Lens2Handle);
    EXPECT_FALSE(text1(*window, bench::Lens2Position)->isVisible());
    EXPECT_FALSE(l2Handle->isVisible());
    click(check1(*window, bench::TwoLenses));
    EXPECT_TRUE(text1(*window, bench::Lens2Position)->isVisible());
    EXPECT_TRUE(text1(*window, bench::Lens2Focal)->isVisible());
    EXPECT_FALSE(text1(*window, bench::Lens2Diameter)->isVisible());
    EXPECT_TRUE(l2Handle->isVisible());
    EXPECT_EQ(text1(*window, bench::Lens1Position)->x(), 120);
    EXPECT_TRUE(label3(*window, 3)->isVisibleTo(panel(*window, 1)));
    onglets(*window)->selectTab(4);
    EXPECT_TRUE(check1(*window, bench::RayParallel2)->isVisible());
    onglets(*window)->selectTab(2);
    click(check1(*window, bench::TwoLenses));
    EXPECT_FALSE(text1(*window, bench::Lens2Position)->isVisible());
    EXPECT_FALSE(l2Handle->isVisible());
    EXPECT_EQ(text1(*window, bench::Lens1Position)->x(), 190);
    EXPECT_EQ(text1(*window, bench::Lens2Position)->text(), QStringLiteral("48,0"));
}

TEST_F(MainWindowWide, ObjectAtInfinitySwapsTheFieldsForTheSlider) {
    click(check2(*window));
    EXPECT_FALSE(text1(*window, bench::ObjectPosition)->isVisible());
    EXPECT_FALSE(text1(*window, bench::ObjectHeight)->isVisible());
    EXPECT_TRUE(hscroll(*window, 3)->isVisible());
    EXPECT_EQ(label(*window, 1)->text(), QStringLiteral("10,0°"));
    EXPECT_FALSE(check1(*window, bench::RayParallel1)->isEnabled());
    hscroll(*window, 3)->setValue(125);
    EXPECT_EQ(label(*window, 1)->text(), QStringLiteral("12,5°"));
    click(check2(*window));
    EXPECT_TRUE(text1(*window, bench::ObjectPosition)->isVisible());
    EXPECT_TRUE(check1(*window, bench::RayParallel1)->isEnabled());
}

TEST_F(MainWindowWide, PrecisionAndAxisButtonsStopAtTheirEnds) {
    onglets(*window)->selectTab(3);
    EXPECT_FALSE(commandp(*window, 0)->isEnabled());
    click(commandp(*window, 1));
    click(commandp(*window, 1));
    EXPECT_FALSE(commandp(*window, 1)->isEnabled());
    EXPECT_TRUE(commandp(*window, 0)->isEnabled());
    EXPECT_EQ(label(*window, 4)->text(), QStringLiteral("-3"));
    EXPECT_EQ(text1(*window, bench::Lens1Position)->text(), QStringLiteral("15,000"));

    click(command3(*window, 0));
    EXPECT_EQ(label(*window, 2)->text(), QStringLiteral("50 cm"));
    EXPECT_FALSE(command3(*window, 0)->isEnabled());
    for (int i = 0; i < 12; ++i)
        click(command3(*window, 1));
    EXPECT_EQ(label(*window, 2)->text(), QStringLiteral("50 m"));
    EXPECT_FALSE(command3(*window, 1)->isEnabled());
    EXPECT_EQ(hscroll(*window, 2)->maximum(), 8438);
}

TEST_F(MainWindowWide, DiameterSliderSetsBothLenses) {
    hscroll(*window, 2)->setValue(85);
    EXPECT_EQ(window->bench().fields[bench::Lens1Diameter], QStringLiteral("8,5"));
    EXPECT_EQ(window->bench().fields[bench::Lens2Diameter], QStringLiteral("8,5"));
    EXPECT_EQ(text1(*window, bench::Lens2Diameter)->text(), QStringLiteral("8,5"));
}

TEST_F(MainWindowWide, DraggingMovesOnlyWithTheLeftButtonAndKeepsTheOrder) {
    const QString before = text1(*window, bench::Lens1Position)->text();
    moveOverHandle(FigureView::Lens1Handle, -150, Qt::RightButton);
    moveOverHandle(FigureView::Lens1Handle, -150, Qt::LeftButton | Qt::RightButton);
    EXPECT_EQ(text1(*window, bench::Lens1Position)->text(), before);
    EXPECT_EQ(info(*window)->text(),
              QStringLiteral("Vous pouvez utiliser la souris pour déplacer cette lentille"));

    // 100 drawing units to the right of the handle's left edge, at 12,583 units per cm.
    const double left = figure(*window)->handle(FigureView::Lens1Handle)->drawingRect.left();
    moveOverHandle(FigureView::Lens1Handle, 100, Qt::LeftButton);
    const double expected = (left + 100) / window->bench().drawScale;
    EXPECT_NEAR(window->bench().value(bench::Lens1Position), expected, 0.051);

    // Far left of the object: the position test keeps L1 right of it.
    typeAndEnter(bench::ObjectPosition, QStringLiteral("10"));
    moveOverHandle(FigureView::Lens1Handle, -400, Qt::LeftButton);
    EXPECT_GE(window->bench().value(bench::Lens1Position),
              window->bench().value(bench::ObjectPosition) + 0.1f - 1e-4f);
    // Far right of the axis: the upper bound.
    moveOverHandle(FigureView::ObjectHandle, 5000, Qt::LeftButton);
    EXPECT_LE(window->bench().value(bench::ObjectPosition), 59.8f + 1e-4f);
}

TEST_F(MainWindowWide, TabsAreSelectedOnTheHeaderRowOnly) {
    mainwindow::TabStrip *strip = onglets(*window);
    const auto edges = strip->layout().edges;
    const int beforeSecond = edges[1];
    QTest::mouseClick(strip, Qt::LeftButton, {}, QPoint(edges[2] - 3, 40));
    EXPECT_EQ(strip->currentTab(), 1);
    QTest::mouseClick(strip, Qt::LeftButton, {}, QPoint(edges[2] - 3, 8));
    EXPECT_EQ(strip->currentTab(), 2);
    EXPECT_TRUE(panel(*window, 2)->isVisible());
    EXPECT_FALSE(panel(*window, 1)->isVisible());
    // The current caption is measured in bold, which moves the separators.
    EXPECT_NE(strip->layout().edges[1], beforeSecond);
    QTest::mouseClick(strip, Qt::RightButton, {}, QPoint(edges[4] - 2, 15));
    EXPECT_EQ(strip->currentTab(), 4);
}

TEST_F(MainWindowWide, QuitAsksAndCancelKeepsTheProgramRunning) {
    answerNextMessageBox(QMessageBox::Cancel);
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    ASSERT_EQ(answeredBoxes.size(), 1);
    EXPECT_EQ(answeredBoxes[0], QStringLiteral("Fermer|Quitter vraiment Focalines ?"));
    EXPECT_EQ(handOverRecord(23), QStringLiteral("OUI"));

    // An edited exercise text is asked about first.
    fich(*window)->setText(QStringLiteral("exercice.E21"));
    supertext(*window)->setReadOnly(false);
    QTest::keyClicks(supertext(*window), QStringLiteral("abc"));
    ASSERT_TRUE(window->exerciseMenu()->textModified());
    answerNextMessageBox(QMessageBox::Cancel);
    EXPECT_FALSE(window->close());
    EXPECT_EQ(answeredBoxes.last(),
              QStringLiteral("Abandon des données?|Attention: perte des modifications du texte."));

    answerNextMessageBox(QMessageBox::Ok);
    window->exerciseMenu()->closeExercise();
    EXPECT_FALSE(window->exerciseMenu()->textModified());
    answerNextMessageBox(QMessageBox::Ok);
    EXPECT_TRUE(window->close());
    EXPECT_EQ(handOverRecord(23), QStringLiteral("NON"));
}

TEST_F(MainWindowWide, LauncherRequestIsTakenOnce) {
    QStringList requests;
    QObject::connect(window.get(), &MainWindow::exerciseRequested,
                     [&](const QString &path) { requests << path; });
    window->exerciseRequestFile().writeRecord(31, QStringLiteral("exos/optique.E21"));
    // The exercise is not there: its message.
    answerNextMessageBox(QMessageBox::Ok);
    window->formActivate();
    window->formActivate();
    ASSERT_EQ(requests.size(), 1);
    EXPECT_TRUE(requests[0].endsWith(QStringLiteral("/exos/optique.E21")));
    EXPECT_EQ(handOverRecord(31), QString());
    EXPECT_EQ(answeredBoxes.size(), 1);
    EXPECT_TRUE(answeredBoxes.value(0).startsWith(QStringLiteral("Lecture impossible|")));
    // A request of spaces is emptied and otherwise ignored.
    window->exerciseRequestFile().writeRecord(31, QStringLiteral("   "));
    window->formActivate();
    EXPECT_EQ(requests.size(), 1);
    EXPECT_EQ(handOverRecord(31), QString());
    // The other records of the launcher are left alone.
    window->exerciseRequestFile().writeRecord(5, QStringLiteral("lanceur"));
    window->formActivate();
    EXPECT_EQ(handOverRecord(5), QStringLiteral("lanceur"));
}

TEST_F(MainWindowWide, CopyPutsTheFigureOnTheClipboardAndTheMessageStays) {
    window->copyFigure();
    const QImage copied = QGuiApplication::clipboard()->image();
    EXPECT_EQ(copied.convertToFormat(QImage::Format_RGB32),
              window->figurePicture().convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(info(*window)->text(), MainWindow::CopyMessage);
    QToolButton *copy = commandButton(*window, QStringLiteral("Command4"));
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(copy, &enter);
    EXPECT_EQ(info(*window)->text(), MainWindow::CopyMessage);
    QApplication::sendEvent(commandButton(*window, QStringLiteral("Command8")), &enter);
    EXPECT_EQ(info(*window)->text(), QStringLiteral("Afficher la machine à calculer"));
    QApplication::sendEvent(copy, &enter);
    EXPECT_TRUE(info(*window)->text().startsWith(QStringLiteral("Copier pour placer")));

    // The help leaves the same picture.
    const QImage before = window->figurePicture();
    window->showHelp();
    EXPECT_EQ(window->figurePicture(), before);
}

TEST_F(MainWindowWide, PrintOpensThePrintWindowOverTheFigureWhichStaysAsItWas) {
    const QImage before = window->figurePicture();
    bool shown = false;
    auto *timer = new QTimer(window.get());
    QObject::connect(timer, &QTimer::timeout, [&, timer] {
        auto *w = qobject_cast<printing::PrintWindow *>(QApplication::activeModalWidget());
        if (!w) return;
        timer->stop();
        shown = w->figure() == before && w->y() == window->frameGeometry().top() + 20;
        w->command(3)->click();
    });
    timer->start(5);
    commandButton(*window, QStringLiteral("Command10"))->click();
    EXPECT_TRUE(shown);
    EXPECT_EQ(window->figurePicture(), before);
}

TEST_F(MainWindowWide, CommandButtonsAreFlatGrey) {
    for (const char *name :
         {"Command2", "Command11", "Command4", "Command10", "Command8", "Command7", "Command1"}) {
        QToolButton *button = commandButton(*window, QString::fromLatin1(name));
        ASSERT_NE(button, nullptr) << name;
        const QImage image = button->grab().toImage();
        for (int y = 4; y < image.height() - 4; ++y)
            for (int x : {4, image.width() - 5})
                ASSERT_EQ(image.pixelColor(x, y), QColor(192, 192, 192))
                    << name << " " << x << "," << y;
    }
}

TEST_F(MainWindowWide, GettingStartedTextHasOneCentredTitle) {
    QTextDocument *doc = supertext(*window)->document();
    EXPECT_TRUE(supertext(*window)->isReadOnly());
    EXPECT_TRUE(doc->toPlainText().startsWith(QStringLiteral("Focalines\n\nCette application")));
    EXPECT_TRUE(doc->toPlainText().endsWith(QStringLiteral("dans le menu Exercices.")));
    int centred = 0;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        if (b.blockFormat().alignment() & Qt::AlignHCenter) {
            ++centred;
            EXPECT_EQ(b.text(), QStringLiteral("Focalines"));
            EXPECT_EQ(b.begin().fragment().charFormat().fontPointSize(), 18);
        } else {
            EXPECT_EQ(b.blockFormat().leftMargin(), 20);
        }
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            const bool blue = f.charFormat().foreground().color() == QColor(0, 0, 200);
            if (f.text() == QStringLiteral("Exercices")) {
                EXPECT_TRUE(blue);
            }
            if (f.text().contains(QStringLiteral("dans le menu Exercices"))) {
                EXPECT_FALSE(blue);
            }
            if (f.text() != QStringLiteral("Focalines")) {
                EXPECT_EQ(f.charFormat().fontPointSize(), 10);
            }
        }
    }
    EXPECT_EQ(centred, 1);
    // Typing into the getting-started text never marks an exercise text as modified.
    supertext(*window)->setReadOnly(false);
    QTest::keyClicks(supertext(*window), QStringLiteral("abc"));
    EXPECT_FALSE(window->exerciseMenu()->textModified());
}

TEST_F(MainWindowWide, FigureFollowsTheWindowWidth) {
    window->resize(1900, 700);
    QApplication::processEvents();
    EXPECT_EQ(figure(*window)->width(), 1900 - 16);
    EXPECT_EQ(window->figurePicture().width(), 1900 - 16);
}

} // namespace

namespace {

TEST_F(MainWindowWide, HoverTextsBelongToTheControlUnderThePointer) {
    QWidget *objects = panel(*window, 1);
    QTest::mouseMove(objects, QPoint(20, 140));
    EXPECT_EQ(info(*window)->text(),
              QStringLiteral("Positions et dimensions de l'objet  et des images"));
    // A field or a read-out on the panel leaves the text as it is.
    QTest::mouseMove(label3(*window, 0), QPoint(5, 5));
    QTest::mouseMove(text1(*window, bench::ObjectHeight), QPoint(5, 5));
    EXPECT_EQ(info(*window)->text(),
              QStringLiteral("Positions et dimensions de l'objet  et des images"));
    QTest::mouseMove(figure(*window), QPoint(300, 200));
    EXPECT_EQ(info(*window)->text(),
              QStringLiteral("Vous pouvez déplacer l'objet et les lentilles avec la souris"));
    QTest::mouseMove(window.get(), QPoint(30, 330));
    EXPECT_EQ(info(*window)->text(), MainWindow::InfoStart);
}

} // namespace

#include "config/ConfigurationFile.h"
#include "config/windows/OpenWindow.h"
#include "config/windows/SaveWindow.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>

namespace {

class MainWindowFiles : public MainWindowWide {
  protected:
    void SetUp() override {
        MainWindowWide::SetUp();
        previousDir = QDir::currentPath();
        QDir::setCurrent(programDir.path());
    }
    void TearDown() override {
        QDir::setCurrent(previousDir);
        MainWindowWide::TearDown();
    }

    // Clicks a command button whose window is then driven by `drive` once it is on screen.
    template <class Window, class Drive> void runWindow(const QString &command, Drive drive) {
        driveWhenShown<Window>(drive, 200);
        commandButton(*window, command)->click();
    }

    // Waits for the window to be on screen, then drives it; a window that never shows leaves
    // the test to fail rather than to hang.
    template <class Window, class Drive> static void driveWhenShown(Drive drive, int attempts) {
        QTimer::singleShot(10, [drive, attempts] {
            if (auto *w = qobject_cast<Window *>(QApplication::activeModalWidget()))
                drive(w);
            else if (attempts > 0)
                driveWhenShown<Window>(drive, attempts - 1);
        });
    }

    QString previousDir;
};

TEST_F(MainWindowFiles, StartupSituationSavedAndReopenedGivesTheSameBenchAndFigure) {
    const bench::BenchState startup = window->bench();
    const QImage startupPicture = window->figurePicture();
    runWindow<config::SaveWindow>(QStringLiteral("Command11"), [](config::SaveWindow *w) {
        child<QLineEdit>(*w, "Text1")->setText(QStringLiteral("situation"));
        child<QPushButton>(*w, "Command1")->click();
    });
    const QString path = QDir(programDir.path()).filePath(QStringLiteral("situation.P09"));
    ASSERT_TRUE(QFile::exists(path));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Focalines - ") + path);
    EXPECT_EQ(window->currentFileName(), path);

    // Change the bench, then reopen the saved situation.
    check1(*window, bench::TwoLenses)->click();
    onglets(*window)->selectTab(3);
    commandp(*window, 1)->click();
    hscroll(*window, 2)->setValue(60);
    runWindow<config::OpenWindow>(QStringLiteral("Command2"), [path](config::OpenWindow *w) {
        child<QLineEdit>(*w, "ficharge")->setText(path);
        child<QPushButton>(*w, "Command1")->click();
    });
    EXPECT_EQ(window->bench().fields, startup.fields);
    EXPECT_EQ(window->bench().options, startup.options);
    EXPECT_EQ(window->bench().precisionIndex, 0);
    EXPECT_EQ(text1(*window, bench::Lens1Position)->text(), QStringLiteral("15,0"));
    EXPECT_FALSE(text1(*window, bench::Lens2Position)->isVisibleTo(panel(*window, 2)));
    EXPECT_EQ(hscroll(*window, 2)->value(), 80);
    EXPECT_EQ(label(*window, 4)->text(), QStringLiteral("-1"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Focalines - ") + path);
    EXPECT_EQ(window->figurePicture(), startupPicture);
}

TEST_F(MainWindowFiles, RefusedFilesChangeNothingAndSayWhy) {
    check1(*window, bench::TwoLenses)->click();
    const bench::BenchState before = window->bench();
    const QImage picture = window->figurePicture();

    QByteArray good = *config::configurationBytes(window->bench());
    QByteArray lowerMagic = good;
    lowerMagic.replace(2, 9, "focalines");
    const QByteArray truncated = good.left(20 * 128);
    QByteArray outOfRange = good;
    outOfRange.replace(7 * 128, 8,
                       QByteArray("\x04\x00"
                                  "9999",
                                  6)); // HScroll3 = 9999, above 300
    const struct {
        QByteArray bytes;
        QString message;
    } cases[] = {
        {lowerMagic, QStringLiteral("Fichier non valide|Ce fichier ne correspond pas à cette "
                                    "application")},
        {truncated,
         QStringLiteral("Erreur lors du chargement du fichier|Lecture impossible sur disque")},
        {outOfRange,
         QStringLiteral("Erreur lors du chargement du fichier|Lecture impossible sur disque")},
    };
    const QString path = QDir(programDir.path()).filePath(QStringLiteral("refus.P09"));
    for (const auto &c : cases) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(c.bytes);
        f.close();
        answerNextMessageBox(QMessageBox::Ok);
        window->openConfiguration(path);
        EXPECT_EQ(answeredBoxes.last(), c.message);
        EXPECT_EQ(window->bench().fields, before.fields);
        EXPECT_EQ(window->bench().options, before.options);
        EXPECT_EQ(window->windowTitle(), QStringLiteral("Focalines"));
        EXPECT_EQ(window->currentFileName(), QString());
        EXPECT_EQ(window->figurePicture(), picture);
    }
    answerNextMessageBox(QMessageBox::Ok);
    window->openConfiguration(path + QStringLiteral(".absent"));
    EXPECT_EQ(answeredBoxes.last(),
              QStringLiteral("impossible d'ouvrir ce fichier|Nom de fichier incorrect ou chemin "
                             "non valide"));
}

TEST_F(MainWindowFiles, AfterARefusedFileTheSaveWindowOffersTheLastGoodFile) {
    const QString good = QDir(programDir.path()).filePath(QStringLiteral("bon.P09"));
    const QString foreign = QDir(programDir.path()).filePath(QStringLiteral("autre.P09"));
    ASSERT_FALSE(config::saveConfiguration(window->bench(), good).has_value());
    QFile f(foreign);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(40 * 128, 'x'));
    f.close();
    for (const QString &path : {good, foreign}) {
        if (path == foreign) answerNextMessageBox(QMessageBox::Ok);
        runWindow<config::OpenWindow>(QStringLiteral("Command2"), [path](config::OpenWindow *w) {
            child<QLineEdit>(*w, "ficharge")->setText(path);
            child<QPushButton>(*w, "Command1")->click();
        });
    }
    EXPECT_EQ(answeredBoxes.size(), 1);
    EXPECT_EQ(window->currentFileName(), good);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Focalines - ") + good);
    QString offered;
    runWindow<config::SaveWindow>(QStringLiteral("Command11"), [&offered](config::SaveWindow *w) {
        offered = child<QLineEdit>(*w, "Text1")->text();
        child<QPushButton>(*w, "Command2")->click();
    });
    EXPECT_EQ(offered, good);
}

} // namespace

namespace {

TEST_F(MainWindowFiles, AFieldBeingTypedIsSavedWithItsText) {
    mainwindow::FieldEdit *height = text1(*window, bench::ObjectHeight);
    height->setFocus();
    height->selectAll();
    QTest::keyClicks(height, QStringLiteral("2.25"));
    const QString path = QDir(programDir.path()).filePath(QStringLiteral("saisie.P09"));
    window->setCurrentFileName(path);
    ASSERT_FALSE(config::saveConfiguration(window->benchForSaving(), path).has_value());
    const auto saved = config::readConfiguration(path);
    ASSERT_TRUE(std::holds_alternative<config::Configuration>(saved));
    EXPECT_EQ(std::get<config::Configuration>(saved).fields[bench::ObjectHeight],
              QStringLiteral("2,25"));
}

// A click on a command button or on the figure, and a command's mnemonic, validate a field
// being typed before the command runs.
TEST_F(MainWindowFiles, CommandsActOnTheBenchTheUserSees) {
    const QString saved = QDir(programDir.path()).filePath(QStringLiteral("vu.P09"));
    auto copy = [this] {
        QTest::mouseClick(commandButton(*window, QStringLiteral("Command4")), Qt::LeftButton);
    };
    auto mnemonic = [this] {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_P, Qt::AltModifier);
        QTRY_VERIFY(!commandButton(*window, QStringLiteral("Command4"))->isDown());
    };
    auto clickFigure = [this] {
        QTest::mouseClick(figure(*window), Qt::LeftButton, {}, QPoint(760, 10));
    };
    auto save = [this] {
        QFile::remove(QDir(programDir.path()).filePath(QStringLiteral("vu.P09")));
        runWindow<config::SaveWindow>(QStringLiteral("Command11"), [](config::SaveWindow *w) {
            child<QLineEdit>(*w, "Text1")->setText(QStringLiteral("vu"));
            child<QPushButton>(*w, "Command1")->click();
        });
    };
    const struct {
        const char *what;
        std::function<void()> act;
        QString typed, shown;
        bool copies, saves;
    } cases[] = {
        {"click on Copier", copy, QStringLiteral("30"), QStringLiteral("30,0"), true, false},
        {"Alt+P", mnemonic, QStringLiteral("25"), QStringLiteral("25,0"), true, false},
        {"click on the figure", clickFigure, QStringLiteral("35"), QStringLiteral("35,0"), false,
         false},
        {"Enregistrer", save, QStringLiteral("28"), QStringLiteral("28,0"), false, true},
        {"Enregistrer, field emptied", save, QString(), QStringLiteral("5,0"), false, true},
    };
    onglets(*window)->selectTab(2);
    mainwindow::FieldEdit *l1 = text1(*window, bench::Lens1Position);
    for (const auto &c : cases) {
        const QImage before = window->figurePicture();
        // A closed modal window gives the activation back to the main window.
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get())) << c.what;
        l1->setFocus();
        l1->selectAll();
        QTest::keyClick(l1, Qt::Key_Backspace);
        QTest::keyClicks(l1, c.typed);
        c.act();
        EXPECT_EQ(l1->text(), c.shown) << c.what;
        EXPECT_FALSE(l1->hasFocus()) << c.what;
        EXPECT_EQ(window->bench().fields[bench::Lens1Position], c.shown) << c.what;
        EXPECT_NE(window->figurePicture(), before) << c.what;
        if (c.copies) {
            EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
                      window->figurePicture().convertToFormat(QImage::Format_RGB32))
                << c.what;
        }
        if (c.saves) {
            const auto read = config::readConfiguration(saved);
            ASSERT_TRUE(std::holds_alternative<config::Configuration>(read)) << c.what;
            EXPECT_EQ(std::get<config::Configuration>(read).fields[bench::Lens1Position], c.shown)
                << c.what;
        }
    }
}

TEST(MainWindowHandOver, AnUnwritableHandOverFileIsSkippedSilently) {
    startApplication(oneScreen(1920, 1080));
    mainwindow::MainWindow window({QStringLiteral("/nonexistent/focalines/")});
    window.show();
    window.formActivate();
    EXPECT_EQ(window.exerciseRequestFile().readRecord(23), QString());
    EXPECT_EQ(label3(window, 0)->text(), QStringLiteral("45,0 cm"));
}

} // namespace

namespace {

// Another window taking the activation (a message box, another program) is not the user leaving
// the field: only a focus moved within the window validates it.
TEST_F(MainWindowWide, AFieldIsValidatedOnlyWhenTheFocusMovesWithinTheWindow) {
    const struct {
        Qt::FocusReason reason;
        bool validates;
    } cases[] = {
        {Qt::ActiveWindowFocusReason, false}, {Qt::PopupFocusReason, false},
        {Qt::MouseFocusReason, true},         {Qt::TabFocusReason, true},
        {Qt::ShortcutFocusReason, true},      {Qt::OtherFocusReason, true},
    };
    mainwindow::FieldEdit *height = text1(*window, bench::ObjectHeight);
    for (const auto &c : cases) {
        QSignalSpy spy(height, &mainwindow::FieldEdit::validationRequested);
        QFocusEvent out(QEvent::FocusOut, c.reason);
        QApplication::sendEvent(height, &out);
        EXPECT_EQ(spy.count(), c.validates ? 1 : 0) << c.reason;
    }
    height->setFocus();
    height->selectAll();
    QTest::keyClicks(height, QStringLiteral("2.25"));
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_EQ(height->text(), QStringLiteral("2,25"));
    EXPECT_EQ(label3(*window, 1)->text(), QStringLiteral("-6,0 cm"));
}

TEST_F(MainWindowWide, LeavingTheTabOfAFieldBeingTypedValidatesIt) {
    onglets(*window)->selectTab(2);
    mainwindow::FieldEdit *l1 = text1(*window, bench::Lens1Position);
    l1->setFocus();
    l1->selectAll();
    QTest::keyClicks(l1, QStringLiteral("2"));
    const int beeps = ui::beepCount();
    QTest::mouseClick(onglets(*window), Qt::LeftButton, {},
                      QPoint(onglets(*window)->layout().edges[3] - 5, 8));
    EXPECT_EQ(onglets(*window)->currentTab(), 3);
    EXPECT_EQ(ui::beepCount(), beeps + 1);
    EXPECT_EQ(l1->text(), QStringLiteral("5,0"));
}

} // namespace
