// Undo and redo, keyboard moves on the figure, and the figure's menu and clipboard formats, in
// the main window driven as a user drives it.

#include "MainWindowFixture.h"

#include "bench/BenchHistory.h"
#include "mainwindow/WindowZoom.h"
#include "config/ConfigurationFile.h"

#include <QAccessible>
#include <QBackingStore>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QSettings>
#include <QTest>

#include <functional>

using bench::sameInputs;
using mainwindow::FigureView;

namespace {

class Classroom : public MainWindowTest {
  protected:
    void SetUp() override {
        startApplication(oneScreen(1920, 1080));
        MainWindowTest::SetUp();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    // A key sent where the keyboard focus is, as the user types it.
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = {}) {
        QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : window.get();
        QTest::keyClick(target, k, modifiers);
    }

    // A whole drag of a handle: pressed, moved in steps, released.
    void drag(int handle, std::initializer_list<double> steps) {
        QWidget *h = figure(*window)->handle(handle);
        QTest::mousePress(h, Qt::LeftButton, {}, QPoint(5, 5));
        for (double x : steps) {
            const QPointF local(x, 5);
            QMouseEvent move(QEvent::MouseMove, local, h->mapToGlobal(local), Qt::NoButton,
                             Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(h, &move);
        }
        QTest::mouseRelease(h, Qt::LeftButton, {}, QPoint(5, 5));
    }

    // The panels show the bench the window holds.
    void expectPanelsShowBench() {
        for (int f = 0; f < bench::FieldCount; ++f)
            EXPECT_EQ(text1(*window, f)->text(), window->bench().fields[f]) << f;
        EXPECT_EQ(check1(*window, bench::ShowFoci)->isChecked(),
                  window->bench().option(bench::ShowFoci));
        EXPECT_EQ(hscroll(*window, 2)->value(), window->bench().lens1DiameterTenths);
    }
};

TEST_F(Classroom, EveryChangeIsOneStepThatUndoAndRedoGiveBackExactly) {
    QTemporaryDir dir;
    const QString saved = dir.filePath(QStringLiteral("autre.P09"));
    bench::BenchState other = bench::BenchState::startup();
    other.fields[bench::Lens1Focal] = QStringLiteral("7,5");
    ASSERT_FALSE(config::saveConfiguration(other, saved).has_value());

    const struct {
        const char *what;
        std::function<void()> change;
    } changes[] = {
        {"field", [&] { typeAndEnter(bench::Lens1Focal, QStringLiteral("12")); }},
        {"switch", [&] { check1(*window, bench::ShowFoci)->click(); }},
        {"slider", [&] { hscroll(*window, 2)->setValue(hscroll(*window, 2)->value() - 20); }},
        {"precision", [&] { commandp(*window, 1)->click(); }},
        {"axis length", [&] { command3(*window, 1)->click(); }},
        {"drag", [&] { drag(FigureView::Lens1Handle, {20, 40, 60}); }},
        {"key held",
         [&] {
             figure(*window)->setFocus(Qt::TabFocusReason);
             QTest::keyPress(figure(*window), Qt::Key_Right);
             // X11 sends a release and a press for every repeat, both marked as repeats.
             for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease, QEvent::KeyPress,
                                       QEvent::KeyRelease, QEvent::KeyPress}) {
                 QKeyEvent repeat(type, Qt::Key_Right, Qt::NoModifier, QString(), true);
                 QApplication::sendEvent(figure(*window), &repeat);
             }
             QTest::keyRelease(figure(*window), Qt::Key_Right);
         }},
        {"configuration", [&] { window->openConfiguration(saved); }},
    };
    for (const auto &c : changes) {
        const bench::BenchState before = window->bench();
        const int steps = window->history().undoCount();
        c.change();
        const bench::BenchState after = window->bench();
        ASSERT_FALSE(sameInputs(before, after)) << c.what;
        // A drag and a key held down are one step each.
        EXPECT_EQ(window->history().undoCount(), std::min(steps + 1, 100)) << c.what;

        window->setFocus();
        const QString title = window->windowTitle();
        key(Qt::Key_Z, Qt::ControlModifier);
        EXPECT_TRUE(sameInputs(window->bench(), before)) << c.what;
        EXPECT_EQ(window->windowTitle(), title) << c.what;
        expectPanelsShowBench();
        key(Qt::Key_Y, Qt::ControlModifier);
        EXPECT_TRUE(sameInputs(window->bench(), after)) << c.what;
        key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier); // nothing left to redo
        EXPECT_TRUE(sameInputs(window->bench(), after)) << c.what;
        expectPanelsShowBench();
    }
}

