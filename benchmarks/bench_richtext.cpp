// Times the RTF reader and writer on three generated documents in the style of a word
// processor: a 20 KB exercise statement, a 200 KB text of many formatted runs, and a 2 MB
// document (French text, bold and colour runs, a table, a 500 KB PNG picture). The floor of
// each is building the same document directly from its already-decoded runs with a
// QTextCursor, which the reader cannot beat.
//   bench_richtext [--save-documents=DIR] [benchmark options]
// --save-documents writes the three files into DIR, for timing other programs on them.

#include "richtext/RichText.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextImageFormat>
#include <QTextTable>
#include <QUrl>

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

const char *const Words[] = {
    "la",
    "lumi\\'e8re",
    "se",
    "propage",
    "en",
    "ligne",
    "droite",
    "dans",
    "un",
    "milieu",
    "homog\\'e8ne",
    "et",
    "l\\rquote image",
    "d\\rquote un",
    "objet",
    "par",
    "une",
    "lentille",
    "mince",
    "convergente",
    "est",
    "r\\'e9elle",
    "renvers\\'e9e",
    "\\u339\\'9cil",
    "foyer",
    "\\'e0",
    "distance",
    "focale",
    "\\u171\\'ab",
    "\\u187\\'bb",
};
constexpr int WordCount = sizeof Words / sizeof Words[0];

// Deterministic choices, the same in every run.
struct Dice {
    unsigned state = 12345;
    int operator()(int n) {
        state = state * 1103515245u + 12345u;
        return int((state >> 16) % unsigned(n));
    }
};

QByteArray header() {
    return "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1036"
           "{\\fonttbl{\\f0\\froman\\fcharset0 Times New Roman;}{\\f1\\fswiss\\fcharset0 Arial;}"
           "{\\f2\\fswiss\\fcharset238 Arial CE;}}\n"
           "{\\colortbl;\\red0\\green0\\blue0;\\red192\\green0\\blue0;\\red0\\green64\\blue160;}\n"
           "{\\stylesheet{\\ql \\f0\\fs24 Normal;}{\\*\\cs10 \\additive Default Paragraph Font;}}\n"
           "{\\info{\\title Banc}{\\author Professeur}}\\paperw11906\\paperh16838\n";
}

// A paragraph of runs in Word's manner: each run its own group with its full format.
void paragraph(QByteArray &out, Dice &dice, int runs) {
    out += "\\pard\\plain\\qj\\sa120\\sl276\\slmult1 ";
    for (int r = 0; r < runs; ++r) {
        static const char *const Formats[] = {"\\f0\\fs24 ",         "\\f0\\fs24\\b ",
                                              "\\f0\\fs24\\cf2 ",    "\\f0\\fs24\\i ",
                                              "\\f1\\fs22\\cf3\\b ", "\\f0\\fs24\\super "};
        out += "{\\rtlch\\fcs1 \\ltrch\\fcs0 ";
        out += Formats[dice(6)];
        const int words = 3 + dice(12);
        for (int w = 0; w < words; ++w) {
            out += Words[dice(WordCount)];
            out += ' ';
        }
        out += "}";
    }
    out += "\\par\n";
}

void table(QByteArray &out, int rows) {
    for (int r = 0; r < rows; ++r) {
        out += "\\trowd\\trgaph108\\trleft-108";
        for (int c = 1; c <= 3; ++c)
            out += "\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10\\clbrdrb\\brdrs\\brdrw10"
                   "\\clbrdrr\\brdrs\\brdrw10\\cellx" +
                   QByteArray::number(c * 3000);
        out += "\n\\pard\\plain\\intbl {\\f0\\fs24\\b OA" + QByteArray::number(r) +
               "}\\cell {\\f0\\fs24 -15,0}\\cell {\\f0\\fs24\\cf2 30,0 cm}\\cell\\row\n";
    }
}

