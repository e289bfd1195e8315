// focalines-cli: the bench of Focalines without its window. It loads a configuration (or starts
// from the program's start-up bench), normalises it as the window does, and prints the images
// or draws the figure. It also evaluates an expression as the calculator does.

#include "app/CliArguments.h"
#include "app/CliExercise.h"
#include "app/CliJson.h"
#include "app/CliPrint.h"
#include "app/CliRender.h"
#include "app/CliSeries.h"
#include "bench/BenchState.h"
#include "bench/FieldBounds.h"
#include "bench/ImageFormation.h"
#include "calculator/CalculatorNumberText.h"
#include "calculator/Evaluator.h"
#include "calculator/Messages.h"
#include "config/ConfigurationFile.h"
#include "richtext/PlainText.h"
#include "richtext/RichText.h"
#include "ui/DrawingSurface.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QStringList>
#include <QTextDocument>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <utility>
#include <variant>
#include <vector>

namespace {

constexpr int DefaultWidth = ui::DesignFigureWidth;
constexpr int DefaultHeight = ui::DesignFigureHeight;

constexpr int ExitOk = 0;
constexpr int ExitUsage = 1;
constexpr int ExitRefusedFile = 2;

const char *const HelpText =
    "Usage : focalines-cli COMMANDE [ARGUMENTS]\n"
    "\n"
    "Le banc d'optique de Focalines, sans sa fenêtre.\n"
    "\n"
    "Commandes :\n"
    "  images [FICHIER.P09]\n"
    "      Charge la configuration FICHIER.P09 (sans fichier : le banc du démarrage),\n"
    "      applique le test des positions, calcule les images et écrit sur la sortie\n"
    "      standard un objet JSON : titre de la fenêtre, longueur de l'axe, précision,\n"
    "      les huit champs et les quatre lectures des images (null pour les deux\n"
    "      dernières avec une seule lentille).\n"
    "  render [FICHIER.P09] --output FIGURE.png [--width PIXELS] [--height PIXELS]\n"
    "      Dessine la figure telle que la fenêtre principale la montre, dans une image\n"
    "      PNG, ou JPEG, SVG ou PDF si le nom se termine par .jpg (.jpeg), .svg ou .pdf ;\n"
    "      un nom d'une autre extension est refusé. Taille par défaut : 775 × 265.\n"
    "  print [FICHIER.P09] --output PAGES.pdf [--title TEXTE] [--copies N]\n"
    "        [--center none|horizontal|vertical|both] [--width PIXELS] [--height PIXELS]\n"
    "      Imprime la figure comme la fenêtre « Imprimer », dans un fichier PDF : une page\n"
    "      A4 à l'italienne par exemplaire, le titre en haut à gauche et la figure\n"
    "      centrée comme demandé. Par défaut : titre « Aldoria - Focalines », un\n"
    "      exemplaire (1 à 40), centrage vertical, figure de 775 × 265.\n"
    "  series [FICHIER.P09] --from X --to Y --steps N [--lens 1|2]\n"
    "         [--error DEMI-LARGEUR --seed N] [--csv MESURES.csv]\n"
    "         [--graph GRAPHIQUE.png [--view 1|2|3]]\n"
    "      Série automatique de la fenêtre « Mesures » : l'objet va de X à Y cm en N\n"
    "      mesures (2 à 200) avec la lentille L1 (ou L2), une erreur de lecture de\n"
    "      ± DEMI-LARGEUR cm (0,1 à 2) tirée de la graine N s'il le faut. Écrit un objet\n"
    "      JSON : les lignes du tableau (rows) et la droite 1/OA' = a × 1/OA + b (fit :\n"
    "      pente, ordonnée à l'origine, vergence en δ, distance focale en cm et leurs\n"
    "      incertitudes-types). Écrit sur demande le tableau en CSV (« ; », virgule\n"
    "      décimale) et le graphique (PNG, SVG ou PDF) : 1/OA' en fonction de 1/OA (1),\n"
    "      OA' en fonction de OA (2) ou γ en fonction de OA (3).\n"
    "  eval [--degrees] EXPRESSION\n"
    "      Calcule EXPRESSION comme la machine à calculer (angles en radians, en degrés\n"
    "      avec --degrees) et écrit le résultat sur la sortie standard. En cas d'erreur,\n"
    "      le message de la machine est écrit sur la sortie d'erreur et le code de\n"
    "      sortie est celui de l'erreur : 1 calcul impossible ou dépassement de\n"
    "      capacité, 2 parenthèses, 3 opérateurs.\n"
    "  rtf-text FICHIER.RTF\n"
    "      Écrit le texte du document en UTF-8 sur la sortie standard : chaque\n"
    "      paragraphe et chaque saut de ligne finissent par un saut de ligne, les\n"
    "      cellules d'une ligne de tableau sont séparées par une tabulation, les\n"
    "      marques de liste sont écrites, les images ne donnent rien.\n"
    "  rtf-convert ENTRÉE.RTF SORTIE.RTF\n"
    "      Lit ENTRÉE.RTF et l'enregistre dans SORTIE.RTF avec l'écriture RTF de\n"
    "      Focalines (un fichier existant n'est remplacé qu'une fois l'écriture finie).\n"
    "  exercise show FICHIER.E21\n"
    "      Écrit un objet JSON : les douze enregistrements de l'exercice, les fichiers\n"
    "      qu'ils nomment et, pour chacun, s'il est trouvé et lisible.\n"
    "  exercise make --title TITRE --statement ÉNONCÉ.RTF [--bench BANC.P09]\n"
    "        [--correction CORRIGÉ.RTF] [--correction-bench BANC.P09] [--notions TEXTE]\n"
    "        [--difficulty 0-3] [--hourglasses 0-20] [--hide-values] [--replace]\n"
    "        --output DOSSIER/NOM\n"
    "      Écrit l'exercice NOM.E21 et ses fichiers (NOM-enonce.rtf, NOM-enonce.P09,\n"
    "      NOM-corrige.rtf, NOM-corrige.P09) comme la fenêtre « Créer un exercice » :\n"
    "      mêmes vérifications, mêmes fichiers. Les textes sont copiés tels quels, les\n"
    "      bancs chargés puis enregistrés. --hide-values cache les valeurs de l'image\n"
    "      tant que l'exercice est ouvert. Un fichier existant n'est remplacé qu'avec\n"
    "      --replace. Refus : message sur la sortie d'erreur, code 1, rien d'écrit.\n"
    "  --help\n"
    "      Affiche cette aide.\n"
    "  --version\n"
    "      Affiche la version.\n"
    "\n"
    "Codes de sortie : 0 succès ; 1 commande ou argument incorrect, ou image, PDF ou\n"
    "texte impossible à écrire ; 2 fichier refusé (le titre et le texte du message sont\n"
    "écrits sur la sortie d'erreur sous la forme « TITRE: TEXTE »).\n";

// The bench that the window would show: the start-up bench, or the configuration file loaded
// into it. Sets the title as the window would. Returns the exit status of a refused file.
int loadBench(const QString &file, bench::BenchState &state, QString &title) {
    state = bench::BenchState::startup();
    title = QStringLiteral("Focalines");
    if (file.isEmpty()) return ExitOk;
    const QString fileName = QFileInfo(file).absoluteFilePath();
    if (const auto error = config::loadConfiguration(state, fileName)) {
        printError(error->title + QStringLiteral(": ") + error->text);
        return ExitRefusedFile;
    }
    title = config::titleForConfiguration(fileName);
    return ExitOk;
}

int images(const QStringList &args) {
    if (args.size() > 1 || (!args.isEmpty() && args[0].startsWith(u'-')))
        return usageError(
            QStringLiteral("images : un seul argument, le fichier de configuration."));
    bench::BenchState state;
    QString title;
    if (const int status = loadBench(args.value(0), state, title)) return status;
    bench::updateBench(state, DefaultWidth);

    QJsonArray fields;
    for (const QString &f : state.fields)
        fields.append(f);
    QJsonArray readouts;
    for (int i = 0; i < 4; ++i)
        readouts.append(i < 2 || state.lowerReadoutsVisible ? QJsonValue(state.readouts[i])
                                                            : QJsonValue(QJsonValue::Null));
    const QString json = jsonObjectText({{QStringLiteral("title"), title},
                                         {QStringLiteral("axisLength"), state.axisLength},
                                         {QStringLiteral("precisionIndex"), state.precisionIndex},
                                         {QStringLiteral("fields"), fields},
                                         {QStringLiteral("readouts"), readouts}});
    std::puts(json.toUtf8().constData());
    return ExitOk;
}

// A size in pixels, from 21 (the figure needs room for its margins) to 20000.
bool readSize(const QString &text, int &value) {
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok || v < 21 || v > 20000) return false;
    value = v;
    return true;
}

