#pragma once

#include "ui/PainterSurface.h"

#include <QSvgGenerator>

class QIODevice;

namespace ui {

// The figure as a vector drawing: an SVG document of width × height pixels at 96 dots per
// inch, written to the output device when the figure ends (endFigure) or the surface is
// destroyed.
class SvgSurface : public PainterSurface {
  public:
    SvgSurface(QIODevice *output, int width, int height, const QString &title);
    ~SvgSurface() override;

    // Paints a rectangle of the background colour over the whole drawing.
    void clear(QRgb background) override;

  private:
    QSvgGenerator generator_;
};

} // namespace ui