TEST_F(Classroom, AFieldUndoesItsOwnTypingThenLeavesUndoToTheBench) {
    const bench::BenchState start = window->bench();
    typeAndEnter(bench::Lens1Focal, QStringLiteral("12"));
    mainwindow::FieldEdit *edit = text1(*window, bench::Lens1Focal);
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("5"));
    key(Qt::Key_Z, Qt::ControlModifier); // the typed 5
    EXPECT_EQ(edit->text(), QStringLiteral("12,0"));
    EXPECT_EQ(window->bench().fields[bench::Lens1Focal], QStringLiteral("12,0"));
    key(Qt::Key_Z, Qt::ControlModifier); // nothing typed left: the validated 12
    EXPECT_TRUE(sameInputs(window->bench(), start));
    EXPECT_EQ(edit->text(), start.fields[bench::Lens1Focal]);
}

TEST_F(Classroom, TabSelectsTheElementsAndArrowsMoveThemByPrecisionUnits) {
    check1(*window, bench::TwoLenses)->click();
    FigureView *view = figure(*window);
    view->setFocus(Qt::TabFocusReason);
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int selected;
        const char *object, *lens1, *lens2;
    } steps[] = {
        {Qt::Key_Right, {}, FigureView::ObjectHandle, "0,1", "15,0", "48,0"},
        {Qt::Key_Right, Qt::ShiftModifier, FigureView::ObjectHandle, "1,1", "15,0", "48,0"},
        {Qt::Key_Tab, {}, FigureView::Lens1Handle, "1,1", "15,0", "48,0"},
        {Qt::Key_Left, {}, FigureView::Lens1Handle, "1,1", "14,9", "48,0"},
        {Qt::Key_Tab, {}, FigureView::Lens2Handle, "1,1", "14,9", "48,0"},
        // The position rules of a drag: L2 stops just right of L1.
        {Qt::Key_Left, Qt::ShiftModifier, FigureView::Lens2Handle, "1,1", "14,9", "47,0"},
        {Qt::Key_Backtab, Qt::ShiftModifier, FigureView::Lens1Handle, "1,1", "14,9", "47,0"},
    };
    for (const auto &s : steps) {
        key(s.key, s.modifiers);
        EXPECT_TRUE(view->hasFocus()) << s.object;
        EXPECT_EQ(view->selectedHandle(), s.selected);
        EXPECT_EQ(window->bench().fields[bench::ObjectPosition], s.object);
        EXPECT_EQ(window->bench().fields[bench::Lens1Position], s.lens1);
        EXPECT_EQ(window->bench().fields[bench::Lens2Position], s.lens2);
    }
    for (int i = 0; i < 40; ++i) key(Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(window->bench().fields[bench::Lens1Position], QStringLiteral("1,2"));

    // Past the last element, Tab leaves the figure; with one lens, L2 is skipped.
    check1(*window, bench::TwoLenses)->click();
    view->setFocus(Qt::BacktabFocusReason);
    EXPECT_EQ(view->selectedHandle(), FigureView::Lens1Handle);
    key(Qt::Key_Tab);
    EXPECT_FALSE(view->hasFocus());

    const char *names[] = {"Objet AB", "Lentille L1", "Lentille L2"};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(QAccessible::queryAccessibleInterface(view->handle(i))->text(QAccessible::Name),
                  QString::fromUtf8(names[i]));
}

