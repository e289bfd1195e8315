#include "config/RecordFile.h"
#include "config/RecordNumber.h"
#include "ui/Windows1252.h"

#include <QDir>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <gtest/gtest.h>

using namespace config;

TEST(Windows1252, ConvertsBothWaysAndMarksWhatItLacks) {
    EXPECT_EQ(ui::toWindows1252(QString::fromUtf8("é€à")), QByteArray("\xe9\x80\xe0"));
    // Characters outside the code page, a lone surrogate and a pair, become "?".
    EXPECT_EQ(ui::toWindows1252(QString::fromUtf8("aΩ😀b")), QByteArray("a??b"));
    EXPECT_EQ(ui::toWindows1252(QString(QChar(0xD800))), QByteArray("?"));
    EXPECT_EQ(ui::fromWindows1252(QByteArray("\xe9\x80\x92")), QString::fromUtf8("é€’"));
    // Bytes the code page leaves undefined come back as themselves, so nothing is lost.
    const QByteArray undefined("\x81\x8d\x8f\x90\x9d", 5);
    EXPECT_EQ(ui::fromWindows1252(undefined).size(), 5);
    EXPECT_EQ(ui::fromWindows1252(undefined).at(0).unicode(), 0x81);
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    EXPECT_EQ(ui::fromWindows1252(all).size(), 256);
}

TEST(RecordFile, WritesFixedRecordsAndReadsThemBack) {
    RecordWriter w;
    ASSERT_TRUE(w.put(1, "FOCALINES"));
    ASSERT_TRUE(w.put(3, QString::fromUtf8("12,5 é")));
    EXPECT_FALSE(w.put(4, QString(127, u'x')));
    EXPECT_FALSE(w.put(0, "x"));
    ASSERT_TRUE(w.put(5, QString(126, u'y')));
    const QByteArray &b = w.bytes();
    ASSERT_EQ(b.size(), 5 * 128);
    EXPECT_EQ(b[0], 9);
    EXPECT_EQ(b[1], 0);
    EXPECT_EQ(b.mid(2, 9), "FOCALINES");
    EXPECT_EQ(b.mid(11, 117), QByteArray(117, '\0'));
    EXPECT_EQ(b.mid(256, 2), QByteArray("\x06\x00", 2));
    EXPECT_EQ(b.mid(258, 6), QByteArray("12,5 \xe9"));

    const RecordReader r(b);
    EXPECT_EQ(r.recordCount(), 5);
    EXPECT_EQ(r.read(1).text, "FOCALINES");
    EXPECT_EQ(r.read(2).status, Record::Ok); // an empty record between written ones
    EXPECT_EQ(r.read(2).text, "");
    EXPECT_EQ(r.read(3).text, QString::fromUtf8("12,5 é"));
    EXPECT_EQ(r.read(5).text.size(), 126);
    EXPECT_EQ(r.read(6).status, Record::Missing);
    EXPECT_EQ(r.read(0).status, Record::Missing);
}

TEST(RecordFile, RefusesOversizedLengthsAndPartialRecords) {
    QByteArray b(128 + 60, '\0');
    b[0] = char(0x7f); // 127: more than a record holds
    b[128] = 3;
    const RecordReader r(b);
    EXPECT_EQ(r.read(1).status, Record::BadLength);
    EXPECT_EQ(r.recordCount(), 1);
    EXPECT_EQ(r.read(2).status, Record::Missing);
    QByteArray big(128, '\0');
    big[0] = char(0xff);
    big[1] = char(0xff);
    EXPECT_EQ(RecordReader(big).read(1).status, Record::BadLength);
}

TEST(RecordFile, ReadsFilesAndReplacesThemWhole) {
    QTemporaryDir dir;
    const QString path = dir.filePath("a.bin");
    // A missing file reads as an empty one; a directory cannot be read.
    ASSERT_TRUE(readRecordFile(path, 35).has_value());
    EXPECT_TRUE(readRecordFile(path, 35)->isEmpty());
    EXPECT_FALSE(readRecordFile(dir.path(), 35).has_value());
    // A pipe with no writer would block a reader forever; a device may never end.
    const QString fifo = dir.filePath("pipe");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_FALSE(readRecordFile(fifo, 35).has_value());
    EXPECT_FALSE(readRecordFile("/dev/zero", 35).has_value());

    ASSERT_TRUE(writeFileReplacing(path, QByteArray(1000, 'a')));
    EXPECT_EQ(readRecordFile(path, 2)->size(), 256); // never more than asked for
    ASSERT_TRUE(writeFileReplacing(path, QByteArray(10, 'b')));
    EXPECT_EQ(*readRecordFile(path, 35), QByteArray(10, 'b'));
    // A write that cannot happen leaves nothing behind.
    EXPECT_FALSE(writeFileReplacing(dir.filePath("no/such/dir/x"), "x"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST(RecordNumber, WritesTheInvariantForm) {
    EXPECT_EQ(formatRecordInteger(50), " 50");
    EXPECT_EQ(formatRecordInteger(0), " 0");
    EXPECT_EQ(formatRecordInteger(-1), "-1");
    struct Row {
        float value;
        const char *text;
    };
    const Row rows[] = {
        {0.5f, " .5"},
        {-0.5f, "-.5"},
        {0.0f, " 0"},
        {755.0f / 60, " 12.58333"},
        {12.5f, " 12.5"},
        {100.0f, " 100"},
        {1234567.0f, " 1234567"},
        {12345678.0f, " 1.234568E+07"},
        {1e7f, " 1E+07"},
        {0.0001f, " .0001"},
        {0.00001f, " 1E-05"},
        {-2.5e-6f, "-2.5E-06"},
        {3e38f, " 3E+38"},
    };
    for (const Row &r : rows)
        EXPECT_EQ(formatRecordReal(r.value), QString::fromLatin1(r.text)) << r.value;
}

TEST(RecordNumber, ReadsTheLeadingNumber) {
    struct Row {
        const char *text;
        double value;
    };
    const Row rows[] = {
        {" .5", 0.5},
        {"3,5", 3},
        {"abc", 0},
        {"", 0},
        {"  -12.5e1x", -125},
        {"1e", 1},
        {"1e+", 1},
        {" 50", 50},
        {"-1", -1},
        {"+7", 7},
        {".", 0},
        {"- 3", 0},
        {" 1.234568E+07", 12345680},
        {"1e-400", 0},
    };
    for (const Row &r : rows) {
        const auto v = parseRecordNumber(QString::fromLatin1(r.text));
        ASSERT_TRUE(v.has_value()) << r.text;
        EXPECT_DOUBLE_EQ(*v, r.value) << r.text;
    }
    EXPECT_FALSE(parseRecordNumber("1e400").has_value());
    EXPECT_FALSE(parseRecordNumber(QString(500, u'9')).has_value());

    EXPECT_EQ(parseRecordInteger(" 2.5"), 2);
    EXPECT_EQ(parseRecordInteger(" 3.5"), 4);
    EXPECT_EQ(parseRecordInteger("-32768"), -32768);
    EXPECT_EQ(parseRecordInteger(" 32767.4"), 32767);
    EXPECT_FALSE(parseRecordInteger(" 32767.5").has_value());
    EXPECT_FALSE(parseRecordInteger(" 40000").has_value());
    EXPECT_FALSE(parseRecordReal(" 1e39").has_value());
    EXPECT_FLOAT_EQ(*parseRecordReal(" 12.58333"), 12.58333f);
}
