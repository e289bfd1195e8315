#pragma once

#include "printing/PageLayout.h"

class QImage;
class QPagedPaintDevice;

namespace printing {

// Paints the printed figure into one document: for each copy a landscape page with the title
// in Arial 12 points bold at the top-left of the printable area and the figure at its natural
// size, placed as `figurePosition` says. The device's orientation is landscape while painting
// and is given back afterwards. The same picture is drawn on every page, so a PDF holds it once.
// False when the device cannot be painted on.
bool paintFigurePages(QPagedPaintDevice &device, const QImage &figure,
                      const PrintSettings &settings);

} // namespace printing
