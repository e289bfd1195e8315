#include "bench/BenchControls.h"
#include "config/ConfigurationFile.h"
#include "support/TestSupport.h"
#include "tests/printing/PdfTools.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

#include <sys/resource.h>
#include <sys/stat.h>

namespace {

struct CliRun {
    int status;
    QString out;
    QString err;
};

// The command, with the files it writes limited to `fileSizeLimit` bytes when given, as
// `ulimit -f` limits them.
CliRun cli(const QStringList &args, rlim_t fileSizeLimit = RLIM_INFINITY) {
    QProcess p;
    if (fileSizeLimit != RLIM_INFINITY)
        p.setChildProcessModifier([fileSizeLimit] {
            const rlimit limit{fileSizeLimit, fileSizeLimit};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        });
    p.start(QStringLiteral(FOCALINES_CLI), args);
    p.waitForFinished(30000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

} // namespace

TEST(Cli, ImagesOfTheStartupBench) {
    const CliRun r = cli({"images"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out.trimmed(),
              "{\"title\": \"Focalines\", \"axisLength\": 60, \"precisionIndex\": 0, "
              "\"fields\": [\"15,0\", \"10,0\", \"48,0\", \"10,0\", \"0,0\", \"3,0\", \"8,0\", "
              "\"8,0\"], \"readouts\": [\"45,0 cm\", \"-6,0 cm\", null, null]}");
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
}

TEST(Cli, ImagesOfASavedConfiguration) {
    QTemporaryDir dir;
    bench::BenchState s = bench::BenchState::startup();
    bench::setOption(s, bench::TwoLenses, true);
    bench::setFieldText(s, bench::ObjectHeight, QString::fromUtf8("2,0"));
    const QString path = dir.filePath(QString::fromUtf8("élève.P09"));
    ASSERT_FALSE(config::saveConfiguration(s, path).has_value());

    const CliRun r = cli({"images", path});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8()).object();
    EXPECT_EQ(o["title"].toString(), "Focalines - " + path);
    EXPECT_EQ(o["fields"].toArray().at(5).toString(), "2,0");
    const QJsonArray readouts = o["readouts"].toArray();
    EXPECT_EQ(readouts.at(1).toString(), "-4,0 cm");
    EXPECT_EQ(readouts.at(2).toString(), "43,7 cm");
    EXPECT_EQ(readouts.at(3).toString(), "-5,7 cm");
}

TEST(Cli, RefusedFilesAndBadCommands) {
    QTemporaryDir dir;
    QFile f(dir.filePath("x.P09"));
    f.open(QIODevice::WriteOnly);
    f.write(QByteArray(4480, 'z'));
    f.close();
    CliRun r = cli({"images", f.fileName()});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(
        r.err.trimmed(),
        QString::fromUtf8("Fichier non valide: Ce fichier ne correspond pas à cette application"));
    EXPECT_TRUE(r.out.isEmpty());

    r = cli({"images", dir.path()});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err.trimmed(),
              "Erreur lors du chargement du fichier: Lecture impossible sur disque");

    r = cli({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.contains("images [FICHIER.P09]"));
    EXPECT_TRUE(r.out.contains("render [FICHIER.P09] --output"));
    r = cli({"--version"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.startsWith("Focalines ")) << r.out.toStdString();

    for (const QStringList &args :
         {QStringList{}, QStringList{"fly"}, QStringList{"images", "a", "b"}, QStringList{"render"},
          QStringList{"render", "--width", "x"},
          QStringList{"render", "--output", dir.filePath("figure.bmp")}}) {
        r = cli(args);
        EXPECT_EQ(r.status, 1) << args.join(' ').toStdString();
        EXPECT_FALSE(r.err.isEmpty());
    }
}

TEST(Cli, SavedStartupBenchRendersTheSameFigure) {
    QTemporaryDir dir;
    bench::BenchState s = bench::BenchState::startup();
    const QString config = dir.filePath("depart.P09");
    ASSERT_FALSE(config::saveConfiguration(s, config).has_value());
    const QString fresh = dir.filePath("fresh.png"), loaded = dir.filePath("loaded.png");
    ASSERT_EQ(cli({"render", "--output", fresh}).status, 0);
    ASSERT_EQ(cli({"render", config, "--output", loaded, "--width", "775"}).status, 0);
    QFile a(fresh), b(loaded);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    const QByteArray pa = a.readAll();
    EXPECT_GT(pa.size(), 1000);
    EXPECT_EQ(pa, b.readAll());
    // A refused file draws nothing and exits as `images` does.
    const CliRun r = cli({"render", dir.path(), "--output", dir.filePath("x.png")});
    EXPECT_EQ(r.status, 2);
    EXPECT_FALSE(QFile::exists(dir.filePath("x.png")));
}

TEST(Cli, EvalPrintsTheResultOrTheCalculatorsMessage) {
    struct Row {
        QStringList args;
        int status;
        const char *out;
        const char *err;
    };
    const Row rows[] = {
        {{"eval", "2+3*4"}, 0, "14", ""},
        {{"eval", "-2^2"}, 0, "4", ""},
        {{"eval", "2", "^", "-1"}, 0, ".5", ""},
        {{"eval", "invSIN 1"}, 0, "1.5707963267949", ""},
        {{"eval", "--degrees", "invSIN 1"}, 0, "90", ""},
        {{"eval", "1/3/10000"}, 0, "3.33333333333333E-05", ""},
        {{"eval", "5E+3"}, 0, "5000", ""},
        {{"eval", ""}, 0, "0", ""},
        {{"eval", "1/0"}, 1, "", "Calcul impossible"},
        {{"eval", "1E400"}, 1, "", "Dépassement de capacité"},
        {{"eval", "(2+3"}, 2, "", "Erreur saisie: revoir les parenthèses"},
        {{"eval", "2*/3"}, 3, "", "Erreur saisie: incompréhension sur opérateurs: ^ * / + -"},
        {{"eval"}, 1, "", "eval : l'expression manque."},
    };
    for (const Row &row : rows) {
        const CliRun r = cli(row.args);
        const std::string args = row.args.join(' ').toStdString();
        EXPECT_EQ(r.status, row.status) << args;
        EXPECT_EQ(r.out.trimmed(), QString::fromUtf8(row.out)) << args;
        if (*row.err) {
            EXPECT_TRUE(r.err.startsWith(QString::fromUtf8(row.err))) << args;
        } else {
            EXPECT_TRUE(r.err.isEmpty()) << args << r.err.toStdString();
        }
    }
    EXPECT_TRUE(cli({"--help"}).out.contains("eval [--degrees] EXPRESSION"));
}

TEST(Cli, RichTextToPlainTextAndConversion) {
    QTemporaryDir dir;
    const QString in = dir.filePath(QString::fromUtf8("énoncé.rtf"));
    QFile f(in);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    // With a picture, which the text command decodes without any display, and prints nothing of.
    f.write("{\\rtf1\\ansi {\\b Titre}\\par \\'e9t\\'e9\\line suite\\par"
            "\\trowd\\cellx1000\\cellx2000\\pard\\intbl a\\cell b\\cell\\row\\pard fin"
            "{\\pict\\pngblip\\picwgoal300\\pichgoal300 89504e470d0a1a0a0000000d49484452000000"
            "01000000010802000000907753de0000000c49444154789c63f8cfc0000003010100c9fe92ef0000000049"
            "454e44ae426082}}");
    f.close();
    const QString expected = QString::fromUtf8("Titre\nété\nsuite\na\tb\nfin\n");
    CliRun r = cli({"rtf-text", in});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, expected);

    const QString out = dir.filePath("copie.rtf");
    r = cli({"rtf-convert", in, out});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(cli({"rtf-text", out}).out, expected);

    QFile garbage(dir.filePath("image.rtf"));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
    garbage.close();
    r = cli({"rtf-text", garbage.fileName()});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err.trimmed(), QString::fromUtf8("Lecture impossible: Ce fichier n'est ni un texte "
                                                 "au format RTF ni un texte brut."));
    EXPECT_TRUE(r.out.isEmpty());
    r = cli({"rtf-convert", garbage.fileName(), out});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(cli({"rtf-text", out}).out, expected); // the earlier copy is intact
    EXPECT_EQ(cli({"rtf-text"}).status, 1);
    EXPECT_TRUE(cli({"--help"}).out.contains("rtf-convert"));
}

// The text commands refuse at once what is not a regular file, which could block or never end.
TEST(Cli, RichTextCommandsRefuseWhatIsNotARegularFile) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath("tube.rtf");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString &path : {fifo, QStringLiteral("/dev/zero"), dir.path()})
        for (const QStringList &args : {QStringList{"rtf-text", path},
                                        QStringList{"rtf-convert", path, dir.filePath("x.rtf")}}) {
            const CliRun r = cli(args);
            EXPECT_EQ(r.status, 2) << args.join(' ').toStdString();
            EXPECT_TRUE(r.err.startsWith("Lecture impossible: ")) << r.err.toStdString();
        }
    EXPECT_FALSE(QFile::exists(dir.filePath("x.rtf")));
}

