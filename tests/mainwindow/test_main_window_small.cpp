// The main window on a laptop's screen of 1366 × 768: only the zooms at which it fits are
// offered, and a zoom makes the window's pixels at its own size.

#include "MainWindowFixture.h"

#include "exercises/ExerciseMenu.h"
#include "mainwindow/WindowZoom.h"

#include <QBackingStore>
#include <QMenu>
#include <QScreen>
#include <QSettings>
#include <QTest>
#include <qpa/qplatformbackingstore.h>

namespace {

class MainWindowSmall : public MainWindowTest {
  protected:
    void SetUp() override {
        startApplication(oneScreen(1366, 768));
        MainWindowTest::SetUp();
    }
};

TEST_F(MainWindowSmall, OnlyTheZoomsThatFitAreOfferedAndEachMakesPixelsOfTheWindowsSize) {
    using mainwindow::zoom::percent;
    // At 150 % the window would be 1187 × 819.
    const struct {
        QKeySequence keys;
        int percent;
    } steps[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_Plus), 125},
        {QKeySequence(Qt::CTRL | Qt::Key_Plus), 125},
        {QKeySequence(Qt::CTRL | Qt::Key_Minus), 100},
        {QKeySequence(Qt::CTRL | Qt::Key_Equal), 125},
        {QKeySequence(Qt::CTRL | Qt::Key_0), 100},
    };
    for (const auto &s : steps) {
        QTest::keySequence(window.get(), s.keys);
        EXPECT_EQ(percent(), s.percent) << s.keys.toString().toStdString();
        EXPECT_TRUE(window->screen()->availableGeometry().contains(window->frameGeometry()));
        // The pixels behind the window, made at once, before any painting: its own size.
        const auto *pixels =
            dynamic_cast<QImage *>(window->backingStore()->handle()->paintDevice());
        ASSERT_NE(pixels, nullptr);
        EXPECT_EQ(pixels->size(), (QSizeF(window->size()) * s.percent / 100.0).toSize());
        // Painted again whole, the controls over the window's background too: a field is white.
        QApplication::processEvents();
        const mainwindow::FieldEdit *field = text1(*window, bench::ObjectHeight);
        ASSERT_TRUE(field->isVisible());
        const QPoint inField = field->mapTo(window.get(), QPoint(3, field->height() / 2));
        EXPECT_EQ(pixels->pixel(inField * s.percent / 100), qRgb(255, 255, 255));
    }

    // A zoom remembered from a larger screen: the next start takes the largest that fits.
    window.reset();
    QSettings().setValue(QStringLiteral("affichage/zoom"), 200);
    window = std::make_unique<mainwindow::MainWindow>(
        mainwindow::MainWindow::Options{programDir.path() + QLatin1Char('/')});
    EXPECT_EQ(percent(), 125);
    window->setZoom(100);
}

// A menu shown before a zoom is shown after it at the new ratio, whole: not drawn larger into
// the pixels it had, cut at its right and bottom.
TEST_F(MainWindowSmall, AMenuShownBeforeAZoomIsWholeAfterIt) {
    QMenu *menu = window->exerciseMenu()->menu();
    menu->popup(QPoint(10, 10));
    menu->repaint();
    menu->hide();
    QTest::keySequence(window.get(), QKeySequence(Qt::CTRL | Qt::Key_Plus));
    ASSERT_EQ(mainwindow::zoom::percent(), 125);
    menu->popup(QPoint(10, 10));
    menu->repaint();
    const auto *pixels = dynamic_cast<QImage *>(menu->backingStore()->handle()->paintDevice());
    ASSERT_NE(pixels, nullptr);
    const QSize whole = (QSizeF(menu->size()) * 1.25).toSize();
    EXPECT_GE(pixels->width(), whole.width());
    EXPECT_GE(pixels->height(), whole.height());
    menu->hide();
    window->setZoom(100);
}

} // namespace
