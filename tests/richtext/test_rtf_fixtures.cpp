#include "DocumentDescription.h"

#include "richtext/PlainText.h"
#include "richtext/RichText.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace {

const QString Fixtures = QStringLiteral(FIXTURES_DIR);

std::unique_ptr<QTextDocument> readFile(const QString &path) {
    ensureApplication<QGuiApplication>();
    auto result = richtext::readRtfFile(path);
    if (auto *error = std::get_if<richtext::TextError>(&result)) {
        ADD_FAILURE() << path.toStdString() << ": " << error->text.toStdString();
        return std::make_unique<QTextDocument>();
    }
    return std::move(std::get<std::unique_ptr<QTextDocument>>(result));
}

QString contents(const QString &path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    QString s = QString::fromUtf8(f.readAll());
    if (s.startsWith(QChar(0xFEFF))) s.remove(0, 1);
    return s.remove(u'\r');
}

QStringList rtfFiles(const QString &dir) {
    QStringList files;
    for (const QString &name : QDir(Fixtures + "/" + dir).entryList({"*.rtf"}, QDir::Files))
        files << Fixtures + "/" + dir + "/" + name;
    EXPECT_FALSE(files.isEmpty()) << dir.toStdString();
    return files;
}

int imageCount(const QTextDocument &d) {
    int n = 0;
    for (QTextBlock b = d.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat()) n += int(it.fragment().length());
    return n;
}

} // namespace

// LibreOffice's text export puts each table cell on its own line and indents list items; the
// words and their order must be the same.
TEST(Fixtures, LibreOfficeFilesGiveLibreOfficesText) {
    const QRegularExpression space(QStringLiteral("\\s+"));
    for (const QString &rtf : rtfFiles("libreoffice")) {
        const QString ours = richtext::plainText(*readFile(rtf));
        QString theirs = contents(rtf.chopped(4) + ".txt");
        EXPECT_EQ(ours.split(space, Qt::SkipEmptyParts).join(' ').toStdString(),
                  theirs.split(space, Qt::SkipEmptyParts).join(' ').toStdString())
            << rtf.toStdString();
    }
}

TEST(Fixtures, HandWrittenFilesGiveTheirText) {
    for (const QString &rtf : rtfFiles("handwritten"))
        EXPECT_EQ(richtext::plainText(*readFile(rtf)).toStdString(),
                  contents(rtf.chopped(4) + ".txt").toStdString())
            << rtf.toStdString();
}

TEST(Fixtures, PicturesShowOnceEach) {
    const struct {
        const char *file;
        int images;
    } cases[] = {{"libreoffice/06_image.rtf", 1}, {"handwritten/word_2016.rtf", 1}};
    for (const auto &c : cases)
        EXPECT_EQ(imageCount(*readFile(Fixtures + "/" + c.file)), c.images) << c.file;
}

TEST(Fixtures, EveryFixtureSurvivesWritingAndReadingAgain) {
    for (const char *dir : {"libreoffice", "handwritten"})
        for (const QString &rtf : rtfFiles(dir)) {
            const auto first = readFile(rtf);
            const QByteArray written = richtext::writeRtf(*first);
            auto again = richtext::readRtf(written);
            ASSERT_TRUE(std::holds_alternative<std::unique_ptr<QTextDocument>>(again));
            EXPECT_EQ(describeDocument(*std::get<0>(again)).toStdString(),
                      describeDocument(*first).toStdString())
                << rtf.toStdString();
        }
}
