// Exercises as a teacher makes them, through the real main window: made in the authoring
// window and opened, the same made by the command line, every bundled exercise edited and saved
// under another name, and the hidden values of an open exercise.

#include "../mainwindow/MainWindowFixture.h"

#include "bench/BenchControls.h"
#include "config/ConfigurationFile.h"
#include "config/RecordFile.h"
#include "exercises/ExerciseAuthoring.h"
#include "exercises/ExerciseFile.h"
#include "exercises/ExerciseMenu.h"
#include "exercises/ExerciseWriter.h"
#include "exercises/Fichexo.h"

#include <QAccessible>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLayout>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>

#include <functional>

namespace {

using exercises::ExerciseMenu;

exercises::ExerciseRecords recordsOf(const QString &path) {
    auto read = exercises::readExerciseRecords(path);
    EXPECT_TRUE(std::holds_alternative<exercises::ExerciseRecords>(read)) << path.toStdString();
    return std::holds_alternative<exercises::ExerciseRecords>(read)
               ? std::get<exercises::ExerciseRecords>(read)
               : exercises::ExerciseRecords{};
}

QByteArray exerciseBytes(const QStringList &records) {
    config::RecordWriter w;
    for (int n = 0; n < records.size(); ++n)
        EXPECT_TRUE(w.put(n + 1, records[n]));
    return w.bytes();
}

// Every text of the window that a pupil can read or hear: captions, field texts, hover texts,
// accessible names, descriptions and values.
QStringList visibleTexts(QWidget &window) {
    QStringList texts;
    QList<QWidget *> widgets = window.findChildren<QWidget *>();
    widgets << &window;
    for (QWidget *w : widgets) {
        if (!w->isVisibleTo(&window) && w != &window) continue;
        texts << w->toolTip() << w->statusTip() << w->whatsThis() << w->accessibleName()
              << w->accessibleDescription() << w->windowTitle();
        if (auto *l = qobject_cast<QLabel *>(w)) texts << l->text();
        if (auto *e = qobject_cast<QLineEdit *>(w)) texts << e->text();
        if (QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w))
            for (QAccessible::Text t :
                 {QAccessible::Name, QAccessible::Value, QAccessible::Description})
                texts << a->text(t);
    }
    return texts;
}

class TeacherExercises : public MainWindowTest {
  protected:
    static void SetUpTestSuite() { startApplication(oneScreen(1280, 800)); }

    void SetUp() override {
        MainWindowTest::SetUp();
        dir = programDir.path() + QLatin1Char('/');
    }

    ExerciseMenu *menu() const { return window->exerciseMenu(); }
    QStringList readouts() const {
        QStringList shown;
        for (int i = 0; i < 4; ++i)
            shown << label3(*window, i)->text();
        return shown;
    }

    // The authoring window's control of that name.
    template <class Control> Control *control(const char *name) {
        return child<Control>(*menu()->authoringWindow(), name);
    }
    void click(const char *name) { control<QAbstractButton>(name)->click(); }
    void setBaseName(const QString &folder, const QString &base) {
        control<QLineEdit>("folderField")->setText(folder);
        QLineEdit *field = control<QLineEdit>("baseNameField");
        field->clear();
        QTest::keyClicks(field, base);
    }

    QString dir;
};

