#pragma once

#include <QToolButton>

namespace mainwindow {

// A command button of the main window: a small picture above the caption on flat grey, with a
// raised edge that sinks while the button is held. A click gives it the focus, so that a field
// being typed is validated before the command runs.
class CommandButton : public QToolButton {
    Q_OBJECT
  public:
    static inline const QColor Grey{0xc0, 0xc0, 0xc0};

    explicit CommandButton(QWidget *parent = nullptr);

  protected:
    void paintEvent(QPaintEvent *) override;
};

} // namespace mainwindow