// The window hands the figure the focus when it is activated: the start-up window, and every
// picture of it, show the figure as drawn until the user comes to the figure.
TEST_F(Classroom, TheSelectionFrameShowsOnlyOnceTheUserComesToTheFigure) {
    FigureView *view = figure(*window);
    const auto framed = [view] {
        return view->grab().toImage().convertToFormat(QImage::Format_RGB32) !=
               view->picture().convertToFormat(QImage::Format_RGB32);
    };
    view->setFocus(Qt::ActiveWindowFocusReason);
    ASSERT_TRUE(view->hasFocus());
    EXPECT_FALSE(framed()) << "start-up";
    const struct {
        const char *what;
        std::function<void()> act;
        bool framed;
        int selected;
    } steps[] = {
        {"arrow key", [&] { key(Qt::Key_Right); }, true, FigureView::ObjectHandle},
        {"field", [&] { text1(*window, 0)->setFocus(Qt::OtherFocusReason); }, false, 0},
        {"activation", [&] { view->setFocus(Qt::ActiveWindowFocusReason); }, false, 0},
        // Tab from a figure that has the focus only from the activation enters it.
        {"Tab", [&] { key(Qt::Key_Tab); }, true, FigureView::ObjectHandle},
        {"another window",
         [&] {
             QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
             QApplication::sendEvent(view, &out);
             view->setFocus(Qt::ActiveWindowFocusReason);
         },
         true, 0},
        {"click",
         [&] {
             text1(*window, 0)->setFocus(Qt::OtherFocusReason);
             view->setFocus(Qt::ActiveWindowFocusReason);
             QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(400, 20));
         },
         true, 0},
    };
    for (const auto &s : steps) {
        s.act();
        EXPECT_EQ(framed(), s.framed) << s.what;
        if (s.framed) {
            EXPECT_EQ(view->selectedHandle(), s.selected) << s.what;
        }
    }
}

TEST_F(Classroom, TheFigureMenuCopiesAndSavesTheFigureInTheFormatItsNameSays) {
    FigureView *view = figure(*window);
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(300, 100),
                                 view->mapToGlobal(QPoint(300, 100)));
    QApplication::sendEvent(view, &rightClick);
    auto *menu = child<QMenu>(*window, "figureMenu");
    ASSERT_TRUE(menu->isVisible());
    QStringList captions;
    for (QAction *a : menu->actions()) captions << a->text();
    EXPECT_EQ(captions, (QStringList{QStringLiteral("Copier la figure"),
                                     QString::fromUtf8("Enregistrer la figure sous…")}));
    menu->hide();

    // "Copier la figure" is "Copier": a picture, and an SVG of the figure's size beside it.
    menu->actions().at(0)->trigger();
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(data->hasImage());
    EXPECT_EQ(qvariant_cast<QImage>(data->imageData()).convertToFormat(QImage::Format_RGB32),
              window->figurePicture().convertToFormat(QImage::Format_RGB32));
    EXPECT_TRUE(data->data(QStringLiteral("image/svg+xml"))
                    .contains(QStringLiteral("viewBox=\"0 0 %1 265\"").arg(view->width()).toUtf8()));
    EXPECT_EQ(info(*window)->text(), mainwindow::MainWindow::CopyMessage);

    QTemporaryDir dir;
    const struct {
        const char *name, *start;
    } files[] = {{"figure.png", "\x89PNG"},
                 {"figure.SVG", "<?xml"},
                 {"figure.pdf", "%PDF-"},
                 {"photo.jpg", "\xFF\xD8\xFF"},
                 {"photo.JPEG", "\xFF\xD8\xFF"}};
    for (const auto &f : files) {
        const QString path = dir.filePath(QString::fromLatin1(f.name));
        window->chooseFigureFile = [path](QWidget *) { return path; };
        menu->actions().at(1)->trigger();
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << f.name;
        EXPECT_TRUE(file.readAll().startsWith(f.start)) << f.name;
    }
    EXPECT_EQ(QImage(dir.filePath(QStringLiteral("figure.png"))).size(),
              QSize(view->width(), FigureView::FigureHeight));

    // A folder that cannot be written: a French message, and the old file is not touched.
    window->chooseFigureFile = [&dir](QWidget *) { return dir.filePath("absent/figure.png"); };
    answerNextMessageBox(QMessageBox::Ok);
    menu->actions().at(1)->trigger();
    EXPECT_EQ(answeredBoxes,
              QStringList(QString::fromUtf8(
                  "Enregistrer la figure|Impossible d'écrire le fichier « figure.png ».")));
    // A name whose extension is no kind of figure file: refused, nothing written.
    window->chooseFigureFile = [&dir](QWidget *) { return dir.filePath("figure.bmp"); };
    answerNextMessageBox(QMessageBox::Ok);
    menu->actions().at(1)->trigger();
    EXPECT_EQ(answeredBoxes.size(), 2);
    EXPECT_TRUE(answeredBoxes.value(1).contains(QStringLiteral("« figure.bmp »")));
    EXPECT_FALSE(QFile::exists(dir.filePath("figure.bmp")));
    // Cancelled: nothing happens.
    window->chooseFigureFile = [](QWidget *) { return QString(); };
    menu->actions().at(1)->trigger();
    EXPECT_EQ(answeredBoxes.size(), 2);
}

