#include "bench/BenchControls.h"
#include "bench/FieldBounds.h"
#include "config/ConfigurationFile.h"
#include "config/ConfigurationHost.h"
#include "config/RecordFile.h"
#include "config/windows/DirectoryBrowser.h"
#include "config/windows/OpenWindow.h"
#include "config/windows/SaveWindow.h"

#include "support/TestSupport.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>

using namespace config;

namespace {

// The main window's side, over a plain bench; the loader's messages are recorded, not shown.
struct FakeHost : ConfigurationHost {
    QString currentFileName() const override { return fileName; }
    void setCurrentFileName(const QString &path) override { fileName = path; }
    bench::BenchState benchForSaving() override { return state; }
    void configurationSaved() override { ++saves; }
    void loadConfiguration() override {
        ++loads;
        if (duringLoad) duringLoad();
        if (auto error = config::loadConfiguration(state, fileName)) messages.push_back(*error);
    }

    bench::BenchState state = bench::BenchState::startup();
    QString fileName;
    int saves = 0;
    int loads = 0;
    std::vector<FileError> messages;
    std::function<void()> duringLoad;
};

struct SeenBox {
    QMessageBox::Icon icon;
    QString title;
    QString text;
    bool operator==(const SeenBox &) const = default;
};

std::ostream &operator<<(std::ostream &os, const SeenBox &b) {
    return os << b.icon << " " << b.title.toStdString() << " / " << b.text.toStdString();
}

const SeenBox NoName{QMessageBox::Critical, "Enregistrement impossible",
                     "Il faut donner un nom au fichier!"};
const SeenBox Overwrite{QMessageBox::Warning, QString::fromUtf8("Ce fichier existe déjà!"),
                        "Ecraser le fichier existant?"};
const SeenBox WriteFailed{QMessageBox::Critical, "Enregistrement impossible",
                          "Ecriture impossible sur disque"};
const SeenBox NoSuchFile{QMessageBox::Critical, "impossible d'ouvrir ce fichier",
                         "Nom de fichier incorrect ou chemin non valide"};

QByteArray contents(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QStringList texts(const QListWidget *list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

// The place, folder and file lists of a save or open window.
DirectoryBrowser *browser(const QWidget &window) {
    return window.findChild<DirectoryBrowser *>();
}

QTreeWidgetItem *folderItem(const DirectoryBrowser *browser, const QString &path) {
    const QTreeWidget *tree = child<QTreeWidget>(*browser, "Dir1");
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget *>(tree)); *it; ++it)
        if ((*it)->data(0, Qt::UserRole).toString() == path) return *it;
    return nullptr;
}

void doubleClick(QAbstractItemView *view, const QRect &rect) {
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, rect.center());
}

// Each test works in its own temporary directory, the process's current directory, and answers
// every message box from a timer: with `answer` when the box has it, with its only button
// otherwise.
class ConfigWindows : public ::testing::Test {
  protected:
    void SetUp() override {
        ensureApplication<QApplication>();
        ASSERT_TRUE(dir.isValid());
        previous = QDir::currentPath();
        root = QDir(dir.path()).canonicalPath();
        QDir::setCurrent(root);
        QObject::connect(&boxTimer, &QTimer::timeout, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box) return;
            boxes.push_back({box->icon(), box->windowTitle(), box->text()});
            QAbstractButton *button = box->button(answer);
            (button ? button : box->buttons().first())->click();
        });
        boxTimer.start(5);
    }
    void TearDown() override { QDir::setCurrent(previous); }

    QString path(const QString &name) const { return root + "/" + name; }
    QString mkdir(const QString &name) const {
        QDir(root).mkpath(name);
        return path(name);
    }
    QByteArray hostBytes() const { return *configurationBytes(host.state); }

    QTemporaryDir dir;
    QString previous, root;
    FakeHost host;
    QTimer boxTimer;
    QMessageBox::StandardButton answer = QMessageBox::Ok;
    std::vector<SeenBox> boxes;
};

} // namespace

TEST(SettleName, StripsEveryExtensionAndGoesIntoTheDirectory) {
    const struct {
        const char *typed, *directory, *expected;
    } rows[] = {
        {"essai", "/d", "/d/essai.P09"},
        {"  essai  ", "/d", "/d/essai.P09"},
        {"essai.P09", "/d", "/d/essai.P09"},
        {"essai.txt", "/d", "/d/essai.P09"},
        {"essai.tar.gz", "/d", "/d/essai.P09"},
        {"essai .P09", "/d", "/d/essai.P09"},
        {"essai.p09", "/d", "/d/essai.p09"}, // a listed lower-case file keeps its name
        {"essai", "/", "/essai.P09"},
        {"/autre/essai.P09", "/d", "/autre/essai.P09"},
        {"/home/jean.dupont/optique.P09", "/d", "/home/jean.dupont/optique.P09"},
        {"sous/essai", "/d", "/d/sous/essai.P09"},
        {"a\\b", "/d", "/d/a\\b.P09"}, // a backslash is part of a Linux file name
    };
    for (const auto &r : rows)
        EXPECT_EQ(SaveWindow::settleName(r.typed, r.directory), QString(r.expected)) << r.typed;
}

