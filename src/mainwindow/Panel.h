#pragma once

#include <QPainter>
#include <QWidget>

#include <functional>
#include <initializer_list>

namespace mainwindow {

// A panel of the tab strip: a plain surface that carries controls and paints its own static
// texts (titles and field labels) beside them.
class Panel : public QWidget {
    Q_OBJECT
  public:
    static inline const QColor Background{240, 235, 230};
    using Painter = std::function<void(QPainter &)>;

    explicit Panel(QWidget *parent = nullptr);
    void setPainter(Painter painter) { painter_ = std::move(painter); }

  protected:
    void paintEvent(QPaintEvent *) override;

  private:
    Painter painter_;
};

// The texts the panels paint: Arial 8, black, from a top-left corner.
namespace paneltext {

// A piece of a title or label; a subscript stands 4 pixels lower than the text around it.
struct Run {
    QString text;
    bool subscript = false;
};

QFont font(bool bold);
// The width of runs in a font.
double width(QPainter &p, std::initializer_list<Run> runs);
// Prints runs from (x, y); returns the x after the last.
double print(QPainter &p, double x, double y, std::initializer_list<Run> runs);
// Prints runs centred on x.
void printCentred(QPainter &p, double x, double y, std::initializer_list<Run> runs);
// A bold title.
void title(QPainter &p, double x, double y, std::initializer_list<Run> runs);
// A regular label that ends at the control's left edge, dy pixels below its top.
void labelAgainst(QPainter &p, const QWidget *control, const QString &text, int dy = 3);

} // namespace paneltext

} // namespace mainwindow