TEST_F(Classroom, ZoomScalesTheWindowSharplyByStepsAndIsRemembered) {
    const QSize size = window->size();
    const struct {
        QKeySequence keys;
        int percent;
    } steps[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_Plus), 125},
        {QKeySequence(Qt::CTRL | Qt::Key_Equal), 150},
        // At 200 % the window would be taller than the screen's 1080 pixels.
        {QKeySequence(Qt::CTRL | Qt::Key_Plus), 175},
        {QKeySequence(Qt::CTRL | Qt::Key_Plus), 175},
        {QKeySequence(Qt::CTRL | Qt::Key_Plus), 175},
        {QKeySequence(Qt::CTRL | Qt::Key_Minus), 150},
        {QKeySequence(Qt::CTRL | Qt::Key_0), 100},
        {QKeySequence(Qt::CTRL | Qt::Key_Minus), 100},
        {QKeySequence(Qt::CTRL | Qt::Key_Plus), 125},
    };
    for (const auto &s : steps) {
        QTest::keySequence(window.get(), s.keys);
        EXPECT_EQ(mainwindow::zoom::percent(), s.percent) << s.keys.toString().toStdString();
        // Drawn at the zoom's resolution, in the same layout.
        EXPECT_DOUBLE_EQ(window->devicePixelRatioF(), s.percent / 100.0);
        EXPECT_DOUBLE_EQ(window->figurePicture().devicePixelRatio(), s.percent / 100.0);
        EXPECT_EQ(window->size(), size);
        EXPECT_EQ(QSettings().value(QStringLiteral("affichage/zoom")).toInt(), s.percent);
        // The window's pixels are made again at the zoom's resolution.
        window->repaint();
        const auto *pixels = dynamic_cast<QImage *>(window->backingStore()->paintDevice());
        ASSERT_NE(pixels, nullptr);
        EXPECT_EQ(pixels->size(), (QSizeF(size) * s.percent / 100.0).toSize());
    }

    // The next run starts at the zoom of the last one.
    window.reset();
    mainwindow::zoom::setPercent(100);
    window = std::make_unique<mainwindow::MainWindow>(
        mainwindow::MainWindow::Options{programDir.path() + QLatin1Char('/')});
    EXPECT_EQ(mainwindow::zoom::percent(), 125);
    window->setZoom(100);
    EXPECT_DOUBLE_EQ(window->devicePixelRatioF(), 1);
}

} // namespace
