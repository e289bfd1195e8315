// Hostile files opened in the real main window the ways a user opens them: each one is refused
// with its French message or shown soundly, the bench and the window's title stay as they were,
// and no file of the folder changes.

#include "MainWindowFixture.h"

#include "bench/BenchHistory.h"
#include "config/ConfigurationFile.h"
#include "config/HandOverFile.h"
#include "config/RecordFile.h"
#include "config/windows/DirectoryBrowser.h"
#include "config/windows/OpenWindow.h"
#include "exercises/ExerciseMenu.h"
#include "exercises/Fichexo.h"

#include <QAction>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QListWidget>
#include <QMap>

#include <functional>
#include <random>

namespace {

const QString NotValid =
    QStringLiteral("Fichier non valide|Ce fichier ne correspond pas à cette application");
const QString ReadFailure =
    QStringLiteral("Erreur lors du chargement du fichier|Lecture impossible sur disque");
const QString ExerciseUnreadable =
    QStringLiteral("Lecture impossible|Vérifier:\n- le nom du fichier,\n- l'état du lecteur.");
const QString TextUnreadable =
    QStringLiteral("Erreur de lecture.|Vérifier l'état du lecteur et le nom du fichier.");

// The same bytes on every platform for a seed: mt19937's output is fixed by the standard.
QByteArray randomBytes(qsizetype size, unsigned seed) {
    std::mt19937 generator(seed);
    QByteArray bytes(size, '\0');
    for (char &c : bytes)
        c = char(generator() & 0xff);
    return bytes;
}

QByteArray withLength(QByteArray bytes, int record, int length) {
    bytes[(record - 1) * config::RecordSize] = char(length & 0xff);
    bytes[(record - 1) * config::RecordSize + 1] = char(length >> 8);
    return bytes;
}

QByteArray records(const QStringList &texts) {
    config::RecordWriter w;
    for (int n = 0; n < texts.size(); ++n)
        EXPECT_TRUE(w.put(n + 1, texts[n]));
    return w.bytes();
}

// An exercise: statement, configuration, correction, correction's configuration, difficulty.
QByteArray exercise(const QString &statement, const QString &configuration = {},
                    const QString &correction = {}, const QString &correctionConfiguration = {}) {
    return records({statement, configuration, correction, correctionConfiguration, " 1"});
}

void writeFile(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(f.write(bytes), bytes.size());
}

// Every entry under `dir`, hidden ones included: a file with the hash of its bytes, a folder
// with "/". The launcher's hand-over file is left out: taking a request empties its record.
QMap<QString, QByteArray> folderContents(const QString &dir) {
    QMap<QString, QByteArray> contents;
    QDirIterator it(dir, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo entry = it.nextFileInfo();
        if (entry.fileName() == config::HandOverFile::FileName) continue;
        QByteArray hash = "/";
        QFile f(entry.filePath());
        if (entry.isFile() && f.open(QIODevice::ReadOnly))
            hash = QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
        contents.insert(entry.filePath(), hash);
    }
    return contents;
}

class HostileFiles : public MainWindowTest {
  protected:
    // What must not change when a file is refused.
    struct Seen {
        bench::BenchState bench;
        QImage picture;
        QString title, fileName, fich, text;
        bool locked;
        int undoSteps, redoSteps;
    };

    void SetUp() override {
        startApplication(oneScreen(1920, 1080));
        MainWindowTest::SetUp();
        previousDir = QDir::currentPath();
        dir = programDir.path() + QLatin1Char('/');
        QDir::setCurrent(dir);
        // The bench differs from the start-up one and names a good file.
        check1(*window, bench::TwoLenses)->click();
        hscroll(*window, 2)->setValue(60);
        ASSERT_FALSE(config::saveConfiguration(window->bench(), dir + "bon.P09"));
        window->openConfiguration(dir + "bon.P09");
        ASSERT_EQ(window->windowTitle(), "Focalines - " + dir + "bon.P09");
    }
    void TearDown() override {
        QDir::setCurrent(previousDir);
        MainWindowTest::TearDown();
    }

    Seen seen() const {
        return {window->bench(),
                window->figurePicture(),
                window->windowTitle(),
                window->currentFileName(),
                fich(*window)->text(),
                supertext(*window)->toPlainText(),
                supertext(*window)->isReadOnly(),
                window->history().undoCount(),
                window->history().redoCount()};
    }

