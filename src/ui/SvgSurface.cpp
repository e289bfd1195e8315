#include "ui/SvgSurface.h"

namespace ui {

SvgSurface::SvgSurface(QIODevice *output, int width, int height, const QString &title)
    : PainterSurface(width, height) {
    generator_.setOutputDevice(output);
    generator_.setSize(QSize(width, height));
    generator_.setViewBox(QRect(0, 0, width, height));
    generator_.setResolution(96);
    generator_.setTitle(title);
    attach(&generator_);
}

SvgSurface::~SvgSurface() {
    endPainting();
}

} // namespace ui
