// What Focalines writes must open in a word processor with the paragraphs and text that
// Focalines itself reads. Every fixture, and a generated set of awkward paragraphs, is read and
// written again as `focalines-cli rtf-convert` does, and LibreOffice (headless, with a profile of
// its own) converts all the written files to text in one run; its lines must be the lines of our
// reading of the original. Exit code 77 (skipped) where LibreOffice is not installed.

#include "DocumentDescription.h"
#include "richtext/RichText.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QUrl>

#include <cstdio>
#include <vector>

namespace {

// A paragraph ending in each character format, and one whose mark alone carries it.
QByteArray formatsAtParagraphEnds() {
    static const char *const Formats[] = {
        "\\b",        "\\i",        "\\ul",     "\\uld",      "\\uldash", "\\uldashd",
        "\\uldashdd", "\\ulwave",   "\\strike", "\\super",    "\\sub",    "\\up6",
        "\\dn6",      "\\caps",     "\\scaps",  "\\cf1",      "\\cb2",    "\\highlight2",
        "\\fs40",     "\\f1\\fs16", "\\v",      "\\super\\b", "\\sub\\i", "\\plain\\super",
    };
    QByteArray body;
    for (const char *f : Formats)
        body += QByteArray("\\pard avant ") + (f + 1) + " {" + f + " fin}\\par\n\\pard marque " +
                (f + 1) + f + " \\par\\plain\n";
    return body;
}

// Every code page the reader knows, as a font's \cpg or \fcharset, with bytes from each half.
QByteArray codePages() {
    static const int Pages[] = {437,   737,   775,   850,   852,   855,   857,   860,   861,
                                862,   863,   864,   865,   866,   869,   874,   1250,  1251,
                                1252,  1253,  1254,  1255,  1256,  1257,  1258,  10000, 10006,
                                10007, 10029, 20127, 20866, 21866, 28591, 28592, 28593, 28594,
                                28595, 28596, 28597, 28598, 28599, 28605};
    static const int Charsets[] = {0,   2,   77,  85,  88,  89,  161, 162, 163,
                                   177, 178, 186, 204, 222, 238, 254, 255};
    // Double-byte pages, with characters they hold.
    static const std::pair<int, const char *> Wide[] = {{932, "\\'82\\'a0"},
                                                        {936, "\\'c4\\'e3"},
                                                        {949, "\\'c7\\'d1"},
                                                        {950, "\\'a4\\'a4"},
                                                        {65001, "\\'c3\\'a9"}};
    QByteArray bytes;
    for (int c = 0x41; c <= 0xFF; c += c < 0x80 ? 13 : 3)
        bytes += "\\'" + QByteArray::number(c, 16);
    QByteArray fonts = "{\\fonttbl{\\f0 Arial;}", body;
    int font = 0;
    const auto add = [&](const QByteArray &definition, const QByteArray &text) {
        const QByteArray f = "\\f" + QByteArray::number(++font);
        fonts += "{" + f + definition + " X;}";
        body += "\\pard\\f0 " + definition.mid(1) + " : {" + f + " " + text + "}\\par\n";
    };
    for (const int page : Pages)
        add("\\cpg" + QByteArray::number(page), bytes);
    for (const int charset : Charsets)
        add("\\fcharset" + QByteArray::number(charset), bytes);
    for (const auto &[page, text] : Wide)
        add("\\cpg" + QByteArray::number(page), text);
    return fonts + "}\n" + body;
}

QByteArray pictures() {
    QImage image(6, 4, QImage::Format_RGB32);
    image.fill(Qt::blue);
    const QByteArray pict =
        "{\\pict\\pngblip\\picwgoal600\\pichgoal400 " + pngBytes(image).toHex() + "}";
    return "\\pard image " + pict + "\\par\\pard " + pict + "\\par\\pard m{\\super 2}" + pict +
           "\\par\\pard " + pict + "{\\super 3}\\par\\pard fin\\par\n";
}

// Documents built from the RTF grammar, inside {\rtf1 ... } with two fonts and two colours.
std::vector<std::pair<QString, QByteArray>> generatedDocuments() {
    const std::pair<const char *, QByteArray> bodies[] = {
        {"formats_at_paragraph_ends", formatsAtParagraphEnds()},
        {"notes_before_list_items",
         "{\\*\\listtable{\\list\\listtemplateid1{\\listlevel\\levelnfc0\\levelstartat1"
         "{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}\\fi-360\\li720}\\listid1}}"
         "{\\*\\listoverridetable{\\listoverride\\listid1\\listoverridecount0\\ls1}}\n"
         "\\pard Remarque{\\super 1}\\par{\\listtext\\pard\\plain "
         "1.\\tab}\\pard\\ls1\\fi-360\\li720 "
         "un{\\super\\chftn}\\par{\\listtext\\pard\\plain 2.\\tab}deux{\\super 2}\\par"
         "\\pard Fin{\\sub 0}\\par\n"},
        {"tables",
         "\\pard avant{\\super 2}\\par\\trowd\\cellx2000\\cellx4000\\pard\\intbl "
         "a{\\super 2}\\cell b{\\sub 3}\\cell\\row\\trowd\\cellx2000\\cellx4000\\pard"
         "\\intbl c\\par d{\\super 1}\\cell{\\b e}\\cell\\row\\pard apr\\'e8s{\\sub 1}"
         "\\par\\trowd\\cellx3000\\pard\\intbl{\\v cach\\'e9}\\cell\\row\\pard fin\\par\n"},
        {"pictures", pictures()},
        {"hidden_text", "\\pard visible{\\v cach\\'e9}\\par\\pard{\\v tout cach\\'e9}\\par"
                        "\\pard a{\\v\\super 2}\\par\\pard fin\\par\n"},
        // Empty paragraphs, and paragraphs ending in a tab, a line break, a space that does not
        // break, a soft hyphen, a character beyond 16 bits or an escaped character.
        {"odd_paragraphs",
         "\\pard un\\par\\par\\pard\\par deux\\tab\\par trois\\line\\par quatre\\~\\par cinq\\-"
         "\\par six\\_\\par sept\\u-10179?\\u-8704?\\par huit\\{\\}\\\\\\par\\page neuf\\sect "
         "dix\\par\\pard\\pagebb onze\\par\\tab\\par\\line\\par fin\\par\n"},
        {"code_pages", codePages()},
    };
    std::vector<std::pair<QString, QByteArray>> docs;
    for (const auto &[name, body] : bodies)
        docs.emplace_back(name, "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 Arial;}{\\f1 "
                                "Courier New;}}{\\colortbl;\\red200\\green0\\blue0;\\red255"
                                "\\green255\\blue0;}\n" +
                                    body + "}");
    docs.emplace_back("vietnamese_document", "{\\rtf1\\ansi\\ansicpg1258 \\'d5\\'dd\\'cc\\'de}");
    return docs;
}

// Documents as an editor holds them after rich text was pasted into it: real lists, nested
// tables, headings. They have no RTF of their own: our reading of the file written is compared.
const std::pair<const char *, const char *> HtmlDocuments[] = {
    {"html_lists", "<p>x<sup>2</sup></p><ul><li>un<sup>1</sup></li><li>deux<sub>2</sub>"
                   "<ul><li>imbriqu&eacute;<sup>3</sup></li></ul></li></ul>"
                   "<ol><li>premier</li><li>second<sup>4</sup></li></ol><p>fin</p>"},
    {"html_tables", "<table border=1><tr><td>a<sup>2</sup></td><td><p>b</p><p>c<sub>1</sub></p>"
                    "</td></tr><tr><td colspan=2>fusion</td></tr></table><p>apr&egrave;s</p>"
                    "<table><tr><td><table border=1><tr><td>x</td><td>y<sup>5</sup></td></tr>"
                    "</table></td><td>z</td></tr></table><p>fin</p>"},
    {"html_headings", "<h1>Titre<sup>1</sup></h1><h2>Sous-titre</h2><pre>ligne 1\nligne 2</pre>"
                      "<p>a&nbsp;b<br>c</p><p>fin</p>"},
};

// A text's lines, white space collapsed, without the empty lines at its end: a word processor
// keeps an empty last paragraph after a table, and a text file ends with a line feed or not.
QStringList linesOf(const QString &text) {
    QStringList lines;
    for (const QString &line : text.split(u'\n'))
        lines << line.simplified();
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// The lines of a document as a text file gives them: one for each paragraph, table cells
// included, and for each line break; pictures left out.
QStringList linesOf(const QTextDocument &d) {
    QTextBlock b = d.begin();
    // A document that begins with a table holds an empty paragraph before it, which no file
    // holds.
    if (b.length() == 1 && QTextCursor(b.next()).currentTable()) b = b.next();
    QString text;
    for (; b.isValid(); b = b.next())
        text += b.text().remove(QChar::ObjectReplacementCharacter) + u'\n';
    return linesOf(text.replace(QChar::LineSeparator, u'\n'));
}

std::unique_ptr<QTextDocument> read(const QByteArray &rtf) {
    auto result = richtext::readRtf(rtf);
    if (auto *document = std::get_if<std::unique_ptr<QTextDocument>>(&result))
        return std::move(*document);
    return nullptr;
}

} // namespace

int main(int argc, char *argv[]) {
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty()) {
        std::puts("LibreOffice (soffice) is not installed: skipped.");
        return 77;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir work;
    const QDir in(work.filePath("in")), out(work.filePath("out"));
    QDir().mkpath(in.path());

    // Each document: our reading of it, and what we write of it.
    std::vector<std::pair<QString, std::unique_ptr<QTextDocument>>> documents;
    for (const char *dir : {"libreoffice", "handwritten"}) {
        const QDir d(QStringLiteral(FIXTURES_DIR "/") + dir);
        for (const QString &name : d.entryList({"*.rtf"}, QDir::Files)) {
            QFile f(d.filePath(name));
            f.open(QIODevice::ReadOnly);
            documents.emplace_back(dir + ("_" + name.chopped(4)), read(f.readAll()));
        }
    }
    for (const auto &[name, rtf] : generatedDocuments())
        documents.emplace_back(name, read(rtf));
    for (const auto &[name, html] : HtmlDocuments) {
        QTextDocument pasted;
        pasted.setHtml(QString::fromUtf8(html));
        documents.emplace_back(name, read(richtext::writeRtf(pasted)));
    }
    QStringList written;
    for (const auto &[name, document] : documents)
        if (document && !richtext::writeRtfFile(*document, in.filePath(name + ".rtf")))
            written << in.filePath(name + ".rtf");

    // One LibreOffice for every file: it takes longer to start than to convert them all.
    QProcess lo;
    lo.setProcessChannelMode(QProcess::MergedChannels);
    lo.start(soffice, QStringList{"-env:UserInstallation=" +
                                      QUrl::fromLocalFile(work.filePath("profile")).toString(),
                                  "--headless", "--norestore", "--convert-to",
                                  "txt:Text (encoded):UTF8", "--outdir", out.path()} +
                          written);
    if (!lo.waitForFinished(15 * 60 * 1000) || lo.exitCode() != 0) {
        std::printf("LibreOffice did not convert the files:\n%s\n", lo.readAll().constData());
        return 1;
    }

    int passed = 0, failed = 0;
    for (const auto &[name, document] : documents) {
        QFile f(out.filePath(name + ".txt"));
        const QStringList ours = document ? linesOf(*document) : QStringList{"(not read)"};
        const QStringList theirs =
            f.open(QIODevice::ReadOnly)
                ? linesOf(QString::fromUtf8(f.readAll()).remove(QChar(0xFEFF)).remove(u'\r'))
                : QStringList{"(not written or not converted)"};
        if (theirs == ours) {
            ++passed;
            continue;
        }
        ++failed;
        qsizetype i = 0;
        while (i < ours.size() && i < theirs.size() && ours[i] == theirs[i])
            ++i;
        std::printf("FAIL %s, line %lld of %lld read by Focalines, %lld by LibreOffice:\n"
                    "  Focalines:   %s\n  LibreOffice: %s\n",
                    qPrintable(name), qlonglong(i + 1), qlonglong(ours.size()),
                    qlonglong(theirs.size()), qPrintable(ours.value(i, "(none)")),
                    qPrintable(theirs.value(i, "(none)")));
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