// The arguments of `render` and `print`: at most one file, --output, --width, --height, and the
// command's own options, whose values are left in `values`. Every option takes a value.
struct FigureArguments {
    QString file, output;
    int width = DefaultWidth, height = DefaultHeight;
    QHash<QString, QString> values;
};

// Returns the problem, or nothing when the arguments are well formed.
std::optional<QString> readFigureArguments(const QString &command, const QStringList &args,
                                           const QStringList &ownOptions,
                                           const QString &outputExample, FigureArguments &a) {
    const QStringList options = QStringList{"--output", "--width", "--height"} + ownOptions;
    CliArguments read;
    if (auto problem = readCliArguments(command, args, options, {}, true, read)) return problem;
    a.file = read.file;
    a.values = read.values;
    if (a.values.contains("--width") && !readSize(a.values["--width"], a.width))
        return QStringLiteral("%1 : largeur incorrecte (21 à 20000 pixels).").arg(command);
    if (a.values.contains("--height") && !readSize(a.values["--height"], a.height))
        return QStringLiteral("%1 : hauteur incorrecte (21 à 20000 pixels).").arg(command);
    a.output = a.values.value("--output");
    if (a.output.isEmpty())
        return QStringLiteral("%1 : l'option --output %2 est obligatoire.")
            .arg(command, outputExample);
    return std::nullopt;
}

