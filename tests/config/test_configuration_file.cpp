#include "bench/BenchControls.h"
#include "bench/FieldBounds.h"
#include "bench/FieldNumberText.h"
#include "bench/ImageFormation.h"
#include "config/ConfigurationFile.h"
#include "config/RecordFile.h"
#include "config/RecordNumber.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <random>

#include <sys/resource.h>

using namespace bench;
using namespace config;

namespace {

const QString NotValid = QStringLiteral("Fichier non valide");
const QString ReadFailure = QStringLiteral("Erreur lors du chargement du fichier");

QByteArray startupBytes() {
    BenchState s = BenchState::startup();
    updateBench(s, 775);
    return *configurationBytes(s);
}

// A configuration file's bytes with record n replaced.
QByteArray withRecord(QByteArray bytes, int n, const QString &text) {
    RecordWriter w;
    w.put(1, text);
    bytes.replace((n - 1) * RecordSize, RecordSize, w.bytes());
    return bytes;
}

class ConfigurationFileTest : public ::testing::Test {
  protected:
    QString write(const QByteArray &bytes, const QString &name = "c.P09") {
        const QString path = dir.filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return path;
    }
    QTemporaryDir dir;
};

} // namespace

TEST_F(ConfigurationFileTest, WritesThirtyFiveRecordsInTheirTextForms) {
    const QByteArray b = startupBytes();
    ASSERT_EQ(b.size(), 35 * 128);
    const RecordReader r(b);
    const char *expected[] = {"FOCALINES", " 0",  " 1",   " 60", " 12.58333",
                              " 5",        " 80", " 100", "0"};
    for (int n = 1; n <= 9; ++n)
        EXPECT_EQ(r.read(n).text, QString::fromLatin1(expected[n - 1])) << n;
    const char *switches = "111001010101011001"; // Check1(0) to Check1(17)
    for (int k = 0; k < OptionCount; ++k)
        EXPECT_EQ(r.read(10 + k).text, QString(QChar(switches[k]))) << k;
    EXPECT_EQ(r.read(28).text, "15,0");
    EXPECT_EQ(r.read(35).text, "8,0");
    // A field's text is written as it stands, here four bytes.
    EXPECT_EQ(b.mid(27 * 128, 6), QByteArray("\x04\x00"
                                             "15,0",
                                             6));
}

TEST_F(ConfigurationFileTest, SavedBenchComesBackAsItWas) {
    BenchState saved = BenchState::startup();
    axisLengthButton(saved, 1);
    axisLengthButton(saved, 1);
    axisLengthButton(saved, 1); // 90 cm
    precisionButton(saved, 1);
    setOption(saved, TwoLenses, true);
    setOption(saved, BeamFromB, true);
    setOption(saved, WhiteBackground, true);
    setArrowPosition(saved, 3);
    setApparentDiameter(saved, 42);
    setObjectAtInfinity(saved, true);
    setLens1DiameterSlider(saved, 125);
    setFieldText(saved, Lens1Position, "20,25");
    setFieldText(saved, Lens2Position, "70,5");
    testpos(saved);
    updateBench(saved, 775);

    const QString path = dir.filePath("situation.P09");
    ASSERT_FALSE(saveConfiguration(saved, path).has_value());

    BenchState loaded = BenchState::startup();
    ASSERT_FALSE(loadConfiguration(loaded, path).has_value());
    updateBench(loaded, 775);
    EXPECT_EQ(loaded.fields, saved.fields);
    EXPECT_EQ(loaded.options, saved.options);
    EXPECT_EQ(loaded.objectAtInfinity, true);
    EXPECT_EQ(loaded.axisLengthStep, 4);
    EXPECT_EQ(loaded.axisLength, 90);
    EXPECT_EQ(loaded.axisLengthLabel, "90 cm");
    EXPECT_EQ(loaded.lens1DiameterTenthsMax, 152);
    EXPECT_EQ(loaded.lens1DiameterTenths, 125);
    EXPECT_EQ(loaded.precisionIndex, 1);
    EXPECT_EQ(loaded.arrowPositionTenths, 3);
    EXPECT_EQ(loaded.apparentDiameterTenths, 42);
    EXPECT_EQ(loaded.readouts, saved.readouts);
    EXPECT_FALSE(loaded.parallelRay1Enabled);
    EXPECT_EQ(titleForConfiguration(path), "Focalines - " + path);
}

