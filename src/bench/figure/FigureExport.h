#pragma once

#include "bench/BenchState.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <optional>

namespace bench {

// The kinds of file the figure is written to.
enum class FigureFormat { Png, Jpeg, Svg, Pdf };

// The kind a file name asks for by its extension, in any case: ".png", ".jpg" or ".jpeg",
// ".svg", ".pdf"; PNG for a name without extension. None for another extension: a file must
// not bear a name that lies about its content.
std::optional<FigureFormat> figureFormatFor(const QString &fileName);

// What to say of a file name whose extension names no kind of figure file.
QString unknownFigureFormatText(const QString &fileName);

// The persistent picture of the figure, as the main window holds it at that size: `pixelRatio`
// pixels per drawing unit.
QImage figurePicture(BenchState &state, int width, int height, qreal pixelRatio = 1);

// The figure as the bytes of a file: a PNG of the persistent picture, or an SVG or a one-page
// PDF drawn as vectors. Empty when the picture could not be encoded.
QByteArray figureFileBytes(BenchState &state, FigureFormat format, int width, int height);

} // namespace bench