// A write cut short, here by a file-size limit as by a full disk, leaves the older file whole
// and says so, whatever the file and however large.
TEST(Cli, WritesCutShortLeaveTheOlderFile) {
    QTemporaryDir dir;
    const QString in = dir.filePath("long.rtf");
    QFile f(in);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("{\\rtf1\\ansi " +
            QByteArray("Un paragraphe de l'\\'e9nonc\\'e9.\\par ").repeated(300) + "}");
    f.close();
    const QStringList commands[] = {
        {"rtf-convert", in, dir.filePath("copie.rtf")},
        {"render", "--output", dir.filePath("f.png")},
        {"render", "--output", dir.filePath("f.svg")},
        {"render", "--output", dir.filePath("f.pdf")},
        {"print", "--output", dir.filePath("p.pdf")},
    };
    for (const QStringList &args : commands) {
        QFile out(args.last());
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write("ancien");
        out.close();
        const CliRun r = cli(args, 2048);
        EXPECT_EQ(r.status, 1) << args.first().toStdString() << " " << args.last().toStdString();
        EXPECT_TRUE(r.err.contains(QStringLiteral("impossible"), Qt::CaseInsensitive))
            << r.err.toStdString();
        ASSERT_TRUE(out.open(QIODevice::ReadOnly));
        EXPECT_EQ(out.readAll(), "ancien") << args.last().toStdString();
        out.close();
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 6); // no temporary file left
    EXPECT_EQ(cli(QStringList{"rtf-convert", in, dir.filePath("copie.rtf")}).status, 0);
}

