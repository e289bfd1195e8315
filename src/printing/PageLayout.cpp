#include "printing/PageLayout.h"

namespace printing {

TwipsPoint figurePosition(float pageWidth, float pageHeight, int figureWidth, int figureHeight,
                          bool centreHorizontally, bool centreVertically) {
    const float x =
        centreHorizontally ? (pageWidth - float(figureWidth) * TwipsPerPixel) / 2 : pageWidth / 10;
    const float y =
        centreVertically ? (pageHeight - float(figureHeight) * TwipsPerPixel) / 2 : pageHeight / 20;
    return {x, y};
}

} // namespace printing