// An exercise made in the window opens as it was typed, with its statement, bench and
// correction; the command line makes the same files from the same input.
TEST_F(TeacherExercises, MadeInTheWindowOpenedAndMadeAgainByTheCommandLine) {
    const QAction *last = menu()->menu()->actions().constLast();
    EXPECT_EQ(last->objectName(), "editexo");
    bench::BenchState first = bench::BenchState::startup(), second = first;
    bench::setOption(first, bench::TwoLenses, true);
    bench::setFieldText(second, bench::ObjectPosition, "4,0");
    ASSERT_TRUE(writeTestFile(dir + "premier.P09", *config::configurationBytes(first)));
    ASSERT_TRUE(writeTestFile(dir + "second.P09", *config::configurationBytes(second)));
    ASSERT_TRUE(
        writeTestFile(dir + QString::fromUtf8("énoncé.rtf"),
                      "{\\rtf1\\ansi\\ansicpg1252 O\\'f9 est l'image\\~? R\\'e9ponse :\\par}"));
    ASSERT_TRUE(
        writeTestFile(dir + "corrige.rtf", "{\\rtf1\\ansi L'image est \\b r\\'e9elle\\b0 .\\par}"));
    QDir(dir).mkdir("fenetre");
    QDir(dir).mkdir("commande");

    // The blank page of a new exercise; the teacher writes there what the pupil will read.
    menu()->createExercise();
    exercises::ExerciseAuthoring *author = menu()->authoringWindow();
    ASSERT_TRUE(author->isVisible());
    EXPECT_FALSE(supertext(*window)->isReadOnly());
    QKeyEvent typed(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUtf8("Où est l'image ?"));
    QApplication::sendEvent(control<QLineEdit>("titleField"), &typed);
    EXPECT_EQ(control<QLineEdit>("baseNameField")->text(), "ou-est-l-image");
    control<QPlainTextEdit>("notionsField")
        ->setPlainText(QString::fromUtf8("Image réelle, lentille"));
    control<QComboBox>("difficultyList")->setCurrentIndex(2);
    control<QSpinBox>("hourglassCount")->setValue(3);
    control<QCheckBox>("hideValuesBox")->setChecked(true);
    author->chooseTextFile = [&](QWidget *) { return dir + QString::fromUtf8("énoncé.rtf"); };
    click("chooseFile_0");
    window->openConfiguration(dir + "premier.P09");
    click("takeBench_1");
    author->chooseTextFile = [&](QWidget *) { return dir + "corrige.rtf"; };
    click("chooseFile_2");
    window->openConfiguration(dir + "second.P09");
    click("takeBench_3");
    EXPECT_FALSE(control<QLabel>("benchPicture_3")->pixmap().isNull());
    setBaseName(dir + "fenetre", "ou-est-l-image");
    answerNextMessageBox(QMessageBox::Ok); // open it
    ASSERT_TRUE(author->save());

    const QString made = dir + "fenetre/ou-est-l-image.E21";
    EXPECT_EQ(fich(*window)->text(), made);
    // "Modifier un exercice…" starts where the exercise was saved, not where its text came from.
    EXPECT_EQ(QDir(menu()->exerciseFolder()), QDir(dir + "fenetre"));
    EXPECT_TRUE(supertext(*window)->toPlainText().contains(QString::fromUtf8("Où est l'image")));
    EXPECT_TRUE(window->bench().option(bench::TwoLenses));
    EXPECT_TRUE(window->valuesHidden());
    // The exercises window shows what was typed.
    QString title, notions, marks;
    int lit = 0;
    QTimer::singleShot(50, [&] {
        auto *w = qobject_cast<exercises::Fichexo *>(QApplication::activeModalWidget());
        ASSERT_TRUE(w);
        w->setSelection(dir + "fenetre/", made);
        w->apercu();
        title = w->titratexo()->text();
        notions = w->topics()->toPlainText();
        marks = w->hourglasses()->text();
        for (int k = 0; k < 3; ++k)
            lit += w->markLit(k);
        w->closeButton()->click();
    });
    menu()->showExercisesWindow();
    EXPECT_EQ(title, QString::fromUtf8("Où est l'image ?"));
    EXPECT_EQ(notions, QString::fromUtf8("Image réelle, lentille"));
    EXPECT_EQ(lit, 2);
    EXPECT_EQ(marks, QString(3, QChar(0x231B)));
    menu()->showCorrection();
    EXPECT_TRUE(supertext(*window)->toPlainText().contains(QString::fromUtf8("réelle")));
    EXPECT_EQ(window->bench().fields[bench::ObjectPosition], "4,0");

    const QStringList args{"exercise",
                           "make",
                           "--title",
                           QString::fromUtf8("Où est l'image ?"),
                           "--notions",
                           QString::fromUtf8("Image réelle, lentille"),
                           "--difficulty",
                           "2",
                           "--hourglasses",
                           "3",
                           "--hide-values",
                           "--statement",
                           dir + QString::fromUtf8("énoncé.rtf"),
                           "--bench",
                           dir + "premier.P09",
                           "--correction",
                           dir + "corrige.rtf",
                           "--correction-bench",
                           dir + "second.P09",
                           "--output",
                           dir + "commande/ou-est-l-image"};
    QProcess cli;
    cli.start(QStringLiteral(FOCALINES_CLI), args);
    ASSERT_TRUE(cli.waitForFinished(30000));
    EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    const QStringList files = QDir(dir + "fenetre").entryList(QDir::Files);
    EXPECT_EQ(files.size(), 5);
    EXPECT_EQ(QDir(dir + "commande").entryList(QDir::Files), files);
    for (const QString &name : files)
        EXPECT_EQ(readTestFile(dir + "fenetre/" + name), readTestFile(dir + "commande/" + name))
            << name.toStdString();
    EXPECT_TRUE(answeredBoxes.size() == 1) << answeredBoxes.join('\n').toStdString();
}

