#pragma once

#include "ui/PainterSurface.h"

#include <QPdfWriter>

class QIODevice;

namespace ui {

// The figure as a one-page PDF document of width × height pixels at 96 dots per inch, without
// margins, its lines and texts kept as vectors. Written to the output device when the surface
// is destroyed.
class PdfSurface : public PainterSurface {
  public:
    PdfSurface(QIODevice *output, int width, int height, const QString &title);
    ~PdfSurface() override;

    bool keepsShapes() const override { return true; }

  private:
    QPdfWriter writer_;
};

} // namespace ui
