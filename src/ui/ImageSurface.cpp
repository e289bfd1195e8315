#include "ui/ImageSurface.h"

#include <algorithm>
#include <cmath>

namespace ui {

namespace {
constexpr int DotsPerMeterAt96Dpi = 3780;

bool whole(float v) {
    return v == std::floor(v) && std::fabs(v) < 1e9f;
}
} // namespace

ImageSurface::ImageSurface(int width, int height, qreal pixelRatio)
    : PainterSurface(width, height), ratio_(pixelRatio > 0 ? pixelRatio : 1),
      image_(int(std::ceil(width * ratio_)), int(std::ceil(height * ratio_)),
             QImage::Format_RGB32) {
    image_.setDevicePixelRatio(ratio_);
    image_.setDotsPerMeterX(DotsPerMeterAt96Dpi);
    image_.setDotsPerMeterY(DotsPerMeterAt96Dpi);
    image_.fill(Qt::black);
    attach(&image_);
}

ImageSurface::~ImageSurface() {
    endPainting();
}

QImage ImageSurface::image() {
    endPainting();
    // The caller may keep a copy: the next write must detach from it.
    pixels_ = nullptr;
    return image_;
}

QRgb *ImageSurface::pixels() {
    if (!pixels_) pixels_ = reinterpret_cast<QRgb *>(image_.bits());
    return pixels_;
}

void ImageSurface::clear(QRgb background) {
    std::fill_n(pixels(), size_t(image_.width()) * size_t(image_.height()),
                background | 0xff000000u);
}

void ImageSurface::line(float x1, float y1, float x2, float y2, QRgb colour, DashStyle style) {
    const bool vertical = x1 == x2, horizontal = y1 == y2;
    if (style != DashStyle::Solid || !(vertical || horizontal) || !whole(x1) || !whole(y1) ||
        !whole(x2) || !whole(y2)) {
        PainterSurface::line(x1, y1, x2, y2, colour, style);
        return;
    }
    const int w = image_.width(), h = image_.height();
    // Unit span of the line, end points included, then the pixels of those units' squares,
    // clipped to the picture.
    const double ux1 = std::min<double>(x1, x2) - Left, ux2 = std::max<double>(x1, x2) - Left + 1;
    const double uy1 = std::min<double>(y1, y2) - Top, uy2 = std::max<double>(y1, y2) - Top + 1;
    const auto pixel = [this](double units) { return (long long)std::floor(units * ratio_); };
    const long long left = std::max(pixel(ux1), 0LL);
    const long long right = std::min(pixel(ux2) - 1, (long long)w - 1);
    const long long top = std::max(pixel(uy1), 0LL);
    const long long bottom = std::min(pixel(uy2) - 1, (long long)h - 1);
    if (left > right || top > bottom) return;
    const QRgb c = colour | 0xff000000u;
    QRgb *p = pixels();
    const size_t stride = size_t(w);
    for (long long y = top; y <= bottom; ++y)
        std::fill(p + size_t(y) * stride + size_t(left), p + size_t(y) * stride + size_t(right) + 1,
                  c);
}

} // namespace ui
