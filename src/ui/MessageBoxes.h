#pragma once

#include <QString>

class QWidget;

namespace ui {

// The program's message boxes: French title and text, the stated icon, and buttons that read in
// French once Qt's French translation is loaded.

// Critical icon, OK button.
void showCritical(QWidget *parent, const QString &title, const QString &text);
// Which button Enter presses in a question.
enum class DefaultAnswer { Ok, Cancel };
// Question icon, OK and Cancel; true for OK. A question that would lose data makes Cancel the
// default.
bool askOkCancel(QWidget *parent, const QString &title, const QString &text,
                 DefaultAnswer defaultAnswer = DefaultAnswer::Ok);
// "Ecraser le fichier?": whether the file `fileName` (a bare name) that exists may be
// replaced; true for OK.
bool askToReplace(QWidget *parent, const QString &fileName);
// Warning icon, Yes and No; true for Yes.
bool askYesNo(QWidget *parent, const QString &title, const QString &text);

// The system's beep.
void beep();
// How many beeps the program sounded so far; the beep is the only feedback of some handlers.
int beepCount();

} // namespace ui
