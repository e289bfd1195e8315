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

ImageSurface::ImageSurface(int width, int height)
    : PainterSurface(width, height), image_(width, height, QImage::Format_RGB32) {
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
    // Pixel span of the line, end points included, clipped to the picture.
    const auto px1 = (long long)(double(x1) - Left), px2 = (long long)(double(x2) - Left);
    const auto py1 = (long long)(double(y1) - Top), py2 = (long long)(double(y2) - Top);
    const long long left = std::max(std::min(px1, px2), 0LL);
    const long long right = std::min(std::max(px1, px2), (long long)w - 1);
    const long long top = std::max(std::min(py1, py2), 0LL);
    const long long bottom = std::min(std::max(py1, py2), (long long)h - 1);
    if (left > right || top > bottom) return;
    const QRgb c = colour | 0xff000000u;
    QRgb *p = pixels();
    const size_t stride = size_t(w);
    if (horizontal) {
        std::fill(p + size_t(top) * stride + size_t(left),
                  p + size_t(top) * stride + size_t(right) + 1, c);
    } else {
        QRgb *q = p + size_t(top) * stride + size_t(left);
        for (long long y = top; y <= bottom; ++y, q += stride)
            *q = c;
    }
}

} // namespace ui
