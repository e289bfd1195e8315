#include "exercises/ExerciseFile.h"
#include "richtext/RichText.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTextDocument>

#include <gtest/gtest.h>

using namespace exercises;

namespace {

const QString Content = QStringLiteral(FOCALINES_CONTENT "/");

// What the program shows for a configuration: its eight fields, then its four read-outs.
QStringList shownValues(const QString &configuration) {
    QProcess p;
    p.start(QStringLiteral(FOCALINES_CLI), {QStringLiteral("images"), Content + configuration});
    p.waitForFinished(30000);
    EXPECT_EQ(p.exitCode(), 0) << configuration.toStdString();
    const QJsonObject o = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
    QStringList values;
    for (const QJsonValue v : o.value("fields").toArray())
        values << v.toString();
    for (const QJsonValue v : o.value("readouts").toArray())
        values << v.toString();
    return values;
}

QString plainText(const QString &file) {
    auto r = richtext::readRtfFile(Content + file);
    auto *document = std::get_if<std::unique_ptr<QTextDocument>>(&r);
    EXPECT_TRUE(document) << file.toStdString();
    return document ? (*document)->toPlainText() : QString();
}

enum Shown { L1, F1, L2, F2, A, AB, D1, D2, Image1, Height1, Image2, Height2 };

struct StatedValue {
    Shown where;
    const char *text; // as the program shows it and the text states it
};

struct Text {
    const char *rtf;
    const char *configuration;
    std::vector<StatedValue> values;
};

// Every value that a statement or correction states, with where the program shows it for the
// configuration that comes with that text.
const Text texts[] = {
    {"01-image-reelle-enonce.rtf",
     "01-image-reelle-enonce.P09",
     {{AB, "2,0"}, {A, "0,0"}, {F1, "10,0"}, {L1, "20,0"}}},
    {"01-image-reelle-corrige.rtf",
     "01-image-reelle-corrige.P09",
     {{Image1, "40,0 cm"}, {Height1, "-2,0 cm"}}},
    {"02-grandissement-enonce.rtf",
     "02-grandissement-enonce.P09",
     {{AB, "3,0"}, {A, "0,0"}, {F1, "10,0"}, {L1, "25,0"}}},
    {"02-grandissement-corrige.rtf",
     "02-grandissement-corrige.P09",
     {{Image1, "41,7"}, {Height1, "-2,0 cm"}}},
    {"03-loupe-enonce.rtf",
     "03-loupe-enonce.P09",
     {{AB, "1,0"}, {A, "10,0"}, {F1, "10,0"}, {L1, "16,0"}}},
    {"03-loupe-corrige.rtf", "03-loupe-corrige.P09", {{Image1, "1,0 cm"}, {Height1, "2,5 cm"}}},
    {"04-objet-infini-enonce.rtf", "04-objet-infini-enonce.P09", {{F1, "20,0"}, {L1, "20,0"}}},
    {"04-objet-infini-corrige.rtf",
     "04-objet-infini-corrige.P09",
     {{Image1, "40,00 cm"}, {Height1, "-1,75 cm"}, {F1, "20,00"}}},
    {"05-focale-enonce.rtf",
     "05-focale-enonce.P09",
     {{A, "0,0"}, {AB, "2,0"}, {L1, "30,0"}, {Image1, "50,0 cm"}}},
    {"06-appareil-photo-enonce.rtf",
     "06-appareil-photo-enonce.P09",
     {{F1, "5,00"}, {L1, "50,00"}, {AB, "4,00"}, {A, "0,00"}}},
    {"06-appareil-photo-corrige.rtf",
     "06-appareil-photo-enonce.P09",
     {{Image1, "55,56"}, {Height1, "-0,44 cm"}}},
    {"06-appareil-photo-corrige.rtf",
     "06-appareil-photo-corrige.P09",
     {{Image1, "57,50"}, {Height1, "-2,00 cm"}}},
    {"07-deux-lentilles-enonce.rtf",
     "07-deux-lentilles-enonce.P09",
     {{AB, "0,5"}, {A, "5,0"}, {L1, "10,0"}, {F1, "4,0"}, {L2, "33,0"}, {F2, "5,0"}}},
    {"08-lunette-enonce.rtf",
     "08-lunette-enonce.P09",
     {{F1, "30,00"}, {L1, "10,00"}, {F2, "10,00"}, {L2, "50,00"}}},
    {"08-lunette-corrige.rtf",
     "08-lunette-corrige.P09",
     {{Image1, "40,00 cm"}, {Height1, "-0,52 cm"}, {Image2, "Hors limites"}}},
};

TEST(BundledContent, StatedValuesAreTheProgramsOwn) {
    for (const Text &t : texts) {
        const QString text = plainText(t.rtf);
        const QStringList shown = shownValues(t.configuration);
        ASSERT_EQ(shown.size(), 12) << t.configuration;
        for (const StatedValue &v : t.values) {
            SCOPED_TRACE(std::string(t.rtf) + " " + v.text);
            EXPECT_TRUE(shown[v.where].startsWith(QString::fromUtf8(v.text)))
                << shown[v.where].toStdString();
            EXPECT_TRUE(text.contains(QString::fromUtf8(v.text)));
        }
    }
}

TEST(BundledContent, EveryExerciseIsComplete) {
    const QStringList files = QDir(Content).entryList({"*.E21"}, QDir::Files, QDir::Name);
    ASSERT_GE(files.size(), 8);
    int corrected = 0;
    double difficulty = 0;
    for (const QString &name : files) {
        SCOPED_TRACE(name.toStdString());
        auto r = readExerciseFile(Content + name);
        ASSERT_TRUE(std::holds_alternative<ExerciseFile>(r));
        const ExerciseFile e = std::get<ExerciseFile>(r);
        EXPECT_FALSE(e.title.isEmpty());
        EXPECT_FALSE(e.topics.isEmpty());
        EXPECT_GE(e.difficulty, difficulty) << "in rising difficulty";
        difficulty = e.difficulty;
        EXPECT_GT(e.hourglasses, 0);
        for (const QString &f :
             {e.statement, e.configuration, e.correction, e.correctionConfiguration})
            if (!isBlank(f)) {
                EXPECT_TRUE(QFileInfo(Content + f).isFile()) << f.toStdString();
            }
        EXPECT_FALSE(plainText(e.statement).trimmed().isEmpty());
        if (e.corrected()) {
            ++corrected;
            EXPECT_FALSE(plainText(e.correction).trimmed().isEmpty());
            EXPECT_FALSE(isBlank(e.correctionConfiguration));
        }
    }
    EXPECT_GE(corrected, 6);

    auto pem = readExerciseFile(Content + "focalines.PEM");
    ASSERT_TRUE(std::holds_alternative<ExerciseFile>(pem));
    const ExerciseFile &material = std::get<ExerciseFile>(pem);
    EXPECT_TRUE(QFileInfo(Content + material.configuration).isFile());
    for (const char *topic : {"Objets et images", "Lentilles", "Affichage", "Construction",
                              "souris", "Enregistrer", "Calculatrice", "exercice"})
        EXPECT_TRUE(plainText(material.statement).contains(QString::fromUtf8(topic))) << topic;
}

} // namespace
