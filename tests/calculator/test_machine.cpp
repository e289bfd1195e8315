#include "calculator/Messages.h"
#include "calculator/window/Machine.h"
#include "calculator/window/MachineWindow.h"

#include "support/TestSupport.h"

#include <QApplication>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using calculator::Machine;

namespace {

QString u8(const char *s) {
    return QString::fromUtf8(s);
}

class CountingMachine : public Machine {
  public:
    int beeps = 0;

  protected:
    void beep() override { ++beeps; }
};

class MachineTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ensureApplication<QApplication>();
        Machine::kept() = {};
        machine = std::make_unique<CountingMachine>();
        machine->show();
    }

    QPushButton *key(const char *name) {
        auto *k = machine->findChild<QPushButton *>(QString::fromLatin1(name));
        EXPECT_NE(k, nullptr) << name;
        return k;
    }
    void press(std::initializer_list<const char *> names) {
        for (const char *n : names)
            if (QPushButton *k = key(n)) QTest::mouseClick(k, Qt::LeftButton);
    }
    QRadioButton *option(const char *name) {
        return machine->findChild<QRadioButton *>(QString::fromLatin1(name));
    }
    QPlainTextEdit *display() { return machine->findChild<QPlainTextEdit *>("z1"); }
    QString shown() { return display()->toPlainText(); }

    std::unique_ptr<CountingMachine> machine;
};

struct Sequence {
    std::vector<const char *> keys;
    const char *display; // UTF-8
    const char *buffer;
};

} // namespace

TEST_F(MachineTest, KeypadSequences) {
    const Sequence rows[] = {
        {{"B2", "plus", "B3", "EXE"}, " 5", ""},
        // The last answer is carried into the next calculation.
        {{"B2", "plus", "B3", "EXE", "multip", "B2", "EXE"}, " 10", ""},
        {{"B3", "EXE", "btcarre", "EXE"}, " 9", ""},
        {{"B3", "EXE", "plus"}, "3 + ", "3 + "},
        // Implicit multiplication before functions, "(" and constants.
        {{"B2", "bsin"}, "2 * sin ", "2 * sin "},
        {{"B2", "Bpo"}, "2 * (", "2 * ("},
        {{"B2", "plus", "bsin"}, "2 + sin ", "2 + sin "},
        {{"Bpo", "Btoncommande3"}, "(invTAN ", "(invTAN "},
        {{"B2", "pi"}, "2 * 3.14159265358979", "2 * 3.14159265358979"},
        {{"B2", "Command5", "B4", "EXE"}, " .5", ""},
        {{"B10x", "B3", "EXE"}, " 1000", ""},
        {{"Bln", "Bexp", "B2", "EXE"}, " 2", ""},
        {{"racine", "B9", "EXE"}, " 3", ""},
        {{"B2", "puissance", "B1", "B0", "EXE"}, " 1024", ""},
        // Signs and exponents.
        {{"moins", "B5", "EXE"}, "-5", ""},
        {{"B5", "moins", "moins", "B3"}, "5 - -3", "5 - -3"},
        {{"B5", "moins", "moins", "B3", "EXE"}, " 8", ""},
        {{"B1", "BtoEXP", "moins", "B3"}, "1E-3", "1E-3"},
        {{"B1", "BtoEXP", "plus", "B3"}, "1E+3", "1E+3"},
        {{"B5", "kilo", "EXE"}, " 5000", ""},
        {{"B2", "micro", "multip", "B3", "tera"}, "2E-6 * 3E+12", "2E-6 * 3E+12"},
        {{"B1", "Bpoint", "B5", "mega", "EXE"}, " 1500000", ""},
        {{"Bpo", "moins"}, "(-", "(-"},
        // Angles: radians at start.
        {{"B3", "B0", "bsin", "EXE"}, "Calcul impossible", "30 * sin "},
        {{"bsin", "B3", "B0", "EXE"}, "-.988031624092862", ""},
        {{"EXE"}, " 0", ""},
        // Backspace: a character, a spaced operator, a function name.
        {{"B2", "Bcos", "EFFACE"}, "2 * ", "2 * "},
        {{"B2", "Bcos", "EFFACE", "EFFACE"}, "2", "2"},
        {{"B2", "Bcos", "EFFACE", "EFFACE", "EFFACE"}, "", ""},
        {{"invcos", "EFFACE"}, "", ""},
        {{"Bpo", "bsin", "EFFACE"}, "(", "("},
        {{"B1", "B2", "EFFACE"}, "1", "1"},
        // "*", "/" and "+" need something on display; "AC" clears it but keeps the answer.
        {{"multip", "div", "plus"}, "", ""},
        {{"B7", "EXE", "RAZ"}, "", ""},
        {{"B7", "EXE", "RAZ", "ANS", "div", "B7", "EXE"}, " 1", ""},
    };
    for (const Sequence &row : rows) {
        Machine::kept() = {};
        machine = std::make_unique<CountingMachine>();
        machine->show();
        for (const char *k : row.keys)
            press({k});
        std::string keys;
        for (const char *k : row.keys)
            keys += std::string(k) + " ";
        EXPECT_EQ(shown(), u8(row.display)) << keys;
        EXPECT_EQ(machine->expressionBuffer(), u8(row.buffer)) << keys;
        EXPECT_EQ(machine->beeps, u8(row.display) == "Calcul impossible" ? 1 : 0) << keys;
    }
}

