#pragma once

#include <QString>

namespace printing {

// The printed page is laid out in twips (1/1440 inch) over the printable area; a pixel of the
// figure counts as 15 twips.
constexpr float TwipsPerInch = 1440;
constexpr float TwipsPerPixel = 15;

inline const QString DefaultTitle = QStringLiteral("Aldoria - Focalines");
constexpr int MinCopies = 1, MaxCopies = 40;

// What the print window sets; the defaults are those it opens with.
struct PrintSettings {
    QString title = DefaultTitle;
    int copies = 1;
    bool centreHorizontally = false;
    bool centreVertically = true;
};

struct TwipsPoint {
    float x, y;
};

// Top-left corner of the figure on the printable area (page sizes in twips, figure sizes in
// pixels). Centred along an axis when asked, otherwise one tenth of the page width from the left
// and one twentieth of its height from the top. A figure larger than the page gets a negative
// coordinate and is cut on both sides. The title at (0, 0) never moves the figure.
TwipsPoint figurePosition(float pageWidth, float pageHeight, int figureWidth, int figureHeight,
                          bool centreHorizontally, bool centreVertically);

} // namespace printing
