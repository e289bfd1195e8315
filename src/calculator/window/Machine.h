#pragma once

#include <QDialog>
#include <QString>

#include <functional>

class QPainter;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace calculator {

// The calculator "Machine à calculer": a pocket scientific calculator whose keys append text
// to an expression buffer shown in the display; "EXE" (or Enter) hands the buffer to the
// evaluator and shows the result or an error message. Every key is a QPushButton named after
// its control ("B7", "bsin", "EXE", ...), the display is the QPlainTextEdit "z1", the option
// buttons are "angle1", "angle0", "C0" and "C1".
class Machine : public QDialog {
    Q_OBJECT

  public:
    explicit Machine(QWidget *parent = nullptr);

    // What outlives the window until the program ends: the display's text at the end of the
    // last evaluation, that evaluation's result code, and the memory register.
    struct Kept {
        QString lastAnswer;
        int lastError = 0;
        double memoryValue = 0;
    };
    static Kept &kept();

    const QString &expressionBuffer() const { return buffer_; }

  protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    // The error and overflow signal; a virtual so that tests can count it.
    virtual void beep();

  private:
    QPushButton *addKey(const char *name, const QString &caption, const QString &toolTip, int left,
                        int top, int width, int height, std::function<void()> onClick);
    void buildKeys();

    void paintBackground(QPainter &painter);
    void typeKey(QKeyEvent *event);

    // Key handlers.
    void appendKeyText(const QString &text);
    void appendWithImplicitProduct(const QString &text);
    void appendAfterLastAnswer(const QString &text);
    void appendOperator(const QString &text);
    void typePlus();
    void typeMinus();
    void eraseLast();
    void clearAll();
    void insertLastAnswer();
    void evaluate();
    void memoryAdd(double sign);
    void recallMemory();
    void clearMemory();
    void changeFormat();

    void insertLastAnswerIfEmpty();
    void showBuffer() { showDisplay(buffer_); }
    void showDisplay(const QString &text);
    QString resultText(double value) const;
    bool scientific() const;
    void reportOverflow();

    QString buffer_; // the expression being keyed in
    QPlainTextEdit *display_ = nullptr;
    QRadioButton *angleButtons_[2] = {};
    QRadioButton *formatButtons_[2] = {};
};

} // namespace calculator
