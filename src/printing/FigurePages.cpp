#include "printing/FigurePages.h"

#include "ui/PageSurface.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace printing {

namespace {

QFont titleFont() {
    // Where Arial is missing, fontconfig gives Liberation Sans, which has the same metrics.
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(12);
    font.setBold(true);
    return font;
}

// Draws the figure at the device's resolution where it can be drawn again; else its picture,
// without JPEG blur on its way into a PDF (the same picture on every page is stored once).
void paintFigure(QPainter &painter, const QRectF &target, const PrintedFigure &figure, QSize size) {
    if (figure.drawing) {
        ui::PageSurface surface(painter, target, size.width(), size.height());
        if (figure.drawing(surface)) return;
    }
    painter.setRenderHint(QPainter::LosslessImageRendering);
    painter.drawImage(target, figure.picture);
}

} // namespace

QStringList titleLines(const QString &title, const QFont &font, QPaintDevice *device, qreal width,
                       int maxLines) {
    QStringList lines;
    QTextLayout layout(title, font, device);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        if (lines.size() == maxLines - 1) {
            // The last line takes the rest, cut with "…" when it does not fit.
            lines << QFontMetricsF(font, device)
                         .elidedText(title.mid(line.textStart()).trimmed(), Qt::ElideRight, width);
            break;
        }
        QString text = title.mid(line.textStart(), line.textLength());
        while (text.endsWith(QLatin1Char(' ')))
            text.chop(1);
        lines << text;
    }
    layout.endLayout();
    return lines;
}

bool paintFigurePages(QPagedPaintDevice &device, const PrintedFigure &figure,
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
        // The figure's size in drawing units: a picture for a high-density screen has more
        // pixels than units.
        const QSize size = figure.picture.deviceIndependentSize().toSize();
        const TwipsPoint at =
            figurePosition(pageWidth, pageHeight, size.width(), size.height(),
                           settings.centreHorizontally, settings.centreVertically);
        const QRectF target(at.x * toDeviceX, at.y * toDeviceY,
                            size.width() * TwipsPerPixel * toDeviceX,
                            size.height() * TwipsPerPixel * toDeviceY);
        const QFont font = titleFont();
        painter.setFont(font);
        const QFontMetricsF metrics(font, &device);
        // Every line of the title stands above the figure, save the first, which always shows.
        const int roomAbove =
            int(std::floor((target.top() - metrics.ascent()) / metrics.lineSpacing())) + 1;
        const QStringList title = titleLines(settings.title, font, &device, pageWidth * toDeviceX,
                                             std::clamp(roomAbove, 1, MaxTitleLines));
        for (int copy = 1; ok && copy <= settings.copies; ++copy) {
            if (copy > 1) ok = device.newPage();
            for (int i = 0; i < title.size(); ++i)
                painter.drawText(QPointF(0, metrics.ascent() + i * metrics.lineSpacing()),
                                 title[i]);
            paintFigure(painter, target, figure, size);
        }
        ok = painter.end() && ok;
    }
    device.setPageOrientation(previous);
    return ok;
}

} // namespace printing