int render(const QStringList &args) {
    FigureArguments a;
    if (auto problem = readFigureArguments("render", args, {}, "FIGURE.png", a))
        return usageError(*problem);
    bench::BenchState state;
    QString title;
    if (const int status = loadBench(a.file, state, title)) return status;
    return cliRender(state, a.output, a.width, a.height);
}

int print(const QStringList &args) {
    FigureArguments a;
    if (auto problem =
            readFigureArguments("print", args, {"--title", "--copies", "--center"}, "PAGES.pdf", a))
        return usageError(*problem);
    const QHash<QString, QString> &values = a.values;
    printing::PrintSettings settings;
    if (values.contains("--title")) settings.title = values["--title"];
    if (values.contains("--copies")) {
        bool ok = false;
        settings.copies = values["--copies"].toInt(&ok);
        if (!ok || settings.copies < printing::MinCopies || settings.copies > printing::MaxCopies)
            return usageError(QStringLiteral("print : nombre d'exemplaires incorrect (1 à 40)."));
    }
    if (values.contains("--center")) {
        const QString centre = values["--center"];
        const QStringList choices{"none", "horizontal", "vertical", "both"};
        const auto index = choices.indexOf(centre);
        if (index < 0)
            return usageError(
                QStringLiteral("print : centrage incorrect (none, horizontal, vertical "
                               "ou both)."));
        settings.centreHorizontally = index == 1 || index == 3;
        settings.centreVertically = index == 2 || index == 3;
    }
    bench::BenchState state;
    QString title;
    if (const int status = loadBench(a.file, state, title)) return status;
    return cliPrint(state, a.output, a.width, a.height, settings);
}

// The calculator's evaluation of the expression (the remaining arguments, joined by spaces,
// which carry no meaning in an expression). The result is written as the calculator's number
// text, trimmed; an error gives the calculator's message and its code as exit status.
int eval(QStringList args) {
    calculator::AngleMode mode = calculator::AngleMode::Radians;
    if (!args.isEmpty() && args.first() == QLatin1String("--degrees")) {
        mode = calculator::AngleMode::Degrees;
        args.removeFirst();
    }
    if (args.isEmpty()) return usageError(QStringLiteral("eval : l'expression manque."));
    const calculator::Evaluation e =
        calculator::evaluateExpression(args.join(u' ').toStdString(), mode);
    if (e.code != calculator::Success) {
        printError(QString::fromUtf8(calculator::errorMessage(e.code)));
        return e.code;
    }
    const std::optional<double> value = calculator::readNumber(e.text);
    if (!value) {
        printError(QString::fromUtf8(calculator::OverflowText));
        return calculator::CalculationFailed;
    }
    std::puts(calculator::formatNumber(*value).c_str());
    return ExitOk;
}

