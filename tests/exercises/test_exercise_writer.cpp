// Writing exercise files: the records, the checks and their messages, the companions.

#include "bench/BenchControls.h"
#include "config/RecordFile.h"
#include "exercises/ExerciseWriter.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextDocument>

#include <gtest/gtest.h>

using namespace exercises;

namespace {

QString repeated(const QString &word, int times, const QString &separator = " ") {
    QStringList words;
    for (int i = 0; i < times; ++i)
        words << word;
    return words.join(separator);
}

ExerciseDraft draftTitled(const QString &title) {
    ExerciseDraft d;
    d.title = title;
    return d;
}

const std::array<QString, CompanionCount> SomeNames{"e.rtf", "", "", ""};

// Records 5 to 12 of a draft, and how its notions are cut.
TEST(ExerciseRecords, EncodingAndNotions) {
    const QString w9 = QStringLiteral("abcdefghi");
    const QString long125 = QString(125, 'n');
    struct Case {
        const char *what;
        ExerciseDraft draft;
        QStringList records; // 5 to 12
    };
    ExerciseDraft full = draftTitled(QString::fromUtf8("  Loupe et œil  "));
    full.notions = QString::fromUtf8("Image virtuelle,\n  loupe ");
    full.difficulty = 3;
    full.hourglasses = 20;
    full.hideValues = true;
    ExerciseDraft atWordEnd = draftTitled("T");
    atWordEnd.notions = repeated(w9, 13); // 13 words of 9 letters: 129 characters
    ExerciseDraft oneRecord = draftTitled(QString(126, 't'));
    oneRecord.notions = QString(126, 'a');
    ExerciseDraft longWord = draftTitled("T");
    longWord.notions = QString(130, 'm');
    ExerciseDraft fourRecords = draftTitled("T");
    fourRecords.notions = repeated(long125, 4); // 503 characters in four records
    ExerciseDraft kept = draftTitled("T");
    kept.notionPieces = {"Optique, ", "   ", "lentilles", ""};
    kept.notions = "Optique, lentilles";
    ExerciseDraft changed = kept;
    changed.notions = "Optique, lentilles minces";
    const Case cases[] = {
        {"all fields",
         full,
         {" 3", "VALEURS CACHEES", QString::fromUtf8("Image virtuelle, loupe"), "", "", "",
          QString::fromUtf8("Loupe et œil"), " 20"}},
        {"cut after the last space the record holds",
         atWordEnd,
         {" 0", "", repeated(w9, 12) + " ", w9, "", "", "T", " 0"}},
        {"126 bytes hold in one record",
         oneRecord,
         {" 0", "", QString(126, 'a'), "", "", "", QString(126, 't'), " 0"}},
        {"a word longer than a record",
         longWord,
         {" 0", "", QString(126, 'm'), "mmmm", "", "", "T", " 0"}},
        {"four full records",
         fourRecords,
         {" 0", "", long125 + " ", long125 + " ", long125 + " ", long125, "T", " 0"}},
        {"pieces of an opened exercise kept",
         kept,
         {" 0", "", "Optique, ", "   ", "lentilles", "", "T", " 0"}},
        {"pieces cut anew once changed",
         changed,
         {" 0", "", "Optique, lentilles minces", "", "", "", "T", " 0"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        auto result = exerciseRecords(c.draft, SomeNames);
        ASSERT_TRUE(std::holds_alternative<ExerciseRecords>(result))
            << std::get<config::FileError>(result).text.toStdString();
        const ExerciseRecords &r = std::get<ExerciseRecords>(result);
        EXPECT_EQ(r[0], "e.rtf");
        EXPECT_EQ(QStringList(r.begin() + 4, r.end()), c.records);
    }
}

class ExerciseWriter : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { ensureApplication<QGuiApplication>(); }

    void SetUp() override {
        folder = temp.filePath("exercices");
        QDir().mkpath(folder);
        programFolder = temp.filePath("programme");
        QDir().mkpath(programFolder);
        ASSERT_TRUE(
            writeTestFile(temp.filePath("enonce.rtf"), "{\\rtf1\\ansi Trouver l'image.\\par}"));
        ASSERT_TRUE(writeTestFile(temp.filePath("texte.txt"), "Trouver l'image."));
        ASSERT_TRUE(writeTestFile(temp.filePath("vide.P09"), "FOCALINES"));
        draft = draftTitled("Image");
        draft.companions[StatementText].file = temp.filePath("enonce.rtf");
    }

    std::variant<ExercisePlan, config::FileError> plan(const QString &base = "image") {
        return planExercise(draft, folder, base, programFolder);
    }
    QStringList written() const {
        return QDir(folder).entryList(QDir::NoDotAndDotDot | QDir::AllEntries);
    }

    QTemporaryDir temp;
    QString folder, programFolder;
    ExerciseDraft draft;
};

// Bad input is refused with a message that says what is wrong, and nothing is written.
TEST_F(ExerciseWriter, RefusedDrafts) {
    const struct {
        const char *message;
        std::function<void(ExerciseDraft &, QString &base, QString &folder)> change;
    } cases[] = {
        {"Le titre a 127 caractères : 126 au plus.",
         [](ExerciseDraft &d, QString &, QString &) { d.title = QString(127, 'x'); }},
        {"Donnez un titre", [](ExerciseDraft &d, QString &, QString &) { d.title = "  "; }},
        {"Le titre contient le caractère « α »",
         [](ExerciseDraft &d, QString &, QString &) { d.title = QString::fromUtf8("Angle α"); }},
        {"Le texte des notions abordées contient le caractère « → »",
         [](ExerciseDraft &d, QString &, QString &) { d.notions = QString::fromUtf8("a → b"); }},
        {"Le texte des notions abordées a 505 caractères : 504 au plus.",
         [](ExerciseDraft &d, QString &, QString &) { d.notions = QString(505, 'n'); }},
        {"ne tiennent pas", // five words of 70 letters need five records
         [](ExerciseDraft &d, QString &, QString &) { d.notions = repeated(QString(70, 'n'), 5); }},
        {"La difficulté va de 0 à 3.",
         [](ExerciseDraft &d, QString &, QString &) { d.difficulty = 4; }},
        {"Le nom de base « a/b » ne convient pas",
         [](ExerciseDraft &, QString &base, QString &) { base = "a/b"; }},
        {"Le nom de base « .. » ne convient pas",
         [](ExerciseDraft &, QString &base, QString &) { base = ".."; }},
        {"Le nom de base « élève » ne convient pas",
         [](ExerciseDraft &, QString &base, QString &) { base = QString::fromUtf8("élève"); }},
        {"n'existe pas", [](ExerciseDraft &, QString &, QString &f) { f += "/absent"; }},
        {"Impossible d'écrire dans le dossier « /proc/1 »",
         [](ExerciseDraft &, QString &, QString &f) { f = "/proc/1"; }},
        {"Le dossier du programme ne reçoit pas d'exercices",
         [this](ExerciseDraft &, QString &, QString &f) { f = programFolder + "/."; }},
        {"pas d'énoncé",
         [](ExerciseDraft &d, QString &, QString &) { d.companions[StatementText] = {}; }},
        {"Le fichier « texte.txt » choisi pour l'énoncé n'est pas un texte RTF.",
         [this](ExerciseDraft &d, QString &, QString &) {
             d.companions[StatementText].file = temp.filePath("texte.txt");
         }},
        {"Le fichier « absent.rtf » choisi pour la correction est introuvable",
         [this](ExerciseDraft &d, QString &, QString &) {
             d.companions[CorrectionText].file = temp.filePath("absent.rtf");
         }},
        {"Le fichier « vide.P09 » choisi pour la configuration de l'énoncé n'est pas une "
         "configuration",
         [this](ExerciseDraft &d, QString &, QString &) {
             d.companions[StatementBench].file = temp.filePath("vide.P09");
         }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.message);
        ExerciseDraft d = draft;
        QString base = "image", target = folder;
        c.change(d, base, target);
        auto result = planExercise(d, target, base, programFolder);
        ASSERT_TRUE(std::holds_alternative<config::FileError>(result));
        EXPECT_EQ(std::get<config::FileError>(result).title,
                  QString::fromUtf8("Exercice non enregistré"));
        EXPECT_TRUE(std::get<config::FileError>(result).text.contains(QString::fromUtf8(c.message)))
            << std::get<config::FileError>(result).text.toStdString();
    }
    EXPECT_TRUE(written().isEmpty()) << written().join(' ').toStdString();
}

// The companions under their names, an exercise that reads back as written, files that do
// not change left alone, and a failed write that leaves the folder as it was.
TEST_F(ExerciseWriter, CompanionsWrittenAndPutBackOnFailure) {
    bench::BenchState bench = bench::BenchState::startup();
    bench::setOption(bench, bench::TwoLenses, true);
    auto correction = std::make_shared<QTextDocument>();
    correction->setPlainText(QString::fromUtf8("L'image est à 45 cm."));
    draft.companions[StatementBench].bench = bench;
    draft.companions[CorrectionText].document = correction;
    draft.notions = "Lentille, image";
    draft.hideValues = true;

    auto first = plan();
    ASSERT_TRUE(std::holds_alternative<ExercisePlan>(first));
    EXPECT_TRUE(std::get<ExercisePlan>(first).replaced.isEmpty());
    ASSERT_FALSE(writeExercise(std::get<ExercisePlan>(first)));
    EXPECT_EQ(written(), QStringList({"image-corrige.rtf", "image-enonce.P09", "image-enonce.rtf",
                                      "image.E21"}));
    EXPECT_EQ(readTestFile(folder + "/image-enonce.rtf"),
              readTestFile(temp.filePath("enonce.rtf")));
    const auto e = std::get<ExerciseFile>(readExerciseFile(folder + "/image.E21"));
    EXPECT_EQ(QStringList({e.statement, e.configuration, e.correction, e.correctionConfiguration}),
              QStringList({"image-enonce.rtf", "image-enonce.P09", "image-corrige.rtf", ""}));
    EXPECT_TRUE(e.hideValues);

    // Saved again: nothing changes, nothing to ask. A new title: only the exercise file.
    EXPECT_TRUE(std::get<ExercisePlan>(plan()).files.empty());
    draft.title = "Image, encore";
    const ExercisePlan second = std::get<ExercisePlan>(plan());
    ASSERT_EQ(second.files.size(), 1u);
    EXPECT_EQ(second.replaced, QStringList{"image.E21"});

    // Under another name, into a folder where the exercise file's name is taken by a folder:
    // the companions written before it are taken away again.
    QDir(folder).mkdir("autre.E21");
    const ExercisePlan third = std::get<ExercisePlan>(plan("autre"));
    const auto error = writeExercise(third);
    ASSERT_TRUE(error);
    EXPECT_TRUE(error->text.contains("autre.E21")) << error->text.toStdString();
    EXPECT_EQ(written(), QStringList({"autre.E21", "image-corrige.rtf", "image-enonce.P09",
                                      "image-enonce.rtf", "image.E21"}));
}

TEST(ExerciseBaseName, ProposedFromTheTitle) {
    const struct {
        const char *title, *base;
    } cases[] = {
        {"Image réelle d'un objet", "image-reelle-d-un-objet"},
        {"  Œil et cœur : l'ÉTÉ ! ", "oeil-et-coeur-l-ete"},
        {"α β γ", "exercice"},
        {"Système afocal : la lunette astronomique de Kepler",
         "systeme-afocal-la-lunette-astronomique"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(proposedBaseName(QString::fromUtf8(c.title)), QString::fromUtf8(c.base));
}

} // namespace
