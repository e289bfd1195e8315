#pragma once

#include "mainwindow/TabLayout.h"

#include <QStringList>
#include <QWidget>

#include <array>

namespace mainwindow {

// Onglets: the hand-drawn tab strip. Draws the four headers and a sunken frame, and shows the
// panel of the current tab inside the frame; a click on a header selects its tab.
class TabStrip : public QWidget {
    Q_OBJECT
  public:
    static inline const QColor Background{210, 205, 200};

    explicit TabStrip(QWidget *parent = nullptr);

    // The panel shown by tab i (1 to 4); the strip becomes its parent.
    void setPanel(int tab, QWidget *panel);

    // 1 to 4; 0 until the strip is first laid out.
    int currentTab() const { return currentTab_; }
    // Selects a tab as a click on its header does; 0 stands for the first.
    void selectTab(int tab);
    const TabLayout &layout() const { return layout_; }
    // The height of a caption line, which places the header base line and the panel.
    int headerTextHeight() const;

  signals:
    void tabChanged(int tab);

  protected:
    void paintEvent(QPaintEvent *) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *) override;

  private:
    // Onglets_Paint without the drawing: the current tab, the header edges and the panels.
    void layOut();

    int currentTab_ = 0;
    TabLayout layout_;
    std::array<QWidget *, TabCount> panels_{};
    QStringList captions_;
};

} // namespace mainwindow