TEST(Cli, PrintWritesOneLandscapePagePerCopyIntoAPdf) {
    QTemporaryDir dir;
    bench::BenchState s = bench::BenchState::startup();
    bench::setOption(s, bench::TwoLenses, true);
    const QString config = dir.filePath("deux.P09");
    ASSERT_FALSE(config::saveConfiguration(s, config).has_value());
    struct Row {
        QStringList args;
        int pages;
        QString title;
        QSize figureSize; // empty where the beam reaches the figure's edges
    };
    const Row rows[] = {
        {{}, 1, "Aldoria - Focalines", {775, 265}},
        {{config, "--copies", "3", "--title", QString::fromUtf8("Séance 4"), "--center", "both"},
         3,
         QString::fromUtf8("Séance 4"),
         {}},
        {{"--width", "900", "--height", "300", "--title", "", "--center", "none"},
         1,
         "",
         {900, 300}},
    };
    for (const Row &row : rows) {
        const QString pdf = dir.filePath("pages.pdf");
        const CliRun r = cli(QStringList{"print", "--output", pdf} + row.args);
        const std::string label = row.args.join(' ').toStdString();
        ASSERT_EQ(r.status, 0) << label << r.err.toStdString();
        EXPECT_EQ(pdftools::pageSizes(pdf).size(), row.pages) << label;
        if (!row.title.isEmpty()) {
            EXPECT_EQ(pdftools::pageText(pdf, row.pages).section('\n', 0, 0), row.title) << label;
        }
        // The figure, drawn as shapes at its size: the black of its background below the title.
        EXPECT_TRUE(pdftools::imageObjects(pdf).isEmpty()) << label;
        if (row.figureSize.isEmpty()) continue;
        const QImage page = pdftools::renderPage(pdf, row.pages);
        const QSizeF figure =
            pdftools::boundsOf(page.copy(0, 45, page.width(), page.height() - 45), qRgb(0, 0, 0))
                .size() /
            0.75;
        EXPECT_NEAR(figure.width(), row.figureSize.width(), 2) << label;
        EXPECT_NEAR(figure.height(), row.figureSize.height(), 2) << label;
    }
    EXPECT_TRUE(cli({"--help"}).out.contains("print [FICHIER.P09] --output PAGES.pdf"));
}