// The blank page of a new exercise takes the teacher's words in plain text, not in the large
// blue of the welcome title it replaces; the authoring window grows with what it describes, so
// that a wrapped line never runs over the field above it.
TEST_F(TeacherExercises, BlankPageInPlainTextAndEveryControlInItsPlace) {
    menu()->closeExercise();
    menu()->createExercise();
    QTest::keyClicks(supertext(*window), "Trouver l'image.");
    QTextCursor end(supertext(*window)->document());
    end.movePosition(QTextCursor::End);
    EXPECT_NE(end.charFormat().fontPointSize(), 18);
    EXPECT_NE(end.charFormat().foreground().color(), QColor(0, 0, 200));

    click("takeText_0");
    click("takeBench_1");
    click("takeText_2");
    click("takeBench_3");
    setBaseName(dir + "un/dossier/au/nom/assez/long/pour/que/la/ligne/passe/a/la/suivante",
                "un-nom-de-base-assez-long-lui-aussi-pour-la-liste-des-fichiers");
    exercises::ExerciseAuthoring *author = menu()->authoringWindow();
    for (int i = 0; i < 4; ++i) // the layout requests of the sections, then the window's size
        QApplication::processEvents();
    const auto bottom = [&](const char *name) {
        QWidget *w = control<QWidget>(name);
        return w->mapTo(author, QPoint(0, w->height()));
    };
    const auto top = [&](const char *name) {
        return control<QWidget>(name)->mapTo(author, QPoint());
    };
    EXPECT_LE(bottom("notionsField").y(), top("notionsCount").y());
    // The screen has room: nothing is left to scroll to.
    EXPECT_EQ(author->findChild<QScrollArea *>()->verticalScrollBar()->maximum(), 0);
    EXPECT_TRUE(answeredBoxes.isEmpty()) << answeredBoxes.join('\n').toStdString();
}

// At a zoom where the window would be taller than the screen, its sections scroll and the
// whole window, "Enregistrer" included, stays on the screen.
TEST_F(TeacherExercises, AtALargeZoomTheAuthoringWindowStaysWithinTheScreen) {
    window->setZoom(125);
    menu()->createExercise();
    exercises::ExerciseAuthoring *author = menu()->authoringWindow();
    EXPECT_TRUE(author->screen()->availableGeometry().contains(author->frameGeometry()));
    QWidget *save = control<QWidget>("saveButton");
    EXPECT_TRUE(author->rect().contains(QRect(save->mapTo(author, QPoint()), save->size())));
    author->hide();
    window->setZoom(100);
}