TEST(SettleName, RefusesNamesThatAreEmptyOnceStripped) {
    for (const char *typed : {"", "   ", ".P09", " .P09 ", "..", ".a.b", "/d/.P09", "/d/", "x/ "})
        EXPECT_EQ(SaveWindow::settleName(typed, "/d"), std::nullopt) << typed;
}

TEST_F(ConfigWindows, FileListShowsConfigurationsWhateverTheCase) {
    writeFile(path("b.p09"), "x");
    writeFile(path("a.P09"), "x");
    writeFile(path("c.txt"), "x");
    writeFile(path("zoé.P09"), "x");
    writeFile(path("élève.P09"), "x");
    mkdir("d.P09");
    OpenWindow window(host);
    EXPECT_EQ(browser(window)->directory(), root); // the lists start in the current directory
    // Sorted in French: accented names among the others.
    EXPECT_EQ(texts(child<QListWidget>(window, "File1")),
              QStringList({"a.P09", "b.p09", "élève.P09", "zoé.P09"}));
    ASSERT_NE(folderItem(browser(window), path("d.P09")), nullptr);
    EXPECT_EQ(child<QComboBox>(window, "Drive1")->currentText(),
              DirectoryBrowser::placeOf(root, DirectoryBrowser::places()));
    EXPECT_FALSE(browser(window)->setDirectory(path("absent")));
    EXPECT_EQ(browser(window)->directory(), root);
}

TEST_F(ConfigWindows, BareNameIsSavedInTheChosenFolder) {
    const QString sub = mkdir("sous");
    SaveWindow window(host);
    window.show();
    // Enter in the folder list opens the folder and does not save.
    QTreeWidget *folders = child<QTreeWidget>(window, "Dir1");
    folders->setCurrentItem(folderItem(browser(window), sub));
    QTest::keyClick(folders, Qt::Key_Return);
    ASSERT_EQ(browser(window)->directory(), sub);
    EXPECT_TRUE(window.isVisible());

    QTest::keyClicks(child<QLineEdit>(window, "Text1"), "essai");
    QTest::mouseClick(child<QPushButton>(window, "Command1"), Qt::LeftButton);
    const QString saved = sub + "/essai.P09";
    EXPECT_EQ(contents(saved), hostBytes());
    EXPECT_EQ(host.fileName, saved);
    EXPECT_EQ(child<QLineEdit>(window, "Text1")->text(), saved);
    EXPECT_EQ(QDir::currentPath(), sub);
    EXPECT_EQ(host.saves, 1);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ConfigWindows, NamesWithAnExtensionGiveTheSameFile) {
    answer = QMessageBox::Yes;
    for (const char *typed : {"essai.P09", "essai.txt"}) {
        SaveWindow window(host);
        window.show();
        child<QLineEdit>(window, "Text1")->setText(typed);
        QTest::keyClick(child<QLineEdit>(window, "Text1"), Qt::Key_Return); // Enter saves
        EXPECT_EQ(host.fileName, path("essai.P09")) << typed;
        EXPECT_FALSE(window.isVisible());
    }
    EXPECT_EQ(QDir(root).entryList(QDir::Files), QStringList{"essai.P09"});
    EXPECT_EQ(boxes, std::vector<SeenBox>{Overwrite}); // the second save replaces the first
}

