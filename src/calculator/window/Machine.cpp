#include "calculator/window/Machine.h"

#include "calculator/CalculatorNumberText.h"
#include "calculator/Evaluator.h"
#include "calculator/Messages.h"
#include "ui/MessageBoxes.h"

#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <cmath>

namespace calculator {

namespace {

// The window's places are given in the design's units, 15 to a pixel.
constexpr int px(int designUnits) {
    return designUnits / 15;
}

constexpr int ClientWidth = 301;
constexpr int ClientHeight = 430;

// Key sizes in design units.
constexpr int KeyHeight = 360;
constexpr int TallKeyHeight = 375; // the memory keys and "1/x"
constexpr int InvWidth = 840;
constexpr int WideKey = 495;
constexpr int NarrowKey = 450;
constexpr int PrefixKey = 435;

QString text(const char *utf8) {
    return QString::fromUtf8(utf8);
}

QFont keyFont(int pointSize) {
    QFont f(QStringLiteral("Arial"), pointSize);
    f.setBold(true);
    return f;
}

// The pictures of the power keys: a base and its exponent raised beside it.
QIcon powerIcon(const QString &base, const QString &exponent) {
    QPixmap pixmap(26, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(Qt::black);
    const QFont baseFont = keyFont(9);
    const QFont exponentFont = keyFont(7);
    const int baseWidth = QFontMetrics(baseFont).horizontalAdvance(base);
    const int total = baseWidth + QFontMetrics(exponentFont).horizontalAdvance(exponent);
    const int x = (pixmap.width() - total) / 2;
    p.setFont(baseFont);
    p.drawText(x, 14, base);
    p.setFont(exponentFont);
    p.drawText(x + baseWidth, 7, exponent);
    return QIcon(pixmap);
}

} // namespace

Machine::Kept &Machine::kept() {
    static Kept k;
    return k;
}

Machine::Machine(QWidget *parent) : QDialog(parent) {
    setWindowTitle(text("Machine à calculer"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(ClientWidth, ClientHeight);

    display_ = new QPlainTextEdit(this);
    display_->setObjectName(QStringLiteral("z1"));
    display_->setGeometry(px(240), px(240), px(4095), px(1335));
    // The display shows what the keys write; keys pressed while it has the focus go to the
    // window's key handler, and it keeps a visible caret after the last character.
    display_->setReadOnly(true);
    display_->setTextInteractionFlags(Qt::TextSelectableByKeyboard);
    display_->setContextMenuPolicy(Qt::NoContextMenu);
    // A long expression scrolls to its end, where the caret is, without a scroll bar.
    display_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    display_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    display_->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    display_->setFont(keyFont(12));
    QPalette display = display_->palette();
    display.setColor(QPalette::Base, Qt::black);
    display.setColor(QPalette::Text, QColor(0, 255, 0));
    display_->setPalette(display);
    display_->installEventFilter(this);

    auto *picture1 = new QFrame(this);
    picture1->setObjectName(QStringLiteral("Picture1"));
    picture1->setGeometry(px(240), px(1800), px(4095), px(975));
    picture1->setAutoFillBackground(true);
    const QFont small(QStringLiteral("Arial"), 8);
    const auto optionPair = [&](int left, int width, const QString &title, QRadioButton **pair,
                                const char *names[2], const QString captions[2]) {
        auto *frame = new QGroupBox(title, picture1);
        frame->setFont(small);
        frame->setGeometry(px(left), 0, px(width), px(855));
        for (int i = 0; i < 2; ++i) {
            pair[i] = new QRadioButton(captions[i], frame);
            pair[i]->setObjectName(QString::fromLatin1(names[i]));
            pair[i]->setGeometry(px(120), px(240 + 240 * i), px(width) - 12, 16);
        }
    };
    // The first of each pair is the upper button: "Radians" is "angle1", "Scientifique" "C0".
    QRadioButton *angles[2], *formats[2];
    const char *angleNames[2] = {"angle1", "angle0"};
    const char *formatNames[2] = {"C0", "C1"};
    const QString angleCaptions[2] = {text("Radians"), text("Degrés")};
    const QString formatCaptions[2] = {text("Scientifique"), text("Standard")};
    optionPair(120, 1815, text("Angles"), angles, angleNames, angleCaptions);
    optionPair(2040, 1935, text("Affichage"), formats, formatNames, formatCaptions);
    angleButtons_[1] = angles[0];
    angleButtons_[0] = angles[1];
    formatButtons_[0] = formats[0];
    formatButtons_[1] = formats[1];
    angleButtons_[1]->setChecked(true);
    formatButtons_[1]->setChecked(true);
    for (QRadioButton *c : formatButtons_)
        connect(c, &QRadioButton::toggled, this, [this](bool on) {
            if (on) changeFormat();
        });

    buildKeys();
    display_->setFocus();
}

QPushButton *Machine::addKey(const char *name, const QString &caption, const QString &toolTip,
                             int left, int top, int width, int height,
                             std::function<void()> onClick) {
    auto *key = new QPushButton(caption, this);
    key->setObjectName(QString::fromLatin1(name));
    key->setGeometry(px(left), px(top), px(width), px(height));
    key->setToolTip(toolTip);
    key->setFont(keyFont(8));
    // Keys never take the focus: it stays with the display, as every key hands it back there.
    key->setFocusPolicy(Qt::NoFocus);
    key->setAutoDefault(false);
    connect(key, &QPushButton::clicked, this, std::move(onClick));
    return key;
}

void Machine::buildKeys() {
    const QString none;
    // Trigonometric, memory and function rows.
    addKey("invsin", text("INV S&IN"), text("Inverse sinus"), 240, 2880, InvWidth, KeyHeight,
           [this] { appendWithImplicitProduct(text("invSIN ")); });
    addKey("bsin", text("&SIN"), text("Sinus"), 1200, 2880, WideKey, KeyHeight,
           [this] { appendWithImplicitProduct(text("sin ")); });
    addKey("Command5", text("1/x"), text("Inverse"), 1800, 2880, NarrowKey, TallKeyHeight,
           [this] { appendWithImplicitProduct(text("1 / ")); });
    addKey("Command1", text("M+"), text("Ajouter à la méoire"), 2280, 2880, NarrowKey,
           TallKeyHeight, [this] { memoryAdd(1); });
    addKey("Command2", text("M-"), text("Soustraire à la mémoire"), 2760, 2880, NarrowKey,
           TallKeyHeight, [this] { memoryAdd(-1); });
    addKey("Command3", text("RM"), text("Rappel mémoire"), 3240, 2880, WideKey, TallKeyHeight,
           [this] { recallMemory(); });
    addKey("Command4", text("CM"), text("Effacer la mémoire"), 3840, 2880, WideKey, TallKeyHeight,
           [this] { clearMemory(); });

    addKey("invcos", text("INV C&OS"), text("Inverse cosinus"), 240, 3360, InvWidth, KeyHeight,
           [this] { appendWithImplicitProduct(text("invCOS ")); });
    addKey("Bcos", text("&COS"), text("Cosinus"), 1200, 3360, WideKey, KeyHeight,
           [this] { appendWithImplicitProduct(text("cos ")); });
    addKey("racine", text("√"), text("Racine carré"), 1800, 3360, NarrowKey, KeyHeight, [this] {
        appendWithImplicitProduct(text("SQR "));
    })->setFont(keyFont(11));
    QPushButton *square = addKey("btcarre", none, none, 2280, 3360, NarrowKey, KeyHeight,
                                 [this] { appendAfterLastAnswer(text(" ^ 2")); });
    square->setIcon(powerIcon(text("x"), text("2")));
    square->setIconSize(QSize(26, 16));
    QPushButton *power = addKey("puissance", none, none, 2760, 3360, NarrowKey, KeyHeight,
                                [this] { appendAfterLastAnswer(text(" ^ ")); });
    power->setIcon(powerIcon(text("x"), text("y")));
    power->setIconSize(QSize(26, 16));
    addKey("Blog", text("&Log"), none, 3240, 3360, WideKey, KeyHeight,
           [this] { appendWithImplicitProduct(text("log ")); });
    QPushButton *tenPower = addKey("B10x", none, none, 3840, 3360, WideKey, KeyHeight,
                                   [this] { appendWithImplicitProduct(text("10 ^ ")); });
    tenPower->setIcon(powerIcon(text("10"), text("x")));
    tenPower->setIconSize(QSize(26, 16));

    addKey("Btoncommande3", text("INV T&AN"), text("Inverse tangente"), 240, 3840, InvWidth,
           KeyHeight, [this] { appendWithImplicitProduct(text("invTAN ")); });
    addKey("Btan", text("&TAN"), text("Tangente"), 1200, 3840, WideKey, KeyHeight,
           [this] { appendWithImplicitProduct(text("tan ")); });
    addKey("Bpo", text("("), none, 1800, 3840, NarrowKey, KeyHeight,
           [this] { appendWithImplicitProduct(text("(")); });
    addKey("bpf", text(")"), none, 2280, 3840, NarrowKey, KeyHeight,
           [this] { appendKeyText(text(")")); });
    addKey("pi", text("Π"), text("3.1415927"), 2760, 3840, NarrowKey, KeyHeight, [this] {
        appendWithImplicitProduct(QString::fromStdString(formatNumber(4 * std::atan(1.0))));
    })->setFont(keyFont(11));
    addKey("Bln", text("l&n"), none, 3240, 3840, WideKey, KeyHeight,
           [this] { appendWithImplicitProduct(text("ln ")); });
    QPushButton *ePower = addKey("Bexp", none, none, 3840, 3840, WideKey, KeyHeight,
                                 [this] { appendWithImplicitProduct(text("exp ")); });
    ePower->setIcon(powerIcon(text("e"), text("x")));
    ePower->setIconSize(QSize(26, 16));

    // SI prefixes.
    struct Prefix {
        const char *name, *caption, *toolTip, *exponent;
        int left, top;
    };
    const Prefix prefixes[] = {
        {"pico", "p", "pico", "E-12", 240, 4440},  {"tera", "T", "Téra", "E+12", 720, 4440},
        {"nano", "n", "nano", "E-9", 240, 4920},   {"giga", "G", "Giga", "E+9", 720, 4920},
        {"micro", "µ", "micro", "E-6", 240, 5400}, {"mega", "M", "Méga", "E+6", 720, 5400},
        {"mil", "m", "milli", "E-3", 240, 5880},   {"kilo", "k", "kilo", "E+3", 720, 5880},
    };
    for (const Prefix &p : prefixes) {
        const QString exponent = text(p.exponent);
        addKey(p.name, text(p.caption), text(p.toolTip), p.left, p.top, PrefixKey, KeyHeight,
               [this, exponent] { appendKeyText(exponent); });
    }

    // Digits, the point and the exponent.
    const char *digitRows[4][3] = {
        {"7", "8", "9"}, {"4", "5", "6"}, {"1", "2", "3"}, {"0", ".", "EXP"}};
    const int columns[3] = {1320, 1920, 2520};
    const int rows[4] = {4440, 4920, 5400, 5880};
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 3; ++c) {
            const QString caption = text(digitRows[r][c]);
            QByteArray name = "B" + caption.toLatin1();
            QString appended = caption;
            QString toolTip;
            if (caption == QLatin1String(".")) {
                name = "Bpoint";
            } else if (caption == QLatin1String("EXP")) {
                name = "BtoEXP";
                appended = text("E");
                toolTip = text("x 10ª");
            }
            QPushButton *key =
                addKey(name.constData(), caption, toolTip, columns[c], rows[r], WideKey, KeyHeight,
                       [this, appended] { appendKeyText(appended); });
            if (caption != QLatin1String("EXP")) key->setFont(keyFont(10));
        }
    }

    // Editing, operators and evaluation.
    addKey("EFFACE", text("←"), text("Effacer dernier caractère"), 3240, 4440, WideKey, KeyHeight,
           [this] { eraseLast(); })
        ->setFont(keyFont(11));
    addKey("RAZ", text("AC"), text("Tout effacer"), 3840, 4440, WideKey, KeyHeight,
           [this] { clearAll(); });
    addKey("multip", text("x"), none, 3240, 4920, WideKey, KeyHeight, [this] {
        appendOperator(text(" * "));
    })->setFont(keyFont(10));
    addKey("div", text("÷"), none, 3840, 4920, WideKey, KeyHeight, [this] {
        appendOperator(text(" / "));
    })->setFont(keyFont(11));
    addKey("plus", text("+"), none, 3240, 5400, WideKey, KeyHeight, [this] {
        typePlus();
    })->setFont(keyFont(10));
    addKey("moins", text("-"), none, 3840, 5400, WideKey, KeyHeight, [this] {
        typeMinus();
    })->setFont(keyFont(10));
    addKey("ANS", text("ANS"), text("Dernière réponse"), 3240, 5880, WideKey, KeyHeight,
           [this] { insertLastAnswer(); });
    addKey("EXE", text("EXE"), text("Calculer"), 3840, 5880, WideKey, KeyHeight,
           [this] { evaluate(); });
}

// The background: a gradient from pale cyan to dark teal, a sunken border, and a frame around
// the digit keys.
void Machine::paintBackground(QPainter &painter) {
    for (int x = 0; x <= ClientWidth; ++x) {
        const int v = static_cast<int>(std::nearbyint(200 - x / 2.0)); // halves to even
        painter.setPen(QColor(v, v + 50, v + 50));
        painter.drawLine(x, 0, x, ClientHeight);
    }
    const auto outline = [&](int x1, int y1, int x2, int y2, const QColor &colour) {
        painter.setPen(colour);
        painter.drawRect(x1, y1, x2 - x1, y2 - y1);
    };
    outline(1, 1, 299, 428, Qt::white);
    painter.setPen(Qt::black);
    painter.drawLine(1, 1, 299, 1);
    painter.drawLine(1, 1, 1, 427);
    outline(82, 290, 206, 421, Qt::white);
    outline(81, 289, 205, 420, QColor(0, 128, 128));
}

void Machine::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    paintBackground(painter);
}

void Machine::typeKey(QKeyEvent *event) {
    if (event->key() == Qt::Key_Backspace) return eraseLast();
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) return evaluate();
    const QString typed = event->text();
    if (typed.size() != 1) return;
    const QChar c = typed[0];
    if (c.isDigit() && c.unicode() < 128) return appendKeyText(typed);
    switch (c.unicode()) {
    case '.':
        return appendKeyText(typed);
    case 'd':
    case 'D':
    case 'e':
    case 'E':
        return appendKeyText(text("E"));
    case '(':
        return appendWithImplicitProduct(typed);
    case ')':
        return appendKeyText(typed);
    case '*':
        return appendOperator(text(" * "));
    case '/':
        return appendOperator(text(" / "));
    case '+':
        return typePlus();
    case '-':
        return typeMinus();
    case '^':
        return appendAfterLastAnswer(text(" ^ "));
    default:
        return;
    }
}

