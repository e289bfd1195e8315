#include "ui/PictureButton.h"

#include <QToolButton>

namespace ui {

QToolButton *pictureButton(QWidget *parent, const QString &objectName, const QString &caption,
                           const QIcon &icon, int iconSize, const QRect &place) {
    auto *button = new QToolButton(parent);
    button->setObjectName(objectName);
    button->setText(caption);
    button->setIcon(icon);
    button->setIconSize(QSize(iconSize, iconSize));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setGeometry(place);
    button->setAutoFillBackground(true);
    const QColor grey(0xc0, 0xc0, 0xc0);
    QPalette p = button->palette();
    p.setColor(QPalette::Button, grey);
    p.setColor(QPalette::Window, grey);
    button->setPalette(p);
    return button;
}

} // namespace ui
