#pragma once

#include <QLineEdit>

#include <optional>

namespace mainwindow {

// A numeric field of the bench (Text1). Only digits, the comma, the minus sign and backspace
// reach it; a full stop is turned into a comma, so the decimal separator is always the comma.
// Every other typed character is dropped without a sound, and pasted text is filtered the same
// way. Enter asks for validation and is then dropped; so does losing the focus to another
// control of the window. Undo and redo keys undo the typing while there is typing to undo, and
// are otherwise left to the window, which undoes changes of the bench.
class FieldEdit : public QLineEdit {
    Q_OBJECT
  public:
    FieldEdit(int index, QWidget *parent = nullptr);
    int index() const { return index_; }

    // Text1_KeyPress on one typed character: the character to insert, or none.
    static std::optional<QChar> filterKey(QChar c);

  signals:
    // Text1_LostFocus: the field lost the focus or received Enter.
    void validationRequested(int index);

  protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

  private:
    int index_;
};

} // namespace mainwindow
