// The measurements window driven from the main window as a user drives it.

#include "MainWindowFixture.h"

#include "bench/BenchHistory.h"
#include "config/ConfigurationFile.h"
#include "config/RecordFile.h"
#include "exercises/ExerciseFile.h"
#include "exercises/ExerciseMenu.h"
#include "measure/MeasureTexts.h"
#include "measure/window/MeasureWindow.h"
#include "measure/window/SeriesWindow.h"
#include "ui/RecordingSurface.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

using measure::MeasureWindow;

namespace {

class MeasureWindowTest : public MainWindowTest {
  protected:
    void SetUp() override {
        startApplication(oneScreen(1920, 1080));
        MainWindowTest::SetUp();
        activateMain();
    }

    void activateMain() {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    // Types an object position, validates it and measures, all from the keyboard.
    void measureAt(const QString &position) {
        typeAndEnter(bench::ObjectPosition, position);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_M, Qt::ControlModifier);
    }
    MeasureWindow *measurements() const { return window->measureWindow(); }
    QTableView *table() const { return child<QTableView>(*measurements(), "tableau"); }
    int rowCount() const { return table()->model()->rowCount(); }
    QStringList row(int r) const {
        QStringList cells;
        for (int c = 0; c < measure::ColumnCount; ++c)
            cells << table()->model()->index(r, c).data().toString();
        return cells;
    }
};

TEST_F(MeasureWindowTest, KeyboardMeasurementsFillTheTableTheFitAndTheGraph) {
    measureAt(QStringLiteral("0"));
    ASSERT_TRUE(measurements());
    EXPECT_TRUE(measurements()->isVisible());
    // The keyboard stays in the main window for the next position.
    EXPECT_EQ(QApplication::activeWindow(), window.get());
    measureAt(QStringLiteral("2,5"));
    measureAt(QStringLiteral("4"));

    ASSERT_EQ(rowCount(), 3);
    EXPECT_EQ(row(0),
              (QStringList{"L1", "-15,0", "30,0", "3,0", "-6,0", "-2,00", "-6,67", "3,33"}));
    EXPECT_EQ(row(1),
              (QStringList{"L1", "-12,5", "50,0", "3,0", "-12,0", "-4,00", "-8,00", "2,00"}));
    EXPECT_EQ(row(2),
              (QStringList{"L1", "-11,0", "110,0", "3,0", "-30,0", "-10,00", "-9,09", "0,91"}));
    const auto fit = measurements()->fit();
    ASSERT_TRUE(fit && fit->focal());
    EXPECT_EQ(measure::fitLines(*fit)[0], QString::fromUtf8("1/OA' = 1,000 × 1/OA + 10,00"));
    EXPECT_NEAR(*fit->focal(), 10, 0.005);

    // Delete takes the row chosen away; the graph follows with two points and the line through
    // them.
    measurements()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(measurements()));
    table()->setFocus();
    table()->selectRow(1);
    QTest::keyClick(table(), Qt::Key_Delete);
    ASSERT_EQ(rowCount(), 2);
    EXPECT_EQ(row(1)[1], QStringLiteral("-11,0"));
    ui::RecordingSurface graph(460, 400);
    measure::drawGraph(measurements()->graph()->content(), graph);
    const auto strokes = [&](QRgb colour) {
        return std::count_if(graph.lines.begin(), graph.lines.end(),
                             [&](const auto &l) { return l.colour == colour; });
    };
    EXPECT_EQ(strokes(measure::GraphPointColour), 2 * 2);
    EXPECT_EQ(strokes(measure::GraphFitColour), 1);

    // Ctrl+M in the measurements window measures too; the clipboard takes the table.
    QTest::keyClick(table(), Qt::Key_M, Qt::ControlModifier);
    EXPECT_EQ(rowCount(), 3);
    child<QAbstractButton>(*measurements(), "copierTableau")->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              measure::clipboardTable(measurements()->rows()));
}

// A position being typed is measured as the figure shows it once validated; going over to the
// measurements window validates nothing, as a focus lost to another window never does, but
// offers L2 once the bench has two lenses.
TEST_F(MeasureWindowTest, AMeasurementValidatesThePositionBeingTyped) {
    window->showMeasurements(false);
    activateMain();
    auto *l2 = child<QRadioButton>(*measurements(), "lentille2");
    EXPECT_FALSE(l2->isEnabled());
    check1(*window, bench::TwoLenses)->click();
    mainwindow::FieldEdit *edit = text1(*window, bench::ObjectPosition);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("2,5"));
    const int steps = window->history().undoCount();
    QEvent activation(QEvent::ActivationChange);
    QApplication::sendEvent(measurements(), &activation);
    EXPECT_TRUE(l2->isEnabled());
    EXPECT_EQ(window->history().undoCount(), steps);
    EXPECT_EQ(label3(*window, 0)->text(), QStringLiteral("45,0 cm"));

    child<QAbstractButton>(*measurements(), "ajouter")->click();
    ASSERT_EQ(rowCount(), 1);
    EXPECT_EQ(row(0)[1], QStringLiteral("-12,5"));
    EXPECT_EQ(label3(*window, 0)->text(), QStringLiteral("65,0 cm"));
    EXPECT_EQ(window->history().undoCount(), steps + 1);
    // Measured again, the validated position costs no step and no redraw.
    const qint64 figure = window->figurePicture().cacheKey();
    child<QAbstractButton>(*measurements(), "ajouter")->click();
    EXPECT_EQ(window->history().undoCount(), steps + 1);
    EXPECT_EQ(window->figurePicture().cacheKey(), figure);
}