TEST_F(ConfigurationFileTest, LoadedValuesGoThroughTheControls) {
    QByteArray b = startupBytes();
    // Axis of 2 m: a diameter slider of 300 is allowed by the loaded length, not by 60 cm.
    b = withRecord(b, 3, " 6");
    b = withRecord(b, 4, " 200");
    b = withRecord(b, 7, " 300");
    b = withRecord(b, 34, "30,0");
    b = withRecord(b, 35, "2,0");  // L2's diameter follows L1's
    b = withRecord(b, 28, "12.5"); // a field written elsewhere, with a point
    b = withRecord(b, 32, "abc");  // unreadable: the position test makes it 0
    b = withRecord(b, 2, "-1");    // no precision line selected
    b = withRecord(b, 14, "2");    // anything but "1" is unticked
    b = withRecord(b, 13, "1");    // beams from B...
    b = withRecord(b, 15, "1");    // ...then all rays, which unticks B again
    BenchState s = BenchState::startup();
    ASSERT_FALSE(loadConfiguration(s, write(b)).has_value());
    EXPECT_EQ(s.axisLengthLabel, "2 m");
    EXPECT_EQ(s.lens1DiameterTenths, 300);
    EXPECT_EQ(s.fields[Lens1Diameter], "30,0");
    EXPECT_EQ(s.fields[Lens2Diameter], "30,0");
    EXPECT_EQ(s.fields[Lens1Position], "12,5");
    EXPECT_EQ(s.fields[ObjectPosition], "0,0");
    EXPECT_EQ(s.precisionIndex, -1);
    EXPECT_EQ(s.precisionLabel, "");
    EXPECT_FALSE(s.options[BeamFromA]);
    EXPECT_FALSE(s.options[BeamFromB]);
    EXPECT_TRUE(s.options[BeamAll]);

    // Step 5 labels the axis in metres with the locale's comma.
    b = withRecord(withRecord(startupBytes(), 3, " 5"), 4, " 150");
    ASSERT_FALSE(loadConfiguration(s, write(b)).has_value());
    EXPECT_EQ(s.axisLengthLabel, "1,5 m");
}

TEST_F(ConfigurationFileTest, RefusedFilesChangeNothing) {
    const QByteArray good = startupBytes();
    struct Row {
        const char *name;
        QByteArray bytes;
        QString title;
    };
    QByteArray badLength = good;
    badLength[19 * 128] = char(127);
    const Row rows[] = {
        {"empty file", QByteArray(), NotValid},
        {"magic in lower case", withRecord(good, 1, "focalines"), NotValid},
        {"magic with a blank", withRecord(good, 1, "FOCALINES "), NotValid},
        {"magic with an oversized length",
         [&] {
             QByteArray b = good;
             b[0] = char(200);
             return b;
         }(),
         NotValid},
        {"truncated to 34 records", good.left(34 * 128), ReadFailure},
        {"truncated inside record 35", good.left(35 * 128 - 1), ReadFailure},
        {"oversized length", badLength, ReadFailure},
        {"precision 3", withRecord(good, 2, " 3"), ReadFailure},
        {"precision -2", withRecord(good, 2, "-2"), ReadFailure},
        {"axis step 13", withRecord(good, 3, " 13"), ReadFailure},
        {"axis length 0", withRecord(good, 4, " 0"), ReadFailure},
        // A diameter that any axis allows: only the length itself is wrong.
        {"axis length 0, smallest diameter", withRecord(withRecord(good, 4, " 0"), 7, " 5"),
         ReadFailure},
        {"axis length beyond 16 bits", withRecord(good, 4, " 40000"), ReadFailure},
        {"draw scale overflow", withRecord(good, 5, " 1E+39"), ReadFailure},
        {"arrow 0", withRecord(good, 6, " 0"), ReadFailure},
        {"arrow 10", withRecord(good, 6, " 10"), ReadFailure},
        {"diameter above the axis bound", withRecord(good, 7, " 102"), ReadFailure},
        {"diameter 4", withRecord(good, 7, " 4"), ReadFailure},
        {"apparent diameter 301", withRecord(good, 8, " 301"), ReadFailure},
    };
    for (const Row &r : rows) {
        BenchState s = BenchState::startup();
        setFieldText(s, Lens1Position, "33,0");
        const BenchState before = s;
        const auto error = loadConfiguration(s, write(r.bytes));
        ASSERT_TRUE(error.has_value()) << r.name;
        EXPECT_EQ(error->title, r.title) << r.name;
        EXPECT_EQ(error->text,
                  r.title == NotValid
                      ? QString::fromUtf8("Ce fichier ne correspond pas à cette application")
                      : QStringLiteral("Lecture impossible sur disque"))
            << r.name;
        EXPECT_EQ(s.fields, before.fields) << r.name;
        EXPECT_EQ(s.options, before.options) << r.name;
        EXPECT_EQ(s.precisionIndex, before.precisionIndex) << r.name;
        EXPECT_EQ(s.axisLength, before.axisLength) << r.name;
    }
    BenchState s = BenchState::startup();
    EXPECT_FALSE(loadConfiguration(s, write(withRecord(withRecord(good, 4, " 1"), 7, " 5"))));
    EXPECT_EQ(loadConfiguration(s, dir.filePath("missing.P09"))->title, NotValid);
    EXPECT_EQ(loadConfiguration(s, dir.path())->title, ReadFailure);
    // Bytes after the 35th record are no concern of the loader.
    EXPECT_FALSE(loadConfiguration(s, write(good + QByteArray(5000, 'x'))).has_value());
}