TEST_F(MachineTest, ErrorsShowAMessageBeepAndGiveTheExpressionBack) {
    struct Row {
        std::vector<const char *> keys;
        const char *message;
        const char *buffer;
    };
    const Row rows[] = {
        {{"B1", "div", "B0", "EXE"}, "Calcul impossible", "1 / 0"},
        {{"Bpo", "B2", "EXE"}, "Erreur saisie: revoir les parenthèses", "(2"},
        {{"B2", "multip", "EXE"},
         "Erreur saisie: incompréhension sur opérateurs: ^ * / + -",
         "2 * "},
    };
    for (const Row &row : rows) {
        machine = std::make_unique<CountingMachine>();
        for (const char *k : row.keys)
            press({k});
        EXPECT_EQ(shown(), u8(row.message));
        EXPECT_EQ(machine->expressionBuffer(), row.buffer);
        EXPECT_EQ(machine->beeps, 1);
        EXPECT_NE(Machine::kept().lastError, 0);
        EXPECT_EQ(Machine::kept().lastAnswer, u8(row.message));
    }
    // "ANS" after an error inserts nothing; the failed expression is corrected and evaluated.
    machine = std::make_unique<CountingMachine>();
    press({"B1", "div", "B0", "EXE", "ANS"});
    EXPECT_EQ(machine->expressionBuffer(), "1 / 0");
    press({"EFFACE", "B4", "EXE"});
    EXPECT_EQ(shown(), " .25");
    EXPECT_EQ(Machine::kept().lastError, 0);
}

TEST_F(MachineTest, OverflowOfTheResult) {
    press({"B1", "BtoEXP", "B4", "B0", "B0", "EXE"});
    EXPECT_EQ(shown(), u8(calculator::OverflowText));
    EXPECT_EQ(machine->beeps, 1);
    EXPECT_EQ(Machine::kept().lastError, 0);
    EXPECT_EQ(Machine::kept().lastAnswer, u8(calculator::OverflowText));
    EXPECT_TRUE(machine->expressionBuffer().isEmpty());
    // The message is no answer: "ANS" and "+" insert nothing, a format change leaves it.
    QTest::mouseClick(option("C0"), Qt::LeftButton);
    EXPECT_EQ(shown(), u8(calculator::OverflowText));
    press({"plus"});
    EXPECT_EQ(machine->expressionBuffer(), " + ");
}

TEST_F(MachineTest, ScientificAndStandardFormats) {
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    QTest::mouseClick(option("C0"), Qt::LeftButton);
    press({"B1", "B2", "B3", "B4", "B5", "EXE"});
    EXPECT_EQ(shown(), "1.2345E+04");
    press({"Bpoint", "B5", "EXE"});
    EXPECT_EQ(shown(), "5.E-01");
    press({"B1", "div", "B3", "EXE"});
    EXPECT_EQ(shown(), "3.3333333E-01");

    // A shown result changes format; the last answer itself stays as it was shown.
    QTest::mouseClick(option("C1"), Qt::LeftButton);
    EXPECT_EQ(shown(), " .33333333");
    EXPECT_EQ(Machine::kept().lastAnswer, "3.3333333E-01");
    QTest::mouseClick(option("C0"), Qt::LeftButton);
    EXPECT_EQ(shown(), "3.3333333E-01");
    // Not while an expression is being keyed in.
    press({"B7"});
    QTest::mouseClick(option("C1"), Qt::LeftButton);
    EXPECT_EQ(shown(), "7");
    QLocale::setDefault(QLocale::c());
}

