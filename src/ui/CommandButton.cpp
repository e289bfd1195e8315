#include "ui/CommandButton.h"

#include <QStyleOptionFocusRect>
#include <QStyleOptionToolButton>
#include <QStylePainter>
#include <qdrawutil.h>

namespace ui {

CommandButton::CommandButton(QWidget *parent) : QToolButton(parent) {
    setFocusPolicy(Qt::ClickFocus);
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    QPalette p = palette();
    p.setColor(QPalette::Button, Grey);
    p.setColor(QPalette::Window, Grey);
    setPalette(p);
}

CommandButton::CommandButton(QWidget *parent, const QString &objectName, const QString &caption,
                             const QIcon &icon, int iconSize, const QRect &place)
    : CommandButton(parent) {
    setObjectName(objectName);
    setText(caption);
    setIcon(icon);
    setIconSize(QSize(iconSize, iconSize));
    setGeometry(place);
}

void CommandButton::paintEvent(QPaintEvent *) {
    QStylePainter p(this);
    p.fillRect(rect(), Grey);
    const bool sunken = isDown();
    qDrawWinButton(&p, rect(), palette(), sunken);
    QStyleOptionToolButton label;
    initStyleOption(&label);
    label.state &= ~(QStyle::State_MouseOver | QStyle::State_Sunken | QStyle::State_HasFocus);
    label.rect = rect().adjusted(2, 2, -2, -2);
    if (sunken) label.rect.translate(1, 1);
    p.drawControl(QStyle::CE_ToolButtonLabel, label);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(4, 4, -4, -4);
        focus.backgroundColor = Grey;
        p.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

} // namespace ui
