#include "ui/PdfSurface.h"

#include <QPageLayout>
#include <QPageSize>

namespace ui {

PdfSurface::PdfSurface(QIODevice *output, int width, int height, const QString &title)
    : PainterSurface(width, height), writer_(output) {
    constexpr int Dpi = 96;
    writer_.setResolution(Dpi);
    // A point is 1/72 inch: the page is exactly the figure at 96 pixels per inch.
    const QSizeF points(width * 72.0 / Dpi, height * 72.0 / Dpi);
    writer_.setPageLayout(QPageLayout(QPageSize(points, QPageSize::Point, QString(),
                                                QPageSize::ExactMatch),
                                      QPageLayout::Portrait, QMarginsF()));
    writer_.setTitle(title);
    writer_.setCreator(title);
    attach(&writer_);
}

PdfSurface::~PdfSurface() {
    endPainting();
}

} // namespace ui