QByteArray statement() {
    Dice dice;
    QByteArray out = header();
    out += "\\pard\\plain\\qc\\sa200{\\f1\\fs32\\b\\cf2 Exercice 3 : la lentille "
           "convergente}\\par\n";
    for (int p = 0; p < 24; ++p)
        paragraph(out, dice, 6);
    table(out, 4);
    for (int i = 1; i <= 3; ++i)
        out += "{\\listtext\\f0 " + QByteArray::number(i) +
               ".\\tab}\\pard\\plain\\fi-360\\li720 {\\f0\\fs24 Question num\\'e9ro " +
               QByteArray::number(i) + "}\\par\n";
    return out + "}";
}

QByteArray textOnly() {
    Dice dice;
    QByteArray out = header();
    while (out.size() < 200 * 1024)
        paragraph(out, dice, 12);
    return out + "}";
}

// A picture whose PNG is about 500 KB: noise does not compress.
QByteArray noisePng() {
    QImage image(410, 410, QImage::Format_RGB32);
    Dice dice;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(dice(256), (x * 255) / 410, dice(256)));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

QByteArray large() {
    Dice dice;
    QByteArray out = header();
    const QByteArray hex = noisePng().toHex();
    while (out.size() < 600 * 1024)
        paragraph(out, dice, 10);
    table(out, 30);
    out += "\\pard\\plain\\qc {\\pict\\pngblip\\picw410\\pich410\\picwgoal6150\\pichgoal6150\n";
    for (qsizetype i = 0; i < hex.size(); i += 128)
        out += hex.mid(i, 128) + '\n';
    out += "}\\par\n";
    while (out.size() < 2 * 1024 * 1024)
        paragraph(out, dice, 10);
    return out + "}";
}

struct Documents {
    QByteArray bytes[3] = {statement(), textOnly(), large()};
};
const Documents &documents() {
    static const Documents d;
    return d;
}

std::unique_ptr<QTextDocument> read(const QByteArray &bytes) {
    auto result = richtext::readRtf(bytes);
    if (!std::holds_alternative<std::unique_ptr<QTextDocument>>(result)) return nullptr;
    return std::move(std::get<std::unique_ptr<QTextDocument>>(result));
}

// The document as already-decoded pieces: paragraphs with their formats and runs, tables,
// pictures; and the cursor work that builds it again.
struct Run {
    QString text;
    QTextCharFormat format;
    QImage image;
};
struct Paragraph {
    QTextBlockFormat format;
    QTextCharFormat charFormat;
    std::vector<Run> runs;
};
struct Piece {
    Paragraph paragraph;
    int rows = 0, columns = 0;
    QTextTableFormat tableFormat;
    std::vector<std::vector<Paragraph>> cells;
};

Paragraph paragraphOf(const QTextBlock &b) {
    Paragraph p{b.blockFormat(), b.charFormat(), {}};
    for (auto it = b.begin(); !it.atEnd(); ++it) {
        const QTextFragment f = it.fragment();
        Run r{f.text(), f.charFormat(), {}};
        if (f.charFormat().isImageFormat())
            r.image = qvariant_cast<QImage>(b.document()->resource(
                QTextDocument::ImageResource, QUrl(f.charFormat().toImageFormat().name())));
        p.runs.push_back(std::move(r));
    }
    return p;
}

std::vector<Piece> piecesOf(const QTextDocument &d) {
    std::vector<Piece> pieces;
    for (auto it = d.rootFrame()->begin(); !it.atEnd(); ++it) {
        Piece piece;
        if (auto *t = qobject_cast<QTextTable *>(it.currentFrame())) {
            piece.rows = t->rows();
            piece.columns = t->columns();
            piece.tableFormat = t->format();
            for (int r = 0; r < t->rows(); ++r)
                for (int c = 0; c < t->columns(); ++c) {
                    const QTextTableCell cell = t->cellAt(r, c);
                    std::vector<Paragraph> blocks;
                    for (QTextBlock b = d.findBlock(cell.firstPosition());
                         b.isValid() && b.position() <= cell.lastPosition(); b = b.next())
                        blocks.push_back(paragraphOf(b));
                    piece.cells.push_back(std::move(blocks));
                }
        } else {
            piece.paragraph = paragraphOf(it.currentBlock());
        }
        pieces.push_back(std::move(piece));
    }
    return pieces;
}