    void expectBenchAsBefore(const Seen &before) const {
        const Seen now = seen();
        EXPECT_TRUE(bench::sameInputs(now.bench, before.bench));
        EXPECT_EQ(now.bench.drawScale, before.bench.drawScale);
        EXPECT_EQ(now.picture, before.picture);
        EXPECT_EQ(now.title, before.title);
        EXPECT_EQ(now.fileName, before.fileName);
        // A refused file is no step to undo.
        EXPECT_EQ(now.undoSteps, before.undoSteps);
        EXPECT_EQ(now.redoSteps, before.redoSteps);
    }

    void expectTextAsBefore(const Seen &before) const {
        EXPECT_EQ(fich(*window)->text(), before.fich);
        EXPECT_EQ(supertext(*window)->toPlainText(), before.text);
        EXPECT_EQ(supertext(*window)->isReadOnly(), before.locked);
    }

    // Runs `action`, answering every message box it shows with OK; their "title|text" in order.
    static QStringList messagesOf(const std::function<void()> &action) {
        QStringList shown;
        QTimer answerer;
        QObject::connect(&answerer, &QTimer::timeout, [&shown] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                shown << box->windowTitle() + QLatin1Char('|') + box->text();
                box->button(QMessageBox::Ok)->click();
            }
        });
        answerer.start(10);
        action();
        return shown;
    }

    // Drives the window of type W once it is the active modal window.
    template <class W> static void whenShown(std::function<void(W *)> drive, int attempts = 200) {
        QTimer::singleShot(10, [drive, attempts] {
            if (auto *w = qobject_cast<W *>(QApplication::activeModalWidget()))
                drive(w);
            else if (attempts > 0)
                whenShown<W>(drive, attempts - 1);
        });
    }

    // "Ouvrir" of the main window, the file typed into the open window.
    void openInOpenWindow(const QString &path) {
        whenShown<config::OpenWindow>([path](config::OpenWindow *w) {
            child<QLineEdit>(*w, "ficharge")->setText(path);
            child<QPushButton>(*w, "Command1")->click();
        });
        commandButton(*window, QStringLiteral("Command2"))->click();
    }

    // "Ouvrir un exercice" of the exercise menu: the file chosen in the list, then "open".
    // A window left open by a refusal is closed as the user would.
    void openInExercisesWindow(const QString &name) {
        whenShown<exercises::Fichexo>([name](exercises::Fichexo *w) {
            const auto items = w->browser()->fileList()->findItems(name, Qt::MatchExactly);
            if (items.isEmpty()) {
                ADD_FAILURE() << "not listed: " << name.toStdString();
            } else {
                w->browser()->fileList()->setCurrentItem(items.first());
                w->ouvreur()->click();
            }
            if (w->isVisible()) w->closeButton()->click();
        });
        window->exerciseMenu()->item(QStringLiteral("openexo"))->trigger();
    }

    void openAsLauncherRequest(const QString &name) {
        window->exerciseRequestFile().writeRecord(config::HandOverFile::RequestRecord, name);
        window->formActivate();
    }

    QString previousDir;
    QString dir;
};

TEST_F(HostileFiles, ConfigurationsAreRefusedWithTheirMessage) {
    const QByteArray good = *config::configurationBytes(window->bench());
    QByteArray magicPadded = good;
    magicPadded[0] = char(config::RecordTextMax); // "FOCALINES" and 117 zero bytes
    QByteArray hugeNumber = good;
    hugeNumber.replace(3 * config::RecordSize, 9, QByteArray("\x07\x00 1E+300", 9)); // axis length
    const struct {
        const char *file;
        QByteArray bytes;
        QString message;
    } cases[] = {
        {"vide.P09", {}, NotValid},
        {"coupe-record-1.P09", good.left(7), NotValid},
        {"coupe-record-20.P09", good.left(20 * config::RecordSize), ReadFailure},
        {"coupe-record-35.P09", good.left(34 * config::RecordSize + 60), ReadFailure},
        {"magie-seule.P09", records({"FOCALINES"}), ReadFailure},
        {"longueur-ffff-record-1.P09", withLength(good, 1, 0xffff), NotValid},
        {"longueur-127-record-30.P09", withLength(good, 30, 127), ReadFailure},
        {"longueur-8000-record-35.P09", withLength(good, 35, 0x8000), ReadFailure},
        {"longueur-126-magie.P09", magicPadded, NotValid},
        {"nombre-demesure.P09", hugeNumber, ReadFailure},
        {"aleatoire.P09", randomBytes(35 * config::RecordSize, 9), NotValid},
        {"aleatoire-long.P09", randomBytes(1 << 20, 21), NotValid},
        {"magie-minuscules.P09", records({"focalines"}) + good.mid(config::RecordSize), NotValid},
        {"magie-espace.P09", records({"FOCALINES "}) + good.mid(config::RecordSize), NotValid},
        {"magie-autre.P09", records({"FOCALINEZ"}) + good.mid(config::RecordSize), NotValid},
    };
    for (const auto &c : cases)
        writeFile(dir + c.file, c.bytes);
    const auto files = folderContents(dir);
    const Seen before = seen();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file);
        const QString path = dir + c.file;
        EXPECT_EQ(messagesOf([&] { openInOpenWindow(path); }), QStringList{c.message});
        expectBenchAsBefore(before);
        EXPECT_EQ(messagesOf([&] { window->openConfiguration(path); }), QStringList{c.message});
        expectBenchAsBefore(before);
    }
    expectTextAsBefore(before);
    EXPECT_EQ(folderContents(dir), files);
}