// Every key goes to typeKey, whichever control has the focus; Escape does not close the
// window and Enter evaluates.
void Machine::keyPressEvent(QKeyEvent *event) {
    typeKey(event);
}

bool Machine::eventFilter(QObject *watched, QEvent *event) {
    if (watched == display_ && event->type() == QEvent::KeyPress) {
        typeKey(static_cast<QKeyEvent *>(event));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void Machine::beep() {
    ui::beep();
}

void Machine::showDisplay(const QString &shown) {
    display_->setPlainText(shown);
    display_->setFocus();
    display_->moveCursor(QTextCursor::End);
    display_->repaint();
}

bool Machine::scientific() const {
    return formatButtons_[0]->isChecked();
}

// A result in the chosen format: "#.#######E+00" for "Scientifique", otherwise the number text
// form with its blank before a non-negative value.
QString Machine::resultText(double value) const {
    return QString::fromStdString(scientific() ? formatScientific(value)
                                               : formatNumberUntrimmed(value));
}

void Machine::appendKeyText(const QString &appended) {
    buffer_ += appended;
    showBuffer();
}

// "2" then "sin " gives "2 * sin ": a value followed by a function, a parenthesis or a constant
// is multiplied by it.
void Machine::appendWithImplicitProduct(const QString &appended) {
    if (!buffer_.isEmpty()) {
        const QChar last = buffer_.back();
        if (last != u'(' && last != u'-' && last != u' ') buffer_ += QStringLiteral(" * ");
    }
    appendKeyText(appended);
}

// An operator typed first applies to the last answer: "+" after a result gives "5 + ".
void Machine::insertLastAnswerIfEmpty() {
    if (buffer_.trimmed().isEmpty()) insertLastAnswer();
}

void Machine::appendAfterLastAnswer(const QString &appended) {
    insertLastAnswerIfEmpty();
    appendKeyText(appended);
}

// "*" and "/" need something on display to apply to.
void Machine::appendOperator(const QString &appended) {
    if (display_->toPlainText().trimmed().isEmpty()) return;
    appendAfterLastAnswer(appended);
}

void Machine::typePlus() {
    if (display_->toPlainText().trimmed().isEmpty()) return;
    insertLastAnswerIfEmpty();
    // After "E" the "+" is the exponent's sign.
    appendKeyText(buffer_.endsWith(u'E') ? text("+") : text(" + "));
}

void Machine::typeMinus() {
    if (buffer_.isEmpty() || buffer_.endsWith(u'(') || buffer_.endsWith(u' ') ||
        buffer_.endsWith(u'E'))
        appendKeyText(text("-")); // a sign
    else if (buffer_.endsWith(u'-'))
        appendKeyText(text(" -"));
    else
        appendKeyText(text(" - "));
}

void Machine::eraseLast() {
    if (buffer_.isEmpty()) return;
    const qsizetype n = buffer_.size();
    if (buffer_.back() != u' ') {
        buffer_.chop(1);
    } else if (n >= 2 && QStringLiteral("*+/-^").contains(buffer_[n - 2])) {
        buffer_.chop(std::min<qsizetype>(3, n)); // a spaced operator
    } else {
        // A function name and its space: back to the space or "(" before it, or everything.
        qsizetype k = n - 2;
        while (k >= 0 && buffer_[k] != u' ' && buffer_[k] != u'(')
            --k;
        buffer_.truncate(k + 1);
    }
    showBuffer();
}

void Machine::clearAll() {
    buffer_.clear();
    showDisplay(QString());
}

// The last answer is inserted only when it is a number: not after an error, and not after an
// overflow, whose message would only make the next expression fail.
void Machine::insertLastAnswer() {
    const Kept &k = kept();
    if (k.lastError == 0 && k.lastAnswer != text(OverflowText)) buffer_ += k.lastAnswer.trimmed();
    showBuffer();
}

void Machine::evaluate() {
    Kept &k = kept();
    k.lastError = 0;
    const QString failed = buffer_;
    showDisplay(text(WaitingText));
    const Evaluation e =
        evaluateExpression(buffer_.toStdString(),
                           angleButtons_[1]->isChecked() ? AngleMode::Radians : AngleMode::Degrees);
    k.lastError = e.code;
    QString shown;
    if (e.code == Success) {
        const std::optional<double> value = readNumber(e.text);
        if (!value) {
            // A number typed beyond the range of a double ("1E400"): the evaluator passes it
            // through untouched, only its reading fails.
            buffer_.clear();
            k.lastAnswer = text(OverflowText);
            reportOverflow();
            return;
        }
        shown = resultText(*value);
    } else {
        shown = text(errorMessage(e.code));
        beep();
    }
    showDisplay(shown);
    k.lastAnswer = shown;
    buffer_.clear();
    if (e.code != Success) buffer_ = failed; // to be corrected with the backspace key
}

void Machine::reportOverflow() {
    showDisplay(text(OverflowText));
    beep();
}

// "M+" and "M-" add the display's leading number to the memory or take it away. A display that
// reads beyond the range of a double, or a memory that would leave it, is refused: the memory
// keeps its value and the display says "Dépassement de capacité" with a beep; the expression
// being keyed in is kept and comes back with the next key.
void Machine::memoryAdd(double sign) {
    Kept &k = kept();
    const std::optional<double> shown = readNumber(display_->toPlainText().toStdString());
    const double sum = shown ? k.memoryValue + sign * *shown : 0;
    if (!shown || !std::isfinite(sum)) return reportOverflow();
    k.memoryValue = sum;
    display_->setFocus();
}

void Machine::recallMemory() {
    const double m = kept().memoryValue;
    appendKeyText(QString::fromStdString(scientific() ? formatScientific(m) : formatNumber(m)));
}

void Machine::clearMemory() {
    kept().memoryValue = 0;
    display_->setFocus();
}

// A result on display is shown again in the chosen format. After an overflow the message stays.
void Machine::changeFormat() {
    if (!buffer_.isEmpty()) return;
    const Kept &k = kept();
    if (k.lastAnswer == text(OverflowText)) return;
    const std::optional<double> value = readNumber(k.lastAnswer.toStdString());
    if (!value) return;
    showDisplay(resultText(*value));
}

} // namespace calculator