// The document of a text file, or the exit status of a refused file.
std::variant<std::unique_ptr<QTextDocument>, int> readText(const QString &path) {
    auto result = richtext::readRtfFile(path);
    if (auto *error = std::get_if<richtext::TextError>(&result)) {
        printError(error->title + QStringLiteral(": ") + error->text);
        return ExitRefusedFile;
    }
    return std::move(std::get<std::unique_ptr<QTextDocument>>(result));
}

int rtfText(const QStringList &args) {
    if (args.size() != 1 || args[0].startsWith(u'-'))
        return usageError(QStringLiteral("rtf-text : un seul argument, le fichier RTF."));
    auto document = readText(args[0]);
    if (const int *status = std::get_if<int>(&document)) return *status;
    const QByteArray text =
        richtext::plainText(*std::get<std::unique_ptr<QTextDocument>>(document)).toUtf8();
    std::fwrite(text.constData(), 1, std::size_t(text.size()), stdout);
    return ExitOk;
}

int rtfConvert(const QStringList &args) {
    if (args.size() != 2 || args[0].startsWith(u'-') || args[1].startsWith(u'-'))
        return usageError(
            QStringLiteral("rtf-convert : deux arguments, ENTRÉE.RTF et SORTIE.RTF."));
    auto document = readText(args[0]);
    if (const int *status = std::get_if<int>(&document)) return *status;
    if (const auto error =
            richtext::writeRtfFile(*std::get<std::unique_ptr<QTextDocument>>(document), args[1])) {
        printError(error->title + QStringLiteral(": ") + error->text);
        return ExitUsage;
    }
    return ExitOk;
}

// Qt's own chatter (a missing runtime directory, font look-ups) is no business of a command
// line user; only real failures reach standard error.
void quietQtMessages(QtMsgType type, const QMessageLogContext &, const QString &message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) printError(message);
}

} // namespace

int main(int argc, char *argv[]) {
    // A file-size limit makes a write fail, which says so, rather than end the program.
    std::signal(SIGXFSZ, SIG_IGN);
    qInstallMessageHandler(quietQtMessages);
    // The figure is drawn off screen: no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Taking a text's words or evaluating an expression needs no display platform nor fonts,
    // which take most of a short command's time. (Writing RTF does: it names the default
    // font, which only the platform knows.)
    const bool draws =
        !(argc > 1 && (!std::strcmp(argv[1], "rtf-text") || !std::strcmp(argv[1], "eval")));
    const std::unique_ptr<QCoreApplication> app =
        draws ? std::make_unique<QGuiApplication>(argc, argv)
              : std::make_unique<QCoreApplication>(argc, argv);
    QStringList args = app->arguments();
    args.removeFirst();
    if (args.isEmpty()) return usageError(QStringLiteral("Aucune commande."));
    const QString command = args.takeFirst();
    if (command == QLatin1String("--help") || command == QLatin1String("-h") ||
        command == QLatin1String("help")) {
        std::fputs(HelpText, stdout);
        return ExitOk;
    }
    if (command == QLatin1String("--version") || command == QLatin1String("-v")) {
        std::fputs("Focalines " FOCALINES_VERSION "\n", stdout);
        return ExitOk;
    }
    if (command == QLatin1String("images")) return images(args);
    if (command == QLatin1String("render")) return render(args);
    if (command == QLatin1String("print")) return print(args);
    if (command == QLatin1String("eval")) return eval(args);
    if (command == QLatin1String("series"))
        return cliSeries(args, [](const QString &file, bench::BenchState &state) {
            QString title;
            return loadBench(file, state, title);
        });
    if (command == QLatin1String("rtf-text")) return rtfText(args);
    if (command == QLatin1String("rtf-convert")) return rtfConvert(args);
    if (command == QLatin1String("exercise")) return cliExercise(args);
    return usageError(QStringLiteral("Commande inconnue : « %1 ».").arg(command));
}
