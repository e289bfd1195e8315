#include "exercises/IntroText.h"

#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextEdit>

#include <array>

namespace exercises {

namespace {

enum class Style { Plain, Blue, Title };

struct Piece {
    const char *text; // "\n" marks a line break
    Style style;
};

// The pieces of the text in order; a style runs over exactly its piece's characters.
constexpr std::array<Piece, 16> introPieces = {{
    {"Focalines\n", Style::Title},
    {"\nCette application permet de représenter l'image d'un objet avec une ou ", Style::Plain},
    {"deux lentilles convergentes.\n\nPour ", Style::Plain},
    {"déplacer l'objet ou les lentilles, ", Style::Blue},
    {"vous pouvez utiliser", Style::Plain},
    {" la souris ", Style::Blue},
    {"directement sur la figure ou saisir les positions et dimensions avec le clavier. \n\n",
     Style::Plain},
    {"Tous les paramètres sont modifiables et l'image obtenue peut être imprimée ou placée "
     "dans le presse-papiers ",
     Style::Blue},
    {"(bouton Copier) pour la coller dans une autre application.\n\n", Style::Plain},
    {"Vous pouvez obtenir l'énoncé d'un exercice ", Style::Plain},
    {"dans cette fenêtre en appuyant sur l'onglet ", Style::Plain},
    {"Exercices", Style::Blue},
    {".\n\n", Style::Plain},
    {"Pour vous familiariser avec ce simulateur, choisissez d'abord l'activité ", Style::Plain},
    {"Prise en main ", Style::Blue},
    {"dans le menu Exercices.", Style::Plain},
}};

constexpr int BodyIndent = 20;
const QColor IntroBlue(0, 0, 200);

QTextCharFormat charFormat(Style style) {
    QTextCharFormat f;
    f.setFontFamilies({QStringLiteral("Arial")});
    f.setFontPointSize(style == Style::Title ? 18 : 10);
    f.setFontWeight(QFont::Normal);
    f.setFontItalic(false);
    f.setFontUnderline(false);
    f.setFontStrikeOut(false);
    f.setVerticalAlignment(QTextCharFormat::AlignNormal);
    f.setForeground(style == Style::Plain ? QColor(Qt::black) : IntroBlue);
    return f;
}

QTextBlockFormat blockFormat(Style style) {
    QTextBlockFormat f;
    f.setAlignment(style == Style::Title ? Qt::AlignHCenter : Qt::AlignLeft);
    f.setLeftMargin(style == Style::Title ? 0 : BodyIndent);
    return f;
}

} // namespace

void buildIntroText(QTextEdit *box) {
    const bool wasHidden = box->isHidden();
    box->setVisible(false);
    box->clear();
    box->setReadOnly(true);

    QTextCursor cursor(box->document());
    cursor.beginEditBlock();
    bool paragraphStart = true;
    for (const Piece &piece : introPieces) {
        const QTextCharFormat chars = charFormat(piece.style);
        const QStringList lines = QString::fromUtf8(piece.text).split(QLatin1Char('\n'));
        for (int i = 0; i < lines.size(); ++i) {
            if (i > 0) {
                cursor.insertBlock(blockFormat(Style::Plain), chars);
                paragraphStart = true;
            }
            // A paragraph belongs to the piece that holds its first character or, when empty,
            // its line break.
            const bool holdsSomething = !lines[i].isEmpty() || i + 1 < lines.size();
            if (paragraphStart && holdsSomething) {
                cursor.setBlockFormat(blockFormat(piece.style));
                paragraphStart = false;
            }
            cursor.setCharFormat(chars);
            if (!lines[i].isEmpty()) cursor.insertText(lines[i], chars);
        }
    }
    cursor.endEditBlock();
    box->moveCursor(QTextCursor::Start);
    box->document()->setModified(false);
    box->setHidden(wasHidden);
}

} // namespace exercises
