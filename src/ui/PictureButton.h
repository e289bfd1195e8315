#pragma once

#include <QIcon>
#include <QRect>
#include <QString>

class QToolButton;
class QWidget;

namespace ui {

// A command button of the program: its picture above its caption, on the grey of the buttons
// (&H00C0C0C0), at `place` in its parent.
QToolButton *pictureButton(QWidget *parent, const QString &objectName, const QString &caption,
                           const QIcon &icon, int iconSize, const QRect &place);

} // namespace ui
