#include "mainwindow/FieldEdit.h"

#include <QKeyEvent>
#include <QValidator>

namespace mainwindow {

namespace {

// Keeps only what the keyboard filter lets through in any text that reaches the field, pasted
// or dropped.
class FieldTextFilter : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString &input, int &pos) const override {
        QString kept;
        int newPos = 0;
        for (int i = 0; i < input.size(); ++i) {
            if (auto c = FieldEdit::filterKey(input[i])) {
                kept += *c;
                if (i < pos) ++newPos;
            }
        }
        input = kept;
        pos = newPos;
        return Acceptable;
    }
};

} // namespace

FieldEdit::FieldEdit(int index, QWidget *parent) : QLineEdit(parent), index_(index) {
    setAlignment(Qt::AlignCenter);
    setValidator(new FieldTextFilter(this));
    QPalette p = palette();
    p.setColor(QPalette::Base, Qt::white);
    setPalette(p);
}

std::optional<QChar> FieldEdit::filterKey(QChar c) {
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) return c;
    if (c == QLatin1Char('.') || c == QLatin1Char(',')) return QLatin1Char(',');
    if (c == QLatin1Char('-')) return c;
    return std::nullopt;
}

bool FieldEdit::event(QEvent *event) {
    if (event->type() == QEvent::ShortcutOverride) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool redo = key->matches(QKeySequence::Redo) ||
                          key->keyCombination() == QKeyCombination(Qt::CTRL, Qt::Key_Y);
        if ((key->matches(QKeySequence::Undo) && !isUndoAvailable()) ||
            (redo && !isRedoAvailable())) {
            event->ignore();
            return true;
        }
    }
    return QLineEdit::event(event);
}

void FieldEdit::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit validationRequested(index_);
        return;
    }
    // Keys that type a character go through the filter; editing and moving keys (backspace,
    // delete, arrows, Home, End) and shortcuts (copy, paste, undo) keep their usual work, and a
    // paste is filtered by the validator.
    const QString text = event->text();
    const bool typesCharacter = text.size() == 1 && text[0].isPrint() &&
                                !(event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
    if (typesCharacter) {
        if (auto c = filterKey(text[0])) insert(QString(*c));
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void FieldEdit::focusOutEvent(QFocusEvent *event) {
    QLineEdit::focusOutEvent(event);
    // The window losing the activation (a message box, another program) is not the field
    // losing the focus to another control.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        emit validationRequested(index_);
}

} // namespace mainwindow