TEST_F(MeasureWindowTest, RefusedMeasurementsSayWhyAndAddNoRow) {
    measureAt(QStringLiteral("0"));
    ASSERT_TRUE(measurements());
    answerNextMessageBox(QMessageBox::Ok);
    measureAt(QStringLiteral("5")); // the object focus: the image is at infinity
    ASSERT_EQ(answeredBoxes.size(), 1);
    activateMain();
    answerNextMessageBox(QMessageBox::Ok);
    check2(*window)->click();
    QTest::keyClick(window.get(), Qt::Key_M, Qt::ControlModifier);
    ASSERT_EQ(answeredBoxes.size(), 2);
    EXPECT_TRUE(
        answeredBoxes[0].startsWith(QString::fromUtf8("Mesure impossible|L'image est à l'infini")));
    EXPECT_TRUE(
        answeredBoxes[1].startsWith(QString::fromUtf8("Mesure impossible|L'objet est à l'infini")));
    EXPECT_EQ(rowCount(), 1);
    // L2 is offered only with two lenses.
    EXPECT_FALSE(child<QRadioButton>(*measurements(), "lentille2")->isEnabled());
}

TEST_F(MeasureWindowTest, SeriesLeavesTheBenchItsHistoryAndItsFigureAlone) {
    window->showMeasurements();
    const bench::BenchState before = window->bench();
    const int steps = window->history().undoCount();
    const qint64 figure = window->figurePicture().cacheKey();
    const int graphDraws = measurements()->graph()->drawCount();

    ASSERT_TRUE(measurements()->runSeries({0, 14, 20, 1}));
    EXPECT_EQ(rowCount(), 20);
    EXPECT_TRUE(bench::sameInputs(window->bench(), before));
    EXPECT_EQ(window->history().undoCount(), steps);
    EXPECT_EQ(window->figurePicture().cacheKey(), figure);
    EXPECT_EQ(measurements()->graph()->drawCount(), graphDraws + 1);
    const QStringList lines = measure::fitLines(*measurements()->fit());
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("a = 1,000")));
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("f' = 1/V = 10,0 cm")));

    // A plan the bench refuses says why and adds nothing.
    answerNextMessageBox(QMessageBox::Ok);
    EXPECT_FALSE(measurements()->runSeries({0, 20, 5, 1}));
    EXPECT_EQ(rowCount(), 20);
    EXPECT_TRUE(answeredBoxes.value(0).startsWith(QStringLiteral("Série automatique|L'objet")))
        << answeredBoxes.value(0).toStdString();
}

TEST_F(MeasureWindowTest, ClearingAllAsksWithCancelAsTheDefault) {
    window->showMeasurements();
    measurements()->runSeries({0, 14, 3, 1});
    QString defaultButton;
    auto answerWithEnter = [&] {
        QTimer::singleShot(10, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box) return;
            defaultButton = box->defaultButton()->text();
            answeredBoxes << box->windowTitle() + u'|' + box->text();
            QTest::keyClick(box, Qt::Key_Return);
        });
    };
    answerWithEnter();
    child<QAbstractButton>(*measurements(), "effacer")->click();
    EXPECT_EQ(defaultButton, QMessageBox(QMessageBox::Question, {}, {}, QMessageBox::Cancel)
                                 .button(QMessageBox::Cancel)
                                 ->text());
    EXPECT_EQ(answeredBoxes.value(0), QString::fromUtf8("Effacer tout|Effacer toutes les mesures "
                                                        "du tableau ?"));
    EXPECT_EQ(rowCount(), 3);
    answerNextMessageBox(QMessageBox::Ok);
    child<QAbstractButton>(*measurements(), "effacer")->click();
    EXPECT_EQ(rowCount(), 0);
    EXPECT_FALSE(measurements()->fit());
}

