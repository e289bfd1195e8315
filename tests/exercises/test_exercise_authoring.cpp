// Exercises as a teacher makes them, through the real main window: the hidden values of an open
// exercise.

#include "../mainwindow/MainWindowFixture.h"

#include "bench/BenchControls.h"
#include "config/ConfigurationFile.h"
#include "config/RecordFile.h"
#include "exercises/ExerciseFile.h"
#include "exercises/ExerciseMenu.h"

#include <QAccessible>
#include <QFile>

#include <functional>

namespace {

using exercises::ExerciseMenu;

void writeFile(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(bytes);
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

class ExerciseAuthoring : public MainWindowTest {
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

    QString dir;
};

// With the option, no value of the image reaches the window until the exercise ends; the bench
// itself works as usual.
TEST_F(ExerciseAuthoring, HiddenValuesUntilTheExerciseEnds) {
    bench::BenchState two = bench::BenchState::startup();
    bench::setOption(two, bench::TwoLenses, true);
    writeFile(dir + "deux.P09", *config::configurationBytes(two));
    writeFile(dir + "e.rtf", "{\\rtf1 Trouver l'image.\\par}");
    writeFile(dir + "c.rtf", "{\\rtf1 Correction.\\par}");
    const QStringList records{
        "e.rtf", "deux.P09", "c.rtf", "", " 1",     exercises::HiddenValuesOption,
        "",      "",         "",      "", "Cachée", " 1"};
    writeFile(dir + "cache.E21", exerciseBytes(records));
    QStringList plain = records;
    plain[5] = QString();
    writeFile(dir + "visible.E21", exerciseBytes(plain));

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
        {"Voir la correction", [&] { menu()->opencor_Click(); }},
        {"Fermer l'exercice", [&] { menu()->Closexo_Click(); }},
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