TEST_F(ConfigurationFileTest, FailedSaveKeepsTheOldFile) {
    const QString path = dir.filePath("keep.P09");
    BenchState s = BenchState::startup();
    ASSERT_FALSE(saveConfiguration(s, path).has_value());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray before = f.readAll();
    f.close();

    // A field text longer than a record holds cannot be saved.
    setFieldText(s, Lens1Focal, QString(127, u'1'));
    const auto error = saveConfiguration(s, path);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->title, "Enregistrement impossible");
    EXPECT_EQ(error->text, "Ecriture impossible sur disque");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
    f.close();
    // A directory that does not exist.
    EXPECT_TRUE(saveConfiguration(s, dir.filePath("none/x.P09")).has_value());

    // A write cut short, here by a file-size limit below the file's size as by a full disk.
    setFieldText(s, Lens1Focal, QStringLiteral("12"));
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    const rlimit limit{1024, old.rlim_max};
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &limit);
    const auto cutShort = saveConfiguration(s, path);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);
    EXPECT_TRUE(cutShort.has_value());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
}

TEST_F(ConfigurationFileTest, HostileBytesNeverCrashTheLoader) {
    const QByteArray good = startupBytes();
    std::mt19937 rng(20261208);
    int accepted = 0;
    for (int round = 0; round < 3000; ++round) {
        QByteArray b;
        switch (round % 3) {
        case 0: { // random bytes of a random length, magic or not
            b.resize(std::uniform_int_distribution<int>(0, 6000)(rng));
            for (char &c : b)
                c = char(rng());
            if (round % 2) b = good.left(128) + b;
            break;
        }
        case 1: { // a valid file with a few random bytes changed
            b = good;
            const int changes = std::uniform_int_distribution<int>(1, 8)(rng);
            for (int i = 0; i < changes; ++i)
                b[std::uniform_int_distribution<int>(128, int(b.size()) - 1)(rng)] = char(rng());
            break;
        }
        default: { // a valid file with random printable texts in random records
            b = good;
            for (int i = 0; i < 4; ++i) {
                QString t;
                const int len = std::uniform_int_distribution<int>(0, 20)(rng);
                for (int j = 0; j < len; ++j)
                    t += QChar(" -+.,0123456789eE1abc"[rng() % 21]);
                b = withRecord(b, std::uniform_int_distribution<int>(2, 35)(rng), t);
            }
        }
        }
        BenchState s = BenchState::startup();
        const auto error = loadConfiguration(s, write(b));
        if (error) {
            EXPECT_TRUE(error->title == NotValid || error->title == ReadFailure);
            continue;
        }
        ++accepted;
        // Whatever was accepted is a bench the figure can take.
        updateBench(s, 775);
        for (int k = 0; k < FieldCount; ++k)
            ASSERT_TRUE(parseFieldNumber(s.fields[k]).has_value()) << s.fields[k].toStdString();
        EXPECT_GE(s.value(Lens1Position), s.value(ObjectPosition));
        EXPECT_TRUE(std::isfinite(s.drawScale));
    }
    EXPECT_GT(accepted, 100);
}