TEST_F(MachineTest, MemoryKeys) {
    press({"B5", "EXE", "Command1"});
    EXPECT_EQ(shown(), " 5");
    EXPECT_EQ(Machine::kept().memoryValue, 5);
    press({"Command1", "RAZ", "Command3"});
    EXPECT_EQ(machine->expressionBuffer(), "10");
    press({"EXE", "Command2", "Command2"});
    EXPECT_EQ(Machine::kept().memoryValue, -10);
    QTest::mouseClick(option("C0"), Qt::LeftButton);
    press({"RAZ", "Command3"});
    EXPECT_EQ(machine->expressionBuffer(), "-1.E+01");
    // An error message reads as 0.
    press({"RAZ", "B1", "div", "B0", "EXE", "Command1"});
    EXPECT_EQ(Machine::kept().memoryValue, -10);
    press({"Command4"});
    EXPECT_EQ(Machine::kept().memoryValue, 0);
    EXPECT_EQ(machine->beeps, 1);
}

TEST_F(MachineTest, MemoryOverflowIsRefused) {
    Machine::kept().memoryValue = 1e308;
    press({"B1", "BtoEXP", "B3", "B0", "B8", "Command1"});
    EXPECT_EQ(shown(), u8(calculator::OverflowText));
    EXPECT_EQ(machine->beeps, 1);
    EXPECT_EQ(Machine::kept().memoryValue, 1e308);
    // The expression being keyed in is still there.
    press({"B0"});
    EXPECT_EQ(shown(), "1E3080");
    press({"Command2"});
    EXPECT_EQ(machine->beeps, 2);
    EXPECT_EQ(Machine::kept().memoryValue, 1e308);
}

TEST_F(MachineTest, DegreesAndRadians) {
    QTest::mouseClick(option("angle0"), Qt::LeftButton);
    press({"bsin", "B3", "B0", "EXE"});
    EXPECT_EQ(shown(), " .5");
    press({"invsin", "B1", "EXE"});
    EXPECT_EQ(shown(), " 90");
    QTest::mouseClick(option("angle1"), Qt::LeftButton);
    EXPECT_EQ(shown(), " 90"); // nothing happens until the next evaluation
    press({"invsin", "B1", "EXE"});
    EXPECT_EQ(shown(), " 1.5707963267949");
}

TEST_F(MachineTest, Keyboard) {
    QPlainTextEdit *z1 = display();
    QTest::keyClicks(z1, "2+3*(4");
    EXPECT_EQ(machine->expressionBuffer(), "2 + 3 * (4");
    QTest::keyClicks(z1, ")-1/2^e");
    EXPECT_EQ(machine->expressionBuffer(), "2 + 3 * (4) - 1 / 2 ^ E");
    QTest::keyClick(z1, Qt::Key_Backspace);
    QTest::keyClicks(z1, "2x");
    QTest::keyClick(z1, Qt::Key_Return);
    EXPECT_EQ(shown(), " 13.75");
    QTest::keyClicks(z1, "*2");
    EXPECT_EQ(machine->expressionBuffer(), "13.75 * 2");
    QTest::keyClicks(z1, "(1d2");
    EXPECT_EQ(machine->expressionBuffer(), "13.75 * 2 * (1E2");
    machine->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(machine.get()));
    // The keys' mnemonics click them (after the short press animation).
    QTest::keyClick(z1, Qt::Key_S, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return machine->expressionBuffer().endsWith("sin "); }));
    QTest::keyClick(z1, Qt::Key_N, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return machine->expressionBuffer().endsWith("ln "); }));
    EXPECT_EQ(machine->expressionBuffer(), "13.75 * 2 * (1E2 * sin ln ");
    QTest::keyClick(z1, Qt::Key_Backspace);
    QTest::keyClick(z1, Qt::Key_Backspace);
    // Escape does not close the window.
    QTest::keyClick(z1, Qt::Key_Escape);
    EXPECT_TRUE(machine->isVisible());
    // Keys typed while an option button has the focus reach the same handler.
    machine->findChild<QRadioButton *>("C1")->setFocus();
    QTest::keyClick(machine->findChild<QRadioButton *>("C1"), Qt::Key_Enter);
    EXPECT_EQ(shown(), "Erreur saisie: revoir les parenthèses");
}

