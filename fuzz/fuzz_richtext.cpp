// libFuzzer target for the RTF reader: any bytes must read into a document or be refused with
// a message, never crash, leak, hang or run into undefined behaviour; a document read must
// write as 7-bit RTF that reads again.

#include "richtext/PlainText.h"
#include "richtext/RichText.h"

#include <QGuiApplication>
#include <QTextBlock>
#include <QTextDocument>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication *app = new QGuiApplication(*argc, *argv);
    (void)app;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    auto result = richtext::readRtf(bytes);
    if (const auto *error = std::get_if<richtext::TextError>(&result)) {
        if (error->title.isEmpty() || error->text.isEmpty()) __builtin_trap();
        return 0;
    }
    const QTextDocument &document = *std::get<std::unique_ptr<QTextDocument>>(result);
    // The document holds together: its paragraphs cover its characters, and no paragraph's
    // text holds a paragraph break or the mark of a table's or frame's bounds.
    int characters = 0;
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) {
        characters += b.length();
        for (const QChar c : b.text())
            if (c == QChar::ParagraphSeparator || c.unicode() == 0xFDD0 || c.unicode() == 0xFDD1)
                __builtin_trap();
    }
    if (characters != document.characterCount()) __builtin_trap();
    const QString text = richtext::plainText(document);
    const QByteArray written = richtext::writeRtf(document);
    for (const char c : written)
        if (static_cast<unsigned char>(c) >= 0x80) __builtin_trap();
    auto again = richtext::readRtf(written);
    if (!std::holds_alternative<std::unique_ptr<QTextDocument>>(again)) __builtin_trap();
    // What was written reads back with the same text.
    if (richtext::plainText(*std::get<std::unique_ptr<QTextDocument>>(again)) != text)
        __builtin_trap();
    return 0;
}
