#include "config/RecordFile.h"
#include "config/windows/DirectoryBrowser.h"
#include "exercises/ExerciseFile.h"
#include "exercises/ExerciseHost.h"
#include "exercises/ExerciseMenu.h"
#include "exercises/Fichexo.h"
#include "printing/PrinterChoice.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <random>

using namespace exercises;

// Readable failure messages for texts.
inline void PrintTo(const QString &s, std::ostream *os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

void ensureApplication() {
    if (QApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "test_exercises";
    static char *argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

void writeFile(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(bytes);
}

QByteArray readFile(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// An exercise file of records 1 to 12.
QByteArray exerciseBytes(const QStringList &records) {
    config::RecordWriter w;
    for (int n = 0; n < records.size(); ++n)
        EXPECT_TRUE(w.put(n + 1, records[n]));
    return w.bytes();
}

QStringList records(const QString &statement, const QString &configuration,
                    const QString &correction, const QString &correctionConfiguration,
                    const QString &difficulty = " 1", const QString &title = "Titre",
                    const QString &marks = " 1") {
    return {statement,     configuration,
            correction,    correctionConfiguration,
            difficulty,    "",
            "Lentilles, ", "",
            "images",      "",
            title,         marks};
}

ExerciseFile readOk(const QString &path) {
    auto r = readExerciseFile(path);
    EXPECT_TRUE(std::holds_alternative<ExerciseFile>(r)) << path.toStdString();
    return std::holds_alternative<ExerciseFile>(r) ? std::get<ExerciseFile>(r) : ExerciseFile{};
}

TEST(ExerciseFile, RecordsAsThePreviewShowsThem) {
    QTemporaryDir dir;
    struct Case {
        QStringList records;
        double difficulty;
        QString topics;
        QString title;
        int hourglasses;
        bool corrected;
        bool hideValues = false;
    } cases[] = {
        {{"e.rtf", "", "", "", " 2", "x", "Optique, ", "    ", "lentilles", "", "  Un titre  ",
          " 2.5"},
         2,
         "Optique, lentilles",
         "Un titre",
         2,
         false},
        {{"e.rtf", "", "  ", "c.P09", "3", "", "", "", "", "a", "T", "3.5"}, 3, "a", "T", 4, true},
        {{"e.rtf", "", "c.rtf", "", "facile", "", "", "", "", "", "", "-2"}, 0, "", "", 0, true},
        {{"e.rtf", "", "", "", "1E400", "", "", "", "", "", "", "1E9"},
         0,
         "",
         "",
         MaxHourglasses,
         false},
        // A file of three records: the others are blank.
        {{"e.rtf", "", ""}, 0, "", "", 0, false},
        // Record 6 holds the options.
        {{"e.rtf", "", "", "", "1", "VALEURS CACHEES", "", "", "", "", "", ""},
         1,
         "",
         "",
         0,
         false,
         true},
    };
    for (const Case &c : cases) {
        const QString path = dir.filePath("x.E21");
        writeFile(path, exerciseBytes(c.records));
        const ExerciseFile e = readOk(path);
        SCOPED_TRACE(c.records.join('|').toStdString());
        EXPECT_EQ(e.statement, "e.rtf");
        EXPECT_EQ(e.difficulty, c.difficulty);
        EXPECT_EQ(e.topics, c.topics);
        EXPECT_EQ(e.title, c.title);
        EXPECT_EQ(e.hourglasses, c.hourglasses);
        EXPECT_EQ(e.corrected(), c.corrected);
        EXPECT_EQ(e.hideValues, c.hideValues);
    }
}

TEST(ExerciseFile, RefusedFiles) {
    QTemporaryDir dir;
    QByteArray badLength = exerciseBytes(records("e.rtf", "", "", ""));
    badLength[128 * 10] = char(127); // record 11 claims 127 bytes
    writeFile(dir.filePath("bad.E21"), badLength);
    for (const QString &path : {dir.filePath("missing.E21"), dir.path(), dir.filePath("bad.E21")}) {
        auto r = readExerciseFile(path);
        ASSERT_TRUE(std::holds_alternative<config::FileError>(r)) << path.toStdString();
        EXPECT_EQ(std::get<config::FileError>(r).title, "Lecture impossible");
        EXPECT_EQ(std::get<config::FileError>(r).text,
                  QString::fromUtf8("Vérifier:\n- le nom du fichier,\n- l'état du lecteur."));
    }
}

TEST(ExerciseFile, HostileBytesAreReadOrRefused) {
    QTemporaryDir dir;
    const QString path = dir.filePath("x.E21");
    std::mt19937 random(13);
    for (int k = 0; k < 300; ++k) {
        QByteArray bytes(int(random() % 2000), '\0');
        for (char &c : bytes)
            c = char(random() % 4 == 0 ? random() % 3 : random());
        writeFile(path, bytes);
        auto r = readExerciseFile(path);
        if (auto *e = std::get_if<ExerciseFile>(&r)) {
            EXPECT_GE(e->hourglasses, 0);
            EXPECT_LE(e->hourglasses, MaxHourglasses);
        }
    }
}

TEST(ExerciseFile, NamesWrittenOnWindows) {
    QTemporaryDir temp;
    const QString dir = temp.path() + "/serie/";
    QDir(dir).mkpath("Sous/Dossier");
    writeFile(dir + "Sous/Dossier/ENONCE.RTF", "x");
    writeFile(dir + "deux.rtf", "x");
    writeFile(dir + "DEUX.rtf", "x");
    writeFile(dir + ":notes.rtf", "x");
    // Files outside the exercise's folder, and links to them inside it.
    QTemporaryDir outside;
    writeFile(outside.path() + "/dehors.rtf", "x");
    writeFile(temp.path() + "/dehors.rtf", "x");
    QFile::link(outside.path(), dir + "lien");
    QFile::link(outside.path() + "/dehors.rtf", dir + "raccourci.rtf");
    const struct {
        QString name, expected;
    } cases[] = {
        {"Sous\\Dossier\\ENONCE.RTF", dir + "Sous/Dossier/ENONCE.RTF"},
        {"sous\\dossier\\enonce.rtf", dir + "Sous/Dossier/ENONCE.RTF"},
        {"deux.rtf", dir + "deux.rtf"},
        // Two names differ only in case from this one: none is taken.
        {"Deux.rtf", dir + "Deux.rtf"},
        {"absent.rtf", dir + "absent.rtf"},
        {"Sous\\..\\deux.rtf", dir + "deux.rtf"},
        // A name beginning with ":" is a file of the folder, not one of Qt's resources.
        {":notes.rtf", dir + ":notes.rtf"},
        {":absent.rtf", dir + ":absent.rtf"},
        // Whatever could reach outside the folder is refused, even when it exists.
        {"..\\dehors.rtf", ""},
        {"Sous/../../dehors.rtf", ""},
        {outside.path() + "/dehors.rtf", ""},
        {"\\etc\\hostname", ""},
        {"C:\\ENONCE.RTF", ""},
        {"lien/dehors.rtf", ""},
        {"raccourci.rtf", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(resolveName(dir, c.name), c.expected) << c.name.toStdString();
}

// The main window's side: a text box, its title field, the configurations loaded.
struct FakeHost : ExerciseHost {
    FakeHost(const QString &dir) : directory(dir) {
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(&fich);
        layout->addWidget(&supertext);
        window.resize(791, 546);
        window.setWindowTitle("Focalines");
    }
    QWidget *hostWindow() override { return &window; }
    QString programDirectory() const override { return directory; }
    QTextEdit *exerciseText() const override { return const_cast<QTextEdit *>(&supertext); }
    QLineEdit *exerciseTitle() const override { return const_cast<QLineEdit *>(&fich); }
    void loadExerciseConfiguration(const QString &path) override { loaded << path; }

    QWidget window;
    QLineEdit fich;
    QTextEdit supertext;
    QString directory;
    QStringList loaded;
};

class ExercisesTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { ensureApplication(); }

    void SetUp() override {
        dir = temp.path() + '/';
        host = std::make_unique<FakeHost>(dir);
        menu = std::make_unique<ExerciseMenu>(*host);
        menu->chooseSaveFile = [this](QWidget *) { return chosenFile; };
        menu->chooseOpenFile = [this](QWidget *) { return chosenFile; };
        writeFile(dir + "ENONCE.RTF", "Enonce de l'exercice");
        writeFile(dir + "corrige.rtf", "Corrige de l'exercice");
        writeFile(dir + "CONFIG.P09", "");
        writeFile(dir + "cor.P09", "");
        writeFile(dir + "a.E21", exerciseBytes(records("enonce.rtf", "Config.p09", "corrige.rtf",
                                                       "cor.P09", " 2", "Premier", " 3")));
        writeFile(dir + "b.e21", exerciseBytes(records("ENONCE.RTF", "", "", "  ")));
    }

    // Answers the next message box with `button` and records its title and text.
    void answer(QMessageBox::StandardButton button) {
        onNextBox([button](QMessageBox *box) { box->button(button)->click(); });
    }
    // Answers it with the Enter key, as a hurried user does.
    void answerWithEnter() {
        onNextBox([](QMessageBox *box) { QTest::keyClick(box, Qt::Key_Return); });
    }
    void onNextBox(const std::function<void(QMessageBox *)> &act, int attempts = 200) {
        QTimer::singleShot(10, [this, act, attempts] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box) {
                if (attempts > 0) onNextBox(act, attempts - 1);
                return;
            }
            boxes << box->windowTitle() + '|' + box->text();
            act(box);
        });
    }

    // Opens an exercise file of the folder as the exercises window does.
    bool open(const QString &name) {
        Fichexo window(*host, const_cast<ExerciseState &>(menu->state()));
        window.chooseFile(name);
        return window.openExercise();
    }

    QString text() const { return host->supertext.toPlainText(); }
    bool enabled(const char *item) {
        menu->updateEnabling();
        return menu->item(item)->isEnabled();
    }
    void type(const QString &s) { host->supertext.insertPlainText(s); }

    QTemporaryDir temp;
    QString dir;
    std::unique_ptr<FakeHost> host;
    std::unique_ptr<ExerciseMenu> menu;
    QString chosenFile;
    QStringList boxes;
};

TEST_F(ExercisesTest, PreviewOfTheSelection) {
    Fichexo window(*host, const_cast<ExerciseState &>(menu->state()));
    EXPECT_TRUE(window.intratro()->isVisibleTo(&window));
    window.show();
    // Activation selects the first exercise of the list, whatever the case of its extension.
    ASSERT_EQ(window.browser()->fileList()->count(), 2);
    EXPECT_EQ(window.fichierexo()->text(), dir + "a.E21");
    EXPECT_FALSE(window.intratro()->isVisible());
    EXPECT_EQ(window.titratexo()->text(), "Premier");
    EXPECT_EQ(window.topics()->toPlainText(), "Lentilles, images");
    EXPECT_EQ(window.hourglasses()->text(), QString(3, QChar(0x231B)));
    EXPECT_EQ(window.correctionLabel()->text(), Fichexo::Corrected);
    EXPECT_EQ(window.correctionShadow()->text(), Fichexo::Corrected);
    EXPECT_EQ(window.correctionShadow()->pos(), window.correctionLabel()->pos() + QPoint(2, 2));
    EXPECT_TRUE(window.markLit(0));
    EXPECT_TRUE(window.markLit(1));
    EXPECT_FALSE(window.markLit(2));
    EXPECT_TRUE(window.ouvreur()->isVisible());

    window.chooseFile("b.e21");
    EXPECT_EQ(window.correctionLabel()->text(), Fichexo::NotCorrected);
    EXPECT_EQ(window.hourglasses()->text(), QString(1, QChar(0x231B)));
    EXPECT_EQ(window.titratexo()->text(), "Titre");

    // An unreadable file: its message, and the window stays.
    writeFile(dir + "c.E21", QByteArray(128, char(0xff)));
    answer(QMessageBox::Ok);
    window.chooseFile("c.E21");
    EXPECT_EQ(boxes, QStringList{QString::fromUtf8(
                         "Lecture impossible|Vérifier:\n- le nom du fichier,\n- l'état du "
                         "lecteur.")});
    EXPECT_TRUE(window.isVisible());
}

// The window has its own title and keeps its path field inside; one click opens a folder, and
// the folders inside it show; a double click opens it once, not the folder that then comes
// under the pointer.
TEST_F(ExercisesTest, TheWindowsTitleFieldAndFolders) {
    for (const char *sub : {"sous", "sous/plus", "sous/plus/encore"})
        QDir(dir).mkpath(sub);
    Fichexo window(*host, const_cast<ExerciseState &>(menu->state()));
    window.show();
    EXPECT_EQ(window.windowTitle(), "Focalines - Ouvrir un exercice");
    EXPECT_LE(window.fichierexo()->geometry().right(), window.width() - 1);
    QTreeWidget *folders = window.findChild<QTreeWidget *>("Dir1");
    const auto clickFolder = [&](const QString &path, bool twice) {
        const QTreeWidgetItem *item = nullptr;
        for (QTreeWidgetItemIterator it(folders); *it && !item; ++it)
            if ((*it)->data(0, Qt::UserRole).toString() == path) item = *it;
        ASSERT_NE(item, nullptr) << path.toStdString();
        const QPoint at = folders->visualItemRect(item).center();
        QTest::mouseClick(folders->viewport(), Qt::LeftButton, {}, at);
        if (twice) QTest::mouseDClick(folders->viewport(), Qt::LeftButton, {}, at);
    };
    const QString sous = QDir(dir).filePath("sous");
    clickFolder(sous, false);
    EXPECT_EQ(window.browser()->directory(), sous);
    const QTreeWidgetItem *inside = folders->currentItem()->child(0);
    EXPECT_TRUE(folders->viewport()->rect().contains(folders->visualItemRect(inside)));
    clickFolder(sous + "/plus", true);
    EXPECT_EQ(window.browser()->directory(), sous + "/plus");
    EXPECT_EQ(folders->currentItem()->data(0, Qt::UserRole).toString(), sous + "/plus");
}

TEST_F(ExercisesTest, EmptyFolderAsksForASelection) {
    QTemporaryDir empty;
    host->directory = empty.path() + '/';
    Fichexo window(*host, const_cast<ExerciseState &>(menu->state()));
    window.show();
    EXPECT_EQ(window.browser()->fileList()->count(), 0);
    EXPECT_TRUE(window.intratro()->isVisible());
    EXPECT_EQ(window.intratro()->text(), QString::fromUtf8("Sélectionner un fichier"));
    EXPECT_FALSE(window.openExercise());

    // Going from a folder with a selection to another one leaves nothing selected to open.
    ASSERT_TRUE(window.browser()->setDirectory(dir));
    window.chooseFile("a.E21");
    ASSERT_TRUE(window.ouvreur()->isVisible());
    ASSERT_TRUE(window.browser()->setDirectory(empty.path()));
    EXPECT_TRUE(window.fichierexo()->text().isEmpty());
    EXPECT_TRUE(window.intratro()->isVisible());
    EXPECT_TRUE(window.titratexo()->text().isEmpty());
    EXPECT_FALSE(window.correctionLabel()->isVisible());
    EXPECT_FALSE(window.ouvreur()->isVisible());
    EXPECT_FALSE(window.openExercise());
    EXPECT_TRUE(host->fich.text().isEmpty());
}

TEST_F(ExercisesTest, OpeningWithAndWithoutConfiguration) {
    ASSERT_TRUE(open("a.E21"));
    EXPECT_EQ(text(), "Enonce de l'exercice");
    EXPECT_EQ(host->fich.text(), dir + "a.E21");
    EXPECT_EQ(host->loaded, QStringList{dir + "CONFIG.P09"});
    EXPECT_FALSE(host->supertext.isReadOnly());
    EXPECT_TRUE(menu->correctionAvailable());
    EXPECT_FALSE(menu->textModified());
    EXPECT_EQ(menu->exerciseDir(), dir);

    ASSERT_TRUE(open("b.e21"));
    EXPECT_EQ(host->fich.text(), dir + "b.e21");
    EXPECT_EQ(host->loaded.size(), 1) << "no configuration for a blank record 2";
    EXPECT_FALSE(menu->correctionAvailable());
    EXPECT_FALSE(enabled("opencor"));
}

// A statement that cannot be loaded changes nothing; a configuration that is missing is named,
// and the statement opens. Each message names the file and says what is wrong with it.
TEST_F(ExercisesTest, AFileThatCannotBeLoadedIsNamed) {
    writeFile(dir + "image.rtf", QByteArray::fromHex("89504e470d0a1a0a0000000d4948445200"));
    const struct {
        QString statement, configuration;
        bool opens;
        QString message;
    } cases[] = {
        {"absent.rtf", "CONFIG.P09", false,
         "Fichier absent|Le fichier " + dir + "absent.rtf est introuvable"},
        {"image.rtf", "CONFIG.P09", false,
         "Fichier illisible|Le fichier " + dir +
             QString::fromUtf8("image.rtf existe, mais ce n'est pas un texte que Focalines sait "
                               "lire (RTF ou texte brut).")},
        {"ENONCE.RTF", "absent.P09", true,
         "Fichier absent|Le fichier " + dir + "absent.P09 est introuvable"},
    };
    for (const auto &c : cases) {
        host->fich.clear();
        boxes.clear();
        writeFile(dir + "m.E21", exerciseBytes(records(c.statement, c.configuration, "", "")));
        Fichexo window(*host, const_cast<ExerciseState &>(menu->state()));
        window.chooseFile("m.E21");
        answer(QMessageBox::Ok);
        EXPECT_EQ(window.openExercise(), c.opens) << c.statement.toStdString();
        EXPECT_EQ(boxes, QStringList{c.message});
        EXPECT_EQ(host->fich.text().isEmpty(), !c.opens) << c.statement.toStdString();
        EXPECT_TRUE(host->loaded.isEmpty()) << c.statement.toStdString();
        EXPECT_FALSE(window.waitingFrame()->isVisible());
    }
}

TEST_F(ExercisesTest, TheFiveStatesAndTheMenu) {
    writeFile(dir + "focalines.PEM", exerciseBytes(records("ENONCE.RTF", "", "", "")));
    writeFile(dir + "notes.rtf", "Mes notes");
    chosenFile = dir + "notes.rtf";
    using S = ExerciseMenu::TextState;
    const struct {
        std::function<void()> command;
        S state;
        bool locked, correction, close;
        QString fich;
    } steps[] = {
        {[] {}, S::GettingStartedText, true, false, false, ""},
        {[this] { menu->openGettingStarted(); }, S::GettingStartedMaterial, false, false, true,
         dir + "focalines.PEM"},
        {[this] { open("a.E21"); }, S::Statement, false, true, true, dir + "a.E21"},
        {[this] { menu->showCorrection(); }, S::Correction, true, true, true, dir + "a.E21"},
        {[this] { menu->retrieveText(); }, S::RetrievedText, false, false, true,
         "Texte: " + dir + "notes.rtf"},
        {[this] { menu->closeExercise(); }, S::GettingStartedText, true, false, false, ""},
    };
    menu->closeExercise();
    for (const auto &step : steps) {
        step.command();
        SCOPED_TRACE(int(step.state));
        EXPECT_EQ(menu->textState(), step.state);
        EXPECT_EQ(host->supertext.isReadOnly(), step.locked);
        EXPECT_EQ(enabled("opencor"), step.correction);
        EXPECT_EQ(enabled("Closexo"), step.close);
        EXPECT_EQ(host->fich.text(), step.fich);
        EXPECT_FALSE(menu->textModified());
        // Every other item is always there to use.
        for (const char *item : {"PRISENMAIN", "openexo", "savetexte", "opentexte", "imprimetexte"})
            EXPECT_TRUE(enabled(item)) << item;
    }
    EXPECT_TRUE(boxes.isEmpty());
    EXPECT_EQ(host->loaded, (QStringList{dir + "CONFIG.P09", dir + "cor.P09"}));
}

TEST_F(ExercisesTest, EditsAreGuarded) {
    ASSERT_TRUE(open("a.E21"));
    type("Ma réponse");
    ASSERT_TRUE(menu->textModified());
    const QString edited = text();

    // Cancel keeps the edited statement, still guarded, whatever the command.
    writeFile(dir + "focalines.PEM", exerciseBytes(records("ENONCE.RTF", "", "", "")));
    const std::function<void()> commands[] = {
        [this] { menu->showCorrection(); }, [this] { menu->retrieveText(); },
        [this] { menu->closeExercise(); }, [this] { menu->showExercisesWindow(); },
        [this] { menu->openGettingStarted(); }};
    for (const auto &command : commands) {
        answer(QMessageBox::Cancel);
        command();
    }
    // Enter answers Cancel.
    answerWithEnter();
    menu->closeExercise();
    EXPECT_EQ(boxes.size(), 6);
    EXPECT_EQ(boxes.value(0), QStringLiteral("Abandon des données?|Attention: perte des "
                                             "modifications du texte."));
    EXPECT_EQ(text(), edited);
    EXPECT_TRUE(menu->textModified());

    // OK, then nothing chosen: the text is still the edited one, and still guarded.
    answer(QMessageBox::Ok);
    menu->retrieveText();
    answer(QMessageBox::Ok);
    QTimer::singleShot(100, [] {
        if (auto *w = qobject_cast<Fichexo *>(QApplication::activeModalWidget()))
            w->closeButton()->click();
    });
    menu->showExercisesWindow();
    EXPECT_EQ(boxes.size(), 8);
    EXPECT_EQ(text(), edited);
    EXPECT_TRUE(menu->textModified());

    // OK goes on.
    answer(QMessageBox::Ok);
    menu->showCorrection();
    EXPECT_EQ(text(), "Corrige de l'exercice");
    EXPECT_FALSE(menu->textModified());
    // The correction is locked; nothing typed there is guarded.
    EXPECT_TRUE(host->supertext.isReadOnly());
}

TEST_F(ExercisesTest, SavingTheText) {
    ASSERT_TRUE(open("a.E21"));
    type("Réponse 1");
    chosenFile = dir + "copie.rtf";
    menu->saveText();
    EXPECT_FALSE(menu->textModified());
    const QByteArray saved = readFile(chosenFile);
    EXPECT_FALSE(saved.isEmpty());

    // Onto an existing file, Cancel: neither the file nor the flag change.
    type(" et 2");
    answer(QMessageBox::Cancel);
    menu->saveText();
    EXPECT_EQ(boxes.value(0), QString::fromUtf8("Ecraser le fichier?|Le fichier copie.rtf existe "
                                                "déjà.\nEcraser l'ancien?"));
    EXPECT_EQ(readFile(chosenFile), saved);
    EXPECT_TRUE(menu->textModified());

    // OK replaces it.
    answer(QMessageBox::Ok);
    menu->saveText();
    EXPECT_NE(readFile(chosenFile), saved);
    EXPECT_FALSE(menu->textModified());

    // A folder that does not exist: the message, and the text is still unsaved.
    type(" et 3");
    chosenFile = dir + "absent/copie.rtf";
    answer(QMessageBox::Ok);
    menu->saveText();
    EXPECT_EQ(boxes.value(2), QString::fromUtf8("Erreur d'écriture.|Vérifier l'état du lecteur et "
                                                "le nom du fichier."));
    EXPECT_TRUE(menu->textModified());

    // A cancelled dialog does nothing.
    chosenFile.clear();
    menu->saveText();
    EXPECT_EQ(boxes.size(), 3);
}

TEST_F(ExercisesTest, TextDialogsOpenInTheLastTextFolderElseTheDocuments) {
    // A user's home of the test's own, with its documents folder.
    QTemporaryDir home;
    const QByteArray realHome = qgetenv("HOME");
    qputenv("HOME", home.path().toLocal8Bit());
    QDir(home.path()).mkpath("Documents");
    ExerciseMenu real(*host); // with Qt's dialogs
    QStringList opened;
    const auto inDialog = [&opened](const QString &choice) {
        QTimer::singleShot(50, [&opened, choice] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            if (!dialog) return;
            opened << dialog->directory().absolutePath();
            if (choice.isEmpty()) return dialog->reject();
            // Typed, as the user does.
            dialog->findChild<QLineEdit *>("fileNameEdit")->setText(choice);
            static_cast<QDialog *>(dialog)->accept();
            if (dialog->isVisible()) dialog->reject(); // the name refused: the test fails
        });
    };
    // An exercise of the program's folder is open, and the process works there.
    ASSERT_TRUE(open("a.E21"));
    inDialog("");
    real.saveText();
    // Saved elsewhere, the next dialogs open there.
    QTemporaryDir elsewhere;
    inDialog(elsewhere.filePath("réponses.rtf"));
    real.saveText();
    inDialog("");
    real.retrieveText();
    qputenv("HOME", realHome);
    EXPECT_EQ(opened, (QStringList{home.path() + "/Documents", home.path() + "/Documents",
                                   elsewhere.path()}));
    EXPECT_TRUE(QFile::exists(elsewhere.filePath("réponses.rtf")));
}

TEST_F(ExercisesTest, RetrievingAText) {
    ASSERT_TRUE(open("a.E21"));
    writeFile(dir + "notes.rtf", "Mes notes");
    chosenFile = dir + "notes.rtf";
    menu->retrieveText();
    EXPECT_EQ(text(), "Mes notes");
    EXPECT_EQ(host->fich.text(), "Texte: " + dir + "notes.rtf");
    EXPECT_FALSE(menu->correctionAvailable());

    // A file that cannot be read stops at its message with the text as it was.
    chosenFile = dir + "absent.rtf";
    answer(QMessageBox::Ok);
    menu->retrieveText();
    EXPECT_EQ(boxes, QStringList{QString::fromUtf8("Erreur de lecture.|Vérifier l'état du lecteur "
                                                   "et le nom du fichier.")});
    EXPECT_EQ(text(), "Mes notes");
    EXPECT_EQ(host->fich.text(), "Texte: " + dir + "notes.rtf");
}

TEST_F(ExercisesTest, GettingStartedMaterial) {
    // Without the file, nothing happens.
    menu->openGettingStarted();
    EXPECT_TRUE(host->fich.text().isEmpty());
    EXPECT_TRUE(boxes.isEmpty());

    // A file whose statement is missing: the installation message.
    writeFile(dir + "focalines.pem", exerciseBytes(records("absent.rtf", "", "", "")));
    answer(QMessageBox::Ok);
    menu->openGettingStarted();
    EXPECT_EQ(boxes, QStringList{"Erreur lors du chargement|Fichier introuvable. Revoir "
                                 "l'installation du logiciel."});
    EXPECT_TRUE(host->fich.text().isEmpty());

    writeFile(dir + "focalines.pem", exerciseBytes(records("enonce.rtf", "config.P09", "", "")));
    menu->openGettingStarted();
    EXPECT_EQ(host->fich.text(), dir + "focalines.pem");
    EXPECT_EQ(host->loaded, QStringList{dir + "CONFIG.P09"});
    type("x");
    EXPECT_TRUE(menu->textModified());
}

TEST_F(ExercisesTest, RequestsAndTheCommandLine) {
    QDir(dir).mkpath("Serie");
    writeFile(dir + "Serie/R.E21", exerciseBytes(records("ENONCE.RTF", "", "", "")));
    menu->serveRequest("serie\\r.e21");
    EXPECT_EQ(host->fich.text(), dir + "Serie/R.E21");
    EXPECT_EQ(text(), "Enonce de l'exercice");
    // Served by the launcher, the correction may be shown whatever the file says.
    EXPECT_TRUE(menu->correctionAvailable());

    // An edited text is asked about first; Cancel keeps it.
    type("Notes");
    answer(QMessageBox::Cancel);
    menu->serveRequest("a.E21");
    EXPECT_EQ(host->fich.text(), dir + "Serie/R.E21");
    EXPECT_TRUE(menu->textModified());

    // A request for a file that is not there: its message, and nothing else changes.
    answer(QMessageBox::Ok);
    menu->closeExercise();
    boxes.clear();
    answer(QMessageBox::Ok);
    menu->serveRequest("absent.E21");
    EXPECT_EQ(boxes.size(), 1);
    EXPECT_FALSE(menu->correctionAvailable());
    EXPECT_TRUE(host->fich.text().isEmpty());
    // A name reaching outside the program's folder is as missing, even when it exists.
    answer(QMessageBox::Ok);
    menu->serveRequest("Serie/../../" + QDir(dir).dirName() + "/a.E21");
    EXPECT_EQ(boxes.value(1), boxes.value(0));
    EXPECT_TRUE(host->fich.text().isEmpty());

    // From the command line, from its own folder, with its own correction state.
    menu->openExerciseFile(dir + "Serie/../b.e21");
    EXPECT_EQ(text(), "Enonce de l'exercice");
    EXPECT_FALSE(menu->correctionAvailable());
    menu->openExerciseFile(dir + "a.E21");
    EXPECT_TRUE(menu->correctionAvailable());
    EXPECT_EQ(menu->exerciseDir(), dir);
}

TEST_F(ExercisesTest, PrintingTheSelectionOrTheWholeText) {
    ASSERT_TRUE(open("a.E21"));
    QTextCursor cursor = host->supertext.textCursor();
    EXPECT_EQ(menu->textToPrint(true)->toPlainText(), text());
    cursor.setPosition(0);
    cursor.setPosition(6, QTextCursor::KeepAnchor);
    host->supertext.setTextCursor(cursor);
    EXPECT_EQ(menu->textToPrint(true)->toPlainText(), "Enonce");
    EXPECT_EQ(menu->textToPrint(false)->toPlainText(), text());

    // Through the print dialog, then the file proposed, into a PDF file.
    QPrinter &printer = printing::PrinterChoice::shared().printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir + "texte.pdf");
    QTimer accepting;
    QObject::connect(&accepting, &QTimer::timeout, [] {
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
            dialog->accept();
    });
    accepting.start(50);
    menu->printText();
    EXPECT_TRUE(readFile(dir + "texte.pdf").startsWith("%PDF"));
}

} // namespace