TEST_F(MachineTest, WaitingTextIsShownDuringTheEvaluation) {
    QStringList texts;
    QObject::connect(display(), &QPlainTextEdit::textChanged,
                     [&] { texts << display()->toPlainText(); });
    press({"B4", "EXE"});
    ASSERT_GE(texts.size(), 3);
    EXPECT_EQ(texts[texts.size() - 2], u8(calculator::WaitingText));
    EXPECT_EQ(texts.back(), " 4");
}

TEST_F(MachineTest, KeysAndBackground) {
    // Every key lies inside the window and no two keys overlap.
    const auto keys = machine->findChildren<QPushButton *>();
    EXPECT_EQ(keys.size(), 49);
    for (QPushButton *a : keys) {
        EXPECT_TRUE(machine->rect().contains(a->geometry())) << a->objectName().toStdString();
        for (QPushButton *b : keys) {
            if (a != b) {
                EXPECT_FALSE(a->geometry().intersects(b->geometry()))
                    << a->objectName().toStdString() << " " << b->objectName().toStdString();
            }
        }
    }
    EXPECT_EQ(key("EXE")->geometry(), QRect(256, 392, 33, 24));
    EXPECT_EQ(key("invsin")->geometry().topLeft(), QPoint(16, 192));
    EXPECT_EQ(key("div")->text(), u8("÷"));
    EXPECT_EQ(key("EFFACE")->toolTip(), u8("Effacer dernier caractère"));
    EXPECT_EQ(machine->size(), QSize(301, 430));
    EXPECT_EQ(machine->windowTitle(), u8("Machine à calculer"));

    const QImage image = machine->grab().toImage();
    EXPECT_EQ(image.pixelColor(4, 200), QColor(198, 248, 248));
    EXPECT_EQ(image.pixelColor(295, 200), QColor(52, 102, 102));
    EXPECT_EQ(image.pixelColor(1, 200), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(299, 200), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(206, 350), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(81, 350), QColor(0, 128, 128));
    EXPECT_EQ(image.pixelColor(150, 60), QColor(Qt::black)); // the display
}

TEST_F(MachineTest, ALongExpressionShowsItsEndWithoutAScrollBar) {
    for (int i = 0; i < 80; ++i)
        press({"B7", "plus"});
    press({"B9"});
    QApplication::processEvents();
    QPlainTextEdit *z1 = display();
    EXPECT_TRUE(shown().endsWith("9")) << shown().toStdString();
    EXPECT_FALSE(z1->verticalScrollBar()->isVisible());
    EXPECT_TRUE(z1->viewport()->rect().contains(z1->cursorRect()));
    // The right edge of the display, where a scroll bar would stand, stays black.
    const QImage image = z1->grab().toImage();
    for (int y = 4; y < image.height() - 4; y += 4)
        EXPECT_EQ(image.pixelColor(image.width() - 6, y), QColor(Qt::black)) << y;
}

TEST(MachineWindow, ClosingUnloadsButKeepsTheAnswerAndTheMemory) {
    ensureApplication<QApplication>();
    Machine::kept() = {};
    QPointer<Machine> seen;
    int opened = 0;
    const auto use = [&](std::vector<const char *> keys) {
        QTimer::singleShot(0, [&, keys] {
            auto *m = qobject_cast<Machine *>(QApplication::activeModalWidget());
            ASSERT_NE(m, nullptr);
            seen = m;
            ++opened;
            EXPECT_TRUE(m->findChild<QPlainTextEdit *>("z1")->toPlainText().isEmpty());
            EXPECT_TRUE(m->findChild<QRadioButton *>("angle1")->isChecked());
            EXPECT_TRUE(m->findChild<QRadioButton *>("C1")->isChecked());
            for (const char *k : keys)
                QTest::mouseClick(m->findChild<QAbstractButton *>(k), Qt::LeftButton);
            m->close();
        });
    };
    use({"B6", "EXE", "Command1", "C0"});
    calculator::showMachine(nullptr);
    EXPECT_TRUE(seen.isNull());
    EXPECT_EQ(Machine::kept().lastAnswer, " 6");
    EXPECT_EQ(Machine::kept().memoryValue, 6);

    use({"ANS", "plus", "Command3", "EXE"});
    calculator::showMachine(nullptr);
    EXPECT_EQ(opened, 2);
    EXPECT_EQ(Machine::kept().lastAnswer, " 12");
    calculator::unloadMachine(); // nothing loaded: nothing to do
}