TEST(Cli, PrintRefusesBadArgumentsAndFilesLeavingAnOlderPdf) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath("ancien.pdf");
    {
        QFile f(pdf);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("older");
    }
    struct Row {
        QStringList args;
        int status;
        const char *err;
    };
    const Row rows[] = {
        {{"print"}, 1, "print : l'option --output PAGES.pdf est obligatoire."},
        {{"print", "--output", pdf, "--copies", "0"}, 1, "print : nombre d'exemplaires"},
        {{"print", "--output", pdf, "--center", "diagonal"}, 1, "print : centrage incorrect"},
        {{"print", "--output", pdf, "--copies"}, 1, "print : argument inattendu"},
        {{"print", "--output", pdf, "a.P09", "b.P09"}, 1, "print : argument inattendu"},
        {{"print", dir.path(), "--output", pdf}, 2, "Erreur lors du chargement du fichier"},
        {{"print", "--output", dir.filePath("absent/x.pdf")},
         1,
         "Impossible d'écrire le fichier PDF"},
    };
    for (const Row &row : rows) {
        const CliRun r = cli(row.args);
        const std::string label = row.args.join(' ').toStdString();
        EXPECT_EQ(r.status, row.status) << label;
        EXPECT_TRUE(r.err.startsWith(QString::fromUtf8(row.err))) << label << r.err.toStdString();
    }
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "older");
}

TEST(Cli, SeriesPrintsTheRowsAndTheFitAndWritesTheCsv) {
    QTemporaryDir dir;
    const QString csv = dir.filePath(QString::fromUtf8("série.csv"));
    const QStringList args{"series",  "--from", "0",      "--to", "14",    "--steps", "20",
                           "--error", "0,5",    "--seed", "7",    "--csv", csv};
    const CliRun r = cli(args);
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8()).object();
    const QJsonArray rows = o["rows"].toArray();
    ASSERT_EQ(rows.size(), 20);
    const QJsonObject first = rows[0].toObject();
    EXPECT_EQ(first["object_distance"].toDouble(), -15);
    EXPECT_EQ(first["inverse_object"].toDouble(), -6.67);
    const QJsonObject fit = o["fit"].toObject();
    EXPECT_NEAR(fit["slope"].toDouble(), 1, 0.005);
    EXPECT_LE(std::fabs(fit["focal"].toDouble() - 10), fit["focal_uncertainty"].toDouble());
    EXPECT_EQ(fit["points"].toInt(), 20);
    // The same seed, the same numbers.
    EXPECT_EQ(cli(args).out, r.out);

    QFile f(csv);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBFLentille;OA (cm);"));
    EXPECT_EQ(bytes.count("\r\n"), 21);
    EXPECT_TRUE(bytes.contains("\r\nL1;-15,0;"));
}