void insertRuns(QTextCursor &c, QTextDocument &d, const Paragraph &p) {
    for (const Run &r : p.runs) {
        if (r.format.isImageFormat()) {
            const QTextImageFormat f = r.format.toImageFormat();
            d.addResource(QTextDocument::ImageResource, QUrl(f.name()), r.image);
            c.insertImage(f);
        } else {
            c.insertText(r.text, r.format);
        }
    }
}

// Kept out of line, so that profilers count the floor apart from the loop around it.
[[gnu::noinline]] std::unique_ptr<QTextDocument> build(const std::vector<Piece> &pieces) {
    auto d = std::make_unique<QTextDocument>();
    d->setUndoRedoEnabled(false);
    QTextCursor c(d.get());
    c.beginEditBlock();
    bool first = true;
    for (const Piece &piece : pieces) {
        if (piece.rows > 0) {
            QTextTable *t = c.insertTable(piece.rows, piece.columns, piece.tableFormat);
            for (int i = 0; i < piece.rows * piece.columns; ++i) {
                QTextCursor cc =
                    t->cellAt(i / piece.columns, i % piece.columns).firstCursorPosition();
                bool firstBlock = true;
                for (const Paragraph &p : piece.cells[std::size_t(i)]) {
                    if (!firstBlock)
                        cc.insertBlock(p.format, p.charFormat);
                    else
                        cc.setBlockFormat(p.format);
                    firstBlock = false;
                    insertRuns(cc, *d, p);
                }
            }
            c = t->lastCursorPosition();
            c.movePosition(QTextCursor::NextBlock);
            first = true;
            continue;
        }
        if (first)
            c.setBlockFormat(piece.paragraph.format);
        else
            c.insertBlock(piece.paragraph.format, piece.paragraph.charFormat);
        first = false;
        insertRuns(c, *d, piece.paragraph);
    }
    c.endEditBlock();
    d->setUndoRedoEnabled(true);
    return d;
}

void readDocument(benchmark::State &st) {
    const QByteArray &bytes = documents().bytes[st.range(0)];
    for (auto _ : st) {
        auto d = read(bytes);
        if (!d) st.SkipWithError("refused");
        benchmark::DoNotOptimize(d.get());
    }
    st.SetBytesProcessed(st.iterations() * bytes.size());
}

void buildFloor(benchmark::State &st) {
    const auto d = read(documents().bytes[st.range(0)]);
    const std::vector<Piece> pieces = piecesOf(*d);
    for (auto _ : st) {
        auto built = build(pieces);
        benchmark::DoNotOptimize(built.get());
    }
}

void writeDocument(benchmark::State &st) {
    const auto d = read(documents().bytes[st.range(0)]);
    for (auto _ : st) {
        QByteArray out = richtext::writeRtf(*d);
        benchmark::DoNotOptimize(out.data());
    }
}

// 0: statement (20 KB), 1: text only (200 KB), 2: large (2 MB).
BENCHMARK(readDocument)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(buildFloor)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(writeDocument)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    std::vector<char *> args;
    for (int i = 0; i < argc; ++i) {
        constexpr const char *Save = "--save-documents=";
        if (std::strncmp(argv[i], Save, std::strlen(Save)) == 0) {
            const QDir dir(QString::fromLocal8Bit(argv[i] + std::strlen(Save)));
            const char *names[] = {"statement.rtf", "text-only.rtf", "large.rtf"};
            for (int k = 0; k < 3; ++k) {
                QFile f(dir.filePath(names[k]));
                if (f.open(QIODevice::WriteOnly)) f.write(documents().bytes[k]);
            }
            continue;
        }
        args.push_back(argv[i]);
    }
    int count = int(args.size());
    benchmark::Initialize(&count, args.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
