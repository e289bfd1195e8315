#pragma once

#include <QByteArrayView>

#include <memory>

class QTextDocument;

namespace richtext {

// Reads RTF into a new document. Never fails: whatever the bytes, the document holds what
// could be read. Nesting deeper than a fixed cap no longer opens new scopes.
std::unique_ptr<QTextDocument> readRtfDocument(QByteArrayView bytes);

// Deepest group nesting whose formatting scopes are kept.
constexpr int MaxGroupDepth = 1000;

} // namespace richtext
