#include "printing/FigurePages.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>

namespace printing {

namespace {

QFont titleFont() {
    // Where Arial is missing, fontconfig gives Liberation Sans, which has the same metrics.
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(12);
    font.setBold(true);
    return font;
}

} // namespace

bool paintFigurePages(QPagedPaintDevice &device, const QImage &figure,
                      const PrintSettings &settings) {
    const QPageLayout::Orientation previous = device.pageLayout().orientation();
    device.setPageOrientation(QPageLayout::Landscape);

    QPainter painter;
    bool ok = painter.begin(&device);
    if (ok) {
        // The painter's origin is the printable area's top-left, in device pixels.
        const QRectF page = device.pageLayout().paintRect(QPageLayout::Inch);
        const float pageWidth = float(page.width()) * TwipsPerInch;
        const float pageHeight = float(page.height()) * TwipsPerInch;
        const qreal toDeviceX = device.logicalDpiX() / qreal(TwipsPerInch);
        const qreal toDeviceY = device.logicalDpiY() / qreal(TwipsPerInch);
        // A picture drawn for a high-density screen prints at its size on that screen, sharper.
        const int figureWidth = qRound(figure.deviceIndependentSize().width());
        const int figureHeight = qRound(figure.deviceIndependentSize().height());
        const TwipsPoint at =
            figurePosition(pageWidth, pageHeight, figureWidth, figureHeight,
                           settings.centreHorizontally, settings.centreVertically);
        const QRectF target(at.x * toDeviceX, at.y * toDeviceY,
                            figureWidth * TwipsPerPixel * toDeviceX,
                            figureHeight * TwipsPerPixel * toDeviceY);
        // A figure of thin lines must not go through JPEG on its way into a PDF.
        painter.setRenderHint(QPainter::LosslessImageRendering);
        const QFont font = titleFont();
        painter.setFont(font);
        const qreal baseline = QFontMetricsF(font, &device).ascent();
        for (int copy = 1; ok && copy <= settings.copies; ++copy) {
            if (copy > 1) ok = device.newPage();
            if (!settings.title.isEmpty()) painter.drawText(QPointF(0, baseline), settings.title);
            painter.drawImage(target, figure);
        }
        ok = painter.end() && ok;
    }
    device.setPageOrientation(previous);
    return ok;
}

} // namespace printing
