#include "bench/BenchControls.h"
#include "bench/FieldBounds.h"
#include "bench/ImageFormation.h"
#include "calculator/CalculatorNumberText.h"
#include "calculator/Evaluator.h"
#include "config/ConfigurationFile.h"
#include "exercises/ExerciseFile.h"
#include "richtext/RichText.h"
#include "ui/DrawingSurface.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <cmath>
#include <map>

using namespace exercises;

namespace {

const QString Content = QStringLiteral(FOCALINES_CONTENT "/");

QString plainText(const QString &file) {
    auto r = richtext::readRtfFile(Content + file);
    auto *document = std::get_if<std::unique_ptr<QTextDocument>>(&r);
    EXPECT_TRUE(document) << file.toStdString();
    return document ? (*document)->toPlainText() : QString();
}

// The numbers a text states, in the order it states them: decimals after a comma, or a
// fraction of whole numbers ("1/10,0" is the number 10,0).
QStringList statedNumbers(const QString &text) {
    static const QRegularExpression number(
        QStringLiteral("[\\x{2212}-]?\\d+(?:,\\d+|/\\d+(?!\\d|,\\d))"));
    QStringList found;
    for (const auto &m : number.globalMatch(text))
        found << m.captured();
    return found;
}

// The table that scripts/make_content.py writes beside the texts: the benches (a
// configuration of content/, some fields retyped), every number each text states with the
// expression that gives it from those benches, and the read-out texts the texts quote.
struct StatedNumbers {
    std::map<QString, bench::BenchState> benches;
    std::map<QString, QStringList> stated;                            // text file: its numbers
    std::vector<std::pair<QString, QString>> values;                  // stated number, expression
    std::vector<std::tuple<QString, QString, QString, int>> readouts; // file, text, bench, index
};

StatedNumbers readStatedNumbers() {
    StatedNumbers t;
    QFile f(QStringLiteral(FOCALINES_CONTENT_NUMBERS));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << FOCALINES_CONTENT_NUMBERS;
    for (const QString &line : QString::fromUtf8(f.readAll()).split(u'\n')) {
        const QStringList cells = line.split(u'\t');
        if (cells[0] == u"bench") {
            bench::BenchState s = bench::BenchState::startup();
            EXPECT_FALSE(config::loadConfiguration(s, Content + cells[2]))
                << cells[2].toStdString();
            for (const QString &field : cells.mid(3)) {
                bench::setFieldText(s, field.section(u'=', 0, 0).toInt(), field.section(u'=', 1));
                bench::testpos(s);
            }
            bench::updateBench(s, ui::DesignFigureWidth);
            t.benches[cells[1]] = s;
        } else if (cells[0] == u"value") {
            t.stated[cells[1]] << cells[2];
            t.values.emplace_back(cells[2], cells[3]);
        } else if (cells[0] == u"readout") {
            t.readouts.emplace_back(cells[1], cells[2], cells[3], cells[4].toInt());
        }
    }
    return t;
}

double benchValue(const bench::BenchState &s, const QString &name) {
    using namespace bench;
    static const std::map<QString, Field> fields = {{"x1", Lens1Position},  {"f1", Lens1Focal},
                                                    {"x2", Lens2Position},  {"f2", Lens2Focal},
                                                    {"xA", ObjectPosition}, {"h", ObjectHeight}};
    if (const auto f = fields.find(name); f != fields.end()) return s.value(f->second);
    if (name == u"a") return s.apparentDiameterTenths / 10.0;
    if (name == u"xA1") return s.image1Position;
    if (name == u"h1") return s.image1Height;
    if (name == u"xA2") return s.image2Position;
    if (name == u"h2") return s.image2Height;
    ADD_FAILURE() << "unknown name " << name.toStdString();
    return 0;
}

// The value of an expression of bench values ("C02.xA1-C02.x1"), worked out by the
// calculator of the program in degrees.
std::optional<double> evaluate(const StatedNumbers &t, QString expression) {
    static const QRegularExpression name(QStringLiteral("([A-Z]\\d\\d)\\.([A-Za-z0-9]+)"));
    QString numbers;
    qsizetype at = 0;
    for (const auto &m : name.globalMatch(expression)) {
        const auto b = t.benches.find(m.captured(1));
        if (b == t.benches.end()) return std::nullopt;
        numbers +=
            expression.mid(at, m.capturedStart() - at) + u'(' +
            QString::fromStdString(calculator::formatNumber(benchValue(b->second, m.captured(2)))) +
            u')';
        at = m.capturedEnd();
    }
    numbers += expression.mid(at);
    const auto e =
        calculator::evaluateExpression(numbers.toStdString(), calculator::AngleMode::Degrees);
    if (e.code != calculator::Success) return std::nullopt;
    return calculator::readNumber(e.text);
}

// Whether a value reads as the stated number at the precision the number is written with: to
// half its last decimal, or, for a fraction, to the precision of the bench's single-precision
// positions.
bool statedAs(double value, QString stated) {
    stated.replace(QChar(0x2212), u'-');
    if (stated.contains(u'/'))
        return std::abs(value - stated.section(u'/', 0, 0).toDouble() /
                                    stated.section(u'/', 1).toDouble()) <=
               1e-5 * std::max(1.0, std::abs(value));
    const int decimals = int(stated.size() - stated.indexOf(u',') - 1);
    return std::abs(value - stated.replace(u',', u'.').toDouble()) <=
           0.5 * std::pow(10, -decimals) * (1 + 1e-6);
}

// Every number of every text is the one its benches give, through the program's own loading
// and image computation: a bench or a number changed by hand in content/ is caught.
TEST(BundledContent, EveryStatedNumberIsTheBenchs) {
    const StatedNumbers t = readStatedNumbers();
    ASSERT_FALSE(t.values.empty());
    for (const auto &[stated, expression] : t.values) {
        const auto value = evaluate(t, expression);
        ASSERT_TRUE(value) << expression.toStdString();
        EXPECT_TRUE(statedAs(*value, stated))
            << stated.toStdString() << " is " << expression.toStdString() << " = " << *value;
    }
    for (const auto &[file, text, benchLabel, index] : t.readouts) {
        EXPECT_EQ(t.benches.at(benchLabel).readouts[index], text) << file.toStdString();
        EXPECT_TRUE(plainText(file).contains(text)) << file.toStdString();
    }
    for (const QString &file : QDir(Content).entryList({"*.rtf"}, QDir::Files, QDir::Name)) {
        const auto stated = t.stated.find(file);
        EXPECT_EQ(statedNumbers(plainText(file)).join(u' ').toStdString(),
                  (stated == t.stated.end() ? QString() : stated->second.join(u' ')).toStdString())
            << file.toStdString() << ": the numbers of the text are not those of the table";
    }
}

// Every exercise has its statement, bench, correction and correction bench, is listed in the
// getting-started text, keeps its read-outs hidden exactly when its statement says so, and
// comes after the easier ones.
TEST(BundledContent, EveryExerciseIsComplete) {
    const QStringList files = QDir(Content).entryList({"*.E21"}, QDir::Files, QDir::Name);
    ASSERT_GE(files.size(), 16);
    auto pem = readExerciseFile(Content + "focalines.PEM");
    ASSERT_TRUE(std::holds_alternative<ExerciseFile>(pem));
    const ExerciseFile &material = std::get<ExerciseFile>(pem);
    const QString gettingStarted = plainText(material.statement);
    double difficulty = 0;
    for (const QString &name : files) {
        SCOPED_TRACE(name.toStdString());
        auto r = readExerciseFile(Content + name);
        ASSERT_TRUE(std::holds_alternative<ExerciseFile>(r));
        const ExerciseFile e = std::get<ExerciseFile>(r);
        EXPECT_FALSE(e.topics.isEmpty());
        EXPECT_TRUE(gettingStarted.contains(e.title)) << e.title.toStdString();
        EXPECT_GE(e.difficulty, difficulty) << "in rising difficulty";
        difficulty = e.difficulty;
        EXPECT_GT(e.hourglasses, 0);
        for (const QString &f :
             {e.statement, e.configuration, e.correction, e.correctionConfiguration})
            EXPECT_TRUE(QFileInfo(Content + f).isFile()) << f.toStdString();
        const QString statement = plainText(e.statement);
        EXPECT_FALSE(plainText(e.correction).trimmed().isEmpty());
        EXPECT_EQ(e.hideValues,
                  statement.contains(QString::fromUtf8("valeurs de l'image sont cachées")));
    }

    EXPECT_TRUE(QFileInfo(Content + material.configuration).isFile());
    for (const char *topic : {"Objets et images", "Lentilles", "Affichage", "Construction",
                              "souris", "Enregistrer", "Calculatrice", "exercice"})
        EXPECT_TRUE(gettingStarted.contains(QString::fromUtf8(topic))) << topic;
}

} // namespace
