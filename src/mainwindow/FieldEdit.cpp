#include "mainwindow/FieldEdit.h"

#include "ui/NumberTextFilter.h"

#include <QKeyEvent>

namespace mainwindow {

FieldEdit::FieldEdit(int index, QWidget *parent) : QLineEdit(parent), index_(index) {
    setAlignment(Qt::AlignCenter);
    setValidator(new ui::NumberTextFilter(this));
    QPalette p = palette();
    p.setColor(QPalette::Base, Qt::white);
    setPalette(p);
}

std::optional<QChar> FieldEdit::filterKey(QChar c) { return ui::filterNumberKey(c); }

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