TEST_F(HostileFiles, ExercisesAreRefusedOrShownSoundly) {
    // The statement nested 100 000 groups deep reads as its text.
    writeFile(dir + "profond.rtf", "{\\rtf1 " + QByteArray(100000, '{') + "\\b profond" +
                                       QByteArray(100000, '}') + " fin}");
    writeFile(dir + "enonce.rtf", "{\\rtf1 Enonce\\par}");
    writeFile(dir + "corrige.rtf", "{\\rtf1 Corrige\\par}");
    writeFile(dir + "binaire.rtf", randomBytes(4000, 5));
    writeFile(dir + "aleatoire.P09", randomBytes(35 * config::RecordSize, 7));
    ASSERT_TRUE(QDir(dir).mkdir("dossier.rtf"));
    // Listed first, so that the exercises window's first preview shows no message.
    writeFile(dir + "00-bon.E21", exercise("enonce.rtf"));

    // "Fichier absent" for a name of the exercise, read in the exercise's folder.
    const auto absent = [this](const QString &name) {
        return QStringList{"Fichier absent|Le fichier " + dir + name + " est introuvable"};
    };
    // A text of the exercise that is there but is no text: named, and said so.
    const auto illegible = [this](const QString &name) {
        return QStringList{"Fichier illisible|Le fichier " + dir + name +
                           QString::fromUtf8(" existe, mais ce n'est pas un texte que Focalines "
                                             "sait lire (RTF ou texte brut).")};
    };
    const QStringList unreadable{ExerciseUnreadable}, notValid{NotValid};
    const QByteArray longTitle =
        withLength(records({"enonce.rtf", "", "", "", "", "", "", "", "", "", "T"}), 11, 127);
    const struct {
        const char *file;
        QByteArray bytes;
        QStringList messages;   // on opening
        QString shown;          // the text then shown; null: the text as it was
        QStringList correction; // on "Voir la correction" after an opening that showed it
    } cases[] = {
        {"aleatoire.E21", randomBytes(3000, 11), unreadable, {}, {}},
        {"longueur-ffff.E21", withLength(exercise("enonce.rtf"), 1, 0xffff), unreadable, {}, {}},
        {"longueur-127-titre.E21", longTitle, unreadable, {}, {}},
        {"vide.E21", {}, absent(""), {}, {}},
        {"enonce-absent.E21", exercise("absent.rtf"), absent("absent.rtf"), {}, {}},
        {"enonce-binaire.E21", exercise("binaire.rtf"), illegible("binaire.rtf"), {}, {}},
        {"enonce-dossier.E21", exercise("dossier.rtf"), absent("dossier.rtf"), {}, {}},
        {"enonce-profond.E21", exercise("profond.rtf"), {}, "profond fin", {}},
        {"config-absente.E21",
         exercise("enonce.rtf", "absente.P09"),
         absent("absente.P09"),
         "Enonce",
         {}},
        {"config-aleatoire.E21", exercise("enonce.rtf", "aleatoire.P09"), notValid, "Enonce", {}},
        {"corrige-absent.E21",
         exercise("enonce.rtf", "", "absent.rtf"),
         {},
         "Enonce",
         absent("absent.rtf")},
        {"corrige-binaire.E21",
         exercise("enonce.rtf", "", "binaire.rtf"),
         {},
         "Enonce",
         illegible("binaire.rtf")},
        {"config-corrigee-absente.E21",
         exercise("enonce.rtf", "", "corrige.rtf", "absente.P09"),
         {},
         "Enonce",
         absent("absente.P09")},
        {"config-corrigee-aleatoire.E21",
         exercise("enonce.rtf", "", "corrige.rtf", "aleatoire.P09"),
         {},
         "Enonce",
         notValid},
    };
    for (const auto &c : cases)
        writeFile(dir + c.file, c.bytes);
    const auto files = folderContents(dir);

    using Open = std::function<void(const QString &file)>;
    const struct {
        const char *way;
        Open open;
        bool selectionPreviews; // an unreadable file is also reported when selected
    } ways[] = {
        {"ligne de commande",
         [this](const QString &file) { window->exerciseMenu()->openExerciseFile(dir + file); },
         false},
        {"fenetre des exercices", [this](const QString &file) { openInExercisesWindow(file); },
         true},
        {"lanceur", [this](const QString &file) { openAsLauncherRequest(file); }, false},
    };
    for (const auto &way : ways) {
        for (const auto &c : cases) {
            SCOPED_TRACE(std::string(way.way) + " : " + c.file);
            QStringList messages = c.messages;
            if (way.selectionPreviews && messages == QStringList{ExerciseUnreadable})
                messages.prepend(ExerciseUnreadable);
            const Seen before = seen();
            EXPECT_EQ(messagesOf([&] { way.open(c.file); }), messages);
            expectBenchAsBefore(before);
            if (c.shown.isNull()) {
                expectTextAsBefore(before);
                continue;
            }
            EXPECT_EQ(supertext(*window)->toPlainText(), c.shown);
            EXPECT_EQ(fich(*window)->text(), dir + c.file);
            if (c.correction.isEmpty()) continue;
            QAction *correction = window->exerciseMenu()->item(QStringLiteral("opencor"));
            window->exerciseMenu()->updateEnabling();
            ASSERT_TRUE(correction->isEnabled());
            const Seen shown = seen();
            EXPECT_EQ(messagesOf([&] { correction->trigger(); }), c.correction);
            expectBenchAsBefore(shown);
            // A configuration refused: the correction's text shows all the same.
            if (c.correction.first() == NotValid || c.correction.first().contains(".P09")) {
                EXPECT_EQ(supertext(*window)->toPlainText(), "Corrige");
                EXPECT_TRUE(supertext(*window)->isReadOnly());
            } else {
                expectTextAsBefore(shown);
            }
        }
    }
    EXPECT_EQ(folderContents(dir), files);
}

