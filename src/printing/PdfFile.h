#pragma once

#include <QByteArray>
#include <QPageLayout>
#include <QString>

#include <functional>

class QPagedPaintDevice;

namespace printing {

// Rewrites a PDF so that every object identical to another is stored once and referred to from
// everywhere: the pages of several copies then share one content stream and one resource
// dictionary, and each further copy costs little more than its page object. Pages themselves
// stay distinct. A document that is not laid out as expected (no cross-reference table, offsets
// that do not point at objects) comes back unchanged.
QByteArray shareIdenticalObjects(const QByteArray &pdf);

// Paints pages into a PDF file: `paint` draws on a PDF writer with that page layout and title,
// the identical objects are shared, and the file is written through a temporary file renamed
// over the target, so that a failed write leaves an older file whole. False when the painting
// or the writing fails.
bool writePdfFile(const QString &path, const QPageLayout &layout, const QString &title,
                  const std::function<bool(QPagedPaintDevice &)> &paint);

} // namespace printing