// Opened with "Modifier un exercice…" and saved unchanged under another base name, every
// bundled exercise gives the same records but the file names, and companions of the same content.
TEST_F(TeacherExercises, EveryBundledExerciseSavedAgainUnderAnotherName) {
    const QDir content(QStringLiteral(FOCALINES_CONTENT));
    for (const QString &name : content.entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(content.filePath(name), dir + name));
    QTemporaryDir copies;
    const QStringList names = QDir(dir).entryList({QStringLiteral("*.E21")}, QDir::Files);
    ASSERT_GE(names.size(), 8);
    for (const QString &name : names) {
        SCOPED_TRACE(name.toStdString());
        menu()->chooseExerciseFile = [&](QWidget *) { return dir + name; };
        menu()->editExercise();
        // Beside the program is no place for the teacher's files.
        EXPECT_NE(QDir(control<QLineEdit>("folderField")->text()), QDir(dir));
        EXPECT_EQ(control<QLineEdit>("baseNameField")->text() + ".E21", name);
        const QString base = QStringLiteral("copie-") + name.left(2);
        setBaseName(copies.path(), base);
        answerNextMessageBox(QMessageBox::Cancel); // not opened
        ASSERT_TRUE(menu()->authoringWindow()->save());
        const exercises::ExerciseRecords original = recordsOf(dir + name);
        const exercises::ExerciseRecords copy = recordsOf(copies.filePath(base + ".E21"));
        for (int i = exercises::DifficultyRecord - 1; i < exercises::ExerciseRecordCount; ++i)
            EXPECT_EQ(copy[i], original[i]) << "record " << i + 1;
        for (int i = 0; i < exercises::CompanionCount; ++i) {
            if (exercises::isBlank(original[i])) {
                EXPECT_TRUE(copy[i].isEmpty());
                continue;
            }
            EXPECT_EQ(copy[i], exercises::companionFileName(base, exercises::Companion(i)));
            EXPECT_EQ(readTestFile(copies.filePath(copy[i])), readTestFile(dir + original[i]));
        }
    }
    // A changed exercise is not given up without a question, whose Enter answers Cancel.
    QTest::keyClicks(control<QLineEdit>("titleField"), "x");
    answerNextMessageBox(QMessageBox::NoButton);
    menu()->editExercise();
    EXPECT_TRUE(control<QLineEdit>("titleField")->text().endsWith("x"));
    EXPECT_EQ(
        answeredBoxes.constLast(),
        QString::fromUtf8("Abandon des données?|Attention: l'exercice n'est pas enregistré."));
    // Nor by quitting the program.
    const QString question = answeredBoxes.takeLast();
    answerNextMessageBox(QMessageBox::NoButton);
    EXPECT_FALSE(window->close());
    EXPECT_EQ(answeredBoxes.constLast(), question);
}

// With the option, no value of the image reaches the window until the exercise ends; the bench
// itself works as usual.
TEST_F(TeacherExercises, HiddenValuesUntilTheExerciseEnds) {
    bench::BenchState two = bench::BenchState::startup();
    bench::setOption(two, bench::TwoLenses, true);
    ASSERT_TRUE(writeTestFile(dir + "deux.P09", *config::configurationBytes(two)));
    ASSERT_TRUE(writeTestFile(dir + "e.rtf", "{\\rtf1 Trouver l'image.\\par}"));
    ASSERT_TRUE(writeTestFile(dir + "c.rtf", "{\\rtf1 Correction.\\par}"));
    const QStringList records{
        "e.rtf", "deux.P09", "c.rtf", "", " 1",     exercises::HiddenValuesOption,
        "",      "",         "",      "", "Cachée", " 1"};
    ASSERT_TRUE(writeTestFile(dir + "cache.E21", exerciseBytes(records)));
    QStringList plain = records;
    plain[5] = QString();
    ASSERT_TRUE(writeTestFile(dir + "visible.E21", exerciseBytes(plain)));

    const QStringList hidden{"?", "?", "?", "?"};
    const auto expectNoValueShown = [&] {
        EXPECT_EQ(readouts(), hidden);
        const QStringList texts = visibleTexts(*window);
        for (const QString &value : window->bench().readouts)
            for (const QString &text : texts)
                EXPECT_FALSE(text.contains(value))
                    << value.toStdString() << " in " << text.toStdString();
    };
    const auto expectValuesShown = [&] {
        EXPECT_FALSE(window->valuesHidden());
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(readouts()[i], window->bench().readouts[i]);
    };

    const struct {
        const char *what;
        std::function<void()> end;
    } enders[] = {
        {"Voir la correction", [&] { menu()->showCorrection(); }},
        {"Fermer l'exercice", [&] { menu()->closeExercise(); }},
        {"another configuration", [&] { window->openConfiguration(dir + "deux.P09"); }},
        {"an exercise without the option", [&] { menu()->openExerciseFile(dir + "visible.E21"); }},
    };
    for (const auto &e : enders) {
        SCOPED_TRACE(e.what);
        menu()->openExerciseFile(dir + "cache.E21");
        ASSERT_EQ(fich(*window)->text(), dir + "cache.E21");
        EXPECT_TRUE(window->valuesHidden());
        expectNoValueShown();
        // Moving the object, typing, the object at infinity: new values, still hidden.
        typeAndEnter(bench::ObjectPosition, "2");
        expectNoValueShown();
        check2(*window)->click();
        expectNoValueShown();
        EXPECT_TRUE(label(*window, 1)->isVisible()); // the apparent diameter is no image value
        check2(*window)->click();
        e.end();
        expectValuesShown();
    }
    EXPECT_TRUE(answeredBoxes.isEmpty()) << answeredBoxes.join('\n').toStdString();
}

} // namespace
