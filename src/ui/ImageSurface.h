#pragma once

#include "ui/PainterSurface.h"

#include <QImage>

namespace ui {

// The persistent picture of the figure: a 32-bit RGB image at 96 dots per inch, one pixel per
// drawing unit, or `pixelRatio` pixels per unit on a high-density screen (the image carries that
// ratio, so that it shows at the same size, drawn at the screen's resolution). Solid horizontal
// and vertical lines between whole coordinates, which are most of a figure (the beam fill is
// one vertical stroke per unit), are written straight into the pixels; at a ratio of 1 they
// cover exactly the pixels the painter would set (both end points included), at other ratios
// the whole square of each unit.
class ImageSurface : public PainterSurface {
  public:
    ImageSurface(int width, int height, qreal pixelRatio = 1);
    ~ImageSurface() override;

    // The picture as drawn so far. Ends painting; the next drawing call starts again.
    QImage image();

    void clear(QRgb background) override;
    void line(float x1, float y1, float x2, float y2, QRgb colour, DashStyle style) override;

  private:
    QRgb *pixels();

    qreal ratio_;
    QImage image_;
    QRgb *pixels_ = nullptr; // image_'s own pixels while no copy of the picture is shared
};

} // namespace ui