// "Retrouver un texte" of the exercise menu on hostile rich-text files.
TEST_F(HostileFiles, RetrievedTextsAreShownOrRefused) {
    writeFile(dir + "profond.rtf",
              "{\\rtf1 " + QByteArray(100000, '{') + "texte" + QByteArray(100000, '}') + "}");
    writeFile(dir + "ouvert.rtf", "{\\rtf1 " + QByteArray(100000, '{') + "sans fin");
    writeFile(dir + "binaire.rtf", randomBytes(4000, 3));
    writeFile(dir + "binaire-rtf.rtf", "{\\rtf1 " + randomBytes(4000, 4));
    ASSERT_TRUE(QDir(dir).mkdir("dossier.rtf"));
    const struct {
        const char *file;
        QStringList messages;
        QString shown; // null: the text as it was
    } cases[] = {
        {"absent.rtf", {TextUnreadable}, {}},  {"dossier.rtf", {TextUnreadable}, {}},
        {"binaire.rtf", {TextUnreadable}, {}}, {"profond.rtf", {}, "texte"},
        {"ouvert.rtf", {}, "sans fin"},
    };
    const auto files = folderContents(dir);
    exercises::ExerciseMenu *menu = window->exerciseMenu();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file);
        menu->chooseOpenFile = [&](QWidget *) { return dir + c.file; };
        const Seen before = seen();
        EXPECT_EQ(messagesOf([&] { menu->item(QStringLiteral("opentexte"))->trigger(); }),
                  c.messages);
        expectBenchAsBefore(before);
        if (c.shown.isNull()) {
            expectTextAsBefore(before);
        } else {
            EXPECT_EQ(supertext(*window)->toPlainText(), c.shown);
            EXPECT_EQ(fich(*window)->text(), "Texte: " + dir + c.file);
        }
    }
    // RTF bytes after a valid header are read for what they hold, without a message.
    menu->chooseOpenFile = [&](QWidget *) { return dir + "binaire-rtf.rtf"; };
    EXPECT_EQ(messagesOf([&] { menu->item(QStringLiteral("opentexte"))->trigger(); }),
              QStringList{});
    EXPECT_EQ(fich(*window)->text(), "Texte: " + dir + "binaire-rtf.rtf");
    EXPECT_EQ(folderContents(dir), files);
}

} // namespace
