#pragma once

#include "printing/PageLayout.h"

#include <QImage>
#include <QStringList>

#include <functional>

class QFont;
class QPagedPaintDevice;
class QPaintDevice;

namespace ui {
class DrawingSurface;
}

namespace printing {

// The figure to print: the picture the window shows, whose size in drawing units is the
// figure's, and a way to draw that same figure again on a surface of that size, so that the
// page has it at the printer's resolution. Without a drawing, or when it draws nothing, the
// picture itself is printed.
struct PrintedFigure {
    using Drawing = std::function<bool(ui::DrawingSurface &surface)>;
    PrintedFigure(QImage picture, Drawing drawing = {})
        : picture(std::move(picture)), drawing(std::move(drawing)) {}
    QImage picture;
    Drawing drawing;
};

// The most lines a title takes on the page.
constexpr int MaxTitleLines = 3;

// The title cut into the lines it takes across `width` (device pixels) in `font` on `device`:
// at word ends where it can, at most `maxLines`, the last one ended with "…" when the title
// goes on beyond it.
QStringList titleLines(const QString &title, const QFont &font, QPaintDevice *device, qreal width,
                       int maxLines);

// Paints the printed figure into one document: for each copy a landscape page with the title
// in Arial 12 points bold at the top-left of the printable area, wrapped within its width (never
// running under the figure, but for its first line), and the figure at its natural size, placed
// as `figurePosition` says. The device's orientation is landscape while painting and is given
// back afterwards. False when the device cannot be painted on.
bool paintFigurePages(QPagedPaintDevice &device, const PrintedFigure &figure,
                      const PrintSettings &settings);

} // namespace printing
