#pragma once

#include "support/TestSupport.h"

#include <QGuiApplication>

#include <QString>

class QImage;
class QTextDocument;

// A line per paragraph, table and cell with every property the RTF codec carries, so that two
// documents compare as text and a difference shows where it lies.
QString describeDocument(const QTextDocument &document);

// The picture's PNG file, as a word processor embeds it.
QByteArray pngBytes(const QImage &image);
