#pragma once

#include <QIcon>
#include <QRect>
#include <QString>
#include <QToolButton>

namespace ui {

// A command button of the program: a small picture above the caption on flat grey (&HC0C0C0),
// with a raised edge that sinks while the button is held. A click gives it the focus, so that a
// field being typed is validated before the command runs.
class CommandButton : public QToolButton {
    Q_OBJECT
  public:
    static inline const QColor Grey{0xc0, 0xc0, 0xc0};

    explicit CommandButton(QWidget *parent = nullptr);
    // A button with its control name, caption and picture, at `place` in its parent.
    CommandButton(QWidget *parent, const QString &objectName, const QString &caption,
                  const QIcon &icon, int iconSize, const QRect &place);

  protected:
    void paintEvent(QPaintEvent *) override;
};

} // namespace ui