TEST_F(ConfigWindows, AnExtensionInAnotherCaseNamesTheExistingFile) {
    answer = QMessageBox::Yes;
    const struct {
        const char *existing, *typed, *saved;
        QStringList files;
    } cases[] = {
        {"essai.P09", "essai.p09", "essai.P09", {"essai.P09"}},
        {"essai.p09", "essai", "essai.p09", {"essai.p09"}},
        {"essai.p09", "essai.P09", "essai.p09", {"essai.p09"}},
        // The file name itself keeps its case: another name is another file.
        {"ESSAI.P09", "essai", "essai.P09", {"ESSAI.P09", "essai.P09"}},
    };
    for (const auto &c : cases) {
        for (const QString &f : QDir(root).entryList(QDir::Files))
            QFile::remove(path(f));
        boxes.clear();
        writeFile(path(c.existing), "old");
        SaveWindow window(host);
        window.show();
        child<QLineEdit>(window, "Text1")->setText(c.typed);
        QTest::keyClick(child<QLineEdit>(window, "Text1"), Qt::Key_Return);
        EXPECT_EQ(host.fileName, path(c.saved)) << c.typed;
        EXPECT_EQ(contents(path(c.saved)), hostBytes()) << c.typed;
        EXPECT_EQ(QDir(root).entryList(QDir::Files, QDir::Name), c.files) << c.typed;
        EXPECT_EQ(boxes.size(), c.files.size() == 1 ? 1u : 0u) << c.typed;
    }
}

TEST_F(ConfigWindows, EmptyNamesAreRefused) {
    for (const char *typed : {"   ", ".P09"}) {
        boxes.clear();
        SaveWindow window(host);
        window.show();
        child<QLineEdit>(window, "Text1")->setText(typed);
        QTest::mouseClick(child<QPushButton>(window, "Command1"), Qt::LeftButton);
        EXPECT_EQ(boxes, std::vector<SeenBox>{NoName}) << typed;
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(window.cursor().shape(), Qt::ArrowCursor);
        QTest::mouseClick(child<QPushButton>(window, "Command2"), Qt::LeftButton);
        EXPECT_FALSE(window.isVisible());
        EXPECT_EQ(window.result(), QDialog::Rejected);
    }
    EXPECT_TRUE(QDir(root).entryList(QDir::Files).isEmpty());
    EXPECT_EQ(host.saves, 0);
    EXPECT_EQ(host.fileName, "");
}

TEST_F(ConfigWindows, SecondSaveOffersThePathAndAsksBeforeReplacing) {
    const QString saved = path("essai.P09");
    {
        SaveWindow window(host);
        child<QLineEdit>(window, "Text1")->setText("essai");
        ASSERT_TRUE(window.save());
    }
    writeFile(saved, "old");
    SaveWindow window(host);
    window.show();
    EXPECT_EQ(child<QLineEdit>(window, "Text1")->text(), saved);

    answer = QMessageBox::No;
    QTest::mouseClick(child<QPushButton>(window, "Command1"), Qt::LeftButton);
    EXPECT_EQ(boxes, std::vector<SeenBox>{Overwrite});
    EXPECT_EQ(contents(saved), "old");
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(host.saves, 1);

    answer = QMessageBox::Yes;
    QTest::mouseClick(child<QPushButton>(window, "Command1"), Qt::LeftButton);
    EXPECT_EQ(contents(saved), hostBytes());
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(host.saves, 2);
}

TEST_F(ConfigWindows, DoubleClickOnAFileSavesUnderItsName) {
    writeFile(path("optique.p09"), "old");
    SaveWindow window(host);
    window.show();
    QListWidget *files = child<QListWidget>(window, "File1");
    // A single click chooses nothing.
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {},
                      files->visualItemRect(files->item(0)).center());
    EXPECT_EQ(child<QLineEdit>(window, "Text1")->text(), "");
    answer = QMessageBox::Yes;
    doubleClick(files, files->visualItemRect(files->item(0)));
    EXPECT_EQ(boxes, std::vector<SeenBox>{Overwrite});
    EXPECT_EQ(contents(path("optique.p09")), hostBytes());
    EXPECT_EQ(host.fileName, path("optique.p09"));
}

TEST_F(ConfigWindows, FailedWriteKeepsTheWindowAndTheOldFile) {
    // Running as root, a read-only folder would not stop the write: use what no one can write.
    // A field too long for its record, over an existing file...
    const QByteArray old("old bytes\0kept", 14);
    writeFile(path("essai.P09"), old);
    host.state.fields[bench::Lens1Position] = QString(200, QLatin1Char('1'));
    answer = QMessageBox::Yes;
    SaveWindow window(host);
    window.show();
    child<QLineEdit>(window, "Text1")->setText("essai");
    QTest::mouseClick(child<QPushButton>(window, "Command1"), Qt::LeftButton);
    EXPECT_EQ(boxes, (std::vector<SeenBox>{Overwrite, WriteFailed}));
    EXPECT_EQ(contents(path("essai.P09")), old);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(host.saves, 0);
    EXPECT_EQ(host.fileName, path("essai.P09")); // names the file that was attempted

    // ...and a folder that is a file.
    boxes.clear();
    host.state = bench::BenchState::startup();
    writeFile(path("bloc"), "");
    child<QLineEdit>(window, "Text1")->setText("bloc/essai");
    QTest::mouseClick(child<QPushButton>(window, "Command1"), Qt::LeftButton);
    EXPECT_EQ(boxes, std::vector<SeenBox>{WriteFailed});
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(child<QLineEdit>(window, "Text1")->text(), path("bloc/essai.P09"));
}

