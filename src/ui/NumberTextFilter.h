#pragma once

#include <QValidator>

#include <optional>

namespace ui {

// One typed character of a position or a length in centimetres: digits and the minus sign as
// they are, a full stop or a comma as the comma, anything else nothing. The decimal separator is
// always the comma, whatever the keyboard.
std::optional<QChar> filterNumberKey(QChar c);

// Keeps only what filterNumberKey lets through in any text that reaches a field, typed, pasted
// or dropped, the cursor staying after the same characters.
class NumberTextFilter : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString &input, int &pos) const override;
};

} // namespace ui