TEST_F(MeasureWindowTest, TheTableIsSavedWholeOrTheFailureSaid) {
    window->showMeasurements();
    measurements()->setReadingError(true, 0.5, 7);
    measurements()->runSeries({0, 14, 20, 1});
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("mesures.csv"));
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("older");
    }
    QString chosen = path;
    measurements()->chooseTableFile = [&](QWidget *) { return chosen; };
    child<QAbstractButton>(*measurements(), "enregistrerTableau")->click();
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), measure::csvFile(measurements()->rows()));

    chosen = dir.filePath(QStringLiteral("absent/mesures.csv"));
    answerNextMessageBox(QMessageBox::Ok);
    child<QAbstractButton>(*measurements(), "enregistrerTableau")->click();
    EXPECT_TRUE(answeredBoxes.value(0).startsWith(
        QString::fromUtf8("Enregistrer les mesures|Impossible d'écrire le fichier")));

    // The graph, of the kind its name says.
    measurements()->chooseGraphFile = [&](QWidget *) { return chosen; };
    for (const auto &[name, start] :
         {std::pair{"g.png", QByteArray("\x89PNG")}, std::pair{"g.svg", QByteArray("<?xml")},
          std::pair{"g.pdf", QByteArray("%PDF")}}) {
        chosen = dir.filePath(QString::fromLatin1(name));
        child<QAbstractButton>(*measurements(), "enregistrerGraphique")->click();
        QFile graph(chosen);
        ASSERT_TRUE(graph.open(QIODevice::ReadOnly)) << name;
        EXPECT_TRUE(graph.readAll().startsWith(start)) << name;
    }
}

TEST_F(MeasureWindowTest, TheButtonTakesAPlaceNoControlOfThePanelNeeds) {
    QPushButton *button = child<QPushButton>(*window, "btmesures");
    ASSERT_TRUE(button);
    EXPECT_EQ(button->parentWidget(), panel(*window, 1));
    // One lens, two lenses, the object at infinity: the same place, free in every layout.
    for (int layout = 0; layout < 3; ++layout) {
        if (layout == 1) check1(*window, bench::TwoLenses)->click();
        if (layout == 2) check2(*window)->click();
        for (QWidget *other :
             panel(*window, 1)->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
            if (other == button || other->isHidden()) continue;
            EXPECT_FALSE(other->geometry().intersects(button->geometry()))
                << layout << " " << other->objectName().toStdString();
        }
        EXPECT_TRUE(panel(*window, 1)->rect().contains(button->geometry())) << layout;
    }
    button->click();
    ASSERT_TRUE(measurements());
    EXPECT_TRUE(measurements()->isVisible());
    EXPECT_TRUE(child<QRadioButton>(*measurements(), "lentille2")->isEnabled());
}

} // namespace

namespace {

// An exercise that keeps the image's values to itself is not answered by the measurements.
TEST_F(MeasureWindowTest, NoMeasurementWhileAnExerciseHidesTheValues) {
    const QString dir = programDir.path() + QLatin1Char('/');
    bench::BenchState start = bench::BenchState::startup();
    config::RecordWriter exercise;
    const QStringList records{
        "e.rtf", "b.P09", "c.rtf", "", " 1",     exercises::HiddenValuesOption,
        "",      "",      "",      "", "Cachée", " 1"};
    for (int n = 0; n < records.size(); ++n)
        ASSERT_TRUE(exercise.put(n + 1, records[n]));
    for (const auto &[name, bytes] :
         {std::pair{"b.P09", *config::configurationBytes(start)},
          std::pair{"e.rtf", QByteArray("{\\rtf1 Trouver l'image.\\par}")},
          std::pair{"c.rtf", QByteArray("{\\rtf1 Correction.\\par}")},
          std::pair{"x.E21", exercise.bytes()}}) {
        QFile f(dir + QString::fromLatin1(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    window->exerciseMenu()->openExerciseFile(dir + "x.E21");
    ASSERT_TRUE(window->valuesHidden());
    activateMain();
    answerNextMessageBox(QMessageBox::Ok);
    QTest::keyClick(window.get(), Qt::Key_M, Qt::ControlModifier);
    ASSERT_TRUE(measurements());
    EXPECT_TRUE(answeredBoxes.value(0).startsWith(
        QString::fromUtf8("Mesure impossible|L'exercice cache les valeurs")));
    answerNextMessageBox(QMessageBox::Ok);
    EXPECT_FALSE(measurements()->runSeries({0, 14, 5, 1}));
    EXPECT_EQ(rowCount(), 0);

    window->exerciseMenu()->showCorrection(); // the correction shows the values again
    EXPECT_TRUE(measurements()->addMeasurement());
    EXPECT_EQ(rowCount(), 1);
}

// The series window's positions take what the bench's fields take, typed or pasted.
TEST_F(MeasureWindowTest, SeriesPositionsTakeOnlyANumber) {
    measure::SeriesWindow series(bench::BenchState::startup(), 1);
    for (const char *name : {"depart", "arrivee"}) {
        auto *field = child<QLineEdit>(series, name);
        field->clear();
        QTest::keyClicks(field, QStringLiteral("1x2.5 cm"));
        EXPECT_EQ(field->text(), QStringLiteral("12,5")) << name;
        field->clear();
        field->insert(QStringLiteral("à -3.0 cm"));
        EXPECT_EQ(field->text(), QStringLiteral("-3,0")) << name;
    }
}

} // namespace