TEST_F(ConfigWindows, ChoosingAFolderStripsTheFolderFromTheName) {
    host.fileName = "/ailleurs/essai.P09";
    const QString sub = mkdir("sous");
    SaveWindow window(host);
    window.show();
    QTreeWidget *folders = child<QTreeWidget>(window, "Dir1");
    doubleClick(folders, folders->visualItemRect(folderItem(browser(window), sub)));
    EXPECT_EQ(browser(window)->directory(), sub);
    EXPECT_EQ(child<QLineEdit>(window, "Text1")->text(), "essai.P09");
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ConfigWindows, OpenDoesNothingWithoutAChoiceAndReportsAMissingFile) {
    host.fileName = "avant.P09";
    OpenWindow window(host);
    window.show();
    child<QLineEdit>(window, "ficharge")->setText("   ");
    QTest::mouseClick(child<QPushButton>(window, "Command1"), Qt::LeftButton);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(host.fileName, "avant.P09");

    child<QLineEdit>(window, "ficharge")->setText(path("absent.P09"));
    QTest::mouseClick(child<QPushButton>(window, "Command1"), Qt::LeftButton);
    EXPECT_EQ(boxes, std::vector<SeenBox>{NoSuchFile});
    EXPECT_EQ(host.fileName, path("absent.P09"));
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(host.loads, 0);
}

TEST_F(ConfigWindows, ChosenFileIsLoadedBehindTheWaitingMessage) {
    bench::BenchState saved = bench::BenchState::startup();
    bench::setOption(saved, bench::TwoLenses, true);
    bench::setFieldText(saved, bench::Lens1Position, "20,0");
    bench::testpos(saved);
    const QString sub = mkdir("sous");
    ASSERT_FALSE(saveConfiguration(saved, sub + "/situation.P09"));

    OpenWindow window(host);
    window.show();
    browser(window)->setDirectory(sub);
    QListWidget *files = child<QListWidget>(window, "File1");
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {},
                      files->visualItemRect(files->item(0)).center());
    EXPECT_EQ(child<QLineEdit>(window, "ficharge")->text(), sub + "/situation.P09");
    EXPECT_EQ(QDir::currentPath(), sub);
    EXPECT_EQ(host.loads, 0);

    bool waitingShown = false;
    host.duringLoad = [&] { waitingShown = child<QFrame>(window, "Frame1")->isVisible(); };
    QTest::mouseClick(child<QPushButton>(window, "Command1"), Qt::LeftButton);
    EXPECT_EQ(host.loads, 1);
    EXPECT_TRUE(waitingShown);
    EXPECT_EQ(host.fileName, sub + "/situation.P09");
    EXPECT_EQ(host.state.fields, saved.fields);
    EXPECT_EQ(host.state.options, saved.options);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Accepted);
}

TEST_F(ConfigWindows, RefusedFilesLeaveTheBenchAsItWasAndCloseTheWindow) {
    const QByteArray good = hostBytes();
    auto withRecord = [&](int n, const QString &text) {
        RecordWriter w;
        w.put(1, text);
        return QByteArray(good).replace((n - 1) * RecordSize, RecordSize, w.bytes());
    };
    const struct {
        const char *what;
        QByteArray bytes;
        QString title;
    } rows[] = {
        {"lower-case magic", withRecord(1, "focalines"), "Fichier non valide"},
        {"truncated", good.left(20 * RecordSize), "Erreur lors du chargement du fichier"},
        {"arrow out of range", withRecord(6, " 12"), "Erreur lors du chargement du fichier"},
    };
    bench::setOption(host.state, bench::TwoLenses, true);
    const QByteArray before = hostBytes();
    for (const auto &r : rows) {
        writeFile(path("refus.P09"), r.bytes);
        host.messages.clear();
        OpenWindow window(host);
        window.show();
        QListWidget *files = child<QListWidget>(window, "File1");
        doubleClick(files, files->visualItemRect(files->item(0)));
        ASSERT_EQ(host.messages.size(), 1u) << r.what;
        EXPECT_EQ(host.messages[0].title, r.title) << r.what;
        EXPECT_EQ(hostBytes(), before) << r.what;
        EXPECT_FALSE(window.isVisible()) << r.what;
    }
    EXPECT_EQ(host.loads, 3);
}
