#include "ui/PageSurface.h"

namespace ui {

PageSurface::PageSurface(QPainter &painter, const QRectF &target, int width, int height)
    : PainterSurface(width, height) {
    paintThrough(&painter, target);
}

PageSurface::~PageSurface() {
    endPainting();
}

} // namespace ui
