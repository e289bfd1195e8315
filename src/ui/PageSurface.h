#pragma once

#include "ui/PainterSurface.h"

namespace ui {

// The figure on a page being printed: drawn through the painter that is painting the page (on a
// printer or a PDF writer), its drawing units mapped onto `target` in that painter's
// coordinates, at the device's own resolution. Lines, texts and beams stay shapes; texts are
// measured as on the window's picture, so the page holds the same figure, only sharper.
class PageSurface : public PainterSurface {
  public:
    PageSurface(QPainter &painter, const QRectF &target, int width, int height);
    ~PageSurface() override;

    bool keepsShapes() const override { return true; }
};

} // namespace ui