TEST(Cli, SeriesRefusesBadArguments) {
    struct Row {
        QStringList args;
        const char *err;
    };
    const Row rows[] = {
        {{"series", "--from", "0", "--to", "14"}, "series : les options --from X"},
        {{"series", "--from", "0", "--to", "14", "--steps", "1"}, "series : Le nombre de mesures"},
        {{"series", "--from", "0", "--to", "16", "--steps", "5"}, "series : L'objet doit rester"},
        {{"series", "--from", "0", "--to", "14", "--steps", "5", "--lens", "2"},
         "series : Le banc n'a qu'une lentille"},
        {{"series", "--from", "0", "--to", "14", "--steps", "5", "--lens", "3"}, "series : --lens"},
        {{"series", "--from", "0", "--to", "14", "--steps", "5", "--error", "0,5"},
         "series : --error et --seed"},
        {{"series", "--from", "0", "--to", "14", "--steps", "5", "--error", "3", "--seed", "1"},
         "series : la demi-largeur"},
        {{"series", "--from", "0", "--to", "14", "--steps", "5", "--view", "4"}, "series : --view"},
    };
    for (const Row &row : rows) {
        const CliRun r = cli(row.args);
        const std::string label = row.args.join(' ').toStdString();
        EXPECT_EQ(r.status, 1) << label;
        EXPECT_TRUE(r.err.startsWith(QString::fromUtf8(row.err))) << label << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << label;
    }
}

TEST(Cli, ExerciseMadeOrRefusedWithNothingWrittenThenShown) {
    QTemporaryDir dir;
    const QString rtf = dir.filePath("e.rtf"), bench = dir.filePath("b.P09");
    ASSERT_TRUE(writeTestFile(rtf, "{\\rtf1 Trouver l'image.\\par}"));
    ASSERT_TRUE(writeTestFile(bench, *config::configurationBytes(bench::BenchState::startup())));
    QDir(dir.path()).mkdir("out");
    const QString out = dir.filePath("out");
    const QStringList make{"exercise", "make", "--statement", rtf, "--output", out + "/focale"};
    struct Row {
        QStringList args;
        int status;
        const char *err;
    };
    const Row rows[] = {
        {make + QStringList{"--title", QString::fromUtf8("Focale f′")}, 1,
         "Exercice non enregistré: Le titre contient le caractère « ′ »"},
        {make + QStringList{"--title", "Focale", "--bench", rtf}, 1, "Fichier non valide"},
        {make + QStringList{"--title", "Focale", "--difficulty", "4"}, 1,
         "exercise make : difficulté"},
        {make, 1, "exercise make : l'option --title est obligatoire."},
        {{"exercise", "show", out}, 2, "Lecture impossible"},
    };
    for (const Row &row : rows) {
        const CliRun r = cli(row.args);
        const std::string label = row.args.join(' ').toStdString();
        EXPECT_EQ(r.status, row.status) << label;
        EXPECT_TRUE(r.err.startsWith(QString::fromUtf8(row.err))) << label << r.err.toStdString();
    }
    EXPECT_TRUE(QDir(out).isEmpty());
    // Made once; made again only with --replace once something changes.
    const QStringList focale = make + QStringList{"--title", "Focale", "--bench", bench};
    EXPECT_EQ(cli(focale).status, 0);
    EXPECT_EQ(cli(focale).status, 0);
    const CliRun again = cli(make + QStringList{"--title", "Focale 2", "--bench", bench});
    EXPECT_EQ(again.status, 1);
    EXPECT_TRUE(again.err.contains("focale.E21")) << again.err.toStdString();
    EXPECT_EQ(cli(make + QStringList{"--title", "Focale 2", "--bench", bench, "--replace"}).status,
              0);

    const CliRun shown = cli({"exercise", "show", out + "/focale.E21"});
    ASSERT_EQ(shown.status, 0) << shown.err.toStdString();
    const QJsonObject o = QJsonDocument::fromJson(shown.out.toUtf8()).object();
    EXPECT_EQ(o["records"].toArray().size(), 12);
    EXPECT_EQ(o["title"].toString(), "Focale 2");
    const QJsonArray files = o["files"].toArray();
    ASSERT_EQ(files.size(), 2); // no correction
    EXPECT_EQ(files[1].toObject()["name"].toString(), "focale-enonce.P09");
    EXPECT_TRUE(files[1].toObject()["readable"].toBool());
}
