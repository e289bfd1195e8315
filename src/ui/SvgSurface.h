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

    bool keepsShapes() const override { return true; }

  private:
    QSvgGenerator generator_;
};

} // namespace ui
