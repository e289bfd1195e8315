#include "ui/MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>

namespace ui {

void showCritical(QWidget *parent, const QString &title, const QString &text) {
    QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok, parent);
    box.exec();
}

bool askOkCancel(QWidget *parent, const QString &title, const QString &text,
                 DefaultAnswer defaultAnswer) {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Ok | QMessageBox::Cancel,
                    parent);
    box.setDefaultButton(defaultAnswer == DefaultAnswer::Ok ? QMessageBox::Ok
                                                            : QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

bool askToReplace(QWidget *parent, const QString &fileName) {
    return askOkCancel(parent, QStringLiteral("Ecraser le fichier?"),
                       QStringLiteral("Le fichier ") + fileName +
                           QString::fromUtf8(" existe déjà.\nEcraser l'ancien?"));
}

bool askYesNo(QWidget *parent, const QString &title, const QString &text) {
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

namespace {
int beeps = 0;
}

void beep() {
    ++beeps;
    QApplication::beep();
}

int beepCount() {
    return beeps;
}

} // namespace ui
